// The selection of the worksheet editor: selecting and unselecting elements with their corner
// markers, renumbering after removals, and emptying the selection.
#include "editor/selection.h"

#include "editor/drag_outlines.h"
#include "editor/selection_overlays.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/rounding.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "render/grafik.h"

#include <algorithm>
#include <cmath>

namespace kardo {

std::string gSelection;
std::int16_t gSelCount = 0;
std::int16_t gLastObjNr = 0;
std::int16_t gBereichX1 = 0;
std::int16_t gBereichY1 = 0;
std::int16_t gBereichX2 = 0;
std::int16_t gBereichY2 = 0;
bool gAreaMarked = false;
std::vector<std::int16_t> gSelSlots(1);
std::vector<std::int16_t> gSelSlotOf;

namespace {

HostWindow* HostOrNull() { return gPlatform ? gPlatform->host : nullptr; }

void ShowCount() {
    if (HostWindow* host = HostOrNull())
        host->SetCaption(ctl::lblSelElement, std::to_string(gSelCount));
}

// The selection text rebuilt from the slots, in slot order.
void RebuildText() {
    gSelection.clear();
    for (std::size_t k = 1; k < gSelSlots.size(); ++k) {
        gSelection += std::to_string(gSelSlots[k]);
        gSelection += ';';
    }
}

// Half of the scaled cell size, from the rounded cell size as the markers measure it.
double HalfCell() {
    const double s = std::nearbyint(14.0 * static_cast<double>(gGrafik.GridMode));
    return s / 2.0;
}

int Px(double v) { return static_cast<int>(RoundHalfEven(v)); }

} // namespace

bool ObjectSelected(std::int16_t ObjNr) {
    return ObjNr > 0 && static_cast<std::size_t>(ObjNr) < gSelSlotOf.size() &&
           gSelSlotOf[static_cast<std::size_t>(ObjNr)] != 0;
}

void PlaceCornerMarkers(int slot) {
    const std::int16_t n = gSelSlots[static_cast<std::size_t>(slot)];
    const double h = HalfCell();
    const double left = GridToPixel(SearchElementStartX(n)) - h;
    const double right = GridToPixel(SearchElementEndX(n)) + h;
    const double top = GridToPixel(SearchElementStartY(n)) - h;
    const double bottom = GridToPixel(SearchElementEndY(n)) + h;
    const double xs[4] = {left - 2, right - 3, left - 2, right - 3};
    const double ys[4] = {top - 2, top - 2, bottom - 3, bottom - 3};
    auto& markers = MarkersOf(slot);
    for (int i = 0; i < 4; ++i) {
        OverlayShape m;
        m.Left = Px(xs[i]);
        m.Top = Px(ys[i]);
        m.Width = kMarkerSize;
        m.Height = kMarkerSize;
        m.Visible = true;
        m.BorderColor = 0;
        m.Filled = true;
        SetOverlay(markers[static_cast<std::size_t>(i)], m);
    }
}

void SelectObject(std::int16_t ObjNr) {
    if (ObjNr <= 0)
        return;
    if (ObjectSelected(ObjNr)) {
        UnSelectObject(ObjNr);
        return;
    }
    gSelSlots.push_back(ObjNr);
    gSelCount = static_cast<std::int16_t>(gSelSlots.size() - 1);
    if (gSelSlotOf.size() <= static_cast<std::size_t>(ObjNr))
        gSelSlotOf.resize(static_cast<std::size_t>(ObjNr) + 1, 0);
    gSelSlotOf[static_cast<std::size_t>(ObjNr)] = gSelCount;
    gLastObjNr = ObjNr;
    PlaceCornerMarkers(gSelCount);
    gSelection += std::to_string(ObjNr);
    gSelection += ';';
    ShowCount();
    if (HostWindow* host = HostOrNull())
        host->SetEnabled(ctl::mDelete, true);
}

void UnSelectObject(std::int16_t ObjNr) {
    if (!ObjectSelected(ObjNr))
        return;
    const int k = gSelSlotOf[static_cast<std::size_t>(ObjNr)];
    gSelSlotOf[static_cast<std::size_t>(ObjNr)] = 0;
    gSelSlots.erase(gSelSlots.begin() + k);
    // The later slots move up one place, their markers with them.
    auto& markers = gSelOverlays.PObj;
    for (std::size_t j = static_cast<std::size_t>(k); j < gSelSlots.size(); ++j) {
        gSelSlotOf[static_cast<std::size_t>(gSelSlots[j])] = static_cast<std::int16_t>(j);
        if (j + 1 < markers.size())
            for (std::size_t i = 0; i < 4; ++i)
                SetOverlay(markers[j][i], markers[j + 1][i]);
    }
    UnloadMarkersFrom(static_cast<int>(gSelSlots.size()));
    gSelCount = static_cast<std::int16_t>(gSelSlots.size() - 1);
    RebuildText();
    ShowCount();
}

void ResetSelection() {
    gSelCount = 0;
    gLastObjNr = 0;
    gSelection.clear();
    gSelSlots.assign(1, 0);
    gSelSlotOf.clear();
    gBereichX1 = gBereichY1 = gBereichX2 = gBereichY2 = 0;
    gAreaMarked = false;
    gSelOverlays = SelectionOverlays{};
    gSelectionDirt.clear();
}

void SelectNone() {
    // The marking ends before the drag does, so that a cancelled area drag is not put back.
    gAreaMarked = false;
    CancelDrag();
    UnloadMarkersFrom(1);
    UnloadOutlines();
    for (std::size_t k = 1; k < gSelSlots.size(); ++k)
        if (static_cast<std::size_t>(gSelSlots[k]) < gSelSlotOf.size())
            gSelSlotOf[static_cast<std::size_t>(gSelSlots[k])] = 0;
    gSelSlots.resize(1);
    gSelCount = 0;
    gSelection.clear();
    gBereichX1 = gBereichY1 = gBereichX2 = gBereichY2 = 0;
    gAreaMarked = false;
    gOverlays.picRahmen.Visible = false;
    if (HostOrNull() != nullptr) {
        ShowCount();
        Host().SetEnabled(ctl::mDelete, false);
    }
}

void RefreshSelObject() {
    bool changed = false;
    for (std::size_t k = 1; k < gSelSlots.size(); ++k) {
        if (gSelSlots[k] > gLastObjNr) {
            --gSelSlots[k];
            changed = true;
        }
    }
    if (!changed)
        return;
    std::fill(gSelSlotOf.begin(), gSelSlotOf.end(), 0);
    for (std::size_t k = 1; k < gSelSlots.size(); ++k)
        gSelSlotOf[static_cast<std::size_t>(gSelSlots[k])] = static_cast<std::int16_t>(k);
    RebuildText();
}

void DropFromSelection(std::int16_t ObjNr) {
    UnSelectObject(ObjNr);
    gLastObjNr = ObjNr;
    RefreshSelObject();
}

void EndAreaMarking() {
    if (!gAreaMarked)
        return;
    gAreaMarked = false;
    gBereichX1 = gBereichY1 = gBereichX2 = gBereichY2 = 0;
    gOverlays.picRahmen.Visible = false;
}

void EndMarkingBeforeChange() {
    if (gAreaMarked)
        SelectNone();
}

} // namespace kardo
