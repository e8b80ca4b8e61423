// Top-level windows that exist once: opening one again brings it forward.
#pragma once

#include <QApplication>
#include <QWidget>
#include <functional>

// The open (visible) window of type W, or nullptr. A window that has been
// closed and waits for its deletion does not count.
template <class W>
W* openWindowOf() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = dynamic_cast<W*>(w); found && found->isVisible()) return found;
    }
    return nullptr;
}

// Shows the one window of type W, creating it when none is open (and then
// handing it to `beforeShown`), and brings it to the front.
template <class W>
W* showOnce(const std::function<void(W*)>& beforeShown = {}) {
    W* window = openWindowOf<W>();
    if (!window) {
        window = new W;
        if (beforeShown) beforeShown(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

// Tells the frame how the screens reach the shell's windows: the main menu,
// the explanation of the connecting traverse and the book of points.
void registerShellWindows();
