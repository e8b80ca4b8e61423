#include "frame/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

// Makes the folder and every missing folder above it, each private to the
// user, as the XDG base directory rules ask of the data folder.
void makePrivateFolder(const QString& path) {
    const QFileInfo folder(path);
    if (path.isEmpty() || folder.exists()) return;
    makePrivateFolder(folder.absolutePath());
    if (QDir().mkdir(path)) QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Whether a place is inside a trash: the user's own (Trash in the data
// folder), one at the top of the place's volume (.Trash, .Trash-<uid>), or
// the Recycle Bin of a Windows volume.
bool insideTrash(const QString& place) {
    const QString path = QFileInfo(place).absoluteFilePath();
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (!data.isEmpty() && path.startsWith(QDir(data).absoluteFilePath(QStringLiteral("Trash")) + u'/')) return true;
    QString root = QStorageInfo(path).rootPath();
    if (root.isEmpty()) return false;
    if (!root.endsWith(u'/')) root += u'/';
    if (!path.startsWith(root)) return false;
    const QString top = path.mid(root.size()).section(u'/', 0, 0);
    return top == QStringLiteral(".Trash") || top.startsWith(QStringLiteral(".Trash-")) ||
           top.compare(QStringLiteral("$Recycle.Bin"), Qt::CaseInsensitive) == 0;
}

// Undoes a move into a folder that is no trash: the file back in its place,
// the trash's note of it and the folders made for them gone.
void putBack(const QString& place, const QString& path) {
    QFile::rename(place, path);
    const QDir files = QFileInfo(place).dir();
    QDir top = files;
    top.cdUp();
    QFile::remove(top.filePath(QStringLiteral("info/") + QFileInfo(place).fileName() + QStringLiteral(".trashinfo")));
    top.rmdir(QStringLiteral("info"));
    top.rmdir(files.dirName());
}

}  // namespace

bool Trash::take(const QString& path) {
    // Where the user's data folder is missing, Qt 6.4 finds no trash in it
    // and puts the file in files/ and info/ under the working directory
    // instead, telling us it trashed it: the folder is made first.
    makePrivateFolder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString place;
    if (!QFile::moveToTrash(path, &place)) return false;
    if (insideTrash(place)) return true;
    putBack(place, path);
    return false;
}
