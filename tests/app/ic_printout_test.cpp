// The printout of the ICs a circuit uses: which ICs, their definition sheets put on the worksheet
// with the circuit's grid kept in the move buffer, the sheet drawn with its pin names and title,
// and the circuit put back exactly; a missing or faulty definition leaves everything as it was.
#include "app/ic_printout.h"
#include "app/settings.h"
#include "editor/area_select.h"
#include "model/codes.h"
#include "model/ic_instances.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/ic_circuits.h"
#include "support/ic_files.h"

#include <algorithm>
#include <filesystem>

namespace kardo::test {
namespace {

// Everything of the circuit that a definition sheet takes the place of.
struct CircuitState {
    std::int16_t breite = 0;
    std::int16_t hoehe = 0;
    Grid grid;
    std::vector<ElementRecord> elements;
    std::int16_t anzElemente = 0;
    std::vector<ICInstanceRecord> instances;
    std::int16_t anzInstances = 0;
    std::int16_t instanceMax = 0;
    std::vector<Grid> levelGrids;
    std::vector<std::string> undoLines;
    bool operator==(const CircuitState&) const = default;

    static CircuitState Now() {
        CircuitState s{gFeldBreite,  gFeldHoehe,      gGrid,          gElements, gAnzElemente,
                       gICInstances, gAnzICInstances, gICInstanceMax, {},        {}};
        for (const SimLevelRecord& level : gLevels)
            s.levelGrids.push_back(level.Feld);
        gUndo.ListUndos(s.undoLines);
        return s;
    }
};

class ICPrintoutTest : public CoreFixture {
  protected:
    ICPrintoutTest() {
        gVerzeichnisse[1] = dir.Path() + "/";
        WriteInverterICs(gVerzeichnisse[1]);
        // A circuit of two inv, one inv2 and a wire.
        FreshSheet(30, 12);
        EXPECT_NE(PlaceIC("inv", 2, 2), 0);
        EXPECT_NE(PlaceIC("inv2", 8, 2), 0);
        EXPECT_NE(PlaceIC("inv", 2, 7), 0);
        EXPECT_TRUE(LayRecordedWire(15, 10, 25, 10));
    }
    TempDir dir;
};

TEST_F(ICPrintoutTest, EachICPlacedInTheCircuitIsUsedOnceInTheOrderPlaced) {
    EXPECT_EQ(UsedICNames(), (std::vector<std::string>{"inv", "inv2"}));
    FreshSheet(10, 10);
    EXPECT_TRUE(UsedICNames().empty());
}

TEST_F(ICPrintoutTest, TheDefinitionStandsOnTheSheetAndTheCircuitComesBackExactly) {
    const CircuitState before = CircuitState::Now();
    ASSERT_FALSE(before.undoLines.empty());
    {
        ICDefinitionSheet sheet;
        std::string problem;
        ASSERT_TRUE(sheet.Load("inv2", problem)) << problem;
        EXPECT_TRUE(problem.empty());
        // The circuit's grid is kept in the move buffer.
        EXPECT_EQ(gPuffer, before.grid);
        EXPECT_EQ(gPufferX, before.grid.UBoundX());
        EXPECT_EQ(gPufferY, before.grid.UBoundY());
        // The definition's sheet with its two nested inverters.
        EXPECT_EQ(gFeldBreite, 12);
        EXPECT_EQ(gFeldHoehe, 6);
        EXPECT_EQ(gAnzICInstances, 2);
        EXPECT_EQ(gICInstances[1].Name, "inv");
        EXPECT_NE(CircuitState::Now(), before);
        sheet.Print(printer, 2.0f);
    }
    EXPECT_EQ(CircuitState::Now(), before);
}

TEST_F(ICPrintoutTest, TheSheetIsDrawnWithItsPinNamesAndTitle) {
    ICDefinitionSheet sheet;
    std::string problem;
    ASSERT_TRUE(sheet.Load("inv", problem)) << problem;
    printer.ClearLog();
    sheet.Print(printer, 2.0f);
    std::vector<std::string> texts;
    for (const DrawCall& call : printer.CallsOf(DrawOp::Print))
        texts.push_back(call.text);
    for (const char* text : {"[E]", "[A]", "IC: inv"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
    // The inverter of the definition itself is drawn: its body is a box.
    EXPECT_FALSE(printer.CallsOf(DrawOp::Box).empty());
    // The title lies above the sheet, the pin names on it.
    for (const DrawCall& call : printer.CallsOf(DrawOp::Print)) {
        if (call.text == "IC: inv") {
            EXPECT_LT(call.currentY, 0);
            EXPECT_TRUE(call.fontBold);
        } else if (call.text == "[E]") {
            // Left of its wire end in column 1, whose centre lies at 2 x 14 x 1.5 pixels.
            EXPECT_GT(call.currentY, 0);
            EXPECT_LT(call.currentX, 42.0 - 14.0);
        }
    }
    EXPECT_EQ(gGrafik.Device, &screen);
}

struct FaultCase {
    const char* tag;       // what is wrong
    const char* file;      // bytes of inv.icd; nullptr: the file is removed
    const char* mentioned; // part of the reason
};

TEST_F(ICPrintoutTest, AMissingOrFaultyDefinitionIsRefusedWithItsReasonAndChangesNothing) {
    const FaultCase cases[] = {
        {"missing", nullptr, "ist im IC-Ordner nicht vorhanden"},
        {"empty", "", "keine IC-Definition"},
        {"no circuit", "Hallo\r\n", "keine IC-Definition"},
        {"faulty", "[Name]\r\ninv\r\n[Punkte]\r\n1\r\n", "Zeile"},
    };
    const CircuitState before = CircuitState::Now();
    const std::string path = gVerzeichnisse[1] + "inv.icd";
    for (const FaultCase& c : cases) {
        std::filesystem::remove(path);
        if (c.file != nullptr)
            WriteBytes(path, c.file);
        ICDefinitionSheet sheet;
        std::string problem;
        EXPECT_FALSE(sheet.Load("inv", problem)) << c.tag;
        EXPECT_NE(problem.find("Das IC \"inv\""), std::string::npos) << c.tag << ": " << problem;
        EXPECT_NE(problem.find(c.mentioned), std::string::npos) << c.tag << ": " << problem;
        EXPECT_EQ(CircuitState::Now(), before) << c.tag;
    }
    // inv2 needs inv, which is faulty now.
    ICDefinitionSheet sheet;
    std::string problem;
    EXPECT_FALSE(sheet.Load("inv2", problem));
    EXPECT_EQ(CircuitState::Now(), before);
}

TEST_F(ICPrintoutTest, NoDefinitionTakesThePlaceOfACircuitThatIsOn) {
    const CircuitState before = CircuitState::Now();
    gPowerOn = true;
    ICDefinitionSheet sheet;
    std::string problem;
    EXPECT_FALSE(sheet.Load("inv", problem));
    gPowerOn = false;
    EXPECT_EQ(CircuitState::Now(), before);
}

} // namespace
} // namespace kardo::test
