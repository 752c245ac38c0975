// State of the worksheet gesture in progress.
#include "editor/gesture_state.h"

namespace kardo {

GestureState gGesture;

void ResetGestureState() { gGesture = GestureState{}; }

} // namespace kardo
