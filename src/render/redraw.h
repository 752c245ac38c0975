// Painting the worksheet: the element-draw dispatch, the full redraw and the area redraw.
// Every editing operation ends in one of them.
#pragma once

#include "platform/draw_target.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kardo {

// The drawing state a drawer finds: the target's pen, fill, font and text position, and the
// drawing object's orientation. Some marks draw with what they find (a connection point's box
// takes the current fill).
struct DrawState {
    Color ForeColor = 0;
    Color FillColor = 0;
    FillMode FillStyle = FillMode::Transparent;
    LineStyle DrawStyle = LineStyle::Solid;
    int DrawWidth = 1;
    std::string FontName;
    double FontSize = 0;
    bool FontBold = false;
    double CurrentX = 0;
    double CurrentY = 0;
    std::uint8_t Orientation = 0;
    bool operator==(const DrawState&) const = default;
};

// The drawing states the last full redraw of the worksheet picture met: before the marks of
// each cell that has some (key x * Rows + y, in drawing order), before each element (index = its
// number), before the selected clock's highlight and before the IC pin names.
struct RedrawStates {
    bool Valid = false;                           // a full redraw recorded them
    int Rows = 0;                                 // rows of the sheet then (H + 1)
    std::vector<std::pair<int, DrawState>> Cells; // cells with marks, by key
    std::vector<DrawState> Elements;              // 1-based; entry 0 unused
    DrawState Clock;                              // before SelectTimer
    DrawState Labels;                             // before the IC pin names
    bool operator==(const RedrawStates&) const = default;
};

extern RedrawStates gRedrawStates; // states of the last full redraw; reset by ResetRedrawStates

void ResetRedrawStates();

// Draws the element that occupies cell (x, y) through its drawer and anchor cell; a switch cell
// draws its switch. DontShowText keeps text labels from being drawn; OnlyBorder asks for the
// outline only.
void DrawElement(std::int16_t x, std::int16_t y, bool DontShowText, bool OnlyBorder);
// The element covering cell (x, y) has an outline view (DrawElement with OnlyBorder draws less
// than the whole symbol): AND, OR, decoder, flip-flop, IC. False on a switch cell.
bool HasOutlineView(std::int16_t x, std::int16_t y);

// Draws clock element e at its body position (its output point three cells back against its
// orientation), with the highlight of the selected clock when Border.
void DrawClock(std::int16_t e, bool Border);

// Full redraw of the worksheet with the live levels of simulation level nr: sizes and clears
// the picture, rebuilds the wire-run list, draws every wire run, the grid dots and every element.
void RedrawAllElements(std::int16_t nr);

// Draws the part of the worksheet picture it keeps again from the grid, exactly as the full
// redraw draws it there (the picture keeps only what the viewport shows; the view calls this
// when that part moves).
void RedrawPicture();

// Redraws the cells from (X1, Y1) to (X2, Y2) on the worksheet picture. The corners are clamped
// to the sheet in place, so the caller's variables come back clamped.
void RedrawArea(std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2, std::int16_t& Y2,
                bool DontShowText);

// RedrawArea for a rectangle the caller does not need back.
inline void RedrawAreaValue(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                            bool DontShowText) {
    RedrawArea(X1, Y1, X2, Y2, DontShowText);
}

} // namespace kardo
