// The worksheet's mouse and key input: the cursor cell, the press, move and release handlers by
// tool code, the placing dispatcher, the double click, the space key and the mouse pointer.
// The worksheet canvas forwards its events here; nothing in here knows the window system.
#pragma once

#include <cstdint>

namespace kardo {

// Mouse buttons and shift bits as the handlers receive them.
constexpr int kButtonLeft = 1;
constexpr int kButtonRight = 2;
constexpr int kButtonMiddle = 4;
constexpr int kShiftKey = 1;
constexpr int kCtrlKey = 2;

// Pointer codes of the worksheet picture besides those of the host window.
constexpr int kPointerArrow = 1;
constexpr int kPointerSize = 5;
constexpr int kPointerSizeAll = 15;

// Which custom icon pointer code 99 shows.
enum class PointerIcon : std::uint8_t {
    None,       // no custom icon chosen
    SwitchHand, // the icon of the label lblIC: a switch or wire end can be clicked while powered
    PinMark,    // the main window's own icon: a wire end can be named as an IC pin
};
extern PointerIcon gPointerIcon; // icon of pointer code 99; reset by ResetMouseDispatch

// Start-up state of the worksheet editor: the gesture, the overlays, the wire tool, the wire-run
// list and the pointer icon.
void ResetMouseDispatch();

// Button: 1 left, 2 right, 4 middle (the one pressed or released; the held ones on a move).
// Shift: bit 1 Shift, bit 2 Ctrl. X, Y: pixels on the worksheet picture.
void picGrid_MouseDown(int Button, int Shift, double X, double Y);
void picGrid_MouseMove(int Button, int Shift, double X, double Y);
void picGrid_MouseUp(int Button, int Shift, double X, double Y);
// A double click arrives between the first release and the second release, without a second
// press of its own.
void picGrid_DblClick();
void picGrid_KeyPress(int KeyAscii);

// The window system reports which buttons are still held (a mask of the codes above). A gesture
// whose button is no longer held lost its release (a dialog took the mouse) and is dropped.
void ForgetReleasedButtons(int heldButtons);

// Places the current tool's element at the cursor cell.
void CheckMouseMode();
// Chooses the worksheet's pointer for the current tool, cell and held button.
void ChangeMouseCursor(int Button);

} // namespace kardo
