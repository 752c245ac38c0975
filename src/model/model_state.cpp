// The start-up state of the placing and undo modules of the worksheet model.
#include "model/model_state.h"

#include "model/basic_elements.h"
#include "model/place_ic.h"
#include "model/placement.h"
#include "model/undo.h"
#include "model/utilities.h"

namespace kardo {

bool gUnveraendert = true;

void ResetModelState() {
    gUnveraendert = true;
    ResetUndoHistory();
    ResetPlacementInputs();
    ResetICPlacement();
    ResetAnalysisPoints();
    ResetToolState();
    InstallICUndoHooks();
}

} // namespace kardo
