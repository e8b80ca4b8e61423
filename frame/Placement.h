// Where a window goes beside a screen it serves (the parcel drawing beside
// 座標面積, the book of points beside the screen in use).
#pragma once

class QWidget;

// Moves `window` to the right of `screen` (to the left when only that side
// has room; when neither side has, but both fit side by side, the screen
// moves over to make room; else on the wider side, the window narrowed),
// within the display. Does not show it.
void placeBeside(QWidget* window, QWidget* screen);
