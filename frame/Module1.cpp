#include "frame/Module1.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMargins>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWidget>
#include <cmath>
#include <memory>

#include "frame/Controls.h"

namespace Module1 {
namespace {

class DialogSeam final : public Seam {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        const std::unique_ptr<QMessageBox> box(messageBox(prompt, style, title, QApplication::activeWindow()));
        const int pressed = box->exec();
        if (pressed == QMessageBox::Yes) return Yes;
        if (pressed == QMessageBox::No) return No;
        return Ok;
    }

    void endProgram() override {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    }

    int chooseItem(const QString& prompt, const QStringList& items, const QString& title) override {
        LoadQtTranslation();
        bool chosen = false;
        const QString item =
            QInputDialog::getItem(QApplication::activeWindow(), title, prompt, items, 0, false, &chosen);
        return chosen ? int(items.indexOf(item)) : -1;
    }
};

DialogSeam& dialogSeam() {
    static DialogSeam seam;
    return seam;
}

Seam* current = nullptr;

Seam& seam() { return current ? *current : dialogSeam(); }

}  // namespace

QMessageBox* messageBox(const QString& prompt, int style, const QString& title, QWidget* parent) {
    LoadQtTranslation();
    auto* box = new QMessageBox(parent);
    box->setWindowTitle(title);
    box->setText(prompt);
    switch (style & 0xF0) {
        case Critical: box->setIcon(QMessageBox::Critical); break;
        case Information: box->setIcon(QMessageBox::Information); break;
        default: box->setIcon(QMessageBox::NoIcon); break;
    }
    if ((style & 0x0F) == YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // Japanese buttons even where Qt's own translation is not installed.
    const std::pair<QMessageBox::StandardButton, QString> japanese[] = {
        {QMessageBox::Yes, QStringLiteral("はい(&Y)")},
        {QMessageBox::No, QStringLiteral("いいえ(&N)")},
    };
    for (const auto& [which, text] : japanese) {
        QAbstractButton* button = box->button(which);
        if (button && !button->text().contains(text.left(2))) button->setText(text);
    }
    // Wide enough that the window manager shows the whole title.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const int width = box->fontMetrics().horizontalAdvance(title) + 160;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    return box;
}

bool LoadQtTranslation() {
    static QTranslator* translator = nullptr;
    if (translator) return true;
    auto* loaded = new QTranslator(QCoreApplication::instance());
    if (!loaded->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete loaded;
        return false;
    }
    QCoreApplication::installTranslator(loaded);
    translator = loaded;
    return true;
}

Seam* setSeam(Seam* seam) {
    Seam* old = current;
    current = seam;
    return old;
}

int MsgBox(const QString& prompt, int style, const QString& title) { return seam().msgBox(prompt, style, title); }

int centredEdge(int screenTwips, int windowTwips) {
    // Single precision, then to a 32-bit integer with halves to even.
    const float free = static_cast<float>(screenTwips) - static_cast<float>(windowTwips);
    const int whole = static_cast<int>(std::nearbyintf(free));
    return whole / 2;  // truncates toward zero
}

namespace {

// The window manager's frame round a window (title bar and borders); null
// while the window has none yet.
QMargins frameOf(const QWidget* form) {
    const QRect outer = form->frameGeometry(), inner = form->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The last frame seen: a window not shown yet will most likely get the same.
QMargins& usualFrame() {
    static QMargins frame;
    return frame;
}

void place(QWidget* form, const QMargins& frame) {
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    // The outer size of the window, frame included, as the user sees it.
    const QSize outer = form->size().grownBy(frame);
    const int left = centredEdge(twips(area.width()), twips(outer.width()));
    const int top = centredEdge(twips(area.height()), twips(outer.height()));
    form->move(area.left() + pixels(left), area.top() + pixels(top));
}

// The frame of a new window is known only once the window manager has put
// it round the shown window: centre once more then, if it is not the
// frame assumed.
void placeAgainWhenFramed(QWidget* form, QMargins assumed) {
    constexpr int kEveryMs = 20, kForMs = 1000;
    const QDeadlineTimer deadline(kForMs);
    auto* timer = new QTimer(form);
    timer->setInterval(kEveryMs);
    QObject::connect(timer, &QTimer::timeout, form, [form, timer, assumed, deadline] {
        const QMargins frame = form->isVisible() ? frameOf(form) : QMargins();
        if (!frame.isNull()) {
            usualFrame() = frame;
            if (frame != assumed) place(form, frame);
        }
        if (!frame.isNull() || deadline.hasExpired()) timer->deleteLater();
    });
    timer->start();
}

}  // namespace

void CenterForm(QWidget* form) {
    const QMargins frame = frameOf(form);
    if (!frame.isNull()) {
        usualFrame() = frame;
        place(form, frame);
        return;
    }
    place(form, usualFrame());
    placeAgainWhenFramed(form, usualFrame());
}

void ShowInputError() {
    MsgBox(QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"), Critical,
           QStringLiteral("注意"));
}

bool AskDelete(const QString& question) { return MsgBox(question, YesNo, QStringLiteral("ファイルの削除")) == Yes; }

void ShowInformation(const QString& prompt, const QString& title) { MsgBox(prompt, Information, title); }

void ShowResult(const QString& prompt, const QString& title) { MsgBox(prompt, OkOnly, title); }

void ShowFailure(const QString& prompt, const QString& title) { MsgBox(prompt, Critical, title); }

void ShowAreaHint() {
    ShowInformation(QStringLiteral("X,Yを入力したあと INPUT ボタンを押します。"
                                   "その操作を区画数分繰り返したあと最後に計算ボタンを押して下さい。"),
                    QStringLiteral("計算方法"));
}

void EndProgram() { seam().endProgram(); }

int ChooseItem(const QString& prompt, const QStringList& items, const QString& title) {
    return seam().chooseItem(prompt, items, title);
}

}  // namespace Module1
