// The IC-definition mode: entering and leaving the view, naming, renaming and removing pins on
// wire ends, laying the pins out on the package, and the checks before a definition is saved.
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "files/ic_definition.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "files/new_circuit.h"
#include "ic/ic_definition_mode.h"
#include "ic/pin_labels.h"
#include "model/codes.h"
#include "model/ic_instances.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "support/block_builder.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <algorithm>
#include <functional>

namespace kardo::test {
namespace {

class ICDefinitionModeTest : public CoreFixture {
  protected:
    ICDefinitionModeTest() {
        gVerzeichnisse[1] = dir.Path() + "/";
        // An inverter with a wire into it from (2, 3) and one out of it to (9, 3).
        EXPECT_NE(PlaceInverter(5, 3, kRight), 0);
        LayWire(2, 3, 5, 3);
        LayWire(6, 3, 9, 3);
    }
    // A click with the definition view's tool on (x, y), the dialog answering answer.
    void ClickPin(int x, int y, std::optional<std::string> answer) {
        gMouseMode = kToolICView;
        gCursorX = static_cast<std::int16_t>(x);
        gCursorY = static_cast<std::int16_t>(y);
        host.pinNameAnswers.push_back(std::move(answer));
        CreateICAnschluss();
    }
    void RightClickPin(int x, int y) {
        gCursorX = static_cast<std::int16_t>(x);
        gCursorY = static_cast<std::int16_t>(y);
        DeleteICAnschluss();
    }
    // The inverter named as IC "INV1" with its two pins on the left and right edge.
    void NameAndPlace() {
        mDefIC_Click();
        SetICDefinitionName("INV1");
        ClickPin(2, 3, "E");
        ClickPin(9, 3, "A");
        std::string reason;
        ASSERT_TRUE(PlaceICPin(1, 0, 1, reason)) << reason;
        ASSERT_TRUE(PlaceICPin(2, 7, 1, reason)) << reason;
    }
    std::string LastMessage() const {
        return host.messages.empty() ? std::string() : host.messages.back().text;
    }
    TempDir dir;
};

TEST_F(ICDefinitionModeTest, TheMenuEntryEntersTheViewWithAnEmptyNameAndASevenByFourPackage) {
    gICName = "alt";
    mDefIC_Click();
    EXPECT_EQ(gMouseMode, kToolICView);
    EXPECT_EQ(gICName, "");
    EXPECT_EQ(gICBreite, 7);
    EXPECT_EQ(gICHoehe, 4);
    EXPECT_TRUE(host.icEditorShown);
    EXPECT_FALSE(host.IsEnabled("mDefIC"));
    EXPECT_FALSE(host.IsEnabled("cmdICView"));
    EXPECT_FALSE(host.IsChecked("cmdLeitungen"));
    EXPECT_EQ(host.selPictures.back(), kToolICView);
    EXPECT_FALSE(host.propertyWindowCalls.empty());
}

TEST_F(ICDefinitionModeTest, TheViewIsNotEnteredWhileOnOrWhenTheLockForbidsIt) {
    gFunktionRechte[kRechtICDefinieren] = false;
    mDefIC_Click();
    EXPECT_NE(gMouseMode, kToolICView);
    gFunktionRechte[kRechtICDefinieren] = true;
    gPowerOn = true;
    mDefIC_Click();
    EXPECT_NE(gMouseMode, kToolICView);
    gPowerOn = false;
}

TEST_F(ICDefinitionModeTest, AClickOnAWireEndNamesItAsAPinWithMarkAndLabel) {
    mDefIC_Click();
    screen.ClearLog();
    ClickPin(2, 3, "E");
    ASSERT_EQ(gAnzICAnschluesse, 1);
    EXPECT_EQ(gGrid(2, 3).ICPin, 1);
    EXPECT_EQ(gICAnschlussZellen[1], "2;3;E;");
    EXPECT_EQ(gICAnschluesse[1], "") << "no place yet";
    EXPECT_EQ(gTags[1], "");
    ASSERT_EQ(host.pinNameQuestions.size(), 1u);
    EXPECT_EQ(host.pinNameQuestions[0], (std::pair<int, std::string>{1, ""}));
    ASSERT_EQ(gICPinLabels.size(), 2u);
    EXPECT_EQ(gICPinLabels[1].Caption, "[E]");
    EXPECT_TRUE(gICPinLabels[1].Visible);
    EXPECT_LT(gICPinLabels[1].Left + gICPinLabels[1].Width, GridToPixel(2))
        << "the wire leaves to the right: the label stands left of the end";
    int marks = 0;
    for (const DrawCall& c : screen.CallsOf(DrawOp::Circle))
        marks += c.fillColor == Rgb(0, 0, 255) ? 1 : 0;
    EXPECT_EQ(marks, 1) << "the blue pin mark";
    EXPECT_GT(host.icEditorRefreshes, 0);
}

// Fault: drawing the sheet onto the printer placed the worksheet's pin labels at the print scale.
TEST_F(ICDefinitionModeTest, DrawingOntoThePrinterLeavesThePinLabelsWhereTheyAre) {
    mDefIC_Click();
    ClickPin(2, 3, "E");
    const ICPinLabel before = gICPinLabels[1];
    {
        const DeviceScope onPaper(printer, 3.0f);
        RedrawAllElements(0);
    }
    EXPECT_EQ(gICPinLabels[1], before);
    RedrawAllElements(0);
    EXPECT_EQ(gICPinLabels[1], before) << "the worksheet places them again";
}

TEST_F(ICDefinitionModeTest, ClicksElsewhereAskNothingAndCancelNamesNothing) {
    mDefIC_Click();
    ClickPin(4, 3, "X");   // the middle of a wire
    ClickPin(10, 10, "X"); // an empty cell
    ClickPin(5, 3, "X");   // the inverter
    EXPECT_TRUE(host.pinNameQuestions.empty());
    host.pinNameAnswers.clear();
    ClickPin(2, 3, std::nullopt);
    EXPECT_EQ(host.pinNameQuestions.size(), 1u);
    EXPECT_EQ(gAnzICAnschluesse, 0);
    EXPECT_EQ(gGrid(2, 3).ICPin, 0);
    gMouseMode = kToolWire;
    gCursorX = 9;
    gCursorY = 3;
    host.pinNameAnswers.push_back("X");
    CreateICAnschluss();
    EXPECT_EQ(gAnzICAnschluesse, 0) << "only the definition view names pins";
}

TEST_F(ICDefinitionModeTest, AClickOnAPinRenamesItAndItsPlace) {
    NameAndPlace();
    ClickPin(9, 3, "Q");
    EXPECT_EQ(host.pinNameQuestions.back(), (std::pair<int, std::string>{2, "A"}));
    EXPECT_EQ(gAnzICAnschluesse, 2);
    EXPECT_EQ(gICAnschlussZellen[2], "9;3;Q;");
    EXPECT_EQ(gICAnschluesse[2], "7;1;Q;");
    EXPECT_EQ(gICPinLabels[2].Caption, "[Q]");
    ClickPin(9, 3, std::nullopt);
    EXPECT_EQ(ICPinName(2), "Q") << "cancel keeps the name";
}

struct NameCase {
    const char* name;  // typed
    bool allowed;      // accepted
    const char* shown; // part of the refusal message
};

TEST_F(ICDefinitionModeTest, PinNamesAreCheckedAndARefusedNameIsAskedAgain) {
    const NameCase cases[] = {
        {"", false, "Namen"},
        {"A;B", false, "nicht erlaubt"},
        {"ABCDEFGHIJKLMNOPQRSTU", false, "höchstens 20"},
        {"ABCDEFGHIJKLMNOPQRST", true, ""},
        {"Überträger", true, ""},
        {"Ω", false, "nicht erlaubt"},
        {"E", false, "schon einen Anschluss"},
    };
    mDefIC_Click();
    ClickPin(2, 3, "E");
    for (const NameCase& c : cases) {
        std::string reason;
        EXPECT_EQ(CheckICPinName(c.name, 2, reason), c.allowed) << c.name;
        if (!c.allowed) {
            EXPECT_NE(reason.find(c.shown), std::string::npos) << c.name << ": " << reason;
        }
    }
    // The dialog comes back with the refused text until a name is allowed.
    host.pinNameAnswers = {std::string("A;B"), std::string(" A ")};
    gCursorX = 9;
    gCursorY = 3;
    CreateICAnschluss();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.pinNameQuestions.back(), (std::pair<int, std::string>{2, "A;B"}));
    EXPECT_EQ(ICPinName(2), "A") << "blanks around the name are dropped";
    std::string reason;
    EXPECT_TRUE(CheckICPinName("E", 1, reason)) << "a pin keeps its own name";
}

TEST_F(ICDefinitionModeTest, ARightClickRemovesAPinAndTheLaterOnesMoveDown) {
    LayWire(2, 6, 6, 6);
    mDefIC_Click();
    ClickPin(2, 3, "E");
    ClickPin(9, 3, "A");
    ClickPin(6, 6, "X");
    std::string reason;
    ASSERT_TRUE(PlaceICPin(3, 3, 0, reason));
    gTags[3] = "t3";
    RightClickPin(9, 3);
    ASSERT_EQ(gAnzICAnschluesse, 2);
    EXPECT_EQ(gGrid(9, 3).ICPin, 0);
    EXPECT_EQ(gGrid(6, 6).ICPin, 2);
    EXPECT_EQ(gGrid(2, 3).ICPin, 1);
    EXPECT_EQ(ICPinName(2), "X");
    EXPECT_EQ(gICAnschluesse[2], "3;0;X;");
    EXPECT_EQ(gTags[2], "t3");
    ASSERT_EQ(gICPinLabels.size(), 3u);
    EXPECT_EQ(gICPinLabels[2].Caption, "[X]");
    RightClickPin(4, 3);
    EXPECT_EQ(gAnzICAnschluesse, 2) << "not a pin";
}

TEST_F(ICDefinitionModeTest, PinsGoOnlyOnFreePlacesOfTheOutline) {
    NameAndPlace();
    std::string reason;
    EXPECT_FALSE(PlaceICPin(2, 3, 2, reason)) << "inside the package";
    EXPECT_NE(reason.find("Rand"), std::string::npos);
    EXPECT_FALSE(PlaceICPin(2, 0, 1, reason)) << "E is there";
    EXPECT_NE(reason.find("\"E\""), std::string::npos);
    EXPECT_FALSE(PlaceICPin(2, 8, 1, reason)) << "beyond the right edge";
    EXPECT_EQ(gICAnschluesse[2], "7;1;A;") << "unchanged by refusals";
    EXPECT_TRUE(PlaceICPin(2, 0, 0, reason)) << "a corner";
    EXPECT_EQ(ICPinAtPlace(0, 0), 2);
    UnplaceICPin(2);
    EXPECT_EQ(gICAnschluesse[2], "");
    EXPECT_EQ(ICPinAtPlace(0, 0), 0);
}

struct SnapCase {
    double col, row; // drop point in cells from the package's top-left cell
    bool place;      // a place
    int a, b;        // the place
};

TEST_F(ICDefinitionModeTest, ADropGoesToTheNearestPlaceOfTheOutline) {
    const SnapCase cases[] = {
        {0.2, 1.1, true, 0, 1},  {-0.9, 2.0, true, 0, 2},  {7.4, 3.0, true, 7, 3},
        {3.0, -0.6, true, 3, 0}, {3.2, 4.4, true, 3, 4},   {1.0, 2.0, true, 0, 2},
        {5.8, 1.6, true, 7, 2},  {3.0, 1.2, true, 3, 0},   {-1.6, 2.0, false, 0, 0},
        {3.0, 5.6, false, 0, 0}, {-0.8, -0.8, true, 0, 0},
    };
    for (const SnapCase& c : cases) {
        int a = -1;
        int b = -1;
        EXPECT_EQ(SnapToICOutline(c.col, c.row, 7, 4, a, b), c.place) << c.col << "," << c.row;
        if (c.place) {
            EXPECT_EQ((std::pair{a, b}), (std::pair{c.a, c.b})) << c.col << "," << c.row;
        }
    }
}

TEST_F(ICDefinitionModeTest, ShrinkingThePackageTakesOffPinsWhosePlaceIsGone) {
    LayWire(2, 6, 6, 6);
    LayWire(2, 8, 6, 8);
    NameAndPlace();
    ClickPin(6, 6, "T");
    ClickPin(6, 8, "U");
    std::string reason;
    ASSERT_TRUE(PlaceICPin(3, 5, 0, reason)); // top edge, column 5
    ASSERT_TRUE(PlaceICPin(4, 2, 4, reason)); // bottom edge
    ResizeICPackage(4, 3);
    EXPECT_EQ(gICBreite, 4);
    EXPECT_EQ(gICHoehe, 3);
    EXPECT_EQ(gICAnschluesse[1], "0;1;E;") << "the left edge stays";
    EXPECT_EQ(gICAnschluesse[2], "4;1;A;") << "the right edge follows";
    EXPECT_EQ(gICAnschluesse[3], "") << "column 5 is gone";
    EXPECT_EQ(gICAnschluesse[4], "2;3;U;") << "the bottom edge follows";
    // A pin moving along with its edge never lands on another pin: it is taken off instead.
    ASSERT_TRUE(PlaceICPin(3, 2, 0, reason));
    ASSERT_TRUE(PlaceICPin(2, 4, 0, reason)); // the top right corner
    ResizeICPackage(2, 3);
    EXPECT_EQ(gICAnschluesse[3], "2;0;T;");
    EXPECT_EQ(gICAnschluesse[2], "") << "it would have met T";
    ResizeICPackage(0, 500);
    EXPECT_EQ(gICBreite, 1);
    EXPECT_EQ(gICHoehe, 200);
}

TEST_F(ICDefinitionModeTest, LeavingTheViewKeepsThePinsAndGivesBackTheEditingKeys) {
    NameAndPlace();
    CloseICView();
    EXPECT_EQ(gMouseMode, kToolWire);
    EXPECT_FALSE(host.icEditorShown);
    EXPECT_TRUE(host.IsEnabled("mDefIC"));
    EXPECT_TRUE(host.IsEnabled("cmdICView"));
    EXPECT_TRUE(host.IsChecked("cmdLeitungen"));
    EXPECT_EQ(gAnzICAnschluesse, 2);
    EXPECT_EQ(gGrid(9, 3).ICPin, 2);
    EXPECT_EQ(gICName, "") << "INV1 has no definition yet, so no IC is chosen";
}

TEST_F(ICDefinitionModeTest, ANewSheetClearsTheDefinitionAndLeavesTheView) {
    NameAndPlace();
    gICNotizen = "n";
    NewCircuit(true);
    EXPECT_NE(gMouseMode, kToolICView);
    EXPECT_FALSE(host.icEditorShown);
    EXPECT_EQ(gAnzICAnschluesse, 0);
    EXPECT_EQ(gICAnschlussZellen.size(), 1u);
    EXPECT_EQ(gICAnschluesse.size(), 1u);
    EXPECT_EQ(gTags.size(), 1u);
    EXPECT_EQ(gICNotizen, "");
    EXPECT_EQ(gICName, "");
    EXPECT_EQ(gICBreite, 0);
    EXPECT_EQ(gICPinLabels.size(), 1u);
}

TEST_F(ICDefinitionModeTest, SavingWritesTheDefinitionReportsItAndRefreshesTheLists) {
    NameAndPlace();
    const std::vector<ElementRecord> before = gElements;
    ASSERT_TRUE(SaveICDefinition());
    EXPECT_EQ(LastMessage(), "IC 'INV1' wurde gespeichert");
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshICLists()"), host.log.end());
    const std::string path = dir.File("INV1.icd");
    EXPECT_EQ(gDateiPfad, path);
    ICDefinition def;
    ReadProblem problem;
    ASSERT_TRUE(ReadICDefinitionFile(path, def, problem)) << problem.Line << " " << problem.Text;
    EXPECT_EQ(def.LevelName, "INV1");
    EXPECT_EQ(def.Breite, 7);
    EXPECT_EQ(def.Hoehe, 4);
    EXPECT_EQ(def.PinName(1), "E");
    EXPECT_EQ(def.PinCells[1], (GridPoint{2, 2})) << "two cells of margin to the box";
    EXPECT_EQ(def.PinCells[2], (GridPoint{9, 2}));
    EXPECT_EQ(def.Places[2], (ICPinPlace{true, 7, 1}));
    EXPECT_EQ(def.Elements[1].Eingaenge.Text(), "X5Y2:");
    // The worksheet keeps its own cells.
    EXPECT_EQ(gElements, before);
}

// Fault: the box-relative pin lists were written into the live element records, so the sheet's
// elements pointed at wrong cells after saving.
TEST_F(ICDefinitionModeTest, SavingLeavesTheWorksheetsPinListsAndPinLinesAsTheyWere) {
    NameAndPlace();
    const std::string in = gElements[1].Eingaenge.Text();
    const std::string out = gElements[1].Ausgaenge.Text();
    ASSERT_TRUE(SaveICDefinition());
    ASSERT_TRUE(SaveICDefinition()) << "a second save of the same definition asks nothing";
    EXPECT_EQ(gElements[1].Eingaenge.Text(), in);
    EXPECT_EQ(gElements[1].Ausgaenge.Text(), out);
    EXPECT_EQ(gICAnschlussZellen[1], "2;3;E;");
    EXPECT_EQ(host.messages.size(), 2u) << "no question, two reports";
}

struct Refusal {
    const char* what;           // the case
    std::function<void()> make; // brings the definition into that state
    const char* shown;          // part of the message
};

TEST_F(ICDefinitionModeTest, SavingIsRefusedWithAReasonAndWritesNothing) {
    const Refusal cases[] = {
        {"no name", [] { SetICDefinitionName(""); }, "Namen"},
        {"a path", [] { SetICDefinitionName("../x"); }, "kein gültiger Dateiname"},
        {"IC-Neu", [] { SetICDefinitionName("IC-Neu"); }, "nicht erlaubt"},
        {"<Name>", [] { SetICDefinitionName("<Name>"); }, "nicht erlaubt"},
        {"a header", [] { SetICDefinitionName("[Feld]"); }, "kein gültiger Dateiname"},
        {"no placed pin",
         [] {
             UnplaceICPin(1);
             UnplaceICPin(2);
         },
         "Kein Anschluss liegt am Gehäuse"},
        {"a pin without its wire", [] { ClearCell(9, 3); }, "\"A\" liegt nicht mehr"},
        {"a pin inside a wire", [] { LayWire(9, 3, 9, 5); }, "\"A\" liegt nicht mehr"},
        {"a clock", [] { EXPECT_NE(PlaceBlockKind(kTypeClock, 20, 10, kRight), 0); }, "Taktgeber"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        NewCircuit(true);
        EXPECT_NE(PlaceInverter(5, 3, kRight), 0);
        LayWire(2, 3, 5, 3);
        LayWire(6, 3, 9, 3);
        NameAndPlace();
        c.make();
        host.messages.clear();
        EXPECT_FALSE(SaveICDefinition());
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find(c.shown), std::string::npos) << host.messages[0].text;
        EXPECT_EQ(CountEntries(dir.Path()), 0);
    }
    NewCircuit(true);
    mDefIC_Click();
    SetICDefinitionName("LEER");
    EXPECT_FALSE(SaveICDefinition());
    EXPECT_NE(LastMessage().find("keine Anschlüsse"), std::string::npos);
}

TEST_F(ICDefinitionModeTest, AnICThatWouldContainItselfOrTooManyICsIsRefused) {
    WriteInverterICs(dir.Path() + "/");
    FreshSheet(40, 20);
    ASSERT_NE(PlaceIC("inv2", 10, 10), 0);
    LayWire(2, 3, 9, 3);
    mDefIC_Click();
    ClickPin(2, 3, "E");
    std::string reason;
    ASSERT_TRUE(PlaceICPin(1, 0, 1, reason));
    for (const char* name : {"inv", "INV2"}) {
        SetICDefinitionName(name);
        host.messages.clear();
        EXPECT_FALSE(SaveICDefinition()) << name;
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_NE(host.messages[0].text.find("selbst enthalten"), std::string::npos);
    }
    const std::string inv = ReadBytes(dir.File("inv.icd"));
    EXPECT_FALSE(inv.empty()) << "left as it was";
    // 255 instances on the sheet: with the new IC one more than an IC may hold.
    SetICDefinitionName("GROSS");
    gICInstances.resize(256);
    for (std::size_t i = 4; i < 256; ++i)
        gICInstances[i].Name = "inv";
    gICInstanceMax = 255;
    host.messages.clear();
    EXPECT_FALSE(SaveICDefinition());
    EXPECT_NE(LastMessage().find("mehr als 255"), std::string::npos);
}

TEST_F(ICDefinitionModeTest, AnExistingICIsReplacedOnlyAfterAQuestion) {
    WriteBytes(dir.File("INV1.icd"), "alt");
    NameAndPlace();
    host.messageAnswers = {MsgResult::No};
    EXPECT_FALSE(SaveICDefinition());
    EXPECT_EQ(host.messages.back().buttons, MsgButtons::YesNo);
    EXPECT_NE(host.messages.back().text.find("existiert bereits"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir.File("INV1.icd")), "alt");
    host.messageAnswers = {MsgResult::Yes};
    EXPECT_TRUE(SaveICDefinition());
    EXPECT_NE(ReadBytes(dir.File("INV1.icd")), "alt");
}

TEST_F(ICDefinitionModeTest, ASavedDefinitionStaysChosenForPlacingAfterTheView) {
    NameAndPlace();
    ASSERT_TRUE(SaveICDefinition());
    CloseICView();
    EXPECT_EQ(gICName, "INV1");
    EXPECT_EQ(gICBreite, 7);
    EXPECT_EQ(gICHoehe, 4);
    FreshSheet(30, 20);
    EXPECT_NE(PlaceIC("INV1", 5, 5), 0) << "the new IC can be placed at once";
}

} // namespace
} // namespace kardo::test
