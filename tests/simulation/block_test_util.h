// Helpers of the block-element simulation tests: setting a switch to a level and stepping the
// pass loop one pass at a time.
#pragma once

#include "circuit_test_util.h"
#include "support/sim_blocks.h"

namespace kardo::test {

class BlockCircuit : public CircuitFixture {
  protected:
    // Clicks the switch at sw when its level differs from on.
    void Set(GridPoint sw, int on) {
        if (LiveAt(sw) != on)
            ClickCell(sw);
        ASSERT_EQ(LiveAt(sw), on) << "switch at " << sw.x << "," << sw.y;
    }
    // One pass of the pass loop: the queued events are processed and whatever they queue waits
    // for the next pass.
    static void RunPass() {
        gEventQueue.swap(gNextEventQueue);
        gNextEventQueue.clear();
        for (std::size_t i = 0; i < gEventQueue.size(); ++i) {
            const SimEvent e = gEventQueue[i];
            if (e.Richtung != 0)
                Propagate(e.X, e.Y, e.Richtung, e.Pegel != 0 ? 1 : 0, e.Ebene);
        }
    }
};

} // namespace kardo::test
