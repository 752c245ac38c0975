// Layout of the main window: the viewport and its scroll bars, the window's minimum size and the
// formula input line's keys.
#pragma once

namespace kardo {

class frmKardo;

// The smallest window: 5900 x 3140 twips.
constexpr int kMinWindowWidth = 393;
constexpr int kMinWindowHeight = 209;

// Connects the formula line's keys and menu entry and sets the minimum size; called once the
// menus, toolbars and panels are built.
void ConnectWindowLayout(frmKardo& window);

} // namespace kardo
