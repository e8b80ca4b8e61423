#include "support/ScriptedSeam.h"

#include <gtest/gtest.h>

ScriptedSeam::ScriptedSeam() : previous_(Module1::setSeam(this)) {}

ScriptedSeam::~ScriptedSeam() {
    Module1::setSeam(previous_);
    EXPECT_TRUE(answers_.isEmpty()) << "scripted answers left over: " << answers_.size();
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
