// Test fixture for the start-up and settings code.
#include "support/app_fixture.h"

#include "app/main_state.h"

namespace kardo::test {

AppFixture::AppFixture() {
    platform.settings = &settings;
    LadeDatei.clear();
}

} // namespace kardo::test
