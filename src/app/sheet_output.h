// The worksheet on other targets than the window: the bitmap export and the printout. Both draw
// the whole sheet through the full redraw into a target of their own, so the window's picture
// and its view stay as they are.
#pragma once

#include "platform/draw_target.h"

#include <optional>
#include <string>

namespace kardo {

// Width and height in pixels of the whole sheet, (W + 1) x (H + 1) cells of 14 x zoom pixels.
int SheetPixelWidth(float zoom);
int SheetPixelHeight(float zoom);

// Draws the whole sheet at the current zoom into target (sized and cleared white first) with
// the grid dots when they are shown; the drawing object's device is restored afterwards.
void DrawWholeSheet(DrawTarget& target);

// Asks for the name of the bitmap file in the bitmap folder ("Als Bitmap speichern"). Nothing
// when the dialog was cancelled or returned no name; a name without ".bmp" gets it (an existing
// file of that name is asked about).
std::optional<std::string> AskBitmapFileName();

// The message of a bitmap or printout that could not be written ("Dateifehler").
void ReportWriteFailure(const std::string& path, const std::string& reason);

// How the sheet lies on a printed page.
struct PrintLayout {
    float zoom = 1.0f;    // the drawing object's zoom on the page
    double offsetX = 0.0; // where the sheet's top left corner lies on the page, in page pixels
    double offsetY = 0.0;
    bool operator==(const PrintLayout&) const = default;
};

// The sheet is printed across the page when it is wider than high.
bool PrintLandscape();

// The largest zoom at which the whole sheet fits the page (page pixels) inside the margin, the
// sheet centred.
PrintLayout FitSheetOnPage(int pageWidth, int pageHeight, int margin);

// Prints the whole sheet onto page at the layout's zoom, then restores the drawing object's
// device and the zoom in force before and redraws the window's sheet.
void PrintCircuit(DrawTarget& page, float zoom);

} // namespace kardo
