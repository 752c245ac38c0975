// The context menu of an element on the worksheet: which entries it offers on the cell under
// the cursor, and what each entry does.
#pragma once

namespace kardo {

// Shows the context menu mPopupMenu for the cell under the cursor: "Löschen" always, "Negieren"
// or "Negationspunkt löschen" on the pins that can carry a negation point, "Ändern" on a text
// label.
void ShowPopupMenu();
// The command of context-menu entry mPopup (index), 3 to 9; the select tool stays active.
void mPopup_Click(int index);

} // namespace kardo
