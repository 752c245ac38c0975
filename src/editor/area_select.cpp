// The area frame of the select tool: drawing and checking the frame, marking an area into the
// area buffer, moving it (cut, paste with the wires on its outline rejoined, pin lists shifted)
// and deleting it.
#include "editor/area_select.h"

#include "editor/drag_outlines.h"
#include "editor/gesture_state.h"
#include "editor/object_select.h"
#include "editor/overlays.h"
#include "editor/selection.h"
#include "editor/selection_overlays.h"
#include "editor/text_labels.h"
#include "files/text_helpers.h"
#include "model/basic_elements.h"
#include "model/elements.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/redraw.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <string>
#include <utility>

namespace kardo {

Grid gPuffer;
std::int16_t gPufferX = 0;
std::int16_t gPufferY = 0;
std::vector<std::int16_t> gAreaElements;

void ResetAreaSelect() {
    gPuffer = Grid{};
    gPufferX = gPufferY = 0;
    gAreaElements.clear();
}

namespace {

constexpr Color kFrameGrey = 0x808080;
constexpr Color kFrameBlue = 0xFF0000;

HostWindow* HostOrNull() { return gPlatform ? gPlatform->host : nullptr; }

void FrameCaption(int w, int h) {
    if (HostWindow* host = HostOrNull())
        host->SetCaption(ctl::lblRahmen, "X: " + std::to_string(w) + "   Y: " + std::to_string(h));
}

std::int16_t S(int v) { return static_cast<std::int16_t>(v); }

// What marking puts into the buffer for grid cell (x, y) of the area (X1, Y1)-(X2, Y2): the
// cell without its levels and without the wire flags that leave the area. A wire cell of the
// outline whose flags all leave the area belongs to the wires outside: it is no part of the
// area (it would land as a wire without any connection), and neither is its point mark.
CellRecord BufferCell(int x, int y, int X1, int Y1, int X2, int Y2) {
    const CellRecord& g = gGrid(x, y);
    CellRecord b;
    b.Typ = g.Typ;
    b.ElementNr = g.ElementNr;
    b.ICLevel = g.ICLevel;
    b.ICPin = g.ICPin;
    b.Punkt = g.Punkt;
    b.Links = x > X1 ? g.Links : kFalse;
    b.Rechts = x < X2 ? g.Rechts : kFalse;
    b.Oben = y > Y1 ? g.Oben : kFalse;
    b.Unten = y < Y2 ? g.Unten : kFalse;
    if (g.Typ == kTypeWire && g.ElementNr == 0 && g.ICLevel == 0 && WireFlagCount(b) == 0 &&
        WireFlagCount(g) != 0) {
        b.Typ = kTypeEmpty;
        b.Punkt = kPointNone;
    }
    return b;
}

bool OnOutline(int x, int y, int X1, int Y1, int X2, int Y2) {
    return x == X1 || x == X2 || y == Y1 || y == Y2;
}

// Takes element e out of the element list as its remover would: an analysis point also loses
// its trace, its count and its analyser entry.
void RemoveRecord(std::int16_t e) {
    const ElementRecord& rec = gElements[static_cast<std::size_t>(e)];
    // An area holding an IC or a clock generator is not deleted (LoescheBereich).
    assert(rec.Typ != kTypeIC && rec.Typ != kTypeClock);
    if (rec.Typ != kTypeAnalysisPoint) {
        DeleteElementRecord(e);
        return;
    }
    const int k = static_cast<int>(Val(rec.Text));
    Host().RemoveGraph(k);
    DeleteElementRecord(e);
    if (gAnzAnalysepunkte > 0)
        --gAnzAnalysepunkte;
    Host().RefreshAnalysisList();
    UpdateAnalyserMenu();
}

// Cuts the area out: interior cells are emptied, outline cells keep only the wire flags that
// leave the area, so that wires crossing the outline end in a stub there. With removeRecords
// the area's elements leave the element list.
void CutArea(int X1, int Y1, int X2, int Y2, bool removeRecords) {
    std::vector<std::int16_t> collected;
    std::vector<char> seen(static_cast<std::size_t>(gAnzElemente) + 1, 0);
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            CellRecord& c = gGrid(x, y);
            if (!OnOutline(x, y, X1, Y1, X2, Y2)) {
                const std::int16_t e = c.ElementNr;
                if (e >= 1 && e <= gAnzElemente && seen[static_cast<std::size_t>(e)] == 0) {
                    seen[static_cast<std::size_t>(e)] = 1;
                    collected.push_back(e);
                }
                ClearCell(x, y);
                continue;
            }
            c.ElementNr = 0;
            c.Punkt = 0;
            if (c.ICLevel != 0) {
                c.ICLevel = 0;
                c.ICPin = 0;
            }
            const bool left = x == X1, right = x == X2, top = y == Y1, bottom = y == Y2;
            const std::int16_t outL = left ? c.Links : kFalse;
            const std::int16_t outR = right ? c.Rechts : kFalse;
            const std::int16_t outO = top ? c.Oben : kFalse;
            const std::int16_t outU = bottom ? c.Unten : kFalse;
            c.Links = outL;
            c.Rechts = outR;
            c.Oben = outO;
            c.Unten = outU;
            bool wire = false;
            if ((left || right) && (top || bottom)) {
                wire = (outL | outR | outO | outU) != 0;
            } else if (left) {
                wire = x > 0 && (outL != 0 || gGrid(x - 1, y).Rechts != 0);
            } else if (right) {
                wire = x < gFeldBreite && (outR != 0 || gGrid(x + 1, y).Links != 0);
            } else if (top) {
                wire = y > 0 && (outO != 0 || gGrid(x, y - 1).Unten != 0);
            } else {
                wire = y < gFeldHoehe && (outU != 0 || gGrid(x, y + 1).Oben != 0);
            }
            c.Typ = wire ? kTypeWire : kTypeEmpty;
        }
    }
    if (!removeRecords)
        return;
    for (std::size_t i = 0; i < collected.size(); ++i) {
        const std::int16_t e = collected[i];
        RemoveRecord(e);
        for (std::size_t j = i + 1; j < collected.size(); ++j)
            if (collected[j] > e)
                --collected[j];
    }
}

// The area (X1, Y1)-(X2, Y2) holds a kind that area deletion leaves alone.
bool HoldsICOrClock(int X1, int Y1, int X2, int Y2) {
    for (int x = X1; x <= X2; ++x)
        for (int y = Y1; y <= Y2; ++y)
            if (gGrid(x, y).Typ == kTypeIC || gGrid(x, y).Typ == kTypeClock)
                return true;
    return false;
}

bool Collides(int X1, int Y1, int X2, int Y2) {
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            const std::uint8_t g = gGrid(x, y).Typ;
            const std::uint8_t b = gPuffer(x - X1, y - Y1).Typ;
            if (OnOutline(x, y, X1, Y1, X2, Y2) ? (g >= 2 && b >= 2) : (g != 0 && b != 0))
                return true;
        }
    }
    return false;
}

// Joins an outline cell that holds something at the new place to the buffer cell landing on
// it: the wires from outside and from inside the area meet there.
void JoinOutlineCell(int x, int y, int i, int j) {
    CellRecord& g = gGrid(x, y);
    const CellRecord& b = gPuffer(i, j);
    const bool left = i == 0, right = i == gPufferX, top = j == 0, bottom = j == gPufferY;
    auto fromB = [](CellFlag& flag, CellFlag other) {
        if (flag == 0)
            flag = other;
    };
    if (left) {
        if (x > 0 && gGrid(x - 1, y).Rechts != 0)
            g.Links = kTrue;
        if (i < gPufferX && gPuffer(i + 1, j).Links != 0)
            g.Rechts = kTrue;
    }
    if (right) {
        if (x < gFeldBreite && gGrid(x + 1, y).Links != 0)
            g.Rechts = kTrue;
        if (i > 0 && gPuffer(i - 1, j).Rechts != 0)
            g.Links = kTrue;
    }
    if (left || right) {
        fromB(g.Oben, b.Oben);
        fromB(g.Unten, b.Unten);
    }
    if (top) {
        if (y > 0 && gGrid(x, y - 1).Unten != 0)
            g.Oben = kTrue;
        if (j < gPufferY && gPuffer(i, j + 1).Oben != 0)
            g.Unten = kTrue;
    }
    if (bottom) {
        if (y < gFeldHoehe && gGrid(x, y + 1).Oben != 0)
            g.Unten = kTrue;
        if (j > 0 && gPuffer(i, j - 1).Unten != 0)
            g.Oben = kTrue;
    }
    if (top || bottom) {
        fromB(g.Links, b.Links);
        fromB(g.Rechts, b.Rechts);
    }
}

} // namespace

void StartNewFrame(int Shift) {
    GestureState& g = gGesture;
    EndAreaMarking();
    if (Shift == 0)
        SelectNone();
    g.LineStartX = g.AreaEndX = gCursorX;
    g.LineStartY = g.AreaEndY = gCursorY;
    OverlayShape& frame = gOverlays.picRahmen;
    frame.Visible = false;
    frame.BorderColor = kFrameGrey;
    frame.BorderStyle = kBorderDotted;
    frame.Left = GridToPixel(gCursorX);
    frame.Top = GridToPixel(gCursorY);
    frame.Width = 0;
    frame.Height = 0;
    FrameCaption(0, 0);
}

namespace {

// One axis of the frame: from the anchor's pixel centre to the cursor's, whichever is first;
// unchanged when the cursor is back on the anchor's column (or row).
void StretchAxis(std::int16_t anchor, std::int16_t cursor, int& edge, int& size,
                 std::int16_t& end) {
    const int a = GridToPixel(anchor);
    const int c = GridToPixel(cursor);
    if (cursor != anchor) {
        edge = std::min(a, c);
        size = std::abs(c - a) + 1;
    }
    end = cursor;
}

} // namespace

void ResizeBorder() {
    GestureState& g = gGesture;
    OverlayShape& frame = gOverlays.picRahmen;
    StretchAxis(g.LineStartX, gCursorX, frame.Left, frame.Width, g.AreaEndX);
    StretchAxis(g.LineStartY, gCursorY, frame.Top, frame.Height, g.AreaEndY);
    FrameCaption(PixelToGrid(frame.Width), PixelToGrid(frame.Height));
}

bool CheckBorderPosition() {
    GestureState& g = gGesture;
    const int x1 = std::min(g.LineStartX, g.AreaEndX), x2 = std::max(g.LineStartX, g.AreaEndX);
    const int y1 = std::min(g.LineStartY, g.AreaEndY), y2 = std::max(g.LineStartY, g.AreaEndY);
    bool onOutline = false;
    for (int x = x1; x <= x2 && !onOutline; ++x)
        onOutline = gGrid(x, y1).Typ >= 2 || gGrid(x, y2).Typ >= 2;
    for (int y = y1; y <= y2 && !onOutline; ++y)
        onOutline = gGrid(x1, y).Typ >= 2 || gGrid(x2, y).Typ >= 2;
    g.LineStartX = S(x1);
    g.LineStartY = S(y1);
    g.AreaEndX = S(x2);
    g.AreaEndY = S(y2);
    if (onOutline)
        gOverlays.picRahmen.Visible = false;
    return onOutline;
}

void SelectArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2) {
    gPufferX = S(X2 - X1);
    gPufferY = S(Y2 - Y1);
    gPuffer.Create(gPufferX, gPufferY);
    gAreaElements.clear();
    std::vector<char> seen(static_cast<std::size_t>(gAnzElemente) + 1, 0);
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            gPuffer(x - X1, y - Y1) = BufferCell(x, y, X1, Y1, X2, Y2);
            const std::int16_t n = gGrid(x, y).ElementNr;
            if (n < 1 || n > gAnzElemente || seen[static_cast<std::size_t>(n)] != 0)
                continue;
            seen[static_cast<std::size_t>(n)] = 1;
            gAreaElements.push_back(n);
            if (!ObjectSelected(n))
                SelectObject(n);
        }
    }
    gBereichX1 = X1;
    gBereichY1 = Y1;
    gBereichX2 = X2;
    gBereichY2 = Y2;
    gAreaMarked = true;
    if (HostWindow* host = HostOrNull())
        host->SetEnabled(ctl::mDelete, true);
}

bool AreaBufferCurrent() {
    if (!gAreaMarked || gBereichX1 < 0 || gBereichY1 < 0 || gBereichX2 > gFeldBreite ||
        gBereichY2 > gFeldHoehe || gPufferX != gBereichX2 - gBereichX1 ||
        gPufferY != gBereichY2 - gBereichY1 || gPuffer.UBoundX() != gPufferX ||
        gPuffer.UBoundY() != gPufferY)
        return false;
    for (int x = gBereichX1; x <= gBereichX2; ++x)
        for (int y = gBereichY1; y <= gBereichY2; ++y)
            if (!(gPuffer(x - gBereichX1, y - gBereichY1) ==
                  BufferCell(x, y, gBereichX1, gBereichY1, gBereichX2, gBereichY2)))
                return false;
    return true;
}

bool InsideMarkedArea(double px, double py) {
    if (!gAreaMarked)
        return false;
    return px > GridToPixel(gBereichX1) && px < GridToPixel(gBereichX2) + 1 &&
           py > GridToPixel(gBereichY1) && py < GridToPixel(gBereichY2) + 1;
}

void ShowAreaFrame() {
    OverlayShape& frame = gOverlays.picRahmen;
    frame.Left = GridToPixel(gBereichX1);
    frame.Top = GridToPixel(gBereichY1);
    frame.Width = GridToPixel(gBereichX2) - frame.Left + 1;
    frame.Height = GridToPixel(gBereichY2) - frame.Top + 1;
    frame.BorderStyle = kBorderSolid;
    frame.BorderColor = kFrameBlue;
    frame.Visible = true;
}

bool StartAreaDrag() {
    if (!AreaBufferCurrent()) {
        SelectNone();
        return false;
    }
    GestureState& g = gGesture;
    std::vector<char> inArea(static_cast<std::size_t>(gAnzElemente) + 1, 0);
    for (const std::int16_t n : gAreaElements)
        inArea[static_cast<std::size_t>(n)] = 1;
    UnloadOutlines();
    gMoveShapes.resize(static_cast<std::size_t>(gSelCount) + 1);
    // Only the elements that move with the area get an outline; others selected with an earlier
    // frame stay where they are.
    for (int k = 1; k <= gSelCount; ++k) {
        const std::int16_t n = gSelSlots[static_cast<std::size_t>(k)];
        if (n >= 1 && n <= gAnzElemente && inArea[static_cast<std::size_t>(n)] != 0)
            LoadDragOutline(k, n);
    }
    g.DragX = S(gCursorX - gBereichX1);
    g.DragY = S(gCursorY - gBereichY1);
    gMouseMode = kToolDragArea;
    UnloadMarkersFrom(1);
    return true;
}

void MoveMarkedArea(std::int16_t nx, std::int16_t ny) {
    GestureState& g = gGesture;
    const std::int16_t ox1 = gBereichX1, oy1 = gBereichY1, ox2 = gBereichX2, oy2 = gBereichY2;
    const auto nx2 = S(nx + ox2 - ox1);
    const auto ny2 = S(ny + oy2 - oy1);
    g.DifX = S(nx - ox1);
    g.DifY = S(ny - oy1);
    // Released where it was: nothing moves. Cutting and pasting in place would lose the point
    // marks on the outline.
    if (g.DifX == 0 && g.DifY == 0)
        return;
    gUndo.Move = true;
    gUndo.NoObjects = false;
    const std::int16_t reach = MovedLabelsReach(ox1, oy1, ox2, oy2, g.DifX);
    gUndo.NewUndoValue(std::min(ox1, nx), std::min(oy1, ny), std::max({ox2, nx2, reach}),
                       std::max(oy2, ny2), "Bereich verschieben");
    Grid before;
    before.Create(ox2 - ox1, oy2 - oy1);
    for (int x = ox1; x <= ox2; ++x)
        for (int y = oy1; y <= oy2; ++y)
            before(x - ox1, y - oy1) = gGrid(x, y);
    CutArea(ox1, oy1, ox2, oy2, false);
    RedrawAreaValue(ox1, oy1, ox2, oy2, false);
    if (PasteArea(nx, ny, nx2, ny2))
        return;
    // The new place collides: every cell goes back exactly as it was, point marks on the
    // outline included.
    for (int x = ox1; x <= ox2; ++x)
        for (int y = oy1; y <= oy2; ++y)
            gGrid(x, y) = before(x - ox1, y - oy1);
    g.DifX = g.DifY = 0;
    RedrawAreaValue(S(ox1 - 1), S(oy1 - 1), S(ox2 + 1), S(oy2 + 1), false);
}

void LoescheBereich() {
    CancelDrag();
    if (gAreaMarked) {
        if (!AreaBufferCurrent()) {
            SelectNone();
            return;
        }
        const std::int16_t x1 = gBereichX1, y1 = gBereichY1, x2 = gBereichX2, y2 = gBereichY2;
        // An area with an IC or a clock generator is not deleted, without a word; it stays
        // marked.
        if (HoldsICOrClock(x1, y1, x2, y2))
            return;
        // The whole-field step rewrites the rectangle it is given to the whole sheet: it gets a
        // copy, so that exactly the marked area is cut.
        std::int16_t ux1 = x1, uy1 = y1, ux2 = x2, uy2 = y2;
        gUndo.Delete = true;
        gUndo.NewUndo(ux1, uy1, ux2, uy2, "Bereich löschen");
        CutArea(x1, y1, x2, y2, true);
        RedrawAreaValue(S(x1 - 1), S(y1 - 1), S(x2 + 1), S(y2 + 1), false);
        FrameCaption(0, 0);
        if (HostWindow* host = HostOrNull())
            host->SetCaption(ctl::lblSelElement, "0");
    } else {
        DeleteObjects();
    }
    if (HostWindow* host = HostOrNull())
        host->SetEnabled(ctl::mDelete, false);
    SelectNone();
    gOverlays.picRahmen.Visible = false;
}

void DeleteArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2) {
    CutArea(X1, Y1, X2, Y2, gMouseMode != kToolDragArea);
}

bool PasteArea(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2) {
    if (X1 == X2 || Y1 == Y2 || X1 < 0 || Y1 < 0 || X2 > gFeldBreite || Y2 > gFeldHoehe ||
        X2 - X1 != gPufferX || Y2 - Y1 != gPufferY)
        return false;
    if (Collides(X1, Y1, X2, Y2))
        return false;
    for (int x = X1; x <= X2; ++x) {
        for (int y = Y1; y <= Y2; ++y) {
            const int i = x - X1, j = y - Y1;
            const bool gEmpty = gGrid(x, y).Typ == kTypeEmpty;
            const bool bEmpty = gPuffer(i, j).Typ == kTypeEmpty;
            if (!OnOutline(x, y, X1, Y1, X2, Y2)) {
                if (gEmpty && !bEmpty)
                    CopyPufferToP(S(x), S(y), S(i), S(j));
            } else if (gEmpty) {
                CopyPufferToP(S(x), S(y), S(i), S(j));
            } else if (!bEmpty) {
                JoinOutlineCell(x, y, i, j);
            }
        }
    }
    int taken = X2;
    for (const std::int16_t n : gAreaElements) {
        ChangeInOut(n);
        taken = std::max(taken, TakeLabelCells(n));
    }
    RedrawAreaValue(X1, Y1, S(taken), Y2, false);
    return true;
}

void CopyPufferToP(std::int16_t x, std::int16_t y, std::int16_t pX, std::int16_t pY) {
    gGrid(x, y) = gPuffer(pX, pY);
}

void ChangeInOut(std::int16_t ObjNr) {
    if (ObjNr < 1 || ObjNr > gAnzElemente)
        return;
    const GestureState& g = gGesture;
    ElementRecord& e = gElements[static_cast<std::size_t>(ObjNr)];
    auto shifted = [&](const PinList& list) {
        std::string text;
        for (const GridPoint& p : list.Points())
            text += PinEntry(p.x + g.DifX, p.y + g.DifY);
        return text;
    };
    e.Eingaenge = shifted(e.Eingaenge);
    e.Ausgaenge = shifted(e.Ausgaenge);
}

} // namespace kardo
