// Build tool: draws an SVG picture into PNG files of the given sizes, the
// way the program would draw it at run time, so that the program starts
// without loading the SVG renderer.
//
//   svg2png picture.svg out-dir name WxH [WxH ...]   -> out-dir/name-WxH.png
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <cstdio>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5) {
        std::fprintf(stderr, "usage: svg2png picture.svg out-dir name WxH [WxH ...]\n");
        return 2;
    }
    const QIcon picture(args[1]);
    for (const QString& size : args.mid(4)) {
        const QStringList wh = size.split(u'x');
        const QSize wanted(wh.value(0).toInt(), wh.value(1).toInt());
        // Drawn into exactly that size, centred, the rest transparent.
        QImage image(wanted, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const QPixmap drawn = picture.pixmap(wanted);
        if (drawn.isNull()) {
            std::fprintf(stderr, "svg2png: cannot draw %s\n", qPrintable(args[1]));
            return 1;
        }
        {
            QPainter painter(&image);
            painter.drawPixmap((wanted.width() - drawn.width()) / 2, (wanted.height() - drawn.height()) / 2, drawn);
        }
        const QString out = QStringLiteral("%1/%2-%3.png").arg(args[2], args[3], size);
        if (!image.save(out)) {
            std::fprintf(stderr, "svg2png: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
