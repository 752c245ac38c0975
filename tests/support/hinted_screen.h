// A worksheet picture whose letters are one em wide, rounded to whole pixels as a hinted screen
// font rounds them: a text grows with the zoom by other steps than the cells do.
#pragma once

#include "editor/text_labels_internal.h"
#include "platform/recording_target.h"

#include <cmath>

namespace kardo::test {

class HintedScreen : public RecordingTarget {
  public:
    HintedScreen() : RecordingTarget(DeviceKind::Screen) {}
    double TextWidth(std::string_view text) override {
        return std::round(FontSize * 96.0 / 72.0) * CharacterCount(text);
    }
};

} // namespace kardo::test
