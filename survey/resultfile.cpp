#include "survey/resultfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QStringEncoder>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace survey {

namespace {

// ---- CP932 -------------------------------------------------------------------

// Characters that CP932 only has as a look-alike: JIS tables give the first,
// Windows' table the second. Text typed or pasted on this system may carry
// either form.
QString mapLookAlikes(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        switch (c.unicode()) {
        case 0x301C: c = QChar(0xFF5E); break;  // 〜 -> ～
        case 0x2212: c = QChar(0xFF0D); break;  // − -> －
        case 0x2016: c = QChar(0x2225); break;  // ‖ -> ∥
        case 0x00A5: c = QChar(0xFFE5); break;  // ¥ -> ￥
        case 0x2014: c = QChar(0x2015); break;  // — -> ―
        case 0x00A2: c = QChar(0xFFE0); break;  // ¢ -> ￠
        case 0x00A3: c = QChar(0xFFE1); break;  // £ -> ￡
        case 0x00AC: c = QChar(0xFFE2); break;  // ¬ -> ￢
        default: break;
        }
    }
    return out;
}

// Length in UTF-16 units of the code point at i (2 for a surrogate pair,
// 1 otherwise, including a lone surrogate).
qsizetype codePointLength(QStringView s, qsizetype i) {
    return (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
}

bool isLoneSurrogate(QStringView s, qsizetype i) {
    return s[i].isSurrogate() && codePointLength(s, i) == 1;
}

// "1F600" for the first code point of s, at least four hex digits.
QString codePointLabel(QStringView s) {
    char32_t cp = s[0].unicode();
    if (codePointLength(s, 0) == 2) cp = QChar::surrogateToUcs4(s[0], s[1]);
    return QString::number(uint(cp), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

constexpr const char* kCodecName = "windows-31j";

// True when the one code point encodes cleanly to at least one byte.
bool encodesAlone(QStringView codePoint) {
    QStringEncoder enc(kCodecName);
    const QByteArray b = enc.encode(codePoint);
    return !enc.hasError() && !b.isEmpty();
}

// ASCII is the same in CP932, byte for byte. It is copied directly because
// the converter's table swaps a few control codes (0x1A, 0x1C, 0x7F).
Cp932 encodeWithConverter(QStringView s, QStringEncoder& enc) {
    Cp932 r;
    qsizetype i = 0;
    while (i < s.size()) {
        if (s[i].unicode() < 0x80) {
            r.bytes.append(char(s[i].unicode()));
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < s.size() && s[end].unicode() >= 0x80) ++end;
        const QStringView run = s.mid(i, end - i);
        const QByteArray bytes = enc.encode(run);
        if (enc.hasError()) {
            // The converter substitutes quietly; find the first code point
            // it cannot store on its own.
            for (qsizetype k = 0; k < run.size(); k += codePointLength(run, k)) {
                const QStringView cp = run.mid(k, codePointLength(run, k));
                if (!encodesAlone(cp)) {
                    r.offending = cp.toString();
                    break;
                }
            }
            r.bytes.clear();
            return r;
        }
        r.bytes.append(bytes);
        i = end;
    }
    r.ok = true;
    return r;
}

// The same through the C library, for a Qt built without ICU.
Cp932 encodeWithIconv(QStringView s) {
    Cp932 r;
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == iconv_t(-1)) return r;  // no converter at all: nothing is written
    QByteArray in = s.toUtf8();
    QByteArray out(in.size() * 2 + 16, '\0');
    char* inPtr = in.data();
    size_t inLeft = size_t(in.size());
    char* outPtr = out.data();
    size_t outLeft = size_t(out.size());
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const int err = errno;
    iconv_close(cd);
    if (rc == size_t(-1)) {
        if (err == EILSEQ || err == EINVAL) {
            // inPtr stands on the offending UTF-8 sequence.
            const QString rest = QString::fromUtf8(inPtr, qsizetype(inLeft));
            if (!rest.isEmpty()) r.offending = rest.left(codePointLength(rest, 0));
        }
        return r;
    }
    out.truncate(qsizetype(out.size() - qsizetype(outLeft)));
    r.bytes = out;
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

}  // namespace

QString desktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

Cp932 toCp932(const QString& text) {
    const QString s = mapLookAlikes(text);
    for (qsizetype i = 0; i < s.size(); i += codePointLength(s, i)) {
        if (isLoneSurrogate(s, i)) {
            Cp932 r;
            r.offending = QString(s[i]);
            return r;
        }
    }
    QStringEncoder enc(kCodecName);
    if (enc.isValid()) return encodeWithConverter(s, enc);
    return encodeWithIconv(s);
}

QString ResultFile::path() const {
    return desktopFolder() + QLatin1Char('/') + fileName_;
}

FileOutcome ResultFile::append(const Record& record) const {
    // Everything is encoded before the file is touched, in one pass.
    std::string text;
    for (const std::string& line : record.lines()) {
        text.append(line);
        text.append("\r\n");
    }
    const Cp932 enc = toCp932(QString::fromUtf8(text.data(), qsizetype(text.size())));
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
    const int fd = openForAppend(path, created);
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
        bool restored = ::ftruncate(fd, oldSize) == 0;
        ::close(fd);
        if (created) restored = ::unlink(path.constData()) == 0 || errno == ENOENT;
        if (!restored) problem += QStringLiteral("ファイルを元の長さに戻せませんでした。");
        return failed(problem);
    }

    if (::close(fd) != 0) {
        const int err = errno;
        const bool restored = created ? ::unlink(path.constData()) == 0
                                      : ::truncate(path.constData(), oldSize) == 0;
        QString reason = QStringLiteral("結果ファイルを閉じられませんでした。") + errnoCause(err);
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
