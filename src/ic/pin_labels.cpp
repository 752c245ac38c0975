// Pin-name labels of the level on view.
#include "ic/pin_labels.h"

#include "files/ic_instances.h"
#include "files/text_helpers.h"
#include "model/codes.h"
#include "model/grid.h"
#include "render/grafik.h"

#include <cmath>

namespace kardo {

std::vector<ICPinLabel> gICPinLabels(1);

namespace {

constexpr Color kBlack = Rgb(0, 0, 0);

void LabelFont(DrawTarget& dev) {
    dev.FontName = "Arial";
    dev.FontSize = 8.0 * static_cast<double>(gGrafik.GridMode);
    dev.FontBold = false;
}

} // namespace

void ResetICPinLabels() { gICPinLabels.assign(1, ICPinLabel{}); }

void LoadLevelPinLabels(int nr) {
    ResetICPinLabels();
    if (nr < 1 || static_cast<std::size_t>(nr) >= gICInstances.size())
        return;
    const ICInstanceRecord& ic = gICInstances[static_cast<std::size_t>(nr)];
    for (int k = 1; k <= ic.AnzAnschluesse && static_cast<std::size_t>(k) < ic.Anschluesse.size();
         ++k) {
        const std::string name = GetNextToken(ic.Anschluesse[static_cast<std::size_t>(k)], 3);
        gICPinLabels.push_back(ICPinLabel{name.empty() ? std::string() : "[" + name + "]"});
    }
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
    if (!dev || label.Caption.empty())
        return;
    LabelFont(*dev);
    const double w = dev->TextWidth(label.Caption);
    const double h = dev->TextHeight(label.Caption);
    const double cx = GridToPixel(PosX);
    const double cy = GridToPixel(PosY);
    const double half = std::nearbyint(static_cast<double>(gGrafik.GetZoomRaster()) / 2.0);
    // Beside the wire end, away from the wire.
    if (c.Rechts != 0) {
        label.Left = cx - half - w;
        label.Top = cy - h / 2;
    } else if (c.Links != 0) {
        label.Left = cx + half;
        label.Top = cy - h / 2;
    } else if (c.Unten != 0) {
        label.Left = cx - w / 2;
        label.Top = cy - half - h;
    } else {
        label.Left = cx - w / 2;
        label.Top = cy + half;
    }
    label.Visible = true;
}

void ShowNamedICPinLabels() {
    DrawTarget* dev = gGrafik.Device;
    if (!dev)
        return;
    for (const ICPinLabel& l : gICPinLabels) {
        if (!l.Visible || l.Caption.empty())
            continue;
        LabelFont(*dev);
        dev->ForeColor = kBlack;
        dev->CurrentX = l.Left;
        dev->CurrentY = l.Top;
        dev->Print(l.Caption);
    }
}

} // namespace kardo
