// Placement outline under the cursor.
#include "editor/placement_outline.h"

#include "editor/overlays.h"
#include "model/utilities.h"

namespace kardo {

// Only the frame's look follows the tool for now: a placing tool shows no outline yet, and the
// frame turns grey and solid as the outline would have it.
void ShowBorder() {
    OverlayShape& frame = gOverlays.picRahmen;
    if (gMouseMode != 0) {
        frame.BorderColor = 0x808080;
        frame.BorderStyle = kBorderSolid;
    }
}

} // namespace kardo
