// Builds the named controls of a calculation on its sheet (the window, or a
// page of a tab control), at positions in twips, and keeps the first box it
// built: where the focus goes back to unless the calculation says otherwise.
#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>
#include <initializer_list>

#include "frame/ControlGroups.h"
#include "frame/Controls.h"
#include "survey/arith.h"

class ControlFactory {
public:
    // The four role buttons of a calculation.
    struct Buttons {
        CommandButton* calculate;
        CommandButton* clear;
        CommandButton* menu;
        CommandButton* exit;
    };

    explicit ControlFactory(QWidget* sheet) : sheet_(sheet) {}

    QWidget* sheet() const { return sheet_; }

    TextBox* textBox(const QString& name, int left, int top, int width = 1575, int height = 375);
    // A fixed caption, sized to its text. With a right limit (the left edge
    // of the field it stands in front of), a caption too wide for its place
    // moves left so that it ends just before the field.
    QLabel* caption(const QString& name, int left, int top, const QString& text, int rightLimit = -1);
    // The caption in front of a box or a result, `gap` twips to its left and
    // a little lower (moved further left when it is wider than the gap); it
    // also names the field for a screen reader.
    QLabel* captionFor(QWidget* field, const QString& name, const QString& text, int gap = 840);
    // A unit or symbol after a result label: as tall as the result, centred.
    QLabel* unitLabel(const QString& name, int left, int top, const QString& text, int height = 375);
    // A result label: empty, numbers aligned to the right.
    QLabel* resultLabel(const QString& name, int left, int top, int width, int height = 375);
    // A hidden label that keeps a value out of the user's sight: the degree
    // constant (its text by default), a result marker or a carried value.
    QLabel* hiddenLabel(const QString& name, int left, int top, const QString& text = QString());
    QLabel* degreeLabel(const QString& name, int left, int top,
                        const QString& text = QString::fromLatin1(survey::kDegreeConstantText.data(),
                                                                  qsizetype(survey::kDegreeConstantText.size())));
    // Degrees, minutes and seconds at (left, top): the value labels are
    // `widths` wide, each followed by its mark.
    DmsRow dmsRow(int left, int top, std::initializer_list<QString> valueNames,
                  std::initializer_list<QString> markNames, std::initializer_list<int> widths = {720, 600, 600});
    // The two option buttons of a screen with two modes, side by side.
    OptionPair optionPair(int left, int top, const QString& firstCaption, const QString& secondCaption,
                          const char* firstName = "Option1", const char* secondName = "Option2");
    CommandButton* commandButton(const QString& name, const QString& text, int left, int top, int width = 1215,
                                 int height = 375);
    // The usual column (calculate, clear, menu, exit), named Command<first>
    // onwards, at `left` from `top` down, one every 600 twips.
    Buttons standardButtons(int firstNumber = 1, const QString& menuCaption = QStringLiteral("M E N U"),
                            int left = 5520, int top = 720);

    // Tells a screen reader what a field is: the caption in front of it
    // becomes a box's accessible name and a result label's description.
    static void describe(QWidget* field, const QString& caption);
    static void describe(QWidget* field, const QLabel* caption) { describe(field, caption->text()); }
    // Tab moves through the widgets in this order.
    static void setTabChain(std::initializer_list<QWidget*> order);
    // The name of element `index` of a control array: "Label22(4)".
    static QString arrayName(const char* base, int index);

    // Where the focus goes after load, clear and refused input: the first
    // box built, unless set.
    QWidget* firstBox() const { return firstBox_; }
    void setFirstBox(QWidget* box) { firstBox_ = box; }

private:
    QWidget* sheet_;
    QWidget* firstBox_ = nullptr;
};
