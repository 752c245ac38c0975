// Start-up state of the program's globals.
#include "app/startup.h"

#include "app/main_state.h"
#include "editor/mouse_dispatch.h"
#include "files/circuit_file.h"
#include "files/ic_instances.h"
#include "ic/ic_view.h"
#include "model/block_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/model_state.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/sim_core.h"

namespace kardo {

void InitProgramState() {
    gGrafik = clsGrafik{};
    gGrafik.Device = gPlatform ? gPlatform->screen : nullptr;
    gGrafik.GridPixel = 14;
    gGrafik.GridMode = 1.0f;
    gPolyPoints.clear();
    gLinienFarbe = 0;
    gRaster = 14;
    gShowGrid = true;

    gElements.assign(1, ElementRecord{});
    gAnzElemente = 0;
    CreateWorksheet(50, 30);
    gCursorX = gCursorY = 0;
    gCurLevel = 0;
    gInLevel = false;
    ResetICView();

    gEingangsPunkte.assign(21, GridPoint{});
    gAnzEingangsPunkte = 0;
    gAusgangsPunkte.assign(21, GridPoint{});
    gAnzAusgangsPunkte = 0;

    ResetClockTables();
    ResetClockTimers();
    ResetBlockPlacement();
    ResetICInstances();
    ResetCircuitFile();
    ResetSimLevels();
    ResetSimulation();
    ResetModelState();
    ResetAppGlobals();
    ResetMouseDispatch();
    ResetView();
}

} // namespace kardo
