// Kardo: the platform services, the program start and the event loop.
#include "mainwindow/main_window.h"
#include "mainwindow/program_start.h"
#include "model/clocks.h"
#include "platform/ini_settings_store.h"
#include "platform/parallel_port.h"
#include "platform/platform.h"
#include "platform/qt/german_texts.h"
#include "platform/qt/picture_target.h"
#include "platform/qt/qt_timer.h"

#include <string>

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

    const QStringList args = QApplication::arguments();
    if (!kardo::StartProgram(window, args.size() > 1 ? args.at(1).toStdString() : std::string()))
        return 1;
    const int rc = QApplication::exec();
    // The clock timers belong to the timer service, which goes away with this function.
    kardo::ResetClockTimers();
    return rc;
}
