#include "frame/Calculation.h"

#include "frame/BookFiles.h"
#include "frame/Module1.h"

Calculation::~Calculation() = default;

void Calculation::wireButtons(const Buttons& b) {
    QObject::connect(b.calculate, &QPushButton::clicked, host_, [this] { calculate(); });
    QObject::connect(b.clear, &QPushButton::clicked, host_, [this] { clear(); });
    QObject::connect(b.menu, &QPushButton::clicked, host_, [this] { backToMenu(); });
    QObject::connect(b.exit, &QPushButton::clicked, host_, [this] { exitProgram(); });
}

void Calculation::standardButtons(CommandButton*& calculate, CommandButton*& clear, CommandButton*& menu,
                                  CommandButton*& exit, const QString& menuCaption) {
    const Buttons b = standardButtons(1, menuCaption);
    calculate = b.calculate;
    clear = b.clear;
    menu = b.menu;
    exit = b.exit;
    wireButtons(b);
}

Outcome Calculation::recorded(survey::Record record) {
    if (unreadable() || unshowable() || !record.finite()) return refused();
    return Outcome::recorded(std::move(record));
}

Outcome Calculation::refused(QWidget* atFault) {
    if (!keepsInputList_) return Outcome::refused({atFault, false});
    // A box that read a value beyond the range of a double is the fault.
    if (unreadable()) atFault = unreadable();
    return Outcome::refused({atFault ? atFault : boxAtFault(), true});
}

void Calculation::focusAfterCalculation() {
    if (firstBox()) firstBox()->setFocus();
}

void Calculation::refuse(QWidget* focus) {
    // Asked while the refused input is still in the boxes.
    if (!focus) focus = focusAfterRefusal();
    Module1::ShowInputError();
    fields_.empty();
    forgetKept();
    if (focus) focus->setFocus();
}

void Calculation::refuseKeeping(QWidget* atFault) {
    Module1::ShowInputError();
    atFault->setFocus();
    if (auto* box = qobject_cast<QLineEdit*>(atFault)) box->selectAll();
}

void Calculation::reload() {
    fields_.empty();
    forgetKept();
    host_->restInstructionLine();
    if (firstBox()) firstBox()->setFocus();
}

void Calculation::calculate() {
    start();
    if (!acceptsInput()) {
        refuse();
        return;
    }
    const bool wasMoving = host_->startInstructionLine();
    const Outcome outcome = compute();
    if (const Outcome::Refusal* refusal = outcome.refusal()) {
        // Not a valid calculation after all: the line stands still as before.
        if (!wasMoving) host_->restInstructionLine();
        if (refusal->keepsList) {
            fields_.emptyResults();
            refuseKeeping(refusal->atFault);
        } else {
            refuse(refusal->atFault);
        }
        return;
    }
    const survey::Record& record = *outcome.record();
    if (file_.file() && !record.empty()) afterWrite(file_.write(record));
    focusAfterCalculation();
}

void Calculation::clear() {
    if (calculationShown()) offerDelete();
    fields_.empty();
    forgetKept();
    if (firstBox()) firstBox()->setFocus();
}

void Calculation::backToMenu() { host_->backToMenu(); }

void Calculation::exitProgram() {
    // The book of points first: キャンセル there keeps the program going.
    if (!BookFiles::mayEnd()) return;
    if (calculationShown()) offerDelete();
    Module1::EndProgram();
}
