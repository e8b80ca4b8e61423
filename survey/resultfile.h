// Result files: one append-only CP932 text file per calculation screen in
// the user's Desktop folder. A record is appended whole or not at all.
#pragma once

#include <QString>

#include "survey/record.h"

namespace survey {

// The Desktop folder as the platform reports it (XDG_DESKTOP_DIR on Linux,
// the user's Desktop on Windows), looked up afresh at every call. Empty
// when the platform gives no absolute path for it (HOME unset or relative).
QString desktopFolder();

// Text -> CP932 bytes through the system converter (ICU's windows-31j).
// Characters that only have a CP932 look-alike are mapped first
// (U+301C -> U+FF5E, U+2212 -> U+FF0D, U+2016 -> U+2225, U+00A5 -> U+FFE5,
// and the other JIS/Windows pairs U+2014, U+00A2, U+00A3, U+00AC); ASCII,
// control codes included, keeps its byte values.
// On success `ok` is true; otherwise `offending` holds the first character
// (a whole code point) that CP932 cannot store and the bytes are empty.
struct Cp932 {
    bool ok = false;
    QByteArray bytes;
    QString offending;
};
Cp932 toCp932(const QString& text);

// What became of an append or a delete. `reason` is a Japanese sentence for
// the user (empty on success); `offending` names the character that could
// not be encoded.
struct FileOutcome {
    enum class Kind { Done, Unencodable, Failed };
    Kind kind = Kind::Done;
    QString reason;
    QString offending;
    bool ok() const { return kind == Kind::Done; }
};

class ResultFile {
public:
    // fileName as it stands in the Desktop folder, e.g. "方向・距離DATA.TXT".
    explicit ResultFile(QString fileName) : fileName_(std::move(fileName)) {}

    const QString& fileName() const { return fileName_; }
    // Full path in the current Desktop folder; empty when there is none.
    QString path() const;

    // Appends the record's lines, each ended with CR LF, in one write to the
    // end of the file (creating the folder and the file when missing). The
    // file's exclusive lock (flock) is held from reading its length to the
    // end of any cut-back, so two running copies never mix their records.
    // On a short write the file is cut back to its old length, so it stays
    // byte-identical to before. Nothing is written when a character has no
    // CP932 code or when there is no Desktop folder.
    FileOutcome append(const Record& record) const;

    // Deletes the file. A file that is already gone is not an error.
    FileOutcome remove() const;

private:
    QString fileName_;
};

}  // namespace survey
