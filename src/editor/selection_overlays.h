// The overlay controls of the selection on the worksheet picture: the four corner markers of
// every selected element (PObj0 to PObj3) and the drag outline of every moved element
// (picBorder), one of each per selection slot. Every change goes through SetOverlay, which
// collects the pixel rectangles that must be painted again; the worksheet canvas takes them
// after each event.
#pragma once

#include "editor/overlays.h"

#include <array>
#include <vector>

namespace kardo {

struct SelectionOverlays {
    std::vector<std::array<OverlayShape, 4>>
        PObj; // corner markers by slot (1-based, entry 0 unused): top-left, top-right,
              // bottom-left, bottom-right
    std::vector<OverlayShape> picBorder; // drag outlines by slot (1-based, entry 0 unused)
    bool operator==(const SelectionOverlays&) const = default;
};

extern SelectionOverlays gSelOverlays; // selection overlays of picGrid; reset by ResetSelection
extern std::vector<PixelRect>
    gSelectionDirt; // pixel rectangles to paint again; emptied by the canvas and ResetSelection

// Side of a corner marker in pixels.
constexpr int kMarkerSize = 5;

// Replaces shape by now; when they differ both rectangles are noted for painting.
void SetOverlay(OverlayShape& shape, const OverlayShape& now);
// Loads slot k's markers (or outline): the arrays grow to hold slot k.
std::array<OverlayShape, 4>& MarkersOf(int slot);
OverlayShape& OutlineOf(int slot);
// Hides and drops every marker (or outline) from slot k on.
void UnloadMarkersFrom(int slot);
void UnloadOutlines();

// gSelectionDirt holds at most a few dozen rectangles: more are merged into their bounding box,
// so a drag of many outlines repaints one rectangle instead of thousands.

} // namespace kardo
