// The result files' system calls on Windows: wide-character paths, share
// modes that let other programs read while we append, a byte-range lock as
// the lock every copy of the program takes, and code page 932.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// windows.h first: the other system headers need what it declares.
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include "survey/platform.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

namespace survey::platform {

namespace {

#ifndef ERROR_DISK_QUOTA_EXCEEDED
constexpr DWORD ERROR_DISK_QUOTA_EXCEEDED = 1295;  // not in every SDK's headers
#endif

// The lock is one byte far beyond any real file's end, so that it keeps
// other copies of the program out without stopping anybody from reading
// the records.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kLockOffsetLow = 0xFFFFFFFE;

// Openings refused because another program holds the file (or a deletion
// is still pending) are tried again for about a second before giving up.
constexpr int kBusyAttempts = 10;
constexpr auto kBusyPause = std::chrono::milliseconds(100);

std::string utf8FromWide(const wchar_t* text, int length) {
    if (length == 0) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

// The system's own words for an error code.
std::string systemText(DWORD err) {
    wchar_t* text = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, err, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = n ? utf8FromWide(text, int(n)) : "Windows error " + std::to_string(err);
    if (text) ::LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out;
}

bool isFolder(const Path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

Status fault(DWORD err, const Path& path = {}) {
    switch (err) {
        case ERROR_SUCCESS: return {};
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL: return {Fault::NoSpace, {}};
        case ERROR_DISK_QUOTA_EXCEEDED: return {Fault::Quota, {}};
        case ERROR_FILE_TOO_LARGE: return {Fault::TooLarge, {}};
        case ERROR_ACCESS_DENIED:
            // Windows says the same of a folder that stands in the file's place.
            return {!path.empty() && isFolder(path) ? Fault::IsFolder : Fault::Denied, {}};
        case ERROR_WRITE_PROTECT: return {Fault::ReadOnly, {}};
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE: return {Fault::NotFound, {}};
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return {Fault::InUse, {}};
        default: return {Fault::Other, systemText(err)};
    }
}

bool busy(DWORD err) { return err == ERROR_SHARING_VIOLATION || err == ERROR_ACCESS_DENIED; }

HANDLE handleOf(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

OVERLAPPED lockPlace() {
    OVERLAPPED place{};
    place.Offset = kLockOffsetLow;
    place.OffsetHigh = kLockOffsetHigh;
    return place;
}

}  // namespace

Path pathFromUtf8(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(std::size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    return Path(wide);
}

Path desktopFolder() {
    wchar_t* folder = nullptr;
    Path found;
    // The folder's path even when it does not exist yet; a Desktop moved
    // elsewhere (OneDrive, a network share) is reported where it is now.
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Desktop, KF_FLAG_DONT_VERIFY, nullptr, &folder)) && folder) {
        found = Path(folder);
    }
    ::CoTaskMemFree(folder);
    return found.is_absolute() ? found : Path();
}

Status makeFolders(const Path& folder) {
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Status{} : Status{Fault::FileInTheWay, {}};
    const Path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && parent != folder.root_path()) {
        if (Status s = makeFolders(parent); !s.ok()) return s;
    }
    if (::CreateDirectoryW(folder.c_str(), nullptr)) return {};
    const DWORD err = ::GetLastError();
    if (err == ERROR_ALREADY_EXISTS) return isFolder(folder) ? Status{} : Status{Fault::FileInTheWay, {}};
    return fault(err);
}

Status removeFile(const Path& file) {
    for (int attempt = 0;; ++attempt) {
        if (::DeleteFileW(file.c_str())) return {};
        const DWORD err = ::GetLastError();
        // Gone already, or its folder is: either way there is nothing to delete.
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return {};
        if (!busy(err) || isFolder(file) || attempt + 1 == kBusyAttempts) return fault(err, file);
        std::this_thread::sleep_for(kBusyPause);
    }
}

// ---- Whole files ------------------------------------------------------------------

Status replaceFile(const Path& file, std::string_view bytes, std::size_t writeLimit) {
    static std::atomic<unsigned> counter{0};
    // A name for the new file next to `file`, of this process and this
    // attempt; creating it exclusively makes sure it is nobody else's.
    Path temporary;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; h == INVALID_HANDLE_VALUE; ++attempt) {
        temporary = file;
        temporary += L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L".tmp";
        h = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = ::GetLastError();
            if ((err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) || attempt == 99) return fault(err);
        }
    }
    DWORD err = ERROR_SUCCESS;
    std::size_t done = 0;
    const std::size_t allowed = std::min(bytes.size(), writeLimit);
    while (err == ERROR_SUCCESS && done < allowed) {
        const DWORD wanted = DWORD(std::min<std::size_t>(allowed - done, std::size_t(1) << 30));
        DWORD written = 0;
        if (!::WriteFile(h, bytes.data() + done, wanted, &written, nullptr)) {
            err = ::GetLastError();
        } else if (written == 0) {
            err = ERROR_DISK_FULL;
        }
        done += written;
    }
    if (err == ERROR_SUCCESS && done < bytes.size()) err = ERROR_DISK_FULL;
    if (err == ERROR_SUCCESS && !::FlushFileBuffers(h)) err = ::GetLastError();
    if (!::CloseHandle(h) && err == ERROR_SUCCESS) err = ::GetLastError();
    // A program that holds the old file open without sharing its deletion
    // keeps the rename out for a while; it is tried again, as a deletion is.
    for (int attempt = 0; err == ERROR_SUCCESS; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
        err = ::GetLastError();
        if (!busy(err) || isFolder(file) || attempt + 1 == kBusyAttempts) break;
        err = ERROR_SUCCESS;
        std::this_thread::sleep_for(kBusyPause);
    }
    if (err != ERROR_SUCCESS) {
        ::DeleteFileW(temporary.c_str());
        return fault(err, file);
    }
    return {};
}

// ---- AppendFile ------------------------------------------------------------------

AppendFile::AppendFile(const Path& file, Status& status) : path_(file) {
    // Every copy of the program opens the file with the same rights and
    // share modes, so that one waits on the other's lock instead of being
    // refused; a program that opened it without sharing writing refuses us.
    constexpr DWORD kAccess = GENERIC_WRITE | FILE_READ_ATTRIBUTES | DELETE;
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    for (int attempt = 0; attempt < kBusyAttempts; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(kBusyPause);
        const HANDLE h =
            ::CreateFileW(path_.c_str(), kAccess, kShare, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = ::GetLastError();
            status = fault(err, path_);
            if (busy(err) && status.fault != Fault::IsFolder) continue;
            return;
        }
        created_ = ::GetLastError() != ERROR_ALREADY_EXISTS;
        OVERLAPPED place = lockPlace();
        if (!::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &place)) {
            status = fault(::GetLastError());
            ::CloseHandle(h);
            return;
        }
        // A file deleted while we waited for the lock is let go; the path is
        // free again once its last holder has closed it.
        FILE_STANDARD_INFO info{};
        if (::GetFileInformationByHandleEx(h, FileStandardInfo, &info, sizeof info) && info.DeletePending) {
            ::CloseHandle(h);
            status = {Fault::InUse, {}};
            continue;
        }
        handle_ = reinterpret_cast<std::intptr_t>(h);
        status = {};
        return;
    }
}

AppendFile::~AppendFile() { close(); }

bool AppendFile::isOpen() const { return handle_ != -1; }

std::optional<std::uint64_t> AppendFile::size(Status& status) const {
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(handleOf(handle_), &length)) {
        status = fault(::GetLastError());
        return std::nullopt;
    }
    return std::uint64_t(length.QuadPart);
}

std::size_t AppendFile::write(std::string_view bytes, Status& status) {
    if (bytes.empty()) return 0;
    const HANDLE h = handleOf(handle_);
    LARGE_INTEGER end{};
    if (!::SetFilePointerEx(h, LARGE_INTEGER{}, &end, FILE_END)) {
        status = fault(::GetLastError());
        return 0;
    }
    DWORD written = 0;
    const DWORD wanted = bytes.size() > MAXDWORD ? MAXDWORD : DWORD(bytes.size());
    if (!::WriteFile(h, bytes.data(), wanted, &written, nullptr)) status = fault(::GetLastError());
    return written;
}

Status AppendFile::cutBack(std::uint64_t length) {
    const HANDLE h = handleOf(handle_);
    if (created_ && length == 0) {
        // Gone once closed; nobody else has seen a byte of it.
        FILE_DISPOSITION_INFO gone{TRUE};
        if (::SetFileInformationByHandle(h, FileDispositionInfo, &gone, sizeof gone)) return {};
    }
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(length);
    if (!::SetFilePointerEx(h, at, nullptr, FILE_BEGIN) || !::SetEndOfFile(h)) return fault(::GetLastError());
    return {};
}

Status AppendFile::close() {
    if (handle_ == -1) return {};
    const HANDLE h = handleOf(handle_);
    handle_ = -1;
    OVERLAPPED place = lockPlace();
    ::UnlockFileEx(h, 0, 1, 0, &place);
    return ::CloseHandle(h) ? Status{} : fault(::GetLastError());
}

// ---- Code page 932 ----------------------------------------------------------------

std::optional<std::string> toCodePage932(std::u16string_view units) {
    if (units.empty()) return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    std::string out(units.size() * 2, '\0');
    BOOL usedDefault = FALSE;
    // No best fit: a character without a code of its own is refused, never
    // written as a look-alike or as "?".
    const int n = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, int(units.size()), out.data(), int(out.size()),
                                        nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    out.resize(std::size_t(n));
    return out;
}

std::optional<std::u16string> fromCodePage932(std::string_view bytes) {
    if (bytes.empty()) return std::u16string();
    std::u16string out(bytes.size(), u'\0');
    const int n = ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()),
                                        reinterpret_cast<wchar_t*>(out.data()), int(out.size()));
    if (n <= 0) return std::nullopt;
    out.resize(std::size_t(n));
    return out;
}

}  // namespace survey::platform
