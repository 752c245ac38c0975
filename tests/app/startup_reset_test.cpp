// The one reset path: every global of the core that a session can change returns to its
// start-up value after InitProgramState, so a global forgotten by the reset fails here.
#include "app/main_state.h"
#include "app/startup.h"
#include "app/web_links.h"
#include "editor/area_select.h"
#include "editor/gesture_state.h"
#include "editor/line_runs.h"
#include "editor/object_select.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "editor/text_labels.h"
#include "files/ic_definition_file.h"
#include "files/ic_instances.h"
#include "files/ic_size.h"
#include "ic/ic_choice.h"
#include "ic/ic_view.h"
#include "ic/levels.h"
#include "ic/pin_labels.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/analysis.h"
#include "simulation/ic_signal.h"
#include "simulation/loop_watch.h"
#include "simulation/port_access.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/builder.h"
#include "support/core_fixture.h"

#include <array>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// What a fresh program holds, compared field by field.
struct Snapshot {
    Grid grid;
    std::vector<ElementRecord> elements;
    std::int16_t anzElemente, feldBreite, feldHoehe, cursorX, cursorY, curLevel;
    std::vector<std::int16_t> taktElement, taktZeit1, taktZeit0, taktLink, taktAusgang, taktFlag;
    std::vector<std::uint8_t> anzTakte, taktZaehler;
    std::uint8_t anzTaktgeber;
    std::int16_t aktTakt;
    int timerCount;
    std::vector<ICInstanceRecord> icInstances;
    std::int16_t anzIC, icMax;
    std::size_t levels;
    bool powerOn, inLevel, rechnet, paused, abgebrochen, showGrid, unveraendert;
    std::int32_t runden;
    std::int16_t verzoegerung, selCount, anzEin, anzAus;
    std::size_t eventQueue, nextEventQueue;
    std::uint8_t mouseMode, orientierung;
    std::int32_t farbe;
    float gridMode;
    std::int16_t gridPixel;
    std::uint8_t orientation;
    std::vector<std::string> undoList;
    std::int16_t undoCurrent;
    WorksheetOverlays overlays;
    std::string icName;
    ScrollBarState hScroll, vScroll;
    std::int16_t textFontSize;
    std::uint8_t textEditResult;
    LabelEditBox labelEditor;
    bool icAuswahlOK;
    std::string icFehlerText;
    std::int16_t icBreite, icHoehe;
    bool viewHeld;
    std::size_t pinLabels;
    std::int16_t aktAnschluss;
    std::vector<std::string> anschlussZellen, anschluesse, tags;
    std::int16_t anzAnschluesse;
    std::string notizen;
    std::array<std::int16_t, 4> icBox;
    bool undoHooks;
    std::int32_t stillRunden;
    std::size_t levelChanges;
    std::size_t icPinRoutes;
    std::uint16_t loopWindow;
    int analyseSpalten;
    std::size_t analyseZeilen;
    std::array<std::int16_t, 9> analyseX, analyseLetzter;
    std::int64_t analyseSchritte;
    std::int16_t analyseBreite;
    bool analyseNeu, portMeldung;
    std::array<std::int16_t, 8> analyseWerte;
    std::string webAdresse, serviceAdresse;
    const HostWindow* runKeysHost;
    std::uint64_t runKeysStamp;
    const HostWindow* runTimeHost;
    std::uint64_t runTimeStamp;

    static Snapshot Take() {
        Snapshot s;
        s.grid = gGrid;
        s.elements = gElements;
        s.anzElemente = gAnzElemente, s.feldBreite = gFeldBreite, s.feldHoehe = gFeldHoehe;
        s.cursorX = gCursorX, s.cursorY = gCursorY, s.curLevel = gCurLevel;
        s.taktElement = gTaktElement, s.taktZeit1 = gTaktZeit1, s.taktZeit0 = gTaktZeit0;
        s.taktLink = gTaktLink, s.taktAusgang = gTaktAusgang, s.taktFlag = gTaktFlag;
        s.anzTakte = gAnzTakte, s.taktZaehler = gTaktZaehler;
        s.anzTaktgeber = gAnzTaktgeber, s.aktTakt = gAktTakt;
        s.timerCount = Timer2().Count();
        s.icInstances = gICInstances, s.anzIC = gAnzICInstances, s.icMax = gICInstanceMax;
        s.levels = gLevels.size();
        s.powerOn = gPowerOn, s.inLevel = gInLevel, s.rechnet = gRechnet, s.paused = gPaused;
        s.abgebrochen = gAbgebrochen, s.showGrid = gShowGrid, s.unveraendert = gUnveraendert;
        s.runden = gRunden, s.verzoegerung = gVerzoegerung, s.selCount = gSelCount;
        s.anzEin = gAnzEingangsPunkte, s.anzAus = gAnzAusgangsPunkte;
        s.eventQueue = gEventQueue.size(), s.nextEventQueue = gNextEventQueue.size();
        s.mouseMode = gMouseMode, s.orientierung = gOrientierung, s.farbe = gFarbe;
        s.gridMode = gGrafik.GridMode, s.gridPixel = gGrafik.GridPixel;
        s.orientation = gGrafik.Orientation;
        gUndo.ListUndos(s.undoList);
        s.undoCurrent = gUndo.CurrentIndex();
        s.overlays = gOverlays;
        s.icName = gICName;
        s.hScroll = gHScroll, s.vScroll = gVScroll;
        s.textFontSize = gTextFontSize;
        s.textEditResult = gTextEditResult;
        s.labelEditor = gTxtBeschriftung;
        s.icAuswahlOK = gICAuswahlOK, s.icFehlerText = gICFehlerText;
        s.icBreite = gICBreite, s.icHoehe = gICHoehe;
        s.viewHeld = gCircuitView.Held, s.pinLabels = gICPinLabels.size();
        s.aktAnschluss = gAktAnschluss;
        s.anschlussZellen = gICAnschlussZellen, s.anschluesse = gICAnschluesse, s.tags = gTags;
        s.anzAnschluesse = gAnzICAnschluesse, s.notizen = gICNotizen;
        s.icBox = {gICBoxMinX, gICBoxMaxX, gICBoxMinY, gICBoxMaxY};
        s.undoHooks = gUndoRemoveIC != nullptr && gUndoRestoreIC != nullptr;
        s.stillRunden = gStillRunden;
        s.levelChanges = gLevelChanges.size();
        s.icPinRoutes = gICPinRoutes.size();
        s.loopWindow = gLoopWindow;
        s.analyseSpalten = gAnalyseTabelle.ColumnCount();
        s.analyseZeilen = gAnalyseTabelle.RowCount();
        s.analyseX = gAnalyseX, s.analyseLetzter = gAnalyseLetzter;
        s.analyseSchritte = gAnalyseSpuren[0].Steps();
        s.analyseBreite = gAnalyseBreite, s.analyseNeu = gAnalyseNeu;
        s.portMeldung = gPortMeldungGezeigt, s.analyseWerte = gAnalyseWerte;
        s.webAdresse = gWebAdresse, s.serviceAdresse = gServiceAdresse;
        s.runKeysHost = gRunKeysOff.host, s.runKeysStamp = gRunKeysOff.stamp;
        s.runTimeHost = gRunTimeShown.host, s.runTimeStamp = gRunTimeShown.stamp;
        return s;
    }
};

// The selection, the area buffer and the move buffer.
struct SelectionSnapshot {
    std::string selection;
    std::int16_t lastObjNr, x1, y1, x2, y2, pufferX, pufferY;
    bool areaMarked;
    std::vector<std::int16_t> slots, slotOf, areaElements;
    std::size_t markers, outlines, dirt;
    Grid puffer, movePuffer;

    static SelectionSnapshot Take() {
        return {gSelection,
                gLastObjNr,
                gBereichX1,
                gBereichY1,
                gBereichX2,
                gBereichY2,
                gPufferX,
                gPufferY,
                gAreaMarked,
                gSelSlots,
                gSelSlotOf,
                gAreaElements,
                gSelOverlays.PObj.size(),
                gSelOverlays.picBorder.size(),
                gSelectionDirt.size(),
                gPuffer,
                gMovePuffer};
    }
    bool operator==(const SelectionSnapshot&) const = default;
};

void ExpectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_TRUE(a.grid == b.grid);
    EXPECT_EQ(a.elements, b.elements);
    EXPECT_EQ(a.anzElemente, b.anzElemente);
    EXPECT_EQ(a.feldBreite, b.feldBreite);
    EXPECT_EQ(a.feldHoehe, b.feldHoehe);
    EXPECT_EQ(a.cursorX, b.cursorX);
    EXPECT_EQ(a.cursorY, b.cursorY);
    EXPECT_EQ(a.curLevel, b.curLevel);
    EXPECT_EQ(a.taktElement, b.taktElement);
    EXPECT_EQ(a.taktZeit1, b.taktZeit1);
    EXPECT_EQ(a.taktZeit0, b.taktZeit0);
    EXPECT_EQ(a.taktLink, b.taktLink);
    EXPECT_EQ(a.taktAusgang, b.taktAusgang);
    EXPECT_EQ(a.taktFlag, b.taktFlag);
    EXPECT_EQ(a.anzTakte, b.anzTakte);
    EXPECT_EQ(a.taktZaehler, b.taktZaehler);
    EXPECT_EQ(a.anzTaktgeber, b.anzTaktgeber);
    EXPECT_EQ(a.aktTakt, b.aktTakt);
    EXPECT_EQ(a.timerCount, b.timerCount);
    EXPECT_EQ(a.icInstances, b.icInstances);
    EXPECT_EQ(a.anzIC, b.anzIC);
    EXPECT_EQ(a.icMax, b.icMax);
    EXPECT_EQ(a.levels, b.levels);
    EXPECT_EQ(a.powerOn, b.powerOn);
    EXPECT_EQ(a.inLevel, b.inLevel);
    EXPECT_EQ(a.rechnet, b.rechnet);
    EXPECT_EQ(a.paused, b.paused);
    EXPECT_EQ(a.abgebrochen, b.abgebrochen);
    EXPECT_EQ(a.showGrid, b.showGrid);
    EXPECT_EQ(a.unveraendert, b.unveraendert);
    EXPECT_EQ(a.runden, b.runden);
    EXPECT_EQ(a.verzoegerung, b.verzoegerung);
    EXPECT_EQ(a.selCount, b.selCount);
    EXPECT_EQ(a.anzEin, b.anzEin);
    EXPECT_EQ(a.anzAus, b.anzAus);
    EXPECT_EQ(a.eventQueue, b.eventQueue);
    EXPECT_EQ(a.nextEventQueue, b.nextEventQueue);
    EXPECT_EQ(a.mouseMode, b.mouseMode);
    EXPECT_EQ(a.orientierung, b.orientierung);
    EXPECT_EQ(a.farbe, b.farbe);
    EXPECT_EQ(a.gridMode, b.gridMode);
    EXPECT_EQ(a.gridPixel, b.gridPixel);
    EXPECT_EQ(a.orientation, b.orientation);
    EXPECT_EQ(a.undoList, b.undoList);
    EXPECT_EQ(a.undoCurrent, b.undoCurrent);
    EXPECT_TRUE(a.overlays == b.overlays);
    EXPECT_EQ(a.icName, b.icName);
    EXPECT_EQ(a.hScroll, b.hScroll);
    EXPECT_EQ(a.vScroll, b.vScroll);
    EXPECT_EQ(a.textFontSize, b.textFontSize);
    EXPECT_EQ(a.textEditResult, b.textEditResult);
    EXPECT_TRUE(a.labelEditor == b.labelEditor);
    EXPECT_EQ(a.icAuswahlOK, b.icAuswahlOK);
    EXPECT_EQ(a.icFehlerText, b.icFehlerText);
    EXPECT_EQ(a.icBreite, b.icBreite);
    EXPECT_EQ(a.icHoehe, b.icHoehe);
    EXPECT_EQ(a.viewHeld, b.viewHeld);
    EXPECT_EQ(a.pinLabels, b.pinLabels);
    EXPECT_EQ(a.aktAnschluss, b.aktAnschluss);
    EXPECT_EQ(a.anschlussZellen, b.anschlussZellen);
    EXPECT_EQ(a.anschluesse, b.anschluesse);
    EXPECT_EQ(a.tags, b.tags);
    EXPECT_EQ(a.anzAnschluesse, b.anzAnschluesse);
    EXPECT_EQ(a.notizen, b.notizen);
    EXPECT_EQ(a.icBox, b.icBox);
    EXPECT_EQ(a.undoHooks, b.undoHooks);
    EXPECT_EQ(a.stillRunden, b.stillRunden);
    EXPECT_EQ(a.levelChanges, b.levelChanges);
    EXPECT_EQ(a.icPinRoutes, b.icPinRoutes);
    EXPECT_EQ(a.loopWindow, b.loopWindow);
    EXPECT_EQ(a.analyseSpalten, b.analyseSpalten);
    EXPECT_EQ(a.analyseZeilen, b.analyseZeilen);
    EXPECT_EQ(a.analyseX, b.analyseX);
    EXPECT_EQ(a.analyseLetzter, b.analyseLetzter);
    EXPECT_EQ(a.analyseSchritte, b.analyseSchritte);
    EXPECT_EQ(a.analyseBreite, b.analyseBreite);
    EXPECT_EQ(a.analyseNeu, b.analyseNeu);
    EXPECT_EQ(a.portMeldung, b.portMeldung);
    EXPECT_EQ(a.analyseWerte, b.analyseWerte);
    EXPECT_EQ(a.webAdresse, b.webAdresse);
    EXPECT_EQ(a.serviceAdresse, b.serviceAdresse);
    EXPECT_EQ(a.runKeysHost, b.runKeysHost);
    EXPECT_EQ(a.runKeysStamp, b.runKeysStamp);
    EXPECT_EQ(a.runTimeHost, b.runTimeHost);
    EXPECT_EQ(a.runTimeStamp, b.runTimeStamp);
}

using StartupResetTest = test::CoreFixture;

TEST_F(StartupResetTest, InitProgramStateRestoresEveryCoreGlobal) {
    const Snapshot fresh = Snapshot::Take();
    const SelectionSnapshot freshSelection = SelectionSnapshot::Take();

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
    gPaused = true;
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

    InitProgramState();
    ExpectSame(Snapshot::Take(), fresh);
    EXPECT_TRUE(SelectionSnapshot::Take() == freshSelection);
}

} // namespace
} // namespace kardo
