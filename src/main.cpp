// Kardo: starts the program into its main window.
#include "app/startup.h"
#include "mainwindow/main_window.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"
#include "platform/qt/qt_timer.h"
#include "render/view.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kardo");

    kardo::ImageTarget picture;
    kardo::QtTimerService timers;
    kardo::QtPump pump;
    kardo::frmKardo window(picture);

    kardo::Platform platform;
    platform.screen = &picture;
    platform.timers = &timers;
    platform.pump = &pump;
    platform.host = &window;
    kardo::PlatformScope scope(platform);

    kardo::InitProgramState();
    kardo::SizeWorksheetPicture();
    kardo::DrawGrid();
    window.RefreshWorksheet();
    window.show();
    return QApplication::exec();
}
