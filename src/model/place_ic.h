// Placing and removing user-defined ICs (type 20): the package rectangle of cells with its pin
// cells, the IC's instance and level with those of every IC nested in it, and the undo steps.
#pragma once

#include "model/ic_instances.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kardo {

extern std::string gICName; // IC chosen for placement or being defined; "" or "<Name>" when none;
                            // ResetICPlacement empties it
extern bool gICAuswahlOK;   // the chosen IC passed its nesting check (CheckICNesting); false by
                            // ResetICPlacement

// Start-up values of the two globals above: no IC chosen.
void ResetICPlacement();

// Places the IC gICName with its top-left cell at column gCursorX, row gCursorY - Int(H / 2)
// (H its package height). Refused without a change when no IC is chosen or its nesting check
// failed (gICAuswahlOK false; the IC file lists are refreshed), when the package leaves the
// sheet's inner area (after a pause of 0.1 s) or covers anything; a definition that cannot be
// loaded, and passing kMaxICInstances instances, are refused with a message. While a long
// definition loads, its progress shows on the main window (ICLoader::ShowProgress); the progress
// bar is set to 100 after such a load and to 0 at the end. On success gCurLevel is the new
// instance's index; after a refused footprint it is 0; other refusals leave it unchanged.
void SetIC();

// Removes the IC covering the cursor cell with every IC nested in it ("IC löschen").
void RemoveIC();

// Puts back an IC that an undo step kept (the undo history's restore hook); takes kept.
void RestoreIC(std::string_view name, std::int16_t elementNr, std::int16_t instanceNr,
               ICInstanceBlock* kept);

// Installs RemoveIC and RestoreIC as the undo history's IC hooks (part of the model's reset).
void InstallICUndoHooks();

} // namespace kardo
