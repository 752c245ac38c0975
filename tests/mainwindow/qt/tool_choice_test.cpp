// Tool choice through the element toolbar, the element menu and the complex-element list: the
// tool code, the one pressed key, the checked menu entry, the tool name and the property
// sections, for every key and every menu entry.
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "mainwindow/tool_table.h"
#include "model/block_elements.h"
#include "model/codes.h"
#include "model/placement.h"
#include "model/utilities.h"
#include "support/qt/main_window_fixture.h"

#include <fstream>

#include <QAction>
#include <QComboBox>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ToolChoiceTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }

    void Click(std::string_view key) {
        auto* a = qobject_cast<QAction*>(W().FindControl(key));
        ASSERT_NE(a, nullptr) << key;
        ASSERT_TRUE(a->isEnabled()) << key;
        a->trigger();
    }

    std::vector<std::string> PressedKeys() {
        std::vector<std::string> keys;
        for (std::string_view k : kToolbar2Keys)
            if (W().IsChecked(k))
                keys.emplace_back(k);
        return keys;
    }
    std::vector<int> CheckedEntries() {
        std::vector<int> entries;
        for (int i = 1; i <= 25; ++i)
            if (W().IsChecked("mBauteil_" + std::to_string(i)))
                entries.push_back(i);
        return entries;
    }

    // Everything a choice of row must have left behind.
    void ExpectChosen(const ToolChoice& row, const std::string& context) {
        SCOPED_TRACE(context);
        EXPECT_EQ(gMouseMode, row.tool);
        EXPECT_EQ(PressedKeys(), std::vector<std::string>{std::string(row.key)});
        EXPECT_EQ(CheckedEntries(),
                  row.menu == 0 ? std::vector<int>{} : std::vector<int>{row.menu});
        EXPECT_EQ(W().Caption("lblAktElement"), row.name);
        EXPECT_EQ(gPropertyFlags, SectionFlags(row.sections));
        EXPECT_EQ(W().IsVisible("picOrientation"), (row.sections & kSecOrientation) != 0);
        EXPECT_EQ(W().IsVisible("picAnschlüsse"), (row.sections & kSecInput) != 0);
        EXPECT_EQ(W().IsVisible("picEigenschaft_2"), (row.sections & kSecNormal) != 0);
        EXPECT_EQ(W().IsVisible("picEigenschaft_0"), (row.sections & kSecIC) != 0);
        EXPECT_EQ(W().IsVisible("picEigenschaft_1"), (row.sections & kSecColors) != 0);
        EXPECT_EQ(W().IsVisible("picEigenschaft_4"), (row.sections & kSecTakt) != 0);
        EXPECT_EQ(W().IsVisible("picKomplex"), IsKomplexTool(row.tool));
    }
};

TEST_F(ToolChoiceTest, EveryElementKey) {
    for (const ToolChoice& row : kToolChoices) {
        if (row.key == "cmdIC")
            continue; // needs IC files: own test
        if (!row.komplex.empty()) {
            auto* list = W().findChild<QComboBox*>("cmbKomplex");
            list->setCurrentText(
                QString::fromUtf8(row.komplex.data(), static_cast<qsizetype>(row.komplex.size())));
        }
        Click(row.key);
        ExpectChosen(row, std::string(row.key) + " " + std::string(row.komplex));
        // The orientation keys follow the tool when it comes from the toolbar.
        EXPECT_EQ(W().IsEnabled("tlbOrientation_1"), !ToolWithoutOrientationKeys(row.tool))
            << row.key;
        EXPECT_EQ(W().IsEnabled("cmdUnten"), !ToolWithoutOrientationKeys(row.tool)) << row.key;
    }
}

// The number display has one fixed shape: its tool disables the four orientation keys, which
// a tool with orientations enables again.
TEST_F(ToolChoiceTest, TheNumberDisplayToolDisablesTheOrientationKeys) {
    auto* list = W().findChild<QComboBox*>("cmbKomplex");
    for (const auto& [komplex, enabled] :
         {std::pair{"Multiplexer", true}, {"Ziffernanzeige", false}, {"Multiplexer", true}}) {
        list->setCurrentText(QString::fromUtf8(komplex));
        Click("cmdKomplex");
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(W().IsEnabled("tlbOrientation_" + std::to_string(i)), enabled)
                << komplex << " key " << i;
    }
    EXPECT_FALSE(ToolWithoutOrientationKeys(kTypeMultiplexer));
    EXPECT_TRUE(ToolWithoutOrientationKeys(kTypeNumberDisplay));
}

TEST_F(ToolChoiceTest, EveryMenuEntry) {
    for (int i = 1; i <= 24; ++i) {
        if (IsBauteilSeparator(i))
            continue;
        const ToolChoice* row = ChoiceByMenu(i);
        ASSERT_NE(row, nullptr) << i;
        Click("mBauteil_" + std::to_string(i));
        ExpectChosen(*row, "mBauteil_" + std::to_string(i));
        if (!row->komplex.empty()) {
            EXPECT_EQ(W().Caption("cmbKomplex"), row->komplex);
        }
    }
}

TEST_F(ToolChoiceTest, TheComplexKeyWithAnEmptyListTextTakesTheFirstEntry) {
    auto* list = W().findChild<QComboBox*>("cmbKomplex");
    ASSERT_EQ(list->currentText(), "");
    ASSERT_EQ(list->count(), 5);
    Click("cmdKomplex");
    ExpectChosen(*ChoiceByKomplex("FlipFlop"), "first entry");
}

TEST_F(ToolChoiceTest, ChoosingFromTheComplexListKeepsTheKeyAndFollowsTheName) {
    Click("mBauteil_19");
    auto* list = W().findChild<QComboBox*>("cmbKomplex");
    list->setCurrentText("Taktgeber");
    W().SelectKomplexElement();
    EXPECT_EQ(gMouseMode, 10);
    EXPECT_EQ(CheckedEntries(), std::vector<int>{21});
    EXPECT_EQ(PressedKeys(), std::vector<std::string>{"cmdKomplex"});
    EXPECT_EQ(W().Caption("lblAktElement"), "Taktgeber");
}

TEST_F(ToolChoiceTest, AnUnknownComplexNameUnchecksTheMenuAndKeepsTheTool) {
    Click("mBauteil_18");
    auto* list = W().findChild<QComboBox*>("cmbKomplex");
    list->setEditable(true);
    list->setCurrentText("Zauberkasten");
    W().SelectKomplexElement();
    EXPECT_EQ(gMouseMode, 17);
    EXPECT_TRUE(CheckedEntries().empty());
}

TEST_F(ToolChoiceTest, TriStateSelectAndTextLeaveTheMenuUnchecked) {
    for (const char* key : {"cmdTriState", "cmdSelect", "cmdText"}) {
        Click("mBauteil_11");
        Click(key);
        EXPECT_TRUE(CheckedEntries().empty()) << key;
    }
}

TEST_F(ToolChoiceTest, DecoderClockInputFollowsTheCheckBoxOnlyFromTheToolbar) {
    W().SetChecked("chkTakteingang", true);
    gTakteingang = kFalse;
    Click("mBauteil_20");
    EXPECT_EQ(gMouseMode, kTypeDecoder);
    EXPECT_EQ(gTakteingang, kFalse);
    Click("cmdDecoder");
    EXPECT_EQ(gTakteingang, kTrue);
    W().SetChecked("chkTakteingang", false);
    Click("cmdDecoder");
    EXPECT_EQ(gTakteingang, kFalse);
}

TEST_F(ToolChoiceTest, TheClockedDecoderKeyChoosesTheDecoderWithClockInput) {
    W().SetChecked("chkTakteingang", false);
    Click("cmdDecoderT");
    EXPECT_EQ(gMouseMode, kTypeDecoder);
    EXPECT_EQ(gTakteingang, kTrue);
    EXPECT_EQ(PressedKeys(), std::vector<std::string>{"cmdDecoderT"});
    EXPECT_EQ(CheckedEntries(), std::vector<int>{20});
}

TEST_F(ToolChoiceTest, ClickingThePressedKeyAgainKeepsItPressed) {
    Click("cmdUND");
    Click("cmdUND");
    EXPECT_EQ(PressedKeys(), std::vector<std::string>{"cmdUND"});
    EXPECT_EQ(gMouseMode, 6);
}

TEST_F(ToolChoiceTest, WithoutICFilesTheICKeyIsDisabledAndChoosesNothing) {
    Click("cmdUND");
    EXPECT_FALSE(W().IsEnabled("cmdIC"));
    EXPECT_FALSE(W().IsEnabled("mBauteil_25"));
    W().Toolbar2_ButtonClick("cmdIC");
    EXPECT_EQ(gMouseMode, 6);
    EXPECT_EQ(PressedKeys(), std::vector<std::string>{"cmdUND"});
    EXPECT_FALSE(W().IsEnabled("cmdIC"));
}

TEST_F(ToolChoiceTest, WithICFilesTheICKeyChoosesTheICToolAndItsSectionOnlyForAChosenIC) {
    const std::string ics = MakeFolder("ICs");
    std::ofstream(ics + "/Zaehler.icd") << "[Name]\r\nZaehler\r\n";
    std::ofstream(ics + "/Addierer.icd") << "[Name]\r\nAddierer\r\n";
    gVerzeichnisse[1] = ics + "/";
    gICName = "<Name>";
    Click("cmdLeitungen");
    ASSERT_TRUE(W().IsEnabled("cmdIC"));
    ASSERT_TRUE(W().IsEnabled("mBauteil_25"));
    Click("cmdIC");
    EXPECT_EQ(gMouseMode, kTypeIC);
    EXPECT_EQ(PressedKeys(), std::vector<std::string>{"cmdIC"});
    EXPECT_EQ(CheckedEntries(), std::vector<int>{25});
    EXPECT_EQ(gPropertyFlags, SectionFlags(0));
    EXPECT_EQ(W().findChild<QComboBox*>("cmbIC")->count(), 2);

    gICName = "Zaehler";
    Click("cmdLeitungen");
    Click("mBauteil_25");
    EXPECT_EQ(gMouseMode, kTypeIC);
    EXPECT_EQ(gPropertyFlags, SectionFlags(kSecIC));
    EXPECT_TRUE(W().IsVisible("picEigenschaft_0"));
    EXPECT_EQ(W().Caption("cmbIC"), "Zaehler");
    EXPECT_EQ(W().Caption("lblAktElement"), "IC");
}

TEST_F(ToolChoiceTest, TheICComponentLockDisablesTheICKeyDespiteFiles) {
    const std::string ics = MakeFolder("ICs");
    std::ofstream(ics + "/Zaehler.icd") << "x";
    gVerzeichnisse[1] = ics + "/";
    gBauteilRechte[kRechtIC] = false;
    Click("cmdLeitungen");
    EXPECT_FALSE(W().IsEnabled("cmdIC"));
    EXPECT_FALSE(W().IsEnabled("mBauteil_25"));
}

TEST_F(ToolChoiceTest, OrientationKeysSetTheOrientation) {
    Click("cmdUND");
    const std::pair<const char*, int> keys[] = {
        {"cmdLinks", 1}, {"cmdOben", 3}, {"cmdUnten", 4}, {"cmdRechts", 2}};
    for (const auto& [key, orientation] : keys) {
        Click(key);
        EXPECT_EQ(gOrientierung, orientation) << key;
    }
    W().tlbOrientation_ButtonClick("cmdNichts");
    EXPECT_EQ(gOrientierung, 2);
}

TEST_F(ToolChoiceTest, TheMenuChoiceLeavesTheOrientationKeysAlone) {
    Click("cmdLeitungen");
    ASSERT_FALSE(W().IsEnabled("tlbOrientation_1"));
    Click("mBauteil_12");
    // The section appears with its keys enabled; the menu itself does not switch them.
    EXPECT_TRUE(W().IsEnabled("tlbOrientation_1"));
    Click("mBauteil_8");
    EXPECT_TRUE(W().IsEnabled("tlbOrientation_1"));
}

TEST_F(ToolChoiceTest, ChangingTheToolSwitchesTheStepDelayOff) {
    W().SetCaption("lblDelay", "5 Zyklen");
    Click("cmdSchalter");
    EXPECT_EQ(W().Caption("lblDelay"), "[Aus]");
}

TEST_F(ToolChoiceTest, TheToolDisplayKnowsThePoweredAndICDefinitionModes) {
    W().ChangeSelPicture(99);
    EXPECT_EQ(W().Caption("lblAktElement"), "Eingeschaltet");
    W().ChangeSelPicture(98);
    EXPECT_EQ(W().Caption("lblAktElement"), "IC-Definition");
    W().ChangeSelPicture(23);
    EXPECT_EQ(W().Caption("lblAktElement"), "IC-Definition");
}

TEST_F(ToolChoiceTest, InQuickHelpModeAKeyShowsHelpAndTheToolStays) {
    Click("cmdUND");
    gMouseMode = 200;
    Click("cmdODER");
    EXPECT_EQ(gMouseMode, 200);
    EXPECT_EQ(PressedKeys(), std::vector<std::string>{"cmdUND"});
    EXPECT_EQ(CheckedEntries(), std::vector<int>{11});
}

TEST_F(ToolChoiceTest, TheElementMenuHasItsCaptionsAndSeparators) {
    for (int i = 1; i <= 25; ++i) {
        auto* a = qobject_cast<QAction*>(W().FindControl("mBauteil_" + std::to_string(i)));
        ASSERT_NE(a, nullptr) << i;
        EXPECT_EQ(a->isSeparator(), IsBauteilSeparator(i)) << i;
        if (!a->isSeparator()) {
            EXPECT_EQ(a->text().toStdString(), kBauteilCaptions[i]) << i;
        }
    }
    EXPECT_EQ(W().Caption("mBauelemente"), "Bau&elemente");
}

TEST(ToolTableTest, ClockTimeCaptions) {
    const std::pair<int, const char*> cases[] = {
        {999, "0.9s"},  {50, "0.0s"}, {1000, "1s"}, {1550, "1.5s"}, {500, "0.5s"},
        {10000, "10s"}, {0, "0.0s"},  {2000, "2s"}, {9999, "9.9s"}, {100, "0.1s"}};
    for (const auto& [ms, caption] : cases)
        EXPECT_EQ(ClockTimeCaption(10000 - ms), caption) << ms;
}

} // namespace
} // namespace kardo
