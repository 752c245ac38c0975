// The controls a run sets at its end (the pause and stop keys, the time display) are touched
// only while something has changed them since the last run's end.
#include "circuit_test_util.h"
#include "simulation/sim_core.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// A host that logs every control call made by name.
class ControlLogHost : public test::FakeHost {
  public:
    void SetEnabled(std::string_view control, bool enabled) override {
        calls.push_back("SetEnabled " + std::string(control));
        FakeHost::SetEnabled(control, enabled);
    }
    void SetCaption(std::string_view control, std::string_view text) override {
        calls.push_back("SetCaption " + std::string(control) + " " + std::string(text));
        FakeHost::SetCaption(control, text);
    }
    std::string Caption(std::string_view control) const override {
        calls.push_back("Caption " + std::string(control));
        return FakeHost::Caption(control);
    }
    mutable std::vector<std::string> calls; // in order
};

class RunKeysTest : public test::CircuitFixture {
  protected:
    void SetUp() override {
        platform.host = &logHost;
        logHost.SetCaption("cmdPause", "&Pause");
        test::SwitchLine(2, 5, 12);
        ASSERT_NE(test::PlaceLed(12, 5), 0);
        PowerOn();
    }
    // The control calls of one click on the switch.
    std::vector<std::string> CallsOfAClick() {
        logHost.calls.clear();
        Click(2, 5);
        return logHost.calls;
    }

    ControlLogHost logHost;
};

TEST_F(RunKeysTest, TheFirstRunSetsTheKeysAndTheTime) {
    const std::vector<std::string> calls = CallsOfAClick();
    EXPECT_EQ(calls, (std::vector<std::string>{"Caption cmdPause", "SetEnabled cmdPause",
                                               "SetEnabled cmdStop", "SetCaption lblTime 0"}));
    EXPECT_FALSE(logHost.IsEnabled("cmdPause"));
    EXPECT_FALSE(logHost.IsEnabled("cmdStop"));
    EXPECT_EQ(logHost.Caption("lblTime"), "0");
}

TEST_F(RunKeysTest, LaterRunsTouchNoControlWhileNothingChangedThem) {
    CallsOfAClick();
    EXPECT_TRUE(CallsOfAClick().empty());
    EXPECT_TRUE(CallsOfAClick().empty());
    EXPECT_EQ(Live(12, 5), 1);
}

TEST_F(RunKeysTest, ARunSetsAgainWhatWasChangedMeanwhile) {
    CallsOfAClick();
    CallsOfAClick();
    // The mouse moving over the worksheet writes the tool code into the time display; a key
    // enabled by the window's mode switch.
    logHost.SetCaption("lblTime", "99");
    logHost.SetEnabled("cmdStop", true);
    CallsOfAClick();
    EXPECT_FALSE(logHost.IsEnabled("cmdStop"));
    EXPECT_EQ(logHost.Caption("lblTime"), "0");
    EXPECT_TRUE(CallsOfAClick().empty());
}

TEST_F(RunKeysTest, AnotherHostIsNotTakenForTheOneMarked) {
    CallsOfAClick();
    test::FakeHost other;
    other.SetEnabled("cmdStop", true);
    platform.host = &other;
    Click(2, 5);
    EXPECT_FALSE(other.IsEnabled("cmdStop"));
    EXPECT_EQ(other.Caption("lblTime"), "0");
}

TEST_F(RunKeysTest, TheStampMovesOnlyWhenAControlChanges) {
    const std::uint64_t start = logHost.ControlStamp();
    logHost.SetCaption("cmdPause", "&Pause");
    logHost.SetEnabled("cmdOn", true);
    EXPECT_EQ(logHost.ControlStamp(), start);
    logHost.SetEnabled("cmdOn", false);
    EXPECT_NE(logHost.ControlStamp(), start);
}

} // namespace
} // namespace kardo
