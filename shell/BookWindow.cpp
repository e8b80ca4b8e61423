#include "shell/BookWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QShortcut>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "frame/Book.h"
#include "frame/BookFiles.h"
#include "frame/BookModels.h"
#include "frame/Module1.h"

namespace {

bool isUndoOrRedo(const QKeyEvent* key) {
    const QKeyCombination combination = key->keyCombination();
    return combination == (Qt::ControlModifier | Qt::Key_Z) || combination == (Qt::ControlModifier | Qt::Key_Y) ||
           combination == (Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z);
}

// Keeps Ctrl+Z and Ctrl+Y for the book in a line edit (the filter box, a
// cell's editor), which would otherwise take them for its own typing:
// not accepting the override lets the window's shortcut have the key, and
// the key itself is dropped when there is nothing to undo.
class BookKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
            return isUndoOrRedo(static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }
};

// The cells' editors keep the book's keys too.
class BookDelegate : public QStyledItemDelegate {
public:
    BookDelegate(QObject* keys, QObject* parent) : QStyledItemDelegate(parent), keys_(keys) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor) editor->installEventFilter(keys_);
        return editor;
    }

private:
    QObject* keys_;
};

}  // namespace

座標簿::座標簿(QWidget* parent) : QMainWindow(parent, Qt::Tool) {
    const QString title = QStringLiteral("座標簿");
    setObjectName(title);
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    Book& book = Book::instance();
    auto* keys = new BookKeys(this);

    Filter = new QLineEdit;
    Filter->setObjectName(QStringLiteral("Filter"));
    Filter->setAccessibleName(QStringLiteral("絞り込み"));
    Filter->setPlaceholderText(QStringLiteral("点番または点名で絞り込み（Ctrl+F）"));
    Filter->setClearButtonEnabled(true);
    Filter->installEventFilter(keys);
    QObject::connect(Filter, &QLineEdit::textChanged, this, [this](const QString& text) { filterChanged(text); });

    points_ = new BookPointsModel(book, this);
    parcels_ = new BookParcelsModel(book, this);
    PointTable = table("PointTable", QStringLiteral("座標簿の点"));
    PointTable->setModel(points_);
    PointTable->setItemDelegate(new BookDelegate(keys, PointTable));
    // A double click chooses the point: editing starts with F2 or by typing.
    PointTable->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // The selected points, in the table's order, for 座標面積 to take.
    QObject::connect(PointTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        std::vector<survey::PointNumber> numbers;
        QModelIndexList rows = PointTable->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end(),
                  [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
        for (const QModelIndex& row : rows) numbers.push_back(points_->point(row.row()).number);
        Book::instance().setSelection(std::move(numbers));
    });
    ParcelTable = table("ParcelTable", QStringLiteral("座標簿の区画"));
    ParcelTable->setModel(parcels_);
    ParcelTable->setEditTriggers(QAbstractItemView::NoEditTriggers);

    const QFontMetrics fm = fontMetrics();
    const int numberWidth = fm.horizontalAdvance(QStringLiteral("00000000")) + 16;
    const int nameWidth = fm.horizontalAdvance(QStringLiteral("点名点名点名点名")) + 16;
    const int coordinateWidth = fm.horizontalAdvance(QStringLiteral("-000000.0000")) + 16;
    for (const int column : {BookPointsModel::X, BookPointsModel::Y})
        PointTable->setColumnWidth(column, coordinateWidth);
    PointTable->setColumnWidth(BookPointsModel::Number, numberWidth);
    PointTable->setColumnWidth(BookPointsModel::Name, nameWidth);
    ParcelTable->setColumnWidth(BookParcelsModel::Number, numberWidth);
    ParcelTable->setColumnWidth(BookParcelsModel::Name, nameWidth);
    ParcelTable->setColumnWidth(BookParcelsModel::Count, numberWidth);

    QObject::connect(points_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { keepCurrentPoint(); });
    QObject::connect(points_, &QAbstractItemModel::modelReset, this, [this] { restoreCurrentPoint(); });
    QObject::connect(PointTable, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        PointTable->setCurrentIndex(index);
        chooseCurrentPoint();
    });
    for (const QKeySequence& enter : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(enter, PointTable, nullptr, nullptr, Qt::WidgetShortcut);
        QObject::connect(shortcut, &QShortcut::activated, this, [this] { chooseCurrentPoint(); });
    }

    Tabs = new QTabWidget;
    Tabs->setObjectName(QStringLiteral("Tabs"));
    Tabs->addTab(PointTable, QStringLiteral("点"));
    Tabs->addTab(ParcelTable, QStringLiteral("区画"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(Filter);
    layout->addWidget(Tabs, 1);
    setCentralWidget(central);

    OPEN = action(QStringLiteral("開く…"), "OPEN", {QKeySequence(Qt::ControlModifier | Qt::Key_O)});
    SAVE = action(QStringLiteral("上書き保存"), "SAVE", {QKeySequence(Qt::ControlModifier | Qt::Key_S)});
    SAVEAS = action(QStringLiteral("名前を付けて保存…"), "SAVEAS",
                    {QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_S)});
    PASTE = action(QStringLiteral("貼り付け"), "PASTE", {QKeySequence(Qt::ControlModifier | Qt::Key_V)});
    QObject::connect(OPEN, &QAction::triggered, this, [this] { openFile(); });
    QObject::connect(SAVE, &QAction::triggered, this, [this] { save(); });
    QObject::connect(SAVEAS, &QAction::triggered, this, [this] { saveAs(); });
    QObject::connect(PASTE, &QAction::triggered, this, [this] { paste(); });

    UNDO = book.undoStack()->createUndoAction(this, QStringLiteral("元に戻す"));
    UNDO->setObjectName(QStringLiteral("UNDO"));
    UNDO->setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_Z));
    REDO = book.undoStack()->createRedoAction(this, QStringLiteral("やり直し"));
    REDO->setObjectName(QStringLiteral("REDO"));
    REDO->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    addActions({UNDO, REDO});
    // Delete belongs to the tables: in the filter box it deletes characters.
    ADD = action(QStringLiteral("点の追加…"), "ADD", {QKeySequence(Qt::Key_Insert)});
    QObject::connect(ADD, &QAction::triggered, this, [] { BookFiles::addTyped(); });
    DEL = action(QStringLiteral("削除"), "DEL", {QKeySequence(Qt::Key_Delete)});
    DEL->setShortcutContext(Qt::WidgetShortcut);
    PointTable->addAction(DEL);
    ParcelTable->addAction(DEL);
    QObject::connect(DEL, &QAction::triggered, this, [this] { removeSelected(); });
    FIND = action(QStringLiteral("絞り込み"), "FIND", {QKeySequence(Qt::ControlModifier | Qt::Key_F)});
    QObject::connect(FIND, &QAction::triggered, this, [this] {
        Filter->setFocus(Qt::ShortcutFocusReason);
        Filter->selectAll();
    });

    QMenu* file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("FILE"));
    file->addActions({OPEN, SAVE, SAVEAS});
    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->setObjectName(QStringLiteral("EDIT"));
    edit->addActions({UNDO, REDO});
    edit->addSeparator();
    edit->addActions({ADD, PASTE, DEL});
    edit->addSeparator();
    edit->addAction(FIND);

    resize(600, 440);
}

QAction* 座標簿::action(const QString& text, const char* name, const QList<QKeySequence>& keys) {
    auto* a = new QAction(text, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcuts(keys);
    addAction(a);
    return a;
}

QTableView* 座標簿::table(const char* name, const QString& accessibleName) {
    auto* view = new QTableView;
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(accessibleName);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setWordWrap(false);
    // Rows of one height: a hundred thousand of them cost no more than ten.
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

void 座標簿::filterChanged(const QString& text) {
    filtering_ = true;
    points_->setFilter(text);
    parcels_->setFilter(text);
    filtering_ = false;
    if (PointTable->currentIndex().isValid()) PointTable->scrollTo(PointTable->currentIndex());
    else PointTable->scrollToTop();
}

void 座標簿::keepCurrentPoint() {
    const QModelIndex current = PointTable->currentIndex();
    kept_ = {current.isValid() ? points_->point(current.row()).number : 0, current.row(), current.column(),
             PointTable->verticalScrollBar()->value()};
}

void 座標簿::restoreCurrentPoint() {
    int row = kept_.number ? points_->rowOf(kept_.number) : -1;
    if (row < 0 && !filtering_ && kept_.row >= 0 && points_->rowCount() > 0)
        row = std::min(kept_.row, points_->rowCount() - 1);
    if (row >= 0)
        PointTable->selectionModel()->setCurrentIndex(points_->index(row, std::max(kept_.column, 0)),
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!filtering_) PointTable->verticalScrollBar()->setValue(kept_.scroll);
}

void 座標簿::removeSelected() {
    Book& book = Book::instance();
    QTableView* view = Tabs->currentWidget() == ParcelTable ? ParcelTable : PointTable;
    std::vector<int> rows;
    for (const QItemSelectionRange& range : view->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
    if (rows.empty() && view->currentIndex().isValid()) rows.push_back(view->currentIndex().row());
    if (view == ParcelTable) {
        std::vector<std::size_t> indexes;
        for (const int row : rows) indexes.push_back(parcels_->parcelIndex(row));
        book.removeParcels(std::move(indexes));
    } else {
        std::vector<survey::PointNumber> numbers;
        for (const int row : rows) numbers.push_back(points_->point(row).number);
        if (const std::size_t parcels = book.parcelsUsing(numbers);
            parcels > 0 &&
            Module1::MsgBox(QStringLiteral("削除する点は %1 件の区画の角になっています。"
                                           "区画からも除いて削除しますか？\n角がなくなった区画は削除されます。")
                                .arg(qulonglong(parcels)),
                            Module1::YesNo, windowTitle()) != Module1::Yes)
            return;
        book.removePoints(numbers);
    }
}

void 座標簿::chooseCurrentPoint() {
    const QModelIndex current = PointTable->currentIndex();
    if (current.isValid()) Book::instance().choose(points_->point(current.row()));
}

void 座標簿::openFile() { BookFiles::open(); }

void 座標簿::save() { BookFiles::save(); }

void 座標簿::saveAs() { BookFiles::saveAs(); }

void 座標簿::paste() { BookFiles::paste(QGuiApplication::clipboard()->text()); }
