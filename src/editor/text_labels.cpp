// Text labels. The in-place editor is not built yet: the text tool creates and edits nothing,
// and labels are not drawn.
#include "editor/text_labels.h"

namespace kardo {

// Opens no editor yet.
void ChangeBeschriftung(std::string_view) {}

// Draws nothing yet.
void DisplayBeschriftungsText(std::int16_t, std::string_view) {}

// The editor never opens yet.
bool BeschriftungEditorVisible() { return false; }

} // namespace kardo
