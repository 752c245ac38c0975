// The program's start: splash window, settings root, the load of the main window, the window shown.
#include "mainwindow/program_start.h"

#include "app/load_sequence.h"
#include "app/main_state.h"
#include "app/qt/splash_window.h"
#include "mainwindow/main_window.h"
#include "model/utilities.h"
#include "platform/platform.h"

#include <string>

namespace kardo {

bool StartProgram(frmKardo& window, std::string_view file, const StageSeenFn& stageSeen) {
    frmBevorStart splash;
    splash.show();
    Pump().DoEvents();
    ChooseSettingsRoot();
    // A copy first: the caller may hand in LadeDatei itself.
    LadeDatei = std::string(file);
    Wait(2, false);

    // The load reports its stages in the splash window, which stays up until it is done.
    const bool loaded = window.Form_Load([&](std::string_view stage) {
        splash.SetStatus(stage);
        if (stageSeen)
            stageSeen(stage);
        Pump().DoEvents();
    });
    splash.hide();
    if (!loaded)
        return false;
    window.show();
    return true;
}

} // namespace kardo
