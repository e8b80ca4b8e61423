// The survey tests' main: the tests, or a child's work when the command
// line names one (Scratch.h).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#ifdef _WIN32
#include <share.h>
#endif

#include "Scratch.h"
#include "survey/resultfile.h"

namespace {

fs::path testProgram;

std::string inQuotes(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

// ---- ScratchDesktop -----------------------------------------------------------------

ScratchDesktop::ScratchDesktop(std::string_view desktopName) {
    std::random_device random;
    const auto tag = std::to_string(random()) + std::to_string(random());
    root_ = fs::temp_directory_path() / ("tarnel-test-" + tag);
    fs::create_directories(root_);
    folder_ = root_ / fs::path(std::u8string(desktopName.begin(), desktopName.end()));
    survey::seam::redirectDesktop(folder_);
}

ScratchDesktop::~ScratchDesktop() {
    survey::seam::redirectDesktop(std::nullopt);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

fs::path ScratchDesktop::file(std::string_view utf8Name) const {
    return folder_ / fs::path(std::u8string(utf8Name.begin(), utf8Name.end()));
}

std::string ScratchDesktop::bytes(std::string_view utf8Name) const { return readBytes(file(utf8Name)); }

bool ScratchDesktop::exists(std::string_view utf8Name) const { return fs::exists(file(utf8Name)); }

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// ---- Records ------------------------------------------------------------------------

survey::Record racingRecord(int writer, int index) {
    const std::string tag = "W" + std::to_string(writer) + "-" + std::to_string(index);
    survey::Record r;
    r.separator();
    for (int k = 0; k < 3; ++k) r.add(survey::Line().text(tag).text(" 方向角").number(k * 12.5 - writer));
    r.separator();
    return r;
}

survey::Record bigRecord() {
    survey::Record r;
    r.separator();
    for (int i = 0; i < 20; ++i) r.add(survey::Line().text("方向角  123 - 45 - 30   距　離 100.123 m"));
    r.separator();
    return r;
}

// ---- Children -------------------------------------------------------------------------

int runChild(const std::vector<std::string>& args, int limitFileSize) {
    std::string command = inQuotes(testProgram.string());
    for (const std::string& a : args) command += " " + inQuotes(a);
#ifdef _WIN32
    (void)limitFileSize;
    // cmd.exe takes off the outermost pair of quotes.
    return std::system(inQuotes(command).c_str());
#else
    if (limitFileSize > 0) command = "ulimit -f " + std::to_string(limitFileSize) + " && exec " + command;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
#endif
}

int childMain(int argc, char** argv) {
    if (argc < 2) return -1;
    const std::string work = argv[1];
    if (work == "append" && argc == 5) {
        survey::seam::redirectDesktop(fs::path(argv[2]));
        const survey::ResultFile file("race.txt");
        bool all = true;
        for (int i = 0, n = std::atoi(argv[4]); i < n; ++i)
            all = file.append(racingRecord(std::atoi(argv[3]), i)).ok() && all;
        return all ? 0 : 1;
    }
    if (work == "append-big" && argc == 4) {
        survey::seam::redirectDesktop(fs::path(argv[2]));
        const survey::FileOutcome o = survey::ResultFile("big.txt").append(bigRecord());
        writeBytes(argv[3], std::to_string(int(o.kind)) + "\n" + o.reason);
        return 0;
    }
#ifdef _WIN32
    if (work == "hold" && argc == 5) {
        // Opened as a spreadsheet opens a file it is editing: nobody else
        // may read or write it.
        std::FILE* held = ::_wfsopen(fs::path(argv[2]).c_str(), L"ab", _SH_DENYRW);
        if (!held) return 2;
        writeBytes(argv[3], "held");
        for (int i = 0; i < 3000 && !fs::exists(argv[4]); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::fclose(held);
        return 0;
    }
#endif
    return -1;
}

int main(int argc, char** argv) {
    testProgram = fs::absolute(argv[0]);
    if (const int code = childMain(argc, argv); code >= 0) return code;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
