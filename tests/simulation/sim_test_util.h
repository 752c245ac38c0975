// Helpers of the simulation tests: a fixture on a fresh program state with a hand-made level 0,
// and readers of the queued events and cell levels.
#pragma once

#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/sim_core.h"
#include "support/core_fixture.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace kardo::test {

// One expected event: cell, direction and level as a truth value.
struct Ev {
    int x = 0;
    int y = 0;
    int richtung = 0;
    int pegel = 0; // 0 or -1
    bool operator==(const Ev&) const = default;
};

inline std::vector<Ev> NextEvents() {
    std::vector<Ev> out;
    for (const SimEvent& e : gNextEventQueue)
        out.push_back({e.X, e.Y, e.Richtung, e.Pegel});
    return out;
}

inline std::string ToString(const std::vector<Ev>& events) {
    std::string s;
    for (const Ev& e : events) {
        s += "(" + std::to_string(e.x) + "," + std::to_string(e.y) + " r" +
             std::to_string(e.richtung) + " p" + std::to_string(e.pegel) + ")";
    }
    return s;
}

// A host that notes the pass counter at the moment the endless-loop abort strikes: the abort
// shows its status text before it resets the counter.
class PassAtAbortHost : public FakeHost {
  public:
    void SetCaption(std::string_view control, std::string_view text) override {
        if (control == "lblOnOff" && text == "Ausführung unterbrochen")
            passes = gRunden;
        FakeHost::SetCaption(control, text);
    }
    std::int32_t passes = -1; // gRunden at the abort; -1 none
};

class SimFixture : public CoreFixture {
  protected:
    // Level 0 as a hand-filled grid of w x h cells (plus the guard frame), treated as powered so
    // that element records are read from the level.
    void HandLevel(int w, int h) {
        SimLevelRecord& l = gLevels[0];
        l.Feld.Create(w + 1, h + 1);
        l.MaxX = static_cast<std::int16_t>(w);
        l.MaxY = static_cast<std::int16_t>(h);
        l.Elemente.assign(1, ElementRecord{});
        l.AnzElemente = 0;
        gPowerOn = true;
    }
    CellRecord& Cell(int x, int y, int ebene = 0) {
        return gLevels[static_cast<std::size_t>(ebene)].Feld(x, y);
    }
    // A wire cell with the given flags ("L", "O", "R", "U" letters) and point mark.
    CellRecord& Wire(int x, int y, std::string_view flags, std::int16_t punkt = kPointNone) {
        CellRecord& c = Cell(x, y);
        c.Typ = kTypeWire;
        c.Links = flags.find('L') != std::string_view::npos ? kTrue : kFalse;
        c.Oben = flags.find('O') != std::string_view::npos ? kTrue : kFalse;
        c.Rechts = flags.find('R') != std::string_view::npos ? kTrue : kFalse;
        c.Unten = flags.find('U') != std::string_view::npos ? kTrue : kFalse;
        c.Punkt = punkt;
        return c;
    }
};

} // namespace kardo::test
