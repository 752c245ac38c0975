// The program's start, shared by main() and by the tests and benchmarks that drive the window:
// the splash window, the settings root, the command-line file, the main window's load in its four
// stages and the window shown.
#pragma once

#include <functional>
#include <string_view>

namespace kardo {

class frmKardo;

// Called with each stage text of the load as the splash window shows it.
using StageSeenFn = std::function<void(std::string_view)>;

// Starts the program into window, whose platform services are installed: shows the splash
// window, chooses the settings root, hands file (a circuit named on the command line, "" for
// none) to the window, waits 2 s, runs the window's load with its stage texts in the splash,
// hides the splash and shows the window, whose first activation follows. False when the load
// ended the start (the program then ends).
bool StartProgram(frmKardo& window, std::string_view file, const StageSeenFn& stageSeen = {});

} // namespace kardo
