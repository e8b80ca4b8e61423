#include "survey/resultfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/SizeLimit.h"
#include "support/TempDesktop.h"

using survey::FileOutcome;
using survey::Line;
using survey::Record;
using survey::ResultFile;
using survey::toCp932;

namespace {

const QString kName = QStringLiteral("方向・距離DATA.TXT");

QByteArray raw(const char* bytes) { return QByteArray(bytes); }

QByteArray separatorBytes() { return QByteArray(82, '-') + "\r\n"; }

Record oneLine(const char* utf8) {
    Record r;
    r.add(Line().text(utf8));
    return r;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace

// ---- CP932 --------------------------------------------------------------------

TEST(Cp932, JapaneseAndAsciiGiveShiftJisBytes) {
    const auto enc = toCp932(QStringLiteral("基準 X 0"));
    ASSERT_TRUE(enc.ok);
    EXPECT_EQ(enc.bytes, raw("\x8A\xEE\x8F\x80 X 0"));
}

TEST(Cp932, HalfWidthKatakanaAreSingleBytes) {
    const auto enc = toCp932(QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"));
    ASSERT_TRUE(enc.ok);
    EXPECT_EQ(enc.bytes, raw("\xC3\xDE\xBD\xB8\xC4\xAF\xCC\xDF"));
}

TEST(Cp932, SquareMetreMiddleDotAndIdeographicSpaceEncode) {
    const auto enc = toCp932(QStringLiteral("㎡・\u3000"));
    ASSERT_TRUE(enc.ok);
    EXPECT_EQ(enc.bytes, raw("\x87\x75\x81\x45\x81\x40"));
}

TEST(Cp932, LookAlikesAreWrittenAsTheirCp932Forms) {
    // 〜 − ‖ ¥ become ～ － ∥ ￥; the ASCII backslash and tilde stay single bytes.
    const auto enc = toCp932(QStringLiteral("〜−‖¥\\~"));
    ASSERT_TRUE(enc.ok);
    EXPECT_EQ(enc.bytes, raw("\x81\x60\x81\x7C\x81\x61\x81\x8F\x5C\x7E"));
}

TEST(Cp932, AsciiControlCodesKeepTheirValues) {
    const auto enc = toCp932(QString::fromLatin1("\x1A\x1C\x7F\t"));
    ASSERT_TRUE(enc.ok);
    EXPECT_EQ(enc.bytes, raw("\x1A\x1C\x7F\t"));
}

TEST(Cp932, FirstUnencodableCharacterIsNamedWhole) {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");  // U+1F600, a surrogate pair
    auto enc = toCp932(QStringLiteral("角") + emoji + QStringLiteral("한"));
    EXPECT_FALSE(enc.ok);
    EXPECT_TRUE(enc.bytes.isEmpty());
    EXPECT_EQ(enc.offending, emoji);

    enc = toCp932(QStringLiteral("X 한 ") + emoji);
    EXPECT_FALSE(enc.ok);
    EXPECT_EQ(enc.offending, QStringLiteral("한"));

    // A lone surrogate is no character at all and must not vanish silently.
    enc = toCp932(QStringLiteral("A") + QChar(0xD800) + QStringLiteral("B"));
    EXPECT_FALSE(enc.ok);
    EXPECT_EQ(enc.offending, QString(QChar(0xD800)));
}

TEST(Cp932, EveryCharacterAmongAsciiGivesTheBytesItGivesAlone) {
    // Each character CP932 stores, between ASCII runs, must come out as the
    // converter writes it on its own: one or two bytes, in place.
    QString text;
    QByteArray want;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        const QString one{QChar(char16_t(c))};
        QStringEncoder alone("windows-31j");
        const QByteArray bytes = alone.encode(one);
        if (alone.hasError() || bytes.isEmpty()) continue;
        if (c == 0x2212 || c == 0x301C || c == 0x2016 || c == 0x00A5 || c == 0x2014 || c == 0x00A2 ||
            c == 0x00A3 || c == 0x00AC) {
            continue;  // look-alikes, checked above
        }
        const QByteArray ascii = QByteArray::number(uint(c) % 97);
        text += QString::fromLatin1(ascii) + one;
        want += ascii + bytes;
    }
    ASSERT_GT(want.size(), 14000);  // the whole CP932 repertoire, not a stray few
    const auto enc = toCp932(text);
    ASSERT_TRUE(enc.ok) << enc.offending.toStdString();
    EXPECT_EQ(enc.bytes, want);
}

// ---- Folder ---------------------------------------------------------------------

TEST(ResultFolder, FollowsHomeAtEveryCall) {
    QString first;
    {
        TempDesktop desk;
        first = survey::desktopFolder();
        EXPECT_EQ(QDir::cleanPath(first), QDir::cleanPath(desk.folder()));
        ASSERT_TRUE(ResultFile(kName).append(oneLine("A")).ok());
        EXPECT_TRUE(desk.exists(kName));
    }
    TempDesktop desk;
    EXPECT_NE(survey::desktopFolder(), first);
    EXPECT_EQ(QDir::cleanPath(survey::desktopFolder()), QDir::cleanPath(desk.folder()));
    ASSERT_TRUE(ResultFile(kName).append(oneLine("B")).ok());
    EXPECT_EQ(desk.bytes(kName), raw("B\r\n"));
}

TEST(ResultFolder, UsesTheDesktopNamedInTheUserDirectories) {
    TempDesktop desk;
    const QString home = QDir::cleanPath(desk.folder() + "/..");
    writeFile(home + "/.config/user-dirs.dirs",
              QByteArray("XDG_DESKTOP_DIR=\"$HOME/") + QStringLiteral("デスクトップ").toUtf8() + "\"\n");
    const QString folder = home + QStringLiteral("/デスクトップ");
    EXPECT_EQ(QDir::cleanPath(survey::desktopFolder()), folder);
    ASSERT_TRUE(ResultFile(kName).append(oneLine("A")).ok());
    EXPECT_TRUE(QFile::exists(folder + "/" + kName));
    EXPECT_FALSE(desk.exists(kName));
}

TEST(ResultFolder, NoAbsoluteHomeMeansNoFolderAndNothingWritten) {
    TempDesktop desk;  // puts HOME back afterwards
    QTemporaryDir cwd;
    ASSERT_TRUE(cwd.isValid());
    const QString oldCwd = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cwd.path()));
    const char* homes[] = {nullptr, "", "relative/home", "."};
    for (const char* home : homes) {
        if (home) qputenv("HOME", home); else qunsetenv("HOME");
        SCOPED_TRACE(home ? home : "(unset)");
        EXPECT_TRUE(survey::desktopFolder().isEmpty());
        EXPECT_TRUE(ResultFile(kName).path().isEmpty());
        const FileOutcome o = ResultFile(kName).append(oneLine("A"));
        EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
        EXPECT_TRUE(o.reason.contains(QStringLiteral("デスクトップ"))) << o.reason.toStdString();
        EXPECT_TRUE(ResultFile(kName).remove().ok());
    }
    ASSERT_TRUE(QDir::setCurrent(oldCwd));
    EXPECT_TRUE(QDir(cwd.path()).isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral("/Desktop/") + kName));
}

// ---- Appending -----------------------------------------------------------------

TEST(ResultFileAppend, FirstRecordCreatesFolderAndFileSecondFollows) {
    TempDesktop desk;
    ASSERT_FALSE(QDir(desk.folder()).exists());
    const ResultFile file(kName);
    EXPECT_EQ(QDir::cleanPath(file.path()), QDir::cleanPath(desk.file(kName)));

    Record first;
    first.separator().add(Line().text("基準 X 0")).separator();
    const FileOutcome o1 = file.append(first);
    EXPECT_TRUE(o1.ok());
    EXPECT_TRUE(o1.reason.isEmpty());
    const QByteArray afterFirst = separatorBytes() + raw("\x8A\xEE\x8F\x80 X 0\r\n") + separatorBytes();
    EXPECT_EQ(desk.bytes(kName), afterFirst);

    Record second;
    second.add(Line().text("方向角").text(" ").text("123"));
    ASSERT_TRUE(file.append(second).ok());
    EXPECT_EQ(desk.bytes(kName), afterFirst + raw("\x95\xFB\x8C\xFC\x8A\x70 123\r\n"));
}

TEST(ResultFileAppend, KeepsWhatOthersWroteBefore) {
    TempDesktop desk;
    ASSERT_TRUE(QDir().mkpath(desk.folder()));
    writeFile(desk.file(kName), raw("old line without end"));
    ASSERT_TRUE(ResultFile(kName).append(oneLine("〜")).ok());
    EXPECT_EQ(desk.bytes(kName), raw("old line without end\x81\x60\r\n"));
}

TEST(ResultFileAppend, UnencodableRecordWritesNothing) {
    TempDesktop desk;
    const ResultFile file(kName);
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");

    Record bad;
    bad.separator().add(Line().text("点名 ").text(emoji.toStdString())).separator();
    FileOutcome o = file.append(bad);
    EXPECT_EQ(o.kind, FileOutcome::Kind::Unencodable);
    EXPECT_EQ(o.offending, emoji);
    EXPECT_TRUE(o.reason.contains(emoji));
    EXPECT_FALSE(desk.exists(kName));

    ASSERT_TRUE(file.append(oneLine("基準 X 0")).ok());
    const QByteArray before = desk.bytes(kName);
    Record bad2;
    bad2.add(Line().text("ok")).add(Line().text("한"));  // the fault is on the second line
    o = file.append(bad2);
    EXPECT_EQ(o.kind, FileOutcome::Kind::Unencodable);
    EXPECT_EQ(o.offending, QStringLiteral("한"));
    EXPECT_FALSE(o.reason.isEmpty());
    EXPECT_EQ(desk.bytes(kName), before);
}

TEST(ResultFileAppend, DesktopThatIsAFileFailsWithAReason) {
    TempDesktop desk;
    writeFile(desk.folder(), raw("not a folder"));
    const FileOutcome o = ResultFile(kName).append(oneLine("A"));
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_FALSE(o.reason.isEmpty());
    QFile f(desk.folder());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), raw("not a folder"));
}

TEST(ResultFileAppend, FolderWithTheFilesNameFailsWithAReason) {
    TempDesktop desk;
    ASSERT_TRUE(QDir().mkpath(desk.file(kName)));
    const FileOutcome o = ResultFile(kName).append(oneLine("A"));
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_TRUE(o.reason.contains(QStringLiteral("フォルダー"))) << o.reason.toStdString();
    EXPECT_TRUE(QDir(desk.file(kName)).exists());
}

// ---- Writes cut short by the file-size limit -----------------------------------

namespace {

struct ChildOutcome {
    bool exited = false;
    int code = -1;  // 0 Done, 1 Unencodable, 2 Failed
    std::string reason;
};

// Appends in a child process whose file-size limit is `limit` bytes, so the
// write stops part-way; the parent is left untouched.
ChildOutcome appendWithSizeLimit(const ResultFile& file, const Record& record, rlim_t limit) {
    const ChildRun run = runWithFileSizeLimit(limit, [&](QByteArray& output) {
        const FileOutcome o = file.append(record);
        output = o.reason.toUtf8();
        return int(o.kind);
    });
    return {run.exited, run.code, run.output.toStdString()};
}

Record bigRecord() {
    Record r;
    r.separator();
    for (int i = 0; i < 20; ++i) r.add(Line().text("方向角  123 - 45 - 30   距　離 100.123 m"));
    r.separator();
    return r;
}

}  // namespace

TEST(ResultFileAppend, WriteStoppedHalfWayLeavesFileAsBefore) {
    TempDesktop desk;
    const ResultFile file(kName);
    ASSERT_TRUE(file.append(oneLine("基準 X 0")).ok());
    const QByteArray before = desk.bytes(kName);

    const ChildOutcome o = appendWithSizeLimit(file, bigRecord(), rlim_t(before.size() + 7));
    ASSERT_TRUE(o.exited) << "the size limit must not end the process";
    EXPECT_EQ(o.code, int(FileOutcome::Kind::Failed));
    EXPECT_FALSE(o.reason.empty());
    EXPECT_EQ(desk.bytes(kName), before);

    // The same file still takes a record afterwards.
    ASSERT_TRUE(file.append(oneLine("X")).ok());
    EXPECT_EQ(desk.bytes(kName), before + "X\r\n");
}

TEST(ResultFileAppend, NewFileStoppedHalfWayIsNotLeftBehind) {
    TempDesktop desk;
    const ChildOutcome o = appendWithSizeLimit(ResultFile(kName), bigRecord(), 10);
    ASSERT_TRUE(o.exited);
    EXPECT_EQ(o.code, int(FileOutcome::Kind::Failed));
    EXPECT_NE(o.reason.find("ファイルの大きさの上限"), std::string::npos) << o.reason;
    EXPECT_FALSE(desk.exists(kName));
}

// ---- Two running copies --------------------------------------------------------

namespace {

// Record `index` of writer `writer`: a few lines of its own, Japanese
// included, so that a torn or doubled record cannot pass for another.
Record racingRecord(int writer, int index) {
    const std::string tag = "W" + std::to_string(writer) + "-" + std::to_string(index);
    Record r;
    r.separator();
    for (int k = 0; k < 3; ++k) r.add(Line().text(tag).text(" 方向角").number(k * 12.5 - writer));
    r.separator();
    return r;
}

QByteArray bytesOf(const Record& r) {
    return toCp932(QString::fromUtf8(r.text().data(), qsizetype(r.text().size()))).bytes;
}

// Starts a writer that waits for the pipe `go` to close, then appends
// `count` records under a file-size limit; it reports each outcome as '1'
// or '0' on the returned pipe.
pid_t startWriter(int writer, int count, rlim_t limit, const int go[2], int& report) {
    int fds[2];
    if (::pipe(fds) != 0) return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::close(go[1]);
        const rlimit lim{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(9);
        char c;
        if (::read(go[0], &c, 1) < 0) ::_exit(8);  // returns 0 once the parent closes it
        const ResultFile file(kName);
        for (int i = 0; i < count; ++i) {
            const char ok = file.append(racingRecord(writer, i)).ok() ? '1' : '0';
            if (::write(fds[1], &ok, 1) != 1) ::_exit(8);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    report = fds[0];
    return pid;
}

std::string readAll(int fd) {
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, size_t(n));
    ::close(fd);
    return out;
}

}  // namespace

TEST(ResultFileAppend, TwoWritersNearTheSizeLimitKeepEveryRecordWhole) {
    TempDesktop desk;
    ASSERT_TRUE(QDir().mkpath(desk.folder()));
    const QByteArray start = raw("first line\r\n");
    constexpr int kWriters = 2;
    constexpr int kRecords = 24;
    QByteArray expected[kWriters][kRecords];
    for (int w = 0; w < kWriters; ++w) {
        for (int i = 0; i < kRecords; ++i) expected[w][i] = bytesOf(racingRecord(w, i));
    }
    const qsizetype recordSize = expected[0][0].size();

    for (int trial = 0; trial < 40; ++trial) {
        writeFile(desk.file(kName), start);
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        pid_t pids[kWriters];
        int reports[kWriters];
        for (int w = 0; w < kWriters; ++w) {
            // The first writer meets its limit early and keeps failing and
            // cutting back while the other still appends.
            const rlim_t limit = rlim_t(start.size() + recordSize * (w == 0 ? 3 : 12) + 17 * w);
            pids[w] = startWriter(w, kRecords, limit, go, reports[w]);
            ASSERT_GT(pids[w], 0);
        }
        ::close(go[0]);
        ::close(go[1]);  // both start at once
        std::string outcomes[kWriters];
        for (int w = 0; w < kWriters; ++w) {
            outcomes[w] = readAll(reports[w]);
            int status = 0;
            ASSERT_EQ(::waitpid(pids[w], &status, 0), pids[w]);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "writer " << w;
            ASSERT_EQ(outcomes[w].size(), size_t(kRecords));
        }

        // The file is the first line, then whole records only: exactly the
        // ones reported written, each once.
        const QByteArray file = desk.bytes(kName);
        ASSERT_TRUE(file.startsWith(start)) << "trial " << trial;
        int found[kWriters][kRecords] = {};
        qsizetype at = start.size();
        while (at < file.size()) {
            bool matched = false;
            for (int w = 0; w < kWriters && !matched; ++w) {
                for (int i = 0; i < kRecords && !matched; ++i) {
                    if (file.mid(at, expected[w][i].size()) == expected[w][i]) {
                        ++found[w][i];
                        at += expected[w][i].size();
                        matched = true;
                    }
                }
            }
            ASSERT_TRUE(matched) << "trial " << trial << ": torn record at byte " << at << ": "
                                 << file.mid(at, 40).toHex(' ').constData();
        }
        for (int w = 0; w < kWriters; ++w) {
            for (int i = 0; i < kRecords; ++i) {
                EXPECT_EQ(found[w][i], outcomes[w][size_t(i)] == '1' ? 1 : 0)
                    << "trial " << trial << ", writer " << w << ", record " << i;
            }
        }
        if (HasFailure()) return;
    }
}

// ---- Deleting ------------------------------------------------------------------

TEST(ResultFileRemove, DeletesAndThenStartsAfresh) {
    TempDesktop desk;
    const ResultFile file(kName);
    ASSERT_TRUE(file.append(oneLine("A")).ok());
    ASSERT_TRUE(desk.exists(kName));
    EXPECT_TRUE(file.remove().ok());
    EXPECT_FALSE(desk.exists(kName));

    ASSERT_TRUE(file.append(oneLine("B")).ok());
    EXPECT_EQ(desk.bytes(kName), raw("B\r\n"));
}

TEST(ResultFileRemove, MissingFileOrFolderIsDone) {
    TempDesktop desk;
    const ResultFile file(kName);
    EXPECT_TRUE(file.remove().ok());  // no Desktop folder yet
    ASSERT_TRUE(QDir().mkpath(desk.folder()));
    const FileOutcome o = file.remove();
    EXPECT_TRUE(o.ok());
    EXPECT_TRUE(o.reason.isEmpty());
}

TEST(ResultFileRemove, FolderWithTheFilesNameIsNotDeleted) {
    TempDesktop desk;
    ASSERT_TRUE(QDir().mkpath(desk.file(kName)));
    const FileOutcome o = ResultFile(kName).remove();
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_FALSE(o.reason.isEmpty());
    EXPECT_TRUE(QDir(desk.file(kName)).exists());
}
