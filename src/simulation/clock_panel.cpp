// Clock panel handlers: time sliders, link box and pulse count of the selected clock.
#include "simulation/clock_panel.h"

#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/codes.h"
#include "model/number_text.h"
#include "platform/platform.h"

#include <algorithm>
#include <charconv>

namespace kardo {

namespace {

constexpr int kMaxPulses = 99;       // the up button's end
constexpr int kMaxTypedPulses = 100; // the box also takes 100
// Interval a stopped timer with interval 0 gets from a slider change and from the link box.
constexpr int kSliderRestartMs = 1000;
constexpr int kLinkRestartMs = 10;

bool HasSelectedClock() {
    const int s = gAktTakt;
    return s >= 0 && static_cast<std::size_t>(s) < gTaktZeit0.size();
}

std::size_t Selected() { return static_cast<std::size_t>(gAktTakt); }

void RestartIfZero(int ms) {
    if (!gPlatform || !gPlatform->timers || gAktTakt > Timer2().UBound())
        return;
    Timer& t = Timer2()[gAktTakt];
    if (t.Interval() == 0)
        t.SetInterval(ms);
}

// Stores a pulse count, kept within 1..100 so that a burst always has a pulse and its end
// count fits the byte counter.
void StorePulses(double v) {
    if (!HasSelectedClock())
        return;
    gAnzTakte[Selected()] = std::clamp<std::uint8_t>(RoundToByte(v), 1, kMaxTypedPulses);
}

// A number as text without blanks, "." as the decimal point.
std::string NumberText(double v) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

} // namespace

std::string ClockTimeLabel(int sliderValue) {
    const int value = std::clamp(sliderValue, 0, kClockSliderMax);
    const int tenths = (kClockSliderMax - value) / 100;
    std::string text = tenths / 10 > 0 ? std::to_string(tenths / 10) : std::string();
    if (tenths % 10 != 0)
        text += "." + std::to_string(tenths % 10);
    if (text.empty())
        text = "0";
    text += "s";
    if (value > 9000)
        text = "0" + text;
    if (text == "00s")
        text = "0.0s";
    return text;
}

ClockTimeView SliderChange(int changed, int slider0, int slider1, bool linked) {
    ClockTimeView view;
    view.slider0 = std::clamp(slider0, 0, kClockSliderMax);
    view.slider1 = std::clamp(slider1, 0, kClockSliderMax);
    if (linked) {
        if (changed == 0)
            view.slider1 = view.slider0;
        else
            view.slider0 = view.slider1;
    }
    view.lbl0 = ClockTimeLabel(view.slider0);
    view.lbl1 = ClockTimeLabel(view.slider1);
    if (HasSelectedClock()) {
        gTaktZeit1[Selected()] = static_cast<std::int16_t>(kClockSliderMax - view.slider1);
        gTaktZeit0[Selected()] = static_cast<std::int16_t>(kClockSliderMax - view.slider0);
        RestartIfZero(kSliderRestartMs);
    }
    return view;
}

ClockTimeView chkLink_Click(bool ticked, int slider0, int slider1) {
    if (ticked)
        slider0 = slider1;
    if (HasSelectedClock()) {
        gTaktLink[Selected()] = TruthValue(ticked);
        RestartIfZero(kLinkRestartMs);
    }
    return SliderChange(1, slider0, slider1, ticked);
}

std::optional<std::string> cmdAnzTakte_UpClick() {
    if (!HasSelectedClock() || gAnzTakte[Selected()] >= kMaxPulses)
        return std::nullopt;
    ++gAnzTakte[Selected()];
    return std::to_string(gAnzTakte[Selected()]);
}

std::optional<std::string> cmdAnzTakte_DownClick() {
    if (!HasSelectedClock() || gAnzTakte[Selected()] <= 1)
        return std::nullopt;
    --gAnzTakte[Selected()];
    return std::to_string(gAnzTakte[Selected()]);
}

PulseBoxEdit txtAnzTakte_KeyUp(std::string_view text, int keyCode) {
    PulseBoxEdit edit;
    const double v = Val(text);
    if (v > 0 && v < kMaxTypedPulses) {
        StorePulses(v);
    } else if (v <= 0) {
        StorePulses(1);
    } else {
        const std::string cut(text.substr(0, 2));
        StorePulses(Val(cut));
        edit.text = cut;
        edit.caret = static_cast<int>(cut.size());
    }
    const std::string_view now = edit.text ? std::string_view(*edit.text) : text;
    if (now.size() > 2 && Val(now) < kMaxTypedPulses) {
        edit.text = NumberText(Val(now));
        edit.caret = static_cast<int>(edit.text->size());
    }
    if (edit.text && *edit.text == text)
        edit.text.reset();
    edit.focusWorksheet = keyCode == 13;
    return edit;
}

std::optional<std::string> txtAnzTakte_LostFocus(std::string_view text) {
    const double v = Val(text);
    if (v > 0 && v < kMaxTypedPulses) {
        StorePulses(v);
        return std::nullopt;
    }
    if (v <= 0) {
        StorePulses(1);
        return "1";
    }
    StorePulses(kMaxTypedPulses);
    return "100";
}

} // namespace kardo
