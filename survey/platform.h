// What the result files and the book of points need of the operating
// system, and nothing else: the Desktop folder, folders, a file appended to
// under an exclusive lock, a file replaced whole, deletion, and the
// Japanese code page. Everything above this interface is
// the same on every system; one implementation per system sits below it
// (platform_posix.cpp, platform_win32.cpp), and the build takes one.
//
// Paths are std::filesystem::path; text crosses this interface as UTF-8
// (pathFromUtf8) or, for the code page, as UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace survey::platform {

using Path = std::filesystem::path;

// A path from UTF-8 text (the narrow string of a path is not UTF-8 on
// every system).
Path pathFromUtf8(std::string_view utf8);

// What went wrong, in the terms a user is told of it.
enum class Fault {
    None,
    NoSpace,       // the disk is full
    Quota,         // the user's disk quota is used up
    TooLarge,      // the file would grow beyond the largest size allowed
    Denied,        // no permission
    ReadOnly,      // a read-only medium or folder
    NotFound,      // a folder on the way is missing
    IsFolder,      // a folder stands where the file should be
    FileInTheWay,  // a file stands where a folder should be
    InUse,         // another program holds the file and lets nobody write
    Other,         // anything else; `detail` has the system's own words
};

struct Status {
    Fault fault = Fault::None;
    std::string detail;  // UTF-8; only for Fault::Other
    bool ok() const { return fault == Fault::None; }
};

// The user's Desktop folder as the system names it (on Linux the folder of
// XDG_DESKTOP_DIR in the user-dirs file, $HOME/Desktop by default; on
// Windows the known folder Desktop, wherever it has been moved). Looked up
// afresh at every call. Empty when the system names no absolute folder.
Path desktopFolder();

// Creates the folder and any missing parents; a folder already there is
// fine.
Status makeFolders(const Path& folder);

// Deletes a file. A file that is not there (nor its folder) is fine.
Status removeFile(const Path& file);

// Puts `bytes` in place of `file`, whole or not at all: they go to a new
// file in the same folder, created there exclusively, are flushed to the
// disk, and the new file is then renamed over `file` (which may be
// missing). On any failure the new file is deleted and `file` is as it
// was. At most `writeLimit` bytes are written (tests: a disk filling up);
// stopping short of all of them fails as Fault::NoSpace.
Status replaceFile(const Path& file, std::string_view bytes,
                   std::size_t writeLimit = std::numeric_limits<std::size_t>::max());

// A file opened for appending, holding the exclusive lock that every copy
// of the program takes before it reads the file's length and keeps until
// the file is closed. Other programs may read the file meanwhile.
class AppendFile {
public:
    // Opens the file, creating it when missing, and waits for the lock.
    // `status` tells why there is no file when isOpen() is false.
    AppendFile(const Path& file, Status& status);
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    bool isOpen() const;
    // The length in bytes.
    std::optional<std::uint64_t> size(Status& status) const;
    // Writes at the end in one call; returns how many bytes went in. A short
    // count without a fault is possible (a disk filling up).
    std::size_t write(std::string_view bytes, Status& status);
    // Takes the file back to `length`; a file this opening made, taken back
    // to nothing, goes altogether.
    Status cutBack(std::uint64_t length);
    // Closes the file and lets go of the lock.
    Status close();

private:
    Path path_;
    std::intptr_t handle_ = -1;
    bool created_ = false;
};

// The Japanese code page (932, Shift-JIS with the Windows extensions) as
// the system converts it. Each character of `units` must give exactly one
// CP932 character; none when the system has no code for one of them.
std::optional<std::string> toCodePage932(std::u16string_view units);
// Bytes in code page 932 to UTF-16; none when they are not valid CP932.
std::optional<std::u16string> fromCodePage932(std::string_view bytes);

}  // namespace survey::platform
