// Pin-name labels of the level on view and of the IC being defined.
#include "ic/pin_labels.h"

#include "files/ic_definition_file.h"
#include "files/text_helpers.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/grafik.h"

#include <cmath>

namespace kardo {

std::vector<ICPinLabel> gICPinLabels(1);
std::int16_t gAktAnschluss = 0;

namespace {

HostWindow* HostOrNull() { return gPlatform != nullptr ? gPlatform->host : nullptr; }

// The labels lie over the worksheet picture: drawing onto another target (the printer, a
// bitmap of the sheet) neither places nor shows them.
bool DrawingTheWorksheet() {
    return gGrafik.Device != nullptr && (gPlatform == nullptr || gPlatform->screen == nullptr ||
                                         gGrafik.Device == gPlatform->screen);
}

std::string CaptionOf(const std::string& name) {
    return name.empty() ? std::string() : "[" + name + "]";
}

void RefreshLabels() {
    if (HostWindow* host = HostOrNull())
        host->RefreshICPinLabels();
}

} // namespace

void ResetICPinLabels() {
    gICPinLabels.assign(1, ICPinLabel{});
    gAktAnschluss = 0;
}

void LoadLevelPinLabels(int nr) {
    ResetICPinLabels();
    if (nr < 1) {
        for (int k = 1; k <= gAnzICAnschluesse; ++k)
            gICPinLabels.push_back(ICPinLabel{CaptionOf(ICPinName(k))});
        return;
    }
    if (static_cast<std::size_t>(nr) >= gICInstances.size())
        return;
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(nr)];
    for (int k = 1; k <= ic.AnzAnschluesse && static_cast<std::size_t>(k) < ic.Anschluesse.size();
         ++k)
        gICPinLabels.push_back(
            ICPinLabel{CaptionOf(GetNextToken(ic.Anschluesse[static_cast<std::size_t>(k)], 3))});
}

void PlaceDefinitionPinLabels() {
    LoadLevelPinLabels(0);
    for (int x = 0; x <= gFeldBreite; ++x) {
        for (int y = 0; y <= gFeldHoehe; ++y) {
            const CellRecord& c = gGrid(x, y);
            if (c.ICPin == 0 || c.ICLevel != 0 || c.Typ == kTypeIC)
                continue;
            auto px = static_cast<std::int16_t>(x);
            auto py = static_cast<std::int16_t>(y);
            ShowICInOut(px, py);
        }
    }
    RefreshLabels();
}

void HideICPinLabels() {
    for (ICPinLabel& l : gICPinLabels)
        l.Visible = false;
}

void ShowICInOut(std::int16_t& PosX, std::int16_t& PosY) {
    if (!gGrid.Contains(PosX, PosY))
        return;
    const CellRecord& c = gGrid(PosX, PosY);
    if (c.ICPin == 0 || c.ICPin >= gICPinLabels.size())
        return;
    ICPinLabel& label = gICPinLabels[c.ICPin];
    DrawTarget* dev = gGrafik.Device;
    if (!DrawingTheWorksheet() || label.Caption.empty())
        return;
    dev->FontName = "Arial";
    dev->FontSize = 8.0 * static_cast<double>(gGrafik.GridMode);
    dev->FontBold = false;
    label.FontSize = dev->FontSize;
    label.Width = dev->TextWidth(label.Caption);
    label.Height = dev->TextHeight(label.Caption);
    const double half = std::nearbyint(static_cast<double>(gGrafik.GetZoomRaster()) / 2.0);
    PlaceBesideWireEnd(c, GridToPixel(PosX), GridToPixel(PosY), half, label.Width, label.Height,
                       label.Left, label.Top);
    label.Visible = true;
}

void PlaceBesideWireEnd(const CellRecord& c, double cx, double cy, double half, double w, double h,
                        double& left, double& top) {
    if (c.Rechts != 0) {
        left = cx - half - w;
        top = cy - h / 2;
    } else if (c.Links != 0) {
        left = cx + half;
        top = cy - h / 2;
    } else if (c.Unten != 0) {
        left = cx - w / 2;
        top = cy - half - h;
    } else {
        left = cx - w / 2;
        top = cy + half;
    }
}

void ShowNamedICPinLabels() {
    if (DrawingTheWorksheet())
        RefreshLabels();
}

void lblICAnschluss_MouseMove(int nr) {
    if (gMouseMode != kToolICView)
        return;
    bool changed = false;
    for (std::size_t i = 1; i < gICPinLabels.size(); ++i) {
        const bool on = static_cast<int>(i) == nr;
        changed = changed || gICPinLabels[i].Highlighted != on;
        gICPinLabels[i].Highlighted = on;
    }
    gAktAnschluss = static_cast<std::int16_t>(
        nr >= 1 && static_cast<std::size_t>(nr) < gICPinLabels.size() ? nr : 0);
    if (changed)
        RefreshLabels();
}

void ClearICPinHighlight() {
    bool changed = false;
    for (ICPinLabel& l : gICPinLabels) {
        changed = changed || l.Highlighted;
        l.Highlighted = false;
    }
    if (changed)
        RefreshLabels();
}

void lblICAnschluss_DragDrop() {
    if (HostWindow* host = HostOrNull())
        host->SetStatusText(
            1, "Bitte ziehen Sie die Textbox mit gedrückter Maustaste in das IC-Entwurfsfenster.");
}

} // namespace kardo
