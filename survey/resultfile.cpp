#include "survey/resultfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <iconv.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace survey {

namespace {

// ---- CP932 -------------------------------------------------------------------

// Characters that CP932 only has as a look-alike: JIS tables give the first,
// Windows' table the second. Text typed or pasted on this system may carry
// either form.
char16_t cp932Form(char16_t c) {
    switch (c) {
    case 0x301C: return 0xFF5E;  // 〜 -> ～
    case 0x2212: return 0xFF0D;  // − -> －
    case 0x2016: return 0x2225;  // ‖ -> ∥
    case 0x00A5: return 0xFFE5;  // ¥ -> ￥
    case 0x2014: return 0x2015;  // — -> ―
    case 0x00A2: return 0xFFE0;  // ¢ -> ￠
    case 0x00A3: return 0xFFE1;  // £ -> ￡
    case 0x00AC: return 0xFFE2;  // ¬ -> ￢
    default: return c;
    }
}

// Length in UTF-16 units of the code point at i (2 for a surrogate pair,
// 1 otherwise, including a lone surrogate).
qsizetype codePointLength(QStringView s, qsizetype i) {
    return (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
}

// "1F600" for the first code point of s, at least four hex digits.
QString codePointLabel(QStringView s) {
    char32_t cp = s[0].unicode();
    if (codePointLength(s, 0) == 2) cp = QChar::surrogateToUcs4(s[0], s[1]);
    return QString::number(uint(cp), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

// End of the run of ASCII bytes that starts at p, eight bytes at a time.
const char* asciiRunEnd(const char* p, const char* end) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & kHighBits) break;
        p += 8;
    }
    while (p != end && static_cast<unsigned char>(*p) < 0x80) ++p;
    return p;
}

// Reads the UTF-8 sequence at p (its first byte 0x80 or above) and moves p
// past it. A malformed sequence reads as U+FFFD, which CP932 cannot store.
char32_t nextCodePoint(const char*& p, const char* end) {
    const auto byte = [](const char* q) { return static_cast<unsigned char>(*q); };
    const unsigned char b0 = byte(p);
    int extra = 0;
    char32_t cp = 0;
    char32_t least = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) { extra = 1; cp = b0 & 0x1F; least = 0x80; }
    else if (b0 >= 0xE0 && b0 <= 0xEF) { extra = 2; cp = b0 & 0x0F; least = 0x800; }
    else if (b0 >= 0xF0 && b0 <= 0xF4) { extra = 3; cp = b0 & 0x07; least = 0x10000; }
    else { ++p; return 0xFFFD; }
    if (end - p <= extra) { ++p; return 0xFFFD; }
    for (int k = 1; k <= extra; ++k) {
        if ((byte(p + k) & 0xC0) != 0x80) { ++p; return 0xFFFD; }
        cp = (cp << 6) | (byte(p + k) & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++p; return 0xFFFD; }
    p += extra + 1;
    return cp;
}

// First byte of a two-byte CP932 character; every other byte stands alone.
bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

constexpr const char* kCodecName = "windows-31j";

// The system converter (ICU's windows-31j), made once for the thread's
// life. Qt keeps a converter's error flag for good once it has refused a
// character, so after a refusal the next record gets a fresh one.
std::optional<QStringEncoder>& keptConverter() {
    thread_local std::optional<QStringEncoder> converter;
    if (!converter) converter.emplace(kCodecName);
    return converter;
}

// True when the one character encodes cleanly to at least one byte.
bool encodesAlone(char16_t c) {
    QStringEncoder enc(kCodecName);
    const QByteArray b = enc.encode(QStringView(&c, 1));
    return !enc.hasError() && !b.isEmpty();
}

// The same through the C library, for a Qt built without ICU; `refused`
// is the index of the first character it cannot store.
bool convertWithIconv(std::u16string_view units, QByteArray& out, qsizetype& refused) {
    const char* from = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";
    iconv_t cd = iconv_open("CP932", from);
    if (cd == iconv_t(-1)) return false;  // no converter at all: nothing is written
    out.resize(qsizetype(units.size() * 2));
    char* in = const_cast<char*>(reinterpret_cast<const char*>(units.data()));
    std::size_t inLeft = units.size() * 2;
    char* o = out.data();
    std::size_t outLeft = std::size_t(out.size());
    const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    if (rc == std::size_t(-1)) {
        refused = qsizetype((in - reinterpret_cast<const char*>(units.data())) / 2);
        return false;
    }
    out.truncate(out.size() - qsizetype(outLeft));
    return true;
}

// Converts every character of `units` (none of them ASCII, none beyond
// the BMP) in one call. On a refusal `refused` is the index of the first
// character CP932 cannot store, or -1 when none can be named.
bool convertAll(std::u16string_view units, QByteArray& out, qsizetype& refused) {
    refused = -1;
    std::optional<QStringEncoder>& converter = keptConverter();
    if (!converter->isValid()) return convertWithIconv(units, out, refused);
    out = converter->encode(QStringView(units.data(), qsizetype(units.size())));
    if (!converter->hasError()) return true;
    converter.reset();
    // The converter substitutes quietly; find the first character it
    // cannot store on its own.
    for (std::size_t k = 0; k < units.size(); ++k) {
        if (!encodesAlone(units[k])) {
            refused = qsizetype(k);
            break;
        }
    }
    return false;
}

Cp932 refusal(QString offending) {
    Cp932 r;
    r.offending = std::move(offending);
    return r;
}

// UTF-8 text -> CP932. ASCII is the same in CP932, byte for byte, and is
// copied in whole runs; it never goes to the converter, whose table swaps a
// few control codes (0x1A, 0x1C, 0x7F). Every other character is gathered
// in its CP932 form, converted in one call, and its one or two bytes put
// back in place.
Cp932 encodeUtf8(std::string_view text) {
    const char* const first = text.data();
    const char* const last = first + text.size();

    std::u16string gathered;
    std::size_t asciiBytes = 0;
    char32_t beyond = 0;  // the first character past the BMP, where CP932 stops
    for (const char* p = first; p != last && beyond == 0;) {
        const char* run = asciiRunEnd(p, last);
        asciiBytes += std::size_t(run - p);
        p = run;
        if (p == last) break;
        const char32_t cp = nextCodePoint(p, last);
        if (cp > 0xFFFF) beyond = cp;
        else gathered.push_back(cp932Form(char16_t(cp)));
    }

    QByteArray converted;
    qsizetype refused = -1;
    if (!gathered.empty() && !convertAll(gathered, converted, refused)) {
        return refusal(refused < 0 ? QString() : QString(QChar(gathered[std::size_t(refused)])));
    }
    if (beyond != 0) return refusal(QString::fromUcs4(&beyond, 1));

    Cp932 r;
    r.bytes.resize(qsizetype(asciiBytes) + converted.size());
    char* out = r.bytes.data();
    const char* from = converted.constData();
    const char* const fromEnd = from + converted.size();
    for (const char* p = first; p != last;) {
        const char* run = asciiRunEnd(p, last);
        std::memcpy(out, p, std::size_t(run - p));
        out += run - p;
        p = run;
        if (p == last) break;
        nextCodePoint(p, last);
        const int n = from != fromEnd && isLeadByte(static_cast<unsigned char>(*from)) ? 2 : 1;
        if (fromEnd - from < n) return refusal(QString());  // the converter did not give one character each
        std::memcpy(out, from, std::size_t(n));
        out += n;
        from += n;
    }
    if (from != fromEnd) return refusal(QString());
    r.ok = true;
    return r;
}

// ---- Files -----------------------------------------------------------------

QString errnoCause(int err, bool removing = false) {
    switch (err) {
    case ENOSPC: return QStringLiteral("ディスクの空き容量が足りません。");
#ifdef EDQUOT
    case EDQUOT: return QStringLiteral("ディスクの使用量の上限を超えました。");
#endif
    case EFBIG: return QStringLiteral("ファイルの大きさの上限を超えました。");
    case EACCES:
    case EPERM:
        return removing ? QStringLiteral("削除の権限がありません。")
                        : QStringLiteral("書き込みの権限がありません。");
    case EROFS: return QStringLiteral("読み取り専用の場所です。");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("フォルダーが見つかりません。");
    case EISDIR: return QStringLiteral("同じ名前のフォルダーがあります。");
    default:
        return QStringLiteral("予期しないエラーが起きました（%1）。")
            .arg(QString::fromLocal8Bit(std::strerror(err)));
    }
}

FileOutcome failed(const QString& reason) {
    FileOutcome o;
    o.kind = FileOutcome::Kind::Failed;
    o.reason = reason;
    return o;
}

// Creates the folder and its missing parents. Returns 0 or the errno of
// the step that failed; a file standing where a folder should be gives
// EEXIST.
int makeFolder(const QByteArray& path) {
    struct stat st {};
    if (::stat(path.constData(), &st) == 0) return S_ISDIR(st.st_mode) ? 0 : EEXIST;
    const qsizetype slash = path.lastIndexOf('/');
    if (slash > 0) {
        if (const int err = makeFolder(path.left(slash))) return err;
    }
    if (::mkdir(path.constData(), 0777) == 0) return 0;
    const int err = errno;
    if (err == EEXIST && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode)) return 0;
    return err;
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

// Opens the file for appending, creating it when missing. `created` tells
// whether this call made the file.
int openForAppend(const QByteArray& path, bool& created) {
    created = false;
    for (int attempt = 0; attempt < 5; ++attempt) {
        int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd >= 0 || errno != ENOENT) return fd;
        fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            created = true;
            return fd;
        }
        if (errno != EEXIST) return fd;
        // Someone else created it in between: open theirs.
    }
    return ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

// Opens the file for appending and takes its exclusive lock, which every
// copy of the program holds from reading the size to the end of a
// cut-back. A file deleted while we waited for the lock is let go and the
// path opened anew. Where the file system has no locks the append goes on
// without one.
int openLocked(const QByteArray& path, bool& created, bool create = true) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = create ? openForAppend(path, created)
                              : ::open(path.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0) return fd;
        int rc;
        do {
            rc = ::flock(fd, LOCK_EX);
        } while (rc != 0 && errno == EINTR);
        struct stat st {};
        if (rc == 0 && ::fstat(fd, &st) == 0 && st.st_nlink == 0) {
            ::close(fd);
            continue;
        }
        return fd;
    }
    errno = EAGAIN;
    return -1;
}

// Takes the file back to `oldSize`, the lock held; a file that this
// append created goes altogether. False when that did not work.
bool cutBack(int fd, const QByteArray& path, off_t oldSize, bool created) {
    if (created && oldSize == 0) return ::unlink(path.constData()) == 0 || errno == ENOENT;
    return ::ftruncate(fd, oldSize) == 0;
}

}  // namespace

QString desktopFolder() {
#ifdef Q_OS_UNIX
    // Qt builds the folder on HOME, and without one quietly on "/" or, for a
    // relative HOME, on the current folder: neither is the user's Desktop.
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home)) return {};
#endif
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (folder.isEmpty() || !QDir::isAbsolutePath(folder)) return {};
    return folder;
}

Cp932 toCp932(const QString& text) {
    // A lone surrogate is no character at all and must not vanish silently.
    if (!text.isValidUtf16()) {
        for (qsizetype i = 0; i < text.size(); i += codePointLength(text, i)) {
            if (text[i].isSurrogate() && codePointLength(text, i) == 1) return refusal(QString(text[i]));
        }
    }
    const QByteArray utf8 = text.toUtf8();
    return encodeUtf8(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

QString ResultFile::path() const {
    const QString folder = desktopFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + fileName_;
}

FileOutcome ResultFile::append(const Record& record) const {
    // Everything is encoded before the file is touched, in one pass.
    const Cp932 enc = encodeUtf8(record.text());
    if (!enc.ok) {
        FileOutcome o;
        o.kind = FileOutcome::Kind::Unencodable;
        o.offending = enc.offending;
        if (enc.offending.isEmpty()) {
            o.reason = QStringLiteral("シフトJISで書けない文字があるため、結果ファイルに書き込みませんでした。");
        } else {
            o.reason = QStringLiteral("「%1」(U+%2) はシフトJISで書けない文字のため、結果ファイルに書き込みませんでした。")
                           .arg(enc.offending, codePointLabel(enc.offending));
        }
        return o;
    }
    const QByteArray& bytes = enc.bytes;

    const QString folder = desktopFolder();
    if (folder.isEmpty()) return failed(QStringLiteral("デスクトップのフォルダーが見つかりません。"));
    if (const int err = makeFolder(QFile::encodeName(QDir::cleanPath(folder)))) {
        const QString cause = (err == EEXIST || err == ENOTDIR)
                                  ? QStringLiteral("同じ名前のファイルがあります。")
                                  : errnoCause(err);
        return failed(QStringLiteral("デスクトップのフォルダーを作れませんでした。") + cause);
    }

    ignoreFileSizeSignal();
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + fileName_);
    bool created = false;
    const int fd = openLocked(path, created);
    if (fd < 0) {
        return failed(QStringLiteral("結果ファイルを開けませんでした。") + errnoCause(errno));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return failed(QStringLiteral("結果ファイルを開けませんでした。") + errnoCause(err));
    }
    const off_t oldSize = st.st_size;

    // One write of the whole record; anything less is undone below.
    QString problem;
    if (!bytes.isEmpty()) {
        ssize_t n;
        do {
            n = ::write(fd, bytes.constData(), size_t(bytes.size()));
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            problem = QStringLiteral("結果ファイルに書き込めませんでした。") + errnoCause(errno);
        } else if (n < bytes.size()) {
            // A short count carries no reason; one more try at the rest
            // usually names it (disk full, size limit). It is cut back anyway.
            problem = QStringLiteral("結果ファイルに最後まで書き込めませんでした。");
            const ssize_t more = ::write(fd, bytes.constData() + n, size_t(bytes.size() - n));
            if (more < 0 && errno != EINTR) problem += errnoCause(errno);
        }
    }

    if (!problem.isEmpty()) {
        if (!cutBack(fd, path, oldSize, created)) problem += QStringLiteral("ファイルを元の長さに戻せませんでした。");
        ::close(fd);
        return failed(problem);
    }

    if (::close(fd) != 0) {
        // The lock went with the close: only a file still ending in this
        // record is cut back, so nobody else's record is touched.
        const int err = errno;
        QString reason = QStringLiteral("結果ファイルを閉じられませんでした。") + errnoCause(err);
        bool again = false;
        const int fd2 = openLocked(path, again, false);
        const bool restored = fd2 >= 0 && ::fstat(fd2, &st) == 0 &&
                              st.st_size == oldSize + off_t(bytes.size()) &&
                              cutBack(fd2, path, oldSize, created);
        if (fd2 >= 0) ::close(fd2);
        if (!restored) reason += QStringLiteral("ファイルを元の長さに戻せませんでした。");
        return failed(reason);
    }
    return FileOutcome{};
}

FileOutcome ResultFile::remove() const {
    const QString folder = desktopFolder();
    if (folder.isEmpty()) return FileOutcome{};  // no Desktop, so no file either
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + fileName_);
    if (::unlink(path.constData()) == 0) return FileOutcome{};
    const int err = errno;
    // Gone already, or its folder is: either way there is nothing to delete.
    if (err == ENOENT || err == ENOTDIR) return FileOutcome{};
    return failed(QStringLiteral("結果ファイルを削除できませんでした。") + errnoCause(err, true));
}

}  // namespace survey
