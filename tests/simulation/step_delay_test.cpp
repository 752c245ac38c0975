// The step delay's controls: the box with its up/down buttons and its reading of typed text,
// and the slider label.
#include "model/grid.h"
#include "model/utilities.h"
#include "simulation/sim_core.h"
#include "simulation/step_delay.h"
#include "support/core_fixture.h"

#include <clocale>
#include <string>

#include <gtest/gtest.h>

namespace kardo::test {
namespace {

using StepDelay = CoreFixture;

struct TypedCase {
    const char* text;
    int value;
    const char* shown;
};

TEST_F(StepDelay, TypedTextGivesTheDelay) {
    const TypedCase cases[] = {
        {"250", 100, "100ms"}, {"-5", 0, "Aus"},    {"7.5", 8, "8ms"},     {"6.5", 6, "6ms"},
        {"25ms", 25, "25ms"},  {"Aus", 0, "Aus"},   {"", 0, "Aus"},        {"99.5", 100, "100ms"},
        {" 42", 42, "42ms"},   {"1e1", 10, "10ms"}, {"100", 100, "100ms"}, {"0.5", 0, "Aus"},
        {"12,5", 12, "12ms"},
    };
    for (const TypedCase& c : cases) {
        gVerzoegerung = 55;
        EXPECT_EQ(TakeDelayFromText(c.text), c.shown) << '"' << c.text << '"';
        EXPECT_EQ(gVerzoegerung, c.value) << '"' << c.text << '"';
    }
}

// Fault: the number was read with the C library, whose decimal point follows the locale the
// window sets from the environment: with a German locale "7.5" read as 7.
TEST_F(StepDelay, ThePointIsTheDecimalPointInEveryLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "de_DE.utf8") == nullptr)
        GTEST_SKIP() << "no German locale installed";
    const std::string shown = TakeDelayFromText("7.5");
    const int value = gVerzoegerung;
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(shown, "8ms");
    EXPECT_EQ(value, 8);
}

TEST_F(StepDelay, UpAndDownButtonsStayWithinTheRange) {
    gVerzoegerung = 1;
    EXPECT_EQ(cmdVerzoegerung_DownClick(), "Aus");
    EXPECT_EQ(gVerzoegerung, 0);
    EXPECT_EQ(cmdVerzoegerung_DownClick(), "Aus");
    EXPECT_EQ(gVerzoegerung, 0);
    EXPECT_EQ(cmdVerzoegerung_UpClick(), "1ms");
    gVerzoegerung = 99;
    EXPECT_EQ(cmdVerzoegerung_UpClick(), "100ms");
    EXPECT_EQ(cmdVerzoegerung_UpClick(), "100ms");
    EXPECT_EQ(gVerzoegerung, 100);
}

TEST_F(StepDelay, SliderLabel) {
    EXPECT_EQ(sldDelay_Change(0), (DelayLabel{"[Aus]", Rgb(128, 128, 128)}));
    EXPECT_EQ(sldDelay_Change(1), (DelayLabel{"1 Zyklus", 0}));
    EXPECT_EQ(sldDelay_Change(37), (DelayLabel{"37 Zyklen", 0}));
}

} // namespace
} // namespace kardo::test
