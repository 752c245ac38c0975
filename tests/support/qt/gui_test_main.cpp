// Main of the GUI tests: offscreen Qt platform unless one is set, settings in test mode, Qt's
// own texts in German as in the program.
#include "platform/qt/german_texts.h"

#include <cstdlib>

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    kardo::InstallGermanQtTexts(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
