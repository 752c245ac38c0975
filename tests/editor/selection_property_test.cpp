// Property test of selecting, moving and deleting with the mouse: thousands of random clicks,
// Ctrl+clicks, object drags, frames, area drags, deletions, placings and undos on one sheet.
// After every step: each element covers as many cells of its type as when it was placed, every
// cell names an existing element of its type, pin lists name their element's cells, and no
// element is lost or duplicated. Undoing a command's steps returns grid and list identical.
#include "editor/area_select.h"
#include "editor/context_menu.h"
#include "editor/mouse_dispatch.h"
#include "editor/object_select.h"
#include "editor/selection.h"
#include "model/basic_elements.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/core_fixture.h"
#include "support/mouse_driver.h"

#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::Click;
using test::Drag;

constexpr std::size_t kTagSlot = 13; // runtime slot the test uses as an element's identity

// The first difference between two sheet states, for the failure message.
std::string FirstDifference(const test::SheetState& now, const test::SheetState& want) {
    std::ostringstream os;
    for (int x = 0; x <= want.grid.UBoundX() && x <= now.grid.UBoundX(); ++x) {
        for (int y = 0; y <= want.grid.UBoundY() && y <= now.grid.UBoundY(); ++y) {
            const CellRecord& a = now.grid(x, y);
            const CellRecord& b = want.grid(x, y);
            if (a == b)
                continue;
            os << "cell " << x << "," << y << ": typ " << int(a.Typ) << "/" << int(b.Typ) << " nr "
               << a.ElementNr << "/" << b.ElementNr << " flags " << a.Links << a.Oben << a.Rechts
               << a.Unten << "/" << b.Links << b.Oben << b.Rechts << b.Unten << " punkt " << a.Punkt
               << "/" << b.Punkt;
            return os.str();
        }
    }
    for (std::size_t i = 0; i < want.elements.size() && i < now.elements.size(); ++i) {
        if (now.elements[i] == want.elements[i])
            continue;
        os << "element " << i << ": " << now.elements[i].Eingaenge.Text() << " / "
           << want.elements[i].Eingaenge.Text() << " typ " << int(now.elements[i].Typ) << "/"
           << int(want.elements[i].Typ);
        return os.str();
    }
    return "counts";
}

std::int16_t& Tag(std::int16_t n) {
    return gElements[static_cast<std::size_t>(n)].Zustand[kTagSlot];
}

class SelectionPropertyTest : public test::CoreFixture {
  protected:
    SelectionPropertyTest() {
        ResetMouseDispatch();
        CreateWorksheet(44, 32);
        gUndo.SetUndos(kMaxUndos);
    }

    int Next(int n) { return static_cast<int>(m_rng() % static_cast<std::uint32_t>(n)); }
    int X() { return Next(gFeldBreite + 1); }
    int Y() { return Next(gFeldHoehe + 1); }
    std::uint8_t O() { return static_cast<std::uint8_t>(1 + Next(4)); }

    // Gives every untagged element an identity and notes how many cells it covers.
    void TagNewElements() {
        for (std::int16_t n = 1; n <= gAnzElemente; ++n) {
            if (Tag(n) != 0)
                continue;
            Tag(n) = ++m_lastTag;
            m_cells[m_lastTag] = CellsOf(n);
        }
    }

    static int CellsOf(std::int16_t n) {
        int count = 0;
        for (int x = 0; x <= gFeldBreite; ++x)
            for (int y = 0; y <= gFeldHoehe; ++y)
                count += gGrid(x, y).ElementNr == n ? 1 : 0;
        return count;
    }

    // One random element placed as a placing click would (the click ends a selection).
    void Place() {
        SelectNone();
        // Drawn one by one: the order of a call's arguments is unspecified.
        const int x = X(), y = Y();
        const std::uint8_t o = O();
        switch (Next(9)) {
        case 0:
            test::PlaceLed(x, y);
            break;
        case 1:
            if (test::LayRecordedWire(x, y, x + 2, y)) // a wire end for the switch
                test::PlaceSwitch(x, y);
            break;
        case 2: {
            const auto typ = static_cast<std::uint8_t>(kTypeAnd + Next(3));
            test::PlaceGate(typ, x, y, o, 2 + Next(3));
            break;
        }
        case 3:
            test::PlaceInverter(x, y, o);
            break;
        case 4:
            if (test::LayRecordedWire(x - 1, y, x + 1, y))
                test::PlaceAnalysisPoint(x, y);
            break;
        case 5: {
            const std::uint8_t kinds[] = {kTypeHalfAdder, kTypeFullAdder,     kTypeMultiplexer,
                                          kTypeFlipFlop,  kTypeShiftRegister, kTypeNumberDisplay};
            test::PlaceBlockKind(kinds[Next(6)], x, y, o);
            break;
        }
        case 6:
            if (Next(4) == 0)
                test::PlaceClock(x, y, o);
            break;
        case 7:
            test::SetPoint(x, y);
            break;
        default: {
            const int x2 = X(), y2 = Y();
            test::LayRecordedWire(x, y, x2, y2);
            break;
        }
        }
    }

    // A random element cell, or (-1, -1).
    GridPoint ElementCell() {
        for (int tries = 0; tries < 60; ++tries) {
            const int x = X(), y = Y();
            if (gGrid(x, y).Typ >= 2)
                return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
        }
        return {-1, -1};
    }

    // One random gesture or command of the editor; counts what it did.
    void Operation() {
        gMouseMode = kToolSelect;
        const int d = 7;
        // A marked area is mostly moved or deleted next.
        const int pick = gAreaMarked && Next(2) == 0 ? 6 + Next(3) : Next(12);
        switch (pick) {
        case 0: {
            const int x = X(), y = Y();
            Click(x, y);
            break;
        }
        case 1: {
            const GridPoint p = ElementCell();
            if (p.x >= 0)
                Click(p.x, p.y, kButtonLeft, kCtrlKey);
            break;
        }
        case 2:
        case 3: {
            const GridPoint p = ElementCell();
            if (p.x < 0)
                break;
            const int tx = std::clamp(p.x + Next(2 * d + 1) - d, 0, int{gFeldBreite});
            const int ty = std::clamp(p.y + Next(2 * d + 1) - d, 0, int{gFeldHoehe});
            const std::uint32_t before = gUndo.Recorded();
            Drag({{p.x, p.y}, {tx, ty}});
            m_objectMoves += gUndo.Recorded() > before ? 1 : 0;
            break;
        }
        case 4:
        case 5: {
            const int x1 = X(), y1 = Y();
            const int x2 = std::clamp(x1 + Next(25) - 12, 0, int{gFeldBreite});
            const int y2 = std::clamp(y1 + Next(19) - 9, 0, int{gFeldHoehe});
            Drag({{x1, y1}, {x2, y2}}, kButtonLeft, Next(4) == 0 ? kShiftKey : 0);
            m_marked += gAreaMarked ? 1 : 0;
            break;
        }
        case 6:
        case 7: {
            if (!gAreaMarked)
                break;
            const int px = gBereichX1 + 1 + Next(gBereichX2 - gBereichX1);
            const int py = gBereichY1 + 1 + Next(gBereichY2 - gBereichY1);
            const int tx = std::clamp(px + Next(2 * d + 1) - d, 0, int{gFeldBreite});
            const int ty = std::clamp(py + Next(2 * d + 1) - d, 0, int{gFeldHoehe});
            const test::SheetState before = test::CaptureSheet();
            Drag({{px, py}, {tx, ty}});
            m_areaMoves += test::CaptureSheet() == before ? 0 : 1;
            break;
        }
        case 8: {
            const bool area = gAreaMarked;
            const std::int16_t count = gAnzElemente;
            LoescheBereich();
            m_areaDeletes += area && gAnzElemente < count ? 1 : 0;
            break;
        }
        case 9: {
            const GridPoint p = ElementCell();
            if (p.x < 0)
                break;
            Click(p.x, p.y, kButtonRight);
            if (gMouseMode == kToolContextMenu)
                mPopup_Click(3);
            break;
        }
        default:
            Place();
            TagNewElements();
            break;
        }
    }

    // What is wrong with the sheet, or "".
    std::string InvariantBreak() const {
        std::ostringstream why;
        if (gElements.size() != static_cast<std::size_t>(gAnzElemente) + 1)
            return "list size";
        std::vector<int> cells(gElements.size(), 0);
        for (int x = 0; x <= gFeldBreite; ++x) {
            for (int y = 0; y <= gFeldHoehe; ++y) {
                const CellRecord& c = gGrid(x, y);
                if (c.ElementNr == 0) {
                    if (c.Typ >= 2) {
                        why << "element cell without number at " << x << "," << y;
                        return why.str();
                    }
                    continue;
                }
                if (c.ElementNr < 0 || c.ElementNr > gAnzElemente ||
                    gElements[static_cast<std::size_t>(c.ElementNr)].Typ != c.Typ) {
                    why << "cell " << x << "," << y << " names no element of its type";
                    return why.str();
                }
                ++cells[static_cast<std::size_t>(c.ElementNr)];
            }
        }
        std::set<int> tags;
        for (std::int16_t n = 1; n <= gAnzElemente; ++n) {
            const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
            const int tag = e.Zustand[kTagSlot];
            if (e.Nr != n)
                return "Nr of " + std::to_string(n);
            if (tag == 0 || !tags.insert(tag).second)
                return "element " + std::to_string(n) + " duplicated or untagged";
            const auto expected = m_cells.find(tag);
            if (expected == m_cells.end() || expected->second != cells[static_cast<std::size_t>(n)])
                return "element " + std::to_string(n) + " covers " +
                       std::to_string(cells[static_cast<std::size_t>(n)]) + " cells";
            for (const PinList* list : {&e.Eingaenge, &e.Ausgaenge}) {
                for (const GridPoint& p : list->Points()) {
                    if (!gGrid.Contains(p.x, p.y) || gGrid(p.x, p.y).ElementNr != n)
                        return "pin list of " + std::to_string(n) + " names a foreign cell";
                }
            }
        }
        if (gAnzAnalysepunkte != CountAnalysisPoints())
            return "analysis point count";
        return "";
    }

    std::mt19937 m_rng{20250318u}; // fixed seed: the same sequence every run
    int m_lastTag = 0;             // last identity given
    std::map<int, int> m_cells;    // cells of each element by identity
    int m_objectMoves = 0;         // object moves done
    int m_marked = 0;              // frames that marked an area
    int m_areaMoves = 0;           // area moves that changed the sheet
    int m_areaDeletes = 0;         // area deletions that removed elements
};

TEST_F(SelectionPropertyTest, RandomEditingKeepsEveryElementWholeAndUndoesExactly) {
    for (int i = 0; i < 60; ++i)
        Place();
    TagNewElements();
    ASSERT_GT(gAnzElemente, 20);
    ASSERT_EQ(InvariantBreak(), "");

    // Commands whose steps are still in the history, with the state before each.
    struct Command {
        test::SheetState before;
        std::uint32_t steps = 0;
        std::string what; // the newest step's text
    };
    std::vector<Command> history;
    std::uint32_t inHistory = 0;
    bool undoneSince = false;
    int undos = 0;
    for (int step = 0; step < 6000; ++step) {
        if (Next(9) == 0 && !history.empty()) {
            // Take back the newest command as a whole.
            const Command c = history.back();
            history.pop_back();
            for (std::uint32_t k = 0; k < c.steps; ++k)
                gUndo.Undo();
            inHistory -= c.steps;
            undoneSince = true;
            ++undos;
            const test::SheetState now = test::CaptureSheet();
            ASSERT_TRUE(now == c.before)
                << "step " << step << " (" << c.what << "): " << FirstDifference(now, c.before);
        } else {
            Command c;
            c.before = test::CaptureSheet();
            const std::uint32_t recorded = gUndo.Recorded();
            Operation();
            c.steps = gUndo.Recorded() - recorded;
            if (c.steps > 0)
                c.what = gUndo.Step(1).Description;
            if (c.steps > 0) {
                if (undoneSince) {
                    // A step after undos starts the history afresh.
                    history.clear();
                    inHistory = 0;
                    undoneSince = false;
                }
                history.push_back(c);
                inHistory += c.steps;
                while (inHistory > static_cast<std::uint32_t>(gUndo.Undos())) {
                    inHistory -= history.front().steps;
                    history.erase(history.begin());
                }
            }
        }
        const std::string broken = InvariantBreak();
        ASSERT_EQ(broken, "") << "step " << step;
    }
    // Undoing everything still in the history returns the oldest state kept.
    if (!history.empty()) {
        const test::SheetState oldest = history.front().before;
        for (std::uint32_t k = 0; k < inHistory; ++k)
            gUndo.Undo();
        EXPECT_EQ(test::CaptureSheet(), oldest);
    }
    // The run did what it is meant to exercise.
    EXPECT_GT(m_objectMoves, 200);
    EXPECT_GT(m_marked, 400);
    EXPECT_GT(m_areaMoves, 60);
    EXPECT_GT(m_areaDeletes, 10);
    EXPECT_GT(undos, 400);
}

} // namespace
} // namespace kardo
