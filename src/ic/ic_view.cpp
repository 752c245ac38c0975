// State of the IC level view and its reset.
#include "ic/ic_view.h"

#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/ic_choice.h"
#include "ic/levels.h"
#include "ic/pin_labels.h"

namespace kardo {

void ResetICView() {
    gCircuitView = CircuitView{};
    ResetICPinLabels();
    ResetICChoice();
    ResetICSize();
    ResetICDefinitionState();
}

} // namespace kardo
