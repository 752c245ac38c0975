// The undo history: recording steps, the list of steps, capacity, and the undo menu state.
// Taking a step back is in undo_restore.cpp.
#include "model/undo.h"

#include "model/codes.h"
#include "model/ic_instance_list.h"
#include "model/ic_instances.h"
#include "model/model_state.h"
#include "platform/control_names.h"
#include "platform/platform.h"

#include <algorithm>
#include <cassert>

namespace kardo {

clsUndo gUndo;
UndoRemoveICFn gUndoRemoveIC = nullptr;
UndoRestoreICFn gUndoRestoreIC = nullptr;

namespace {

constexpr std::string_view kUndoCaption = "&Rückgängig: ";
constexpr std::string_view kUndoImpossible = "&Rückgängig: Nicht möglich";

std::int16_t ClampCount(int count) {
    return static_cast<std::int16_t>(std::clamp<int>(count, kMinUndos, kMaxUndos));
}

} // namespace

clsUndo::clsUndo(std::int16_t steps)
    : m_count(ClampCount(steps)), m_steps(static_cast<std::size_t>(m_count) + 1) {}

void ResetUndoHistory() { gUndo = clsUndo(10); }

const UndoStep& clsUndo::Step(int i) const {
    assert(i >= 1 && i <= m_count);
    return m_steps[static_cast<std::size_t>(i)];
}

void clsUndo::EnableEntries(std::string_view description) {
    HostWindow& host = Host();
    host.SetEnabled(ctl::mUndo, true);
    host.SetEnabled(ctl::mUndoList, true);
    host.SetEnabled(ctl::cmdUndo, true);
    host.SetEnabled(ctl::cmdUndoList, true);
    host.SetCaption(ctl::mUndo, std::string(kUndoCaption) + std::string(description));
}

void clsUndo::DisableEntries() {
    HostWindow& host = Host();
    host.SetEnabled(ctl::mUndo, false);
    host.SetEnabled(ctl::mUndoList, false);
    host.SetEnabled(ctl::cmdUndo, false);
    host.SetEnabled(ctl::cmdUndoList, false);
    host.SetCaption(ctl::mUndo, kUndoImpossible);
}

void clsUndo::DeleteAllUndo() {
    for (int i = 1; i <= m_count; ++i)
        m_steps[static_cast<std::size_t>(i)] = UndoStep{};
    m_current = 1;
    DisableEntries();
}

void clsUndo::DeleteLastUndo() {
    // The filled steps form a prefix 1..k; dropping step 1 moves the others one place newer.
    m_steps[1] = UndoStep{};
    int i = 2;
    for (; i <= m_count; ++i) {
        UndoStep& older = m_steps[static_cast<std::size_t>(i)];
        if (!older.Filled)
            break;
        m_steps[static_cast<std::size_t>(i) - 1] = std::move(older);
        older = UndoStep{};
    }
    m_current = 1;
    if (m_steps[1].Filled)
        EnableEntries(m_steps[1].Description);
    else
        DisableEntries();
}

void clsUndo::DeleteUndoData(bool KeepMode) {
    for (int i = 1; i <= m_count; ++i)
        m_steps[static_cast<std::size_t>(i)] = UndoStep{};
    m_current = 0;
    DisableEntries();
    if (!KeepMode)
        NoObjects = Move = Delete = false;
}

void clsUndo::ListUndos(std::vector<std::string>& lines) const {
    for (int i = std::max<int>(m_current, 1); i <= m_count; ++i) {
        const UndoStep& s = m_steps[static_cast<std::size_t>(i)];
        if (!s.Filled)
            break;
        const bool whole = s.Kind == kUndoWholeField;
        const int x1 = whole ? 0 : s.X1, y1 = whole ? 0 : s.Y1;
        const int x2 = whole ? s.SheetX2 : s.X2, y2 = whole ? s.SheetY2 : s.Y2;
        lines.push_back(s.Description + " (" + std::to_string(x1) + "," + std::to_string(y1) +
                        " - " + std::to_string(x2) + "," + std::to_string(y2) + ")");
    }
}

void clsUndo::ShiftUndos() {
    for (int i = m_count - 1; i >= 1; --i)
        m_steps[static_cast<std::size_t>(i) + 1] = std::move(m_steps[static_cast<std::size_t>(i)]);
    m_steps[1] = UndoStep{};
}

void clsUndo::NewUndo(std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2, std::int16_t& Y2,
                      std::string_view Description) {
    if (Y1 > Y2 || X1 > X2 || m_busy) {
        // The flags belong to the step that is not recorded; they must not reach the next one.
        NoObjects = Move = Delete = false;
        return;
    }
    if (X1 < 0)
        X1 = 0;
    if (Y1 < 0)
        Y1 = 0;
    if (X2 > gFeldBreite)
        X2 = gFeldBreite;
    if (Y2 > gFeldHoehe)
        Y2 = gFeldHoehe;
    if (X1 > X2 || Y1 > Y2) {
        // Entirely outside the sheet: nothing to keep.
        NoObjects = Move = Delete = false;
        return;
    }

    if (m_current != 1)
        DeleteUndoData(true);
    else
        ShiftUndos();
    m_current = 1;
    UndoStep& step = m_steps[1];
    step.Kind = Delete ? kUndoWholeField : (Move ? kUndoMove : kUndoNormal);
    SaveCells(step, X1, Y1, X2, Y2);
    if (!NoObjects)
        SaveElements(step);
    step.Description = std::string(Description);
    step.Filled = true;
    ++m_recorded;
    EnableEntries(step.Description);
    NoObjects = Move = Delete = false;
    // Every command that changes the circuit records a step here, whoever calls it.
    MarkCircuitChanged();
}

void clsUndo::SaveCells(UndoStep& step, std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2,
                        std::int16_t& Y2) {
    step.X1 = X1;
    step.Y1 = Y1;
    step.X2 = X2;
    step.Y2 = Y2;
    if (Delete) {
        // The step stands for the whole sheet, and the caller is told so.
        step.ReqX1 = X1;
        step.ReqY1 = Y1;
        step.ReqX2 = X2;
        step.ReqY2 = Y2;
        step.SheetX2 = gFeldBreite;
        step.SheetY2 = gFeldHoehe;
        X1 = 0;
        Y1 = 0;
        X2 = gFeldBreite;
        Y2 = gFeldHoehe;
    }
    step.Cells.Create(step.X2 - step.X1, step.Y2 - step.Y1);
    for (int x = step.X1; x <= step.X2; ++x)
        for (int y = step.Y1; y <= step.Y2; ++y)
            step.Cells(x - step.X1, y - step.Y1) = gGrid(x, y);
}

void clsUndo::SaveElements(UndoStep& step) {
    step.Elements.assign(1, ElementRecord{});
    // Each element is taken once: a lookup by number, not a search of the copies per cell.
    std::vector<char> taken(static_cast<std::size_t>(gAnzElemente) + 1, 0);
    for (int x = step.X1; x <= step.X2; ++x) {
        for (int y = step.Y1; y <= step.Y2; ++y) {
            const CellRecord& c = gGrid(x, y);
            const std::int16_t e = c.ElementNr;
            if (e < 1 || e > gAnzElemente || taken[static_cast<std::size_t>(e)] != 0)
                continue;
            const ElementRecord& source = gElements[static_cast<std::size_t>(e)];
            if (c.Typ == kTypeIC && !Move) {
                // An IC is kept by its name and instance (found by its element, which also
                // serves an IC without pins).
                const int level = ICInstanceOfElement(0, e);
                if (level == 0)
                    continue;
                taken[static_cast<std::size_t>(e)] = 1;
                ElementRecord copy = source;
                copy.Eingaenge = gICInstances[static_cast<std::size_t>(level)].Name;
                copy.Text = std::to_string(level);
                step.Elements.push_back(std::move(copy));
                // The IC comes back as it was, whatever becomes of its definition file.
                KeptICBlock& kept = step.ICBlocks.emplace_back(KeepICBlock(level));
                ShareKeptLevels(kept);
                continue;
            }
            taken[static_cast<std::size_t>(e)] = 1;
            step.Elements.push_back(source);
        }
    }
    step.ElementCount = static_cast<std::int16_t>(step.Copies());
    if (step.Kind == kUndoWholeField)
        step.ElementCount = gAnzElemente;
}

// A level kept by another step, or earlier in this block, with the same contents takes the place
// of the new copy: placing and removing one IC again and again keeps its levels once.
void clsUndo::ShareKeptLevels(KeptICBlock& block) const {
    const auto same = [](const std::shared_ptr<const KeptLevel>& a,
                         const std::shared_ptr<const KeptLevel>& b) {
        return a == b || (a->Hash == b->Hash && *a == *b);
    };
    for (std::size_t j = 0; j < block.Levels.size(); ++j) {
        std::shared_ptr<const KeptLevel>& level = block.Levels[j];
        const std::shared_ptr<const KeptLevel>* found = nullptr;
        for (std::size_t i = 0; i < j && !found; ++i)
            if (same(block.Levels[i], level))
                found = &block.Levels[i];
        for (std::size_t i = 1; i < m_steps.size() && !found; ++i)
            for (const KeptICBlock& other : m_steps[i].ICBlocks)
                for (const std::shared_ptr<const KeptLevel>& o : other.Levels)
                    if (!found && &other != &block && same(o, level))
                        found = &o;
        if (found)
            level = *found;
    }
}

void clsUndo::ChangedWithoutStep(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                                 bool removed) {
    int first = 0;
    for (int i = std::max<int>(m_current, 1); i <= m_count && first == 0; ++i) {
        const UndoStep& s = m_steps[static_cast<std::size_t>(i)];
        if (!s.Filled)
            break;
        const int x1 = std::max<int>(X1, s.X1), y1 = std::max<int>(Y1, s.Y1);
        const int x2 = std::min<int>(X2, s.X2), y2 = std::min<int>(Y2, s.Y2);
        const bool meets = x1 <= x2 && y1 <= y2;
        if (s.Kind == kUndoMove && (removed || meets))
            first = i;
        // A whole-field step stands for the sheet it lists: a gate placed since beyond that
        // sheet (it has grown) lies outside what the step accounts for.
        if (s.Kind == kUndoWholeField && !removed && (X2 > s.SheetX2 || Y2 > s.SheetY2))
            first = i;
        if (!removed || !meets || s.Kind == kUndoMove)
            continue;
        // A step that saved cells of the gate: without records it would bring them back without
        // the gate's record; with records, the gate with only the cells inside its rectangle
        // unless that holds all nine.
        if (s.Copies() != 0 && s.X1 <= X1 && s.Y1 <= Y1 && X2 <= s.X2 && Y2 <= s.Y2)
            continue;
        for (int x = x1; x <= x2; ++x)
            for (int y = y1; y <= y2; ++y)
                if (s.Cells(x - s.X1, y - s.Y1).Typ == kTypeTriState)
                    first = i;
    }
    if (first == 0)
        return;
    for (int i = first; i <= m_count; ++i)
        m_steps[static_cast<std::size_t>(i)] = UndoStep{};
    if (NoUndoData())
        DisableEntries();
}

bool clsUndo::NoUndoData() const {
    if (m_current > m_count)
        return false;
    if (m_current < 1)
        return true;
    return !m_steps[static_cast<std::size_t>(m_current)].Filled;
}

void clsUndo::SetUndos(int count) {
    m_count = ClampCount(count);
    m_steps.resize(static_cast<std::size_t>(m_count) + 1);
    // Steps that no longer fit are gone; an index past them would read beyond the history.
    if (m_current > m_count + 1) {
        m_current = static_cast<std::int16_t>(m_count + 1);
        if (gPlatform && gPlatform->host)
            DisableEntries();
    }
}

} // namespace kardo
