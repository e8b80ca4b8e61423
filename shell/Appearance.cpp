#include "shell/Appearance.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace Appearance {

void useJapaneseFont(QApplication& app) {
    static const char* const kFamilies[] = {
        "Noto Sans CJK JP", "IPAGothic", "IPAPGothic", "Yu Gothic UI", "Meiryo UI", "MS UI Gothic",
    };
    const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
    for (const char* family : kFamilies) {
        if (installed.contains(QString::fromLatin1(family))) {
            QFont font(QString::fromLatin1(family), 9);
            app.setFont(font);
            return;
        }
    }
}

}  // namespace Appearance
