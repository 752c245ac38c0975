// Small shared procedures of the worksheet: a timed wait that keeps the window responsive, the
// error-number messages, the status-bar text, saving and restoring the editing tool, and the drag
// outline of a selected element.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kardo {

extern std::uint8_t gMouseMode; // current tool code; 1 (wire) at start; reset by ResetToolState
extern std::uint8_t gSavedMouseMode;  // tool saved by SaveToolState
extern int gSavedMousePointer;        // worksheet pointer saved by SaveToolState
extern std::string gSavedToolKey;     // key of the pressed element-toolbar button, "cmdLeitungen"
extern std::int16_t gSavedToolButton; // its index (1-based); 3 with "cmdLeitungen"
extern std::array<std::int16_t, 8> gPropertyFlags; // flags last given to the property window

// Position and size in pixels of the drag outline of one selection slot.
struct MoveShape {
    std::int16_t x = 0; // left
    std::int16_t y = 0; // top
    int w = 0;          // width
    int h = 0;          // height
    bool operator==(const MoveShape&) const = default;
};
extern std::vector<MoveShape>
    gMoveShapes; // drag outlines by selection slot, 1-based; entry 0 unused

// Start-up values of the tool state above.
void ResetToolState();

// The keys of the element toolbar Toolbar2 in toolbar order (key 1 at index 0); cmdDecoderT
// follows cmdDecoder.
extern const std::array<std::string_view, 20> kToolbar2Keys;

// Waits until more than seconds have passed on the pump's monotonic clock, letting window
// events run as they come unless noEvents; between events the pump sleeps.
void Wait(double seconds, bool noEvents);

// Shows the message or status text for an error number.
void ShowErrorText(int errorNumber);

// The text of status-bar panel 2.
void SetStatusText(std::string_view text);

void SaveToolState();
void RestoreToolState();

// Sizes the drag outline of slot for element n and records it in gMoveShapes (grown as needed).
MoveShape SetMoveShape(std::int16_t elementNr, std::int16_t slot);

} // namespace kardo
