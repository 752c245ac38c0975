// The run state around the pass loop: the window's run keys, the queues' growth and
// housekeeping, the start-up state of the core and the endless-loop abort.
#include "model/sim_levels.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/analysis.h"
#include "simulation/eval_flipflop.h"
#include "simulation/ic_signal.h"
#include "simulation/loop_watch.h"
#include "simulation/port_access.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"

#include <algorithm>

namespace kardo {

namespace {

// Events per cell a pass may leave before the run counts as runaway.
constexpr std::size_t kQueuePerCell = 16;

} // namespace

bool ControlsAsMarked(const RunControlsMark& mark, const HostWindow& host) {
    const std::uint64_t now = host.ControlStamp();
    return now != 0 && mark.host == &host && mark.stamp == now;
}

void MarkControls(RunControlsMark& mark, const HostWindow& host) {
    mark.host = &host;
    mark.stamp = host.ControlStamp();
}

namespace {

// DisableRunKeys when the keys are not as marked: out of line, so that the check every run's
// end makes stays small.
[[gnu::noinline]] void SetRunKeysOff(HostWindow& host) {
    if (host.Caption(ctl::cmdPause) == "&Pause")
        host.SetEnabled(ctl::cmdPause, false);
    host.SetEnabled(ctl::cmdStop, false);
    MarkControls(gRunKeysOff, host);
}

} // namespace

void DisableRunKeys(HostWindow& host) {
    if (!ControlsAsMarked(gRunKeysOff, host))
        SetRunKeysOff(host);
}

void EventQueue::Grow() {
    const std::size_t capacity = std::max<std::size_t>(2 * m_capacity, 1024);
    auto slots = std::make_unique<SimEvent[]>(capacity);
    std::copy(m_slots.get(), m_slots.get() + m_count, slots.get());
    m_slots = std::move(slots);
    m_capacity = capacity;
}

void ResetSimCore() {
    gEventQueue.Release();
    gNextEventQueue.Release();
    gRechnet = false;
    gPaused = false;
    gPassLoopActive = false;
    gAbgebrochen = false;
    gRunden = 0;
    gMaxRunden = 1000;
    gVerzoegerung = 0;
    gRunKeysOff = {};
    gRunTimeShown = {};
    gTaktTicks = 0;
    gTaktFlagsSeen = 0;
    ForgetFlipFlopPins();
    ForgetICPinRoutes();
    ResetLoopWatch();
}

void ResetSimulation() {
    ResetSimCore();
    ResetPower();
    ResetAnalysis();
    ResetPortAccess();
}

bool RunInProgress() { return gRechnet || gPaused || gPassLoopActive || PowerSwitching(); }

int QueueCount(int welche) {
    if (welche == 1)
        return static_cast<int>(gEventQueue.size());
    if (welche == 2)
        return static_cast<int>(gNextEventQueue.size());
    return 0;
}

void ClearEventQueues() {
    for (EventQueue* q : {&gEventQueue, &gNextEventQueue}) {
        if (q->capacity() > kQueueFloor)
            q->Release();
        else
            q->clear();
    }
    gRechnet = false;
}

std::size_t QueueLimit() {
    std::size_t cells = 0;
    for (const SimLevelRecord& level : gLevels) {
        cells += static_cast<std::size_t>(level.Feld.UBoundX() + 1) *
                 static_cast<std::size_t>(level.Feld.UBoundY() + 1);
    }
    return std::max(kQueueFloor, kQueuePerCell * cells);
}

void AbortEndlessLoop() {
    gGrafik.FlushRepaints();
    const bool hasHost = gPlatform && gPlatform->host;
    if (hasHost)
        Host().SetCaption(ctl::lblOnOff, "Ausführung unterbrochen");
    ClearEventQueues();
    gRunden = 0;
    gStillRunden = 0;
    PressOffButton();
    if (hasHost) {
        Host().MessageBox("Die Ausführung wurde abgebrochen!\r\n\r\nÜberprüfen Sie, ob Ihre "
                          "Schaltung Endlosschleifen\r\nenthält.",
                          MsgButtons::Ok, MsgIcon::Exclamation, "Abbruch");
    }
    gAbgebrochen = true;
}

} // namespace kardo
