// The frame every calculation screen builds on: a fixed-size window with
// input boxes, result labels, the scrolling instruction line and the column
// of command buttons. A screen adds its own controls, its validity test, its
// computation and its record; the frame runs the rest of a button press.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QList>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "app/Controls.h"
#include "survey/record.h"
#include "survey/resultfile.h"

class CalcScreen : public QWidget {
public:
    // The two instruction lines of the screens.
    static QString instructionShort();
    static QString instructionLong();

    ~CalcScreen() override;

    // The instruction line's frame and the line itself, its timer (none on
    // screens that write no file) and the hidden degree-constant label.
    QFrame* Picture1 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

    // One tick of the instruction line: 50 twips to the left, and back to
    // the right edge once it has left the picture completely.
    void Timer1_Timer();
    // Label1's left edge in twips, kept in single precision.
    float instructionLeft() const { return instructionLeft_; }
    void setInstructionLeft(float leftTwips);

    // The button presses the frame runs. Public so that menus and tests can
    // drive a screen the way its buttons do.
    void calculate();
    virtual void clear();
    void backToMenu();
    void exitProgram();

    // True when every field that marks a finished calculation holds text.
    bool calculationShown() const;

protected:
    // name: the window's objectName; caption: its title; client area in twips.
    CalcScreen(const QString& name, const QString& caption, int widthTwips, int heightTwips,
               QWidget* parent = nullptr);

    // ---- Building the controls (positions in twips) ----
    TextBox* textBox(const char* name, int left, int top, int width = 1575, int height = 375);
    // A fixed caption, sized to its text. With a right limit (the left edge
    // of the field it stands in front of), a caption too wide for its place
    // moves left so that it ends just before the field.
    QLabel* caption(const char* name, int left, int top, const QString& text, int rightLimit = -1);
    // A unit or symbol after a result label: as tall as the result, centred.
    QLabel* unitLabel(const char* name, int left, int top, const QString& text, int height = 375);
    // A result label: empty, numbers aligned to the right.
    QLabel* resultLabel(const char* name, int left, int top, int width, int height = 375);
    // The hidden label that holds the degree constant.
    QLabel* degreeLabel(const char* name, int left, int top);
    CommandButton* commandButton(const char* name, const QString& text, int left, int top,
                                 int width = 1215, int height = 375);
    // Tells a screen reader what a field is: the caption in front of it
    // becomes a box's accessible name and a result label's description.
    static void describe(QWidget* field, const QString& caption);
    static void describe(QWidget* field, const QLabel* caption) { describe(field, caption->text()); }
    // Picture1 with Label1 inside; scrolling lines also get Timer1.
    void instructionLine(const QString& text, bool scrolls);
    // The usual column: calculate, clear, menu, exit at the right edge.
    struct Buttons {
        CommandButton* calculate;
        CommandButton* clear;
        CommandButton* menu;
        CommandButton* exit;
    };
    Buttons standardButtons(int firstNumber = 1, const QString& menuCaption = QStringLiteral("M E N U"));
    // Connects the four role buttons to the frame's presses.
    void wireButtons(const Buttons& buttons);
    // The usual column, connected, handed to the screen's Command1 … Command4.
    void standardButtons(CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu,
                         CommandButton*& exit, const QString& menuCaption = QStringLiteral("M E N U"));
    // Tab moves through the widgets in this order.
    void setTabChain(std::initializer_list<QWidget*> order);

    // A box's value by the leading-number reading, its text as typed (for
    // the record), and a number as the screen shows it.
    static double value(const QLineEdit* box);
    static std::string typed(const QLineEdit* box);
    static QString shown(double v);

    // Fields that count as a shown calculation (clear and exit test them),
    // and fields that clear and the error path empty.
    void setShownFields(QList<QWidget*> fields) { shownFields_ = std::move(fields); }
    void setClearedFields(QList<QWidget*> fields) { clearedFields_ = std::move(fields); }

    // The screen's result file and its delete question.
    void setResultFile(const QString& fileName, const QString& deleteQuestion);
    bool hasResultFile() const { return file_.has_value(); }

    // The degree constant read from the screen's label.
    double degrees(const QLabel* constantLabel) const;

    // Where the focus goes after load, clear and refused input.
    void setFirstBox(QWidget* box) { firstBox_ = box; }
    QWidget* firstBox() const { return firstBox_; }

    // ---- What each screen supplies ----
    // The validity test on the texts of the boxes.
    virtual bool acceptsInput() const = 0;
    // Computes from the boxes. When every result is a finite number, shows
    // them and returns the record to append (empty on screens with no
    // file); otherwise shows nothing and returns no record, and the frame
    // treats the input as refused.
    virtual std::optional<survey::Record> compute() = 0;
    // Where the focus goes after a calculation (the first box by default).
    virtual void focusAfterCalculation();

    // The error path: the input error box, emptied fields, focus first box.
    void refuse();
    // Whatever else a screen forgets on the error path (a list it keeps).
    virtual void onErrorPath() {}
    // Empties the listed fields.
    void emptyFields();
    // Appends a record to the screen's file; failures are told to the user
    // and the results stay on the screen. False when nothing was written.
    bool writeRecord(const survey::Record& record);
    // Asks the delete question and deletes on Yes (failures are told).
    void offerDelete();

    // Empties every box and label the screen lists and puts the window in
    // the centre; call at the end of the screen's constructor.
    void finishLoad();

    // Starts the instruction line (a no-op once it moves).
    void startInstructionLine();
    // Stops it and puts it back where it stands at load.
    void restInstructionLine();

private:
    // A label of this window, sized to its text.
    QLabel* newLabel(const char* name, const QString& text);

    QList<QWidget*> shownFields_;
    QList<QWidget*> clearedFields_;
    QWidget* firstBox_ = nullptr;
    std::optional<survey::ResultFile> file_;
    QString deleteQuestion_;
    float instructionLeft_ = 840.0f;
};

// True when every value is a finite number.
bool allFinite(std::initializer_list<double> values);
