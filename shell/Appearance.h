// The look shared by every window: a Japanese UI font.
#pragma once

class QApplication;

namespace Appearance {

// Asks for the first installed Japanese UI font (Noto Sans CJK JP, IPAGothic
// on Linux; Yu Gothic UI, MS UI Gothic on Windows) at 9 points.
void useJapaneseFont(QApplication& app);

}  // namespace Appearance
