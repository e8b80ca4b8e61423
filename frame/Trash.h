// Moving a file to the system's trash (the freedesktop.org trash, the
// Recycle Bin), from where the user can take it back.
#pragma once

#include <QString>

namespace Trash {

// True when the file now lies in the trash. False, with the file where it
// was, when the system has no trash for it or would put it anywhere else.
bool take(const QString& path);

}  // namespace Trash
