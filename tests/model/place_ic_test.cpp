// Placing and removing ICs: the package and its pin cells, the instance block of an IC with its
// nested ICs, renumbering on removal and undo, refusals, the instance limit, undo of an IC whose
// file changed or vanished, and a property test of the lists' invariant.
#include "app/settings.h"
#include "ic/ic_choice.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/place_ic.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "platform/recording_target.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

// Everything the IC lists hold, for comparisons.
struct ICLists {
    std::vector<ICInstanceRecord> instances;
    std::vector<std::string> levelNames;
    std::vector<Grid> levelGrids;
    std::int16_t anz = 0;
    std::int16_t max = 0;
    bool operator==(const ICLists&) const = default;
};
ICLists CaptureLists() {
    ICLists l{gICInstances, {}, {}, gAnzICInstances, gICInstanceMax};
    for (const SimLevelRecord& level : gLevels) {
        l.levelNames.push_back(level.Name);
        l.levelGrids.push_back(level.Feld);
    }
    return l;
}

// The lists' invariant: no gaps, nested ICs right after their container, every pin cell on the
// worksheet and on every level naming the instance of its IC element. Empty when it holds.
std::string ListProblems() {
    std::ostringstream out;
    const int max = gICInstanceMax;
    if (gAnzICInstances != max || gICInstances.size() != static_cast<std::size_t>(max) + 1 ||
        gLevels.size() != static_cast<std::size_t>(max) + 1)
        out << "sizes " << gAnzICInstances << "/" << max << "/" << gICInstances.size() << "/"
            << gLevels.size() << "; ";
    for (int i = 1; i <= max && static_cast<std::size_t>(i) < gICInstances.size(); ++i) {
        const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(i)];
        if (ic.Name.empty() || gLevels[static_cast<std::size_t>(i)].Name.empty())
            out << "gap at " << i << "; ";
        if (ic.Tiefe == 0)
            continue;
        const int p = ic.Parent;
        if (p < 1 || p >= i || gICInstances[static_cast<std::size_t>(p)].Tiefe + 1 != ic.Tiefe)
            out << "parent of " << i << "; ";
        // Everything between the container and i lies inside the container.
        for (int j = p + 1; j < i; ++j) {
            int a = j;
            while (a > p && gICInstances[static_cast<std::size_t>(a)].Tiefe != 0)
                a = gICInstances[static_cast<std::size_t>(a)].Parent;
            if (a != p)
                out << i << " not right after its container " << p << "; ";
        }
    }
    // Pin cells: on the worksheet for the ICs of depth 0, on level n for the ICs inside n.
    std::vector<int> seen(static_cast<std::size_t>(max) + 1, 0);
    auto checkGrid = [&](const Grid& g, int level) {
        for (int y = 0; y <= g.UBoundY(); ++y) {
            for (int x = 0; x <= g.UBoundX(); ++x) {
                const CellRecord& c = g(x, y);
                if (c.ICLevel == 0)
                    continue;
                const int m = c.ICLevel;
                if (m > max || c.Typ != kTypeIC || c.ICPin == 0) {
                    out << "cell " << x << "," << y << " of level " << level << " names " << m
                        << "; ";
                    continue;
                }
                const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(m)];
                const int parent = ic.Tiefe == 0 ? 0 : ic.Parent;
                if (parent != level || ic.ElementNr != c.ElementNr)
                    out << "cell " << x << "," << y << " of level " << level << " names " << m
                        << " of another element; ";
                seen[static_cast<std::size_t>(m)] = 1;
            }
        }
    };
    checkGrid(gGrid, 0);
    for (int i = 1; i <= max; ++i)
        checkGrid(gLevels[static_cast<std::size_t>(i)].Feld, i);
    for (int i = 1; i <= max; ++i)
        if (!seen[static_cast<std::size_t>(i)])
            out << "instance " << i << " has no pin cell; ";
    // Every IC element of the worksheet has its instance.
    for (int e = 1; e <= gAnzElemente; ++e) {
        if (gElements[static_cast<std::size_t>(e)].Typ != kTypeIC)
            continue;
        const int n = static_cast<int>(std::count_if(
            gICInstances.begin() + 1, gICInstances.end(),
            [e](const ICInstanceRecord& ic) { return ic.Tiefe == 0 && ic.ElementNr == e; }));
        if (n != 1)
            out << "element " << e << " has " << n << " instances; ";
    }
    return out.str();
}

class PlaceICTest : public CoreFixture {
  protected:
    PlaceICTest() {
        gVerzeichnisse[1] = Folder();
        Install("inv.icd", "inv");
        Install("inv2.icd", "inv2");
        FreshSheet(60, 30);
    }
    std::string Folder() const { return dir.Path() + "/"; }
    void Install(std::string_view file, std::string_view name) {
        WriteBytes(dir.File(std::string(name) + ".icd"), ReadBytes(DataFile(file)));
    }
    // Removes the IC whose package covers (x, y).
    void RemoveAt(int x, int y) {
        gCursorX = static_cast<std::int16_t>(x);
        gCursorY = static_cast<std::int16_t>(y);
        RemoveIC();
    }
    TempDir dir;
};

// An IC of package size 7 by 4 placed at cursor (10, 10) covers columns 10..17 and rows 8..12;
// a pin placed at (0, 2) lies at (10, 10).
TEST_F(PlaceICTest, ThePackageCoversWPlusOneByHPlusOneCellsFromTheOutlinesTopRow) {
    FreshSheet(10, 6);
    LayWire(1, 2, 5, 2);
    LayWire(6, 3, 8, 3);
    WriteICDefinition(Folder(), "box74", {{"P", 1, 2, 0, 2}, {"Q", 8, 3, 7, 1}}, 7, 4);
    FreshSheet(30, 20);
    ChooseIC("box74");
    ASSERT_TRUE(gICAuswahlOK) << gICFehlerText;
    gCursorX = 10;
    gCursorY = 10;
    SetIC();
    ASSERT_EQ(gAnzElemente, 1);
    for (int x = 9; x <= 18; ++x) {
        for (int y = 7; y <= 13; ++y) {
            const bool inside = x >= 10 && x <= 17 && y >= 8 && y <= 12;
            EXPECT_EQ(gGrid(x, y).Typ, inside ? kTypeIC : kTypeEmpty) << x << "," << y;
        }
    }
    EXPECT_EQ(gGrid(10, 10).ICPin, 1);
    EXPECT_EQ(gGrid(10, 10).ICLevel, 1);
    EXPECT_EQ(gGrid(17, 9).ICPin, 2);
    EXPECT_EQ(gElements[1].Eingaenge.Text(), "X10Y10:X17Y9:");
    EXPECT_EQ(gElements[1].Ausgaenge.Text(), "X10Y10:X17Y9:");
    EXPECT_EQ(gElements[1].Typ, kTypeIC);
    EXPECT_EQ(gCurLevel, 1);
    EXPECT_EQ(gICInstances[1].ElementNr, 1);
    EXPECT_EQ(gUndo.Step(1).Description, "IC setzen");
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshLevelTree()"), host.log.end());
}

TEST_F(PlaceICTest, AnICBringsItsNestedICsAndTakesThemAlong) {
    const std::int16_t a = PlaceIC("inv2", 10, 10);
    ASSERT_NE(a, 0);
    ASSERT_EQ(gICInstanceMax, 3);
    EXPECT_EQ(gICInstances[1].Name, "inv2");
    EXPECT_EQ(gICInstances[2].Parent, 1);
    EXPECT_EQ(gICInstances[3].Tiefe, 1);
    EXPECT_EQ(ListProblems(), "");
    RemoveAt(11, 11);
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(gICInstanceMax, 0);
    EXPECT_EQ(gAnzICInstances, 0);
    EXPECT_EQ(gLevels.size(), 1u);
    EXPECT_EQ(gUndo.Step(1).Description, "IC löschen");
    EXPECT_EQ(gGrid(10, 11).Typ, kTypeEmpty);
    EXPECT_EQ(ListProblems(), "");
}

// P at 1, A at 2 holding two ICs (3, 4), Q at 5: removing A leaves P at 1 and Q at 2, and Q's
// pin cells name 2; undoing the removal puts A back at 2 and Q at 5 again.
TEST_F(PlaceICTest, RemovingAndUndoingRenumberEverythingAbove) {
    ASSERT_NE(PlaceIC("inv", 5, 5), 0);
    ASSERT_NE(PlaceIC("inv2", 15, 5), 0);
    ASSERT_NE(PlaceIC("inv", 25, 5), 0);
    ASSERT_EQ(gICInstanceMax, 5);
    EXPECT_EQ(gGrid(25, 6).ICLevel, 5);
    const ICLists before = CaptureLists();
    const Grid gridBefore = gGrid;

    RemoveAt(16, 6);
    ASSERT_EQ(gICInstanceMax, 2);
    EXPECT_EQ(gICInstances[1].Name, "inv");
    EXPECT_EQ(gICInstances[2].Name, "inv");
    EXPECT_EQ(gICInstances[2].ElementNr, 2) << "element 3 moved down to 2";
    EXPECT_EQ(gGrid(25, 6).ICLevel, 2);
    EXPECT_EQ(gGrid(27, 6).ICLevel, 2);
    EXPECT_EQ(ListProblems(), "");

    gUndo.Undo();
    EXPECT_EQ(ListProblems(), "");
    EXPECT_EQ(CaptureLists(), before);
    EXPECT_EQ(gGrid, gridBefore);
    EXPECT_EQ(gGrid(25, 6).ICLevel, 5);
}

TEST_F(PlaceICTest, UndoingAPlacementRemovesTheICAndItsNestedOnes) {
    ASSERT_NE(PlaceIC("inv", 5, 5), 0);
    const ICLists before = CaptureLists();
    const Grid gridBefore = gGrid;
    ASSERT_NE(PlaceIC("inv2", 15, 5), 0);
    gUndo.Undo();
    EXPECT_EQ(CaptureLists(), before);
    EXPECT_EQ(gGrid, gridBefore);
    EXPECT_EQ(gAnzElemente, 1);
}

TEST_F(PlaceICTest, RefusedPlacementsChangeNothing) {
    ASSERT_NE(PlaceIC("inv", 5, 5), 0);
    const Grid grid = gGrid;
    const ICLists lists = CaptureLists();
    ASSERT_NE(gCurLevel, 0);
    const std::uint32_t steps = gUndo.Recorded();

    // Beyond the sheet's inner area (after a short pause), on another element, nothing chosen.
    const std::int64_t t0 = pump.NowMs();
    EXPECT_EQ(PlaceIC("inv", 0, 5), 0);
    EXPECT_GE(pump.NowMs() - t0, 100);
    EXPECT_EQ(gCurLevel, 0);
    EXPECT_EQ(PlaceIC("inv", 58, 5), 0);
    EXPECT_EQ(PlaceIC("inv", 10, 28), 0);
    EXPECT_EQ(PlaceIC("inv", 6, 5), 0);
    host.log.clear();
    ChooseIC("fehlt");
    gCursorX = 20;
    gCursorY = 20;
    SetIC();
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshICLists()"), host.log.end());

    EXPECT_EQ(gGrid, grid);
    EXPECT_EQ(CaptureLists(), lists);
    EXPECT_EQ(gUndo.Recorded(), steps);
}

TEST_F(PlaceICTest, AFaultyICIsRefusedAndMarkedFaulty) {
    Install("self_bad.icd", "self_bad");
    ChooseIC("self_bad");
    EXPECT_FALSE(gICAuswahlOK);
    EXPECT_TRUE(host.IsVisible("lblICFehler"));
    EXPECT_NE(host.statusTexts[2].find("self_bad → self_bad"), std::string::npos)
        << host.statusTexts[2];
    gCursorX = 20;
    gCursorY = 20;
    SetIC();
    EXPECT_EQ(gAnzElemente, 0);
    ChooseIC("inv");
    EXPECT_TRUE(gICAuswahlOK);
    EXPECT_FALSE(host.IsVisible("lblICFehler"));
    EXPECT_EQ(host.statusTexts[2], "");
}

TEST_F(PlaceICTest, AFileChangedAfterTheChoiceIsReported) {
    ChooseIC("inv");
    Install("pin_outside_bad.icd", "inv");
    gCursorX = 20;
    gCursorY = 20;
    SetIC();
    EXPECT_EQ(gAnzElemente, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "IC-Fehler");
    EXPECT_NE(host.messages[0].text.find("Zelle (9, 2) liegt außerhalb"), std::string::npos);
}

TEST_F(PlaceICTest, PassingTheInstanceLimitGetsAMessage) {
    Install("fan16.icd", "fan16");
    FreshSheet(200, 60);
    for (int i = 0; i < 15; ++i)
        ASSERT_NE(PlaceIC("fan16", 2 + 5 * (i % 10), 2 + 6 * (i / 10)), 0) << i;
    ASSERT_EQ(gICInstanceMax, 255);
    const ICLists lists = CaptureLists();
    EXPECT_EQ(PlaceIC("inv", 100, 40), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("Mehr als 255 ICs (verschachtelte mitgezählt)."),
              std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(CaptureLists(), lists);
    EXPECT_EQ(ListProblems(), "");
}

// The undo of a removal puts the IC back as it was removed, even when its definition changed
// or is gone since.
TEST_F(PlaceICTest, UndoPutsARemovedICBackWhateverBecameOfItsFile) {
    ASSERT_NE(PlaceIC("inv2", 15, 5), 0);
    const ICLists before = CaptureLists();
    RemoveAt(16, 6);
    std::filesystem::remove(dir.File("inv.icd"));
    Install("inv_inner_changed.icd", "inv2");
    gUndo.Undo();
    EXPECT_EQ(CaptureLists(), before);
    EXPECT_EQ(ListProblems(), "");
}

TEST_F(PlaceICTest, APinWithoutAPlaceHasNoCell) {
    std::string text = ReadBytes(DataFile("inv.icd"));
    text.replace(text.find("0;1;E;\r\n"), 8, "\r\n");
    WriteBytes(dir.File("halb.icd"), text);
    ASSERT_NE(PlaceIC("halb", 10, 10), 0);
    EXPECT_EQ(gElements[1].Eingaenge.Text(), "X12Y11:");
    EXPECT_EQ(gGrid(10, 11).ICPin, 0);
    EXPECT_EQ(gGrid(12, 11).ICPin, 2);
    EXPECT_EQ(gGrid(12, 11).ICLevel, 1);
}

TEST_F(PlaceICTest, RandomPlacingRemovingAndUndoingKeepTheListsSound) {
    Install("fan16.icd", "fan16");
    std::mt19937 rng(1612);
    const char* names[] = {"inv", "inv2", "fan16"};
    int most = 0;
    int removals = 0;
    int undos = 0;
    for (int step = 0; step < 400; ++step) {
        const int what = static_cast<int>(rng() % 10);
        if (what < 5) {
            const char* name = names[rng() % 3];
            PlaceIC(name, 1 + static_cast<int>(rng() % 56), 1 + static_cast<int>(rng() % 26));
        } else if (what < 8) {
            std::vector<int> ics;
            for (int e = 1; e <= gAnzElemente; ++e)
                if (gElements[static_cast<std::size_t>(e)].Typ == kTypeIC)
                    ics.push_back(e);
            if (!ics.empty()) {
                const int e = ics[rng() % ics.size()];
                const GridPoint p = gElements[static_cast<std::size_t>(e)].Eingaenge.Points()[0];
                RemoveAt(p.x, p.y);
                ++removals;
            }
        } else {
            undos += gUndo.NoUndoData() ? 0 : 1;
            gUndo.Undo();
        }
        ASSERT_EQ(ListProblems(), "") << "after step " << step;
        most = std::max<int>(most, gICInstanceMax);
    }
    // The walk went through crowded lists, removals and undos.
    EXPECT_GT(most, 100);
    EXPECT_GT(removals, 50);
    EXPECT_GT(undos, 50);
    EXPECT_TRUE(host.messages.empty() || host.messages[0].text.find("255") != std::string::npos);
}

// ICs without pins on their package were refused; placed, they are drawn over their cells, and
// removed and put back by undo with their instance.
TEST_F(PlaceICTest, AnICWithoutPinsOnItsPackagePlacesDrawsAndComesBack) {
    for (const char* name : {"no_pins", "place_none"}) {
        Install(std::string(name) + ".icd", name);
        FreshSheet(60, 30);
        ASSERT_NE(PlaceIC(name, 10, 10), 0) << name;
        EXPECT_EQ(gElements[1].Eingaenge.Count(), 0u) << name;
        gGrafik.Device = &screen;
        screen.ClearLog();
        DrawElement(11, 10, false, false);
        EXPECT_EQ(screen.CallsOf(DrawOp::Box).size(), 1u) << name;
        RemoveAt(11, 10);
        EXPECT_EQ(gICInstanceMax, 0) << name;
        gUndo.Undo();
        ASSERT_EQ(gICInstanceMax, 1) << name;
        EXPECT_EQ(gICInstances[1].ElementNr, 1) << name;
    }
}

// Placing an IC with a long definition showed nothing of its loading: now the status text, the
// bar at line / 10 and the wait pointer, then the bar full and empty again.
TEST_F(PlaceICTest, ALongDefinitionShowsItsLoading) {
    std::string text = ReadBytes(DataFile("inv.icd"));
    for (int i = 0; i < 1000; ++i)
        text += "Notiz\r\n";
    WriteBytes(dir.File("lang.icd"), text);
    host.keepHistory = true;
    ASSERT_NE(PlaceIC("lang", 10, 10), 0);
    EXPECT_EQ(host.progressValues, (std::vector<int>{30, 40, 50, 60, 70, 80, 90, 100, 0}));
    EXPECT_EQ(host.statusTexts[2], "Lade IC 'lang'");
    EXPECT_EQ(host.pointers, (std::vector<int>{kPointerArrowHourglass, kPointerCross}));
}

// Fault pinned: every instance held a copy of its IC's notes, so that an IC with large notes
// nested many times ran out of memory on opening.
TEST_F(PlaceICTest, InstancesOfOneICShareOneCopyOfItsNotes) {
    ASSERT_NE(PlaceIC("inv2", 15, 5), 0); // instances 2 and 3 are inv, read once
    ASSERT_NE(PlaceIC("inv", 5, 5), 0);   // instance 4, read again
    const std::string_view notes = gICInstances[2].Notizen;
    EXPECT_EQ(notes, "Ein Inverter");
    for (std::size_t i : {3u, 4u})
        EXPECT_EQ(std::string_view(gICInstances[i].Notizen).data(), notes.data()) << i;
}

// Fault pinned: each "IC löschen" step kept whole copies of the IC's level grids (110 MB a step
// for an IC of 7 M cells). The steps keep the non-empty cells, equal levels once, and an IC
// comes back exactly at whatever index it had.
TEST_F(PlaceICTest, RemovalStepsKeepTheLevelsCompactlyAndOnce) {
    ASSERT_NE(PlaceIC("inv2", 15, 5), 0);
    const ICLists atOne = CaptureLists();
    RemoveAt(16, 6);
    ASSERT_NE(PlaceIC("inv", 5, 5), 0);
    ASSERT_NE(PlaceIC("inv2", 15, 5), 0);
    const ICLists atTwo = CaptureLists();
    RemoveAt(16, 6);
    const KeptICBlock& newer = gUndo.Step(1).ICBlocks.at(0);
    const KeptICBlock& older = gUndo.Step(4).ICBlocks.at(0);
    EXPECT_EQ(std::pair(newer.Base, older.Base), std::pair(2, 1));
    EXPECT_EQ(newer.Levels, older.Levels);
    EXPECT_EQ(newer.Levels[1], newer.Levels[2]) << "two equal inv levels";
    EXPECT_EQ(newer.Levels[1]->Cells.size(), 6u) << "the cells of inv.icd's [Punkte]";
    gUndo.Undo();
    EXPECT_EQ(CaptureLists(), atTwo);
    for (int k = 0; k < 3; ++k)
        gUndo.Undo();
    EXPECT_EQ(CaptureLists(), atOne);
    EXPECT_EQ(ListProblems(), "");
}

} // namespace
} // namespace kardo::test
