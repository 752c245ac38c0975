// LoadSettings and SaveSettings: value names, round trip, damaged values, the chosen root.
#include "app/main_state.h"
#include "app/settings.h"
#include "render/view.h"
#include "simulation/sim_core.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using SettingsTest = test::AppFixture;

void DirtyEverySetting() {
    gUndoSteps = 42;
    gScroll = false;
    gMaxRunden = 2500;
    gAnzImpulse = 7;
    gShowGrid = false;
    gVerzeichnisse = {"/a/", "/b/", "/c/"};
    gICAuswahlVisible = true;
    gICAuswahlPlacement = {100, -200, 3000, 4000};
    gPanelVisible = {0, 1, -1, 0, 1};
    gICsMitSpeichern = true;
    gLastFiles = {"/x/1.kdx", "/x/2.kdx", "", "/x/4.kdx"};
    gPortAccessEnabled = true;
    gPortAccessPortAddress = 0x278;
}

TEST_F(SettingsTest, EverySettingSurvivesSaveAndLoad) {
    DirtyEverySetting();
    ASSERT_TRUE(SaveSettings());
    EXPECT_EQ(settings.flushes, 1);

    InitProgramState();
    ASSERT_EQ(gUndoSteps, 10);
    LoadSettings();
    EXPECT_EQ(gUndoSteps, 42);
    EXPECT_FALSE(gScroll);
    EXPECT_EQ(gMaxRunden, 2500);
    EXPECT_EQ(gAnzImpulse, 7);
    EXPECT_FALSE(gShowGrid);
    EXPECT_EQ(gVerzeichnisse, (std::array<std::string, 3>{"/a/", "/b/", "/c/"}));
    EXPECT_TRUE(gICAuswahlVisible);
    EXPECT_EQ(gICAuswahlPlacement, (WindowPlacement{100, -200, 3000, 4000}));
    EXPECT_EQ(gPanelVisible, (std::array<std::int16_t, 5>{0, 1, -1, 0, 1}));
    EXPECT_TRUE(gICsMitSpeichern);
    EXPECT_EQ(gLastFiles[0], "/x/1.kdx");
    EXPECT_EQ(gLastFiles[2], "");
    EXPECT_EQ(gLastFiles[3], "/x/4.kdx");
    EXPECT_TRUE(gPortAccessEnabled);
    EXPECT_EQ(gPortAccessPortAddress, 0x278);
}

TEST_F(SettingsTest, ValueNamesAndTextsAreThoseOfTheProgramKey) {
    DirtyEverySetting();
    ASSERT_TRUE(SaveSettings());
    const auto& v = settings.Flushed(SettingsRoot::User);
    const std::pair<const char*, const char*> expected[] = {
        {"DummyUndo", "42"},
        {"Scroll", "0"},
        {"AutoStop", "2500"},
        {"AnzImpulse", "7"},
        {"ShowGrid", "0"},
        {"Verzeichnis0", "/a/"},
        {"Verzeichnis1", "/b/"},
        {"Verzeichnis2", "/c/"},
        {"frmICAuswahlVisible", "-1"},
        {"frmICAuswahlX", "100"},
        {"frmICAuswahlY", "-200"},
        {"frmICAuswahlWidth", "3000"},
        {"frmICAuswahlHeight", "4000"},
        {"PanelVisible0", "0"},
        {"PanelVisible1", "1"},
        {"PanelVisible2", "-1"},
        {"PanelVisible3", "0"},
        {"PanelVisible4", "1"},
        {"SaveICsWithFile", "-1"},
        {"LastFile0", "/x/1.kdx"},
        {"LastFile2", ""},
        {"PortAccessEnabled", "-1"},
        {"PortAccessPortAddress", "632"},
    };
    for (const auto& [name, text] : expected) {
        ASSERT_TRUE(v.count(name)) << name;
        EXPECT_EQ(v.at(name), text) << name;
    }
    EXPECT_TRUE(settings.Flushed(SettingsRoot::System).empty());
}

TEST_F(SettingsTest, SavesUnderTheChosenRoot) {
    gRegRoot = SettingsRoot::System;
    gUndoSteps = 5;
    ASSERT_TRUE(SaveSettings());
    gRegRoot = SettingsRoot::User;
    EXPECT_EQ(settings.Get(SettingsRoot::System, "DummyUndo"), "5");
    EXPECT_FALSE(settings.Get(SettingsRoot::User, "DummyUndo").has_value());
}

TEST_F(SettingsTest, MissingOrDamagedValuesKeepTheDefaults) {
    struct Case {
        const char* name; // value name
        const char* text; // stored text
    };
    const Case cases[] = {
        {"DummyUndo", "0"},      {"DummyUndo", "100"},  {"DummyUndo", "zehn"},
        {"AutoStop", "10"},      {"AutoStop", "99999"}, {"PanelVisible1", "2"},
        {"PanelVisible1", "-5"}, {"Scroll", "ja"},      {"PortAccessPortAddress", "-1"},
        {"AnzImpulse", ""},
    };
    for (const Case& c : cases) {
        InitProgramState();
        gMaxRunden = 1000;
        settings.Set(SettingsRoot::User, c.name, c.text);
        LoadSettings();
        EXPECT_EQ(gUndoSteps, 10) << c.name << "=" << c.text;
        EXPECT_EQ(gMaxRunden, 1000) << c.name << "=" << c.text;
        EXPECT_EQ(gPanelVisible[1], -1) << c.name << "=" << c.text;
        EXPECT_TRUE(gScroll) << c.name << "=" << c.text;
        EXPECT_EQ(gPortAccessPortAddress, 888) << c.name << "=" << c.text;
        EXPECT_EQ(gAnzImpulse, 50) << c.name << "=" << c.text;
        settings.Erase(SettingsRoot::User, c.name);
    }
}

TEST_F(SettingsTest, AFailedWriteIsReported) {
    settings.failFlush = true;
    EXPECT_FALSE(SaveSettings());
    EXPECT_EQ(settings.FlushProblem(), "Zugriff verweigert");
}

TEST_F(SettingsTest, ResetRestoresEveryDefaultButTheRoot) {
    DirtyEverySetting();
    gRegRoot = SettingsRoot::System;
    gBasisPersoenlich = "/p/";
    gBasisGemeinsam = "/g/";
    gStandardVerzeichnis = "/s/";
    ResetSettings();
    EXPECT_EQ(gRegRoot, SettingsRoot::System);
    gRegRoot = SettingsRoot::User;
    EXPECT_EQ(gUndoSteps, 10);
    EXPECT_TRUE(gScroll);
    EXPECT_EQ(gAnzImpulse, 50);
    EXPECT_EQ(gVerzeichnisse, (std::array<std::string, 3>{}));
    EXPECT_FALSE(gICAuswahlVisible);
    EXPECT_EQ(gICAuswahlPlacement, WindowPlacement{});
    EXPECT_EQ(gPanelVisible, (std::array<std::int16_t, 5>{-1, -1, 0, -1, 0}));
    EXPECT_FALSE(gICsMitSpeichern);
    EXPECT_EQ(gLastFiles, (std::array<std::string, 4>{}));
    EXPECT_FALSE(gPortAccessEnabled);
    EXPECT_EQ(gPortAccessPortAddress, 888);
    EXPECT_EQ(gBasisPersoenlich, "");
    EXPECT_EQ(gBasisGemeinsam, "");
    EXPECT_EQ(gStandardVerzeichnis, "");
}

TEST_F(SettingsTest, MainStateResetsToUnchangedAndNotActivated) {
    gUnveraendert = false;
    gAktiviert = 1;
    gICName = "Zaehler";
    LadeDatei = "/x.kdx";
    InitProgramState();
    EXPECT_TRUE(gUnveraendert);
    EXPECT_EQ(gAktiviert, 0);
    EXPECT_EQ(gICName, "");
    // The command-line file is handed over before the load's reset and survives it.
    EXPECT_EQ(LadeDatei, "/x.kdx");
    MarkCircuitChanged();
    EXPECT_FALSE(gUnveraendert);
}

} // namespace
} // namespace kardo
