// What the program learns about the machine: the operating-system name, the special folders
// and the program's own folder.
#pragma once

#include <string>

namespace kardo {

// The program's version as the splash window and the About box show it.
inline constexpr const char* kVersionText = "Version 1.0";

extern std::string gOSName; // operating-system name, set by GetOSName; "" until then

// Special folder numbers of GetSpecialFolder.
constexpr int kFolderPersonalDocuments = 5;
constexpr int kFolderCommonDocuments = 46;

// The operating-system name and release ("Linux 6.1.0-18-amd64"), kept in gOSName;
// "unbekanntes Betriebssystem" when the system does not say.
std::string GetOSName();

// The path of a special folder without a trailing "/": 5 the user's documents folder (the XDG
// documents folder of ~/.config/user-dirs.dirs, when it exists); "" when there is none, and
// always for 46, since this system has no common documents folder.
std::string GetSpecialFolder(int folder);

// The user's home folder ($HOME) without a trailing "/"; "" when it is not set or not there.
std::string HomeFolder();

// The folder of the running program, ending in "/".
std::string ProgramFolder();

} // namespace kardo
