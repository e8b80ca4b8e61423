#include <QApplication>

#include "screens/points/HouScreen.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));

    auto* screen = new 方向距離;
    screen->show();
    return QApplication::exec();
}
