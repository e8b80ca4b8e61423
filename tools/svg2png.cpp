// Build tool: draws an SVG picture into PNG files of the given sizes, the
// way the program would draw it at run time, so that the program starts
// without loading the SVG renderer; and into the Windows icon of the program.
//
//   svg2png picture.svg out-dir name WxH [WxH ...]   -> out-dir/name-WxH.png
//   svg2png --ico picture.svg out.ico S [S ...]       -> one icon, S x S each
#include <QBuffer>
#include <QDataStream>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

namespace {

// The picture drawn into exactly that size, centred, the rest transparent;
// a null image when it cannot be drawn.
QImage draw(const QIcon& picture, QSize wanted) {
    QImage image(wanted, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QPixmap drawn = picture.pixmap(wanted);
    if (drawn.isNull()) return {};
    {
        QPainter painter(&image);
        painter.drawPixmap((wanted.width() - drawn.width()) / 2, (wanted.height() - drawn.height()) / 2, drawn);
    }
    return image;
}

// An .ico file: the 6-byte header, one 16-byte entry per image, then the
// images, each stored as a whole PNG file (Windows reads those since Vista).
// Sizes run from 1 to 256; the directory writes 256 as 0.
bool writeIco(const QString& path, const QList<QImage>& images) {
    QList<QByteArray> pngs;
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return false;
        pngs.append(png);
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (qsizetype i = 0; i < images.size(); ++i) {
        out << quint8(images[i].width() % 256) << quint8(images[i].height() % 256) << quint8(0)  // no palette
            << quint8(0)                                                                         // reserved
            << quint16(1)                                                                        // colour planes
            << quint16(32)                                                                       // bits per pixel
            << quint32(pngs[i].size()) << offset;
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs) out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok && file.commit();
}

int makeIco(const QStringList& args) {
    const QIcon picture(args[0]);
    QList<QImage> images;
    for (const QString& size : args.mid(2)) {
        const int side = size.toInt();
        if (side < 1 || side > 256) {
            std::fprintf(stderr, "svg2png: an icon image is 1 to 256 pixels wide, not %s\n", qPrintable(size));
            return 2;
        }
        images.append(draw(picture, QSize(side, side)));
        if (images.last().isNull()) {
            std::fprintf(stderr, "svg2png: cannot draw %s\n", qPrintable(args[0]));
            return 1;
        }
    }
    if (!writeIco(args[1], images)) {
        std::fprintf(stderr, "svg2png: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 5 && args[1] == QLatin1String("--ico")) return makeIco(args.mid(2));
    if (args.size() < 5) {
        std::fprintf(stderr,
                     "usage: svg2png picture.svg out-dir name WxH [WxH ...]\n"
                     "       svg2png --ico picture.svg out.ico S [S ...]\n");
        return 2;
    }
    const QIcon picture(args[1]);
    for (const QString& size : args.mid(4)) {
        const QStringList wh = size.split(u'x');
        const QImage image = draw(picture, QSize(wh.value(0).toInt(), wh.value(1).toInt()));
        if (image.isNull()) {
            std::fprintf(stderr, "svg2png: cannot draw %s\n", qPrintable(args[1]));
            return 1;
        }
        const QString out = QStringLiteral("%1/%2-%3.png").arg(args[2], args[3], size);
        if (!image.save(out)) {
            std::fprintf(stderr, "svg2png: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
