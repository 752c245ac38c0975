// Clock timers, the run timer and the clock toolbar keys.
#include "simulation/clock_run.h"

#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "simulation/user_interaction.h"

#include <algorithm>
#include <string>

namespace kardo {

namespace {

constexpr int kMaxBurstPulses = 100;
constexpr const char* kComputing = "Zustand wird berechnet ...";

bool HasHost() { return gPlatform && gPlatform->host; }
bool HasTimers() { return gPlatform && gPlatform->timers; }

bool IsClock(int i) {
    return i >= 0 && static_cast<std::size_t>(i) < gTaktElement.size() && HasTimers() &&
           i <= Timer2().UBound();
}

// Keys of the clock toolbar after a start (running) or a stop.
void ClockKeys(bool running) {
    if (!HasHost())
        return;
    HostWindow& host = Host();
    host.SetEnabled(kKeyClockStop, running);
    host.SetEnabled(kKeyDauertakt, !running);
    host.SetEnabled(kKeyEinzeltakt, !running);
}

// The output of clock i on the circuit level is high.
bool OutputHigh(int i) {
    if (gLevels.empty())
        return false;
    const auto nr = static_cast<std::size_t>(gTaktElement[static_cast<std::size_t>(i)]);
    const std::vector<ElementRecord>& list = gLevels[0].Elemente;
    if (nr == 0 || nr >= list.size())
        return false;
    const auto out = list[nr].Ausgaenge.Points();
    const Grid& feld = gLevels[0].Feld;
    return !out.empty() && feld.Contains(out[0].x, out[0].y) && feld(out[0].x, out[0].y).Pegel != 0;
}

void StartClock(int s, const char* tag) {
    HookClockTimers();
    Timer& t = Timer2()[s];
    t.SetInterval(ClockIntervalMs(gTaktZeit0[static_cast<std::size_t>(s)]));
    t.SetEnabled(true);
    t.Tag = tag;
    ClockKeys(true);
    if (HasHost())
        Host().SetEnabled(kKeyFullStop, true);
}

void RequestStop(int j) {
    gTaktZaehler[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(BurstEndCount(j));
    Timer2()[j].Tag = "Stop";
}

} // namespace

int ClockIntervalMs(int ms) { return std::max(ms, kMinClockIntervalMs); }

void ArmClockTimer(int i, int ms) {
    if (!HasTimers() || i < 0 || i > Timer2().UBound())
        return;
    Timer& t = Timer2()[i];
    const int interval = ClockIntervalMs(ms);
    if (t.Interval() != interval)
        t.SetInterval(interval);
}

int BurstPulses(int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= gAnzTakte.size())
        return 1;
    return std::clamp(static_cast<int>(gAnzTakte[static_cast<std::size_t>(i)]), 1, kMaxBurstPulses);
}

int BurstEndCount(int i) { return (BurstPulses(i) + 1) * 2; }

void HookClockTimers() {
    if (!HasTimers())
        return;
    Timer2().SetOnTick([](int index) { Timer2_Timer(index); });
    Timer1().SetOnTick([] { Timer1_Timer(); });
}

void Timer2_Timer(int index) {
    gRunden = 0;
    // A tick that was under way when the circuit went off raises nothing: its flag would fire
    // an edge in the next power cycle.
    if (gInLevel || !gPowerOn || index < 0)
        return;
    const auto at = static_cast<std::size_t>(index);
    if (at >= gTaktFlag.size())
        gTaktFlag.resize(at + 1, kFalse);
    gTaktFlag[at] = kTrue;
    ++gTaktTicks;
    // The phase after the pending edge starts now, not when the run makes the edge.
    if (IsClock(index)) {
        ArmClockTimer(index, OutputHigh(index) ? gTaktZeit0[at] : gTaktZeit1[at]);
    }
    if (!gRechnet)
        StartRunTimer();
}

void StartRunTimer() {
    if (!HasTimers())
        return;
    HookClockTimers();
    Timer1().SetEnabled(true);
}

void Timer1_Timer() {
    Timer& self = Timer1();
    // While a run is paused the ticks only raise their edge flags: "&Fortfahren" makes the edges
    // in the run it continues. A run started now would end at once and report "Bereit".
    if (gInLevel || gRechnet || !gPowerOn || gPaused) {
        self.SetEnabled(false);
        return;
    }
    // A stopped run has not yet returned, or the power is being switched: this run starts at a
    // later tick, once it has.
    if (gPassLoopActive || PowerSwitching())
        return;
    // One run per start, so off before it: a start asked for while it runs (StartRunTimer after
    // a stop) ticks once it has returned.
    self.SetEnabled(false);
    gRechnet = true;
    const bool delayed = gVerzoegerung > 0;
    if (delayed && HasHost()) {
        ShowLamps(true);
        Host().SetCaption(ctl::lblOnOff, kComputing);
        Host().SetEnabled(ctl::cmdStop, true);
        Host().SetEnabled(ctl::cmdPause, true);
    }
    const std::uint32_t epoch = gPowerEpoch;
    gRunden = 0;
    RunSimulation();
    // Switched off while the run waited: the window is back in editing mode.
    if (epoch != gPowerEpoch)
        return;
    ShowRunFinished(delayed);
    gRechnet = false;
}

void Toolbar3_ButtonClick(std::string_view key) {
    // The keys act on the clocks of a running circuit. A click that comes while the power is off
    // or being switched (the switch-off lets the window's events through as it changes the window
    // back to editing, with the keys still enabled) does nothing: the switch-off has stopped
    // every clock, and switching on starts none.
    if (!PowerSteadyOn())
        return;
    const int s = gAktTakt;
    if (key == "cmdFullStop") {
        if (!HasTimers())
            return;
        const int last = std::min(Timer2().UBound(), static_cast<int>(gTaktZaehler.size()) - 1);
        for (int j = 0; j <= last; ++j)
            RequestStop(j);
        ClockKeys(false);
        if (HasHost())
            Host().SetEnabled(kKeyFullStop, false);
        return;
    }
    if (!IsClock(s))
        return;
    if (key == "cmdDauertakt") {
        // A stop requested earlier must not end the new continuous run at its first low tick.
        gTaktZaehler[static_cast<std::size_t>(s)] = 0;
        StartClock(s, "Dauertakt");
    } else if (key == "cmdEinzeltakt") {
        gTaktZaehler[static_cast<std::size_t>(s)] = 1;
        StartClock(s, "Einzeltakt");
    } else if (key == "cmdStop") {
        RequestStop(s);
        bool anyRunning = false;
        for (int j = 0; j <= Timer2().UBound(); ++j) {
            const std::string& tag = Timer2()[j].Tag;
            anyRunning = anyRunning || !(tag.empty() || tag == "Stop");
        }
        ClockKeys(false);
        if (!anyRunning && HasHost())
            Host().SetEnabled(kKeyFullStop, false);
    }
}

} // namespace kardo
