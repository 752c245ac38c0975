// Bitmap export and printing of the whole sheet.
#include "app/sheet_output.h"

#include "app/settings.h"
#include "files/circuit_file.h"
#include "files/text_helpers.h"
#include "model/grid.h"
#include "platform/platform.h"
#include "render/grafik.h"
#include "render/redraw.h"

#include <algorithm>
#include <cmath>

namespace kardo {

namespace {

constexpr double kCellPixel = 14.0;

int SheetPixels(int cells, float zoom) {
    return static_cast<int>(std::lround(kCellPixel * static_cast<double>(zoom) * (cells + 1)));
}

} // namespace

int SheetPixelWidth(float zoom) { return SheetPixels(gFeldBreite, zoom); }
int SheetPixelHeight(float zoom) { return SheetPixels(gFeldHoehe, zoom); }

void DrawWholeSheet(DrawTarget& target) {
    const DeviceScope scope(target, gGrafik.GridMode);
    target.Resize(SheetPixelWidth(gGrafik.GridMode), SheetPixelHeight(gGrafik.GridMode));
    target.FillStyle = FillMode::Solid;
    target.FillColor = 0xFFFFFF;
    target.Clear();
    RedrawAllElements(0);
}

std::optional<std::string> AskBitmapFileName() {
    FileDialogRequest request;
    request.title = "Als Bitmap speichern";
    request.filter = "*.BMP (Windows-Bitmap)|*.bmp";
    request.initialFolder = gVerzeichnisse[2];
    request.fileName = "";
    const std::optional<std::string> chosen = Host().ShowSaveDialog(request);
    if (!chosen || chosen->empty())
        return std::nullopt;
    std::string path = WithExtension(*chosen, ".bmp");
    if (path != *chosen && !ConfirmReplace(path, request.title))
        return std::nullopt;
    return path;
}

void ReportWriteFailure(const std::string& path, const std::string& reason) {
    std::string text = "Die Datei\r\n";
    text.append(path).append("\r\nkonnte nicht geschrieben werden: ").append(reason).append(".");
    Host().MessageBox(text, MsgButtons::Ok, MsgIcon::Exclamation, "Dateifehler");
}

bool PrintLandscape() { return gFeldBreite > gFeldHoehe; }

PrintLayout FitSheetOnPage(int pageWidth, int pageHeight, int margin) {
    const double width = kCellPixel * (gFeldBreite + 1);
    const double height = kCellPixel * (gFeldHoehe + 1);
    const double usableW = std::max(1, pageWidth - 2 * margin);
    const double usableH = std::max(1, pageHeight - 2 * margin);
    PrintLayout layout;
    layout.zoom = static_cast<float>(std::min(usableW / width, usableH / height));
    const double zoom = static_cast<double>(layout.zoom);
    layout.offsetX = (pageWidth - width * zoom) / 2.0;
    layout.offsetY = (pageHeight - height * zoom) / 2.0;
    return layout;
}

void PrintCircuit(DrawTarget& page, float zoom) {
    {
        const DeviceScope scope(page, zoom);
        RedrawAllElements(0);
    }
    RedrawAllElements(0);
    if (gPlatform != nullptr && gPlatform->host != nullptr)
        gPlatform->host->RefreshWorksheet();
}

} // namespace kardo
