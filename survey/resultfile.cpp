#include "survey/resultfile.h"

#include <algorithm>

#include "survey/cp932.h"
#include "survey/platform.h"

namespace survey {

namespace {

using platform::Fault;
using platform::Status;

std::optional<std::filesystem::path> redirectedDesktop;
std::optional<std::size_t> writeLimitBytes;

std::string cause(const Status& s, bool removing = false) {
    switch (s.fault) {
        case Fault::None: return {};
        case Fault::NoSpace: return "ディスクの空き容量が足りません。";
        case Fault::Quota: return "ディスクの使用量の上限を超えました。";
        case Fault::TooLarge: return "ファイルの大きさの上限を超えました。";
        case Fault::Denied: return removing ? "削除の権限がありません。" : "書き込みの権限がありません。";
        case Fault::ReadOnly: return "読み取り専用の場所です。";
        case Fault::NotFound: return "フォルダーが見つかりません。";
        case Fault::IsFolder: return "同じ名前のフォルダーがあります。";
        case Fault::FileInTheWay: return "同じ名前のファイルがあります。";
        case Fault::InUse:
            return "ほかのプログラムがこのファイルを開いています。そのプログラムでファイルを閉じてから、もう一度操作し"
                   "てください。";
        case Fault::Other: return "予期しないエラーが起きました（" + s.detail + "）。";
    }
    return {};
}

FileOutcome failed(std::string reason) {
    FileOutcome o;
    o.kind = FileOutcome::Kind::Failed;
    o.reason = std::move(reason);
    return o;
}

FileOutcome unencodable(const Cp932& enc) {
    FileOutcome o;
    o.kind = FileOutcome::Kind::Unencodable;
    o.offending = enc.offending;
    o.reason = "「" + enc.offending + "」(U+" + codePointLabel(enc.offending) +
               ") はシフトJISで書けない文字のため、結果ファイルに書き込みませんでした。";
    return o;
}

// The one write of a record; anything less is told as a problem.
std::string writeWhole(platform::AppendFile& file, std::string_view bytes) {
    const std::size_t allowed = std::min(bytes.size(), writeLimitBytes.value_or(bytes.size()));
    Status status;
    const std::size_t n = file.write(bytes.substr(0, allowed), status);
    if (!status.ok()) return "結果ファイルに書き込めませんでした。" + cause(status);
    if (n == bytes.size()) return {};
    // A short count carries no reason; one more try at the rest usually
    // names it (disk full, size limit). It is cut back anyway.
    std::string problem = "結果ファイルに最後まで書き込めませんでした。";
    if (allowed == bytes.size()) {
        file.write(bytes.substr(n), status);
        problem += cause(status);
    }
    return problem;
}

}  // namespace

std::filesystem::path desktopFolder() { return redirectedDesktop ? *redirectedDesktop : platform::desktopFolder(); }

std::filesystem::path ResultFile::path() const {
    const std::filesystem::path folder = desktopFolder();
    return folder.empty() ? folder : folder / platform::pathFromUtf8(fileName_);
}

FileOutcome ResultFile::append(const Record& record) const {
    // Everything is encoded before the file is touched, in one pass.
    const Cp932 enc = toCp932(record.text());
    if (!enc.ok) return unencodable(enc);

    const std::filesystem::path folder = desktopFolder();
    if (folder.empty()) return failed("デスクトップのフォルダーが見つかりません。");
    if (const Status s = platform::makeFolders(folder); !s.ok())
        return failed("デスクトップのフォルダーを作れませんでした。" + cause(s));

    Status status;
    platform::AppendFile file(path(), status);
    if (!file.isOpen()) return failed("結果ファイルを開けませんでした。" + cause(status));
    const std::optional<std::uint64_t> oldSize = file.size(status);
    if (!oldSize) return failed("結果ファイルを開けませんでした。" + cause(status));

    if (std::string problem = writeWhole(file, enc.bytes); !problem.empty()) {
        if (!file.cutBack(*oldSize).ok()) problem += "ファイルを元の長さに戻せませんでした。";
        return failed(problem);
    }

    if (const Status closed = file.close(); !closed.ok()) {
        // The lock went with the close: only a file still ending in this
        // record is cut back, so nobody else's record is touched.
        std::string reason = "結果ファイルを閉じられませんでした。" + cause(closed);
        platform::AppendFile again(path(), status);
        const std::optional<std::uint64_t> size = again.isOpen() ? again.size(status) : std::nullopt;
        const bool restored = size && *size == *oldSize + enc.bytes.size() && again.cutBack(*oldSize).ok();
        if (!restored) reason += "ファイルを元の長さに戻せませんでした。";
        return failed(reason);
    }
    return FileOutcome{};
}

FileOutcome ResultFile::remove() const {
    const std::filesystem::path file = path();
    if (file.empty()) return FileOutcome{};  // no Desktop, so no file either
    const Status s = platform::removeFile(file);
    return s.ok() ? FileOutcome{} : failed("結果ファイルを削除できませんでした。" + cause(s, true));
}

namespace seam {
void redirectDesktop(std::optional<std::filesystem::path> folder) { redirectedDesktop = std::move(folder); }
void limitWrites(std::optional<std::size_t> bytes) { writeLimitBytes = bytes; }
std::optional<std::size_t> writeLimit() { return writeLimitBytes; }
}  // namespace seam

}  // namespace survey
