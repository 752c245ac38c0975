// The worksheet picture picGrid: its surface is the whole sheet at the current zoom, but it
// keeps only the window the view asks for (what the viewport shows and a margin), so its memory
// stays bounded whatever the sheet's size. The drawers draw in whole-sheet pixels; what falls
// outside the window is dropped, and the view draws a moved window again from the grid.
#pragma once

#include "platform/qt/image_target.h"

namespace kardo {

class PictureTarget : public ImageTarget {
  public:
    PictureTarget() : ImageTarget(1, 1) {}

    // The surface becomes width x height; the window keeps its place, clipped to the surface,
    // and is white.
    void Resize(int width, int height) override;
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    PixelBox Kept() const override { return m_kept; }
    bool SetWindow(const PixelBox& box) override;

  private:
    // The wanted window clipped to the surface.
    PixelBox Clipped() const;
    void Keep(const PixelBox& kept);

    int m_width = 1;     // surface width in pixels
    int m_height = 1;    // surface height in pixels
    PixelBox m_wanted{}; // the window asked for; nothing until the view asks
    PixelBox m_kept{};   // the part held: m_wanted clipped to the surface
};

} // namespace kardo
