// Switch clicks, pause and stop while powered.
#include "simulation/user_interaction.h"

#include "model/block_elements.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/clock_run.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/wire_router.h"

namespace kardo {

namespace {

constexpr const char* kComputing = "Zustand wird berechnet ...";

bool HasHost() { return gPlatform && gPlatform->host; }

// The run's own end has just found or left the keys as gRunKeysOff records, at the host's
// present stamp; a time display marked at that same stamp is still as it was left.
bool RunEndShown(const HostWindow& host) {
    return gRunTimeShown == gRunKeysOff && gRunTimeShown.stamp != 0 && gRunTimeShown.host == &host;
}

} // namespace

void ShowLamps(bool red) {
    if (!HasHost())
        return;
    Host().SetVisible(ctl::picRot, red);
    Host().SetVisible(ctl::picGruen, !red);
}

namespace {

// What a run's end shows when RunEndShown does not already hold: out of line, so that the check
// that nearly every click's run ends with stays small where it is inlined.
[[gnu::noinline]] void ShowRunEnd(HostWindow& host, bool delayed, bool keysOff) {
    // A run that ended because it was paused leaves "Angehalten" and the red lamp.
    if (delayed && !gPaused) {
        ShowLamps(false);
        if (host.Caption(ctl::lblOnOff) != "Angehalten")
            host.SetCaption(ctl::lblOnOff, "Bereit");
    }
    if (!keysOff)
        DisableRunKeys(host);
    if (!ControlsAsMarked(gRunTimeShown, host)) {
        host.SetCaption(ctl::lblTime, "0");
        MarkControls(gRunTimeShown, host);
    }
    // Both are now as a run's end leaves them (with keysOff the run's own end has just set the
    // keys, and only the lamps and the status text may have changed since).
    gRunKeysOff = gRunTimeShown;
}

} // namespace

void ShowRunFinished(bool delayed, bool keysOff) {
    if (!HasHost())
        return;
    HostWindow& host = Host();
    if (!delayed && keysOff && RunEndShown(host))
        return;
    ShowRunEnd(host, delayed, keysOff);
}

void InitSwitchOn() {
    gCurLevel = 0;
    const int x = gCursorX;
    const int y = gCursorY;
    // While the power is being switched the click starts nothing inside it.
    if (!PowerSteadyOn() || gLevels.empty() || !gLevels[0].Feld.Contains(x, y) ||
        !gGrid.Contains(x, y))
        return;
    CellRecord& sheetCell = gGrid(x, y);
    CellRecord& cell = gLevels[0].Feld(x, y);
    if (cell.Typ != kTypeSwitch)
        return;

    int d = 0;
    if (WireFlagCount(sheetCell) == 1) {
        d = sheetCell.Oben != 0     ? kUp
            : sheetCell.Rechts != 0 ? kRight
            : sheetCell.Unten != 0  ? kDown
                                    : kLeft;
    }
    if (d == 0) {
        ShowErrorText(1);
        return;
    }
    const Step s = StepOf(d);
    const int level = cell.Pegel != 0 ? 0 : 1;
    AddEvent(x + s.dx, y + s.dy, d, level, 0);
    cell.Pegel = sheetCell.Pegel = TruthValue(level == 1);
    // The switch's wire level along its one wire, set on the level cell in hand.
    if (d == kLeft || d == kRight)
        cell.PegelH = TruthValue(level == 1);
    else
        cell.PegelV = TruthValue(level == 1);

    // While a run is paused the switch's event waits in its queue for "&Fortfahren"; while a
    // stopped run has not yet returned, for the run that the run timer starts afterwards.
    if (!gRechnet && !gPaused && gPassLoopActive) {
        StartRunTimer();
    } else if (!gRechnet && !gPaused) {
        gRechnet = true;
        const std::uint32_t epoch = gPowerEpoch;
        if (gVerzoegerung > 0 && HasHost()) {
            ShowLamps(true);
            Host().SetCaption(ctl::lblOnOff, kComputing);
            Host().SetEnabled(ctl::cmdStop, true);
            if (level == 0 || Host().Caption(ctl::cmdPause) == "&Pause")
                Host().SetEnabled(ctl::cmdPause, true);
        }
        gRunden = 0;
        const bool ranEmpty = RunSimulation();
        // Switched off while the run waited: the window is back in editing mode and nothing
        // of this run may touch it.
        if (epoch != gPowerEpoch)
            return;
        ShowRunFinished(gVerzoegerung > 0, ranEmpty);
        gRechnet = false;
    }
    if (gPlatform && gPlatform->screen)
        gGrafik.Device = gPlatform->screen;
}

void Pause() {
    if (QueueCount(2) == 0 && !gRechnet)
        return;
    if (gPaused) {
        if (HasHost()) {
            Host().SetCaption(ctl::lblOnOff, kComputing);
            ShowLamps(true);
            Host().SetCaption(ctl::cmdPause, "&Pause");
            if (gVerzoegerung > 0)
                Host().SetEnabled(ctl::cmdStop, true);
        }
        gPaused = false;
        // Continued before the paused run reached its next pass: that run simply goes on.
        if (gPassLoopActive)
            return;
        const std::uint32_t epoch = gPowerEpoch;
        RunSimulation();
        if (epoch != gPowerEpoch)
            return;
        if (HasHost()) {
            if (!gRechnet)
                Host().SetCaption(ctl::lblOnOff, "Bereit");
            ShowLamps(false);
        }
        return;
    }
    if (HasHost()) {
        Host().SetCaption(ctl::lblOnOff, "Angehalten");
        ShowLamps(true);
        Host().SetCaption(ctl::cmdPause, "&Fortfahren");
        Host().SetEnabled(ctl::cmdStop, false);
    }
    gPaused = true;
}

void cmdPause_Click() { Pause(); }

void cmdStop_Click() {
    ClearEventQueues();
    if (!HasHost())
        return;
    Host().SetEnabled(ctl::cmdStop, false);
    Host().SetEnabled(ctl::cmdPause, false);
    Host().SetCaption(ctl::cmdPause, "&Pause");
    Host().SetCaption(ctl::lblOnOff, "Bereit");
}

void chkTakteingang_Click(int value) { gTakteingang = TruthValue(value > 0); }

} // namespace kardo
