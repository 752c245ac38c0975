// Start-up state of the program's globals.
#include "app/startup.h"

#include "app/main_state.h"
#include "editor/mouse_dispatch.h"
#include "editor/selection.h"
#include "files/circuit_file.h"
#include "ic/ic_view.h"
#include "model/block_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/model_state.h"
#include "model/pin_points.h"
#include "model/sim_levels.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/sim_core.h"

namespace kardo {

// Each module's own reset sets the globals its header declares.
void InitProgramState() {
    ResetGrafik();
    ResetElements();
    ResetWorksheet();
    ResetICView();
    ResetPinPoints();
    ResetClockTables();
    ResetClockTimers();
    ResetBlockPlacement();
    ResetICInstances();
    ResetCircuitFile();
    ResetSimLevels();
    ResetSimulation();
    ResetModelState();
    ResetSelection();
    ResetAppGlobals();
    ResetMouseDispatch();
    ResetView();
}

} // namespace kardo
