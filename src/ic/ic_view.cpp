// State of the IC level view.
#include "ic/ic_view.h"

namespace kardo {

bool gInLevel = false;

} // namespace kardo
