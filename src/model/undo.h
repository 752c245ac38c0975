// The undo history: before a change of the worksheet the changing operation records a step, a
// snapshot of the cells of the rectangle it is about to change and of the element records they
// refer to; Undo writes the newest remaining step back. Linear, no redo.
#pragma once

#include "model/elements.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/kept_ic_block.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kardo {

// Kinds of undo step.
constexpr std::uint8_t kUndoNormal = 0; // cells and the records they refer to
constexpr std::uint8_t kUndoMove = 1;   // objects or an area moved: records written back in place
constexpr std::uint8_t kUndoWholeField = 2; // an area deleted: stands for the whole sheet

// Capacity bounds of the history.
constexpr std::int16_t kMinUndos = 1;
constexpr std::int16_t kMaxUndos = 200;

// A step keeps what the change it precedes can alter: the cells of its rectangle and the records
// they refer to, an IC in its rectangle with its nested ICs and levels. A whole-field step (an
// area deletion) stands for the whole sheet, which it lists, but keeps only the requested
// rectangle: the deletion changes nothing outside it but element numbers, which the undo
// brings back by putting the removed records back at their numbers.
struct UndoStep {
    bool Filled = false;                 // the step holds a snapshot (the rectangle may be 0,0-0,0)
    std::int16_t X1 = 0;                 // saved rectangle, left column
    std::int16_t Y1 = 0;                 // top row
    std::int16_t X2 = 0;                 // right column
    std::int16_t Y2 = 0;                 // bottom row
    Grid Cells;                          // cells of the rectangle, cell (x, y) at (x - X1, y - Y1)
    std::vector<ElementRecord> Elements; // copies of the referenced records, 1..; entry 0 unused
    std::int16_t ElementCount = 0;       // number of copies; a whole-field step: the number of
                                         // records of the sheet it stands for
    std::string Description;             // text shown in the menu and the list
    std::uint8_t Kind = kUndoNormal;     // kUndoNormal, kUndoMove or kUndoWholeField
    std::int16_t ReqX1 = 0;              // whole-field step: the rectangle the caller asked for,
    std::int16_t ReqY1 = 0;              // which is the saved rectangle
    std::int16_t ReqX2 = 0;
    std::int16_t ReqY2 = 0;
    std::int16_t SheetX2 = 0;          // whole-field step: the sheet it stands for and lists,
    std::int16_t SheetY2 = 0;          // (0, 0)-(SheetX2, SheetY2)
    std::vector<KeptICBlock> ICBlocks; // each kept IC with its nested ICs and levels, as they
                                       // were (Base = its instance index)

    // Number of element copies (1..Copies() in Elements).
    int Copies() const { return Elements.empty() ? 0 : static_cast<int>(Elements.size()) - 1; }
};

class clsUndo {
  public:
    explicit clsUndo(std::int16_t steps = 10);

    // Flags for the next recorded step only; every NewUndo resets them.
    bool NoObjects = false; // the next step saves cells only, no element records
    bool Move = false;      // the next step is a move step
    bool Delete = false;    // the next step is a whole-field step

    // Empties every step's rectangle, text, copies and kind; current index 1; entries disabled.
    void DeleteAllUndo();
    // Drops the newest step.
    void DeleteLastUndo();
    // Releases every step; current index 0; entries disabled; flags reset unless KeepMode.
    void DeleteUndoData(bool KeepMode);
    // Appends one line per remaining step, newest first: "text (X1,Y1 - X2,Y2)".
    void ListUndos(std::vector<std::string>& lines) const;
    // Records a step for the rectangle before it changes. The rectangle is clamped to the sheet
    // in place (a whole-field step rewrites it to the whole sheet). Ignored while an undo runs
    // and for a reversed rectangle.
    void NewUndo(std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2, std::int16_t& Y2,
                 std::string_view Description);
    // NewUndo for a rectangle the caller does not need back.
    void NewUndoValue(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                      std::string_view Description) {
        NewUndo(X1, Y1, X2, Y2, Description);
    }
    void ReDo() {}
    // Takes back the current step. False, with nothing changed, when there is none or when
    // taking it back would pass the element limit (reported in a message box).
    bool Undo();
    // True when there is no step to take back at the current index.
    bool NoUndoData() const;

    // A tri-state gate, which records no step, was placed on the cells (X1, Y1)-(X2, Y2) or
    // removed from them (removed: the element numbers above it went down by one). The steps
    // that would then undo into a circuit that does not fit together are forgotten with every
    // older step: move steps, which write their records and cells back by number, when numbers
    // changed or their rectangle meets the gate's; and steps that would bring back cells of the
    // removed gate without its record, or its record with only some of its cells.
    void ChangedWithoutStep(std::int16_t X1, std::int16_t Y1, std::int16_t X2, std::int16_t Y2,
                            bool removed);
    // Capacity 1..200; the steps kept are those that still fit.
    void SetUndos(int count);
    std::int16_t Undos() const { return m_count; }

    // Read access for the dialog and tests.
    std::int16_t CurrentIndex() const { return m_current; }  // step the next Undo takes back
    const UndoStep& Step(int i) const;                       // step i, 1 = newest
    bool Busy() const { return m_busy; }                     // an undo is being carried out
    std::int16_t ReplacedIC() const { return m_replacedIC; } // IC instance re-placed by Undo
    std::uint32_t Recorded() const { return m_recorded; }    // steps recorded so far

  private:
    void RedrawUndoArea(const UndoStep& step);
    void RestoreCells(UndoStep& step);
    std::int16_t ElementNumberNow(const CellRecord& restored, const CellRecord& now) const;
    bool RestoreElements(UndoStep& step);
    void ShiftUndos();
    void SaveElements(UndoStep& step);
    void ShareKeptLevels(KeptICBlock& block) const;
    void SaveCells(UndoStep& step, std::int16_t& X1, std::int16_t& Y1, std::int16_t& X2,
                   std::int16_t& Y2);
    void EnableEntries(std::string_view description);
    void DisableEntries();

    std::int16_t m_count = 10;            // capacity, 1..200
    std::vector<UndoStep> m_steps;        // steps 1..m_count, 1 the newest; entry 0 never used
    std::int16_t m_current = 0;           // step the next undo takes back; 0 after clearing
    bool m_busy = false;                  // an undo is running; recording is ignored
    std::int16_t m_replacedIC = 0;        // instance index of the IC re-placed by the running undo
    std::int16_t m_replacedICElement = 0; // element number of that IC
    std::uint32_t m_recorded = 0;         // steps recorded since the history was created
    std::vector<std::pair<std::int16_t, std::int16_t>>
        m_renumbered; // the running undo: element
                      // numbers of the step -> numbers now (RestoreElements)
};

extern clsUndo gUndo; // the undo history; reset to 10 empty steps by ResetUndoHistory

// Start-up state: an empty history of 10 steps.
void ResetUndoHistory();

// IC placement belongs to the IC module. The undo history reaches it through these entry points,
// which that module installs; while they are unset an IC is taken away and put back as a plain
// element record with its cells.
// Remove: RemoveIC with the cursor cell set into the IC. Restore: puts the IC named name back at
// instance instanceNr, from kept (the instances and levels the step kept, expanded at base 0;
// the hook may take them) or, without one, by loading its definition again; the undo history has
// already made room at elementNr and written the kept record there, and has set the cursor cell;
// the hook rebuilds instance and levels, sets gCurLevel to the instance used (0 when none) and
// leaves gAnzElemente as it found it.
using UndoRemoveICFn = void (*)();
using UndoRestoreICFn = void (*)(std::string_view name, std::int16_t elementNr,
                                 std::int16_t instanceNr, ICInstanceBlock* kept);
extern UndoRemoveICFn gUndoRemoveIC;   // installed by the IC module; nullptr until then
extern UndoRestoreICFn gUndoRestoreIC; // installed by the IC module; nullptr until then

} // namespace kardo
