// Core fixture whose worksheet picture is an offscreen image: the body-colour checks of the
// symbol pixel tests.
#pragma once

#include "model/grid.h"
#include "platform/qt/image_target.h"
#include "render/grafik.h"
#include "render/view.h"
#include "support/core_fixture.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>
#include <string>

#include <gtest/gtest.h>

namespace kardo::test {

// The worksheet picture is an image of the default window size.
class ImageFixture : public CoreFixture {
  protected:
    ImageFixture() {
        platform.screen = &image;
        gGrafik.Device = &image;
    }

    // One symbol placed and drawn, and the colour of a pixel inside its body.
    struct FillCase {
        const char* name;
        std::function<void()> draw; // places and draws one symbol
        int x, y;                   // a pixel inside its body, clear of text and lines
        Color fill;
    };
    // Draws each case on a fresh program state into the cleared image and checks its pixel.
    void ExpectFills(std::span<const FillCase> cases) {
        for (const FillCase& c : cases) {
            InitProgramState();
            gGrafik.Device = &image;
            image.Clear();
            c.draw();
            EXPECT_EQ(image.PixelAt(c.x, c.y), c.fill) << c.name;
        }
    }

    ImageTarget image{714, 434};
};

} // namespace kardo::test
