// Test fixture of the worksheet editor.
#include "support/editor_fixture.h"

#include "app/startup.h"
#include "editor/mouse_dispatch.h"
#include "model/grid.h"
#include "model/undo.h"
#include "model/utilities.h"

namespace kardo::test {

void EditorFixture::Fresh() {
    InitProgramState();
    ResetMouseDispatch();
    CreateWorksheet(60, 40);
    gMouseMode = kToolSelect;
}

std::vector<std::string> UndoLines() {
    std::vector<std::string> lines;
    gUndo.ListUndos(lines);
    return lines;
}

} // namespace kardo::test
