// The function lock on every path: each lock alone keeps its controls disabled and its function
// out of reach in every state; lifted, the same paths reach it; relocking ends what it left on.
#include "app/permissions.h"
#include "editor/mouse_dispatch.h"
#include "files/circuit_file.h"
#include "files/new_circuit.h"
#include "ic/ic_definition_mode.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct LockRow {
    int index;                         // the lock index
    std::vector<std::string> controls; // the controls that stand for it
    std::vector<int> tools = {};       // a component's tools; none: a function permission
    const char* komplex = nullptr;     // its name in cmbKomplex
};

const LockRow kRows[] = {
    {kRechtLeuchtdiode, {"cmdDiode", "mBauteil_7"}, {kTypeLed}},
    {kRechtSchalter, {"cmdSchalter", "mBauteil_8"}, {kTypeSwitch}},
    {kRechtInverter, {"cmdInverter", "mBauteil_9"}, {kTypeInverter}},
    {kRechtUnd, {"cmdUND", "mBauteil_11"}, {kTypeAnd}},
    {kRechtOder, {"cmdODER", "mBauteil_12"}, {kTypeOr}},
    {kRechtXOder, {"cmdXODER", "mBauteil_13"}, {kTypeXor}},
    {kRechtFlipFlop, {"mBauteil_18"}, {kTypeFlipFlop}, "FlipFlop"},
    {kRechtMultiplexer, {"mBauteil_19"}, {kTypeMultiplexer}, "Multiplexer"},
    {kRechtDecoder, {"cmdDecoder", "cmdDecoderT", "mBauteil_20"}, {kTypeDecoder}},
    {kRechtTaktgeber, {"mBauteil_21"}, {kTypeClock}, "Taktgeber"},
    {kRechtSchieberegister, {"mBauteil_22"}, {kTypeShiftRegister}, "Schieberegister"},
    {kRechtZiffernanzeige, {"mBauteil_23"}, {kTypeNumberDisplay}, "Ziffernanzeige"},
    {kRechtAddierer, {"cmdHA", "cmdVA", "mBauteil_15", "mBauteil_16"}, {11, 12}},
    {kRechtIC, {"cmdIC", "mBauteil_25"}, {kTypeIC}},
    {kRechtBoolesche, {"mSynthese", "mBoolean", "mTermCreation", "cmdSynthese"}},
    {kRechtICDefinieren, {"mDefIC", "cmdICView"}},
    {kRechtICAuswahl, {"mICAuswahl", "cmdICAuswahl", "cmdICVerwaltung"}},
    {kRechtDrucken, {"mPrint", "cmdPrint", "Toolbar_4"}},
    {kRechtBitmap, {"mSaveBitmap"}},
    {kRechtZahlenkonvertierung, {"mNumberConversion"}},
    {kRechtEingabezeile, {"mPanel_5", "cmdPanel5"}},
};

// By function index: what the function leaves shown, and its own entry points.
const std::pair<const char*, void (*)(frmKardo&)> kFunctionEntries[] = {
    {"frmBoolean", [](frmKardo& w) { w.BooleanCommand(1); }},
    {"frmIC", [](frmKardo&) { mDefIC_Click(); }},
    {"frmICAuswahl",
     [](frmKardo& w) {
         w.SetICAuswahlShown(true);
         QTest::mouseDClick(w.findChild<QWidget*>("picICVorschau"), Qt::LeftButton);
     }},
    {nullptr, [](frmKardo& w) { w.PrintCommand(); }},
    {nullptr, [](frmKardo& w) { w.SaveBitmap(); }},
    {"frmNumberConversion", [](frmKardo& w) { w.NumberConversionCommand(); }},
    {"cmbFormel", [](frmKardo& w) {
         w.DisplayEingabezeile(), w.RunConsoleWord("timelabel"), w.CreateFileCommand("A&B");
     }}};

class FunctionLockTest : public test::MainWindowFixture,
                         public ::testing::WithParamInterface<LockRow> {
  protected:
    const LockRow& row = GetParam();
    test::DialogDriver driver{*window}; // answers the modal dialogs, records them

    void SetUp() override {
        const std::string ics = MakeFolder("ICs") + "/";
        test::CopyFixtureICs(ics);
        settings.Set(SettingsRoot::User, "Verzeichnis1", ics);
        settings.Set(SettingsRoot::User, "frmICAuswahlVisible", "-1");
        SetLock(true);
        settings.Set(SettingsRoot::User, "Permissions",
                     EncodePermissions({gBauteilRechte, gFunktionRechte, ""}));
        ASSERT_TRUE(LoadWindow());
    }
    // Applied as the confirmed options dialog does.
    void SetLock(bool locked) {
        (row.tools.empty() ? gFunktionRechte.data() : gBauteilRechte.data())[row.index] = !locked;
        W().Dialogs().applyPermissions();
    }
    void Trigger(const std::string& name) {
        if (auto* a = qobject_cast<QAction*>(W().FindControl(name)))
            a->trigger();
        else if (auto* b = qobject_cast<QPushButton*>(W().FindControl(name)))
            b->click();
    }
    // What the function leaves active: its tool, or its window or line shown.
    bool Active() {
        if (!row.tools.empty())
            return std::find(row.tools.begin(), row.tools.end(), gMouseMode) != row.tools.end();
        const char* shown = kFunctionEntries[row.index].first;
        return std::ranges::any_of(W().findChildren<QWidget*>(shown ? shown : "-"),
                                   [](const QWidget* w) { return !w->isHidden(); });
    }
    // What running a function leaves behind: dialogs run, the time label toggled, elements made.
    std::tuple<std::size_t, bool, int> Effects() {
        return {dialogs.size() + driver.shown.size(), W().IsVisible("lblTime"), gAnzElemente};
    }
    // Tries every path to the function: its controls, the key and menu handlers, the complex
    // list, the IC library, the worksheet, the panels, the console words and the function's own
    // entry points; true when one reached it.
    bool Reach() {
        bool reached = false;
        if (row.tools == std::vector<int>{kTypeSwitch} && gMouseMode == kToolWire && !gPowerOn) {
            NewCircuit(true);
            test::LayWire(5, 5, 8, 5);
            gCursorX = 8, gCursorY = 5;
            picGrid_DblClick(); // on the wire's end
            reached = gAnzElemente > 0;
        }
        const auto before = Effects();
        for (const std::string& c : row.controls) {
            Trigger(c);
            if (row.tools.empty())
                W().Toolbar_ButtonClick(c);
            else if (c.rfind("cmd", 0) == 0)
                W().Toolbar2_ButtonClick(c);
            else
                W().MenueClick(std::stoi(c.substr(9)));
            reached = reached || Active();
        }
        if (row.komplex != nullptr) {
            W().findChild<QComboBox*>("cmbKomplex")->setCurrentText(row.komplex);
            W().SelectKomplexElement();
        }
        if (auto* library = W().ICAuswahl(); row.tools == std::vector<int>{kTypeIC} && library) {
            reached = reached || library->findChild<QPushButton*>("cmdAuswaehlen")->isEnabled();
            library->onChoose("inv");
        }
        if (row.tools.empty())
            kFunctionEntries[row.index].second(W());
        return reached || Active() || Effects() != before;
    }
    void ExpectLocked(const std::string& step) {
        SCOPED_TRACE(step);
        for (const std::string& c : row.controls)
            EXPECT_FALSE(W().IsEnabled(c)) << c;
        EXPECT_FALSE(Reach());
    }
};

// Locked functions were reached: printing by "Toolbar_4" after power off, the library by
// "Verwaltung...", the preview, a saved or open window, the IC tool by the library, a tool in use.
TEST_P(FunctionLockTest, NoStateChangeAndNoPathReachesALockedFunction) {
    ExpectLocked("start");
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"power on", [&] { Trigger("mOnOff"); }},
        {"power off", [&] { Trigger("mOnOff"); }},
        {"IC definition in", [] { ShowICView(); }},
        {"IC definition out", [] { CloseICView(); }},
        {"quick help on", [&] { Trigger("cmdQuickHelp"); }},
        {"quick help off", [&] { Trigger("cmdQuickHelp"); }},
        {"options confirmed", [&] { SetLock(true); }},
        {"load", [] { LoadFile(test::DataFile("example_40x25.kdx")); }},
        {"new sheet", [] { NewCircuit(false); }},
    };
    for (const auto& [name, step] : steps)
        step(), ExpectLocked(name);
    for (std::string_view key : kToolbar2Keys)
        W().Toolbar2_ButtonClick(key);
    for (int i = 1; i <= 25; ++i)
        W().MenueClick(i);
    ExpectLocked("every tool choice");

    // Without the lock the same paths reach the function; the lock ends what it left active,
    // also when it comes while the circuit is on or quick help lasts.
    for (const char* around : {"", "mOnOff", "cmdQuickHelp"}) {
        SetLock(false);
        EXPECT_TRUE(Reach());
        Trigger(around), SetLock(true), Trigger(around);
        EXPECT_FALSE(Active());
    }
    EXPECT_TRUE(row.tools.empty() || gMouseMode == kToolWire);
}

INSTANTIATE_TEST_SUITE_P(EveryLock, FunctionLockTest, ::testing::ValuesIn(kRows));

} // namespace
} // namespace kardo
