// Core fixtures whose worksheet picture is an offscreen image: the body-colour checks of the
// symbol pixel tests, and the symbol galleries that are written to a PNG on request.
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

// A further sheet beside the gallery PNG: ("/tmp/symbols.png", "_blocks") gives
// "/tmp/symbols_blocks.png".
inline std::string GalleryPath(std::string path, const char* suffix) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + suffix + ".png";
    return path.insert(dot, suffix);
}

// A gallery sheet: the test is skipped unless KARDO_SYMBOL_GALLERY names the PNG to write.
class GalleryFixture : public CoreFixture {
  protected:
    void SetUp() override {
        const char* p = std::getenv("KARDO_SYMBOL_GALLERY");
        if (!p || !*p)
            GTEST_SKIP() << "set KARDO_SYMBOL_GALLERY to the PNG to write";
        path = p;
    }

    // A fresh worksheet of w x h cells drawn with its grid at zoom 1.5 into image.
    void StartSheet(int w, int h) {
        CreateWorksheet(static_cast<std::int16_t>(w), static_cast<std::int16_t>(h));
        platform.screen = &image;
        gGrafik.Device = &image;
        gGrafik.GridMode = 1.5f;
        SizeWorksheetPicture();
        DrawGrid();
    }

    std::string path;  // the gallery PNG named by KARDO_SYMBOL_GALLERY
    ImageTarget image; // the worksheet picture, sized by StartSheet
};

} // namespace kardo::test
