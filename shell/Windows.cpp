#include "shell/Windows.h"

#include "frame/Navigation.h"
#include "frame/Placement.h"
#include "shell/BookWindow.h"
#include "shell/HelpWindows.h"
#include "shell/MENU.h"

void registerShellWindows() {
    Navigation::setMenuOpener([] { showOnce<MENU>(); });
    Navigation::setOpener(QStringLiteral("結合説明"), [] { showOnce<結合説明>(); });
    // The book opens beside the window in use, and stays where the user puts it.
    Navigation::setOpener(QStringLiteral("座標簿"), [] {
        QWidget* inUse = QApplication::activeWindow();
        showOnce<座標簿>([inUse](座標簿* book) {
            if (inUse) placeBeside(book, inUse);
        });
    });
}
