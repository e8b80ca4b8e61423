// The floor for Tarnel's start-up: a bare Qt Widgets program with one main
// window, a menu bar of two menus and two buttons, built with the same
// flags. With TARNEL_EXIT_AFTER_FIRST_PAINT set it ends as soon as its
// window has been painted once, as Tarnel does.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/StartupProbe.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File(&P)"))->addAction(QStringLiteral("Open"));
    window.menuBar()->addMenu(QStringLiteral("Help(&H)"))->addAction(QStringLiteral("About"));
    auto* centre = new QWidget;
    auto* column = new QVBoxLayout(centre);
    column->addWidget(new QPushButton(QStringLiteral("Product")));
    column->addWidget(new QPushButton(QStringLiteral("Quit")));
    window.setCentralWidget(centre);
    exitAfterFirstPaintIfAsked(&window);
    window.show();
    return QApplication::exec();
}
