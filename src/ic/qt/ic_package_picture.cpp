// Package pictures and pin drag data.
#include "ic/qt/ic_package_picture.h"

#include "files/ic_definition.h"
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

QImage DrawICPreview(std::string_view name, const ICDefinition& def) {
    std::vector<std::string> places(1);
    places.insert(places.end(), def.PlaceLines.begin(), def.PlaceLines.end());
    return DrawPackagePicture(def.Breite + 3, def.Hoehe + 3, 1, 1, def.Breite, def.Hoehe, name,
                              places, def.PinCount());
}

QPixmap FitPreview(const QImage& picture, QSize box) {
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (pixmap.width() > box.width() || pixmap.height() > box.height())
        pixmap = pixmap.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return pixmap;
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
