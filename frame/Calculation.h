// A calculation: its boxes, results, validity test, computation, record and
// result file, and its four buttons' presses. A press of calculate runs from
// the validity test through the computation (which comes to an Outcome) and
// the record to the step after the record and the focus.
//
// Its jobs are units of their own: building the controls (ControlFactory),
// reading the boxes (Reading), the fields it shows and empties (Fields), and
// the result file's dialogs (ResultFileDialogs). A screen builds on this
// class; the controls go on its sheet (the window, or a page of a tab
// control) and the window (CalcWindow) holds the instruction line.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

#include "frame/CalcWindow.h"
#include "frame/ControlFactory.h"
#include "frame/Fields.h"
#include "frame/Outcome.h"
#include "frame/PointPairs.h"
#include "frame/Reading.h"
#include "frame/ResultFileDialogs.h"
#include "frame/ResultPoints.h"

class Calculation : protected ControlFactory, protected Reading {
public:
    virtual ~Calculation();

    // The button presses. Public so that menus and tests can drive a
    // calculation the way its buttons do.
    void calculate();
    virtual void clear();
    void backToMenu();
    void exitProgram();
    // Back to the load state: empty fields, nothing kept, the instruction
    // line at rest, the focus in the first box.
    virtual void reload();

    // True when every field that marks a finished calculation holds text.
    bool calculationShown() const { return fields_.calculationShown(); }
    // The result file, or nullptr when the calculation writes none.
    const survey::ResultFile* resultFile() const { return file_.file(); }

protected:
    // host: the window; sheet: the widget the controls go on.
    Calculation(CalcWindow* host, QWidget* sheet) : ControlFactory(sheet), host_(host) {}

    CalcWindow* host() const { return host_; }

    // Connects the four role buttons to this calculation's presses.
    void wireButtons(const Buttons& buttons);
    // The usual column, connected, handed to the screen's Command1 … Command4.
    using ControlFactory::standardButtons;
    void standardButtons(CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu, CommandButton*& exit,
                         const QString& menuCaption = QStringLiteral("M E N U"));

    // What the calculation declares once: the fields that show a finished
    // calculation, the fields clear and the error path empty, its file, and
    // whether it keeps a list the user typed in (corners, stations). The
    // validity test's refusal empties such a list as usual; any later
    // refusal keeps it and the boxes, and puts the focus in the box at fault.
    void setShownFields(QList<QWidget*> fields) { fields_.setShown(std::move(fields)); }
    void setClearedFields(QList<QWidget*> fields) { fields_.setCleared(std::move(fields)); }
    void setResultFile(const QString& fileName) { file_.setFile(fileName); }
    void setKeepsInputList() { keepsInputList_ = true; }
    // With the book of points (frame/Book.h): the boxes of each point the
    // calculation reads, which F4 and the book window fill; and the points
    // it gives, which Ctrl+R registers under a name from `origin`.
    void setPointPairs(std::initializer_list<PointPairs::Pair> pairs) { new PointPairs(sheet(), pairs); }
    void setResultPoints(const QString& origin, ResultPoints::Points points, std::function<void()> registered = {}) {
        results_ = std::make_unique<ResultPoints>(sheet(), origin, std::move(points), std::move(registered));
    }

    // What compute() returns. recorded: the record, unless the press met a
    // value that is not a finite number (a box, a number shown, the record
    // itself), which refuses it. refused: the computation cannot be made;
    // the focus goes to `atFault`, or to where the calculation sends it.
    Outcome recorded(survey::Record record);
    Outcome refused(QWidget* atFault = nullptr);

    // ---- What each calculation supplies ----
    // The validity test on the texts of the boxes.
    virtual bool acceptsInput() const = 0;
    // Computes from the boxes and shows the results.
    virtual Outcome compute() = 0;
    // The step after the record: `written` is true when it reached the file.
    virtual void afterWrite(bool written) { (void)written; }
    // Where the focus goes after a calculation (the first box by default).
    virtual void focusAfterCalculation();
    // Where the focus goes when the input is refused (the first box by
    // default); asked before the boxes are emptied, so it can look at them.
    virtual QWidget* focusAfterRefusal() const { return firstBox(); }
    // Where a refusal that keeps the list puts the focus when no box read a
    // value that is not finite (the first box by default).
    virtual QWidget* boxAtFault() const { return firstBox(); }
    // Whatever the calculation keeps besides its fields (a list), forgotten
    // on the error path, on clear and on reload.
    virtual void forgetKept() {}

    // The error path: the input error box, emptied fields, focus.
    void refuse(QWidget* focus = nullptr);
    // The error path that keeps what was typed: the input error box, the
    // boxes and any list kept, then the focus in `atFault` with its text
    // selected.
    void refuseKeeping(QWidget* atFault);
    void emptyFields() { fields_.empty(); }
    // Asks the delete question and deletes on Yes (failures are told).
    void offerDelete() { file_.offerDelete(); }

private:
    CalcWindow* host_;
    Fields fields_;
    ResultFileDialogs file_;
    std::unique_ptr<ResultPoints> results_;
    bool keepsInputList_ = false;
};
