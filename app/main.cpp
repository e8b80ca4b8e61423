#include <QApplication>
#include <QIcon>

#include "app/Appearance.h"
#include "app/MENU.h"
#include "app/Navigation.h"
#include "app/Windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));
    QApplication::setApplicationVersion(QStringLiteral("3.02"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tarnel.Tarnel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarnel/tarnel.svg")));
    Appearance::useJapaneseFont(app);

    Navigation::setMenuOpener([] { showOnce<MENU>(); });
    Navigation::ShowMenu();
    return QApplication::exec();
}
