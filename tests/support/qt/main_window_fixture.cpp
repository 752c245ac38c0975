// Test fixture with the real main window offscreen.
#include "support/qt/main_window_fixture.h"

#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "mainwindow/program_start.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/clocks.h"
#include "model/grid.h"

#include <QApplication>
#include <QTest>

namespace kardo::test {

MainWindowFixture::MainWindowFixture() {
    MakeFolder("Documents");

    window = std::make_unique<frmKardo>(picture);
    // The open and the save dialog answer alike: the next queued path, or cancelled.
    const auto fileDialog = [this](const FileDialogRequest& r) -> std::optional<std::string> {
        dialogs.push_back(r);
        if (paths.empty())
            return std::nullopt;
        auto p = paths.front();
        paths.pop_front();
        return p;
    };
    window->SetDialogStandIns(
        [this](std::string_view text, MsgButtons buttons, MsgIcon icon, std::string_view title) {
            boxes.push_back({std::string(text), buttons, icon, std::string(title)});
            if (answers.empty())
                return buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
            const MsgResult r = answers.front();
            answers.pop_front();
            return r;
        },
        fileDialog, fileDialog);
    platform.screen = &picture;
    platform.timers = &clock;
    platform.pump = &pump;
    platform.host = window.get();
    platform.settings = &settings;
    scope = std::make_unique<PlatformScope>(platform);
    gRegRoot = SettingsRoot::User;
    LadeDatei.clear();
    ResetPermissions();
    settings.Set(SettingsRoot::User, "Permissions", "B:11111111111111;F:1111111;P:");
}

MainWindowFixture::~MainWindowFixture() {
    // The clock timers were made by this test's virtual clock.
    ResetClockTimers();
    window.reset();
    scope.reset();
}

bool MainWindowFixture::LoadWindow() {
    const std::string file = LadeDatei;
    return StartProgram(*window, file, [this](std::string_view s) { stages.emplace_back(s); });
}

WorksheetCanvas* MainWindowFixture::ShowWindow() {
    window->resize(1200, 800);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    return window->findChild<WorksheetCanvas*>("picGrid");
}

void MainWindowFixture::ClickCellAt(WorksheetCanvas* canvas, int x, int y, Qt::MouseButton button) {
    const QPoint p(GridToPixel(x), GridToPixel(y));
    QTest::mouseMove(canvas, p);
    QTest::mouseClick(canvas, button, {}, p);
    QApplication::processEvents();
}

} // namespace kardo::test
