// Circuit files with ICs: loading with nested ICs, the existence check with copying from the
// circuit's folder, refusal of definitions whose package or pins changed, use of a changed
// inner circuit, the swap only on success, and saving with the used definitions.
#include "app/main_state.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "files/circuit_ics.h"
#include "files/ic_instances.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/sim_blocks.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace kardo {
namespace {

constexpr GridPoint kSwitch{2, 5};
constexpr GridPoint kLed{20, 5};

// What a refused load must leave as it was, the ICs included.
struct Sheet {
    Grid grid;
    std::vector<ElementRecord> elements;
    std::vector<ICInstanceRecord> instances;
    std::size_t levels = 0;
    std::int16_t max = 0;
    bool operator==(const Sheet&) const = default;
};
Sheet Capture() { return {gGrid, gElements, gICInstances, gLevels.size(), gICInstanceMax}; }

class CircuitICsTest : public test::CoreFixture {
  protected:
    CircuitICsTest() {
        gAktiviert = 1;
        gVerzeichnisse[1] = ics.Path() + "/";
        test::WriteBytes(circuits.File("zwei_ics.kdx"),
                         test::ReadBytes(test::DataFile("zwei_ics.kdx")));
    }
    // Copies fixture file into folder as name.icd.
    static void Install(const test::TempDir& folder, std::string_view file, std::string_view name) {
        test::WriteBytes(folder.File(std::string(name) + ".icd"),
                         test::ReadBytes(test::DataFile(file)));
    }
    FileOutcome Load() { return LoadFile(circuits.File("zwei_ics.kdx")); }
    test::TempDir ics;
    test::TempDir circuits;
};

TEST_F(CircuitICsTest, ACircuitWithNestedICsLoadsAndSimulates) {
    Install(ics, "inv.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success) << (host.messages.empty() ? "" : host.messages[0].text);
    ASSERT_EQ(gICInstanceMax, 4);
    ASSERT_EQ(gLevels.size(), 5u);
    const char* names[] = {"", "inv2", "inv", "inv", "inv"};
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(gICInstances[static_cast<std::size_t>(i)].Name, names[i]);
    EXPECT_EQ(gGrid(5, 5).ICLevel, 1);
    EXPECT_EQ(gGrid(17, 5).ICLevel, 4) << "the second IC follows the first with its nesting";
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshLevelTree()"), host.log.end());

    PowerOnOff();
    ASSERT_TRUE(gPowerOn);
    // Two inverters, then one: the LED shows the switch inverted.
    EXPECT_EQ(test::LiveAt(kLed), 1);
    test::ClickCell(kSwitch);
    EXPECT_EQ(test::LiveAt(kLed), 0);
    test::ClickCell(kSwitch);
    EXPECT_EQ(test::LiveAt(kLed), 1);
    EXPECT_FALSE(gAbgebrochen);
}

TEST_F(CircuitICsTest, SavingAndLoadingAgainGivesTheSameCircuit) {
    Install(ics, "inv.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success);
    const Sheet loaded = Capture();
    ASSERT_EQ(SaveFileTo(circuits.File("nochmal.kdx")), FileOutcome::Success);
    ASSERT_EQ(LoadFile(circuits.File("nochmal.kdx")), FileOutcome::Success);
    EXPECT_EQ(Capture(), loaded);
}

TEST_F(CircuitICsTest, AChangedPackageOrPinLayoutRefusesTheLoad) {
    Install(ics, "inv2.icd", "inv2");
    const struct {
        const char* file;
        const char* text;
    } cases[] = {
        {"inv_package_changed_bad.icd", "IC \"inv\" (Element 1): das Gehäuse hat nicht mehr die "
                                        "Größe der Definition (4 x 3 Zellen)."},
        {"inv_pins_changed_bad.icd", "IC \"inv\" (Element 1): Anschluss 2 (A) liegt nicht mehr "
                                     "dort, wo die Definition ihn vorsieht."},
        {"inv_pin_added_bad.icd", "IC \"inv\" (Element 1): die Zahl der Anschlüsse am Gehäuse "
                                  "hat sich geändert (Schaltung: 2, Definition: 3)."},
    };
    for (const auto& c : cases) {
        Install(ics, c.file, "inv");
        host.messages.clear();
        const Sheet before = Capture();
        EXPECT_EQ(Load(), FileOutcome::Failed) << c.file;
        ASSERT_EQ(host.messages.size(), 1u) << c.file;
        const test::ShownMessage& m = host.messages[0];
        EXPECT_EQ(m.title, "IC-Fehler");
        // inv2 holds two inv: the first place the change shows is named.
        EXPECT_EQ(m.text.rfind("Das IC \"inv2\" kann nicht geladen werden.\r\nDatei: " +
                                   ics.File("inv2.icd") + "\r\nZeile 42: ",
                               0),
                  0u)
            << m.text;
        EXPECT_NE(m.text.find(c.text), std::string::npos) << c.file << ": " << m.text;
        EXPECT_EQ(Capture(), before) << c.file;
    }
}

TEST_F(CircuitICsTest, AnICOfTheCircuitItselfIsCheckedToo) {
    Install(ics, "inv.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success);
    // The circuit holds inv2 and, as element 2, an inv of its own; inv2 stays sound when its
    // inner ICs are taken from a copy of the old inv.
    std::string inv2 = test::ReadBytes(ics.File("inv2.icd"));
    inv2.replace(inv2.find("inv;1;"), 6, "alt;1;");
    inv2.replace(inv2.find("inv;2;"), 6, "alt;2;");
    test::WriteBytes(ics.File("inv2.icd"), inv2);
    Install(ics, "inv.icd", "alt");
    Install(ics, "inv_pins_changed_bad.icd", "inv");
    const Sheet before = Capture();
    EXPECT_EQ(Load(), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Das IC \"inv\" kann nicht geladen werden.\r\nDatei: " + ics.File("inv.icd") +
                  "\r\nElement 2 der Schaltung: Anschluss 2 (A) liegt nicht mehr dort, wo die "
                  "Definition ihn vorsieht.");
    EXPECT_EQ(Capture(), before);
}

TEST_F(CircuitICsTest, AChangedInnerCircuitIsSimplyUsed) {
    Install(ics, "inv_inner_changed.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success);
    PowerOnOff();
    // Every "inverter" is a plain wire now: the LED follows the switch.
    EXPECT_EQ(test::LiveAt(kLed), 0);
    test::ClickCell(kSwitch);
    EXPECT_EQ(test::LiveAt(kLed), 1);
}

TEST_F(CircuitICsTest, ARefusedLoadKeepsTheCircuitAndItsICs) {
    Install(ics, "inv.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success);
    const Sheet before = Capture();
    Install(ics, "inv_package_changed_bad.icd", "inv");
    EXPECT_EQ(Load(), FileOutcome::Failed);
    EXPECT_EQ(Capture(), before);
}

TEST_F(CircuitICsTest, MissingDefinitionsAreListedNestedOnesOncePerPlace) {
    Install(ics, "inv2.icd", "inv2");
    EXPECT_FALSE(CheckICsExist({"inv2", "inv2"}, gVerzeichnisse[1], ""));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "IC-Fehler");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(host.messages[0].text, "Folgende ICs wurden nicht gefunden:\r\n - inv\r\n - inv\r\n");
    // A missing top-level IC is reported without looking into the others.
    host.messages.clear();
    EXPECT_FALSE(CheckICsExist({"inv2", "fehlt"}, gVerzeichnisse[1], ""));
    EXPECT_EQ(host.messages[0].text, "Folgende ICs wurden nicht gefunden:\r\n - fehlt\r\n");
    EXPECT_NE(std::find(host.log.begin(), host.log.end(), "RefreshICLists()"), host.log.end());
}

TEST_F(CircuitICsTest, DefinitionsBesideTheCircuitAreCopiedIntoTheICFolder) {
    Install(circuits, "inv.icd", "inv");
    Install(circuits, "inv2.icd", "inv2");
    // A definition already in the IC folder is used, not replaced.
    Install(ics, "inv_inner_changed.icd", "inv");
    ASSERT_EQ(Load(), FileOutcome::Success);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(test::ReadBytes(ics.File("inv2.icd")), test::ReadBytes(test::DataFile("inv2.icd")));
    EXPECT_EQ(test::ReadBytes(ics.File("inv.icd")),
              test::ReadBytes(test::DataFile("inv_inner_changed.icd")));
    EXPECT_EQ(test::CountEntries(ics.Path()), 2);
}

TEST_F(CircuitICsTest, AFailedCopyIsReportedAndStopsTheLoad) {
    Install(circuits, "inv.icd", "inv");
    Install(circuits, "inv2.icd", "inv2");
    gVerzeichnisse[1] = ics.File("gibt_es_nicht") + "/";
    const Sheet before = Capture();
    EXPECT_EQ(Load(), FileOutcome::Failed);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Dateifehler");
    EXPECT_NE(host.messages[0].text.find("konnte nicht in den IC-Ordner kopiert werden"),
              std::string::npos)
        << host.messages[0].text;
    EXPECT_EQ(Capture(), before);
}

TEST_F(CircuitICsTest, SavingWithTheICsCopiesNestedDefinitionsToo) {
    Install(ics, "inv.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success);
    test::TempDir target;
    test::WriteBytes(target.File("inv.icd"), "schon da");
    gICsMitSpeichern = true;
    ASSERT_EQ(SaveFileTo(target.File("kopie.kdx")), FileOutcome::Success);
    EXPECT_EQ(test::ReadBytes(target.File("inv2.icd")), test::ReadBytes(ics.File("inv2.icd")));
    EXPECT_EQ(test::ReadBytes(target.File("inv.icd")), "schon da");
    EXPECT_EQ(test::CountEntries(target.Path()), 3);
}

TEST_F(CircuitICsTest, SuchACircuitOpensWithAnEmptyICFolder) {
    Install(ics, "inv.icd", "inv");
    Install(ics, "inv2.icd", "inv2");
    ASSERT_EQ(Load(), FileOutcome::Success);
    test::TempDir elsewhere;
    gICsMitSpeichern = true;
    ASSERT_EQ(SaveFileTo(elsewhere.File("weiter.kdx")), FileOutcome::Success);
    test::TempDir emptyICs;
    gVerzeichnisse[1] = emptyICs.Path() + "/";
    ASSERT_EQ(LoadFile(elsewhere.File("weiter.kdx")), FileOutcome::Success);
    EXPECT_EQ(gICInstanceMax, 4);
    EXPECT_EQ(test::CountEntries(emptyICs.Path()), 2);
}

} // namespace
} // namespace kardo
