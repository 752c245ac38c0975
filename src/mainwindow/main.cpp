// Kardo: the splash window, the settings root, the load of the main window, the event loop.
#include "app/load_sequence.h"
#include "app/main_state.h"
#include "app/qt/splash_window.h"
#include "mainwindow/main_window.h"
#include "model/clocks.h"
#include "model/utilities.h"
#include "platform/ini_settings_store.h"
#include "platform/parallel_port.h"
#include "platform/platform.h"
#include "platform/qt/german_texts.h"
#include "platform/qt/picture_target.h"
#include "platform/qt/qt_timer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kardo");
    // Without the translation Qt's dialogs stay English; the program runs all the same.
    kardo::InstallGermanQtTexts(app);

    kardo::PictureTarget picture;
    kardo::QtTimerService timers;
    kardo::QtPump pump;
    kardo::IniSettingsStore settings(kardo::DefaultSettingsPaths());
    kardo::LinuxParallelPort port;
    kardo::frmKardo window(picture);

    kardo::Platform platform;
    platform.screen = &picture;
    platform.timers = &timers;
    platform.pump = &pump;
    platform.host = &window;
    platform.settings = &settings;
    platform.port = &port;
    kardo::PlatformScope scope(platform);

    kardo::frmBevorStart splash;
    splash.show();
    pump.DoEvents();
    kardo::ChooseSettingsRoot();
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        kardo::LadeDatei = args.at(1).toStdString();
    kardo::Wait(2, false);

    // The load reports its stages in the splash window, which stays up until it is done.
    const bool loaded = window.Form_Load([&](std::string_view stage) {
        splash.SetStatus(stage);
        pump.DoEvents();
    });
    splash.hide();
    if (!loaded)
        return 1;
    window.show();
    const int rc = QApplication::exec();
    // The clock timers belong to the timer service, which goes away with this function.
    kardo::ResetClockTimers();
    return rc;
}
