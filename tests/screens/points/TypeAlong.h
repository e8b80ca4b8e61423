// Typing a screen's boxes as a user does: into the first box, then TAB and
// the next value, so that the tab order is exercised too.
#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include "support/ScreenTest.h"

inline void typeAlong(QLineEdit* first, const QStringList& values) {
    typeInto(first, values.value(0));
    for (qsizetype i = 1; i < values.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        typeText(QApplication::focusWidget(), values[i]);
    }
}
