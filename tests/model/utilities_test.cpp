// Worksheet utilities: timed wait, error texts, saved tool state, drag outlines, and the reset
// of the placing and undo globals.
#include "editor/selection.h"
#include "model/basic_elements.h"
#include "model/placement.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using UtilitiesTest = test::CoreFixture;

TEST_F(UtilitiesTest, WaitLetsEventsRunUntilTheTimeHasPassed) {
    bool clicked = false;
    pump.PostAt(200, [&] { clicked = true; });
    const std::int64_t start = pump.NowMs();
    Wait(0.5, false);
    EXPECT_GT(pump.NowMs() - start, 500);
    EXPECT_LE(pump.NowMs() - start, 502);
    EXPECT_TRUE(clicked);
}

TEST_F(UtilitiesTest, WaitSleepsBetweenEventsInsteadOfAskingEveryMoment) {
    int ticks = 0;
    auto timer = clock.CreateTimer();
    timer->SetOnTick([&] { ++ticks; });
    timer->SetInterval(100);
    const std::int64_t start = pump.NowMs();
    Wait(0.5, false);
    EXPECT_EQ(pump.NowMs() - start, 501);
    EXPECT_EQ(pump.DoEventsCalls(), 1);
    // Each tick wakes the wait once; the wait still lasts its whole time.
    timer->SetEnabled(true);
    Wait(0.5, false);
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(pump.NowMs() - start, 1002);
    EXPECT_EQ(pump.DoEventsCalls(), 1 + 6);
}

TEST_F(UtilitiesTest, WaitWithoutEventsBlocksInputAndTimers) {
    bool clicked = false;
    int ticks = 0;
    pump.Post([&] { clicked = true; });
    auto timer = clock.CreateTimer();
    timer->SetOnTick([&] { ++ticks; });
    timer->SetInterval(100);
    timer->SetEnabled(true);
    const std::int64_t start = pump.NowMs();
    Wait(0.3, true);
    EXPECT_GT(pump.NowMs() - start, 300);
    EXPECT_FALSE(clicked);
    EXPECT_EQ(ticks, 0);
    EXPECT_EQ(pump.DoEventsCalls(), 0);
    pump.DoEvents(); // afterwards the input runs
    EXPECT_TRUE(clicked);
}

struct ErrorCase {
    int n;
    const char* text; // message box text; nullptr: no box
};

TEST_F(UtilitiesTest, ErrorNumbersGiveTheirMessages) {
    const ErrorCase cases[] = {
        {53, "Fehler 53:\r\nDatei nicht gefunden"},
        {101, "Fehler # 101\r\nDatei kann nicht geladen werden."},
        {5000, "Fehler # 5000\r\nDatei kann nicht geladen werden."},
        {32755, "Fehler # 32755\r\nAbbruch durch Benutzer."},
        {20477, "Fehler # 20477\r\nUngültiger Dateiname."},
        {20478, "Fehler # 20478\r\nSpeicherreservierungsfehler."},
        {32752, "Fehler # 32752\r\nSpeicherreservierungsfehler."},
        {32757, "Fehler # 32757\r\nSpeicherreservierungsfehler."},
        {32758, "Fehler # 32758\r\nSpeicherreservierungsfehler."},
        {28667, "Fehler # 28667\r\nDruckertreiber konnte nicht\r\ngeladen werden."},
        {28663, "Fehler # 28663\r\nKein Standarddrucker vorhanden."},
        {28664, "Fehler # 28664\r\nDruckertreiber nicht gefunden."},
        {28666,
         "Fehler # 28666\r\nDruckertreiber konnte DevMode-Struktur\r\nnicht initialisieren."},
        {28669, "Fehler # 28669\r\nFehler in WIN.INI,\r\nAbschnitt [devices]"},
        {28660,
         "Fehler # 28660\r\nFehler in WIN.INI bei [devices]:\r\nDrucker ist nicht eingetragen"},
        {11, "Fehler # 11\r\n"},
        {100, "Fehler # 100\r\n"},
        {10, nullptr},
        {5, nullptr},
        {0, nullptr},
        {-3, nullptr},
    };
    for (const ErrorCase& c : cases) {
        host.messages.clear();
        ShowErrorText(c.n);
        if (!c.text) {
            EXPECT_TRUE(host.messages.empty()) << c.n;
            continue;
        }
        ASSERT_EQ(host.messages.size(), 1u) << c.n;
        EXPECT_EQ(host.messages[0].text, c.text);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_TRUE(host.statusTexts.empty());
}

TEST_F(UtilitiesTest, ErrorNumbersOneAndTwoGoToTheStatusBar) {
    ShowErrorText(1);
    EXPECT_EQ(host.statusTexts[2], "Bitte klicken Sie auf ein Leitungsende.");
    ShowErrorText(2);
    EXPECT_EQ(host.statusTexts[2], "Das Bauteil darf nicht aus dem Schaltfeld herausragen.");
    EXPECT_TRUE(host.messages.empty());
    SetStatusText("Bereit");
    EXPECT_EQ(host.statusTexts[2], "Bereit");
}

TEST_F(UtilitiesTest, SavingWithoutAPressedButtonKeepsTheWireTool) {
    gMouseMode = kTypeAnd;
    host.pointer = kPointerCross;
    SaveToolState();
    EXPECT_EQ(gSavedToolKey, "cmdLeitungen");
    EXPECT_EQ(gSavedToolButton, 3);
    EXPECT_EQ(gSavedMouseMode, kTypeAnd);
    EXPECT_EQ(gSavedMousePointer, kPointerCross);

    gMouseMode = kToolPowered;
    host.pointer = kPointerHourglass;
    gPropertyFlags = {-1, 0, 0, 0, 0, 0, -1, 0};
    RestoreToolState();
    EXPECT_EQ(gMouseMode, kTypeAnd);
    EXPECT_EQ(host.pointer, kPointerCross);
    EXPECT_TRUE(host.IsChecked("cmdLeitungen"));
    ASSERT_EQ(host.propertyWindowCalls.size(), 1u);
    EXPECT_EQ(host.propertyWindowCalls[0], gPropertyFlags);
}

TEST_F(UtilitiesTest, SavedButtonIsPressedAgainAndTheOthersReleased) {
    host.SetChecked("cmdUND", true);
    SaveToolState();
    EXPECT_EQ(gSavedToolKey, "cmdUND");
    EXPECT_EQ(gSavedToolButton, 11);
    host.SetChecked("cmdUND", false);
    host.SetChecked("cmdSelect", true);
    RestoreToolState();
    EXPECT_TRUE(host.IsChecked("cmdUND"));
    EXPECT_FALSE(host.IsChecked("cmdSelect"));
}

TEST_F(UtilitiesTest, OrientationButtonsFollowTheRestoredTool) {
    struct {
        std::uint8_t tool;
        bool enabled;
    } const cases[] = {
        {kTypeAnd, true},  {kTypeIC, false},     {kToolSelect, false},        {kToolWire, false},
        {kTypeLed, false}, {kTypeSwitch, false}, {kTypeNumberDisplay, false}, {kTypeInverter, true},
        {kTypeClock, true}};
    for (const auto& c : cases) {
        gMouseMode = c.tool;
        SaveToolState();
        RestoreToolState();
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(host.IsEnabled("tlbOrientation_" + std::to_string(i)), c.enabled)
                << int(c.tool);
    }
}

TEST_F(UtilitiesTest, DragOutlinesPerKind) {
    test::PlaceAnd(5, 5, kRight, 3);    // 1: columns 5..7, rows 4..6
    test::PlaceLed(10, 10);             // 2
    test::PlaceInverter(20, 10, kDown); // 3: (20,10)-(20,11)
    EXPECT_EQ(SetMoveShape(1, 1), (MoveShape{77, 60, 28, 35}));
    EXPECT_EQ(SetMoveShape(2, 2), (MoveShape{140, 140, 14, 14}));
    EXPECT_EQ(SetMoveShape(3, 3), (MoveShape{282, 147, 12, 14}));
    ASSERT_EQ(gMoveShapes.size(), 4u);
    EXPECT_EQ(gMoveShapes[2], (MoveShape{140, 140, 14, 14}));
}

TEST_F(UtilitiesTest, StartUpResetRestoresThePlacingAndUndoGlobals) {
    test::LayWire(2, 10, 9, 10);
    test::PlaceAnalysisPoint(5, 10);
    gOrientierung = kUp;
    gFarbe = 0;
    gZweiEingaenge = kTrue;
    gMouseMode = kTypeAnd;
    gSavedToolKey = "cmdUND";
    gPropertyFlags[3] = kTrue;
    gMoveShapes.resize(5);
    gSelection = "1;";
    gSelCount = 1;
    gBereichX2 = 4;
    gUndo.SetUndos(50);
    InitProgramState();
    EXPECT_EQ(gOrientierung, kRight);
    EXPECT_EQ(gFarbe, 255);
    EXPECT_EQ(gZweiEingaenge, kFalse);
    EXPECT_EQ(gAnzAnalysepunkte, 0);
    EXPECT_EQ(gMouseMode, kToolWire);
    EXPECT_EQ(gSavedToolKey, "");
    EXPECT_EQ(gPropertyFlags, (std::array<std::int16_t, 8>{}));
    EXPECT_EQ(gMoveShapes.size(), 1u);
    EXPECT_EQ(gSelection, "");
    EXPECT_EQ(gSelCount, 0);
    EXPECT_EQ(gBereichX2, 0);
    EXPECT_EQ(gUndo.Undos(), 10);
    EXPECT_EQ(gUndo.CurrentIndex(), 0);
    EXPECT_TRUE(gUndo.NoUndoData());
}

TEST_F(UtilitiesTest, SelectNoneClearsTheSelectionAndDisablesDelete) {
    gSelection = "3;7;";
    gSelCount = 2;
    gBereichX1 = 1;
    gBereichY1 = 2;
    gBereichX2 = 3;
    gBereichY2 = 4;
    host.SetEnabled("mDelete", true);
    SelectNone();
    EXPECT_EQ(gSelection, "");
    EXPECT_EQ(gSelCount, 0);
    EXPECT_EQ(gBereichX1 + gBereichY1 + gBereichX2 + gBereichY2, 0);
    EXPECT_FALSE(host.IsEnabled("mDelete"));
    EXPECT_EQ(host.Caption("lblSelElement"), "0");
}

} // namespace
} // namespace kardo
