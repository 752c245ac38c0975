// Painting the worksheet: the element-draw dispatch, the full redraw and the area redraw.
// Every editing operation ends in one of them.
#pragma once

#include "platform/draw_target.h"

#include <cstdint>

namespace kardo {

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

// Draws again, on the worksheet picture, every text label whose text can lie on the cells
// (x1, y1) to (x2, y2): those with a cell there or just below, and those whose text runs on
// over free cells into them from the left.
void DrawLabelsOver(int x1, int y1, int x2, int y2);

// RedrawArea for a rectangle the caller does not need back.
inline void RedrawAreaValue(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                            bool DontShowText) {
    RedrawArea(X1, Y1, X2, Y2, DontShowText);
}

} // namespace kardo
