// The placement frame shared by the placing and removing operations of every element kind: the
// inputs they read, the border rule, the collision test, the area clearing and the common steps
// of placing a block element and of removing one.
#pragma once

#include "model/elements.h"
#include "model/footprint.h"

#include <cstdint>
#include <string_view>

namespace kardo {

extern std::uint8_t gOrientierung;  // orientation of the next placed element, 1..4; 2 at start
extern std::int32_t gFarbe;         // colour of the next LED (red + 256 green + 65536 blue); 255
extern std::int16_t gZweiEingaenge; // the gate being placed has two inputs (truth value)

// Start-up values of the placing inputs above.
void ResetPlacementInputs();

// Border rule: one free cell to every edge of the sheet (X1 >= 1, Y1 >= 1, X2 <= W - 1,
// Y2 <= H - 1).
bool FitsSheet(const Footprint& f);

// True when the rectangle may not receive an element: an element cell anywhere, or a wire cell
// that runs along the border or into the area (a wire may end on the border from outside).
bool IsAreaBlocked(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
inline bool IsAreaBlocked(const Footprint& f) { return IsAreaBlocked(f.X1, f.Y1, f.X2, f.Y2); }

// Clears the rectangle of a removed element: border cells whose wire continues outside become
// wire cells keeping the wire flags their neighbours answer, every other cell empty without
// flags; point marks, IC fields and element numbers become 0.
void ClearArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2);
inline void ClearArea(const Footprint& f) { ClearArea(f.X1, f.Y1, f.X2, f.Y2); }

// Writes type and element number into every cell of the rectangle; other fields stay.
void MarkArea(const Footprint& f, std::uint8_t typ, std::int16_t nr);

// The common steps of placing a block element: border rule, collision test, the undo step with
// undoText for exactly the footprint, the appended record (Typ, Nr, Richtung = gOrientierung)
// and the marked cells. Returns the new record for the caller to add pin lists, text and colour
// and to draw, or nullptr when the footprint was refused (then nothing changed). The reference
// is valid until the element list changes again.
ElementRecord* PlaceBlock(const Footprint& f, std::uint8_t typ, std::string_view undoText);

// The common steps of removing element n that covers the rectangle: the undo step with
// undoText, ClearArea, DeleteElementRecord and the redraw of the rectangle grown by one cell.
void RemoveBlock(const Footprint& f, std::int16_t n, std::string_view undoText);

// Sets the drawing object's orientation to gOrientierung before a drawer is called.
void PrepareDrawing();

// The number of the element under the cursor cell, 0 none.
std::int16_t CursorElement();

} // namespace kardo
