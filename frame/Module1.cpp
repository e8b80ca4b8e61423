#include "frame/Module1.h"

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "frame/Controls.h"

namespace Module1 {
namespace {

class DialogSeam final : public Seam {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(title);
        box.setText(prompt);
        switch (style & 0xF0) {
            case Critical: box.setIcon(QMessageBox::Critical); break;
            case Information: box.setIcon(QMessageBox::Information); break;
            default: box.setIcon(QMessageBox::NoIcon); break;
        }
        if ((style & 0x0F) == YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::No);
        } else {
            box.setStandardButtons(QMessageBox::Ok);
        }
        // Wide enough that the window manager shows the whole title.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            const int width = box.fontMetrics().horizontalAdvance(title) + 160;
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
                          1, grid->columnCount());
        }
        const int pressed = box.exec();
        if (pressed == QMessageBox::Yes) return Yes;
        if (pressed == QMessageBox::No) return No;
        return Ok;
    }

    void endProgram() override {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
    }
};

DialogSeam& dialogSeam() {
    static DialogSeam seam;
    return seam;
}

Seam* current = nullptr;

Seam& seam() { return current ? *current : dialogSeam(); }

}  // namespace

Seam* setSeam(Seam* seam) {
    Seam* old = current;
    current = seam;
    return old;
}

int MsgBox(const QString& prompt, int style, const QString& title) {
    return seam().msgBox(prompt, style, title);
}

int centredEdge(int screenTwips, int windowTwips) {
    // Single precision, then to a 32-bit integer with halves to even.
    const float free = static_cast<float>(screenTwips) - static_cast<float>(windowTwips);
    const int whole = static_cast<int>(std::nearbyintf(free));
    return whole / 2;  // truncates toward zero
}

void CenterForm(QWidget* form) {
    QScreen* screen = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    // The outer size of the window, frame included, as the user sees it.
    QSize outer = form->frameGeometry().size();
    if (outer.isEmpty()) outer = form->size();
    const int left = centredEdge(twips(area.width()), twips(outer.width()));
    const int top = centredEdge(twips(area.height()), twips(outer.height()));
    form->move(area.left() + pixels(left), area.top() + pixels(top));
}

void ShowInputError() {
    MsgBox(QStringLiteral("入力されていないデータがあるか、データが適切ではありません。"), Critical,
           QStringLiteral("注意"));
}

bool AskDelete(const QString& question) {
    return MsgBox(question, YesNo, QStringLiteral("ファイルの削除")) == Yes;
}

void ShowInformation(const QString& prompt, const QString& title) { MsgBox(prompt, Information, title); }

void ShowResult(const QString& prompt, const QString& title) { MsgBox(prompt, OkOnly, title); }

void ShowFailure(const QString& prompt, const QString& title) { MsgBox(prompt, Critical, title); }

void ShowAreaHint() {
    ShowInformation(QStringLiteral("X,Yを入力したあと INPUT ボタンを押します。"
                                   "その操作を区画数分繰り返したあと最後に計算ボタンを押して下さい。"),
                    QStringLiteral("計算方法"));
}

void EndProgram() { seam().endProgram(); }

}  // namespace Module1
