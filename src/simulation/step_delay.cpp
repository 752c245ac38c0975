// Step delay controls.
#include "simulation/step_delay.h"

#include "model/grid.h"
#include "model/number_text.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "simulation/sim_core.h"

#include <algorithm>
#include <cmath>

namespace kardo {

namespace {

constexpr Color kGrey = Rgb(128, 128, 128);
constexpr Color kBlack = Rgb(0, 0, 0);

std::string Show() { return DelayText(gVerzoegerung); }

} // namespace

std::string DelayText(int value) { return value == 0 ? "Aus" : std::to_string(value) + "ms"; }

std::string cmdVerzoegerung_DownClick() {
    gVerzoegerung = static_cast<std::int16_t>(std::max(gVerzoegerung - 1, 0));
    return Show();
}

std::string cmdVerzoegerung_UpClick() {
    gVerzoegerung = static_cast<std::int16_t>(std::min(gVerzoegerung + 1, kMaxStepDelay));
    return Show();
}

std::string TakeDelayFromText(std::string_view text) {
    const double x = Val(text);
    const int value = x < kMaxStepDelay ? RoundToInt16(x) : kMaxStepDelay;
    gVerzoegerung = static_cast<std::int16_t>(std::clamp(value, 0, kMaxStepDelay));
    return Show();
}

DelayLabel sldDelay_Change(int value) {
    if (value == 0)
        return {"[Aus]", kGrey};
    if (value == 1)
        return {"1 Zyklus", kBlack};
    return {std::to_string(value) + " Zyklen", kBlack};
}

} // namespace kardo
