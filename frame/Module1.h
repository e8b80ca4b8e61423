// Routines every window shares: centring, the message boxes and ending the
// program. Message boxes and the end of the program go through one seam, so
// that tests can script the user's answer instead of waiting on a dialog.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QMessageBox;
class QWidget;

namespace Module1 {

// Message-box styles and answers, numbered as the classic MsgBox numbers them.
enum Style : int {
    OkOnly = 0,
    YesNoCancel = 3,
    YesNo = 4,
    Critical = 16,
    Information = 64,
};
enum Answer : int {
    Ok = 1,
    Cancel = 2,
    Yes = 6,
    No = 7,
};

// What the program shows and how it ends. The default shows real modal
// message boxes and quits the event loop; tests install their own.
class Seam {
public:
    virtual ~Seam() = default;
    // Shows a modal box and returns the button pressed (Ok, Yes or No).
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // Closes every window and leaves the event loop.
    virtual void endProgram() = 0;
    // Shows a modal list to choose one item from; the index chosen, or -1.
    virtual int chooseItem(const QString& prompt, const QStringList& items, const QString& title) = 0;
    // Asks with buttons of these captions (the last one cancels); the index
    // of the one pressed.
    virtual int askChoice(const QString& prompt, const QStringList& buttons, const QString& title) = 0;
    // Asks for a line of text, offering `suggested`; none when cancelled.
    virtual std::optional<QString> askText(const QString& prompt, const QString& suggested, const QString& title) = 0;
    // Shows the first lines of a table and asks what each column holds, one
    // of `roles` (by index) a column; an empty list when cancelled.
    virtual QList<int> chooseColumns(const QString& prompt, const QList<QStringList>& sample, const QStringList& roles,
                                     const QString& title) = 0;
    // The file dialogs: a file to open, or to save as (`filter` names the
    // one chosen of `filters`, and may be preset); empty when cancelled.
    virtual QString openFileName(const QString& title, const QString& folder, const QStringList& filters) = 0;
    virtual QString saveFileName(const QString& title, const QString& suggested, const QStringList& filters,
                                 QString* filter) = 0;
};

// Replaces the seam (nullptr restores the default). Returns the old one.
Seam* setSeam(Seam* seam);

// The box the default seam shows, built but not shown: title, prompt, icon
// and buttons (はい/いいえ or OK) by the style.
QMessageBox* messageBox(const QString& prompt, int style, const QString& title, QWidget* parent = nullptr);

// Loads Qt's own Japanese texts (buttons, the boxes' context menus) from
// Qt's translations folder, once; false when they are not installed, and
// then message boxes set their Japanese button texts themselves. Called by
// the first window that needs them, not at start, which it would slow.
bool LoadQtTranslation();

// The MsgBox of this program: every box goes through here.
int MsgBox(const QString& prompt, int style, const QString& title);

// Centres a window on its screen. Computed in twips (15 to a pixel) in
// single precision, halves to even; a window larger than the screen gets a
// negative position.
void CenterForm(QWidget* form);

// The centring arithmetic on its own: the left (or top) edge in twips of a
// window of windowTwips on a screen of screenTwips.
int centredEdge(int screenTwips, int windowTwips);

// The input error box ("注意", critical, OK).
void ShowInputError();

// The delete question for a result file; true when the user answers Yes.
bool AskDelete(const QString& question);

// Information box (icon, OK) and plain result box (no icon, OK).
void ShowInformation(const QString& prompt, const QString& title);
void ShowResult(const QString& prompt, const QString& title);

// A failure the user must know about (critical, OK).
void ShowFailure(const QString& prompt, const QString& title);

// The hint shown when the area-from-coordinates screen is opened from the menu.
void ShowAreaHint();

// Ends the program: every window is closed without further questions.
void EndProgram();
// True once the program has begun to end that way (its windows closing).
bool EndingProgram();

// A list to choose one item from (OK and キャンセル): the index, or -1.
int ChooseItem(const QString& prompt, const QStringList& items, const QString& title);
// The rest of the seam, as the program asks them.
int AskChoice(const QString& prompt, const QStringList& buttons, const QString& title);
std::optional<QString> AskText(const QString& prompt, const QString& suggested, const QString& title);
QList<int> ChooseColumns(const QString& prompt, const QList<QStringList>& sample, const QStringList& roles,
                         const QString& title);
QString OpenFileName(const QString& title, const QString& folder, const QStringList& filters);
QString SaveFileName(const QString& title, const QString& suggested, const QStringList& filters, QString* filter);

}  // namespace Module1
