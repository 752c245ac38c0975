// Test fixture with the real main window offscreen: virtual clock and pump, an in-memory
// settings store with the program key, a temporary home folder, and message boxes and file
// dialogs answered from queues (the window never blocks). The window is loaded and activated.
#pragma once

#include "mainwindow/main_window.h"
#include "platform/platform.h"
#include "platform/qt/picture_target.h"
#include "platform/virtual_clock.h"
#include "support/fake_settings.h"
#include "support/temp_home.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
class WorksheetCanvas;
}

namespace kardo::test {

struct BoxShown {
    std::string text;   // message text
    MsgButtons buttons; // buttons offered
    MsgIcon icon;       // icon
    std::string title;  // caption
};

class MainWindowFixture : public ::testing::Test {
  protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Starts the program into the window as main() does (splash, settings root, the command-line
    // file in LadeDatei, the load, the window shown and activated); false when the load failed.
    bool LoadWindow();
    // Creates a folder below the temporary home and returns its path (no trailing "/").
    std::string MakeFolder(const std::string& relative) { return tempHome.MakeFolder(relative); }

    frmKardo& W() { return *window; }
    // Shows the window at 1200 x 800, waits until it is exposed and returns its worksheet
    // picture picGrid (nullptr when something failed).
    WorksheetCanvas* ShowWindow();
    // A click of button on cell (x, y) of the worksheet picture, the mouse moved there first.
    static void ClickCellAt(WorksheetCanvas* canvas, int x, int y,
                            Qt::MouseButton button = Qt::LeftButton);

    PictureTarget picture;                        // worksheet picture
    VirtualClock clock;                           // timers
    VirtualPump pump{clock};                      // waits
    FakeSettings settings;                        // settings store
    Platform platform;                            // the services above and the window
    std::unique_ptr<PlatformScope> scope;         // installs them
    std::unique_ptr<frmKardo> window;             // the main window
    std::vector<std::string> stages;              // stage texts of the load
    std::vector<BoxShown> boxes;                  // message boxes shown
    std::deque<MsgResult> answers;                // answers to give; empty: Cancel
    std::vector<FileDialogRequest> dialogs;       // file dialogs opened
    std::deque<std::optional<std::string>> paths; // their answers; empty: cancelled
    TempHome tempHome{"kardo-win-"};              // $HOME and $XDG_CONFIG_HOME for the test
    std::string home = tempHome.Path();           // temporary $HOME
};

} // namespace kardo::test
