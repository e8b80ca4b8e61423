#include "frame/Module1.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMargins>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <memory>

#include "frame/Controls.h"

namespace Module1 {
namespace {

// A table of the first lines with a choice of role above each column.
QList<int> columnDialog(const QString& prompt, const QList<QStringList>& sample, const QStringList& roles,
                        const QString& title) {
    LoadQtTranslation();
    QDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel(prompt);
    text->setWordWrap(true);
    layout->addWidget(text);
    qsizetype columns = 0;
    for (const QStringList& row : sample) columns = std::max(columns, row.size());
    auto* table = new QTableWidget(int(sample.size()) + 1, int(columns));
    table->setAccessibleName(prompt);
    QList<QComboBox*> choices;
    for (int c = 0; c < int(columns); ++c) {
        auto* choice = new QComboBox;
        choice->addItems(roles);
        choice->setAccessibleName(QStringLiteral("%1 列目").arg(c + 1));
        table->setCellWidget(0, c, choice);
        choices << choice;
        for (qsizetype r = 0; r < sample.size(); ++r)
            table->setItem(int(r) + 1, c, new QTableWidgetItem(sample[r].value(c)));
    }
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->resizeColumnsToContents();
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return {};
    QList<int> chosen;
    for (const QComboBox* choice : choices) chosen << choice->currentIndex();
    return chosen;
}

class DialogSeam final : public Seam {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        const std::unique_ptr<QMessageBox> box(messageBox(prompt, style, title, QApplication::activeWindow()));
        const int pressed = box->exec();
        if (pressed == QMessageBox::Yes) return Yes;
        if (pressed == QMessageBox::No) return No;
        if (pressed == QMessageBox::Cancel) return Cancel;
        return Ok;
    }

    void endProgram() override {
        ending = true;
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    }

    bool ending = false;

    int chooseItem(const QString& prompt, const QStringList& items, const QString& title) override {
        LoadQtTranslation();
        bool chosen = false;
        const QString item =
            QInputDialog::getItem(QApplication::activeWindow(), title, prompt, items, 0, false, &chosen);
        return chosen ? int(items.indexOf(item)) : -1;
    }

    int askChoice(const QString& prompt, const QStringList& buttons, const QString& title) override {
        const std::unique_ptr<QMessageBox> box(messageBox(prompt, OkOnly, title, QApplication::activeWindow()));
        box->setStandardButtons(QMessageBox::NoButton);
        QList<QAbstractButton*> pressable;
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const bool cancels = i + 1 == buttons.size();
            pressable << box->addButton(buttons[i], cancels ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        }
        if (!pressable.isEmpty()) {
            box->setDefaultButton(qobject_cast<QPushButton*>(pressable.first()));
            box->setEscapeButton(pressable.last());
        }
        box->exec();
        return int(pressable.indexOf(box->clickedButton()));
    }

    std::optional<QString> askText(const QString& prompt, const QString& suggested, const QString& title) override {
        LoadQtTranslation();
        bool given = false;
        const QString text =
            QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, suggested, &given);
        return given ? std::optional<QString>(text) : std::nullopt;
    }

    QList<int> chooseColumns(const QString& prompt, const QList<QStringList>& sample, const QStringList& roles,
                             const QString& title) override {
        return columnDialog(prompt, sample, roles, title);
    }

    QString openFileName(const QString& title, const QString& folder, const QStringList& filters) override {
        LoadQtTranslation();
        const QPointer<QWidget> over = QApplication::activeWindow();
        const QString path = QFileDialog::getOpenFileName(over, title, folder, filters.join(QStringLiteral(";;")));
        giveBackTheKeyboard(over);
        return path;
    }

    QString saveFileName(const QString& title, const QString& suggested, const QStringList& filters,
                         QString* filter) override {
        LoadQtTranslation();
        const QPointer<QWidget> over = QApplication::activeWindow();
        const QString path =
            QFileDialog::getSaveFileName(over, title, suggested, filters.join(QStringLiteral(";;")), filter);
        giveBackTheKeyboard(over);
        return path;
    }

private:
    // A window manager may hand the keyboard to another window than the
    // one a dialog went over (a tool window's, on X11): the window gets it
    // back.
    static void giveBackTheKeyboard(QWidget* window) {
        if (window && window->isVisible()) window->activateWindow();
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
    } else if ((style & 0x0F) == YesNoCancel) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // Japanese buttons even where Qt's own translation is not installed.
    const std::pair<QMessageBox::StandardButton, QString> japanese[] = {
        {QMessageBox::Yes, QStringLiteral("はい(&Y)")},
        {QMessageBox::No, QStringLiteral("いいえ(&N)")},
        {QMessageBox::Cancel, QStringLiteral("キャンセル")},
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

int AskChoice(const QString& prompt, const QStringList& buttons, const QString& title) {
    return seam().askChoice(prompt, buttons, title);
}

std::optional<QString> AskText(const QString& prompt, const QString& suggested, const QString& title) {
    return seam().askText(prompt, suggested, title);
}

QList<int> ChooseColumns(const QString& prompt, const QList<QStringList>& sample, const QStringList& roles,
                         const QString& title) {
    return seam().chooseColumns(prompt, sample, roles, title);
}

QString OpenFileName(const QString& title, const QString& folder, const QStringList& filters) {
    return seam().openFileName(title, folder, filters);
}

QString SaveFileName(const QString& title, const QString& suggested, const QStringList& filters, QString* filter) {
    return seam().saveFileName(title, suggested, filters, filter);
}

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

bool EndingProgram() { return dialogSeam().ending; }

int ChooseItem(const QString& prompt, const QStringList& items, const QString& title) {
    return seam().chooseItem(prompt, items, title);
}

}  // namespace Module1
