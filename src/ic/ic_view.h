// State of the IC level view on the worksheet.
#pragma once

namespace kardo {

extern bool gInLevel; // an IC level (not the circuit) is shown on the worksheet; reset by ShowLevel(0)

} // namespace kardo
