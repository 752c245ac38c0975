// Package pictures and pin drag data.
#include "ic/qt/ic_package_picture.h"

#include "platform/qt/image_target.h"
#include "render/grafik.h"

namespace kardo {

namespace {

constexpr const char* kPinMimeType = "application/x-kardo-ic-pin";

} // namespace

QImage DrawPackagePicture(int cellsW, int cellsH, int ox, int oy, int w, int h,
                          std::string_view name, const std::vector<std::string>& places, int n) {
    ImageTarget target(cellsW * kPackageCell, cellsH * kPackageCell);
    target.FillStyle = FillMode::Solid;
    target.FillColor = Rgb(255, 255, 255);
    target.Clear();
    const DeviceScope scope(target, 1.0f);
    gGrafik.DrawICPackage(ox, oy, static_cast<std::int16_t>(w), static_cast<std::int16_t>(h), name,
                          places, n, false);
    return target.Image();
}

QMimeData* PinMime(int nr) {
    auto* mime = new QMimeData;
    mime->setData(kPinMimeType, QByteArray::number(nr));
    return mime;
}

int PinOfMime(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasFormat(kPinMimeType))
        return 0;
    bool ok = false;
    const int nr = mime->data(kPinMimeType).toInt(&ok);
    return ok ? nr : 0;
}

} // namespace kardo
