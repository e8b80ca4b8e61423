// The fields of a calculation that its presses look at and empty: those
// that show a finished calculation (clear and exit ask the delete question
// only when every one of them holds text) and those that clear and the
// error path empty.
#pragma once

#include <QList>
#include <QWidget>

class Fields {
public:
    void setShown(QList<QWidget*> fields) { shown_ = std::move(fields); }
    void setCleared(QList<QWidget*> fields) { cleared_ = std::move(fields); }

    // True when every field that marks a finished calculation holds text.
    bool calculationShown() const;
    // Empties every field listed to be cleared.
    void empty() const;
    // Empties the labels among them: the results go, what was typed stays.
    void emptyResults() const;

private:
    QList<QWidget*> shown_;
    QList<QWidget*> cleared_;
};
