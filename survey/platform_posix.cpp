// The result files' system calls on Linux and other POSIX systems.
#include "survey/platform.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace survey::platform {

namespace {

Status fault(int err) {
    switch (err) {
        case 0: return {};
        case ENOSPC: return {Fault::NoSpace, {}};
#ifdef EDQUOT
        case EDQUOT: return {Fault::Quota, {}};
#endif
        case EFBIG: return {Fault::TooLarge, {}};
        case EACCES:
        case EPERM: return {Fault::Denied, {}};
        case EROFS: return {Fault::ReadOnly, {}};
        case ENOENT:
        case ENOTDIR: return {Fault::NotFound, {}};
        case EISDIR: return {Fault::IsFolder, {}};
        case EWOULDBLOCK: return {Fault::InUse, {}};
        default: return {Fault::Other, std::strerror(err)};
    }
}

int fd(std::intptr_t handle) { return static_cast<int>(handle); }

// An absolute path from an environment variable, or none.
std::optional<std::string> absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || value[0] != '/') return std::nullopt;
    return std::string(value);
}

// The value of XDG_DESKTOP_DIR in the user-dirs file: "$HOME/…" or an
// absolute path, in double quotes.
std::optional<std::string> userDirsDesktop(const std::string& home) {
    const std::string config = absoluteFromEnvironment("XDG_CONFIG_HOME").value_or(home + "/.config");
    std::ifstream in(config + "/user-dirs.dirs");
    const std::string key = "XDG_DESKTOP_DIR=\"";
    std::string line;
    std::optional<std::string> found;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) != 0) continue;
        const std::size_t end = line.find('"', key.size());
        if (end == std::string::npos) continue;
        std::string value = line.substr(key.size(), end - key.size());
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        if (!value.empty() && value[0] == '/') found = value;  // the last one counts
    }
    return found;
}

// Without this, a write beyond the process's file-size limit would end the
// program instead of failing.
void ignoreFileSizeSignal() {
    static const bool done = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)done;
}

// Opens for appending, creating the file when missing; `created` tells
// whether this call made it.
int openForAppend(const char* path, bool& created) {
    created = false;
    for (int attempt = 0; attempt < 5; ++attempt) {
        int f = ::open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
        if (f >= 0 || errno != ENOENT) return f;
        f = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (f >= 0) {
            created = true;
            return f;
        }
        if (errno != EEXIST) return f;
        // Someone else created it in between: open theirs.
    }
    return ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

// A name for the new file next to `file`, of this process and this
// attempt; creating it exclusively makes sure it is nobody else's.
std::string temporaryName(const Path& file) {
    static std::atomic<unsigned> counter{0};
    char tag[48];
    std::snprintf(tag, sizeof tag, ".%ld-%u.tmp", long(::getpid()), counter++);
    return file.native() + tag;
}

// Makes a rename in the folder last; a folder that cannot be synced is no
// fault of the file's.
void syncFolder(const Path& folder) {
    const int f = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (f < 0) return;
    [[maybe_unused]] const int synced = ::fsync(f);
    ::close(f);
}

// One converter each way for the thread's life.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) ::iconv_close(cd_);
    }
    bool valid() const { return cd_ != iconv_t(-1); }
    // All of `in` converted, or none.
    std::optional<std::string> convert(const char* in, std::size_t length, std::size_t outLimit) {
        if (!valid()) return std::nullopt;
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out(outLimit, '\0');
        char* inp = const_cast<char*>(in);
        char* outp = out.data();
        std::size_t outLeft = out.size();
        if (::iconv(cd_, &inp, &length, &outp, &outLeft) == std::size_t(-1) || length != 0) return std::nullopt;
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

}  // namespace

Path pathFromUtf8(std::string_view utf8) { return Path(std::string(utf8)); }

Path desktopFolder() {
    // Without an absolute HOME there is no user folder to speak of: not "/",
    // and not the current folder either.
    const std::optional<std::string> home = absoluteFromEnvironment("HOME");
    if (!home) return {};
    return Path(userDirsDesktop(*home).value_or(*home + "/Desktop"));
}

Status makeFolders(const Path& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? Status{} : Status{Fault::FileInTheWay, {}};
    const Path parent = folder.parent_path();
    if (!parent.empty() && parent != folder) {
        if (Status s = makeFolders(parent); !s.ok()) return s;
    }
    if (::mkdir(folder.c_str(), 0777) == 0) return {};
    const int err = errno;
    if (err == EEXIST && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
    return err == EEXIST || err == ENOTDIR ? Status{Fault::FileInTheWay, {}} : fault(err);
}

Status removeFile(const Path& file) {
    if (::unlink(file.c_str()) == 0) return {};
    const int err = errno;
    // Gone already, or its folder is: either way there is nothing to delete.
    if (err == ENOENT || err == ENOTDIR) return {};
    return fault(err);
}

// ---- Whole files ------------------------------------------------------------------

Status replaceFile(const Path& file, std::string_view bytes, std::size_t writeLimit) {
    ignoreFileSizeSignal();
    std::string temporary;
    int f = -1;
    for (int attempt = 0; f < 0; ++attempt) {
        temporary = temporaryName(file);
        f = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (f < 0 && (errno != EEXIST || attempt == 99)) return fault(errno);
    }
    // The new file keeps the old one's permissions.
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        [[maybe_unused]] const int kept = ::fchmod(f, old.st_mode & 07777);
    }
    int err = 0;
    std::size_t done = 0;
    const std::size_t allowed = std::min(bytes.size(), writeLimit);
    while (err == 0 && done < allowed) {
        const ssize_t n = ::write(f, bytes.data() + done, allowed - done);
        if (n > 0) {
            done += std::size_t(n);
        } else if (n == 0) {
            err = ENOSPC;
        } else if (errno != EINTR) {
            err = errno;
        }
    }
    if (err == 0 && done < bytes.size()) err = ENOSPC;
    if (err == 0 && ::fsync(f) != 0) err = errno;
    if (::close(f) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temporary.c_str(), file.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temporary.c_str());
        return fault(err);
    }
    syncFolder(file.parent_path());
    return {};
}

// ---- AppendFile ------------------------------------------------------------------

AppendFile::AppendFile(const Path& file, Status& status) : path_(file) {
    ignoreFileSizeSignal();
    // A file deleted while we waited for the lock is let go and the path
    // opened anew. Where the file system has no locks the append goes on
    // without one.
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int f = openForAppend(path_.c_str(), created_);
        if (f < 0) {
            status = fault(errno);
            return;
        }
        int rc;
        do {
            rc = ::flock(f, LOCK_EX);
        } while (rc != 0 && errno == EINTR);
        struct stat st {};
        if (rc == 0 && ::fstat(f, &st) == 0 && st.st_nlink == 0) {
            ::close(f);
            continue;
        }
        handle_ = f;
        status = {};
        return;
    }
    status = fault(EAGAIN);
}

AppendFile::~AppendFile() { close(); }

bool AppendFile::isOpen() const { return handle_ >= 0; }

std::optional<std::uint64_t> AppendFile::size(Status& status) const {
    struct stat st {};
    if (::fstat(fd(handle_), &st) != 0) {
        status = fault(errno);
        return std::nullopt;
    }
    return std::uint64_t(st.st_size);
}

std::size_t AppendFile::write(std::string_view bytes, Status& status) {
    if (bytes.empty()) return 0;
    ssize_t n;
    do {
        n = ::write(fd(handle_), bytes.data(), bytes.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        status = fault(errno);
        return 0;
    }
    return std::size_t(n);
}

Status AppendFile::cutBack(std::uint64_t length) {
    if (created_ && length == 0) return ::unlink(path_.c_str()) == 0 || errno == ENOENT ? Status{} : fault(errno);
    return ::ftruncate(fd(handle_), off_t(length)) == 0 ? Status{} : fault(errno);
}

Status AppendFile::close() {
    if (handle_ < 0) return {};
    const int f = fd(handle_);
    handle_ = -1;
    return ::close(f) == 0 ? Status{} : fault(errno);
}

// ---- Code page 932 ----------------------------------------------------------------

// UTF-16 in this machine's byte order, as the converter names it.
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

std::optional<std::string> toCodePage932(std::u16string_view units) {
    thread_local Converter converter("CP932", kUtf16);
    return converter.convert(reinterpret_cast<const char*>(units.data()), units.size() * 2, units.size() * 2);
}

std::optional<std::u16string> fromCodePage932(std::string_view bytes) {
    thread_local Converter converter(kUtf16, "CP932");
    const std::optional<std::string> out = converter.convert(bytes.data(), bytes.size(), bytes.size() * 2);
    if (!out) return std::nullopt;
    std::u16string units(out->size() / 2, u'\0');
    std::memcpy(units.data(), out->data(), units.size() * 2);
    return units;
}

}  // namespace survey::platform
