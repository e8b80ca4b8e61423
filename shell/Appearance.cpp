#include "shell/Appearance.h"

#include <QApplication>
#include <QFont>

namespace Appearance {

void useJapaneseFont(QApplication& app) {
    // The font system takes the first family it has, and falls back along
    // the list for missing glyphs, without listing every family installed.
    // Each system's own fonts come first: on Windows its Japanese UI fonts.
    QFont font;
#ifdef Q_OS_WIN
    font.setFamilies({QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"), QStringLiteral("MS UI Gothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic")});
#else
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"), QStringLiteral("MS UI Gothic")});
#endif
    font.setPointSize(9);
    app.setFont(font);
}

}  // namespace Appearance
