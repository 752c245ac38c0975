// German texts of the system error numbers that file operations report.
#pragma once

#include <string>

namespace kardo {

// The German text of a system error number of a file operation ("Zugriff verweigert"); an
// unknown number gives "unbekannter Systemfehler (Nummer n)".
std::string FileErrorText(int err);

} // namespace kardo
