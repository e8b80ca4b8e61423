// The book of points and its files: a SIMA, CSV or text file opened into
// the book (added to it or in its place, as the user says), the book saved
// as SIMA or CSV whole or not at all, a paste into it, the question when the
// program ends with the book changed, and the recovery copy that every
// change leaves, offered at the next start when a run did not end normally.
// Every question and file dialog goes through Module1.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

#include "survey/pointrows.h"

namespace BookFiles {

// Ctrl+O: a file asked for (or `path`), read (the columns asked for where a
// table's cannot be told), and taken into the book.
void open(const QString& path = {});
// Ctrl+S: to the book's file, or under a name asked for when it has none.
// True when the book was written.
bool save();
// Ctrl+Shift+S: under a name asked for, as SIMA or as CSV (points only).
bool saveAs();
// A pasted table or SIMA text, taken into the book as a file's points.
void paste(const QString& text);
// A point typed as "点番,点名,X,Y[,Z]" (the next free number offered),
// taken into the book as a pasted one.
void addTyped();
// A table whose columns cannot be told apart: its first lines shown, the
// user says what each column holds (or cancels: none). `from` names the
// file, for the question.
std::optional<survey::ColumnRoles> askColumns(const survey::TableSample& sample, const QString& from);

// Before the program ends: where the book changed since it was saved, asks
// "座標簿の変更を保存しますか？" (はい, いいえ, キャンセル) and saves on はい.
// False when the program should go on (キャンセル, or the save failed).
bool mayEnd();
// Ends the program after mayEnd (the menu's 終了 and Ctrl+Q).
void endProgram();
// Closing the last window ends the program too: from now on, with the book
// changed, the question comes first there, and キャンセル keeps the window
// open. Started once, by main(); deleting what it returns stops it.
QObject* askBeforeTheLastWindowCloses();

// The recovery copy: after every change of the book (a moment later, so
// that a burst of changes writes once) the book is written whole to the
// user's application-data folder, and the copy goes when the program ends
// normally. Started once, by main(). Of two programs running at once, the
// first keeps the copy; the second keeps none.
void keepRecoveryCopy();
// At start: a copy left by a run that did not end normally is offered, and
// taken into the book as changes still to be saved.
void offerRecovery();
// Where the copy is kept.
QString recoveryPath();
// The copy is written now rather than a moment later.
void writeRecoveryCopy();

}  // namespace BookFiles
