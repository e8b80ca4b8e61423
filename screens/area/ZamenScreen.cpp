#include "screens/area/ZamenScreen.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>
#include <QUrl>

#include "frame/Module1.h"
#include "screens/area/ParcelDrawing.h"
#include "survey/cornerimport.h"

namespace {

// The largest coordinate file read: ten thousand corners take well under
// one megabyte, SIMA files with all their other records a few.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

QString number(std::size_t n) { return QString::number(qulonglong(n)); }

}  // namespace

座標面積::座標面積(QWidget* parent)
    : CalcScreen(QStringLiteral("座標面積"), QStringLiteral("座標面積計算"), 6855, 4020, parent) {
    instructionLine(instructionLong(), true);

    // The corner row: its number, then X and Y under their headings.
    Label5 = caption("Label5", 1080, 780, QStringLiteral("X　座標"));
    Label6 = caption("Label6", 3000, 780, QStringLiteral("Y　座標"));
    Label2 = resultLabel("Label2", 240, 1080, 720);
    Label2->setAlignment(Qt::AlignCenter);
    Text1 = textBox("Text1", 1080, 1080);
    Text2 = textBox("Text2", 3000, 1080);

    Label3 = caption("Label3", 1080, 1800, QStringLiteral("面積 ="));
    Label4 = resultLabel("Label4", 1800, 1680, 2775);

    describe(Text1, Label5);
    describe(Text2, Label6);
    describe(Label2, QStringLiteral("次に入力する点の番号"));
    describe(Label4, Label3);

    // INPUT beside the corner row, calculate beside the area, then the rest.
    Command1 = commandButton("Command1", QStringLiteral("INPUT"), 5520, 1080);
    Command2 = commandButton("Command2", QStringLiteral("計　　算"), 5520, 1680);
    Command3 = commandButton("Command3", QStringLiteral("C L S"), 5520, 2280);
    Command4 = commandButton("Command4", QStringLiteral("M E N U"), 5520, 2880);
    Command5 = commandButton("Command5", QStringLiteral("終　　了"), 5520, 3480);
    QObject::connect(Command1, &QPushButton::clicked, this, [this] { inputCorner(); });
    wireButtons(Buttons{Command2, Command3, Command4, Command5});

    setTabChain({Text1, Text2, Command1, Command2, Command3, Command4, Command5});

    // Corners from outside, the drawing and taking a corner back: on the
    // window's context menu and the boxes', with their keys.
    const QList<QAction*> extras{
        action(QStringLiteral("座標ファイルを開く…"), QKeySequence(Qt::CTRL | Qt::Key_O), &座標面積::chooseCornerFile),
        action(QStringLiteral("区画図を表示"), QKeySequence(Qt::CTRL | Qt::Key_D), &座標面積::showDrawing),
        action(QStringLiteral("最後の点を取り消す"), QKeySequence(Qt::CTRL | Qt::Key_Z), &座標面積::takeBackCorner),
    };
    setContextMenuPolicy(Qt::ActionsContextMenu);
    addActions(extras);
    for (TextBox* box : {Text1, Text2}) {
        box->addActions(extras);
        box->onPasteLines([this](const QString& text) { pasteCorners(text); });
        box->setAcceptDrops(false);  // a file dropped on a box is the window's
    }
    setAcceptDrops(true);

    setResultFile(QStringLiteral("座標面積DATA.TXT"));
    setKeepsInputList();
    const QList<QWidget*> fields{Text1, Text2, Label4};
    setShownFields(fields);
    setClearedFields(fields);
    forgetCorners();
    finishLoad();
}

QAction* 座標面積::action(const QString& text, const QKeySequence& keys, void (座標面積::*slot)()) {
    auto* a = new QAction(text, this);
    a->setShortcut(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(a, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    return a;
}

void 座標面積::forgetCorners() {
    corners_.clear();
    cornersChanged();
}

void 座標面積::cornersChanged() {
    Label2->setText(shown(double(corners_.size() + 1)));
    area_.reset();
    if (drawing_) drawing_->setCorners(corners_);
}

void 座標面積::inputCorner() {
    // A full list is told first: a missing box would discard it.
    if (corners_.size() >= kMaxCorners) {
        Module1::ShowFailure(QStringLiteral("入力できる座標は10001点までです。この座標は追加しませんでした。\n"
                                            "入力済みの10001点はそのまま残っています。"),
                             QStringLiteral("注意"));
        Text1->setFocus();
        return;
    }
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) {
        refuse();
        return;
    }
    if (QLineEdit* unreadable = firstUnreadable({Text1, Text2})) {
        refuseKeeping(unreadable);
        return;
    }
    corners_.push_back({value(Text1), value(Text2)});
    cornersChanged();
    Text1->setFocus();
    Text1->selectAll();
}

void 座標面積::takeBackCorner() {
    if (corners_.empty()) return;
    corners_.pop_back();
    cornersChanged();
}

void 座標面積::pasteCorners(const QString& text) {
    takeCorners(survey::readCornerTable(text.toStdString()), QString());
}

void 座標面積::openCornerFile(const QString& path) {
    const QFileInfo info(path);
    const QString name = info.fileName();
    const QString title = QStringLiteral("座標ファイル");
    if (info.isDir()) {
        Module1::ShowFailure(QStringLiteral("「%1」はフォルダーです。座標のファイルを選んでください。").arg(name),
                             title);
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QString why = !info.exists()       ? QStringLiteral("ファイルが見つかりません。")
                            : !info.isReadable() ? QStringLiteral("読み取りの権限がありません。")
                                                 : QStringLiteral("ファイルを読めません。");
        Module1::ShowFailure(QStringLiteral("「%1」を開けませんでした。%2").arg(name, why), title);
        return;
    }
    if (file.size() > kMaxFileBytes) {
        Module1::ShowFailure(QStringLiteral("「%1」は座標のファイルとしては大きすぎます（64 MB まで）。").arg(name),
                             title);
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Module1::ShowFailure(QStringLiteral("「%1」を最後まで読めませんでした。").arg(name), title);
        return;
    }
    takeCorners(survey::readCornerFile(std::string_view(bytes.constData(), std::size_t(bytes.size()))), name);
}

void 座標面積::chooseCornerFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("座標ファイルを開く"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QStringLiteral("座標ファイル (*.sim *.SIM *.csv *.CSV *.txt *.TXT);;すべてのファイル (*)"));
    if (!path.isEmpty()) openCornerFile(path);
}

void 座標面積::takeCorners(const survey::CornerSource& source, const QString& origin) {
    const QString title = origin.isEmpty() ? QStringLiteral("座標の貼り付け") : QStringLiteral("座標ファイル");
    const QString from = origin.isEmpty() ? QString() : QStringLiteral("「%1」: ").arg(origin);
    if (!source.error.empty()) {
        Module1::ShowFailure(from + QString::fromStdString(source.error), title);
        return;
    }
    // A SIMA file's parcel: the only one, or the one the user chooses.
    const std::vector<survey::Corner>* corners = &source.corners;
    QString parcel;
    if (!source.parcels.empty()) {
        std::size_t chosen = 0;
        if (source.parcels.size() > 1) {
            QStringList items;
            for (std::size_t i = 0; i < source.parcels.size(); ++i) {
                items << QStringLiteral("%1. %2（%3 点）")
                             .arg(number(i + 1), QString::fromStdString(source.parcels[i].name),
                                  number(source.parcels[i].corners.size()));
            }
            const int index = Module1::ChooseItem(
                from + QStringLiteral("%1 区画があります。入力する区画を選んでください。").arg(number(items.size())),
                items, title);
            if (index < 0) return;
            chosen = std::size_t(index);
        }
        corners = &source.parcels[chosen].corners;
        parcel = QString::fromStdString(source.parcels[chosen].name);
        if (corners->empty()) {
            Module1::ShowFailure(from + QStringLiteral("区画「%1」には点がありません。").arg(parcel), title);
            return;
        }
    }
    if (corners->size() > kMaxCorners - corners_.size()) {
        Module1::ShowFailure(from + QStringLiteral("%1 点は入力できません。入力できる座標は10001点までで、"
                                                   "入力済みの%2点を合わせると超えます。何も追加しませんでした。")
                                        .arg(number(corners->size()), number(corners_.size())),
                             title);
        return;
    }
    const QString question = (parcel.isEmpty() ? QString() : QStringLiteral("区画「%1」の ").arg(parcel)) +
                             QStringLiteral("%1 点の座標を入力しますか？").arg(number(corners->size()));
    if (Module1::MsgBox(question, Module1::YesNo, QStringLiteral("座標の入力")) != Module1::Yes) return;

    // As that many presses of INPUT would leave the screen.
    corners_.insert(corners_.end(), corners->begin(), corners->end());
    cornersChanged();
    Text1->setText(shown(corners_.back().x));
    Text2->setText(shown(corners_.back().y));
    Text1->setFocus();
    Text1->selectAll();
    showDrawing();
}

void 座標面積::showDrawing() {
    if (!drawing_) {
        drawing_ = new 区画図(this);
        drawing_->setCorners(corners_);
        if (area_) drawing_->setArea(*area_);
    }
    drawing_->showBeside(this);
}

void 座標面積::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void 座標面積::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    openCornerFile(urls.first().toLocalFile());
}

bool 座標面積::acceptsInput() const { return corners_.size() >= 3; }

void 座標面積::forgetKept() { forgetCorners(); }

Outcome 座標面積::compute() {
    const double area = survey::cornerArea(corners_);
    if (!allFinite({area})) return refused();
    const QString text = shown(area);
    Label4->setText(text);
    area_ = area;
    if (drawing_) drawing_->setArea(area);
    Module1::ShowResult(QStringLiteral("面積 = ") + text + QStringLiteral(" ㎡"), QStringLiteral("計算結果"));
    return recorded(survey::cornerAreaRecord(corners_, area));
}

void 座標面積::clear() {
    // Back to the load state: no corners, the instruction line at rest.
    if (calculationShown()) offerDelete();
    reload();
}
