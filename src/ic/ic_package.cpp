// The package of the IC being defined: its size and the places of the pins on its outline.
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/ic_definition_mode.h"
#include "model/place_ic.h"
#include "platform/platform.h"

#include <algorithm>
#include <cmath>

namespace kardo {

namespace {

void RefreshEditor() {
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->RefreshICEditor();
}

} // namespace

bool OnICOutline(int a, int b, int w, int h) {
    return a >= 0 && b >= 0 && a <= w && b <= h && (a == 0 || b == 0 || a == w || b == h);
}

int ICPinAtPlace(int a, int b) {
    for (int k = 1; k <= gAnzICAnschluesse; ++k) {
        int pa = 0;
        int pb = 0;
        if (GetICPinPlace(k, pa, pb) && pa == a && pb == b)
            return k;
    }
    return 0;
}

bool PlaceICPin(int k, int a, int b, std::string& reason) {
    if (k < 1 || k > gAnzICAnschluesse)
        return false;
    if (!OnICOutline(a, b, gICBreite, gICHoehe)) {
        reason = "Ein Anschluss kann nur auf dem Rand des Gehäuses liegen.";
        return false;
    }
    const int holder = ICPinAtPlace(a, b);
    if (holder != 0 && holder != k) {
        reason = "Auf diesem Platz liegt schon der Anschluss \"" + ICPinName(holder) + "\".";
        return false;
    }
    gICAnschluesse[static_cast<std::size_t>(k)] = ICPlaceLine(a, b, ICPinName(k));
    RefreshEditor();
    return true;
}

void UnplaceICPin(int k) {
    if (k < 1 || static_cast<std::size_t>(k) >= gICAnschluesse.size())
        return;
    gICAnschluesse[static_cast<std::size_t>(k)].clear();
    RefreshEditor();
}

bool SnapToICOutline(double col, double row, int w, int h, int& a, int& b) {
    if (!std::isfinite(col) || !std::isfinite(row) || col < -1.5 || row < -1.5 || col > w + 1.5 ||
        row > h + 1.5)
        return false;
    a = std::clamp(static_cast<int>(std::lround(col)), 0, w);
    b = std::clamp(static_cast<int>(std::lround(row)), 0, h);
    if (OnICOutline(a, b, w, h))
        return true;
    // Inside the package: the nearest edge.
    const int toLeft = a;
    const int toRight = w - a;
    const int toTop = b;
    const int toBottom = h - b;
    const int nearest = std::min({toLeft, toRight, toTop, toBottom});
    if (nearest == toLeft)
        a = 0;
    else if (nearest == toRight)
        a = w;
    else if (nearest == toTop)
        b = 0;
    else
        b = h;
    return true;
}

void ResizeICPackage(int w, int h) {
    w = std::clamp(w, kMinICPackage, kMaxICPackage);
    h = std::clamp(h, kMinICPackage, kMaxICPackage);
    const int oldW = gICBreite;
    const int oldH = gICHoehe;
    gICBreite = static_cast<std::int16_t>(w);
    gICHoehe = static_cast<std::int16_t>(h);
    // Pins on the right or bottom edge follow it. Pins that stay where they are keep their
    // places first; a place that is gone, or that a pin moving along its edge would share with
    // another, is given up by the moving pin.
    const std::size_t n =
        std::min(gICAnschluesse.size(), static_cast<std::size_t>(gAnzICAnschluesse) + 1);
    std::vector<std::string> kept(gICAnschluesse.size());
    std::vector<int> pa(n, -1);
    std::vector<int> pb(n, -1);
    std::vector<bool> moves(n, false);
    for (std::size_t k = 1; k < n; ++k) {
        int a = 0;
        int b = 0;
        if (!GetICPinPlace(static_cast<int>(k), a, b))
            continue;
        moves[k] = (oldW > 0 && a == oldW && a != w) || (oldH > 0 && b == oldH && b != h);
        pa[k] = oldW > 0 && a == oldW ? w : a;
        pb[k] = oldH > 0 && b == oldH ? h : b;
    }
    const auto taken = [&](int a, int b) {
        for (std::size_t j = 1; j < n; ++j)
            if (!kept[j].empty() && pa[j] == a && pb[j] == b)
                return true;
        return false;
    };
    for (const bool moving : {false, true}) {
        for (std::size_t k = 1; k < n; ++k) {
            if (pa[k] < 0 || moves[k] != moving || !OnICOutline(pa[k], pb[k], w, h) ||
                taken(pa[k], pb[k]))
                continue;
            kept[k] = ICPlaceLine(pa[k], pb[k], ICPinName(static_cast<int>(k)));
        }
    }
    gICAnschluesse = kept;
    RefreshEditor();
}

void KeepICPlacesOnOutline() {
    gICBreite = std::max<std::int16_t>(gICBreite, kMinICPackage);
    gICHoehe = std::max<std::int16_t>(gICHoehe, kMinICPackage);
    for (int k = 1; k <= gAnzICAnschluesse && static_cast<std::size_t>(k) < gICAnschluesse.size();
         ++k) {
        int a = 0;
        int b = 0;
        const bool on = GetICPinPlace(k, a, b) && OnICOutline(a, b, gICBreite, gICHoehe);
        const int holder = on ? ICPinAtPlace(a, b) : 0;
        if (!on || holder != k)
            gICAnschluesse[static_cast<std::size_t>(k)].clear();
    }
}

void SetICDefinitionName(std::string_view name) { gICName = std::string(name); }

} // namespace kardo
