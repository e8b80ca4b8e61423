// The frame's behaviour on every screen that writes a result file, as one
// type-parameterized suite. A screen joins it from its own test file:
//
//   struct HouFrame : FrameCase<方向距離> {
//       static inline const QStringList tabOrder{"Text1", ..., "Command4"};
//       static void enterValid(Screen* w) { fill(w, {{"Text1", "0"}, ...}); }
//       static void enterInvalid(Screen* w) { fill(w, {{"Text1", ""}, ...}); }
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(方向距離, FileScreenFrame, HouFrame);
//
// The case names the buttons and boxes by objectName where they differ from
// the usual column (Command1 … Command4, focus in Text1), and lists the
// stops of the Tab key from the first box round to it again (a pair of
// option buttons is one stop).
#pragma once

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <initializer_list>
#include <utility>

#include "frame/Book.h"
#include "support/ScreenTest.h"
#include "survey/arith.h"

template <class S>
struct FrameCase {
    using Screen = S;
    static constexpr const char* calculateButton = "Command1";
    static constexpr const char* clearButton = "Command2";
    static constexpr const char* exitButton = "Command4";
    // Where the focus goes after clear and after refused input.
    static constexpr const char* clearFocus = "Text1";
    static constexpr const char* refusalFocus = "Text1";
    // Message boxes a valid calculation shows besides any file error (the
    // result box of 座標面積, the "see the file" box of others).
    static constexpr int boxesPerCalculation = 0;
    // The points Ctrl+R puts in the book after the valid input, and
    // whether the screen shows them (結合トラ's go to its file only).
    static constexpr std::size_t resultPoints = 0;
    static constexpr bool resultsShown = true;
    // Typed over the valid input: one value leaves the range of a double,
    // as typed or as its result.
    static void typeOverflow(Screen* w) { fill(w, {{"Text1", QStringLiteral("1e400")}}); }

    // Types into boxes found by objectName, in the given order.
    static void fill(Screen* w, std::initializer_list<std::pair<const char*, QString>> entries) {
        for (const auto& [name, text] : entries) typeInto(find<QLineEdit>(w, name), text);
    }
    // The control of that name; a screen without one fails the test there.
    template <class T>
    static T* find(Screen* w, const char* name) {
        T* found = w->template findChild<T*>(QString::fromUtf8(name));
        require(found != nullptr, std::string("the screen has no ") + name);
        return found;
    }
};

template <class Case>
class FileScreenFrame : public ScreenTest {
protected:
    using Screen = typename Case::Screen;
    Screen* w = nullptr;

    void SetUp() override { w = openWindow(new Screen); }

    QPushButton* button(const char* name) { return Case::template find<QPushButton>(w, name); }
    QWidget* widget(const char* name) { return Case::template find<QWidget>(w, name); }
    QString file() const { return QString::fromStdString(w->resultFile()->fileName()); }

    void calculateValid() {
        Case::enterValid(w);
        press(button(Case::calculateButton));
        require(boxes.boxes().size() == Case::boxesPerCalculation,
                std::to_string(boxes.boxes().size()) + " message boxes after the valid input (a file error?)");
        require(desktop.exists(file()), "the valid input wrote no file");
        boxes.reset();
    }
    bool everyBoxEmpty() const {
        for (const QLineEdit* box : w->template findChildren<QLineEdit*>())
            if (!box->text().isEmpty()) return false;
        return true;
    }
    void expectOnlyTheQuestion() { expectOnlyDeleteQuestion(boxes, ResultFileDialogs::deleteQuestion(file())); }
};

TYPED_TEST_SUITE_P(FileScreenFrame);

TYPED_TEST_P(FileScreenFrame, TabGoesRoundTheBoxesAndTheButtons) {
    const QStringList& stops = TypeParam::tabOrder;
    ASSERT_FALSE(stops.isEmpty());
    this->widget(stops[0].toUtf8().constData())->setFocus();
    for (qsizetype i = 1; i <= stops.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), stops[i % stops.size()]);
    }
}

TYPED_TEST_P(FileScreenFrame, ClearAndExitAskNothingWithoutAResult) {
    // Typed, not calculated: clear empties without a question.
    TypeParam::enterValid(this->w);
    this->boxes.reset();
    press(this->button(TypeParam::clearButton));
    EXPECT_TRUE(this->boxes.boxes().isEmpty());
    EXPECT_TRUE(this->everyBoxEmpty());
    EXPECT_EQ(QApplication::focusWidget(), this->widget(TypeParam::clearFocus));
    press(this->button(TypeParam::exitButton));
    EXPECT_TRUE(this->boxes.boxes().isEmpty());
    EXPECT_EQ(this->boxes.ends(), 1);
}

TYPED_TEST_P(FileScreenFrame, TheFirstValidCalculationStartsTheLineAndWrites) {
    ASSERT_NE(this->w->Timer1, nullptr);
    EXPECT_FALSE(this->w->Timer1->isActive());
    this->calculateValid();
    EXPECT_TRUE(this->w->Timer1->isActive());
    EXPECT_EQ(this->w->Timer1->interval(), 50);
    EXPECT_TRUE(this->w->calculationShown());
}

TYPED_TEST_P(FileScreenFrame, ClearAfterAResultAsksYesDeletesNoKeeps) {
    this->calculateValid();
    const QByteArray written = this->desktop.bytes(this->file());
    this->boxes.answer(Module1::No);
    press(this->button(TypeParam::clearButton));
    this->expectOnlyTheQuestion();
    EXPECT_EQ(this->desktop.bytes(this->file()), written);
    EXPECT_TRUE(this->everyBoxEmpty());
    EXPECT_FALSE(this->w->calculationShown());
    EXPECT_EQ(QApplication::focusWidget(), this->widget(TypeParam::clearFocus));

    this->boxes.reset();
    this->calculateValid();
    const QByteArray beforeYes = this->desktop.bytes(this->file());
    const QString trash = this->desktop.trashFolder();
    const QStringList inTrash = trash.isEmpty() ? QStringList() : QDir(trash).entryList(QDir::Files);
    this->boxes.answer(Module1::Yes);
    press(this->button(TypeParam::clearButton));
    this->expectOnlyTheQuestion();
    EXPECT_FALSE(this->desktop.exists(this->file()));
    // Gone from the Desktop, but whole in the trash, where the user can get
    // it back (under a name of the trash's choosing); where the system has
    // no trash, deleted outright.
    if (!trash.isEmpty()) {
        QStringList added = QDir(trash).entryList(QDir::Files);
        for (const QString& old : inTrash) added.removeOne(old);
        ASSERT_EQ(added.size(), 1) << added.join(' ').toStdString();
        QFile trashed(QDir(trash).filePath(added[0]));
        ASSERT_TRUE(trashed.open(QIODevice::ReadOnly));
        EXPECT_EQ(trashed.readAll(), beforeYes);
    }
    // The next calculation starts a new file.
    this->boxes.reset();
    this->calculateValid();
    EXPECT_EQ(this->desktop.bytes(this->file()), written);
}

TYPED_TEST_P(FileScreenFrame, AFileAlreadyGoneIsNoErrorOnYes) {
    this->calculateValid();
    ASSERT_TRUE(QFile::remove(this->desktop.file(this->file())));
    this->boxes.answer(Module1::Yes);
    press(this->button(TypeParam::clearButton));
    this->expectOnlyTheQuestion();  // and no failure box
}

TYPED_TEST_P(FileScreenFrame, ExitAfterAResultAsksThenEnds) {
    this->calculateValid();
    this->boxes.answer(Module1::No);
    press(this->button(TypeParam::exitButton));
    this->expectOnlyTheQuestion();
    EXPECT_TRUE(this->desktop.exists(this->file()));
    EXPECT_EQ(this->boxes.ends(), 1);

    this->boxes.reset();
    this->boxes.answer(Module1::Yes);
    press(this->button(TypeParam::exitButton));
    this->expectOnlyTheQuestion();
    EXPECT_FALSE(this->desktop.exists(this->file()));
    EXPECT_EQ(this->boxes.ends(), 1);
}

TYPED_TEST_P(FileScreenFrame, RefusedInputEmptiesFocusesAndWritesNothing) {
    TypeParam::enterInvalid(this->w);
    press(this->button(TypeParam::calculateButton));
    ASSERT_EQ(this->boxes.boxes().size(), 1);
    EXPECT_EQ(this->boxes.boxes()[0].prompt,
              QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
    EXPECT_EQ(this->boxes.boxes()[0].title, QStringLiteral("注意"));
    EXPECT_EQ(this->boxes.boxes()[0].style, 16);
    EXPECT_TRUE(this->everyBoxEmpty());
    EXPECT_EQ(QApplication::focusWidget(), this->widget(TypeParam::refusalFocus));
    EXPECT_FALSE(this->w->Timer1->isActive());
    EXPECT_FALSE(this->desktop.exists(this->file()));
}

TYPED_TEST_P(FileScreenFrame, ANumberBeyondTheRangeOfADoubleIsRefusedAndNothingWritten) {
    TypeParam::enterValid(this->w);
    TypeParam::typeOverflow(this->w);
    press(this->button(TypeParam::calculateButton));
    ASSERT_EQ(this->boxes.boxes().size(), 1);
    EXPECT_EQ(this->boxes.boxes()[0].prompt,
              QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"));
    EXPECT_FALSE(this->w->calculationShown());
    EXPECT_FALSE(this->w->Timer1->isActive());
    EXPECT_FALSE(this->desktop.exists(this->file()));
}

// Ctrl+R puts the results in the book under the name asked for; a single
// point as the screen shows it.
TYPED_TEST_P(FileScreenFrame, CtrlRRegistersTheResultsInTheBook) {
    this->calculateValid();
    if (TypeParam::resultPoints) this->boxes.giveText(QStringLiteral("試"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::ControlModifier);
    const std::vector<survey::BookPoint>& points = Book::instance().points();
    ASSERT_EQ(points.size(), TypeParam::resultPoints);
    if (points.size() != 1 || !TypeParam::resultsShown) return;
    QStringList shown;
    for (const QLabel* label : this->w->template findChildren<QLabel*>())
        if (label->isVisible()) shown << label->text();
    EXPECT_TRUE(shown.contains(QString::fromStdString(survey::numberText(points[0].x))) &&
                shown.contains(QString::fromStdString(survey::numberText(points[0].y))))
        << points[0].x << " " << points[0].y << " among " << shown.join(u'|').toStdString();
}

REGISTER_TYPED_TEST_SUITE_P(FileScreenFrame, ANumberBeyondTheRangeOfADoubleIsRefusedAndNothingWritten,
                            CtrlRRegistersTheResultsInTheBook, TabGoesRoundTheBoxesAndTheButtons,
                            ClearAndExitAskNothingWithoutAResult, AFileAlreadyGoneIsNoErrorOnYes,
                            TheFirstValidCalculationStartsTheLineAndWrites, ClearAfterAResultAsksYesDeletesNoKeeps,
                            ExitAfterAResultAsksThenEnds, RefusedInputEmptiesFocusesAndWritesNothing);
