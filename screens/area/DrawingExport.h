// 区画図 as a file, by the suffix of its name: PNG (twice the pixels, for
// print), SVG or PDF (an A4 page, landscape). The file is replaced whole or
// not at all; what fails, the user is told (Module1::ShowFailure).
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

class ParcelPlan;
class QIODevice;
class QWidget;

class DrawingExport {
public:
    // The plan at `size` (the PDF at the page's), the text in `font`, sized
    // in pixels. Made to save at once: it refers to the plan, not a copy.
    DrawingExport(const ParcelPlan& plan, QSize size, const QFont& font);

    // The file the user chooses in the save dialog, given the suffix
    // of the kind chosen where the name has none; empty when cancelled.
    static QString askPath();

    // False, after telling the user, when the suffix is none of png, svg
    // and pdf or the file cannot be written.
    bool save(const QString& path) const;

private:
    bool writePng(QIODevice& out) const;
    bool writeSvg(QIODevice& out) const;
    bool writePdf(QIODevice& out) const;

    const ParcelPlan& plan_;
    QSize size_;
    QFont font_;
};
