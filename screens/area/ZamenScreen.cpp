#include "screens/area/ZamenScreen.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeData>
#include <QStandardPaths>
#include <QUrl>

#include "frame/Book.h"
#include "frame/BookFiles.h"
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
        action(QStringLiteral("座標簿から入力…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B),
               &座標面積::takeFromBook),
        action(QStringLiteral("区画として座標簿に登録"), QKeySequence(Qt::CTRL | Qt::Key_R), &座標面積::registerParcel),
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
    setPointPairs({{Text1, Text2}});
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
    // Typing to undo in the box comes first, as in every text box.
    if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()); box && box->isUndoAvailable()) {
        box->undo();
        return;
    }
    if (corners_.empty()) return;
    corners_.pop_back();
    cornersChanged();
    Label4->clear();  // the area was that of a list that is no more
}

void 座標面積::pasteCorners(const QString& text) {
    const std::string utf8 = text.toStdString();
    survey::CornerSource source = survey::readCornerTable(utf8);
    if (source.columns) {
        const std::optional<survey::ColumnRoles> roles = BookFiles::askColumns(*source.columns, QString());
        if (!roles) return;
        source = survey::readCornerTable(utf8, *roles);
    }
    takeCorners(source, QString());
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
    const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    survey::CornerSource source = survey::readCornerFile(view);
    if (source.columns) {
        const std::optional<survey::ColumnRoles> roles =
            BookFiles::askColumns(*source.columns, QStringLiteral("「%1」: ").arg(name));
        if (!roles) return;
        source = survey::readCornerFile(view, *roles);
    }
    takeCorners(source, name);
}

void 座標面積::chooseCornerFile() {
    const QString path = Module1::OpenFileName(
        QStringLiteral("座標ファイルを開く"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        {QStringLiteral("座標ファイル (*.sim *.SIM *.csv *.CSV *.txt *.TXT)"), QStringLiteral("すべてのファイル (*)")});
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
    addCorners(*corners, parcel, from, title);
}

void 座標面積::addCorners(const std::vector<survey::Corner>& corners, const QString& parcel, const QString& from,
                          const QString& title) {
    // With corners in the list already, the user says whether the new ones
    // follow them or take their place: the same parcel taken twice would
    // otherwise count twice.
    const QString what = (parcel.isEmpty() ? QString() : QStringLiteral("区画「%1」の ").arg(parcel)) +
                         QStringLiteral("%1 点").arg(number(corners.size()));
    // More than the list can hold is told first; more than it can still
    // take, once the user has said to add rather than replace.
    auto tooMany = [&](std::size_t kept) {
        if (corners.size() <= kMaxCorners - kept) return false;
        Module1::ShowFailure(
            from +
                QStringLiteral("%1 点は入力できません。入力できる座標は10001点までです。").arg(number(corners.size())) +
                (kept ? QStringLiteral("入力済みの%1点を合わせると超えます。").arg(number(kept)) : QString()) +
                QStringLiteral("何も追加しませんでした。"),
            title);
        return true;
    };
    if (tooMany(0)) return;
    bool replacing = false;
    if (corners_.empty()) {
        if (Module1::MsgBox(what + QStringLiteral("の座標を入力しますか？"), Module1::YesNo,
                            QStringLiteral("座標の入力")) != Module1::Yes)
            return;
    } else {
        const int choice = Module1::AskChoice(
            QStringLiteral("入力済みの %1 点のあとに ").arg(number(corners_.size())) + what +
                QStringLiteral("を追加しますか？\n「置き換え」では入力済みの点を消して、新しい点だけにします。"),
            {QStringLiteral("追加"), QStringLiteral("置き換え"), QStringLiteral("キャンセル")},
            QStringLiteral("座標の入力"));
        if (choice != 0 && choice != 1) return;
        replacing = choice == 1;
        if (!replacing && tooMany(corners_.size())) return;
    }

    // As that many presses of INPUT would leave the screen; the area shown
    // was that of the list before.
    if (replacing) corners_.clear();
    corners_.insert(corners_.end(), corners.begin(), corners.end());
    cornersChanged();
    Label4->clear();
    Text1->setText(shown(corners_.back().x));
    Text2->setText(shown(corners_.back().y));
    Text1->setFocus();
    Text1->selectAll();
    showDrawing();
}

void 座標面積::takeFromBook() {
    const QString title = QStringLiteral("座標簿から入力");
    const Book& book = Book::instance();
    // The parcels of the book, then the points selected in the book window.
    QStringList items;
    std::vector<std::pair<QString, std::vector<survey::PointNumber>>> choices;
    for (const survey::BookParcel& p : book.parcels()) {
        const QString name = QString::fromStdString(p.name);
        items << QStringLiteral("区画「%1」（%2 点）").arg(name, number(p.corners.size()));
        choices.emplace_back(name, p.corners);
    }
    if (!book.selection().empty()) {
        items << QStringLiteral("座標簿で選んだ %1 点").arg(number(book.selection().size()));
        choices.emplace_back(QString(), book.selection());
    }
    if (items.isEmpty()) {
        Module1::ShowInformation(QStringLiteral("座標簿に区画がありません。座標簿で点を選ぶこともできます。"), title);
        return;
    }
    const int chosen =
        Module1::ChooseItem(QStringLiteral("座標簿から入力する区画か点を選んでください。"), items, title);
    if (chosen < 0) return;
    const auto& [name, numbers] = choices[std::size_t(chosen)];
    std::vector<survey::Corner> corners;
    for (const survey::PointNumber n : numbers) {
        const survey::BookPoint* p = book.find(n);
        if (!p) {
            Module1::ShowFailure(QStringLiteral("点 %1 が座標簿にありません。").arg(n), title);
            return;
        }
        corners.push_back({p->x, p->y});
    }
    if (corners.empty()) {
        Module1::ShowFailure(QStringLiteral("区画「%1」には点がありません。").arg(name), title);
        return;
    }
    addCorners(corners, name, QString(), title);
}

void 座標面積::registerParcel() {
    const QString title = QStringLiteral("座標簿に登録");
    if (corners_.size() < 3) {
        Module1::ShowInformation(QStringLiteral("区画として登録するには 3 点以上の座標を入力してください。"), title);
        return;
    }
    Book& book = Book::instance();
    const std::optional<QString> name =
        Module1::AskText(QStringLiteral("座標簿に登録する区画の名前を入力してください。"),
                         QStringLiteral("区画%1").arg(book.data().nextFreeParcelNumber()), title);
    if (!name) return;
    // A corner that is a point of the book (the same X and Y) is that point;
    // the others become new points under the parcel's name.
    QHash<QPair<double, double>, survey::PointNumber> known;
    for (const survey::BookPoint& p : book.points()) known.insert({p.x, p.y}, p.number);
    const std::optional<survey::PointNumber> first = book.data().nextFreeNumber();
    std::vector<survey::BookPoint> added;
    survey::BookParcel parcel{book.data().nextFreeParcelNumber(), name->toStdString(), {}};
    for (const survey::Corner& c : corners_) {
        if (const auto at = known.constFind({c.x, c.y}); at != known.cend()) {
            parcel.corners.push_back(*at);
            continue;
        }
        if (!first || survey::kMaxPointNumber - *first < survey::PointNumber(added.size())) {
            Module1::ShowFailure(QStringLiteral("点番が上限に達しているため、座標簿に登録できません。"), title);
            return;
        }
        const survey::PointNumber n = *first + survey::PointNumber(added.size());
        added.push_back({n, (*name + u'-' + QString::number(added.size() + 1)).toStdString(), c.x, c.y, {}});
        known.insert({c.x, c.y}, n);
        parcel.corners.push_back(n);
    }
    const std::size_t newPoints = added.size();
    book.undoStack()->beginMacro(QStringLiteral("区画「%1」の登録").arg(*name));
    if (!added.empty()) book.putPoints(std::move(added));
    book.addParcel(std::move(parcel));
    book.undoStack()->endMacro();
    Module1::ShowInformation(QStringLiteral("区画「%1」（%2 点）を座標簿に登録しました。新しい点は %3 点です。")
                                 .arg(*name, number(corners_.size()), number(newPoints)),
                             title);
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
