#include "screens/area/DrawingExport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>

#include "frame/Module1.h"
#include "screens/area/ParcelPlan.h"

DrawingExport::DrawingExport(const ParcelPlan& plan, QSize size, const QFont& font)
    : plan_(plan), size_(size), font_(font) {}

QString DrawingExport::askPath() {
    const QString png = QStringLiteral("PNG 画像 (*.png)"), svg = QStringLiteral("SVG 画像 (*.svg)"),
                  pdf = QStringLiteral("PDF 文書 (*.pdf)");
    QString chosen = png;
    const QString start =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)).filePath(ParcelPlan::title() + ".png");
    QString path = Module1::SaveFileName(QStringLiteral("画像として保存"), start, {png, svg, pdf}, &chosen);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += chosen == svg ? ".svg" : chosen == pdf ? ".pdf" : ".png";
    return path;
}

bool DrawingExport::save(const QString& path) const {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const QString name = QDir::toNativeSeparators(path);
    auto write = suffix == u"png"   ? &DrawingExport::writePng
                 : suffix == u"svg" ? &DrawingExport::writeSvg
                 : suffix == u"pdf" ? &DrawingExport::writePdf
                                    : nullptr;
    if (!write) {
        Module1::ShowFailure(
            QStringLiteral("「%1」には保存できません。ファイル名の拡張子を .png、.svg、.pdf のいずれかにしてください。")
                .arg(name),
            ParcelPlan::title());
        return false;
    }
    // Drawn in full before the file is touched, then replaced whole or not at all.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const bool drawn = (this->*write)(buffer);
    QSaveFile file(path);
    if (drawn && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return true;
    Module1::ShowFailure(QStringLiteral("区画図をファイル「%1」に保存できませんでした。").arg(name),
                         ParcelPlan::title());
    return false;
}

bool DrawingExport::writePng(QIODevice& out) const {
    QImage image(size_ * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    {
        QPainter p(&image);
        plan_.sketch(size_, font_).paint(p);
    }
    return image.save(&out, "PNG");
}

bool DrawingExport::writeSvg(QIODevice& out) const {
    return out.write(plan_.sketch(size_, font_).svg(ParcelPlan::title(), plan_.description())) > 0;
}

bool DrawingExport::writePdf(QIODevice& out) const {
    QPdfWriter pdf(&out);
    pdf.setTitle(ParcelPlan::title());
    pdf.setCreator(QStringLiteral("Tarnel"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageOrientation(QPageLayout::Landscape);
    pdf.setResolution(96);
    QPainter p;
    if (!p.begin(&pdf)) return false;
    plan_.sketch(QSize(pdf.width(), pdf.height()), font_).paint(p);
    return true;
}
