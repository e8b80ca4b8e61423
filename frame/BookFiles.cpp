#include "frame/BookFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <string_view>

#include "frame/Book.h"
#include "frame/Module1.h"
#include "survey/bookfile.h"

namespace BookFiles {
namespace {

// The largest file read into the book: a hundred thousand points take a few
// megabytes.
constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

QString title() { return QStringLiteral("座標簿"); }
QString count(std::size_t n) { return QString::number(qulonglong(n)); }
QString shown(const QString& path) { return QDir::toNativeSeparators(path); }
std::filesystem::path fsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

// The book read from bytes, the columns asked for where a table's cannot be
// told; none, after telling why, when the bytes are refused or the user
// cancels.
std::optional<survey::PointBook> read(const QByteArray& bytes, const QString& from,
                                      const survey::ColumnRoles& roles = {}) {
    const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
    survey::BookReading reading = survey::readBook(view, roles);
    if (reading.columns) {
        const std::optional<survey::ColumnRoles> asked = askColumns(*reading.columns, from);
        if (!asked) return std::nullopt;
        reading = survey::readBook(view, *asked);
    }
    if (!reading.ok()) {
        Module1::ShowFailure(from + QString::fromStdString(reading.error), title());
        return std::nullopt;
    }
    return std::move(reading.book);
}

// Asks whether to save a changed book before it is set aside; false when
// the user would rather stay (キャンセル, or a save that failed).
bool askToSave() {
    if (!Book::instance().isModified()) return true;
    switch (Module1::MsgBox(QStringLiteral("座標簿の変更を保存しますか？"), Module1::YesNoCancel, title())) {
        case Module1::Yes: return save();
        case Module1::No: return true;
        default: return false;
    }
}

// Adds what was read to the book: the points whose numbers the book has
// already replace them, after a question, or are left out.
void add(survey::PointBook read, const QString& undoText) {
    Book& book = Book::instance();
    std::vector<survey::BookPoint> points = read.points();
    std::vector<survey::PointNumber> taken;
    for (const survey::BookPoint& p : points)
        if (book.find(p.number)) taken.push_back(p.number);
    // The file's points left out, their numbers staying the book's points.
    std::vector<survey::PointNumber> leftOutPoints;
    if (!taken.empty()) {
        const int answer =
            Module1::MsgBox(QStringLiteral("点番 %1 など %2 点はすでに座標簿にあります。置き換えますか？\n"
                                           "「いいえ」ではその点を読み込みません。")
                                .arg(taken.front())
                                .arg(count(taken.size())),
                            Module1::YesNoCancel, title());
        if (answer != Module1::Yes && answer != Module1::No) return;
        if (answer == Module1::No) {
            std::erase_if(points, [&](const survey::BookPoint& p) { return book.find(p.number) != nullptr; });
            leftOutPoints = std::move(taken);
            std::sort(leftOutPoints.begin(), leftOutPoints.end());
        }
    }
    // A parcel of the file keeps its own corners: one with a corner left
    // out is left out too, and the user told.
    std::vector<survey::BookParcel> parcels;
    std::size_t leftOut = 0;
    for (const survey::BookParcel& parcel : read.parcels()) {
        const bool cornerLeftOut = std::any_of(
            parcel.corners.begin(), parcel.corners.end(),
            [&](survey::PointNumber n) { return std::binary_search(leftOutPoints.begin(), leftOutPoints.end(), n); });
        if (cornerLeftOut) ++leftOut;
        else parcels.push_back(parcel);
    }
    if (!points.empty() || !parcels.empty()) {
        book.undoStack()->beginMacro(undoText);
        if (!points.empty()) book.putPoints(std::move(points), undoText);
        // Parcel numbers stay unique in the book.
        for (survey::BookParcel& parcel : parcels) {
            parcel.number = book.data().nextFreeParcelNumber();
            book.addParcel(std::move(parcel));
        }
        book.undoStack()->endMacro();
    }
    if (leftOut > 0)
        Module1::ShowInformation(
            QStringLiteral("区画 %1 件は、読み込まなかった点を角にしているため読み込みませんでした。")
                .arg(count(leftOut)),
            title());
}

// A file the book is saved in as it is: SIMA or CSV by its name.
bool isBookFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    return !path.isEmpty() && (suffix.compare(QStringLiteral("sim"), Qt::CaseInsensitive) == 0 ||
                               suffix.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0);
}

bool saveTo(const QString& path) {
    Book& book = Book::instance();
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    // CSV holds the points only: the parcels stay to be saved.
    const bool whole = !csv || book.parcels().empty();
    if (!whole && Module1::MsgBox(QStringLiteral("CSV ファイルには区画を保存できません。点だけを保存しますか？\n"
                                                 "区画 %1 件は保存されないため、座標簿は変更ありのままです。")
                                      .arg(count(book.parcels().size())),
                                  Module1::YesNo, title()) != Module1::Yes)
        return false;
    const survey::FileOutcome outcome =
        survey::saveBook(fsPath(path), book.data(), csv ? survey::BookFormat::Csv : survey::BookFormat::Sima);
    if (outcome.ok()) {
        book.markSaved(path, whole);
        return true;
    }
    const QString why = outcome.kind == survey::FileOutcome::Kind::Unencodable
                            ? QStringLiteral("ファイルに記録できない文字「%1」が含まれています。")
                                  .arg(QString::fromStdString(outcome.offending))
                            : QString::fromStdString(outcome.reason);
    Module1::ShowFailure(QStringLiteral("座標簿をファイル「%1」に保存できませんでした。\n%2").arg(shown(path), why),
                         title());
    return false;
}

class LastWindowGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The end agreed to already closes the windows (Module1::EndProgram).
        if (event->type() != QEvent::Close || Module1::EndingProgram()) return false;
        auto* window = qobject_cast<QWidget*>(watched);
        if (!window || !window->isWindow() || !window->isVisible() || !window->testAttribute(Qt::WA_QuitOnClose))
            return false;
        // As Qt counts them: the windows that keep the program running (the
        // book window, a tool window, does not).
        for (const QWidget* other : QApplication::topLevelWidgets())
            if (other != window && other->isVisible() && other->testAttribute(Qt::WA_QuitOnClose)) return false;
        if (mayEnd()) return false;
        event->ignore();
        return true;
    }
};

// The recovery copy is this program's while it holds the lock beside it: a
// second Tarnel running at the same time keeps no copy, and neither offers
// nor removes the first one's. A program that ended without a word leaves
// a lock that the next one finds stale.
bool ownsRecoveryCopy() {
    static QLockFile* lock = [] {
        const QString path = recoveryPath() + QStringLiteral(".lock");
        QDir().mkpath(QFileInfo(path).absolutePath());
        auto* l = new QLockFile(path);
        l->setStaleLockTime(0);  // stale by its process alone, however long it ran
        return l;
    }();
    return lock->isLocked() || lock->tryLock(0);
}

QTimer& recoveryTimer() {
    static QTimer* timer = [] {
        auto* t = new QTimer(QCoreApplication::instance());
        t->setSingleShot(true);
        t->setInterval(500);
        QObject::connect(t, &QTimer::timeout, [] { writeRecoveryCopy(); });
        return t;
    }();
    return *timer;
}

}  // namespace

std::optional<survey::ColumnRoles> askColumns(const survey::TableSample& sample, const QString& from) {
    auto row = [](const std::vector<std::string>& fields) {
        QStringList out;
        for (const std::string& f : fields) out << QString::fromStdString(f);
        return out;
    };
    QList<QStringList> lines;
    if (!sample.header.empty()) lines << row(sample.header);
    for (const auto& line : sample.lines) lines << row(line);
    const QList<int> roles =
        Module1::ChooseColumns(from + QStringLiteral("どの列が点番、点名、X、Y、Z かを選んでください。"), lines,
                               {QStringLiteral("使わない"), QStringLiteral("点番"), QStringLiteral("点名"),
                                QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")},
                               QStringLiteral("列の内容"));
    if (roles.isEmpty()) return std::nullopt;
    survey::ColumnRoles chosen;
    for (const int role : roles) chosen.push_back(survey::ColumnRole(std::clamp(role, 0, 5)));
    return chosen;
}

void open(const QString& chosen) {
    const QString path =
        !chosen.isEmpty() ? chosen
                          : Module1::OpenFileName(QStringLiteral("座標ファイルを開く"),
                                                  QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
                                                  {QStringLiteral("座標ファイル (*.sim *.SIM *.csv *.CSV *.txt *.TXT)"),
                                                   QStringLiteral("すべてのファイル (*)")});
    if (path.isEmpty()) return;
    const QFileInfo info(path);
    const QString from = QStringLiteral("「%1」: ").arg(info.fileName());
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        Module1::ShowFailure(from + (info.isDir()     ? QStringLiteral("フォルダーです。")
                                     : !info.exists() ? QStringLiteral("ファイルが見つかりません。")
                                                      : QStringLiteral("ファイルを開けませんでした。")),
                             title());
        return;
    }
    if (file.size() > kMaxFileBytes) {
        Module1::ShowFailure(from + QStringLiteral("座標のファイルとしては大きすぎます（64 MB まで）。"), title());
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        Module1::ShowFailure(from + QStringLiteral("最後まで読めませんでした。"), title());
        return;
    }
    std::optional<survey::PointBook> read = BookFiles::read(bytes, from);
    if (!read) return;
    Book& book = Book::instance();
    if (!book.data().empty()) {
        const int choice =
            Module1::AskChoice(QStringLiteral("座標簿には %1 点があります。「%2」の %3 点を追加しますか？\n"
                                              "「置き換え」では今の座標簿に代えて、このファイルを開きます。")
                                   .arg(count(book.points().size()), info.fileName(), count(read->points().size())),
                               {QStringLiteral("追加"), QStringLiteral("置き換え"), QStringLiteral("キャンセル")},
                               QStringLiteral("座標ファイルを開く"));
        if (choice == 0) {
            add(std::move(*read), QStringLiteral("「%1」の追加").arg(info.fileName()));
            return;
        }
        if (choice != 1 || !askToSave()) return;
    }
    book.replaceBook(std::move(*read), info.absoluteFilePath(), QStringLiteral("「%1」を開く").arg(info.fileName()));
}

void paste(const QString& text) {
    const std::optional<survey::PointBook> read = BookFiles::read(text.toUtf8(), QString());
    if (read) add(*read, QStringLiteral("貼り付け"));
}

void addTyped() {
    const std::optional<survey::PointNumber> next = Book::instance().data().nextFreeNumber();
    const std::optional<QString> typed =
        Module1::AskText(QStringLiteral("追加する点を「点番,点名,X,Y」の順に、コンマで区切って入力してください。"
                                        "標高が分かるときは Y のあとに「,Z」を付けます。"),
                         next ? QStringLiteral("%1,").arg(*next) : QString(), QStringLiteral("点の追加"));
    if (!typed) return;
    using survey::ColumnRole;
    const std::optional<survey::PointBook> read =
        BookFiles::read(typed->toUtf8(), QString(),
                        {ColumnRole::Number, ColumnRole::Name, ColumnRole::X, ColumnRole::Y, ColumnRole::Z});
    if (read) add(*read, QStringLiteral("点の追加"));
}

bool save() {
    // A text file opened as a table is not written over as SIMA: it gets a name of its own.
    const QString path = Book::instance().filePath();
    return isBookFile(path) ? saveTo(path) : saveAs();
}

bool saveAs() {
    const QString sima = QStringLiteral("SIMA 座標ファイル (*.sim)"), csv = QStringLiteral("CSV（点のみ） (*.csv)");
    const QString current = Book::instance().filePath();
    const QFileInfo currentInfo(current);
    const QString suggested = isBookFile(current) ? current
                              : !current.isEmpty()
                                  ? currentInfo.dir().filePath(currentInfo.completeBaseName() + QStringLiteral(".sim"))
                                  : QDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
                                        .filePath(QStringLiteral("座標簿.sim"));
    QString filter = current.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? csv : sima;
    QString path = Module1::SaveFileName(QStringLiteral("名前を付けて保存"), suggested, {sima, csv}, &filter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += filter == csv ? QStringLiteral(".csv") : QStringLiteral(".sim");
    return saveTo(path);
}

bool mayEnd() { return askToSave(); }

void endProgram() {
    if (mayEnd()) Module1::EndProgram();
}

QString recoveryPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("座標簿の控え.sim"));
}

void writeRecoveryCopy() {
    if (!ownsRecoveryCopy()) return;
    const Book& book = Book::instance();
    const QString path = recoveryPath();
    // Nothing to lose: no copy.
    if (!book.isModified() || book.data().empty()) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A copy that cannot be written (a character CP932 lacks) is no reason
    // to trouble the user while they work; the book itself still can be.
    (void)survey::saveBook(fsPath(path), book.data(), survey::BookFormat::Sima);
}

QObject* askBeforeTheLastWindowCloses() {
    auto* guard = new LastWindowGuard(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(guard);
    return guard;
}

void keepRecoveryCopy() {
    // Taken now, so that a second program started later finds it held.
    (void)ownsRecoveryCopy();
    QObject::connect(&Book::instance(), &Book::changed, [] { recoveryTimer().start(); });
    // A normal end, saved or not as the user said, leaves no copy.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
        recoveryTimer().stop();
        if (ownsRecoveryCopy()) QFile::remove(recoveryPath());
    });
}

void offerRecovery() {
    const QString path = recoveryPath();
    QFile file(path);
    if (!file.exists() || !ownsRecoveryCopy()) return;
    const bool take =
        Module1::MsgBox(QStringLiteral("前回、保存されないまま終わった座標簿の控えがあります。開きますか？\n"
                                       "「いいえ」では控えを削除します。"),
                        Module1::YesNo, title()) == Module1::Yes;
    const QByteArray bytes = take && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    if (take) {
        if (std::optional<survey::PointBook> read = BookFiles::read(bytes, QStringLiteral("控え: "))) {
            Book& book = Book::instance();
            book.replaceBook(std::move(*read), QString(), QStringLiteral("控えを開く"));
            // Still to be saved: the copy was never the user's file.
            book.undoStack()->resetClean();
            return;  // the copy stays until the book is saved or the program ends
        }
    }
    QFile::remove(path);
}

}  // namespace BookFiles
