#include "frame/Artwork.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

const QString kFolder = QStringLiteral(":/tarnel/png");

// The drawn sizes of a picture, from the names of its files.
QList<QSize> drawnSizes(const QString& name) {
    static const QRegularExpression size(QStringLiteral("-(\\d+)x(\\d+)\\.png$"));
    QList<QSize> sizes;
    for (const QString& file : QDir(kFolder).entryList({name + QStringLiteral("-*.png")}, QDir::Files)) {
        const QRegularExpressionMatch m = size.match(file);
        if (m.hasMatch() && file.size() == name.size() + m.capturedLength()) sizes.append(QSize(m.captured(1).toInt(), m.captured(2).toInt()));
    }
    return sizes;
}

}  // namespace

QPixmap Artwork::picture(const QString& name, QSize size, qreal devicePixelRatio) {
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QSize wanted(int(std::lround(size.width() * ratio)), int(std::lround(size.height() * ratio)));
    // The smallest drawing that covers the wanted size (the exact one where
    // it was drawn), else the largest.
    QList<QSize> sizes = drawnSizes(name);
    if (sizes.isEmpty()) return {};
    std::sort(sizes.begin(), sizes.end(),
              [](QSize a, QSize b) { return qint64(a.width()) * a.height() < qint64(b.width()) * b.height(); });
    QSize best = sizes.last();
    for (const QSize drawn : sizes) {
        if (drawn.width() >= wanted.width() && drawn.height() >= wanted.height()) {
            best = drawn;
            break;
        }
    }
    QPixmap pixmap(QStringLiteral("%1/%2-%3x%4.png").arg(kFolder, name).arg(best.width()).arg(best.height()));
    if (pixmap.isNull()) return {};
    if (best != wanted) pixmap = pixmap.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon Artwork::windowIcon() {
    QIcon icon;
    for (const QSize drawn : drawnSizes(QStringLiteral("tarnel")))
        icon.addFile(QStringLiteral("%1/tarnel-%2x%3.png").arg(kFolder).arg(drawn.width()).arg(drawn.height()), drawn);
    return icon;
}
