// Shared pin point lists, filled from the points cached in each element record.
#include "model/pin_points.h"

#include "model/sim_levels.h"

#include <algorithm>

namespace kardo {

namespace {
constexpr std::size_t kMinPoints = 21; // entries the shared lists always hold, at the least
}

std::vector<GridPoint> gEingangsPunkte(kMinPoints);
std::int16_t gAnzEingangsPunkte = 0;
std::vector<GridPoint> gAusgangsPunkte(kMinPoints);
std::int16_t gAnzAusgangsPunkte = 0;

void ResetPinPoints() {
    gEingangsPunkte.assign(kMinPoints, GridPoint{});
    gAnzEingangsPunkte = 0;
    gAusgangsPunkte.assign(kMinPoints, GridPoint{});
    gAnzAusgangsPunkte = 0;
}

const ElementRecord* PinSourceElement(std::int16_t elementNr, std::int16_t ebene) {
    const std::vector<ElementRecord>* list = &gElements;
    if (gPowerOn && !gInLevel && ebene >= 0 && static_cast<std::size_t>(ebene) < gLevels.size())
        list = &gLevels[static_cast<std::size_t>(ebene)].Elemente;
    if (elementNr <= 0 || static_cast<std::size_t>(elementNr) >= list->size())
        return nullptr;
    return &(*list)[static_cast<std::size_t>(elementNr)];
}

const ElementRecord* LevelElement(std::int16_t elementNr, std::int16_t ebene) {
    const std::vector<ElementRecord>* list = &gElements;
    if (gPowerOn && ebene >= 0 && static_cast<std::size_t>(ebene) < gLevels.size())
        list = &gLevels[static_cast<std::size_t>(ebene)].Elemente;
    if (elementNr <= 0 || static_cast<std::size_t>(elementNr) >= list->size())
        return nullptr;
    return &(*list)[static_cast<std::size_t>(elementNr)];
}

namespace {

// Entries from the count on are (0, 0). Only code in this file writes the lists, so the entries
// from the previous count on are zero already: only those between the two counts are cleared.
inline void Fill(std::span<const GridPoint> points, std::vector<GridPoint>& list,
                 std::int16_t& count) {
    const std::size_t n = points.size();
    if (list.size() < std::max(kMinPoints, n))
        list.resize(std::max(kMinPoints, n));
    // Plain loops: the lists are a handful of points and this runs for every symbol drawn.
    GridPoint* out = list.data();
    for (std::size_t i = 0; i < n; ++i)
        out[i] = points[i];
    const auto previous =
        std::min(static_cast<std::size_t>(std::max<std::int16_t>(count, 0)), list.size());
    for (std::size_t i = n; i < previous; ++i)
        out[i] = GridPoint{};
    count = static_cast<std::int16_t>(n);
}

} // namespace

void GetInputPoints(std::int16_t elementNr, std::int16_t ebene) {
    const ElementRecord* e = PinSourceElement(elementNr, ebene);
    if (!e)
        return;
    Fill(e->Eingaenge.Points(), gEingangsPunkte, gAnzEingangsPunkte);
}

void GetOutputPoints(std::int16_t elementNr, std::int16_t ebene) {
    const ElementRecord* e = PinSourceElement(elementNr, ebene);
    if (!e) {
        Fill({}, gAusgangsPunkte, gAnzAusgangsPunkte);
        return;
    }
    Fill(e->Ausgaenge.Points(), gAusgangsPunkte, gAnzAusgangsPunkte);
}

} // namespace kardo
