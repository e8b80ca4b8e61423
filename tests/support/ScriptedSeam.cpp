#include "support/ScriptedSeam.h"

#include <gtest/gtest.h>

ScriptedSeam::ScriptedSeam() : previous_(Module1::setSeam(this)) {}

ScriptedSeam::~ScriptedSeam() {
    Module1::setSeam(previous_);
    EXPECT_TRUE(answers_.isEmpty()) << "scripted answers left over: " << answers_.size();
    EXPECT_TRUE(choices_.isEmpty()) << "scripted choices left over: " << choices_.size();
    EXPECT_TRUE(texts_.isEmpty()) << "scripted texts left over: " << texts_.size();
    EXPECT_TRUE(columns_.isEmpty()) << "scripted columns left over: " << columns_.size();
    EXPECT_TRUE(files_.isEmpty()) << "scripted files left over: " << files_.size();
}

namespace {

// The next scripted answer, or `none` with a failure when none was scripted.
template <class T>
T next(QList<T>& answers, const T& none, const QString& what) {
    if (!answers.isEmpty()) return answers.takeFirst();
    ADD_FAILURE() << "unexpected " << what.toStdString();
    return none;
}

QString lines(const QString& first, const QStringList& rest) { return (QStringList{first} + rest).join(u'\n'); }

}  // namespace

int ScriptedSeam::askChoice(const QString& prompt, const QStringList& buttons, const QString& title) {
    boxes_.append({lines(prompt, buttons), -2, title});
    if (whileShown) whileShown();
    return next(choices_, -1, "question: " + prompt);
}

std::optional<QString> ScriptedSeam::askText(const QString& prompt, const QString& suggested, const QString& title) {
    boxes_.append({lines(prompt, {suggested}), -3, title});
    return next(texts_, std::optional<QString>(), "text question: " + prompt);
}

QList<int> ScriptedSeam::chooseColumns(const QString& prompt, const QList<QStringList>& sample,
                                       const QStringList& roles, const QString& title) {
    QStringList rows;
    for (const QStringList& row : sample) rows << row.join(u'\t');
    boxes_.append({lines(prompt, rows), -4, title});
    (void)roles;
    return next(columns_, QList<int>(), "column question: " + prompt);
}

QString ScriptedSeam::openFileName(const QString& title, const QString& folder, const QStringList& filters) {
    boxes_.append({lines(folder, filters), -5, title});
    return next(files_, QString(), "file dialog: " + title);
}

QString ScriptedSeam::saveFileName(const QString& title, const QString& suggested, const QStringList& filters,
                                   QString* filter) {
    boxes_.append({lines(suggested, filters), -6, title});
    const QString path = next(files_, QString(), "file dialog: " + title);
    if (filter && filter->isEmpty() && !filters.isEmpty()) *filter = filters.first();
    return path;
}

int ScriptedSeam::chooseItem(const QString& prompt, const QStringList& items, const QString& title) {
    boxes_.append({QStringList{prompt, items.join(QLatin1Char('\n'))}.join(QLatin1Char('\n')), -1, title});
    if (choices_.isEmpty()) {
        ADD_FAILURE() << "unexpected list: " << prompt.toStdString();
        return -1;
    }
    return choices_.takeFirst();
}

int ScriptedSeam::msgBox(const QString& prompt, int style, const QString& title) {
    boxes_.append({prompt, style, title});
    if (whileShown) whileShown();
    if ((style & 0x0F) != Module1::YesNo && (style & 0x0F) != Module1::YesNoCancel) return Module1::Ok;
    if (answers_.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << prompt.toStdString();
        return Module1::No;
    }
    return answers_.takeFirst();
}
