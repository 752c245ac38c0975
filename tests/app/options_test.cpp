// The options without their dialog: current values, checks in dialog order, the port address,
// and applying them to the globals, the undo history and the settings store.
#include "app/options.h"
#include "app/password.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "model/undo.h"
#include "platform/ini_settings_store.h"
#include "simulation/sim_core.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"
#include "support/fake_settings.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class OptionsTest : public test::CoreFixture {
  protected:
    OptionsTest() {
        platform.settings = &settings;
        gRegRoot = SettingsRoot::User;
        for (std::size_t i = 0; i < 3; ++i)
            gVerzeichnisse[i] = dir.Path() + "/";
    }
    test::FakeSettings settings; // settings store
    test::TempDir dir;           // an existing folder
};

TEST_F(OptionsTest, TheDialogStartsWithTheValuesInForce) {
    gUndoSteps = 25;
    gMaxRunden = 3000;
    gScroll = false;
    gICsMitSpeichern = true;
    gBauteilRechte[kRechtIC] = false;
    gFunktionRechte[kRechtDrucken] = false;
    gPortAccessEnabled = true;
    gPortAccessPortAddress = 0x3BC;
    const OptionValues v = CurrentOptions();
    EXPECT_EQ(v.undoSteps, 25);
    EXPECT_EQ(v.maxRunden, 3000);
    EXPECT_FALSE(v.scroll);
    EXPECT_TRUE(v.icsMitSpeichern);
    EXPECT_EQ(v.folders[2], dir.Path() + "/");
    EXPECT_FALSE(v.bauteile[kRechtIC]);
    EXPECT_FALSE(v.funktionen[kRechtDrucken]);
    EXPECT_TRUE(v.portEnabled);
    EXPECT_EQ(v.portAddress, "3BC");
}

TEST_F(OptionsTest, PortAddressesAreHexadecimalFrom1ToFFFF) {
    const std::pair<const char*, std::optional<int>> cases[] = {{"378", 0x378},
                                                                {"ffff", 0xFFFF},
                                                                {"FFFF", 0xFFFF},
                                                                {" 1 ", 1},
                                                                {"&H378", 0x378},
                                                                {"0x3bc", 0x3BC},
                                                                {"0", std::nullopt},
                                                                {"10000", std::nullopt},
                                                                {"", std::nullopt},
                                                                {"37G", std::nullopt},
                                                                {"-1", std::nullopt},
                                                                {"&H", std::nullopt},
                                                                {"FFFFFFFFF", std::nullopt}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ParsePortAddress(text), value) << text;
    EXPECT_EQ(PortAddressText(888), "378");
    EXPECT_EQ(PortAddressText(0xFFFF), "FFFF");
}

TEST_F(OptionsTest, TheFirstProblemIsReportedWithItsControl) {
    const OptionValues good = CurrentOptions();
    EXPECT_FALSE(CheckOptions(good));

    struct Case {
        void (*spoil)(OptionValues&);
        OptionField field;
    };
    const Case cases[] = {
        {[](OptionValues& v) { v.undoSteps = 0; }, OptionField::UndoSteps},
        {[](OptionValues& v) { v.undoSteps = 100; }, OptionField::UndoSteps},
        {[](OptionValues& v) { v.maxRunden = 249; }, OptionField::MaxRunden},
        {[](OptionValues& v) { v.maxRunden = 5001; }, OptionField::MaxRunden},
        {[](OptionValues& v) { v.folders[0] = "/gibt/es/nicht"; }, OptionField::Folder0},
        {[](OptionValues& v) { v.folders[1] = ""; }, OptionField::Folder1},
        {[](OptionValues& v) { v.folders[2] = "/gibt/es/nicht/"; }, OptionField::Folder2},
        {[](OptionValues& v) { v.portAddress = "xyz"; }, OptionField::PortAddress},
        // Two problems: the earlier control is named.
        {[](OptionValues& v) {
             v.portAddress = "0";
             v.maxRunden = 1;
         },
         OptionField::MaxRunden},
    };
    for (const Case& c : cases) {
        OptionValues v = good;
        c.spoil(v);
        const auto problem = CheckOptions(v);
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->field, c.field);
        EXPECT_FALSE(problem->message.empty());
    }
    OptionValues missing = good;
    missing.folders[0] = "/gibt/es/nicht";
    EXPECT_EQ(CheckOptions(missing)->message, "Das Verzeichnis\r\n/gibt/es/nicht\r\nkonnte nicht "
                                              "gefunden werden!\r\nBitte wählen Sie ein "
                                              "vorhandenes Verzeichnis.");
}

TEST_F(OptionsTest, ApplyingSetsTheGlobalsTheUndoDepthAndWritesTheStore) {
    test::TempDir other;
    OptionValues v = CurrentOptions();
    v.undoSteps = 3;
    v.maxRunden = 250;
    v.scroll = false;
    v.icsMitSpeichern = true;
    v.folders[1] = other.Path(); // without its "/"
    v.bauteile[kRechtUnd] = false;
    v.funktionen[kRechtBitmap] = false;
    v.portEnabled = true;
    v.portAddress = "3bc";
    gPasswort = "pw";
    ASSERT_TRUE(ApplyOptions(v));
    EXPECT_EQ(gUndoSteps, 3);
    EXPECT_EQ(gUndo.Undos(), 3);
    EXPECT_EQ(gMaxRunden, 250);
    EXPECT_FALSE(gScroll);
    EXPECT_TRUE(gICsMitSpeichern);
    EXPECT_EQ(gVerzeichnisse[1], other.Path() + "/");
    EXPECT_FALSE(gBauteilRechte[kRechtUnd]);
    EXPECT_FALSE(gFunktionRechte[kRechtBitmap]);
    EXPECT_TRUE(gPortAccessEnabled);
    EXPECT_EQ(gPortAccessPortAddress, 0x3BC);

    const auto& stored = settings.Flushed(SettingsRoot::User);
    EXPECT_EQ(stored.at("DummyUndo"), "3");
    EXPECT_EQ(stored.at("AutoStop"), "250");
    EXPECT_EQ(stored.at("Verzeichnis1"), other.Path() + "/");
    EXPECT_EQ(stored.at("PortAccessPortAddress"), std::to_string(0x3BC));
    const auto lock = DecodePermissions(stored.at("Permissions"));
    ASSERT_TRUE(lock);
    EXPECT_FALSE(lock->bauteile[kRechtUnd]);
    EXPECT_FALSE(lock->funktionen[kRechtBitmap]);
    EXPECT_EQ(lock->passwort, "pw");
}

TEST_F(OptionsTest, AnUnwritableStoreKeepsTheValuesForTheRun) {
    settings.failFlush = true;
    OptionValues v = CurrentOptions();
    v.undoSteps = 7;
    EXPECT_FALSE(ApplyOptions(v));
    EXPECT_EQ(gUndoSteps, 7);
    EXPECT_EQ(gUndo.Undos(), 7);
}

TEST_F(OptionsTest, TheUnwritableMessageNamesTheSettingsFile) {
    // A file stands where the settings folder should be, so nothing can be written.
    test::WriteBytes(dir.File("blockiert"), "");
    IniSettingsStore ini({dir.File("blockiert") + "/Kardo.ini", dir.File("system.ini")});
    platform.settings = &ini;
    EXPECT_EQ(SettingsFileName(), dir.File("blockiert") + "/Kardo.ini");
    EXPECT_FALSE(ApplyOptions(CurrentOptions()));
    ReportUnwritableSettings();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Die Einstellungen konnten nicht in die Datei\r\n" +
                                         dir.File("blockiert") +
                                         "/Kardo.ini\r\ngeschrieben werden: ein Teil des Pfades "
                                         "ist kein Ordner.\r\nSie gelten nur bis zum Ende dieser "
                                         "Sitzung.");
    gRegRoot = SettingsRoot::System;
    EXPECT_EQ(SettingsFileName(), dir.File("system.ini"));
}

} // namespace
} // namespace kardo
