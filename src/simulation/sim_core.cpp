// The pass loop and the event dispatcher. Events of one pass are processed in the order they
// were queued; whatever they queue goes to the next pass. The two queues swap their buffers
// each pass, so a run allocates only while a queue grows beyond its largest size.
#include "simulation/sim_core.h"

#include "model/clock_tables.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "simulation/analysis.h"
#include "simulation/clock_tick.h"
#include "simulation/eval_adder.h"
#include "simulation/eval_flipflop.h"
#include "simulation/eval_mux_decoder.h"
#include "simulation/eval_shift_register.h"
#include "simulation/gate_eval.h"
#include "simulation/ic_signal.h"
#include "simulation/loop_watch.h"
#include "simulation/wire_router.h"

#include <algorithm>
#include <limits>

namespace kardo {

EventQueue gEventQueue;
EventQueue gNextEventQueue;
bool gRechnet = false;
bool gPaused = false;
bool gAbgebrochen = false;
std::uint32_t gTaktTicks = 0;
std::uint32_t gTaktFlagsSeen = 0;
std::int32_t gRunden = 0;
std::int16_t gMaxRunden = 1000;
std::int16_t gVerzoegerung = 0;
std::uint32_t gPowerEpoch = 0;
bool gPassLoopActive = false;
RunControlsMark gRunKeysOff;
RunControlsMark gRunTimeShown;

namespace {

constexpr Color kRed = Rgb(255, 0, 0);
// A pass on the fast path handed an event to a full path (RunPassFast).
bool sLeftFastPath = false;
// Pass views taken so far: the mark of the present one's level views (LevelView::taken).
std::uint64_t sViewsTaken = 0;
// Where the pass counters saturate.
constexpr std::int32_t kMaxCount = std::numeric_limits<std::int32_t>::max();

DrawTarget* Screen() { return gPlatform ? gPlatform->screen : nullptr; }

// A point outside the picture, plotted after a delayed pass and at the end of a run; it shows
// nothing.
void PlotOffPicture() {
    if (DrawTarget* pic = Screen())
        pic->PSet(-1, -1, kRed);
}

// End of a run: the queue ran empty.
void FinishRun() {
    PlotOffPicture();
    if (gPlatform && gPlatform->host)
        DisableRunKeys(*gPlatform->host);
    gRechnet = false;
}

// gPassLoopActive while RunSimulation is on the stack.
class PassLoopScope {
  public:
    PassLoopScope() {
        assert(!gPassLoopActive && "a run started inside another");
        gPassLoopActive = true;
    }
    ~PassLoopScope() { gPassLoopActive = false; }
    PassLoopScope(const PassLoopScope&) = delete;
    PassLoopScope& operator=(const PassLoopScope&) = delete;
};

// When a delayed run's IC-only passes, which do not wait, let the window's events through: once
// kYieldMs of the platform's clock have passed since they last ran. The clock is read only
// every kEventsPerLook events, so a pass pays no more than a subtraction for the watch.
class EventsGate {
  public:
    // Counts a pass of n events; true when the window's events are due.
    bool Due(std::size_t n) {
        if (n < m_left) {
            m_left -= n;
            return false;
        }
        m_left = kEventsPerLook;
        if (gPlatform == nullptr || gPlatform->pump == nullptr)
            return false;
        const std::int64_t now = gPlatform->pump->NowMs();
        if (!m_timing) {
            m_timing = true;
            m_since = now;
        }
        return now - m_since >= kYieldMs;
    }
    // The window's events have just run: the time counts from the next look.
    void Ran() {
        m_timing = false;
        m_left = kEventsPerLook;
    }

  private:
    static constexpr std::size_t kEventsPerLook = 1024;
    std::size_t m_left = kEventsPerLook; // events until the next look at the clock
    bool m_timing = false;               // m_since holds a time
    std::int64_t m_since = 0;            // first look at the clock since the events last ran
};

// The horizontal wire through a coupling diode is high: every side on which the diode cell has
// a horizontal wire leads to a high neighbour, and there is at least one such side. At a
// crossing both sides count; at a T whose input line ends in the diode, the one side it has.
bool DiodeInputHigh(const CellRecord& c, int x, int y, int ebene) {
    if (c.Links == 0 && c.Rechts == 0)
        return false;
    return (c.Links == 0 || NeighbourLevel(x, y, kLeft, ebene)) &&
           (c.Rechts == 0 || NeighbourLevel(x, y, kRight, ebene));
}

void MakePendingClockEdges() {
    gTaktFlagsSeen = gTaktTicks;
    for (std::size_t i = 0; i < gTaktFlag.size(); ++i) {
        if (gTaktFlag[i] == 0)
            continue;
        ClockTick(static_cast<int>(i));
        // ClockTick may have switched the circuit off or grown the table; index again.
        if (i < gTaktFlag.size())
            gTaktFlag[i] = kFalse;
    }
}

// The events queued for the next pass become the pass's own; its buffer takes the next ones.
[[gnu::always_inline]] inline void TakeNextPass() {
    gEventQueue.swap(gNextEventQueue);
    gNextEventQueue.clear();
}

// Both pass counters in their middle range, as nearly every pass finds them: the next pass only
// counts them on.
[[gnu::always_inline]] inline bool CountersInStride(std::int32_t runden, std::int32_t still) {
    return static_cast<std::uint32_t>(runden) - 1U < std::uint32_t{kMaxCount} - 1U &&
           still < gMaxRunden;
}

// Begins the next pass after one that stayed on the fast path, when it needs no more than the
// counters counted on and the queues swapped; otherwise the pass loop's top begins it.
[[gnu::always_inline]] inline bool NextFastPass() {
    const std::int32_t runden = gRunden;
    const std::int32_t still = gStillRunden;
    const std::size_t n = gNextEventQueue.size();
    // An empty queue ends the run; one beyond the floor has its limit checked at the top.
    if (!CountersInStride(runden, still) || n - 1 >= kQueueFloor)
        return false;
    gRunden = runden + 1;
    gStillRunden = still + 1;
    TakeNextPass();
    return true;
}

// What the events of one simulation level need of it, taken with the pass view: nothing in the
// passes of that view changes it.
struct LevelView {
    SimLevelRecord* level = nullptr;           // the level; nullptr without one
    CellRecord* cells = nullptr;               // its grid, row after row
    int columns = 0;                           // its columns
    int rows = 0;                              // its rows
    ElementRecord* elements = nullptr;         // its element list
    ChangeMark* marks = nullptr;               // its loop-watch marks; nullptr when not sized
    const LevelFlipFlops* flipFlops = nullptr; // its flip-flops
    std::uint64_t taken = 0;                   // the pass view it was taken for (sViewsTaken)

    void Take(std::size_t ebene) {
        SimLevelRecord& l = gLevels[ebene];
        level = &l;
        cells = l.Feld.Cells();
        columns = l.Feld.Columns();
        rows = l.Feld.Rows();
        elements = l.Elemente.data();
        flipFlops = &FlipFlopsOf(ebene);
        marks = nullptr;
        if (ebene < gLevelChanges.size()) {
            std::vector<ChangeMark>& m = gLevelChanges[ebene];
            if (m.size() >= static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows))
                marks = m.data();
        }
        taken = sViewsTaken;
    }
};

// The views of the IC levels by level number, taken when a pass first meets the level; entry 0
// is unused (the circuit's is in the pass view). Only a view whose `taken` is the present
// sViewsTaken belongs to the passes running.
std::vector<LevelView> sLevelViews;

// What every event of one pass needs and nothing in the pass changes: the picture the circuit's
// wire steps are drawn on and the circuit's level.
struct PassView {
    DrawTarget* pic = nullptr; // the worksheet picture while the circuit is on view
    LevelView circuit;         // the circuit's level; its level nullptr without levels
    ChangeMark window = 0;     // LoopWindowMark(): a new loop-watch window takes a new view

    // The events of the circuit's level may take the fast path (RunPassFast): nothing is drawn
    // and the loop-watch marks are in place.
    bool FastPathFits() const { return pic == nullptr && circuit.marks != nullptr; }

    // The view as the circuit stands now.
    static PassView Current() {
        PassView v;
        v.Take();
        return v;
    }

  private:
    void Take() {
        // The views of the IC levels taken for earlier passes no longer hold.
        ++sViewsTaken;
        window = LoopWindowMark();
        // Only the circuit is on view; while an IC level is shown nothing of a run paints
        // over it.
        if (!gInLevel)
            pic = Screen();
        if (!gLevels.empty())
            circuit.Take(0);
    }
};

// The view of IC level ebene for the passes running, taken now if not yet; nullptr when the
// level does not exist.
[[gnu::noinline]] LevelView* TakeLevelView(std::size_t ebene) {
    if (ebene >= gLevels.size())
        return nullptr;
    // Only an event's own view is in use while it is taken: the others may move.
    if (sLevelViews.size() < gLevels.size())
        sLevelViews.resize(gLevels.size());
    LevelView& v = sLevelViews[ebene];
    v.Take(ebene);
    return &v;
}

[[gnu::always_inline]] inline LevelView* LevelViewOf(std::size_t ebene) {
    if (ebene < sLevelViews.size()) [[likely]] {
        LevelView& v = sLevelViews[ebene];
        if (v.taken == sViewsTaken) [[likely]]
            return &v;
    }
    return TakeLevelView(ebene);
}

[[gnu::always_inline]] inline void ProcessEvent(std::uint64_t w, const PassView& view);
[[gnu::always_inline]] inline bool RunPassFast(const PassView& view);

} // namespace

// Marked hot: the pass loop is placed with the other hot code, not wherever the link puts it
// among the drawing code, with which it could share instruction-cache sets during a run that
// draws.
[[gnu::hot]] bool RunSimulation() {
    gRechnet = true;
    const PassLoopScope active;
    EventsGate events;
    // The elements the run paints again under a clip are painted when it ends (or waits).
    const RepaintBatch repaints;
    const std::uint32_t epoch = gPowerEpoch;
    // Clock edges raised before the run are made at its first pass; later ones can come only
    // from ticks while the run waits (a step delay, a message box), which count gTaktTicks.
    bool edgesDue = true;
    // The view of a pass holds until a new loop-watch window, a clock edge or a wait; it is
    // taken at the first pass that processes events.
    PassView view;
    bool viewStale = true;
    // The view allows the fast path (RunPassFast); taken with the view.
    bool fast = false;
    for (;;) {
        if (gPaused)
            return false;
        // Otherwise than in their stride, each counter is handled on its own below.
        const std::int32_t runden = gRunden;
        const std::int32_t still = gStillRunden;
        if (CountersInStride(runden, still)) [[likely]] {
            gRunden = runden + 1;
            gStillRunden = still + 1;
        } else {
            // The counter saturates: with a step delay the limit never strikes and a long watch
            // must not wrap it.
            if (gRunden < kMaxCount)
                ++gRunden;
            // gRunden was 0: a clock edge, power-on check or user action began a new window.
            if (gRunden == 1) {
                StartLoopWindow();
                viewStale = true;
            }
            if (gStillRunden < kMaxCount)
                ++gStillRunden;
            // The pass limit counts passes without progress (loop_watch.h): a loop-free circuit
            // runs as long as it needs, an oscillating one is stopped.
            if (gStillRunden > gMaxRunden && gVerzoegerung == 0) {
                AbortEndlessLoop();
                return false;
            }
        }
        if (edgesDue || gTaktFlagsSeen != gTaktTicks) {
            edgesDue = false;
            viewStale = true;
            MakePendingClockEdges();
            if (epoch != gPowerEpoch)
                return false;
        }

        const std::size_t n = gNextEventQueue.size();
        if (n == 0) {
            FinishRun();
            return true;
        }
        // Clusters of connection points can multiply events without end; a queue far beyond
        // what the circuit's cells could need is an endless loop too, delay or not.
        if (n > kQueueFloor && n > QueueLimit()) {
            AbortEndlessLoop();
            return false;
        }
        TakeNextPass();

        if (viewStale) {
            view = PassView::Current();
            fast = view.FastPathFits();
            viewStale = false;
        }
        // Indexed with a fresh bound each turn: nothing may clear the pass under our feet, but
        // if something does the loop simply ends. Only a pass with a step delay notes whether
        // it reached the circuit's level: the delay changes while a run waits, between passes,
        // and a pass that began without one has nothing to wait for.
        if (gVerzoegerung < 1) [[likely]] {
            if (fast) {
                // A pass that stays on the fast path changes cells, queues and loop-watch marks
                // only: it cannot pause the run, raise a clock edge, set a step delay, switch
                // off or change the view. The passes after it start here while they can.
                while (RunPassFast(view) && NextFastPass()) {
                }
            } else {
                for (std::size_t i = 0; i < gEventQueue.size(); ++i) {
                    const auto w = std::bit_cast<std::uint64_t>(gEventQueue[i]);
                    if (event_word::Richtung(w) != 0)
                        ProcessEvent(w, view);
                }
            }
            continue;
        }
        bool touchedLevel0 = false;
        for (std::size_t i = 0; i < gEventQueue.size(); ++i) {
            const auto w = std::bit_cast<std::uint64_t>(gEventQueue[i]);
            if (event_word::Richtung(w) == 0)
                continue;
            ProcessEvent(w, view);
            touchedLevel0 |= event_word::Ebene(w) == 0;
        }

        const bool waits = gVerzoegerung >= 1 && touchedLevel0;
        if (!waits && !events.Due(gEventQueue.size()))
            continue;
        gGrafik.FlushRepaints();
        if (waits)
            Wait(static_cast<double>(gVerzoegerung) / 110.0, false);
        else
            gPlatform->pump->DoEvents();
        events.Ran();
        viewStale = true;
        // Switched off (and maybe on again) while the window's events ran: this run belongs to
        // a circuit that is gone, so nothing of it may go on.
        if (epoch != gPowerEpoch)
            return false;
        // Stopped: the run ends here. What came meanwhile (a click, a clock edge) is left to the
        // run that the run timer starts once this one has returned.
        if (!gRechnet) {
            FinishRun();
            return true;
        }
        if (waits)
            PlotOffPicture();
    }
}

void Propagate(int x, int y, int richtung, int pegel, int ebene) {
    ProcessEvent(event_word::Make(x, y, richtung, pegel, ebene), PassView::Current());
}

namespace {

// How ProcessOn is instantiated: the full paths of an IC level and of the circuit's level (which
// draws its wire steps), and the fast paths of both, which handle the events of wire, empty,
// flip-flop and IC cells and hand any other event, before it has changed anything, to their
// level's full path. A fast path holds no call but the flip-flop's evaluator, the crossing of an
// IC pin and a queue's growth, so that its few values stay in registers.
enum class Path { kLevel, kCircuit, kLevelFast, kCircuitFast };

void ProcessOnCircuit(std::uint64_t w, const PassView& view);
void ProcessOnLevel(std::uint64_t w, const PassView& view);

// The kinds of cell the fast paths handle: wire, empty, flip-flop and IC cells.
constexpr bool FastKind(std::uint8_t typ) {
    constexpr std::uint32_t kKinds =
        1U << kTypeEmpty | 1U << kTypeWire | 1U << kTypeFlipFlop | 1U << kTypeIC;
    return typ < 32 && ((kKinds >> typ) & 1U) != 0;
}

// What a wire cell passes a level on to: a plain wire routes it on; at an IC pin number the level
// leaves the package on an IC level and goes no further on the circuit (an IC being defined).
[[gnu::always_inline]] inline void PassOnFromWire(CellRecord& c, std::uint64_t w, int pegel,
                                                  int ebene) {
    if (c.ICPin == 0)
        RouteLevelWord(c, w);
    else if (ebene > 0)
        ICSignalAt(c, pegel, ebene, kICSignalOutOf);
}

// A level that reached the pin cell of an IC element enters the instance the cell names.
[[gnu::always_inline]] inline void EnterIC(const CellRecord& c, int pegel, int ebene) {
    if (c.ICLevel != 0)
        ICSignalAt(c, pegel, ebene, kICSignalInto);
}

// Processes the event of word w on the level that lv views.
template <Path P>
[[gnu::always_inline]] inline void ProcessOn(std::uint64_t w, const LevelView& lv,
                                             const PassView& view) {
    constexpr bool kCircuit = P == Path::kCircuit || P == Path::kCircuitFast;
    constexpr bool kFast = P == Path::kLevelFast || P == Path::kCircuitFast;
    // The fast path hands the event, untouched, to its level's full path.
    const auto fullPath = kCircuit ? ProcessOnCircuit : ProcessOnLevel;
    const int x = event_word::X(w);
    const int y = event_word::Y(w);
    const int richtung = event_word::Richtung(w);
    const int pegel = event_word::High(w) ? 1 : 0;
    const int ebene = kCircuit ? 0 : event_word::Ebene(w);
    // Also outside every grid when there is none: its size is 0 by 0.
    if (static_cast<unsigned>(x) >= static_cast<unsigned>(lv.columns) ||
        static_cast<unsigned>(y) >= static_cast<unsigned>(lv.rows))
        return;
    const std::size_t index = static_cast<std::size_t>(y) * static_cast<std::size_t>(lv.columns) +
                              static_cast<std::size_t>(x);
    CellRecord& c = lv.cells[index];

    if constexpr (kFast) {
        if (c.Verzoegerung != 0 || !FastKind(c.Typ)) [[unlikely]] {
            fullPath(w, view);
            return;
        }
    }
    if (c.Verzoegerung > 0) {
        --c.Verzoegerung;
        AddEvent(x, y, richtung, pegel, ebene);
        return;
    }

    const bool horizontal = richtung == kLeft || richtung == kRight;
    const bool vertical = richtung == kUp || richtung == kDown;
    const bool wasHigh = c.Pegel != 0;
    if (pegel != 0) {
        if (c.Typ == kTypeWire &&
            (horizontal ? (c.Links == 0 && c.Rechts == 0) : (c.Oben == 0 && c.Unten == 0)))
            return;
        // An LED carries a point mark so that the wires meeting at it are joined, but it passes
        // a level on only when it changes: LEDs side by side would otherwise hand a level
        // round their marked cells for ever.
        if (c.Pegel != 0 && (c.Typ == kTypeLed || (c.Punkt == kPointNone && WireFlagCount(c) < 3)))
            return;
        c.Pegel = kTrue;
        if (horizontal)
            c.PegelH = kTrue;
        if (vertical)
            c.PegelV = kTrue;
    } else {
        if (c.Pegel == 0 && (c.Punkt == kPointNone || c.Typ == kTypeLed))
            return;
        const int connections = WireFlagCount(c);
        if (connections == 4 && c.Punkt == kPointNone) {
            // A crossing without a junction: only the wire of the axis of travel goes low.
            if (horizontal) {
                c.PegelH = kFalse;
                if (c.PegelV == 0)
                    c.Pegel = kFalse;
            } else {
                c.PegelV = kFalse;
                if (c.PegelH == 0)
                    c.Pegel = kFalse;
            }
        } else if (connections < 3 || c.Punkt != kPointDiode || horizontal) {
            c.Pegel = c.PegelH = c.PegelV = kFalse;
        } else if (kFast) {
            fullPath(w, view);
            return;
        } else if (!DiodeInputHigh(c, x, y, ebene)) {
            c.Pegel = c.PegelH = c.PegelV = kFalse;
        } else {
            // A coupling diode whose horizontal wire is high keeps driving its vertical wire.
            // Letting the low level travel on would show a diode OR low while one of its inputs
            // is still high; instead the diode sends its high level back over the stretch the
            // low level has just cleared.
            const Step back = StepOf(richtung == kUp ? kDown : kUp);
            AddEvent(x + back.dx, y + back.dy, richtung == kUp ? kDown : kUp, 1, ebene);
            return;
        }
    }

    if ((c.Pegel != 0) != wasHigh) {
        if (kFast)
            NoteLevelChange(lv.marks[index], view.window);
        else if (lv.marks != nullptr)
            NoteLevelChange(lv.marks[index]);
        else
            NoteLevelChange(static_cast<std::size_t>(ebene), index);
    }

    if (kCircuit && !kFast && view.pic != nullptr) {
        gGrafik.Device = view.pic;
        gGrafik.DrawLines(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                          static_cast<std::int16_t>(richtung), static_cast<std::uint8_t>(pegel));
    }

    // Dispatch by the cell's type. Kinds without a case (clock, text) only carry their levels.
    // Plain wire cells and empty cells, most of all events, are told apart before the jump
    // table: a branch on them is better predicted than the table's indirect jump.
    const std::uint8_t typ = c.Typ;
    if (typ == kTypeWire && c.ICPin == 0) {
        RouteLevelWord(c, w);
        return;
    }
    if constexpr (kFast) {
        // Crossing an IC pin changes only the far pin cell and the next pass's queue.
        if (typ == kTypeFlipFlop)
            EvalFlipFlopAt(*lv.flipFlops, lv.cells, lv.elements, index, w, ebene);
        else if (typ == kTypeWire)
            PassOnFromWire(c, w, pegel, ebene);
        else if (typ == kTypeIC)
            EnterIC(c, pegel, ebene);
        return;
    }
    if (typ == kTypeEmpty)
        return;
    switch (typ) {
    case kTypeWire:
        PassOnFromWire(c, w, pegel, ebene);
        break;
    case kTypeIC:
        EnterIC(c, pegel, ebene);
        break;
    case kTypeLed:
        EvalDiode(x, y, richtung, pegel, ebene);
        break;
    case kTypeSwitch:
        EvalSwitch(x, y, richtung, pegel, ebene);
        break;
    case kTypeAnd:
        EvalUnd(x, y, richtung, pegel, ebene);
        break;
    case kTypeOr:
        EvalOder(x, y, richtung, pegel, ebene);
        break;
    case kTypeXor:
        EvalXOder(x, y, richtung, pegel, ebene);
        break;
    case kTypeInverter:
        EvalInverter(x, y, richtung, pegel, ebene);
        break;
    case kTypeHalfAdder:
        EvalHA(x, y, richtung, pegel, ebene);
        break;
    case kTypeFullAdder:
        EvalVA(x, y, richtung, pegel, ebene);
        break;
    case kTypeTriState:
        EvalTriState(x, y, richtung, pegel, ebene);
        break;
    case kTypeMultiplexer:
        EvalMultiplexer(x, y, richtung, pegel, ebene);
        break;
    case kTypeDecoder:
        EvalDecoder(x, y, richtung, pegel, ebene);
        break;
    case kTypeFlipFlop:
        EvalFlipFlopAt(*lv.flipFlops, lv.cells, lv.elements, index, w, ebene);
        break;
    case kTypeShiftRegister:
        EvalShiftRegister(x, y, richtung, pegel, ebene);
        break;
    case kTypeNumberDisplay:
        UpdateDisplay(x, y, richtung, pegel, ebene);
        break;
    case kTypeAnalysisPoint: {
        AnalysisPointEvent(lv.level->Elemente, c.ElementNr, pegel, ebene);
        PassOnFromWire(c, w, pegel, ebene);
        break;
    }
    default:
        break;
    }
}

// An event on an IC level on its full path.
[[gnu::noinline]] void ProcessOnLevel(std::uint64_t w, const PassView& view) {
    sLeftFastPath = true;
    if (const LevelView* lv = LevelViewOf(static_cast<std::size_t>(event_word::Ebene(w))))
        ProcessOn<Path::kLevel>(w, *lv, view);
}

[[gnu::noinline]] void ProcessOnCircuit(std::uint64_t w, const PassView& view) {
    sLeftFastPath = true;
    ProcessOn<Path::kCircuit>(w, view.circuit, view);
}

[[gnu::always_inline]] inline void ProcessEvent(std::uint64_t w, const PassView& view) {
    if (event_word::Ebene(w) != 0)
        ProcessOnLevel(w, view);
    else
        ProcessOn<Path::kCircuit>(w, view.circuit, view);
}

// The events of one pass on the fast path. True when every event stayed on it. An IC level
// whose loop-watch marks are not yet in place takes its full path, which makes them.
[[gnu::always_inline]] inline bool RunPassFast(const PassView& view) {
    sLeftFastPath = false;
    for (std::size_t i = 0; i < gEventQueue.size(); ++i) {
        const auto w = std::bit_cast<std::uint64_t>(gEventQueue[i]);
        if (event_word::TravelsOnCircuit(w)) [[likely]] {
            ProcessOn<Path::kCircuitFast>(w, view.circuit, view);
            continue;
        }
        if (event_word::Richtung(w) == 0)
            continue;
        const LevelView* lv = LevelViewOf(static_cast<std::size_t>(event_word::Ebene(w)));
        if (lv == nullptr || lv->marks == nullptr) {
            ProcessOnLevel(w, view);
            continue;
        }
        ProcessOn<Path::kLevelFast>(w, *lv, view);
    }
    return !sLeftFastPath;
}

} // namespace
} // namespace kardo
