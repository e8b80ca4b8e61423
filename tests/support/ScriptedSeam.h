// Stands in for the message boxes and the end of the program in tests: the
// test scripts the answers, and reads back every box that was asked for.
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

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
    // The index to choose in the coming list or among the coming buttons
    // (-1: cancelled). A list is kept among the boxes with style -1 and a
    // question with buttons with style -2, their items or captions on lines
    // of their own after the prompt.
    void choose(int index) { choices_.append(index); }
    // The coming text questions' answers (none: cancelled); style -3.
    void giveText(std::optional<QString> text) { texts_.append(std::move(text)); }
    // The roles of the columns of the coming column question (empty:
    // cancelled); style -4, the sample's lines after the prompt.
    void assignColumns(QList<int> roles) { columns_.append(std::move(roles)); }
    // The paths the coming file dialogs give (empty: cancelled); style -5 to
    // open, -6 to save.
    void giveFile(const QString& path) { files_.append(path); }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    void endProgram() override { ++ends_; }
    int chooseItem(const QString& prompt, const QStringList& items, const QString& title) override;
    int askChoice(const QString& prompt, const QStringList& buttons, const QString& title) override;
    std::optional<QString> askText(const QString& prompt, const QString& suggested, const QString& title) override;
    QList<int> chooseColumns(const QString& prompt, const QList<QStringList>& sample, const QStringList& roles,
                             const QString& title) override;
    QString openFileName(const QString& title, const QString& folder, const QStringList& filters) override;
    QString saveFileName(const QString& title, const QString& suggested, const QStringList& filters,
                         QString* filter) override;

    // Runs while a box is up, to see the screen as the user sees it then.
    std::function<void()> whileShown;

    const QList<ShownBox>& boxes() const { return boxes_; }
    int ends() const { return ends_; }
    void reset() {
        boxes_.clear();
        answers_.clear();
        choices_.clear();
        texts_.clear();
        columns_.clear();
        files_.clear();
        ends_ = 0;
    }

private:
    Module1::Seam* previous_;
    QList<int> answers_;
    QList<int> choices_;
    QList<std::optional<QString>> texts_;
    QList<QList<int>> columns_;
    QStringList files_;
    QList<ShownBox> boxes_;
    int ends_ = 0;
};
