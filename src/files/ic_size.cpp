// Package size of the IC chosen for placement.
#include "files/ic_size.h"

namespace kardo {

std::int16_t gICBreite = 0;
std::int16_t gICHoehe = 0;

void ResetICSize() {
    gICBreite = 0;
    gICHoehe = 0;
}

} // namespace kardo
