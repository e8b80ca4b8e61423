#include "frame/Placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

void placeBeside(QWidget* window, QWidget* screen) {
    const int gap = 8;
    if (const QScreen* display = screen->screen()) {
        // Where the two fit side by side only with the screen moved over
        // (a centred screen on a small display), the screen makes room.
        const QRect room = display->availableGeometry(), at = screen->frameGeometry();
        const int right = room.right() - at.right() - gap, left = at.left() - room.left();
        const int wide = window->frameGeometry().width();
        if (wide > right && wide > left && wide <= right + left)
            screen->move(screen->x() - (wide - right), screen->y());
    }
    const QRect beside = screen->frameGeometry();
    int x = beside.right() + 1 + gap, y = beside.top();
    if (const QScreen* display = screen->screen()) {
        const QRect room = display->availableGeometry();
        const int right = room.right() - beside.right() - gap, left = beside.left() - room.left() - gap;
        // Neither side takes the window whole: the wider side, the window narrower.
        if (window->width() > right && window->width() > left)
            window->resize(std::max(window->minimumSizeHint().width(), std::max(left, right)), window->height());
        if (window->width() > right && left > right) x = beside.left() - gap - window->width();
        x = std::clamp(x, room.left(), std::max(room.left(), room.right() + 1 - window->width()));
        y = std::clamp(y, room.top(), std::max(room.top(), room.bottom() + 1 - window->height()));
    }
    window->move(x, y);
}
