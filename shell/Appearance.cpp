#include "shell/Appearance.h"

#include <QApplication>
#include <QFont>

namespace Appearance {

void useJapaneseFont(QApplication& app) {
    // The font system takes the first family it has, and falls back along
    // the list for missing glyphs, without listing every family installed.
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"), QStringLiteral("MS UI Gothic")});
    font.setPointSize(9);
    app.setFont(font);
}

}  // namespace Appearance
