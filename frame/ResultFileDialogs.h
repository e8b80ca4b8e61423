// A calculation's result file and what the user is told of it: the message
// when a record could not be written, and the delete question, whose Yes
// moves the file to the trash.
#pragma once

#include <QString>
#include <optional>

#include "survey/record.h"
#include "survey/resultfile.h"

class ResultFileDialogs {
public:
    // The file, by name in the Desktop folder; its delete question follows.
    void setFile(const QString& fileName) { file_.emplace(fileName.toStdString()); }
    // The file, or nullptr when the calculation writes none.
    const survey::ResultFile* file() const { return file_ ? &*file_ : nullptr; }

    // Appends the record. False, after telling the user (the results stay
    // on the screen), when nothing was written.
    bool write(const survey::Record& record) const;
    // Asks the delete question and, on Yes, moves the file to the trash, or
    // deletes it where the system has none (failures are told).
    void offerDelete() const;

    // The delete question, derived from the file name.
    static QString deleteQuestion(const QString& fileName);

private:
    // The file as a message names it.
    QString shownPath() const;

    std::optional<survey::ResultFile> file_;
};
