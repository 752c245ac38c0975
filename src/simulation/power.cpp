// Power on and off.
#include "simulation/power.h"

#include "editor/selection.h"
#include "editor/text_labels.h"
#include "ic/levels.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/number_text.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "simulation/analysis.h"
#include "simulation/block_power_on.h"
#include "simulation/eval_flipflop.h"
#include "simulation/gate_eval.h"
#include "simulation/ic_signal.h"
#include "simulation/port_access.h"
#include "simulation/sim_core.h"
#include "simulation/wire_router.h"

#include <algorithm>
#include <span>
#include <vector>

namespace kardo {

bool gAusschalten = false;
std::int16_t gSimLevel = 0;
bool gPowerOnRunning = false;
bool gPowerSettingUp = false;
bool gPowerOffRunning = false;
bool gPowerKeyWaiting = false;

namespace {

constexpr Color kWhite = Rgb(255, 255, 255);
constexpr int kPointerArrow = 1;

DrawTarget* Screen() { return gPlatform ? gPlatform->screen : nullptr; }
bool HasHost() { return gPlatform && gPlatform->host; }

// Lets the window process its messages; false when the power state changed meanwhile.
bool DoEventsStill(std::uint32_t epoch) {
    if (gPlatform && gPlatform->pump)
        Pump().DoEvents();
    return epoch == gPowerEpoch;
}

// Switching on whitens the centre pixel of every empty cell of the circuit (its grid mark). An
// upright flip-flop's set and reset stubs run a whole cell to the side, onto the centre of such a
// cell at most zooms; those ends are painted again afterwards as the symbol paints them there, so
// the picture is the one a full redraw of the running circuit gives.
struct StubEnd {
    GridPoint cell;  // the empty cell the stub runs onto
    GridPoint owner; // a cell of the flip-flop (its clock input) to draw it from
};

std::vector<StubEnd> UprightFlipFlopStubEnds(const SimLevelRecord& circuit) {
    std::vector<StubEnd> ends;
    const Grid& feld = circuit.Feld;
    for (std::size_t n = 1; n < circuit.Elemente.size(); ++n) {
        const ElementRecord& e = circuit.Elemente[n];
        if (e.Typ != kTypeFlipFlop || (e.Richtung != kUp && e.Richtung != kDown))
            continue;
        GetInputPoints(static_cast<std::int16_t>(n), 0);
        if (gAnzEingangsPunkte < 5 || gEingangsPunkte.size() < 5)
            continue;
        // The stubs leave the body's outer columns (those of K and J) on the row of S.
        const GridPoint j = gEingangsPunkte[0];
        const GridPoint c = gEingangsPunkte[1];
        const GridPoint k = gEingangsPunkte[2];
        const GridPoint s = gEingangsPunkte[3];
        for (const int x : {k.x - 1, j.x + 1}) {
            if (feld.Contains(x, s.y) && feld(x, s.y).Typ == kTypeEmpty)
                ends.push_back({GridPoint{static_cast<std::int16_t>(x), s.y}, c});
        }
    }
    return ends;
}

void PaintStubEnds(DrawTarget& pic, std::span<const StubEnd> ends) {
    for (const StubEnd& end : ends) {
        if (gGrid(end.cell.x, end.cell.y).Typ != kTypeEmpty ||
            !pic.SetClip({GridToPixel(end.cell.x), GridToPixel(end.cell.y), 1, 1}))
            continue;
        DrawElement(static_cast<std::int16_t>(end.owner.x), static_cast<std::int16_t>(end.owner.y),
                    false, false);
        pic.ClearClip();
    }
}

// Runs passes for a power-on check. False when the sequence must end: the circuit was switched
// off (or off and on again) while the pass waited, or the endless-loop abort struck.
bool RunCheckPass() {
    const std::uint32_t epoch = gPowerEpoch;
    // A level crossing out of an IC draws wire steps on the circuit, and drawing a wire step
    // sets gCurLevel to 0; the check goes on with the level it was initialising.
    const std::int16_t level = gCurLevel;
    gRechnet = true;
    RunSimulation();
    if (epoch != gPowerEpoch)
        return false;
    gCurLevel = level;
    gRechnet = false;
    return !gAbgebrochen;
}

CellRecord& LevelCell(int x, int y) {
    return gLevels[static_cast<std::size_t>(gCurLevel)].Feld(x, y);
}

bool Contains(int x, int y) {
    return gLevels[static_cast<std::size_t>(gCurLevel)].Feld.Contains(x, y);
}

// Index of (x, y) in a point list, or -1.
int IndexOf(const std::vector<GridPoint>& points, int count, int x, int y) {
    for (int i = 0; i < count; ++i) {
        const GridPoint p = points[static_cast<std::size_t>(i)];
        if (p.x == x && p.y == y)
            return i;
    }
    return -1;
}

void CheckInverter(int x, int y, std::int16_t nr, int richtung) {
    GetInputPoints(nr, gCurLevel);
    if (IndexOf(gEingangsPunkte, gAnzEingangsPunkte, x, y) != 0)
        return;
    const Step s = StepOf(richtung);
    if (!Contains(x + s.dx, y + s.dy))
        return;
    // The output is set from the input's level: toggling it would turn an output that an
    // earlier check's pass had already set into the wrong level.
    const bool level = LevelCell(x, y).Pegel == 0;
    LevelCell(x + s.dx, y + s.dy).Pegel = TruthValue(level);
    AddEvent(x + 2 * s.dx, y + 2 * s.dy, richtung, level ? 1 : 0, gCurLevel);
    GetOutputPoints(nr, gCurLevel);
    if (gAnzAusgangsPunkte > 0) {
        SetDirectionLevel(gCurLevel, gAusgangsPunkte[0].x, gAusgangsPunkte[0].y, richtung,
                          TruthValue(level));
    }
    RunCheckPass();
}

// The decoder's initial output comes from the address its inputs hold by now (an earlier
// check's pass may have raised one), not from the all-low address.
void CheckDecoder(int x, int y) {
    if (QueueDecoderPowerOn(x, y, gCurLevel))
        RunCheckPass();
}

void CheckGate(int x, int y, std::int16_t nr, int typ, int richtung) {
    if (!Contains(x, y))
        return;
    GetInputPoints(nr, gCurLevel);
    const CellRecord& c = LevelCell(x, y);
    if (c.Punkt != 0 && IndexOf(gEingangsPunkte, gAnzEingangsPunkte, x, y) >= 0) {
        AddEvent(x, y, richtung, c.Pegel != 0 ? 1 : 0, gCurLevel);
        RunCheckPass();
        gSimLevel = 0;
        return;
    }
    GetOutputPoints(nr, gCurLevel);
    if (c.Punkt == 0 || IndexOf(gAusgangsPunkte, gAnzAusgangsPunkte, x, y) != 0)
        return;
    SetDirectionLevel(gCurLevel, x, y, richtung, TruthValue((c.Pegel != 0) != (c.Punkt != 0)));
    if (gAnzEingangsPunkte > 0) {
        const GridPoint in1 = gEingangsPunkte[0];
        const int level = Contains(in1.x, in1.y) && LevelCell(in1.x, in1.y).Pegel != 0 ? 1 : 0;
        switch (typ) {
        case kTypeAnd:
            EvalUnd(in1.x, in1.y, richtung, level, gCurLevel);
            break;
        case kTypeOr:
            EvalOder(in1.x, in1.y, richtung, level, gCurLevel);
            break;
        default:
            EvalXOder(in1.x, in1.y, richtung, level, gCurLevel);
            break;
        }
    }
    RunCheckPass();
}

void CheckFlipFlop(int x, int y, std::int16_t nr, int richtung) {
    const std::uint32_t epoch = gPowerEpoch;
    GetOutputPoints(nr, gCurLevel);
    if (IndexOf(gAusgangsPunkte, gAnzAusgangsPunkte, x, y) == 1) {
        // Inverted Q follows Q: a flip-flop set by an earlier check keeps it low.
        if (!QueueFlipFlopInvertedOutput(x, y, gCurLevel))
            return;
        if (!RunCheckPass() || epoch != gPowerEpoch)
            return;
    }
    GetInputPoints(nr, gCurLevel);
    const int i = IndexOf(gEingangsPunkte, gAnzEingangsPunkte, x, y);
    if (i < 0 || i > 2 || LevelCell(x, y).Punkt == 0)
        return;
    AddEvent(x, y, richtung, 0, gCurLevel);
    RunCheckPass();
}

// Sets a flag for its lifetime or until End.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { End(); }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    void End() { m_flag = false; }

  private:
    bool& m_flag; // the flag set
};

void SwitchOn() {
    gPowerOnRunning = true;
    // Until the checks begin, the levels, queues and keys are being prepared: a click or run
    // timer tick in the events let through meanwhile starts no run (PowerSwitching).
    FlagScope settingUp(gPowerSettingUp);
    const std::uint32_t epoch = ++gPowerEpoch;
    if (!DoEventsStill(epoch))
        return;
    SaveToolState();

    gPowerOn = true;
    gPaused = false;
    gAbgebrochen = false;
    if (HasHost()) {
        Host().SetCaption(ctl::cmdPause, "&Pause");
        Host().SetVisible(ctl::picEinAus, true);
    }
    SelectNone();
    if (HasHost())
        Host().ChangeGUI(false);
    gPortAccess.PowerOn();

    gMouseMode = kToolPowered;
    if (HasHost())
        Host().SetMousePointer(kPointerCustom);
    gCurLevel = 0;

    Copy_P_to_Field();
    ClearRuntimeState();
    ResolveFlipFlopPins();
    ResolveICPinRoutes();
    if (!DoEventsStill(epoch))
        return;
    gEventQueue.clear();
    gNextEventQueue.clear();

    DrawTarget* pic = Screen();
    const std::vector<StubEnd> stubEnds =
        gLevels.empty() ? std::vector<StubEnd>{} : UprightFlipFlopStubEnds(gLevels[0]);
    settingUp.End();
    for (int d = LowestLevel(); d >= 0; --d) {
        for (int i = 0; i <= gICInstanceMax; ++i) {
            const bool take = (d == 0 && i == 0) ||
                              (i >= 1 && static_cast<std::size_t>(i) < gICInstances.size() &&
                               gICInstances[static_cast<std::size_t>(i)].Tiefe + 1 == d);
            if (!take || static_cast<std::size_t>(i) >= gLevels.size())
                continue;
            const int maxX = gLevels[static_cast<std::size_t>(i)].MaxX;
            const int maxY = gLevels[static_cast<std::size_t>(i)].MaxY;
            for (int x = 0; x <= maxX; ++x) {
                for (int y = 0; y <= maxY; ++y) {
                    if (!gPowerOn || epoch != gPowerEpoch)
                        return;
                    const Grid& feld = gLevels[static_cast<std::size_t>(i)].Feld;
                    if (!feld.Contains(x, y))
                        continue;
                    const std::uint8_t typ = feld(x, y).Typ;
                    if (typ == kTypeEmpty) {
                        if (i == 0 && pic)
                            pic->PSet(GridToPixel(x), GridToPixel(y), kWhite);
                        continue;
                    }
                    if (typ != kTypeInverter && typ != kTypeDecoder && typ != kTypeAnd &&
                        typ != kTypeOr && typ != kTypeXor && typ != kTypeFlipFlop)
                        continue;
                    gSimLevel = static_cast<std::int16_t>(d);
                    gCurLevel = static_cast<std::int16_t>(i);
                    CheckElements(x, y, typ);
                    if (epoch != gPowerEpoch)
                        return;
                    if (gAbgebrochen) {
                        PressOffButton();
                        return;
                    }
                }
            }
        }
    }
    gCurLevel = 0;
    gSimLevel = 0;
    if (pic)
        PaintStubEnds(*pic, stubEnds);
    ClearAnalysisTraces();
    if (HasHost()) {
        Host().SetVisible(ctl::picGruen, true);
        Host().SetVisible(ctl::picRot, false);
        Host().SetCaption(ctl::lblOnOff, "Bereit");
    }
    gPortAccess.ReportProblem();
}

// Redraws the flip-flop whose clock input (its input point 2, the symbol's anchor) is cell
// (x, y) of level 0, so that its state digit shows the reset state.
void RedrawFlipFlopAt(const SimLevelRecord& level, int x, int y) {
    const auto nr = static_cast<std::size_t>(level.Feld(x, y).ElementNr);
    if (nr == 0 || nr >= level.Elemente.size() || !Screen())
        return;
    const ElementRecord& e = level.Elemente[nr];
    const auto points = e.Eingaenge.Points();
    if (points.size() < 2 || points[1].x != x || points[1].y != y)
        return;
    gGrafik.Orientation = e.Richtung;
    gGrafik.DrawFlipFlop(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), false, false);
}

// Rewrites an IC pin string to its first three tokens, each closed by ";".
std::string FirstThreeTokens(const std::string& pin) {
    std::string out;
    for (int t = 1; t <= 3; ++t)
        out += GetNextToken(pin, t) + ";";
    return out;
}

void SwitchOff() {
    ++gPowerEpoch;
    ForgetFlipFlopPins();
    ForgetICPinRoutes();
    if (DrawTarget* pic = Screen())
        gGrafik.Device = pic;
    if (gCurLevel > 0)
        ShowLevel(0);
    gCurLevel = 0;
    gPowerOn = false;
    gMouseMode = kToolSelect;
    if (HasHost())
        Host().SetMousePointer(kPointerArrow);
    gAusschalten = true;

    if (gPlatform && gPlatform->timers) {
        TimerArray& timers = Timer2();
        for (int i = 0; i <= timers.UBound(); ++i) {
            timers[i].SetEnabled(false);
            timers[i].Tag = "Stop";
        }
    }
    // Edges raised before the switch-off would otherwise fire at the next power-on.
    std::fill(gTaktFlag.begin(), gTaktFlag.end(), kFalse);
    if (HasHost())
        Host().ChangeGUI(true);
    gPortAccess.PowerOff();

    // Both queues and the pause go whether a run was in progress or not: events left from this
    // session must not run in the next.
    ClearEventQueues();
    gPaused = false;
    // A run still waiting belongs to the session that ends here and returns without going on
    // (gPowerEpoch): it does not hold back the runs of the next session.
    gPassLoopActive = false;
    // A delayed run switched off leaves nothing to pause or stop.
    if (HasHost()) {
        Host().SetEnabled(ctl::cmdPause, false);
        Host().SetEnabled(ctl::cmdStop, false);
        Host().SetCaption(ctl::cmdPause, "&Pause");
    }

    const int lastLevel = std::min<int>(gICInstanceMax, static_cast<int>(gLevels.size()) - 1);
    for (int l = 0; l <= lastLevel; ++l) {
        SimLevelRecord& level = gLevels[static_cast<std::size_t>(l)];
        if (l > 0 && level.Name.empty())
            continue;
        for (int x = 0; x <= level.MaxX; ++x) {
            for (int y = 0; y <= level.MaxY; ++y) {
                if (!level.Feld.Contains(x, y))
                    continue;
                CellRecord& c = level.Feld(x, y);
                c.Pegel = c.PegelH = c.PegelV = kFalse;
                c.Verzoegerung = 0;
                if (l == 0 && gGrid.Contains(x, y)) {
                    CellRecord& w = gGrid(x, y);
                    w.Pegel = w.PegelH = w.PegelV = kFalse;
                }
                if (l == 0 && c.Typ == kTypeFlipFlop)
                    RedrawFlipFlopAt(level, x, y);
            }
        }
        if (l > 0 && static_cast<std::size_t>(l) < gICInstances.size()) {
            ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(l)];
            for (int p = 1; p <= ic.AnzAnschluesse; ++p) {
                if (static_cast<std::size_t>(p) >= ic.Anschluesse.size())
                    break;
                std::string& pin = ic.Anschluesse[static_cast<std::size_t>(p)];
                pin = FirstThreeTokens(pin);
            }
        }
    }

    SimLevelRecord& level0 = gLevels[0];
    level0.Feld.Create(0, 0);
    level0.Elemente.assign(1, ElementRecord{});
    level0.MaxX = level0.MaxY = level0.AnzElemente = 0;

    gAusschalten = false;
    RedrawAllElements(0);
}

} // namespace

void ResetPower() {
    gAusschalten = false;
    gSimLevel = 0;
    gPowerOnRunning = false;
    gPowerSettingUp = false;
    gPowerOffRunning = false;
    gPowerKeyWaiting = false;
}

void PowerOnOff() {
    // The switch-off lets the window's events through (the window changing to editing): a
    // power key there waits until it has finished, rather than switching on inside it.
    if (gPowerOffRunning) {
        gPowerKeyWaiting = !gPowerKeyWaiting;
        return;
    }
    // No label edit stays open while the circuit is on.
    txtBeschriftung_LostFocus();
    if (gPowerOn) {
        {
            const FlagScope switchingOff(gPowerOffRunning);
            SwitchOff();
        }
        if (!gPowerKeyWaiting)
            return;
        gPowerKeyWaiting = false;
    }
    // A switch-on that has not switched on yet (it is letting the window run its messages)
    // is not started a second time.
    if (gPowerOnRunning)
        return;
    SwitchOn();
    gPowerOnRunning = false;
}

bool PowerSwitching() { return gPowerOffRunning || gPowerSettingUp; }

bool PowerSteadyOn() { return gPowerOn && !PowerSwitching(); }

void PowerOffForExit() {
    gPowerKeyWaiting = false;
    if (gPowerOn && !gPowerOffRunning)
        PressOffButton();
    else
        ++gPowerEpoch;
}

void Copy_P_to_Field() {
    SimLevelRecord& level0 = gLevels[0];
    level0.Feld.Create(gFeldBreite + 1, gFeldHoehe + 1);
    level0.MaxX = gFeldBreite;
    level0.MaxY = gFeldHoehe;
    for (int y = 0; y <= gFeldHoehe; ++y) {
        for (int x = 0; x <= gFeldBreite; ++x) {
            const CellRecord& c = gGrid(x, y);
            if (c.Typ != kTypeEmpty)
                level0.Feld(x, y) = c;
        }
    }
    level0.AnzElemente = gAnzElemente;
    const auto count = static_cast<std::size_t>(gAnzElemente) + 1;
    level0.Elemente.assign(gElements.begin(),
                           gElements.begin() +
                               static_cast<std::ptrdiff_t>(std::min(count, gElements.size())));
}

void CheckElements(int x, int y, int mode) {
    if (gCurLevel < 0 || static_cast<std::size_t>(gCurLevel) >= gLevels.size() || !Contains(x, y))
        return;
    gRunden = 0;
    const std::int16_t nr = LevelCell(x, y).ElementNr;
    const ElementRecord* e = LevelElement(nr, gCurLevel);
    if (!e)
        return;
    const int richtung = e->Richtung;
    switch (mode) {
    case kTypeInverter:
        CheckInverter(x, y, nr, richtung);
        break;
    case kTypeDecoder:
        CheckDecoder(x, y);
        break;
    case kTypeAnd:
    case kTypeOr:
    case kTypeXor:
        CheckGate(x, y, nr, mode, richtung);
        break;
    case kTypeFlipFlop:
        CheckFlipFlop(x, y, nr, richtung);
        break;
    default:
        break;
    }
}

void PressOffButton() {
    if (HasHost()) {
        Host().SetChecked(ctl::cmdOn, false);
        Host().SetChecked(ctl::cmdOff, true);
    }
    if (gPowerOn)
        PowerOnOff();
}

} // namespace kardo
