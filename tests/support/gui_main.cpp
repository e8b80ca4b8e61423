// main() of the widget tests: an offscreen QApplication around GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArrayList>
#include <vector>

#include "frame/Module1.h"
#include "shell/Appearance.h"

int main(int argc, char* argv[]) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Appearance::useJapaneseFont(app);
    Module1::LoadQtTranslation();
    // GoogleTest gets the command line in UTF-8, as Qt reads it: on Windows
    // argv is in the system's code page, which may not hold the Japanese
    // names of the tests that a filter names.
    QByteArrayList arguments;
    for (const QString& argument : QCoreApplication::arguments()) arguments << argument.toUtf8();
    std::vector<char*> utf8;
    for (QByteArray& argument : arguments) utf8.push_back(argument.data());
    int count = int(utf8.size());
    utf8.push_back(nullptr);  // argv[argc], as GoogleTest moves the rest up over the flags it takes
    ::testing::InitGoogleTest(&count, utf8.data());
    return RUN_ALL_TESTS();
}
