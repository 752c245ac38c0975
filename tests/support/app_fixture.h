// Test fixture for the start-up and settings code: the core fixture with an in-memory settings
// store installed, and a temporary home folder for the documents and working folders.
#pragma once

#include "support/core_fixture.h"
#include "support/fake_settings.h"
#include "support/temp_home.h"

#include <string>

namespace kardo::test {

class AppFixture : public CoreFixture {
  protected:
    AppFixture();

    // Creates a folder below the temporary home and returns its path (without a trailing "/").
    std::string MakeFolder(const std::string& relative) { return tempHome.MakeFolder(relative); }

    FakeSettings settings;              // the settings store
    TempHome tempHome{"kardo-home-"};   // $HOME and $XDG_CONFIG_HOME for the test
    std::string home = tempHome.Path(); // temporary $HOME, removed afterwards
};

} // namespace kardo::test
