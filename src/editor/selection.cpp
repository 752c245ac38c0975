// The selection of the worksheet editor.
#include "editor/selection.h"

#include "platform/platform.h"

namespace kardo {

std::string gSelection;
std::int16_t gSelCount = 0;
std::int16_t gBereichX1 = 0;
std::int16_t gBereichY1 = 0;
std::int16_t gBereichX2 = 0;
std::int16_t gBereichY2 = 0;

void ResetSelection() {
    gSelCount = 0;
    gSelection.clear();
    gBereichX1 = gBereichY1 = gBereichX2 = gBereichY2 = 0;
}

void SelectNone() {
    ResetSelection();
    if (gPlatform && gPlatform->host) {
        Host().SetCaption("lblSelElement", "0");
        Host().SetEnabled("mDelete", false);
    }
}

} // namespace kardo
