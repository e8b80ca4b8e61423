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

    int msgBox(const QString& prompt, int style, const QString& title) override;
    void endProgram() override { ++ends_; }

    // Runs while a box is up, to see the screen as the user sees it then.
    std::function<void()> whileShown;

    const QList<ShownBox>& boxes() const { return boxes_; }
    int ends() const { return ends_; }
    void reset() { boxes_.clear(); answers_.clear(); ends_ = 0; }

private:
    Module1::Seam* previous_;
    QList<int> answers_;
    QList<ShownBox> boxes_;
    int ends_ = 0;
};
