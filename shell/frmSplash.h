// frmSplash: the product and version window, opened from the main menu.
// "閉じる" closes it and shows the main menu.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

#include "shell/HelpWindows.h"

class frmSplash : public InfoWindow {
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QFrame* Picture1;  // the band with the product name
    QLabel* Label1;    // product name and version
    QLabel *Label2, *Label3, *Label4, *Label5, *Label6;
    QLabel* Label7;  // rights holder
    QLabel* Label8;  // maker
    QLabel* Label9;  // distribution notice
    QLabel *Image1, *Image2, *Image3, *Image4, *Image5;
    CommandButton* Command1;

    void Command1_Click();

protected:
    // The title bar stays empty: Qt would put the program's name in it.
    void showEvent(QShowEvent* event) override;
};
