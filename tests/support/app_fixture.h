// Test fixture for the start-up and settings code: the core fixture with an in-memory settings
// store installed, and a temporary home folder for the documents and working folders.
#pragma once

#include "support/core_fixture.h"
#include "support/fake_settings.h"

#include <string>

namespace kardo::test {

class AppFixture : public CoreFixture {
  protected:
    AppFixture();
    ~AppFixture() override;

    // Creates a folder below the temporary home and returns its path (without a trailing "/").
    std::string MakeFolder(const std::string& relative);

    FakeSettings settings; // the settings store
    std::string home;      // temporary $HOME, removed afterwards

  private:
    std::string m_oldHome;       // $HOME before the test
    std::string m_oldConfigHome; // $XDG_CONFIG_HOME before the test
    bool m_hadConfigHome = false;
};

} // namespace kardo::test
