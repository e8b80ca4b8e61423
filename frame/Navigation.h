// How a calculation screen reaches windows of the shell above it (the main
// menu, the explanation of a screen) without knowing them: the shell
// registers an opener for each at start-up.
#pragma once

#include <QString>
#include <functional>

namespace Navigation {

// Registers what opening the window `name` means (creating it when needed).
void setOpener(const QString& name, std::function<void()> opener);

// Opens the window `name`; does nothing when no opener is registered.
void open(const QString& name);

// The main menu, the window every screen goes back to.
inline void setMenuOpener(std::function<void()> opener) { setOpener(QStringLiteral("MENU"), std::move(opener)); }
inline void ShowMenu() { open(QStringLiteral("MENU")); }

}  // namespace Navigation
