// Helpers for driving real screens in widget tests: open a window on the
// offscreen platform, type into boxes, press buttons, read result files.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "frame/Book.h"
#include "support/ScriptedSeam.h"
#include "support/TempDesktop.h"
#include "survey/cp932.h"

// Shows a window and waits until it is active, as a user would see it.
template <class W>
W* openWindow(W* window) {
    window->show();
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return window;
}

// Puts the focus in the box the way the program does (selecting its text)
// and types over it; an empty text erases the box.
// Text beyond ASCII arrives the way an input method commits it.
inline void typeText(QWidget* box, const QString& text) {
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(box, char(c.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QApplication::sendEvent(box, &commit);
        }
    }
}

inline void typeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    typeText(box, text);
}

inline void press(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

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

// A result file's bytes decoded from CP932, or "<missing>", or "<not CP932>".
inline QString decodedFile(const TempDesktop& desktop, const QString& name) {
    if (!desktop.exists(name)) return QStringLiteral("<missing>");
    const QByteArray bytes = desktop.bytes(name);
    const std::optional<std::string> text = survey::fromCp932(std::string_view(bytes.constData(), bytes.size()));
    return text ? QString::fromStdString(*text) : QStringLiteral("<not CP932>");
}

// The expected text of a file: the lines, each ended with CR LF.
inline QString crlf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

// Stops the test that called a helper when the helper meets what the rest
// of the test depends on missing: an ASSERT in a helper returns from the
// helper only. GoogleTest reports it as a failure of that test.
struct TestStopped : std::runtime_error {
    using std::runtime_error::runtime_error;
};
inline void require(bool ok, const std::string& what) {
    if (!ok) throw TestStopped(what);
}

// The only box shown was the delete question for a result file.
inline void expectOnlyDeleteQuestion(const ScriptedSeam& seam, const QString& question) {
    require(seam.boxes().size() == 1, std::to_string(seam.boxes().size()) + " message boxes, not the question alone");
    EXPECT_EQ(seam.boxes()[0].prompt, question);
    EXPECT_EQ(seam.boxes()[0].title, QStringLiteral("ファイルの削除"));
    EXPECT_EQ(seam.boxes()[0].style, 4);
}

inline QString separatorLine() { return QString(82, QLatin1Char('-')); }

// A fixture with a temporary Desktop and scripted message boxes; the
// window under test is closed at the end.
class ScreenTest : public ::testing::Test {
protected:
    TempDesktop desktop;
    ScriptedSeam boxes;

    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The book of points is the program's: each test starts with an empty one.
        Book::instance().reset();
    }
};
