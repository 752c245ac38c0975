// The splash window shows the version, the system name and the stage texts of the load.
#include "app/qt/splash_window.h"
#include "app/system_info.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(SplashWindowTest, ShowsTheSystemAndTheStageTexts) {
    frmBevorStart splash;
    EXPECT_EQ(splash.objectName(), "frmBevorStart");
    auto* os = splash.findChild<QLabel*>("lblBetriebssystem");
    ASSERT_NE(os, nullptr);
    EXPECT_EQ(os->text().toStdString(), GetOSName());
    ASSERT_NE(splash.findChild<QLabel*>("imgStart"), nullptr);
    EXPECT_FALSE(splash.findChild<QLabel*>("imgStart")->pixmap().isNull());
    splash.SetStatus("Programmoberfläche vorbereiten...");
    EXPECT_EQ(splash.findChild<QLabel*>("lblStatus")->text().toStdString(),
              "Programmoberfläche vorbereiten...");
    EXPECT_EQ(splash.Status(), "Programmoberfläche vorbereiten...");
}

} // namespace
} // namespace kardo
