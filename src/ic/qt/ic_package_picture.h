// Pictures of IC packages drawn by the drawing object (the IC editor and the library preview),
// and the drag data of a pin label.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QSize>

namespace kardo {

struct ICDefinition;

// Cell size of the package pictures, pixels (the worksheet's at zoom 1.0).
constexpr int kPackageCell = 14;

// A white picture of cellsW x cellsH cells with the package w x h whose top-left cell is
// (ox, oy), drawn as DrawIC draws a placed IC: name and the pins of places 1..n.
QImage DrawPackagePicture(int cellsW, int cellsH, int ox, int oy, int w, int h,
                          std::string_view name, const std::vector<std::string>& places, int n);

// The preview of a checked definition: its package with a cell of white around it, the IC's
// name in the middle and its pins at their places. The IC library and the property panel show
// this same picture.
QImage DrawICPreview(std::string_view name, const ICDefinition& def);
// The picture as shown in a preview of at most box pixels: unscaled when it fits, else scaled
// down keeping its proportions.
QPixmap FitPreview(const QImage& picture, QSize box);

// Drag data naming pin nr of the IC being defined; PinOfMime reads it back (0: none).
QMimeData* PinMime(int nr);
int PinOfMime(const QMimeData* mime);

} // namespace kardo
