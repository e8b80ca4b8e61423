// The main menu: the program's first window. Every calculation screen is
// reached from its menu bar and returns to it.
#pragma once

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>

#include "frame/Controls.h"

class MENU : public QMainWindow {
public:
    explicit MENU(QWidget* parent = nullptr);

    QGroupBox* Frame1;
    QLabel *Label1, *Label2;
    QLabel *Image1, *Image2;
    CommandButton *Command1, *Command2;

    QMenu *PRO, *TORA, *NITEN, *HE;
    QAction *HOU, *TANZA, *RENZA, *GYAKU, *HOUSHA, *KETSUGOU, *KOU, *CHUUTEN, *OFF, *DIVIDE, *HENKAN, *ZAMEN, *MEN,
        *SEP1, *SHUURYOU, *BOOK;
    QAction *CHU, *NYUURYOKUSOUSA, *SE, *SEP2, *VER;

private:
    // Closes the menu and shows the screen in its place.
    template <class Screen>
    Screen* replaceWith();
    QAction* entry(QMenu* menu, const char* name, const QString& caption);
};
