#include "frame/Artwork.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>

namespace {

const QString kFolder = QStringLiteral(":/tarnel/png");

// The drawn sizes of a picture, from the names of its files (name-WxH.png).
QList<QSize> drawnSizes(const QString& name) {
    QList<QSize> sizes;
    const QString prefix = name + u'-', suffix = QStringLiteral(".png");
    for (const QString& file : QDir(kFolder).entryList({prefix + u'*' + suffix}, QDir::Files)) {
        const QStringList wh = file.mid(prefix.size()).chopped(suffix.size()).split(u'x');
        bool wide = false, high = false;
        const QSize size(wh.value(0).toInt(&wide), wh.value(1).toInt(&high));
        if (wh.size() == 2 && wide && high) sizes.append(size);
    }
    return sizes;
}

}  // namespace

QPixmap Artwork::picture(const QString& name, QSize size, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize wanted(int(std::lround(size.width() * ratio)), int(std::lround(size.height() * ratio)));
    auto file = [&](QSize drawn) {
        return QStringLiteral("%1/%2-%3x%4.png").arg(kFolder, name).arg(drawn.width()).arg(drawn.height());
    };
    // The exact drawing where there is one (without listing the others: the
    // main menu's pictures are, and it shows the sooner); else the smallest
    // that covers the wanted size, else the largest.
    QSize best = wanted;
    if (!QFile::exists(file(wanted))) {
        QList<QSize> sizes = drawnSizes(name);
        if (sizes.isEmpty()) return {};
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return qint64(a.width()) * a.height() < qint64(b.width()) * b.height(); });
        best = sizes.last();
        for (const QSize drawn : sizes) {
            if (drawn.width() >= wanted.width() && drawn.height() >= wanted.height()) {
                best = drawn;
                break;
            }
        }
    }
    QPixmap pixmap(file(best));
    if (pixmap.isNull()) return {};
    if (best != wanted) pixmap = pixmap.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon Artwork::windowIcon() {
    // The sizes window systems ask for; the larger ones are for the
    // program's file (the Windows icon).
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral("%1/tarnel-%2x%2.png").arg(kFolder).arg(side), QSize(side, side));
    return icon;
}
