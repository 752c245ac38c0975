// The pointer to the platform services in force.
#include "platform/platform.h"

namespace kardo {

Platform* gPlatform = nullptr;

} // namespace kardo
