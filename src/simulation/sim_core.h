// The simulation core: the event record, the two event queues, the run-state globals, the pass
// loop RunSimulation with its pass limit and endless-loop abort, and the dispatcher Propagate
// that updates a cell's levels and hands the event to the routine of the cell's type.
#pragma once

#include "model/grid.h"

#include <cstdint>
#include <vector>

namespace kardo {

// One queued event. Coordinates are kept 16-bit so that a sheet wider than 255 cells does not
// wrap; an event outside its level's grid is dropped by Propagate.
struct SimEvent {
    std::int16_t X = 0;        // grid column of the cell to process
    std::int16_t Y = 0;        // grid row
    std::uint8_t Richtung = 0; // travel direction 1..4; 0 is never processed
    std::uint8_t Ebene = 0;    // simulation level: 0 the circuit, n IC instance n
    std::int16_t Pegel = 0;    // the level as a truth value, -1 or 0
};

extern std::vector<SimEvent> gEventQueue; // events of the pass being processed; ClearEventQueues
extern std::vector<SimEvent> gNextEventQueue; // events queued for the next pass; ClearEventQueues

extern bool gRechnet;              // a pass run is in progress; ClearEventQueues clears it
extern bool gPaused;               // the run is paused and stops at the top of its next pass
extern bool gAbgebrochen;          // the endless-loop abort struck; cleared by power-on
extern std::int32_t gRunden;       // passes since the last clock edge, check or user action
extern std::int16_t gMaxRunden;    // pass limit of the endless-loop abort (setting "AutoStop")
extern std::int16_t gVerzoegerung; // step delay 0..100, 0 = off; the delay controls set it
extern std::uint32_t gPowerEpoch;  // counts power switches; code resumed after a wait compares it

// Start-up state of the queues and the run-state globals (limit 1000, no delay).
void ResetSimCore();
// Start-up state of the whole simulation module: the core above and the power globals.
void ResetSimulation();

// Appends an event to the next pass; any non-zero pegel is stored as -1.
inline void AddEvent(int x, int y, int richtung, int pegel, int ebene) {
    gNextEventQueue.push_back(SimEvent{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                       static_cast<std::uint8_t>(richtung),
                                       static_cast<std::uint8_t>(ebene),
                                       static_cast<std::int16_t>(pegel != 0 ? -1 : 0)});
}

// Number of events in the current pass (welche 1) or queued for the next (2); else 0.
int QueueCount(int welche);

// Empties both queues and clears gRechnet.
void ClearEventQueues();

// Runs passes until the next queue is empty, the run is paused, the pass limit strikes or the
// circuit is switched off during a step-delay wait.
void RunSimulation();

// Processes one event; pegel is 0 or 1. Called by RunSimulation.
void Propagate(int x, int y, int richtung, int pegel, int ebene);

// The endless-loop abort: status text, empty queues, switch-off, the German message.
void AbortEndlessLoop();

// Most queued events a pass may leave before the run counts as an endless loop: generous, and
// growing with the cells of every level.
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

// Number of wire flags set on a cell (0..4).
inline int WireFlagCount(const CellRecord& c) {
    return (c.Links != 0) + (c.Oben != 0) + (c.Rechts != 0) + (c.Unten != 0);
}

} // namespace kardo
