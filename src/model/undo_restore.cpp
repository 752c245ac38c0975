// Taking back one undo step: the element records first (elements placed since the snapshot go,
// elements removed since come back at their old numbers), then the cells, then the redraw.
#include "editor/selection.h"
#include "editor/text_labels.h"
#include "model/basic_elements.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/ic_instances.h"
#include "model/model_state.h"
#include "model/number_text.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "render/redraw.h"

#include <algorithm>
#include <cassert>

namespace kardo {

namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// One kept element record of a step and what became of it since the snapshot.
struct KeptElement {
    int copy = 0;         // index of the copy in UndoStep.Elements
    GridPoint where;      // a cell the element covered in the snapshot that still shows it, or
                          // its first saved cell when it is gone
    bool present = false; // the element still exists (possibly under another number)
};

// An element of the given type covers the grid cell; its number, else 0.
std::int16_t ElementOfTypeAt(GridPoint p, std::uint8_t typ) {
    const std::int16_t e = gGrid(p.x, p.y).ElementNr;
    if (e < 1 || e > gAnzElemente)
        return 0;
    return gElements[At(e)].Typ == typ ? e : 0;
}

// For every copy of the step: does its element still exist? It does when one of the cells it
// covered in the snapshot is now covered by an element of the same type. Only the changed
// element of a step can be gone; its neighbours inside the rectangle are still there. One pass
// over the saved cells, the copy of each cell found by its number.
std::vector<KeptElement> ClassifyCopies(const UndoStep& s) {
    std::vector<KeptElement> kept(static_cast<std::size_t>(s.Copies()));
    int maxNr = 0;
    for (int k = 1; k <= s.Copies(); ++k) {
        kept[At(k - 1)].copy = k;
        maxNr = std::max<int>(maxNr, s.Elements[At(k)].Nr);
    }
    std::vector<int> copyOf(At(maxNr) + 1, 0); // copy index + 1 by snapshot number
    for (int k = 1; k <= s.Copies(); ++k)
        if (s.Elements[At(k)].Nr >= 1)
            copyOf[At(s.Elements[At(k)].Nr)] = k;
    std::vector<char> found(kept.size(), 0); // a saved cell of the copy was met
    for (int x = s.X1; x <= s.X2; ++x) {
        for (int y = s.Y1; y <= s.Y2; ++y) {
            const std::int16_t nr = s.Cells(x - s.X1, y - s.Y1).ElementNr;
            if (nr < 1 || nr > maxNr || copyOf[At(nr)] == 0)
                continue;
            const int k = copyOf[At(nr)];
            KeptElement& ke = kept[At(k - 1)];
            if (ke.present)
                continue;
            const GridPoint p{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
            if (found[At(k - 1)] == 0) {
                ke.where = p;
                found[At(k - 1)] = 1;
            }
            if (ElementOfTypeAt(p, s.Elements[At(k)].Typ) != 0) {
                ke.where = p;
                ke.present = true;
            }
        }
    }
    return kept;
}

// Opens a gap at number nr: records nr.. move one up, and every reference to them follows.
void MakeRoom(int nr, bool restoringClock) {
    const int old = gAnzElemente;
    gElements.resize(At(old) + 2);
    for (int i = old; i >= nr; --i) {
        ElementRecord& moved = gElements[At(i) + 1];
        moved = std::move(gElements[At(i)]);
        moved.Nr = static_cast<std::int16_t>(i + 1);
        // A restored clock brings its own table entry back and moves the later ones itself.
        if (moved.Typ == kTypeClock && !restoringClock) {
            auto it = std::find(gTaktElement.begin(), gTaktElement.end(), i);
            if (it != gTaktElement.end())
                *it = static_cast<std::int16_t>(i + 1);
        }
    }
    for (int y = 0; y <= gFeldHoehe; ++y) {
        for (int x = 0; x <= gFeldBreite; ++x) {
            CellRecord& c = gGrid(x, y);
            if (c.ElementNr >= nr)
                ++c.ElementNr;
        }
    }
    for (int i = 1; i <= gICInstanceMax && At(i) < gICInstances.size(); ++i) {
        ICInstanceRecord& ic = gICInstances[At(i)];
        if (ic.Tiefe == 0 && ic.ElementNr >= nr)
            ++ic.ElementNr;
    }
    gAnzElemente = static_cast<std::int16_t>(old + 1);
}

int PointNumber(const ElementRecord& e) { return static_cast<int>(Val(e.Text)); }

// Takes away element e, placed after the snapshot, with what belongs to it.
void RemovePlacedElement(std::int16_t e, GridPoint cell) {
    const ElementRecord& rec = gElements[At(e)];
    switch (rec.Typ) {
    case kTypeIC:
        if (gUndoRemoveIC) {
            gCursorX = cell.x;
            gCursorY = cell.y;
            gUndoRemoveIC();
            return;
        }
        break;
    case kTypeClock: {
        // A clock without a table entry unloads nothing (not clock 0).
        const int index = ClockIndexOf(e);
        if (index >= 0) {
            auto clockNr = static_cast<std::int16_t>(index);
            UnloadTimer(clockNr);
        }
        break;
    }
    case kTypeAnalysisPoint:
        Host().RemoveGraph(PointNumber(rec));
        break;
    case kTypeTriState: {
        // Placed since the step without a step of its own, possibly reaching out of the
        // rectangle: all nine cells go, as its removal clears them.
        int x1 = gFeldBreite, y1 = gFeldHoehe, x2 = 0, y2 = 0;
        for (int y = 0; y <= gFeldHoehe; ++y) {
            for (int x = 0; x <= gFeldBreite; ++x) {
                CellRecord& c = gGrid(x, y);
                if (c.ElementNr != e)
                    continue;
                c.Typ = WireFlagCount(c) > 0 ? kTypeWire : kTypeEmpty;
                c.ElementNr = 0;
                x1 = std::min(x1, x), y1 = std::min(y1, y);
                x2 = std::max(x2, x), y2 = std::max(y2, y);
            }
        }
        DeleteElementRecord(e);
        if (x1 <= x2)
            RedrawAreaValue(static_cast<std::int16_t>(x1 - 1), static_cast<std::int16_t>(y1 - 1),
                            static_cast<std::int16_t>(x2 + 1), static_cast<std::int16_t>(y2 + 1),
                            false);
        return;
    }
    default:
        break;
    }
    DeleteElementRecord(e);
}

} // namespace

bool clsUndo::RestoreElements(UndoStep& step) {
    if (step.Kind == kUndoMove) {
        for (int k = 1; k <= step.Copies(); ++k) {
            ElementRecord copy = step.Elements[At(k)];
            if (copy.Nr < 1 || copy.Nr > gAnzElemente)
                continue;
            if (copy.Typ == kTypeIC)
                copy.Eingaenge = copy.Ausgaenge;
            gElements[At(copy.Nr)] = std::move(copy);
        }
        return true;
    }

    // A normal step and a whole-field step alike: what the step kept comes back, elements removed
    // since at their old numbers, and every later number follows.
    m_renumbered.clear();
    const std::vector<KeptElement> kept = ClassifyCopies(step);

    // Elements placed after the snapshot: a cell that belonged to no element then, or to an
    // element of another kind (a tri-state gate placed where an element was removed), belongs
    // to one now. Removed from the highest number down so that the others keep their numbers.
    // Elements known as kept and elements already listed are looked up by number.
    std::vector<char> known(At(gAnzElemente) + 1, 0);
    for (const KeptElement& k : kept) {
        const std::int16_t e = k.present ? gGrid(k.where.x, k.where.y).ElementNr : 0;
        if (e >= 1 && e <= gAnzElemente)
            known[At(e)] = 1;
    }
    std::vector<std::pair<std::int16_t, GridPoint>> placed;
    for (int x = step.X1; x <= step.X2; ++x) {
        for (int y = step.Y1; y <= step.Y2; ++y) {
            const CellRecord& now = gGrid(x, y);
            const std::int16_t e = now.ElementNr;
            const CellRecord& then = step.Cells(x - step.X1, y - step.Y1);
            if (e < 1 || (then.ElementNr != 0 && then.Typ == now.Typ))
                continue;
            if (e <= gAnzElemente) {
                if (known[At(e)] != 0)
                    continue;
                known[At(e)] = 1;
            } else if (std::any_of(placed.begin(), placed.end(),
                                   [e](const auto& p) { return p.first == e; })) {
                continue;
            }
            placed.emplace_back(
                e, GridPoint{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)});
        }
    }
    std::sort(placed.begin(), placed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });

    // Elements removed since the snapshot come back at their old numbers, lowest first, so that
    // each lands where it was.
    std::vector<int> gone;
    for (const KeptElement& ke : kept)
        if (!ke.present)
            gone.push_back(ke.copy);
    std::sort(gone.begin(), gone.end(),
              [&](int a, int b) { return step.Elements[At(a)].Nr < step.Elements[At(b)].Nr; });

    // Tri-state gates placed since the step (they record none) may have filled the list: the
    // step would then bring back more elements than the sheet can hold.
    const auto after = static_cast<std::ptrdiff_t>(gAnzElemente) -
                       static_cast<std::ptrdiff_t>(placed.size()) +
                       static_cast<std::ptrdiff_t>(gone.size());
    if (after > kMaxElements) {
        ReportElementLimit("Dieser Schritt kann nicht rückgängig gemacht werden, weil die "
                           "Schaltung danach mehr Elemente enthielte.");
        return false;
    }

    for (const auto& [e, cell] : placed)
        RemovePlacedElement(e, cell);
    for (int k : gone) {
        ElementRecord copy = step.Elements[At(k)];
        // A tri-state removed since the step (it records no step of its own) lowered the
        // numbers above it: the element comes back at the end of the list then.
        std::int16_t nr = static_cast<std::int16_t>(std::clamp<int>(copy.Nr, 1, gAnzElemente + 1));
        if (nr != copy.Nr)
            m_renumbered.emplace_back(copy.Nr, nr);
        const std::uint8_t typ = copy.Typ;
        MakeRoom(nr, typ == kTypeClock);
        copy.Nr = nr;
        if (typ == kTypeIC) {
            const std::string name = copy.Eingaenge.Text();
            const auto instance = static_cast<std::int16_t>(Val(copy.Text));
            copy.Eingaenge = copy.Ausgaenge;
            copy.Text.clear();
            gElements[At(nr)] = std::move(copy);
            if (gUndoRestoreIC) {
                gCursorX = step.X1;
                gCursorY = static_cast<std::int16_t>(step.Y1 + (step.Y2 - step.Y1) / 2);
                m_replacedIC = instance;
                m_replacedICElement = nr;
                const auto keptBlock =
                    std::find_if(step.ICBlocks.begin(), step.ICBlocks.end(),
                                 [&](const KeptICBlock& b) { return b.Base == instance; });
                if (keptBlock == step.ICBlocks.end()) {
                    gUndoRestoreIC(name, nr, instance, nullptr);
                } else {
                    ICInstanceBlock block = ExpandICBlock(*keptBlock);
                    gUndoRestoreIC(name, nr, instance, &block);
                }
            }
            continue;
        }
        gElements[At(nr)] = std::move(copy);
        if (typ == kTypeClock)
            LoadTimer(nr);
        if (typ == kTypeAnalysisPoint)
            Host().AddGraph(PointNumber(gElements[At(nr)]));
    }

    // Elements that stayed get their kept record back (an LED placed anew keeps its number but
    // takes a new colour). An IC copy holds its name in place of its pins and is left alone.
    for (const KeptElement& ke : kept) {
        if (!ke.present)
            continue;
        const ElementRecord& copy = step.Elements[At(ke.copy)];
        if (copy.Typ == kTypeIC)
            continue;
        const std::int16_t m = ElementOfTypeAt(ke.where, copy.Typ);
        if (m == 0)
            continue;
        if (m != copy.Nr)
            m_renumbered.emplace_back(copy.Nr, m);
        gElements[At(m)] = copy;
        gElements[At(m)].Nr = m;
    }
    return true;
}

void clsUndo::RestoreCells(UndoStep& step) {
    const bool renumber = step.Kind != kUndoMove;
    for (int x = step.X1; x <= step.X2; ++x) {
        for (int y = step.Y1; y <= step.Y2; ++y) {
            CellRecord& c = gGrid(x, y);
            const CellRecord now = c;
            c = step.Cells(x - step.X1, y - step.Y1);
            if (renumber && c.ElementNr != 0)
                c.ElementNr = ElementNumberNow(c, now);
            if (m_replacedIC != 0 && c.ICLevel > 0 && c.ElementNr == m_replacedICElement)
                c.ICLevel = static_cast<std::uint8_t>(gCurLevel);
        }
    }
}

// The number a restored cell's element has now. Elements the undo put back or kept under a
// new number follow RestoreElements; an element the step did not keep (a cells-only step)
// still covers the cell, so the cell takes the number it carries now.
std::int16_t clsUndo::ElementNumberNow(const CellRecord& restored, const CellRecord& now) const {
    for (const auto& [then, later] : m_renumbered)
        if (then == restored.ElementNr)
            return later;
    if (now.ElementNr != 0 && now.Typ == restored.Typ)
        return now.ElementNr;
    return restored.ElementNr;
}

void clsUndo::RedrawUndoArea(const UndoStep& step) {
    // A whole-field step's rectangle is the one its caller asked for.
    RedrawAreaValue(static_cast<std::int16_t>(step.X1 - 1), static_cast<std::int16_t>(step.Y1 - 1),
                    static_cast<std::int16_t>(step.X2 + 1), static_cast<std::int16_t>(step.Y2 + 1),
                    false);
}

bool clsUndo::Undo() {
    // A label being written is accepted first; it is then the step taken back.
    txtBeschriftung_LostFocus();
    if (m_current < 1 || m_current > m_count || NoUndoData())
        return false;
    m_busy = true;
    m_replacedIC = 0;
    m_replacedICElement = 0;
    UndoStep& step = m_steps[At(m_current)];
    if (!RestoreElements(step)) {
        m_busy = false;
        return false;
    }
    RestoreCells(step);
    RedrawUndoArea(step);
    // Counted afresh rather than adjusted by the step's text, so that steps that took several
    // points away (an area deletion) keep the count right too.
    gAnzAnalysepunkte = CountAnalysisPoints();
    Host().RefreshAnalysisList();
    ++m_current;
    m_busy = false;
    MarkCircuitChanged();
    SelectNone();
    if (m_current <= m_count && m_steps[At(m_current)].Filled)
        EnableEntries(m_steps[At(m_current)].Description);
    else
        DisableEntries();
    UpdateAnalyserMenu();
    return true;
}

} // namespace kardo
