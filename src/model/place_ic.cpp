// IC placement and removal.
#include "model/place_ic.h"

#include "files/ic_folder.h"
#include "files/ic_loader.h"
#include "files/ic_size.h"
#include "files/working_folders.h"
#include "ic/level_tree.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instance_list.h"
#include "model/pin_points.h"
#include "model/placement.h"
#include "model/undo.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>
#include <string>

namespace kardo {

std::string gICName;
bool gICAuswahlOK = false;

void ResetICPlacement() {
    gICName.clear();
    gICAuswahlOK = false;
}

namespace {

std::int16_t I16(int v) { return static_cast<std::int16_t>(v); }

HostWindow* HostOrNull() { return gPlatform ? gPlatform->host : nullptr; }

// The package rectangle: wire flags that point into it go, every cell becomes an IC cell of
// element e.
void MarkPackage(int x1, int y1, int x2, int y2, std::int16_t e) {
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y) {
            CellRecord& c = gGrid(x, y);
            if (x == x1)
                c.Rechts = 0;
            if (x == x2)
                c.Links = 0;
            if (y == y1)
                c.Unten = 0;
            if (y == y2)
                c.Oben = 0;
            c.Typ = kTypeIC;
            c.ElementNr = e;
        }
    }
}

} // namespace

void SetIC() {
    const std::string& folder = gVerzeichnisse[1];
    if (!gICAuswahlOK || !FindICFile(folder, gICName)) {
        if (HostWindow* host = HostOrNull())
            host->RefreshICLists();
        return;
    }
    ICLoader loader(folder);
    ICLoadProblem problem;
    const ICDefinition* def = loader.Definition(gICName, problem);
    if (!def) {
        ReportICProblem(problem);
        return;
    }
    gICBreite = def->Breite;
    gICHoehe = def->Hoehe;
    const int w = def->Breite;
    const int h = def->Hoehe;
    // The top row lies where the placement outline has its top edge.
    const int x1 = gCursorX;
    const int y1 = gCursorY - h / 2;
    if (x1 < 1 || y1 < 1 || x1 + w > gFeldBreite - 1 || y1 + h > gFeldHoehe - 1) {
        gCurLevel = 0;
        Wait(0.1, true);
        return;
    }
    if (IsAreaBlocked(I16(x1), I16(y1), I16(x1 + w), I16(y1 + h)) || !RoomForElement())
        return;

    ICInstanceBlock block;
    block.Base = gICInstanceMax + 1;
    const auto e = I16(gAnzElemente + 1);
    loader.ShowProgress(true);
    const bool built = loader.Build(gICName, e, gICInstanceMax, ICLevelCells(), block, problem);
    HostWindow* host = HostOrNull();
    if (host && loader.ProgressBarShown())
        host->SetProgress(100);
    if (!built) {
        if (host)
            host->SetProgress(0);
        ReportICProblem(problem);
        return;
    }

    gUndo.NewUndoValue(I16(x1), I16(y1), I16(x1 + w), I16(y1 + h), "IC setzen");
    MarkPackage(x1, y1, x1 + w, y1 + h, e);
    ElementRecord& rec = AppendElement(kTypeIC);
    rec.Richtung = gOrientierung;
    std::string pins;
    for (int k = 1; k <= def->PinCount(); ++k) {
        const ICPinPlace& place = def->Places[static_cast<std::size_t>(k)];
        if (!place.Placed)
            continue;
        pins += PinEntry(x1 + place.A, y1 + place.B);
        gGrid(x1 + place.A, y1 + place.B).ICPin = static_cast<std::uint8_t>(k);
    }
    rec.Eingaenge = pins;
    rec.Ausgaenge = pins;
    gCurLevel = I16(InsertICBlock(block.Base, std::move(block)));
    for (const GridPoint p : gElements[static_cast<std::size_t>(e)].Eingaenge.Points())
        gGrid(p.x, p.y).ICLevel = static_cast<std::uint8_t>(gCurLevel);

    GetInputPoints(e, 0);
    if (gPlatform && gPlatform->screen) {
        PrepareDrawing();
        gGrafik.DrawIC(I16(x1), I16(y1), gCurLevel, false);
    }
    RefreshTreeView();
    if (host) {
        host->SetProgress(0);
        host->SetMousePointer(kPointerCross);
        host->RefreshWorksheet();
    }
}

void RemoveIC() {
    if (!gGrid.Contains(gCursorX, gCursorY))
        return;
    const std::int16_t e = gGrid(gCursorX, gCursorY).ElementNr;
    if (e < 1 || e > gAnzElemente || gElements[static_cast<std::size_t>(e)].Typ != kTypeIC)
        return;
    const auto points = gElements[static_cast<std::size_t>(e)].Eingaenge.Points();
    int level = 0;
    if (!points.empty() && gGrid.Contains(points[0].x, points[0].y))
        level = gGrid(points[0].x, points[0].y).ICLevel;
    // An IC without pins on its package names its instance in no cell.
    if (level == 0)
        level = ICInstanceOfElement(0, e);

    // The package: the run of its cells through the cursor cell, across and down.
    int x1 = gCursorX;
    int x2 = gCursorX;
    int y1 = gCursorY;
    int y2 = gCursorY;
    while (x1 > 0 && gGrid(x1 - 1, gCursorY).ElementNr == e)
        --x1;
    while (x2 < gFeldBreite && gGrid(x2 + 1, gCursorY).ElementNr == e)
        ++x2;
    while (y1 > 0 && gGrid(gCursorX, y1 - 1).ElementNr == e)
        --y1;
    while (y2 < gFeldHoehe && gGrid(gCursorX, y2 + 1).ElementNr == e)
        ++y2;

    gUndo.NewUndoValue(I16(x1), I16(y1), I16(x2), I16(y2), "IC löschen");
    ClearArea(I16(x1), I16(y1), I16(x2), I16(y2));
    DeleteElementRecord(e);
    if (level >= 1)
        TakeICBlock(level);
    RefreshTreeView();
    RedrawAreaValue(I16(x1 - 1), I16(y1 - 1), I16(x2 + 1), I16(y2 + 1), false);
}

void RestoreIC(std::string_view name, std::int16_t elementNr, std::int16_t instanceNr,
               ICInstanceBlock* kept) {
    ICInstanceBlock block;
    if (kept) {
        block = std::move(*kept);
    } else {
        // Without a kept block the definition is loaded again; when that fails the IC's cells
        // stay without an instance.
        ICLoader loader(gVerzeichnisse[1]);
        ICLoadProblem problem;
        block.Base = std::clamp<int>(instanceNr, 1, gICInstanceMax + 1);
        if (!loader.Build(name, elementNr, gICInstanceMax, ICLevelCells(), block, problem)) {
            gCurLevel = 0;
            return;
        }
    }
    if (block.Instances.empty()) {
        gCurLevel = 0;
        return;
    }
    ICInstanceRecord& top = block.Instances.front();
    top.ElementNr = elementNr;
    top.Tiefe = 0;
    top.Parent = 0;
    gCurLevel = I16(InsertICBlock(instanceNr, std::move(block)));
    RefreshTreeView();
}

void InstallICUndoHooks() {
    gUndoRemoveIC = &RemoveIC;
    gUndoRestoreIC = &RestoreIC;
}

} // namespace kardo
