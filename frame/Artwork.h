// The program's pictures. They are drawn from SVG into PNG files when the
// program is built (tools/svg2png) and compiled in as
// ":/tarnel/png/<name>-<W>x<H>.png", a few sizes of each, so that the
// program needs no SVG renderer at run time.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace Artwork {

// Picture `name` fitted into `size` logical pixels (aspect ratio kept) for
// a device pixel ratio: the drawn size that matches exactly, or else the
// smallest one that is larger, scaled smoothly; null if there is no such
// picture.
QPixmap picture(const QString& name, QSize size, qreal devicePixelRatio);

// The program's icon at the sizes desktops ask for.
QIcon windowIcon();

}  // namespace Artwork
