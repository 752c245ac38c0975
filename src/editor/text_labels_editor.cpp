// The in-place label editor txtBeschriftung as a state: opening it over the anchor cell, the
// key rules that grow the box or stop the text in front of an occupied cell, and accepting or
// cancelling. The window's line edit shows the state and reports keys and focus loss here.
#include "editor/text_labels.h"
#include "editor/text_labels_internal.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/rounding.h"
#include "model/sim_levels.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>

namespace kardo {

namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kEscape = 27;

HostWindow* HostOrNull() { return gPlatform != nullptr ? gPlatform->host : nullptr; }

void EditorChanged() {
    if (HostWindow* host = HostOrNull())
        host->TextEditorChanged();
}

int PG(double p) { return PixelToGrid(RoundHalfEven(p)); }

// The editor's text goes into the sheet: a new label at the anchor, or the edited label's new
// text. The sheet may have changed while the box was open; an edit writes only where it still
// fits: on the empty anchor cell, or on the label it was opened for.
void WriteText(const LabelEditBox& box) {
    const std::string text = CleanLabelText(box.Text);
    if (text.empty() || gPowerOn)
        return; // blanks only: nothing made, an edited label stays as it was
    if (!box.Edit) {
        CreateLabel(box.AnchorX, box.AnchorY, text, true);
        return;
    }
    const std::int16_t n = box.ElementNr;
    if (n < 1 || n > gAnzElemente)
        return;
    const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
    if (e.Typ != kTypeText || e.Eingaenge.Text() != box.AnchorPins)
        return;
    ChangeLabelText(n, text);
}

// Closes the box; an accepted text is written.
void FinishEdit() {
    LabelEditBox& box = gTxtBeschriftung;
    box.Visible = false;
    box.MaxLength = 0;
    EditorChanged();
    if (gTextEditResult == kTextCancelled)
        return;
    WriteText(box);
    if (HostWindow* host = HostOrNull())
        host->RefreshWorksheet();
}

// Enter and Escape end the edit; the box does not take them.
void EndWith(std::uint8_t result, int& KeyAscii) {
    KeyAscii = 0;
    gTextEditResult = result;
    FinishEdit();
}

} // namespace

bool BeschriftungEditorVisible() { return gTxtBeschriftung.Visible; }

void ChangeBeschriftung(std::string_view CREATEorEDITorREMOVE) {
    if (gPowerOn || !gGrid.Contains(gCursorX, gCursorY))
        return;
    txtBeschriftung_LostFocus();
    LabelEditBox& box = gTxtBeschriftung;
    const CellRecord& cell = gGrid(gCursorX, gCursorY);
    if (CREATEorEDITorREMOVE == "CREATE") {
        // At the element limit the box does not open: the text could not be kept.
        if (cell.ElementNr != 0 || cell.Typ != kTypeEmpty || !RoomForElement())
            return;
        box.Edit = false;
        box.AnchorX = gCursorX;
        box.AnchorY = gCursorY;
        box.ElementNr = 0;
        box.AnchorPins.clear();
        box.Text.clear();
        PromptBeschriftungsText(false);
    } else if (CREATEorEDITorREMOVE == "EDIT") {
        const std::int16_t n = cell.ElementNr;
        if (n < 1 || n > gAnzElemente)
            return;
        const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
        if (e.Typ != kTypeText || e.Eingaenge.Count() == 0)
            return;
        box.Edit = true;
        box.AnchorX = e.Eingaenge.Points()[0].x;
        box.AnchorY = e.Eingaenge.Points()[0].y;
        box.ElementNr = n;
        box.AnchorPins = e.Eingaenge.Text();
        box.Text = e.Text;
        PromptBeschriftungsText(true);
    }
}

void PromptBeschriftungsText(bool Edit) {
    LabelEditBox& box = gTxtBeschriftung;
    const double cs = LabelCellSize();
    box.FontSize = gTextFontSize * static_cast<double>(gGrafik.GridMode);
    if (!Edit)
        box.Text.clear();
    const LabelTextSize size = MeasureLabelText(box.Text);
    box.Height = size.Height + cs / 5;
    box.MaxLength = 0;
    // The text starts at the centre of the anchor cell.
    box.Left = GridToPixel(box.AnchorX);
    box.Top = GridToPixel(box.AnchorY) - box.Height / 2;
    if (Edit) {
        box.Width = size.Width + 20;
        box.SelLength = CharacterCount(box.Text); // the whole text selected
    } else {
        box.Width = 5;
        box.SelLength = 0;
    }
    box.Visible = true;
    ++box.Openings;
    gTextEditResult = kTextEditing;
    EditorChanged();
}

void txtBeschriftung_KeyPress(int& KeyAscii) {
    LabelEditBox& box = gTxtBeschriftung;
    if (!box.Visible)
        return;
    if (KeyAscii == kEnter) {
        EndWith(kTextAccepted, KeyAscii);
        return;
    }
    if (KeyAscii != kBackspace && KeyAscii != kEscape &&
        !LabelCharacterAllowed(static_cast<char32_t>(KeyAscii))) {
        KeyAscii = 0; // one line: no tabs, line breaks or other control characters
        return;
    }
    const double cs = LabelCellSize();
    const LabelTextSize size = MeasureLabelText(box.Text);
    if (KeyAscii == kBackspace || box.SelLength > 0) {
        // The text may get shorter: the box shrinks to it and the cells under it are shown again.
        // So Escape with a selection does not cancel.
        box.Width = size.Width + cs / 2;
        RedrawSheetCells(PG(box.Left), PG(box.Top), PG(box.Left + box.Width),
                         PG(box.Top + box.Height));
        EditorChanged();
        return;
    }
    if (KeyAscii == kEscape) {
        EndWith(kTextCancelled, KeyAscii);
        return;
    }
    // Where the next character would end: an occupied cell there, other than this label's own,
    // stops the text; so does the last column.
    const int y = box.AnchorY;
    const int tx = PG(box.Left + size.Width + cs / 2);
    bool stop = tx > gFeldBreite;
    if (!stop) {
        const std::uint8_t t = gGrid(tx, y).Typ;
        const std::int16_t e0 = tx >= 1 ? gGrid(tx - 1, y).ElementNr : std::int16_t{0};
        const int ex = PG(box.Left + size.Width + cs);
        const std::int16_t e1 = ex <= gFeldBreite ? gGrid(ex, y).ElementNr : std::int16_t{0};
        stop = t >= 1 && (t != kTypeText || (e1 != 0 && e1 != e0));
    }
    if (stop) {
        // An empty text keeps its first character: the anchor cell is the label's own.
        if (!box.Text.empty())
            box.MaxLength = CharacterCount(box.Text);
    } else {
        box.Width = 1.3 * cs + size.Width;
        box.MaxLength = 0;
    }
    EditorChanged();
}

void txtBeschriftung_LostFocus() {
    if (!gTxtBeschriftung.Visible)
        return;
    if (gTextEditResult != kTextCancelled)
        gTextEditResult = kTextAccepted;
    FinishEdit();
}

} // namespace kardo
