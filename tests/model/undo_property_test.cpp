// Property test of the undo history: random sequences of placing, removing, wire laying and
// undoing bring the grid and the element list back to the state before the undone steps.
#include "model/basic_elements.h"
#include "model/undo.h"
#include "model/wire_points.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <cstdint>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// The states before the recorded steps, newest first, as the history should hold them.
class HistoryModel {
  public:
    explicit HistoryModel(int capacity) : m_capacity(capacity) {}

    void Recorded(const test::SheetState& before) {
        if (m_current != 1)
            m_before.clear();
        m_before.insert(m_before.begin(), before);
        if (static_cast<int>(m_before.size()) > m_capacity)
            m_before.resize(m_capacity);
        m_current = 1;
    }
    void Cleared() {
        m_before.clear();
        m_current = 0;
    }
    // The state an undo must give, or nothing when there is nothing to take back.
    const test::SheetState* Undo() {
        if (m_current < 1 || m_current > static_cast<int>(m_before.size()))
            return nullptr;
        return &m_before[static_cast<std::size_t>(m_current++ - 1)];
    }
    void Resize(int capacity) {
        m_capacity = capacity;
        if (static_cast<int>(m_before.size()) > capacity)
            m_before.resize(capacity);
        if (m_current > capacity + 1)
            m_current = capacity + 1;
    }

  private:
    int m_capacity;                         // steps kept
    std::vector<test::SheetState> m_before; // state before step 1, 2, ...
    int m_current = 0;                      // step the next undo takes back
};

// The list invariants: every record numbered by its index and covering at least one cell of
// its own type, no cell referring beyond the list.
std::string InvariantBreak() {
    std::vector<int> cells(static_cast<std::size_t>(gAnzElemente) + 1);
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const CellRecord& c = gGrid(x, y);
            if (c.ElementNr == 0)
                continue;
            std::ostringstream where;
            where << "cell " << x << "," << y;
            if (c.ElementNr < 0 || c.ElementNr > gAnzElemente)
                return where.str() + " beyond list";
            if (gElements[static_cast<std::size_t>(c.ElementNr)].Typ != c.Typ)
                return where.str() + " type differs from its record";
            ++cells[static_cast<std::size_t>(c.ElementNr)];
        }
    }
    if (gElements.size() != static_cast<std::size_t>(gAnzElemente) + 1)
        return "list size";
    for (int i = 1; i <= gAnzElemente; ++i) {
        if (gElements[static_cast<std::size_t>(i)].Nr != i)
            return "Nr of " + std::to_string(i);
        if (cells[static_cast<std::size_t>(i)] == 0)
            return "record without cell " + std::to_string(i);
    }
    if (gAnzAnalysepunkte != CountAnalysisPoints())
        return "analysis point count";
    return "";
}

class UndoPropertyTest : public test::CoreFixture {
  protected:
    int Next(int n) { return static_cast<int>(m_rng() % static_cast<std::uint32_t>(n)); }
    int X() { return Next(gFeldBreite + 1); }
    int Y() { return Next(gFeldHoehe + 1); }
    std::uint8_t O() { return static_cast<std::uint8_t>(1 + Next(4)); }

    // A straight or L-shaped wire over empty and wire cells only (element cells at its ends are
    // pins), recorded as the editor records it.
    void Wire() {
        const int x1 = X(), y1 = Y(), x2 = X(), y2 = Y();
        test::LayRecordedWire(x1, y1, x2, y2);
    }

    // One random editing operation; true when it was a tri-state change.
    bool Operation() {
        switch (Next(16)) {
        case 0:
        case 1:
            test::PlaceGate(static_cast<std::uint8_t>(kTypeAnd + Next(3)), X(), Y(), O(),
                            2 + Next(4));
            return false;
        case 2:
            test::PlaceSwitch(X(), Y());
            return false;
        case 3:
            test::PlaceLed(X(), Y(), Next(2) ? 255 : Rgb(0, 255, 0));
            return false;
        case 4:
            test::PlaceInverter(X(), Y(), O());
            return false;
        case 5:
            test::PlaceAnalysisPoint(X(), Y());
            return false;
        case 6:
            test::SetPoint(X(), Y());
            return false;
        case 7:
            test::SetCouplingDiode(X(), Y());
            return false;
        case 8:
            test::Negate(X(), Y());
            return false;
        case 9:
        case 10:
            Wire();
            return false;
        case 11:
        case 12: {
            // Remove an element: pick a random element cell.
            for (int tries = 0; tries < 40; ++tries) {
                const int x = X(), y = Y();
                if (gGrid(x, y).ElementNr == 0)
                    continue;
                const bool triState = gGrid(x, y).Typ == kTypeTriState;
                test::RemoveAt(x, y);
                return triState;
            }
            return false;
        }
        case 13: {
            gCursorX = static_cast<std::int16_t>(X());
            gCursorY = static_cast<std::int16_t>(Y());
            switch (Next(3)) {
            case 0:
                RemoveVerbindungspunkt(gCursorX, gCursorY);
                break;
            case 1:
                RemoveKoppeldiode();
                break;
            default:
                RemoveNegationsPunkt();
                break;
            }
            return false;
        }
        case 14:
            if (Next(4) == 0)
                return test::PlaceTriState(X(), Y(), O()) != 0;
            return false;
        default:
            test::PlaceGate(kTypeOr, X(), Y(), O(), 2 + Next(3));
            return false;
        }
    }

    std::mt19937 m_rng{20240611u}; // fixed seed: the same sequence every run
};

TEST_F(UndoPropertyTest, RandomEditingAndUndoingRestoresEarlierStates) {
    CreateWorksheet(24, 16); // small, so that elements meet and collide often
    host.messageAnswers.clear();
    HistoryModel model(gUndo.Undos());
    int undone = 0;
    int recorded = 0;
    for (int stepNr = 0; stepNr < 4000; ++stepNr) {
        SCOPED_TRACE("step " + std::to_string(stepNr));
        const int what = Next(10);
        if (what < 3) {
            // Take back one to three steps.
            for (int k = 1 + Next(3); k > 0; --k) {
                const test::SheetState before = test::CaptureSheet();
                const test::SheetState* expected = model.Undo();
                const bool hadStep = !gUndo.NoUndoData() && gUndo.CurrentIndex() <= gUndo.Undos();
                gUndo.Undo();
                if (expected) {
                    ASSERT_EQ(test::CaptureSheet(), *expected);
                    ++undone;
                } else if (!hadStep) {
                    ASSERT_EQ(test::CaptureSheet(), before);
                }
                // A step recorded before a tri-state change (which keeps the history but
                // records nothing) has no exact model state: the invariants below hold.
            }
        } else if (what == 3 && Next(20) == 0) {
            const int capacity = 2 + Next(14);
            gUndo.SetUndos(capacity);
            model.Resize(capacity);
        } else {
            const test::SheetState before = test::CaptureSheet();
            const std::uint32_t count = gUndo.Recorded();
            const bool triState = Operation();
            if (triState && !(test::CaptureSheet() == before)) {
                // The model knows only the states after the last tri-state change.
                model.Cleared();
            } else if (gUndo.Recorded() != count) {
                model.Recorded(before);
                ++recorded;
            } else {
                ASSERT_EQ(test::CaptureSheet(), before) << "a change without an undo step";
            }
        }
        const std::string broken = InvariantBreak();
        ASSERT_EQ(broken, "");
    }
    // The sequence must have exercised the history.
    EXPECT_GT(recorded, 600);
    EXPECT_GT(undone, 300) << "recorded " << recorded;
}

} // namespace
} // namespace kardo
