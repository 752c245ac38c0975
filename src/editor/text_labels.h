// Text labels on the worksheet: one-line texts anchored at a cell, whose cells carry type 22 and
// the label's element number along the anchor row. The in-place editor txtBeschriftung that
// creates and changes them is a state here; the window's line edit shows it and reports keys,
// text and focus loss back. No nested event loop: opening the editor returns at once, and the
// key and focus handlers finish the edit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

// Results of the editor, gTextEditResult.
constexpr std::uint8_t kTextEditing = 0;    // the editor is open
constexpr std::uint8_t kTextCancelled = 1;  // Escape closed it
constexpr std::uint8_t kTextAccepted = 255; // Enter or focus loss accepted the text

// The in-place editor txtBeschriftung. Geometry in pixels of the worksheet picture.
struct LabelEditBox {
    bool Visible = false;       // shown and editing
    double Left = 0;            // left edge: the centre of the anchor cell
    double Top = 0;             // top edge
    double Width = 0;           // width; grows as the text does
    double Height = 0;          // height: one text line and a fifth of a cell
    double FontSize = 8;        // point size, gTextFontSize x zoom
    std::string Text;           // the text in the box (UTF-8), kept up to date by the window
    int SelLength = 0;          // characters selected in the box, kept up to date by the window
    int MaxLength = 0;          // characters the box takes; 0 unlimited
    bool Edit = false;          // editing the label ElementNr; else creating one at the anchor
    std::int16_t AnchorX = 0;   // anchor cell of the label: its column
    std::int16_t AnchorY = 0;   // its row
    std::int16_t ElementNr = 0; // the label being edited; 0 when creating
    std::string AnchorPins;     // its pin-list text when opened: it must still be that label
    std::uint32_t Openings = 0; // counts openings, so the window sets its text only on a new one
    bool operator==(const LabelEditBox&) const = default;
};

extern std::int16_t gTextFontSize;    // label font size in points, 8; reset by ResetTextLabels
extern std::uint8_t gTextEditResult;  // kTextEditing, kTextCancelled or kTextAccepted of the
                                      // last edit; reset to kTextEditing by ResetTextLabels
extern LabelEditBox gTxtBeschriftung; // the in-place editor; reset by ResetTextLabels

// Start-up state: the editor closed, font size 8.
void ResetTextLabels();

// Creates a label at the cursor cell ("CREATE", the cell must be empty) or edits the label under
// it ("EDIT") through the in-place editor. Returns when the editor is open.
void ChangeBeschriftung(std::string_view CREATEorEDITorREMOVE);
// Places and opens the in-place editor at the anchor; Edit: the box already holds the label's
// text, which is selected whole.
void PromptBeschriftungsText(bool Edit);
// The in-place editor txtBeschriftung is open.
bool BeschriftungEditorVisible();

// The editor's key handling for one typed character (KeyAscii: its code; 13 Enter, 8 Backspace,
// 27 Escape). Sets KeyAscii to 0 when the box must not take the key. Enter accepts, Escape
// without a selection cancels; a character that would run the text into an occupied cell or
// past the last column is refused by the box's maximum length.
void txtBeschriftung_KeyPress(int& KeyAscii);
// The editor lost the focus: the text is accepted. Also called by every command that changes
// the sheet (load, new, undo, zoom, size, power, tool change), so that no edit stays open.
void txtBeschriftung_LostFocus();

// Creates a label with InitString at anchor (iX, iY) without the editor and without an undo
// step, and draws it; for texts written by the program itself. Returns its element number; 0
// (nothing made) for a text of blanks, an anchor outside the sheet or an anchor cell in use.
std::int16_t InitTextBox(std::int16_t iX, std::int16_t iY, std::string_view InitString);

// Draws label ObjNr on the drawing device; with OldText (the text before a change) redraws the
// cells the old and the new text cover instead. Drawing never changes a cell: a label's cells
// are set when it is written, changed or moved, each in its undo step. The text is clipped to
// its cells and the free cells after them (a text can come out a little wider at another zoom
// than when its cells were set); it never runs into a cell that holds anything else.
void DisplayBeschriftungsText(std::int16_t ObjNr, std::string_view OldText);

// The last column (x2 at least) reached by the labels anchored in the rectangle once they are
// moved dx columns: at their new place, moved labels take the free cells their text reaches
// there, which can be one more than they had, the text's end being rounded to a cell.
std::int16_t MovedLabelsReach(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                              int dx);

// A moved label takes the free cells its text reaches at its new place (the caller's undo step
// covers them, see MovedLabelsReach). Nothing for an element that is no label. Returns the last
// column it took (the caller's redraw must reach it), 0 when it took none.
int TakeLabelCells(std::int16_t n);

// A character the label editor takes: printable and in the files' code page (Windows-1252).
bool LabelCharacterAllowed(char32_t c);

} // namespace kardo
