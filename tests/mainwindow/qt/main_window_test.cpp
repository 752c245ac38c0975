// The main window starts with the empty worksheet at cell size 14, zoom 1.0.
#include "app/startup.h"
#include "mainwindow/main_window.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/virtual_clock.h"
#include "render/view.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(MainWindowTest, StartsWithTheEmptyWorksheet) {
    ImageTarget picture;
    VirtualClock clock;
    VirtualPump pump(clock);
    frmKardo window(picture);
    Platform platform;
    platform.screen = &picture;
    platform.timers = &clock;
    platform.pump = &pump;
    platform.host = &window;
    PlatformScope scope(platform);

    InitProgramState();
    SizeWorksheetPicture();
    DrawGrid();
    window.RefreshWorksheet();

    EXPECT_EQ(window.windowTitle().toStdString(), "Neue Schaltung - Kardo");
    EXPECT_EQ(window.Caption("frmKardo"), "Neue Schaltung - Kardo");
    ASSERT_NE(window.findChild<QWidget*>("picContainer"), nullptr);
    ASSERT_NE(window.findChild<QWidget*>("picGrid"), nullptr);
    // The picture stands for the whole sheet, (W + 1) x (H + 1) cells.
    EXPECT_EQ(picture.Width(), 51 * 14);
    EXPECT_EQ(picture.Height(), 31 * 14);
    // Grid dots at cell centres, white between them.
    EXPECT_EQ(picture.PixelAt(7, 7), 0x808080);
    EXPECT_EQ(picture.PixelAt(49, 21), 0x808080);
    EXPECT_EQ(picture.PixelAt(8, 7), 0xFFFFFF);

    // Controls without a widget keep their state.
    window.SetEnabled("mUndo", false);
    EXPECT_FALSE(window.IsEnabled("mUndo"));
    window.SetCaption("mUndo", "&Rückgängig: Nicht möglich");
    EXPECT_EQ(window.Caption("mUndo"), "&Rückgängig: Nicht möglich");
}

} // namespace
} // namespace kardo
