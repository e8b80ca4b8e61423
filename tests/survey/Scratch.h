// Test support for the result files, in standard C++ so that it runs on
// every system: a scratch Desktop that the result files are redirected to,
// file helpers, and the test program started again as a child process.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "survey/record.h"

namespace fs = std::filesystem;

// A folder of the test's own under the system's temporary folder, removed
// with all it holds at the end. While it lives, result files go to its
// Desktop subfolder (`desktopName`, UTF-8; created by the first append).
class ScratchDesktop {
public:
    explicit ScratchDesktop(std::string_view desktopName = "Desktop");
    ~ScratchDesktop();
    ScratchDesktop(const ScratchDesktop&) = delete;
    ScratchDesktop& operator=(const ScratchDesktop&) = delete;

    const fs::path& root() const { return root_; }
    const fs::path& folder() const { return folder_; }
    fs::path file(std::string_view utf8Name) const;
    // The file's bytes; empty when it does not exist.
    std::string bytes(std::string_view utf8Name) const;
    bool exists(std::string_view utf8Name) const;

private:
    fs::path root_, folder_;
};

std::string readBytes(const fs::path& file);
void writeBytes(const fs::path& file, std::string_view bytes);

// ---- Child processes ------------------------------------------------------------

// The test program runs some work as a child of itself: its first argument
// names the work, the rest are its arguments (ASCII only, since a command
// line passes through the system's code page).
//   append <desktop> <writer> <count>  appends racingRecord(writer, 0 … count-1);
//                                      exit code 0 when every one was written
//   append-big <desktop> <report>      appends bigRecord(), writes its outcome
//                                      (kind, new line, reason) to <report>
//   hold <file> <ready> <release>      (Windows) holds <file> open sharing
//                                      nothing: creates <ready>, then waits
//                                      for <release> to appear
// Returns the exit code of the child run as a command (std::system); on
// POSIX `limitFileSize` (512-byte blocks) bounds what the child may write.
int runChild(const std::vector<std::string>& args, int limitFileSize = 0);
// Called by main() before the tests: runs the child's work when the command
// line asks for it and returns its exit code, or -1 for a normal test run.
int childMain(int argc, char** argv);

// Record `index` of writer `writer`: a few lines of its own, Japanese
// included, so that a torn or doubled record cannot pass for another.
survey::Record racingRecord(int writer, int index);
// A record of twenty lines, larger than one 512-byte block.
survey::Record bigRecord();
