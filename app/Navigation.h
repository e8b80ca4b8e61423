// How a calculation screen gets back to the main menu without knowing it:
// the program registers the menu's opener once at start-up.
#pragma once

#include <functional>

namespace Navigation {

// Registers what showing the main menu means (creating it when needed).
void setMenuOpener(std::function<void()> opener);

// Shows the main menu; does nothing when no opener is registered.
void ShowMenu();

}  // namespace Navigation
