#include "shell/Windows.h"

#include "frame/Navigation.h"
#include "shell/HelpWindows.h"
#include "shell/MENU.h"

void registerShellWindows() {
    Navigation::setMenuOpener([] { showOnce<MENU>(); });
    Navigation::setOpener(QStringLiteral("結合説明"), [] { showOnce<結合説明>(); });
}
