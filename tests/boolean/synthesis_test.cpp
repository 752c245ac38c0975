// Circuit synthesis through CreateFile: the golden layouts of two terms, the rules every layout
// keeps, the sheet size, and what a refused term, a too large circuit or a cancelled save
// question leave behind.
#include "app/main_state.h"
#include "boolean/formula_line.h"
#include "boolean/groups.h"
#include "editor/wire_tool.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/undo.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using SynthesisTest = test::CoreFixture;

// One line per element ("6 r2 in X8Y6:X8Y8: out X10Y7: '2'"), then one per marked cell
// ("point 3,8" connection point, "neg 8,8" negation point on a pin).
std::vector<std::string> ElementList() {
    std::vector<std::string> lines;
    for (int n = 1; n <= gAnzElemente; ++n) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
        std::string line = std::to_string(e.Typ) + " r" + std::to_string(e.Richtung) + " in " +
                           e.Eingaenge.Text() + " out " + e.Ausgaenge.Text();
        if (!e.Text.empty())
            line += " '" + e.Text + "'";
        if (e.Typ == kTypeLed)
            line += " colour " + std::to_string(e.Farbe);
        lines.push_back(line);
    }
    for (int y = 0; y <= gFeldHoehe; ++y)
        for (int x = 0; x <= gFeldBreite; ++x) {
            const CellRecord& c = gGrid(x, y);
            if (c.Punkt == kPointConnection)
                lines.push_back((c.Typ == kTypeWire  ? "point "
                                 : c.Typ == kTypeLed ? "led "
                                                     : "neg ") +
                                std::to_string(x) + "," + std::to_string(y));
        }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines)
        s += l + "\n";
    return s;
}

// CreateFile on a circuit that asks no save question.
bool Synthesise(std::string_view term) {
    gUnveraendert = true;
    return CreateFile(term).created;
}

TEST_F(SynthesisTest, GoldenLayoutOfAAndB) {
    ASSERT_TRUE(CreateFile("A&B").created);
    // Switches on the buses of A (column 3) and B (column 5) with their names above, a
    // two-input AND whose pins the buses turn into, the LED two cells after its output.
    const std::vector<std::string> expected = {
        "5 r2 in X3Y3: out X3Y3:",
        "22 r2 in X3Y2: out  'A'",
        "5 r2 in X5Y3: out X5Y3:",
        "22 r2 in X5Y2: out  'B'",
        "6 r2 in X8Y6:X8Y8: out X10Y7: '2'",
        "4 r0 in X12Y7: out  colour 255",
        "led 12,7",
    };
    EXPECT_EQ(Joined(ElementList()), Joined(expected));
}

TEST_F(SynthesisTest, GoldenLayoutOfAAndNotBOrC) {
    ASSERT_TRUE(CreateFile("(A&/B)vC").created);
    // The AND in the first gate column, the OR in the second, four rows further down; B is
    // negated on the AND's input pin; the AND's output reaches the OR through column 13.
    const std::vector<std::string> expected = {
        "5 r2 in X3Y3: out X3Y3:",
        "22 r2 in X3Y2: out  'A'",
        "5 r2 in X5Y3: out X5Y3:",
        "22 r2 in X5Y2: out  'B'",
        "5 r2 in X7Y3: out X7Y3:",
        "22 r2 in X7Y2: out  'C'",
        "6 r2 in X10Y6:X10Y8: out X12Y7: '2'",
        "7 r2 in X16Y12:X16Y14: out X18Y13: '2'",
        "4 r0 in X20Y13: out  colour 255",
        "neg 10,8",
        "led 20,13",
    };
    EXPECT_EQ(Joined(ElementList()), Joined(expected));
    // The feed from the AND to the OR: right along row 7, down column 13, right along row 12.
    EXPECT_EQ(WireFlagCount(gGrid(13, 7)), 2);
    EXPECT_NE(gGrid(13, 7).Links, 0);
    EXPECT_NE(gGrid(13, 7).Unten, 0);
    EXPECT_NE(gGrid(13, 12).Oben, 0);
    EXPECT_NE(gGrid(13, 12).Rechts, 0);
    EXPECT_NE(gGrid(16, 12).Links, 0);
}

TEST_F(SynthesisTest, FeedsLeaveTheirBusAtConnectionPointsAndCrossingsStayUnjoined) {
    ASSERT_TRUE(CreateFile("A&BvA&/CvB&C&/A").created);
    const SynthesisPlan plan = PlanSynthesis(CheckTerm("A&BvA&/CvB&C&/A").tree, {});
    int points = 0;
    int crossings = 0;
    for (int y = 0; y <= gFeldHoehe; ++y) {
        for (int x = 0; x <= gFeldBreite; ++x) {
            const CellRecord& c = gGrid(x, y);
            if (c.Typ != kTypeWire)
                continue;
            const int flags = WireFlagCount(c);
            if (flags == 4) {
                ++crossings;
                EXPECT_EQ(c.Punkt, kPointNone) << "crossing " << x << "," << y;
            }
            if (flags == 3) {
                ++points;
                EXPECT_EQ(c.Punkt, kPointConnection) << "junction " << x << "," << y;
                bool onBus = false;
                for (const PlanVariable& v : plan.variables)
                    onBus = onBus || (v.column == x && y < v.lastRow && c.Rechts != 0);
                EXPECT_TRUE(onBus) << "junction off a bus at " << x << "," << y;
            }
        }
    }
    // Seven feeds from three buses, three of them at a bus's last row.
    EXPECT_EQ(points, 4);
    EXPECT_GT(crossings, 0);
}

TEST_F(SynthesisTest, NoUndoStepRemainsAndTheCircuitCountsAsChanged) {
    ASSERT_TRUE(gUnveraendert);
    ASSERT_TRUE(CreateFile("(AvB)&/C").created);
    EXPECT_TRUE(gUndo.NoUndoData());
    EXPECT_FALSE(gUnveraendert);
    EXPECT_FALSE(host.IsEnabled("mUndo"));
    // What the synthesis borrowed is given back.
    EXPECT_EQ(gAutoVerbindung, kTrue);
    EXPECT_EQ(gOrientierung, kRight);
    EXPECT_EQ(gFarbe, 255);
}

TEST_F(SynthesisTest, PlacingInputsAreGivenBack) {
    gOrientierung = kDown;
    gFarbe = 0x00FF00;
    host.SetCaption("txtAnschlüsse", "5");
    ASSERT_TRUE(CreateFile("A&B&C").created);
    EXPECT_EQ(gOrientierung, kDown);
    EXPECT_EQ(gFarbe, 0x00FF00);
    EXPECT_EQ(host.Caption("txtAnschlüsse"), "5");
    // The LED is red all the same.
    for (int n = 1; n <= gAnzElemente; ++n) {
        if (gElements[static_cast<std::size_t>(n)].Typ == kTypeLed) {
            EXPECT_EQ(gElements[static_cast<std::size_t>(n)].Farbe, 255);
        }
    }
}

TEST_F(SynthesisTest, LoneVariablesAndTheirNegation) {
    ASSERT_TRUE(CreateFile("A").created);
    EXPECT_EQ(Joined(ElementList()), Joined({"5 r2 in X3Y3: out X3Y3:", "22 r2 in X3Y2: out  'A'",
                                             "4 r0 in X6Y6: out  colour 255", "led 6,6"}));
    ASSERT_TRUE(Synthesise("/A"));
    EXPECT_EQ(Joined(ElementList()),
              Joined({"5 r2 in X3Y3: out X3Y3:", "22 r2 in X3Y2: out  'A'",
                      "9 r2 in X6Y6: out X7Y6:", "4 r0 in X9Y6: out  colour 255", "led 9,6"}));
    ASSERT_TRUE(Synthesise("/(A&B)"));
    const std::vector<std::string> lines = ElementList();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "neg 10,7"), lines.end()) << Joined(lines);
}

TEST_F(SynthesisTest, SheetKeepsItsSizeUnlessTheCircuitNeedsMore) {
    CreateWorksheet(100, 70);
    ASSERT_TRUE(CreateFile("A&B").created);
    EXPECT_EQ(gFeldBreite, 100);
    EXPECT_EQ(gFeldHoehe, 70);
    // Five gates one below the other need more than 30 rows.
    CreateWorksheet(50, 30);
    ASSERT_TRUE(Synthesise("A&BvC&DvE&FvG&H"));
    EXPECT_EQ(gFeldBreite, 50);
    EXPECT_GT(gFeldHoehe, 30);
    EXPECT_EQ(host.Caption("txtY"), std::to_string(gFeldHoehe));
}

TEST_F(SynthesisTest, WrongTermChangesNothing) {
    // Fault pinned: a wrong term emptied the worksheet before the term was checked.
    ASSERT_TRUE(CreateFile("A&B").created);
    const test::SheetState before = test::CaptureSheet();
    gUnveraendert = true;
    const CreateFileResult r = CreateFile("A&B+C");
    EXPECT_FALSE(r.created);
    EXPECT_EQ(r.errorPosition, 4);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Fehler im Term");
    EXPECT_NE(host.messages[0].text.find("Position 4"), std::string::npos);
    EXPECT_EQ(test::CaptureSheet(), before);
    EXPECT_TRUE(gUnveraendert);
}

TEST_F(SynthesisTest, CancelledSaveQuestionChangesNothing) {
    // Fault pinned: a synthesised term replaced a changed circuit without asking to save it.
    ASSERT_TRUE(CreateFile("A&B").created);
    const test::SheetState before = test::CaptureSheet();
    host.messageAnswers.push_back(MsgResult::Cancel);
    const CreateFileResult r = CreateFile("AvB");
    EXPECT_FALSE(r.created);
    EXPECT_EQ(r.errorPosition, 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(test::CaptureSheet(), before);
}

TEST_F(SynthesisTest, AnsweredSaveQuestionReplacesTheCircuit) {
    ASSERT_TRUE(CreateFile("A&B").created);
    host.messageAnswers.push_back(MsgResult::No);
    ASSERT_TRUE(CreateFile("AvB").created);
    EXPECT_EQ(gElements[5].Typ, kTypeOr);
}

TEST_F(SynthesisTest, CircuitLargerThanTheLargestSheetIsRefused) {
    ASSERT_TRUE(CreateFile("A&B").created);
    const test::SheetState before = test::CaptureSheet();
    clsGroups groups;
    groups.AbstandHoehe = 600;
    groups.Term = "A&BvC&D";
    EXPECT_FALSE(groups.CreateGroups());
    EXPECT_EQ(groups.ErrorPosition(), 0);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].text.find("1000 x 1000"), std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(test::CaptureSheet(), before);
}

} // namespace
} // namespace kardo
