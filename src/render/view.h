// The worksheet view: the size of the worksheet picture, its grid dots, the viewport around it
// with the scroll bars HScroll and VScroll (counting cells), automatic scrolling near the edges,
// and the part of the picture that is kept and drawn.
#pragma once

#include "platform/draw_target.h"

#include <cstdint>
#include <vector>

namespace kardo {

extern bool gShowGrid; // grid dots shown on empty cells; set by the grid key and the settings;
                       // true by ResetView
extern bool gScroll;   // automatic scrolling at the sheet's edge (setting "Scroll"); true by
                       // ResetSettings

// A scroll bar of the viewport, in cells.
struct ScrollBarState {
    bool Visible = false;   // shown: the sheet does not fit the viewport this way
    std::int16_t Value = 0; // cells scrolled away at the left (top); 0 while hidden
    std::int16_t Max = 0;   // largest value: cells of the sheet - visible cells + 3, never < 0
    bool operator==(const ScrollBarState&) const = default;
};

extern ScrollBarState gHScroll;           // horizontal scroll bar HScroll; reset by ResetView
extern ScrollBarState gVScroll;           // vertical scroll bar VScroll; reset by ResetView
extern std::vector<PixelBox> gLabelTexts; // the pixels of each label text on the worksheet
                                          // picture, a box each (ink margin included); emptied
                                          // when the picture is cleared; reset by ResetView

// Pixels kept around the viewport on every side, so that a scroll by a few cells shows what is
// already drawn.
constexpr int kPictureMargin = 96;
// Most pixels the worksheet picture may hold: a 200 x 200 sheet at 250 % (7,035 px a side)
// fits. The picture holds the viewport and its margin, so only a giant viewport reaches it.
constexpr std::int64_t kPictureBudget = std::int64_t{7035} * 7035;

// Start-up state: grid dots shown, no scroll bars, nothing scrolled, no label texts noted.
void ResetView();

// A label text was painted on the worksheet picture over box (its white ground and its letters).
void NoteLabelText(const PixelBox& box);

// Cell size in pixels at the current zoom: GridPixel x GridMode.
double CellPixels();
// Sizes the worksheet picture to (W + 1) x (H + 1) cells at the current zoom, white.
void SizeWorksheetPicture();
// Draws (gShowGrid) or erases the grid dots of every empty cell the picture keeps.
void DrawGrid();

// Cells visible across (G = 1) or down (G = 2): the smaller of the viewport and the picture,
// divided by the cell size, a half to the even neighbour; 0 for any other G.
std::int16_t GetVisibleArea(int G);
// Stores the first and last visible column and row in gGrafik.VStartX .. VEndY; the last never
// beyond the sheet.
void GetVisibleP();
// Lays out the scroll bars for the picture's size and the viewport, keeps the part the viewport
// shows (drawing it again when it moved) and GetVisibleP; nothing while the window is minimised.
void ResizeWorksheet();

// Left and top of the picture in the viewport, in pixels (0 or negative): the scroll value in
// cells times the cell size, rounded down.
std::int32_t PictureLeft();
std::int32_t PictureTop();
// The sheet pixels the viewport shows: from (-PictureLeft(), -PictureTop()), viewport-sized.
PixelBox ShownPart();

// A scroll bar was moved by the user: the picture follows, GetVisibleP.
void HScroll_Change(int value);
void VScroll_Change(int value);
// Sets a scroll bar from the program (clamped to 0..Max of a shown bar; a hidden bar stays at
// 0); a change of value acts as the user's change.
void SetHScrollValue(int value);
void SetVScrollValue(int value);
// Scrolls so that cell (cx, cy) lies under the viewport pixel (vx, vy), as far as whole cells
// and the bars' ranges allow.
void ScrollCellTo(int cx, int cy, int vx, int vy);

// While a gesture runs and "Scroll" is on: with the mouse at sheet pixel (x, y) within 20 pixels
// of an edge of the visible part, scrolls one cell towards that edge (both near a corner), not
// beyond the bars' ranges. True when it scrolled; (x, y) then become the sheet pixel now under
// the mouse.
bool AutoScroll(std::int32_t& x, std::int32_t& y);

// Ends a running worksheet gesture (as its release would) and accepts an open label edit: the
// zoom, resize and panel commands call it before they change the view.
void EndGestureForView();

} // namespace kardo
