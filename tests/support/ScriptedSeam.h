// Stands in for the message boxes and the end of the program in tests: the
// test scripts the answers, and reads back every box that was asked for.
#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "frame/Module1.h"

struct ShownBox {
    QString prompt;
    int style;
    QString title;
};

class ScriptedSeam : public Module1::Seam {
public:
    ScriptedSeam();
    ~ScriptedSeam() override;

    // Answers for the coming Yes/No boxes, in order. OK boxes need none.
    void answer(int reply) { answers_.append(reply); }
    // The index to choose in the coming list (-1: cancelled). A list is
    // kept among the boxes with style -1 and its items on lines of their
    // own after the prompt.
    void choose(int index) { choices_.append(index); }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    void endProgram() override { ++ends_; }
    int chooseItem(const QString& prompt, const QStringList& items, const QString& title) override;

    // Runs while a box is up, to see the screen as the user sees it then.
    std::function<void()> whileShown;

    const QList<ShownBox>& boxes() const { return boxes_; }
    int ends() const { return ends_; }
    void reset() {
        boxes_.clear();
        answers_.clear();
        choices_.clear();
        ends_ = 0;
    }

private:
    Module1::Seam* previous_;
    QList<int> answers_;
    QList<int> choices_;
    QList<ShownBox> boxes_;
    int ends_ = 0;
};
