// The state of one worksheet gesture, from a press to its release, shared by the mouse
// dispatcher, the wire band, the frames and the moves.
#pragma once

#include <array>
#include <cstdint>

namespace kardo {

struct GestureState {
    bool LineActive = false;     // a press on the sheet is in progress
    std::int16_t LineStartX = 0; // anchor cell of the wire band or of a new frame
    std::int16_t LineStartY = 0;
    std::int16_t DragX = 0; // object drag: press cell; area drag: press cell - area corner
    std::int16_t DragY = 0;
    std::int16_t DifX = 0; // offsets handed to the object and area moves
    std::int16_t DifY = 0;
    bool PullH = false;          // the wire band draws its horizontal leg first
    bool PullV = false;          // the wire band draws its vertical leg first
    std::int32_t LastMouseX = 0; // press position in whole pixels of the sheet
    std::int32_t LastMouseY = 0;
    std::int32_t MouseX = 0; // last move position in whole pixels of the sheet
    std::int32_t MouseY = 0;
    std::int16_t AreaEndX = 0; // cell the area frame was last stretched to
    std::int16_t AreaEndY = 0;
    std::array<std::int16_t, 3> LineX{}; // band cells read back: 0 start, 1 corner, 2 end
    std::array<std::int16_t, 3> LineY{};
    int GestureButton = 0; // button (1, 2, 4) whose press started the gesture; 0 none
    bool operator==(const GestureState&) const = default;
};

extern GestureState gGesture; // the worksheet gesture in progress; reset by ResetGestureState

void ResetGestureState();

} // namespace kardo
