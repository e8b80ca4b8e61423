#include "support/ScriptedSeam.h"

#include <gtest/gtest.h>

ScriptedSeam::ScriptedSeam() : previous_(Module1::setSeam(this)) {}

ScriptedSeam::~ScriptedSeam() {
    Module1::setSeam(previous_);
    EXPECT_TRUE(answers_.isEmpty()) << "scripted answers left over: " << answers_.size();
    EXPECT_TRUE(choices_.isEmpty()) << "scripted choices left over: " << choices_.size();
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
    if ((style & 0x0F) != Module1::YesNo) return Module1::Ok;
    if (answers_.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << prompt.toStdString();
        return Module1::No;
    }
    return answers_.takeFirst();
}
