// Typing a screen's boxes the way a user does, and reading them back.
#pragma once

#include <QRadioButton>
#include <initializer_list>

#include "support/ScreenTest.h"

// Types into `first`, then TAB to each next box and types there: the tab
// order decides where every text lands, and hidden boxes are passed over.
inline void typeWithTab(QLineEdit* first, const QStringList& texts) {
    typeInto(first, texts.value(0));
    for (qsizetype i = 1; i < texts.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        typeText(QApplication::focusWidget(), texts[i]);
    }
}

// The texts of the boxes, in the order given.
inline QStringList textsOf(std::initializer_list<const QLineEdit*> boxes) {
    QStringList out;
    for (const QLineEdit* box : boxes) out << box->text();
    return out;
}

// Clicks an option button on its round mark.
inline void choose(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}
