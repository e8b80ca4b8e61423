// The help windows: usage cautions, input and operation guide, the
// description of every calculation and the explanation of the connecting
// traverse. They carry fixed text only; each exists once (showOnce) and is
// not modal.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QString>
#include <QWidget>

#include "frame/Artwork.h"
#include "frame/Controls.h"

// A fixed-size top-level window with fixed text, laid out in twips.
class InfoWindow : public QWidget {
public:
    // The height in twips of one line of text: the row pitch of these windows.
    static constexpr int kLineTwips = 240;

protected:
    // name: the window's objectName; caption: its title; client area in twips.
    InfoWindow(const QString& name, const QString& caption, int widthTwips, int heightTwips, QWidget* parent = nullptr);

    // A line of text at (left, top) twips in parent, as wide as its text and
    // one row high.
    static QLabel* line(QWidget* parent, const QString& name, int left, int top, const QString& text);
    // A frame with a caption (may be empty) at a twip rectangle.
    static QGroupBox* frame(QWidget* parent, const QString& title, int left, int top, int width, int height);
    // Picture `picture` (frame/Artwork.h) at a twip rectangle, centred in it.
    static QLabel* image(QWidget* parent, const QString& name, int left, int top, int width, int height,
                         const QString& picture);
    // The "閉じる" button.
    static CommandButton* closeButton(QWidget* parent, int left, int top);
};

// 使用上の注意: ten cautions in a frame; closed with the window's close box.
class 使用上の注意 : public InfoWindow {
public:
    explicit 使用上の注意(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLabel* Label5[4];
    QLabel *Label1, *Label2, *Label3, *Label4, *Label6, *Label7;
};

// 操作方法: the buttons, distances and angles; "閉じる" goes back to the menu.
class 操作方法 : public InfoWindow {
public:
    explicit 操作方法(QWidget* parent = nullptr);

    QLabel* Label1[11];
    CommandButton* Command1;

    void Command1_Click();
};

// 説明: what every calculation does, in two lists (with and without a
// result file); closed with the window's close box.
class 説明 : public InfoWindow {
public:
    explicit 説明(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLabel* Label1[12];
    QLabel* Label2[3];  // the three two-point lines
};

// 結合説明: how the connecting traverse is computed and entered, with a
// diagram. "閉じる" returns the focus to the traverse screen's first box.
class 結合説明 : public InfoWindow {
public:
    explicit 結合説明(QWidget* parent = nullptr);

    QLabel* Picture1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    QLabel *Label6, *Label7, *Label8, *Label9, *Label10;
    CommandButton* Command1;

    void Command1_Click();
};
