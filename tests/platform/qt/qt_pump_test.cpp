// The program's message pump over the Qt event loop: a wait sleeps until an event or its
// deadline, an event ends the sleep, and a wait that blocks input does not run events.
#include "model/utilities.h"
#include "platform/platform.h"
#include "support/qt/counting_pump.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class QtPumpTest : public ::testing::Test {
  protected:
    QtPumpTest() { platform.pump = &pump; }
    test::CountingPump pump;       // the pump under test
    Platform platform;             // only the pump
    PlatformScope scope{platform}; // installs it
};

TEST_F(QtPumpTest, AWaitSleepsInsteadOfTurningTheLoopAllTheTime) {
    const std::int64_t start = pump.NowMs();
    Wait(0.2, false);
    EXPECT_GT(pump.NowMs() - start, 200);
    // Asking for events over and over turns the loop tens of thousands of times in 200 ms.
    EXPECT_LE(pump.turns, 20);
}

TEST_F(QtPumpTest, AnEventEndsTheSleepBeforeTheDeadline) {
    bool ran = false;
    QTimer::singleShot(20, [&] { ran = true; });
    const std::int64_t deadline = pump.NowMs() + 60'000;
    while (!ran && pump.NowMs() < deadline)
        pump.WaitForEvents(deadline);
    EXPECT_TRUE(ran);
    EXPECT_LT(pump.NowMs(), deadline);
}

TEST_F(QtPumpTest, APassedDeadlineRunsWhatIsPendingWithoutSleeping) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    pump.WaitForEvents(pump.NowMs() - 1);
    EXPECT_TRUE(ran);
}

TEST_F(QtPumpTest, AWaitThatBlocksInputSleepsAMillisecondPerTurnAndRunsNoEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    Wait(0.05, true);
    EXPECT_FALSE(ran);
    EXPECT_EQ(pump.turns, 0);
    // Every turn sleeps at least a millisecond.
    EXPECT_LE(pump.idles, 52);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

} // namespace
} // namespace kardo
