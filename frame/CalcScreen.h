// The frame every calculation screen builds on.
//
// A window (CalcWindow) is the fixed-size top-level window with the
// scrolling instruction line; it holds one or more calculations. A
// calculation (Calculation) owns its boxes, result fields, validity test,
// computation, record, result file and buttons, and runs a button press from
// the validity test to the step after the record is written. The controls of
// a calculation are built on the widget it lives on: the window itself, or a
// page of a tab control.
//
// Most screens are one window with one calculation: CalcScreen is both.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QList>
#include <QRadioButton>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <optional>

#include "frame/Controls.h"
#include "survey/arith.h"
#include "survey/record.h"
#include "survey/resultfile.h"

// ---- The window -------------------------------------------------------------

class CalcWindow : public QWidget {
public:
    // The first sentence of every instruction line, and the line of the
    // screens that write a result file (fifteen ideographic spaces between).
    static QString instructionShort();
    static QString instructionLong();
    // The line of a screen that names its file: the first sentence, then
    // `spaces` ideographic spaces and the screen's own second sentence.
    static QString instructionNaming(const QString& secondSentence, int spaces = 35);

    ~CalcWindow() override;

    // The instruction line's frame and the line itself, and its timer (none
    // on screens that write no file).
    QFrame* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

    // One tick of the instruction line: 50 twips to the left, and back to
    // the right edge once it has left the picture completely.
    void Timer1_Timer();
    // Label1's left edge in twips, kept in single precision.
    float instructionLeft() const { return instructionLeft_; }
    void setInstructionLeft(float leftTwips);

    // Starts the instruction line (a no-op once it moves); true when it was
    // already moving.
    bool startInstructionLine();
    // Stops it and puts it back where it stands at load.
    void restInstructionLine();

    // Closes the window and shows the main menu.
    void backToMenu();

protected:
    // name: the window's objectName; caption: its title; client area in twips.
    CalcWindow(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent = nullptr);

    // Picture1 with Label1 inside; scrolling lines also get Timer1.
    void instructionLine(const QString& text, bool scrolls);
    // Puts the window in the centre of the screen; the last step of a load.
    void centre();

private:
    float instructionLeft_ = 840.0f;
};

// ---- Pieces every screen can use ----------------------------------------------

// The name of element `index` of a control array: "Label22(4)".
QString arrayName(const char* base, int index);

// Three result labels for degrees, minutes and seconds, each followed by its
// blue mark (° ′ ″).
struct DmsRow {
    QLabel *d = nullptr, *dMark = nullptr;
    QLabel *m = nullptr, *mMark = nullptr;
    QLabel *s = nullptr, *sMark = nullptr;

    // Shows whole degrees, minutes and seconds.
    void show(const survey::Dms& dms) const;
    // Shows any three texts (a screen with fractional seconds).
    void show(const QString& d, const QString& m, const QString& s) const;
    QList<QWidget*> values() const { return {d, m, s}; }
};

// A pair of option buttons that choose a screen's mode. The mode follows the
// checked button however it became checked (mouse, Space, arrow keys, a
// screen reader's action, the program); a click also puts the focus in
// `focusOnClick`. Neither button is checked at load.
struct OptionPair {
    QRadioButton* first = nullptr;
    QRadioButton* second = nullptr;

    // `chosen(true)` when the first becomes checked, `chosen(false)` for the
    // second.
    void onChoose(QWidget* context, QWidget* focusOnClick, std::function<void(bool first)> chosen) const;
};

// ---- The calculation ------------------------------------------------------------

class Calculation {
public:
    virtual ~Calculation();

    // The button presses the frame runs. Public so that menus and tests can
    // drive a calculation the way its buttons do.
    void calculate();
    virtual void clear();
    void backToMenu();
    void exitProgram();

    // Back to the load state: empty fields, nothing kept, the instruction
    // line at rest, the focus in the first box.
    virtual void reload();

    // True when every field that marks a finished calculation holds text.
    bool calculationShown() const;

    // The result file, or nullptr when the calculation writes none.
    const survey::ResultFile* resultFile() const { return file_ ? &*file_ : nullptr; }
    // The delete question, derived from the file name.
    static QString deleteQuestion(const QString& fileName);

protected:
    // host: the window; sheet: the widget the controls go on (the window
    // itself, or a page of a tab control).
    Calculation(CalcWindow* host, QWidget* sheet);

    CalcWindow* host() const { return host_; }
    QWidget* sheet() const { return sheet_; }

    // ---- Building the controls (positions in twips on the sheet) ----
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
    // Tells a screen reader what a field is: the caption in front of it
    // becomes a box's accessible name and a result label's description.
    static void describe(QWidget* field, const QString& caption);
    static void describe(QWidget* field, const QLabel* caption) { describe(field, caption->text()); }

    // The four role buttons of a calculation.
    struct Buttons {
        CommandButton* calculate;
        CommandButton* clear;
        CommandButton* menu;
        CommandButton* exit;
    };
    // The usual column (calculate, clear, menu, exit), named Command<first>
    // onwards, at `left` from `top` down, one every 600 twips.
    Buttons standardButtons(int firstNumber = 1, const QString& menuCaption = QStringLiteral("M E N U"),
                            int left = 5520, int top = 720);
    // Connects the four role buttons to this calculation's presses.
    void wireButtons(const Buttons& buttons);
    // The usual column, connected, handed to the screen's Command1 … Command4.
    void standardButtons(CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu, CommandButton*& exit,
                         const QString& menuCaption = QStringLiteral("M E N U"));
    // Tab moves through the widgets in this order.
    static void setTabChain(std::initializer_list<QWidget*> order);

    // ---- Reading and showing ----
    // A box's value by the leading-number reading, its text as typed (for
    // the record), and a number as the screen shows it. A value read or
    // shown that is not a finite number (‹1e400› in a box, a result that
    // overflowed) is noted, and the press of calculate that met it is
    // refused: nothing is shown and nothing is written.
    double value(const QLineEdit* box) const;
    static std::string typed(const QLineEdit* box);
    QString shown(double v) const;
    // The first of the boxes whose value is not a finite number, or none; a
    // button other than calculate (INPUT) asks before it takes a value.
    QLineEdit* firstUnreadable(std::initializer_list<QLineEdit*> boxes) const;
    // The degree constant read from the screen's label.
    static double degrees(const QLabel* constantLabel);
    // The common validity test: every box filled, every box a number by the
    // strict reading, and not all of them zero.
    static bool numbersNotAllZero(std::initializer_list<const QLineEdit*> boxes);
    static bool allFilled(std::initializer_list<const QLineEdit*> boxes);

    // Fields that count as a shown calculation (clear and exit test them),
    // and fields that clear and the error path empty.
    void setShownFields(QList<QWidget*> fields) { shownFields_ = std::move(fields); }
    void setClearedFields(QList<QWidget*> fields) { clearedFields_ = std::move(fields); }
    // The calculation's result file; its delete question follows from the name.
    void setResultFile(const QString& fileName);

    // Where the focus goes after load, clear and refused input (the first
    // box built, unless set).
    void setFirstBox(QWidget* box) { firstBox_ = box; }
    QWidget* firstBox() const { return firstBox_; }

    // ---- What each calculation supplies ----
    // The validity test on the texts of the boxes.
    virtual bool acceptsInput() const = 0;
    // Computes from the boxes. When every result is a finite number, shows
    // them and returns the record to append (empty on calculations with no
    // file); otherwise shows nothing and returns no record, and the frame
    // treats the input as refused.
    virtual std::optional<survey::Record> compute() = 0;
    // The step after the record: `written` is true when it reached the file.
    virtual void afterWrite(bool written) { (void)written; }
    // Where the focus goes after a calculation (the first box by default).
    virtual void focusAfterCalculation();
    // Where the focus goes when the input is refused (the first box by
    // default); asked before the boxes are emptied, so it can look at them.
    virtual QWidget* focusAfterRefusal() const { return firstBox_; }
    // Whatever the calculation keeps besides its fields (a list), forgotten
    // on the error path, on clear and on reload.
    virtual void forgetKept() {}
    // True for a calculation that keeps a list the user typed in (corners,
    // stations). The validity test's refusal empties it as usual; any later
    // refusal (a value that is not finite, a computation that cannot be
    // made) keeps the list and the boxes, and puts the focus in the box at
    // fault.
    virtual bool keepsInputList() const { return false; }
    // Where such a refusal puts the focus when no box read a value that is
    // not finite (the first box by default).
    virtual QWidget* boxAtFault() const { return firstBox_; }

    // The error path: the input error box, emptied fields, focus.
    void refuse(QWidget* focus = nullptr);
    // The error path that keeps what was typed: the input error box, the
    // boxes and any list kept, then the focus in `atFault` with its text
    // selected.
    void refuseKeeping(QWidget* atFault);
    // Empties the listed fields.
    void emptyFields();
    // Appends a record to the file; failures are told to the user and the
    // results stay on the screen. False when nothing was written.
    bool writeRecord(const survey::Record& record);
    // Asks the delete question and deletes on Yes (failures are told).
    void offerDelete();

private:
    // The file as a message names it.
    QString shownPath() const;

    CalcWindow* host_;
    QWidget* sheet_;
    QList<QWidget*> shownFields_;
    QList<QWidget*> clearedFields_;
    QWidget* firstBox_ = nullptr;
    std::optional<survey::ResultFile> file_;
    // What the present press met that is not a finite number.
    mutable QLineEdit* unreadable_ = nullptr;
    mutable bool unshowable_ = false;
};

// ---- One window, one calculation ----------------------------------------------

class CalcScreen : public CalcWindow, public Calculation {
public:
    using Calculation::backToMenu;

protected:
    CalcScreen(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent = nullptr)
        : CalcWindow(name, caption, widthTwips, heightTwips, parent), Calculation(this, this) {}

    // Empties every box and label the screen lists and puts the window in
    // the centre; call at the end of the screen's constructor.
    void finishLoad() {
        emptyFields();
        centre();
    }
};

// True when every value is a finite number.
bool allFinite(std::initializer_list<double> values);
