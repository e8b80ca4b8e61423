#include <QApplication>
#include <QIcon>

#include "frame/Navigation.h"
#include "frame/Module1.h"
#include "shell/Appearance.h"
#include "shell/Version.h"
#include "shell/Windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));
    QApplication::setApplicationVersion(QStringLiteral(TARNEL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TARNEL_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarnel/tarnel.svg")));
    Appearance::useJapaneseFont(app);
    Module1::LoadQtTranslation();

    registerShellWindows();
    Navigation::ShowMenu();
    return QApplication::exec();
}
