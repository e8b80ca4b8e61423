// main() of the widget tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "frame/Module1.h"
#include "shell/Appearance.h"

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Appearance::useJapaneseFont(app);
    Module1::LoadQtTranslation();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
