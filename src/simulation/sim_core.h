// The simulation core: the event record, the two event queues, the run-state globals, the pass
// loop RunSimulation with its pass limit and endless-loop abort, and the dispatcher Propagate
// that updates a cell's levels and hands the event to the routine of the cell's type.
#pragma once

#include "model/grid.h"

#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace kardo {

class HostWindow;

// One queued event. Coordinates are kept 16-bit so that a sheet wider than 255 cells does not
// wrap; an event outside its level's grid is dropped by Propagate.
struct SimEvent {
    std::int16_t X = 0;        // grid column of the cell to process
    std::int16_t Y = 0;        // grid row
    std::uint8_t Richtung = 0; // travel direction 1..4; 0 is never processed
    std::uint8_t Ebene = 0;    // simulation level: 0 the circuit, n IC instance n
    std::int16_t Pegel = 0;    // the level as a truth value, -1 or 0
};
static_assert(sizeof(SimEvent) == 8 && std::is_trivially_copyable_v<SimEvent>);
static_assert(offsetof(SimEvent, X) == 0 && offsetof(SimEvent, Y) == 2 &&
              offsetof(SimEvent, Richtung) == 4 && offsetof(SimEvent, Ebene) == 5 &&
              offsetof(SimEvent, Pegel) == 6);

// One queue of events: an array whose slots are reused from pass to pass, with the number of
// events held in a counter of its own. Appending stores only into the slot and the counter, so
// reading the count right after a pass never waits on a half-written vector header.
class EventQueue {
  public:
    void push_back(const SimEvent& e) {
        if (m_count == m_capacity)
            Grow();
        m_slots[m_count++] = e;
    }
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    std::size_t capacity() const { return m_capacity; }
    // Forgets the events; the slots stay for the next pass.
    void clear() { m_count = 0; }
    // Forgets the events and gives the slots back.
    void Release() {
        m_count = 0;
        m_capacity = 0;
        m_slots.reset();
    }
    void swap(EventQueue& other) noexcept {
        m_slots.swap(other.m_slots);
        std::swap(m_count, other.m_count);
        std::swap(m_capacity, other.m_capacity);
    }
    SimEvent& operator[](std::size_t i) {
        assert(i < m_count);
        return m_slots[i];
    }
    const SimEvent& operator[](std::size_t i) const {
        assert(i < m_count);
        return m_slots[i];
    }
    const SimEvent* begin() const { return m_slots.get(); }
    const SimEvent* end() const { return m_slots.get() + m_count; }

  private:
    [[gnu::cold]] void Grow();

    std::unique_ptr<SimEvent[]> m_slots; // storage; slots from m_count on are free
    std::size_t m_count = 0;             // events held
    std::size_t m_capacity = 0;          // slots in m_slots
};

extern EventQueue gEventQueue;     // events of the pass being processed; ClearEventQueues
extern EventQueue gNextEventQueue; // events queued for the next pass; ClearEventQueues

// Run state; ResetSimCore sets the start-up values.
extern bool gRechnet;                // a pass run is in progress; ClearEventQueues clears it
extern bool gPaused;                 // the run is paused and stops at the top of its next pass
extern bool gAbgebrochen;            // the endless-loop abort struck; cleared by power-on
extern std::uint32_t gTaktTicks;     // clock ticks raised so far (Timer2_Timer); wraps
extern std::uint32_t gTaktFlagsSeen; // gTaktTicks when the pass loop last looked for raised
                                     // clock flags; it looks again only after new ticks
extern std::int32_t gRunden;         // passes since the last clock edge, check or user action
extern std::int16_t gMaxRunden;      // passes without progress before the endless-loop abort
                                     // (setting "AutoStop", loop_watch.h)
extern std::int16_t gVerzoegerung;   // step delay 0..100, 0 = off; the delay controls set it
extern std::uint32_t gPowerEpoch;    // counts power switches, never reset; code that resumes
                                     // after a wait compares it with the value it started with
extern bool gPassLoopActive;         // RunSimulation is running, also while it waits and after a
                                     // stop until it has returned; ResetSimCore, SwitchOff

// What the end of a run last set in the window's controls, and the host's control stamp
// (HostWindow::ControlStamp) right after: while the stamp has not moved, nothing has changed
// those controls since and the next run's end leaves them alone.
struct RunControlsMark {
    const HostWindow* host = nullptr; // the host the controls were set on; nullptr: never
    std::uint64_t stamp = 0;          // its control stamp afterwards
    bool operator==(const RunControlsMark&) const = default;
};
extern RunControlsMark gRunKeysOff;   // the pause and stop keys disabled; ResetSimCore
extern RunControlsMark gRunTimeShown; // lblTime set to "0" after a click's run; ResetSimCore

// The controls are still as `mark` records for this host: its stamp has not moved since.
bool ControlsAsMarked(const RunControlsMark& mark, const HostWindow& host);
// Records the host's present control stamp in mark.
void MarkControls(RunControlsMark& mark, const HostWindow& host);
// The keys at the end of a run: the pause key disabled while it reads "&Pause", the stop key
// disabled; nothing is touched while they are as the last run's end left them.
void DisableRunKeys(HostWindow& host);

// Start-up state of the queues and the run-state globals (limit 1000, no delay).
void ResetSimCore();
// Start-up state of the whole simulation module: the core above and the power globals.
void ResetSimulation();

// An event's record read and written as one 64-bit word whose bytes are the record: a pass
// reads each event whole, often a few instructions after it was stored, and a record stored
// field by field would make that read wait for the stores to drain. The shifts place each field
// at its offset in the record for the machine's byte order.
namespace event_word {
inline constexpr bool kLittle = std::endian::native == std::endian::little;
inline constexpr int kX = kLittle ? 0 : 48;
inline constexpr int kY = kLittle ? 16 : 32;
inline constexpr int kRichtung = kLittle ? 32 : 24;
inline constexpr int kEbene = kLittle ? 40 : 16;
inline constexpr int kPegel = kLittle ? 48 : 0;
inline constexpr std::uint64_t kHigh = std::uint64_t{0xFFFF} << kPegel; // the level -1

// The word of an event; any non-zero pegel is stored as -1.
constexpr std::uint64_t Make(int x, int y, int richtung, int pegel, int ebene) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(x)) << kX |
           static_cast<std::uint64_t>(static_cast<std::uint16_t>(y)) << kY |
           static_cast<std::uint64_t>(static_cast<std::uint8_t>(richtung)) << kRichtung |
           static_cast<std::uint64_t>(static_cast<std::uint8_t>(ebene)) << kEbene |
           (pegel != 0 ? kHigh : 0);
}
constexpr int X(std::uint64_t w) { return static_cast<std::int16_t>(w >> kX); }
constexpr int Y(std::uint64_t w) { return static_cast<std::int16_t>(w >> kY); }
constexpr int Richtung(std::uint64_t w) { return static_cast<std::uint8_t>(w >> kRichtung); }
constexpr int Ebene(std::uint64_t w) { return static_cast<std::uint8_t>(w >> kEbene); }
constexpr bool High(std::uint64_t w) { return static_cast<std::uint16_t>(w >> kPegel) != 0; }
// The event travels (a direction not 0) on the circuit's level (0).
constexpr bool TravelsOnCircuit(std::uint64_t w) {
    if constexpr (kLittle) // the direction's byte just below the level's: one 16-bit range
        return static_cast<std::uint16_t>(w >> kRichtung) - 1U < 0xFFU;
    else
        return Richtung(w) != 0 && Ebene(w) == 0;
}
// The word with its direction set to richtung.
constexpr std::uint64_t Turned(std::uint64_t w, int richtung) {
    return (w & ~(std::uint64_t{0xFF} << kRichtung)) |
           static_cast<std::uint64_t>(static_cast<std::uint8_t>(richtung)) << kRichtung;
}
// The field a step towards richtung 0..4 moves (none for 0), and what is added to the word to
// make it: -1 or +1 in that field, whose carry the field's mask drops.
inline constexpr std::uint64_t kStepField[5] = {
    0, std::uint64_t{0xFFFF} << kX, std::uint64_t{0xFFFF} << kX, std::uint64_t{0xFFFF} << kY,
    std::uint64_t{0xFFFF} << kY};
inline constexpr std::uint64_t kStepAdd[5] = {0, std::uint64_t{0xFFFF} << kX,
                                              std::uint64_t{1} << kX, std::uint64_t{0xFFFF} << kY,
                                              std::uint64_t{1} << kY};
// The word with its cell one step on towards richtung 1..4.
constexpr std::uint64_t Stepped(std::uint64_t w, int richtung) {
    const auto r = static_cast<std::size_t>(richtung);
    return (w & ~kStepField[r]) | ((w + kStepAdd[r]) & kStepField[r]);
}
} // namespace event_word

// Appends the event of word w (event_word::Make) to the next pass.
inline void AddEventWord(std::uint64_t w) { gNextEventQueue.push_back(std::bit_cast<SimEvent>(w)); }

// Appends an event to the next pass; any non-zero pegel is stored as -1.
inline void AddEvent(int x, int y, int richtung, int pegel, int ebene) {
    AddEventWord(event_word::Make(x, y, richtung, pegel, ebene));
}

// A run holds the circuit: passes are running or waiting (gRechnet), a run is paused with its
// queue kept (gPaused), a stopped run has not yet returned, or the power is being switched
// (PowerSwitching). Meanwhile the worksheet shows the circuit's level only: the run draws into
// it with the circuit's coordinates.
bool RunInProgress();

// Number of events in the current pass (welche 1) or queued for the next (2); else 0.
int QueueCount(int welche);

// Empties both queues and clears gRechnet; queues grown far beyond the usual give their memory
// back.
void ClearEventQueues();

// Runs passes until the next queue is empty, the run is paused, the endless-loop watch strikes
// (loop_watch.h), or the circuit is switched off or the run stopped while the window's events
// ran (a step-delay wait; with a delay, IC-only passes let them through every kYieldMs). A run
// stopped so takes up nothing queued meanwhile. Returns true when the queue ran empty or the run
// was stopped: the run's last act was then to disable the pause and stop buttons. Never nested:
// while a stopped run has not yet returned, the starters leave their events to the run timer
// (StartRunTimer, clock_run.h).
bool RunSimulation();

// Longest stretch of wall time, on the platform's clock, that a delayed run's IC-only passes
// keep the window's events waiting.
inline constexpr std::int64_t kYieldMs = 16;

// Processes one event; pegel is 0 or 1. Called by RunSimulation.
void Propagate(int x, int y, int richtung, int pegel, int ebene);

// The endless-loop abort: status text, empty queues, switch-off, the German message.
void AbortEndlessLoop();

// Queued events a pass may always leave, however small the circuit.
inline constexpr std::size_t kQueueFloor = std::size_t{1} << 16;
// Most queued events a pass may leave before the run counts as an endless loop: generous, and
// growing with the cells of every level, never below kQueueFloor.
std::size_t QueueLimit();

// The one-cell step of a direction or orientation 1..4; (0, 0) for any other value.
struct Step {
    int dx = 0; // column step
    int dy = 0; // row step
};
constexpr Step StepOf(int richtung) {
    switch (richtung) {
    case 1:
        return {-1, 0};
    case 2:
        return {1, 0};
    case 3:
        return {0, -1};
    case 4:
        return {0, 1};
    default:
        return {};
    }
}

} // namespace kardo
