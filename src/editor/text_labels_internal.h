// What the label editor and the label drawing share: the label font's measure, the cell run a
// text covers, and creating and changing a label record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

struct LabelTextSize {
    double Width = 0;  // pixels
    double Height = 0; // pixels
};

// The size of a text in the label font at the current zoom, as the measuring label
// lblBeschriftung gives it: measured on the worksheet picture, whatever the drawing device is.
LabelTextSize MeasureLabelText(std::string_view text);

// RedrawArea of a rectangle kept within columns 0..W and rows 0..H of the sheet.
void RedrawSheetCells(int x1, int y1, int x2, int y2);

// The zoomed cell size: 14 x zoom rounded to an integer, a half to the even one.
double LabelCellSize();

// The last column of the run of cells that a text of textWidth pixels anchored at (x, y)
// covers: up to the cell the text's end lies in, but not past the last column and not into a
// cell held by anything other than label nr (0 while a label is being created). Free cells count
// only with takeFree. At least the anchor column.
int LabelRunEnd(int x, int y, double textWidth, std::int16_t nr, bool takeFree);

// The number of characters of a UTF-8 text.
int CharacterCount(std::string_view utf8);

// A text as a label keeps it: the characters a label does not take dropped, and the leading
// and trailing blanks (which the file drops too).
std::string CleanLabelText(std::string_view text);

// Creates label text at anchor (x, y), with the undo step "Text hinzufügen" when withUndo, and
// draws it. Its cells run along the anchor row up to the first occupied cell. Returns its
// number; 0 (nothing made) for an empty text, an anchor outside the sheet or a cell in use.
std::int16_t CreateLabel(int x, int y, const std::string& text, bool withUndo);

// Replaces the text of label n with the undo step "Text ändern" over its old and new cells: its
// cells run as far as the new text reaches (free cells taken, those beyond freed); then redraws.
// Nothing for an unchanged text.
void ChangeLabelText(std::int16_t n, const std::string& text);

} // namespace kardo
