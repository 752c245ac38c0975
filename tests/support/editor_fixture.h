// Test fixture of the worksheet editor: a fresh program state on a 60 x 40 sheet with the
// select tool in hand, and the undo history's lines for checks of recorded steps.
#pragma once

#include "support/core_fixture.h"

#include <string>
#include <vector>

namespace kardo::test {

class EditorFixture : public CoreFixture {
  protected:
    EditorFixture() { Fresh(); }
    // Starts over: program state, editor state, a 60 x 40 sheet, the select tool.
    static void Fresh();
};

// The undo history's lines, newest first ("Bereich verschieben (5,3 - 8,9)").
std::vector<std::string> UndoLines();

} // namespace kardo::test
