#include <QApplication>

#include "frame/BookFiles.h"
#include "frame/Navigation.h"
#include "shell/Appearance.h"
#include "shell/HelpWindows.h"
#include "shell/MENU.h"
#include "shell/StartupProbe.h"
#include "shell/Version.h"
#include "shell/Windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnel"));
    QApplication::setApplicationVersion(QStringLiteral(TARNEL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(TARNEL_APP_ID));
    QApplication::setWindowIcon(Artwork::windowIcon());
    Appearance::useJapaneseFont(app);

    registerShellWindows();
    BookFiles::keepRecoveryCopy();
    BookFiles::askBeforeTheLastWindowCloses();
    Navigation::ShowMenu();
    BookFiles::offerRecovery();
    exitAfterFirstPaintIfAsked(openWindowOf<MENU>());
    return QApplication::exec();
}
