// Result files: one append-only CP932 text file per calculation screen in
// the user's Desktop folder. A record is appended whole or not at all.
// Standard C++; names and messages are UTF-8.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "survey/record.h"

namespace survey {

// The folder the result files go to: the Desktop folder as the system
// reports it (platform.h), looked up afresh at every call. Empty when there
// is none.
std::filesystem::path desktopFolder();

// What became of an append or a delete. `reason` is a Japanese sentence for
// the user (empty on success); `offending` names the character that could
// not be encoded.
struct FileOutcome {
    enum class Kind { Done, Unencodable, Failed };
    Kind kind = Kind::Done;
    std::string reason;
    std::string offending;
    bool ok() const { return kind == Kind::Done; }
};

class ResultFile {
public:
    // The name as it stands in the Desktop folder, UTF-8, e.g. "方向・距離DATA.TXT".
    explicit ResultFile(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& fileName() const { return fileName_; }
    // The full path in the current Desktop folder; empty when there is none.
    std::filesystem::path path() const;

    // Appends the record's lines, each ended with CR LF, in one write to the
    // end of the file (creating the folder and the file when missing). The
    // file's exclusive lock is held from reading its length to the end of
    // any cut-back, so two running copies never mix their records. On a
    // short write the file is cut back to its old length, so it stays
    // byte-identical to before. Nothing is written when a character has no
    // CP932 code or when there is no Desktop folder.
    FileOutcome append(const Record& record) const;

    // Deletes the file. A file that is already gone is not an error.
    FileOutcome remove() const;

private:
    std::string fileName_;
};

// Seams for tests, which must not touch the real Desktop nor need a full
// disk; both hold for every result file until set back to nullopt.
namespace seam {
// Result files go to `folder` instead of the Desktop (an empty path: as if
// the system named no Desktop).
void redirectDesktop(std::optional<std::filesystem::path> folder);
// Each append, and each save of a whole file (bookfile.h), writes at most
// `bytes` bytes, as a disk filling up would stop it.
void limitWrites(std::optional<std::size_t> bytes);
// The limit set, for the writers that honour it.
std::optional<std::size_t> writeLimit();
}  // namespace seam

}  // namespace survey
