// The one reset path: every global of the core that a session can change returns to its
// start-up value after InitProgramState, so a global forgotten by the reset fails here; and
// every global the core's headers declare is watched here, so a global forgotten by this test
// fails too.
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/system_info.h"
#include "app/web_links.h"
#include "editor/area_select.h"
#include "editor/gesture_state.h"
#include "editor/line_runs.h"
#include "editor/mouse_dispatch.h"
#include "editor/object_select.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "editor/text_labels.h"
#include "editor/wire_tool.h"
#include "files/circuit_file.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/ic_choice.h"
#include "ic/ic_view.h"
#include "ic/levels.h"
#include "ic/pin_labels.h"
#include "model/basic_elements.h"
#include "model/block_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/file_calls.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/analysis.h"
#include "simulation/eval_flipflop.h"
#include "simulation/ic_signal.h"
#include "simulation/loop_watch.h"
#include "simulation/port_access.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <filesystem>
#include <functional>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// A state taken from a global: true while the global still holds it.
using Probe = std::function<bool()>;

// One global of the core and how its state is taken.
struct Watched {
    std::string_view name;
    std::function<Probe()> take;
};

// The global, or what view shows of it (objects without == or with private state), compared.
template <class T, class View = std::identity>
Watched Watch(std::string_view name, T& g, View view = {}) {
    return {name,
            [&g, view] { return Probe([&g, view, was = view(g)] { return view(g) == was; }); }};
}
// Named in its own spelling: the list below cannot name one global and watch another.
#define WATCH(g, ...) Watch(#g, g __VA_OPT__(, ) __VA_ARGS__)

const auto kSet = [](const auto& p) { return p != nullptr; };
const auto kSize = [](const auto& v) { return v.size(); };

// Every global InitProgramState sets to its start-up value.
std::vector<Watched> ResetGlobals() {
    return {
        // model
        WATCH(gAnzAnalysepunkte), WATCH(gTakteingang), WATCH(gTaktElement), WATCH(gTaktZeit1),
        WATCH(gTaktZeit0), WATCH(gTaktLink), WATCH(gAnzTakte), WATCH(gTaktZaehler),
        WATCH(gTaktAusgang), WATCH(gTaktFlag), WATCH(gAnzTaktgeber), WATCH(gAktTakt),
        WATCH(gTimer2, kSet), WATCH(gTimer1, kSet), WATCH(gTimPort, kSet), WATCH(gElements),
        WATCH(gAnzElemente), WATCH(gFeldBreite), WATCH(gFeldHoehe), WATCH(gGrid), WATCH(gRaster),
        WATCH(gCursorX), WATCH(gCursorY), WATCH(gCurLevel), WATCH(gEingangsPunkte),
        WATCH(gAnzEingangsPunkte), WATCH(gAusgangsPunkte), WATCH(gAnzAusgangsPunkte),
        WATCH(gOrientierung), WATCH(gFarbe), WATCH(gZweiEingaenge), WATCH(gLevels), WATCH(gPowerOn),
        WATCH(gUndo,
              [](const clsUndo& u) {
                  std::vector<std::string> lines;
                  u.ListUndos(lines);
                  return std::tuple(lines, u.CurrentIndex(), u.Undos(), u.Recorded(), u.Busy(),
                                    u.NoObjects, u.Move, u.Delete);
              }),
        WATCH(gUndoRemoveIC), WATCH(gUndoRestoreIC), WATCH(gMouseMode), WATCH(gSavedMouseMode),
        WATCH(gSavedMousePointer), WATCH(gSavedToolKey), WATCH(gSavedToolButton),
        WATCH(gPropertyFlags), WATCH(gMoveShapes),
        // simulation
        WATCH(gAnalyseTabelle,
              [](const AnalysisTable& t) {
                  return std::tuple(t.ColumnCount(), t.RowCount(), t.Generation());
              }),
        WATCH(gAnalyseX), WATCH(gAnalyseLetzter),
        WATCH(gAnalyseSpuren,
              [](const auto& rings) {
                  std::vector<std::int64_t> steps;
                  for (const TraceRing& r : rings)
                      steps.push_back(r.Steps());
                  return steps;
              }),
        WATCH(gAnalyseBreite), WATCH(gAnalyseNeu), WATCH(gFlipFlopPins, kSize),
        WATCH(gICPinRoutes, kSize), WATCH(gStillRunden), WATCH(gLevelChanges), WATCH(gLoopWindow),
        WATCH(gAnalyseWerte), WATCH(gPortMeldungGezeigt),
        WATCH(gPortAccess, [](const clsPortAccess& p) { return p.HasProblem(); }),
        WATCH(gAusschalten), WATCH(gSimLevel), WATCH(gPowerOnRunning), WATCH(gPowerSettingUp),
        WATCH(gPowerOffRunning), WATCH(gPowerKeyWaiting), WATCH(gEventQueue, kSize),
        WATCH(gNextEventQueue, kSize), WATCH(gRechnet), WATCH(gPaused), WATCH(gAbgebrochen),
        WATCH(gTaktTicks), WATCH(gTaktFlagsSeen), WATCH(gRunden), WATCH(gMaxRunden),
        WATCH(gVerzoegerung), WATCH(gRunKeysOff), WATCH(gRunTimeShown), WATCH(gPassLoopActive),
        // files
        WATCH(gDateiPfad), WATCH(gICAnschlussZellen), WATCH(gICAnschluesse),
        WATCH(gAnzICAnschluesse), WATCH(gTags), WATCH(gICNotizen), WATCH(gICBoxMinX),
        WATCH(gICBoxMaxX), WATCH(gICBoxMinY), WATCH(gICBoxMaxY), WATCH(gICInstances),
        WATCH(gAnzICInstances), WATCH(gICInstanceMax), WATCH(gICBreite), WATCH(gICHoehe),
        // render
        WATCH(gGrafik,
              [](const clsGrafik& g) {
                  return std::tuple(g.GridPixel, g.GridMode, g.Orientation, g.Device, g.VStartX,
                                    g.VEndX, g.VStartY, g.VEndY);
              }),
        WATCH(gPolyPoints), WATCH(gLinienFarbe), WATCH(gShowGrid), WATCH(gHScroll), WATCH(gVScroll),
        WATCH(gLabelTexts),
        // editor
        WATCH(gPuffer), WATCH(gPufferX), WATCH(gPufferY), WATCH(gAreaElements), WATCH(gGesture),
        WATCH(gLineRuns, [](const LineRunTable& t) { return std::pair(t.UBoundX(), t.UBoundY()); }),
        WATCH(gPointerIcon), WATCH(gMovePuffer), WATCH(gOverlays), WATCH(gSelection),
        WATCH(gSelCount), WATCH(gLastObjNr), WATCH(gBereichX1), WATCH(gBereichY1),
        WATCH(gBereichX2), WATCH(gBereichY2), WATCH(gAreaMarked), WATCH(gSelSlots),
        WATCH(gSelSlotOf), WATCH(gSelOverlays), WATCH(gSelectionDirt), WATCH(gTextFontSize),
        WATCH(gTextEditResult), WATCH(gTxtBeschriftung), WATCH(gAutoVerbindung),
        // ic
        WATCH(gICAuswahlOK), WATCH(gICFehlerText), WATCH(gInLevel), WATCH(gCircuitView),
        WATCH(gICPinLabels), WATCH(gAktAnschluss),
        // app
        WATCH(gFile), WATCH(gUnveraendert), WATCH(gAktiviert), WATCH(gICName),
        WATCH(gBauteilRechte), WATCH(gFunktionRechte), WATCH(gPasswort), WATCH(gUndoSteps),
        WATCH(gScroll), WATCH(gAnzImpulse), WATCH(gVerzeichnisse), WATCH(gICAuswahlVisible),
        WATCH(gICAuswahlPlacement), WATCH(gPanelVisible), WATCH(gICsMitSpeichern),
        WATCH(gLastFiles), WATCH(gPortAccessEnabled), WATCH(gPortAccessPortAddress),
        WATCH(gBasisPersoenlich), WATCH(gBasisGemeinsam), WATCH(gStandardVerzeichnis),
        WATCH(gWebAdresse), WATCH(gServiceAdresse)};
}

// The globals set before the load and kept by it: the services main() installs and the file
// calls in force, the power switch count (code resuming after a wait compares it), and what the
// splash window found (the operating system, the settings root, the file named on the command
// line).
std::vector<Watched> KeptGlobals() {
    return {WATCH(gPlatform), WATCH(gFileCalls), WATCH(gPowerEpoch),
            WATCH(gOSName),   WATCH(gRegRoot),   WATCH(LadeDatei)};
}

#undef WATCH

std::vector<Probe> Take(const std::vector<Watched>& globals) {
    std::vector<Probe> probes;
    for (const Watched& g : globals)
        probes.push_back(g.take());
    return probes;
}

using StartupResetTest = test::CoreFixture;

TEST_F(StartupResetTest, InitProgramStateRestoresEveryCoreGlobal) {
    const std::vector<Watched> reset = ResetGlobals();
    const std::vector<Watched> kept = KeptGlobals();
    const std::vector<Probe> fresh = Take(reset);
    const std::vector<Probe> keptBefore = Take(kept);

    // A session's worth of changes: elements, wires, points, undo steps, a clock, power on with
    // events queued, a different sheet, zoom, tool, cursor and view state.
    test::PlaceAnd(5, 5);
    test::PlaceSwitch(2, 4);
    test::PlaceLed(12, 5);
    test::LayWire(3, 4, 4, 4);
    test::LayWire(2, 8, 9, 8);
    test::PlaceAnalysisPoint(4, 8);
    gOrientierung = kDown;
    gCursorX = 10, gCursorY = 10;
    SetTimer();
    PowerOnOff();
    AddEvent(1, 1, kRight, 1, 0);
    gPaused = gPassLoopActive = true;
    gAbgebrochen = true;
    gRunden = 77;
    StartLoopWindow();
    NoteLevelChange(0, 3);
    gStillRunden = 12;
    gVerzoegerung = 40;
    gTaktFlag.assign(3, kTrue);
    gAktTakt = 1;
    gICInstances.resize(2);
    gICInstances[1].Name = "Zaehler";
    gAnzICInstances = gICInstanceMax = 1;
    gInLevel = true;
    gCurLevel = 1;
    gShowGrid = false;
    gUnveraendert = false;
    gMouseMode = kToolSelect;
    gFarbe = 0x00FF00;
    gSelCount = 2;
    SelectArea(4, 3, 14, 7);
    SelectObject(2);
    gLastObjNr = 9;
    gMovePuffer.Create(3, 2);
    gSelectionDirt.push_back({1, 2, 3, 4});
    OutlineOf(2).Visible = true;
    gGrafik.GridMode = 2.5f;
    gGrafik.Orientation = kUp;
    gOverlays.picBox.Visible = true;
    gICName = "Zaehler";
    gAnzEingangsPunkte = 3;
    host.viewport = {200, 150, 0};
    RedrawAllElements(0);
    SetHScrollValue(4);
    SetVScrollValue(2);
    gTextFontSize = 20;
    gTextEditResult = kTextCancelled;
    gTxtBeschriftung.Visible = true;
    gTxtBeschriftung.Text = "offen";
    DrawAnalysisTrace();
    TraceStep(1, true);
    SetTraceWidth(100);
    gAnalyseWerte[3] = kTrue;
    gPortMeldungGezeigt = true;
    gICAuswahlOK = true;
    gICFehlerText = "kaputt";
    gICBreite = 7;
    gICHoehe = 4;
    gCircuitView.Held = true;
    gICPinLabels.resize(4);
    gAktAnschluss = 2;
    gICAnschlussZellen.push_back("1;1;A;");
    gICAnschluesse.push_back("0;1;A;");
    gTags.push_back("t");
    gAnzICAnschluesse = 1;
    gICNotizen = "Notiz";
    gICBoxMinX = -2;
    gICBoxMaxX = 9;
    gICBoxMinY = 1;
    gICBoxMaxY = 5;
    gUndoRemoveIC = nullptr;
    gWebAdresse = "https://example.org";
    gServiceAdresse = "service@example.org";
    MarkControls(gRunKeysOff, Host());
    MarkControls(gRunTimeShown, Host());
    // What such a session leaves only in passing, and the settings.
    gTakteingang = kTrue;
    gTaktLink[0] = kFalse, gAnzTakte[0] = 5, gTaktZaehler[0] = 2, gTaktAusgang[0] = kTrue;
    Timer1(), TimPort(), CreateWorksheet(60, 40), gRaster = 20, gUndoRestoreIC = nullptr;
    gSavedMousePointer = 3, gPropertyFlags[2] = kTrue, gMoveShapes.resize(3);
    gPortAccessEnabled = true, gPortAccess.PowerOn(); // no port: the problem is noted
    gAusschalten = gPowerOnRunning = gPowerSettingUp = gPowerOffRunning = gRechnet = true;
    gPowerKeyWaiting = true, gSimLevel = 2, gEventQueue.push_back({});
    gTaktTicks = 5, gTaktFlagsSeen = 4, gMaxRunden = 50, gDateiPfad = gFile.FileName = "/tmp/x.kdx";
    gLinienFarbe = 0xFF, gGesture.LineActive = true, gPointerIcon = PointerIcon::PinMark;
    gSelection = "2;", gSelCount = 1, gSelSlots.push_back(2);
    gBereichX1 = gBereichY1 = 1, gBereichX2 = gBereichY2 = 3, gAreaMarked = true;
    gAutoVerbindung = kFalse, gAktiviert = 1;
    gBauteilRechte[1] = gFunktionRechte[1] = false, gPasswort = "Lehrer";
    gUndoSteps = 25, gScroll = false, gAnzImpulse = 7, gVerzeichnisse[0] = "/tmp/";
    gICAuswahlVisible = true, gICAuswahlPlacement.Width = 3000, gPanelVisible[2] = -1;
    gICsMitSpeichern = true, gLastFiles[0] = "a.kdx", gPortAccessPortAddress = 0x278;
    gBasisPersoenlich = "/home/", gBasisGemeinsam = "/srv/", gStandardVerzeichnis = "/srv/Kardo/";
    Platform other = platform;
    PlatformScope otherServices(other);
    FileCalls otherCalls;
    FileCallsScope otherFileCalls(otherCalls);
    gOSName = "Linux", gRegRoot = SettingsRoot::System, LadeDatei = "start.kdx";
    NoteLabelText({1, 2, 3, 4});

    for (std::size_t i = 0; i < reset.size(); ++i)
        EXPECT_FALSE(fresh[i]()) << reset[i].name << ": the session above does not change it";
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_FALSE(keptBefore[i]()) << kept[i].name << ": the session above does not change it";
    const std::vector<Probe> keptAfterSession = Take(kept);

    InitProgramState();
    for (std::size_t i = 0; i < reset.size(); ++i)
        EXPECT_TRUE(fresh[i]()) << reset[i].name << ": InitProgramState does not reset it";
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_TRUE(keptAfterSession[i]()) << kept[i].name << ": set before the load, but reset";
}

// The names of the globals the headers of the core folders declare `extern` (constants aside).
std::set<std::string> DeclaredGlobals() {
    namespace fs = std::filesystem;
    const std::regex comment("//[^\n]*");
    const std::regex declaration(R"(\bextern\s+([^;"]*?)(\w+)\s*;)");
    const std::regex constant(R"(\bconst(expr)?\b)");
    std::set<std::string> names;
    for (const char* folder :
         {"platform", "model", "simulation", "files", "render", "editor", "ic", "boolean", "app"}) {
        for (const auto& entry :
             fs::recursive_directory_iterator(fs::path(KARDO_SOURCE_DIR) / folder)) {
            const std::string path = entry.path().generic_string();
            if (entry.path().extension() != ".h" || path.find("/qt/") != std::string::npos)
                continue;
            const std::string code = std::regex_replace(test::ReadBytes(path), comment, "");
            for (auto m = std::sregex_iterator(code.begin(), code.end(), declaration);
                 m != std::sregex_iterator(); ++m)
                if (!std::regex_search((*m)[1].str(), constant))
                    names.insert((*m)[2]);
        }
    }
    return names;
}

TEST(StartupResetCoverage, EveryGlobalOfTheCoreHeadersIsWatched) {
    const std::set<std::string> declared = DeclaredGlobals();
    ASSERT_GT(declared.size(), 100u) << "headers not found under " << KARDO_SOURCE_DIR;
    std::set<std::string> watched;
    for (const auto& list : {ResetGlobals(), KeptGlobals()})
        for (const Watched& g : list)
            EXPECT_TRUE(watched.emplace(g.name).second) << g.name << " is watched twice";
    for (const std::string& name : declared)
        EXPECT_TRUE(watched.contains(name)) << name << " is declared in a core header, not watched";
    for (const std::string& name : watched)
        EXPECT_TRUE(declared.contains(name)) << name << " is no longer declared in a core header";
}

} // namespace
} // namespace kardo
