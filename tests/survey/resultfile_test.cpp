#include "survey/resultfile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "Scratch.h"
#include "survey/cp932.h"
#include "survey/platform.h"

using survey::FileOutcome;
using survey::Line;
using survey::Record;
using survey::ResultFile;

namespace {

const std::string kName = "方向・距離DATA.TXT";

std::string separatorBytes() { return std::string(82, '-') + "\r\n"; }

Record oneLine(const char* utf8) {
    Record r;
    r.add(Line().text(utf8));
    return r;
}

std::string bytesOf(const Record& r) { return survey::toCp932(r.text()).bytes; }

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

// ---- Folder -----------------------------------------------------------------------

TEST(ResultFolder, FollowsTheDesktopAtEveryCall) {
    {
        ScratchDesktop desk;
        EXPECT_EQ(survey::desktopFolder(), desk.folder());
        EXPECT_EQ(ResultFile(kName).path(), desk.file(kName));
        ASSERT_TRUE(ResultFile(kName).append(oneLine("A")).ok());
        EXPECT_TRUE(desk.exists(kName));
    }
    ScratchDesktop desk;
    ASSERT_TRUE(ResultFile(kName).append(oneLine("B")).ok());
    EXPECT_EQ(desk.bytes(kName), "B\r\n");
}

TEST(ResultFolder, NoDesktopMeansNothingWritten) {
    ScratchDesktop desk;
    survey::seam::redirectDesktop(fs::path());
    EXPECT_TRUE(ResultFile(kName).path().empty());
    const FileOutcome o = ResultFile(kName).append(oneLine("A"));
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_TRUE(contains(o.reason, "デスクトップ")) << o.reason;
    EXPECT_TRUE(ResultFile(kName).remove().ok());
}

#ifdef _WIN32
TEST(ResultFolder, TheSystemNamesTheUsersDesktop) {
    const fs::path folder = survey::platform::desktopFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_EQ(folder.filename(), "Desktop");
}
#else
TEST(ResultFolder, TheDesktopOfTheUserDirectoriesOrOfHome) {
    ScratchDesktop scratch;
    const std::string home = scratch.root().string();
    const char* oldHome = std::getenv("HOME");
    const std::string keptHome = oldHome ? oldHome : "";
    ::setenv("HOME", home.c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(survey::platform::desktopFolder(), fs::path(home + "/Desktop"));

    fs::create_directories(scratch.root() / ".config");
    writeBytes(scratch.root() / ".config/user-dirs.dirs",
               "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
    EXPECT_EQ(survey::platform::desktopFolder(), fs::path(home + "/デスクトップ"));

    // Without an absolute HOME there is no user folder at all: not "/", not
    // the current folder.
    for (const char* bad : {"", "relative/home", "."}) {
        ::setenv("HOME", bad, 1);
        EXPECT_TRUE(survey::platform::desktopFolder().empty()) << bad;
    }
    ::unsetenv("HOME");
    EXPECT_TRUE(survey::platform::desktopFolder().empty());
    if (oldHome) ::setenv("HOME", keptHome.c_str(), 1);
}
#endif

// ---- Appending --------------------------------------------------------------------

TEST(ResultFileAppend, FirstRecordCreatesFolderAndFileSecondFollows) {
    // A user name in kanji, and the file names with katakana and a middle dot.
    ScratchDesktop desk("測量 太郎/デスクトップ");
    for (const std::string& name : {kName, std::string("ｵﾌｾｯﾄDATA.TXT")}) {
        const ResultFile file(name);
        Record first;
        first.separator().add(Line().text("基準 X 0")).separator();
        ASSERT_TRUE(file.append(first).ok()) << name;
        const std::string afterFirst = separatorBytes() + "\x8A\xEE\x8F\x80 X 0\r\n" + separatorBytes();
        EXPECT_EQ(desk.bytes(name), afterFirst);

        const FileOutcome second = file.append(oneLine("方向角 123"));
        EXPECT_TRUE(second.ok());
        EXPECT_TRUE(second.reason.empty());
        EXPECT_EQ(desk.bytes(name), afterFirst + "\x95\xFB\x8C\xFC\x8A\x70 123\r\n");
    }
}

TEST(ResultFileAppend, KeepsWhatOthersWroteBefore) {
    ScratchDesktop desk;
    fs::create_directories(desk.folder());
    writeBytes(desk.file(kName), "old line without end");
    ASSERT_TRUE(ResultFile(kName).append(oneLine("〜")).ok());
    EXPECT_EQ(desk.bytes(kName), "old line without end\x81\x60\r\n");
}

TEST(ResultFileAppend, UnencodableRecordWritesNothing) {
    ScratchDesktop desk;
    const ResultFile file(kName);
    FileOutcome o = file.append(oneLine("点名 \U0001F600"));
    EXPECT_EQ(o.kind, FileOutcome::Kind::Unencodable);
    EXPECT_EQ(o.offending, "\U0001F600");
    EXPECT_TRUE(contains(o.reason, "\U0001F600")) << o.reason;
    EXPECT_TRUE(contains(o.reason, "U+1F600")) << o.reason;
    EXPECT_FALSE(desk.exists(kName));

    ASSERT_TRUE(file.append(oneLine("基準 X 0")).ok());
    const std::string before = desk.bytes(kName);
    Record bad;
    bad.add(Line().text("ok")).add(Line().text("한"));  // the fault is on the second line
    o = file.append(bad);
    EXPECT_EQ(o.offending, "한");
    EXPECT_EQ(desk.bytes(kName), before);
}

TEST(ResultFileAppend, SomethingInThePlaceOfTheFolderOrTheFileFailsWithAReason) {
    ScratchDesktop desk;
    writeBytes(desk.folder(), "not a folder");
    FileOutcome o = ResultFile(kName).append(oneLine("A"));
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_TRUE(contains(o.reason, "同じ名前のファイル")) << o.reason;
    EXPECT_EQ(readBytes(desk.folder()), "not a folder");

    fs::remove(desk.folder());
    fs::create_directories(desk.file(kName));
    o = ResultFile(kName).append(oneLine("A"));
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_TRUE(contains(o.reason, "フォルダー")) << o.reason;
    EXPECT_TRUE(fs::is_directory(desk.file(kName)));
}

// ---- Writes cut short -------------------------------------------------------------

TEST(ResultFileAppend, WriteStoppedHalfWayLeavesTheFileAsBefore) {
    ScratchDesktop desk;
    const ResultFile file(kName);
    ASSERT_TRUE(file.append(oneLine("基準 X 0")).ok());
    const std::string before = desk.bytes(kName);

    for (const std::size_t written : {std::size_t(0), std::size_t(7), bytesOf(bigRecord()).size() - 1}) {
        survey::seam::limitWrites(written);
        const FileOutcome o = file.append(bigRecord());
        survey::seam::limitWrites(std::nullopt);
        EXPECT_EQ(o.kind, FileOutcome::Kind::Failed) << written;
        EXPECT_TRUE(contains(o.reason, "最後まで書き込めませんでした")) << o.reason;
        EXPECT_EQ(desk.bytes(kName), before) << written;
    }
    // The same file still takes a record afterwards.
    ASSERT_TRUE(file.append(oneLine("X")).ok());
    EXPECT_EQ(desk.bytes(kName), before + "X\r\n");
}

TEST(ResultFileAppend, NewFileStoppedHalfWayIsNotLeftBehind) {
    ScratchDesktop desk;
    survey::seam::limitWrites(10);
    EXPECT_EQ(ResultFile(kName).append(bigRecord()).kind, FileOutcome::Kind::Failed);
    survey::seam::limitWrites(std::nullopt);
    EXPECT_FALSE(desk.exists(kName));
    EXPECT_TRUE(fs::is_directory(desk.folder()));
}

#ifndef _WIN32
TEST(ResultFileAppend, TheFileSizeLimitNamesItsCauseAndDoesNotEndTheProgram) {
    ScratchDesktop desk;
    fs::create_directories(desk.folder());
    const fs::path report = desk.root() / "report.txt";
    // One 512-byte block: the record is larger.
    EXPECT_EQ(runChild({"append-big", desk.folder().string(), report.string()}, 1), 0);
    EXPECT_EQ(readBytes(report), "2\n結果ファイルに最後まで書き込めませんでした。ファイルの大きさの上限を超えました。");
    EXPECT_FALSE(fs::exists(desk.folder() / "big.txt"));
}
#endif

// ---- Other programs ------------------------------------------------------------------

TEST(ResultFileAppend, TwoRunningCopiesKeepEveryRecordWhole) {
    ScratchDesktop desk;
    fs::create_directories(desk.folder());
    const std::string start = "first line\r\n";
    writeBytes(desk.folder() / "race.txt", start);
    constexpr int kWriters = 2, kRecords = 1000;
    int codes[kWriters] = {-1, -1};
    {
        std::thread writers[kWriters];
        for (int w = 0; w < kWriters; ++w) {
            writers[w] = std::thread([&, w] {
                codes[w] = runChild({"append", desk.folder().string(), std::to_string(w), std::to_string(kRecords)});
            });
        }
        for (std::thread& t : writers) t.join();
    }
    for (int w = 0; w < kWriters; ++w) ASSERT_EQ(codes[w], 0) << "writer " << w;

    // The first line, then whole records only, each once, each writer's in
    // its own order.
    const std::string file = readBytes(desk.folder() / "race.txt");
    ASSERT_EQ(file.compare(0, start.size(), start), 0);
    int next[kWriters] = {0, 0};
    for (std::size_t at = start.size(); at < file.size();) {
        bool matched = false;
        for (int w = 0; w < kWriters && !matched; ++w) {
            if (next[w] == kRecords) continue;
            const std::string expected = bytesOf(racingRecord(w, next[w]));
            if (file.compare(at, expected.size(), expected) == 0) {
                ++next[w];
                at += expected.size();
                matched = true;
            }
        }
        ASSERT_TRUE(matched) << "torn or foreign record at byte " << at << ": " << file.substr(at, 40);
    }
    EXPECT_EQ(next[0], kRecords);
    EXPECT_EQ(next[1], kRecords);
}

TEST(ResultFileAppend, AFileAnotherProgramHoldsWithoutSharingIsLeftAlone) {
#ifndef _WIN32
    GTEST_SKIP() << "only Windows lets a program keep others from writing a file";
#else
    ScratchDesktop desk;
    const ResultFile file("held.txt");
    ASSERT_TRUE(file.append(oneLine("first")).ok());
    const fs::path ready = desk.root() / "ready", release = desk.root() / "release";
    std::thread holder([&] { runChild({"hold", file.path().string(), ready.string(), release.string()}); });
    for (int i = 0; i < 1000 && !fs::exists(ready); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(ready));

    const FileOutcome o = file.append(oneLine("second"));
    writeBytes(release, "go");
    holder.join();
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_TRUE(contains(o.reason, "ほかのプログラム")) << o.reason;
    EXPECT_EQ(desk.bytes("held.txt"), "first\r\n");
    ASSERT_TRUE(file.append(oneLine("second")).ok());
    EXPECT_EQ(desk.bytes("held.txt"), "first\r\nsecond\r\n");
#endif
}

// ---- Deleting ------------------------------------------------------------------------

TEST(ResultFileRemove, DeletesAndTheNextAppendStartsAfresh) {
    ScratchDesktop desk;
    const ResultFile file(kName);
    EXPECT_TRUE(file.remove().ok());  // no Desktop folder yet
    ASSERT_TRUE(file.append(oneLine("A")).ok());
    EXPECT_TRUE(file.remove().ok());
    EXPECT_FALSE(desk.exists(kName));
    const FileOutcome gone = file.remove();  // already gone
    EXPECT_TRUE(gone.ok());
    EXPECT_TRUE(gone.reason.empty());

    ASSERT_TRUE(file.append(oneLine("B")).ok());
    EXPECT_EQ(desk.bytes(kName), "B\r\n");
}

TEST(ResultFileRemove, AFolderWithTheFilesNameIsNotDeleted) {
    ScratchDesktop desk;
    fs::create_directories(desk.file(kName));
    const FileOutcome o = ResultFile(kName).remove();
    EXPECT_EQ(o.kind, FileOutcome::Kind::Failed);
    EXPECT_FALSE(o.reason.empty());
    EXPECT_TRUE(fs::is_directory(desk.file(kName)));
}
