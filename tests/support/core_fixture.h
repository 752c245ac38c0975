// Test fixture with a fresh program state and fake platform services: a recording worksheet
// picture, a virtual clock and pump, and a recording host window.
#pragma once

#include "app/startup.h"
#include "model/clocks.h"
#include "platform/platform.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "support/fake_host.h"

#include <gtest/gtest.h>

namespace kardo::test {

class CoreFixture : public ::testing::Test {
  protected:
    CoreFixture() : pump(clock) {
        platform.screen = &screen;
        platform.printer = &printer;
        platform.timers = &clock;
        platform.pump = &pump;
        platform.host = &host;
        InitProgramState();
    }
    // The clock timers belong to this fixture's virtual clock and must go before it does.
    ~CoreFixture() override { ResetClockTimers(); }

    RecordingTarget screen{DeviceKind::Screen};   // worksheet picture
    RecordingTarget printer{DeviceKind::Printer}; // printer page
    VirtualClock clock;                           // timers
    VirtualPump pump;                             // waits
    FakeHost host;                                // main window
    Platform platform;                            // the services above
    PlatformScope scope{platform};                // installs them for the test
};

} // namespace kardo::test
