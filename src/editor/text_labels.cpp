// Text labels: measuring a label text, the cells it covers, creating and changing a label, and
// drawing it. A label's cells run along its anchor row from the anchor as far as its text
// reaches; they never take a cell that holds anything else, and the text is clipped to them.
#include "editor/text_labels.h"

#include "editor/text_labels_internal.h"
#include "files/text_codec.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/placement.h"
#include "model/rounding.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "render/view.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kardo {

std::int16_t gTextFontSize = 8;
std::uint8_t gTextEditResult = kTextEditing;
LabelEditBox gTxtBeschriftung;

namespace {

constexpr Color kWhite = 0xFFFFFF;
// The label font; the Qt targets draw it in the installed sans face that stands for it.
constexpr const char* kLabelFont = "MS Sans Serif";

double Zoom() { return static_cast<double>(gGrafik.GridMode); }
double GP(int i) { return GridToPixel(i); }
int CInt(double v) { return static_cast<int>(RoundHalfEven(v)); }

bool IsFree(const CellRecord& c) { return c.Typ == kTypeEmpty && c.ElementNr == 0; }
bool IsLabelCell(const CellRecord& c, std::int16_t nr) {
    return nr > 0 && c.Typ == kTypeText && c.ElementNr == nr;
}

void Mark(CellRecord& c, std::int16_t n) {
    if (IsFree(c)) {
        c.Typ = kTypeText;
        c.ElementNr = n;
    }
}

// Label n's own cells from column x onwards on row y: the last of the unbroken run.
int OwnRunEnd(std::int16_t n, int x, int y) {
    int end = x;
    while (end + 1 <= gFeldBreite && IsLabelCell(gGrid(end + 1, y), n))
        ++end;
    return end;
}

// The longest start of text that the device prints within room pixels.
std::string_view FittingPrefix(DrawTarget& device, std::string_view text, double room) {
    if (device.TextWidth(text) <= room)
        return text;
    std::vector<std::size_t> ends; // byte length after each character
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        i += NextUtf8Character(text, i, cp);
        ends.push_back(i);
    }
    std::size_t lo = 0; // characters known to fit
    std::size_t hi = ends.size();
    while (lo + 1 < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (device.TextWidth(text.substr(0, ends[mid - 1])) <= room)
            lo = mid;
        else
            hi = mid;
    }
    return text.substr(0, lo == 0 ? 0 : ends[lo - 1]);
}

// Prints the label text at (left, top) on the drawing device on a white background, no wider
// than room pixels.
void PrintLabel(std::string_view text, double left, double top, double room) {
    DrawTarget* device = gGrafik.Device;
    if (device == nullptr)
        return;
    device->FontName = kLabelFont;
    device->FontSize =
        gGrafik.OnPrinter() ? static_cast<double>(gGrafik.GridMode) : gTextFontSize * Zoom();
    device->FontBold = false;
    device->ForeColor = 0;
    const std::string_view shown = FittingPrefix(*device, text, room);
    if (shown.empty())
        return;
    // The text stands on an opaque background, as a label does.
    const FillMode fillStyle = device->FillStyle;
    const Color fillColor = device->FillColor;
    device->FillStyle = FillMode::Solid;
    device->FillColor = kWhite;
    const double w = std::ceil(device->TextWidth(shown));
    const double h = std::ceil(device->TextHeight(shown));
    device->Line(left, top, left + w - 1, top + h - 1, kWhite, LineKind::Box);
    // The repaints of the picture clear and draw again where a label's text lies, which can be
    // cells past its own; a letter's smoothing may reach a pixel or two out of the box.
    if (gPlatform != nullptr && device == gPlatform->screen) {
        constexpr int kInk = 2;
        NoteLabelText(
            {static_cast<std::int32_t>(left) - kInk, static_cast<std::int32_t>(top) - kInk,
             static_cast<std::int32_t>(w) + 2 * kInk, static_cast<std::int32_t>(h) + 2 * kInk});
    }
    device->FillStyle = fillStyle;
    device->FillColor = fillColor;
    device->CurrentX = left;
    device->CurrentY = top;
    device->Print(shown);
}

} // namespace

void ResetTextLabels() {
    gTextFontSize = static_cast<std::int16_t>(RoundHalfEven(8.25));
    gTextEditResult = kTextEditing;
    gTxtBeschriftung = LabelEditBox{};
}

LabelTextSize MeasureLabelText(std::string_view text) {
    DrawTarget* t =
        gPlatform != nullptr && gPlatform->screen != nullptr ? gPlatform->screen : gGrafik.Device;
    const double size = gTextFontSize * Zoom();
    if (t == nullptr)
        return {0.75 * size * CharacterCount(text), 1.6 * size};
    const std::string name = t->FontName;
    const double oldSize = t->FontSize;
    const bool bold = t->FontBold;
    t->FontName = kLabelFont;
    t->FontSize = size;
    t->FontBold = false;
    const LabelTextSize s{t->TextWidth(text), t->TextHeight(text)};
    t->FontName = name;
    t->FontSize = oldSize;
    t->FontBold = bold;
    return s;
}

void RedrawSheetCells(int x1, int y1, int x2, int y2) {
    const auto cx = [](int v) {
        return static_cast<std::int16_t>(std::clamp<int>(v, 0, gFeldBreite));
    };
    const auto cy = [](int v) {
        return static_cast<std::int16_t>(std::clamp<int>(v, 0, gFeldHoehe));
    };
    RedrawAreaValue(cx(x1), cy(y1), cx(x2), cy(y2), false);
}

double LabelCellSize() { return RoundHalfEven(static_cast<double>(gRaster) * Zoom()); }

namespace {
int LabelReach(int x, double textWidth) {
    return std::min<int>(PixelToGrid(CInt(GP(x) + textWidth)), gFeldBreite);
}
} // namespace

std::int16_t MovedLabelsReach(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2,
                              int dx) {
    int reach = x2;
    for (int n = 1; n <= gAnzElemente; ++n) {
        const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
        if (e.Typ != kTypeText || e.Eingaenge.Count() == 0)
            continue;
        const GridPoint a = e.Eingaenge.Points()[0];
        if (a.x >= x1 && a.x <= x2 && a.y >= y1 && a.y <= y2)
            reach = std::max(reach, LabelReach(a.x + dx, MeasureLabelText(e.Text).Width));
    }
    return static_cast<std::int16_t>(reach);
}

int LabelRunEnd(int x, int y, double textWidth, std::int16_t nr, bool takeFree) {
    const int reach = LabelReach(x, textWidth);
    int end = x;
    for (int c = x + 1; c <= reach; ++c) {
        const CellRecord& cell = gGrid(c, y);
        if (!IsLabelCell(cell, nr) && !(takeFree && IsFree(cell)))
            break;
        end = c;
    }
    return end;
}

int CharacterCount(std::string_view utf8) {
    int n = 0;
    char32_t cp = 0;
    for (std::size_t i = 0; i < utf8.size(); ++n)
        i += NextUtf8Character(utf8, i, cp);
    return n;
}

bool LabelCharacterAllowed(char32_t c) {
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return false; // control characters, tabs and line breaks among them
    return InWindows1252(c);
}

std::string CleanLabelText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = NextUtf8Character(text, i, cp);
        if (LabelCharacterAllowed(cp))
            out.append(text.substr(i, len));
        i += len;
    }
    const std::size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::int16_t CreateLabel(int x, int y, const std::string& text, bool withUndo) {
    if (text.empty() || x < 0 || y < 0 || x > gFeldBreite || y > gFeldHoehe ||
        !IsFree(gGrid(x, y)) || !RoomForElement())
        return 0;
    const int end = LabelRunEnd(x, y, MeasureLabelText(text).Width, 0, true);
    if (withUndo)
        gUndo.NewUndoValue(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                           static_cast<std::int16_t>(end), static_cast<std::int16_t>(y),
                           "Text hinzufügen");
    ElementRecord& rec = AppendElement(kTypeText);
    rec.Richtung = kRight;
    rec.Eingaenge = PinEntry(x, y);
    rec.Text = text;
    const std::int16_t n = rec.Nr;
    for (int c = x; c <= end; ++c) {
        CellRecord& cell = gGrid(c, y);
        cell.Typ = kTypeText;
        cell.ElementNr = n;
    }
    DisplayBeschriftungsText(n, "");
    return n;
}

void ChangeLabelText(std::int16_t n, const std::string& text) {
    ElementRecord& e = gElements[static_cast<std::size_t>(n)];
    if (e.Text == text || e.Eingaenge.Count() == 0)
        return;
    const GridPoint a = e.Eingaenge.Points()[0];
    const int oldEnd = OwnRunEnd(n, a.x, a.y);
    const int newEnd = LabelRunEnd(a.x, a.y, MeasureLabelText(text).Width, n, true);
    // Without this step an undo of an older one would leave cells of the longer text naming a
    // label that is gone or renumbered.
    gUndo.NewUndoValue(a.x, a.y, static_cast<std::int16_t>(std::max(oldEnd, newEnd)), a.y,
                       "Text ändern");
    // The cells the old text covered beyond the new end become free again; one that a wire ends
    // on stays that wire's end, as when an element is removed.
    for (int c = newEnd + 1; c <= oldEnd; ++c)
        ClearArea(static_cast<std::int16_t>(c), a.y, static_cast<std::int16_t>(c), a.y);
    for (int c = a.x; c <= newEnd; ++c)
        Mark(gGrid(c, a.y), n);
    const int oldReach = LabelReach(a.x, MeasureLabelText(e.Text).Width);
    e.Text = text;
    // The redraw draws the label again with its new text and the freed cells' grid dots.
    RedrawSheetCells(a.x, a.y - 1, std::max({oldEnd, newEnd, oldReach}), a.y + 1);
}

int TakeLabelCells(std::int16_t n) {
    if (n < 1 || n > gAnzElemente)
        return 0;
    const ElementRecord& e = gElements[static_cast<std::size_t>(n)];
    if (e.Typ != kTypeText || e.Eingaenge.Count() == 0)
        return 0;
    const GridPoint a = e.Eingaenge.Points()[0];
    if (!gGrid.Contains(a.x, a.y) || !IsLabelCell(gGrid(a.x, a.y), n))
        return 0;
    const int end = LabelRunEnd(a.x, a.y, MeasureLabelText(e.Text).Width, n, true);
    int taken = 0;
    for (int c = a.x + 1; c <= end; ++c) {
        if (IsFree(gGrid(c, a.y))) {
            Mark(gGrid(c, a.y), n);
            taken = c;
        }
    }
    return taken;
}

std::int16_t InitTextBox(std::int16_t iX, std::int16_t iY, std::string_view InitString) {
    return CreateLabel(iX, iY, CleanLabelText(InitString), false);
}

void DisplayBeschriftungsText(std::int16_t ObjNr, std::string_view OldText) {
    if (ObjNr < 1 || ObjNr > gAnzElemente)
        return;
    ElementRecord& e = gElements[static_cast<std::size_t>(ObjNr)];
    if (e.Typ != kTypeText || e.Eingaenge.Count() == 0)
        return;
    const GridPoint a = e.Eingaenge.Points()[0];
    const int x = a.x;
    const int y = a.y;
    if (x < 0 || y < 0 || x > gFeldBreite || y > gFeldHoehe)
        return;
    e.Richtung = kRight;
    const LabelTextSize size = MeasureLabelText(e.Text);

    if (!OldText.empty()) {
        const int oldReach = LabelReach(x, MeasureLabelText(OldText).Width);
        RedrawSheetCells(x, y - 1, std::max({oldReach, LabelReach(x, size.Width), x}), y + 1);
        return;
    }

    if (!IsLabelCell(gGrid(x, y), ObjNr))
        return; // the anchor cell holds something else: no room for the text
    // The letters are rounded to pixels by other steps than the cells are, so at another zoom
    // (or on the page) a text can come out a little wider than the cells it was given: it runs
    // on over free cells, up to the first cell that holds something else, without taking them.
    int roomEnd = OwnRunEnd(ObjNr, x, y);
    while (roomEnd + 1 <= gFeldBreite &&
           (IsFree(gGrid(roomEnd + 1, y)) || IsLabelCell(gGrid(roomEnd + 1, y), ObjNr)))
        ++roomEnd;
    const double left = GP(x);
    const double top = CInt(GP(y) - size.Height / 1.6);
    const double room = GP(roomEnd) + LabelCellSize() / 2 - left;
    PrintLabel(e.Text, left, top, room);
}

} // namespace kardo
