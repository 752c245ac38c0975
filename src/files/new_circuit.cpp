// Clearing the circuit and the new empty worksheet.
#include "files/new_circuit.h"

#include "app/file_object.h"
#include "app/main_state.h"
#include "editor/text_labels.h"
#include "files/text_helpers.h"
#include "ic/ic_definition_mode.h"
#include "ic/level_tree.h"
#include "model/basic_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/analysis.h"
#include "simulation/power.h"

#include <string>

namespace kardo {

namespace {

// The clock tables with entry 0 alone, emptied, then one pulse and linked; timers 1.. unloaded.
void ClearClocks() {
    gTaktElement.assign(1, 0);
    gTaktZeit1.assign(1, 0);
    gTaktZeit0.assign(1, 0);
    gTaktLink.assign(1, kTrue);
    gAnzTakte.assign(1, 1);
    gTaktZaehler.assign(1, 0);
    gTaktAusgang.assign(1, 0);
    gTaktFlag.clear();
    gAktTakt = 0;
    gAnzTaktgeber = 0;
    TimerArray& timers = Timer2();
    while (timers.UBound() > 0)
        timers.UnloadLast();
}

// With the element list emptied: the table loses its columns and rows, the timing diagram goes
// back to its one empty strip, whichever strips the points had.
void ClearAnalysisPoints(HostWindow& host) {
    gAnzAnalysepunkte = 0;
    host.RefreshAnalysisList();
    ClearAnalysisTraces();
    host.ClearGraphs();
}

} // namespace

void ClearCircuit() {
    HostWindow& host = Host();

    gGrid.Create(gFeldBreite + 1, gFeldHoehe + 1);
    gElements.assign(1, ElementRecord{});
    gAnzElemente = 0;
    ResetSimLevels();
    ResetICInstances();

    gFile.FileName.clear();
    gFile.FilePath.clear();

    ClearClocks();
    ClearICDefinition();
    RefreshTreeView();

    // While the main window is still loading there is no history to clear yet.
    if (gAktiviert != 0)
        gUndo.DeleteUndoData(false);

    ClearAnalysisPoints(host);
}

void NewCircuit(bool noRedraw) {
    txtBeschriftung_LostFocus();
    HostWindow& host = Host();
    if (gPowerOn)
        PressOffButton();
    ClearCircuit();

    host.SetCaption(ctl::txtX, std::to_string(gFeldBreite));
    host.SetCaption(ctl::txtY, std::to_string(gFeldHoehe));
    host.SetEnabled(ctl::mAnsichtItem_2, false);
    host.SetEnabled(ctl::mUndoList, false);
    if (!noRedraw) {
        RedrawAllElements(0);
        DrawGrid();
    }

    if (gMouseMode == kTypeIC) {
        host.SetChecked(ctl::cmdIC, false);
        host.SetChecked(ctl::cmdLeitungen, true);
        gMouseMode = kToolWire;
        host.ChangePropertyWindow({});
        host.ChangeSelPicture(kToolWire);
        for (int i = 1; i <= 22; ++i)
            host.SetChecked(ctl::mBauteil(i), i == 1);
    }
    host.SetCaption(ctl::frmKardo, "Neue Schaltung");
}

void CreateNewWorksheet(std::int16_t width, std::int16_t height) {
    // A label being written goes into the old sheet before its size changes.
    txtBeschriftung_LostFocus();
    // Switched off first: the switch-off redraws the sheet at its old size.
    if (gPowerOn)
        PressOffButton();
    gFeldBreite = width;
    gFeldHoehe = height;
    NewCircuit(false);
}

} // namespace kardo
