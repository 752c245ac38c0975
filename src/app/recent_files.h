// The recent-files entries of the file menu.
#pragma once

namespace kardo {

// Sets the captions ("&1 " and the path) and visibility of the menu entries mUsedFiles_0 to 3
// from gLastFiles, and shows the separator above "&Beenden" (mUsedFilesLine) when any is shown.
void BuildRecentFilesMenu();

} // namespace kardo
