// Clock edges.
#include "simulation/clock_tick.h"

#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "simulation/clock_run.h"
#include "simulation/sim_core.h"

namespace kardo {

namespace {

bool HasHost() { return gPlatform && gPlatform->host; }
bool HasTimers() { return gPlatform && gPlatform->timers; }

void SetClockInterval(int i, int ms) { ArmClockTimer(i, ms); }

} // namespace

void ClockTick(int i) {
    const auto at = static_cast<std::size_t>(i);
    if (i < 0 || at >= gTaktElement.size() || gLevels.empty())
        return;
    Grid& feld = gLevels[0].Feld;
    const std::int16_t nr = gTaktElement[at];
    const ElementRecord* e = PinSourceElement(nr, 0);
    if (!e)
        return;
    GetOutputPoints(nr, 0);
    GetInputPoints(nr, 0);
    if (gAnzAusgangsPunkte == 0)
        return;
    const GridPoint out = gAusgangsPunkte[0];
    if (!feld.Contains(out.x, out.y))
        return;
    const bool outputHigh = feld(out.x, out.y).Pegel != 0;

    if (gTaktZaehler[at] != 0) {
        // The counter of a burst saturates instead of wrapping past a byte.
        if (gTaktZaehler[at] < 255)
            ++gTaktZaehler[at];
        if (gTaktZaehler[at] >= BurstEndCount(i) && !outputHigh) {
            gTaktZaehler[at] = 0;
            if (HasTimers() && i <= Timer2().UBound())
                Timer2()[i].SetEnabled(false);
            if (HasHost()) {
                // The clock toolbar's stop key, not the run-control button of that name.
                Host().SetEnabled(kKeyClockStop, false);
                Host().SetEnabled(kKeyDauertakt, true);
                Host().SetEnabled(kKeyEinzeltakt, true);
            }
            return;
        }
    }

    const Step s = StepOf(e->Richtung);
    if (!outputHigh) {
        SetClockInterval(i, gTaktZeit1[at]);
        gTaktAusgang[at] = kTrue;
        const bool stopped = gAnzEingangsPunkte > 0 &&
                             feld.Contains(gEingangsPunkte[0].x, gEingangsPunkte[0].y) &&
                             feld(gEingangsPunkte[0].x, gEingangsPunkte[0].y).Pegel != 0;
        if (stopped)
            return;
        AddEvent(out.x, out.y, e->Richtung, 1, 0);
        AddEvent(out.x + s.dx, out.y + s.dy, e->Richtung, 1, 0);
        gRunden = 0;
    } else {
        gTaktAusgang[at] = kFalse;
        AddEvent(out.x, out.y, e->Richtung, 0, 0);
        AddEvent(out.x + s.dx, out.y + s.dy, e->Richtung, 0, 0);
        gRunden = 0;
        SetClockInterval(i, gTaktZeit0[at]);
    }
    if (HasHost())
        Host().SetEnabled(ctl::cmdStop, false);
}

} // namespace kardo
