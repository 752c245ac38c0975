// The PDF printer target: a complete file from the drawers, its fixed resolution and the text
// size the printer font factors give against the worksheet picture's.
#include "model/codes.h"
#include "platform/qt/image_target.h"
#include "platform/qt/printer_target.h"
#include "render/grafik.h"
#include "support/core_fixture.h"
#include "support/render_symbols.h"

#include <QFile>
#include <QTemporaryDir>

namespace kardo::test {
namespace {

using PrinterTargetTest = CoreFixture;

TEST_F(PrinterTargetTest, DrawersWriteACompletePdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("circuit.pdf");
    {
        PrinterTarget page(path);
        EXPECT_EQ(page.Kind(), DeviceKind::Printer);
        gGrafik.Device = &page;
        gGrafik.GridMode = 8.0f; // a print scale: 112 device pixels per cell at 800 dpi
        PutGate(kTypeOr, 3, 3, kRight, 2);
        gGrafik.Orientation = kRight;
        gGrafik.DrawOder(3, 3, false);
        PutLed(8, 3, Rgb(255, 0, 0));
        gGrafik.DrawDiode(8, 3);
        PutWire(1, 8, 6, 8);
        gGrafik.PaintLine(1, 8, 6, 8, false);
        page.Finish();
        EXPECT_TRUE(page.Finished());
        page.Line(0, 0, 10, 10, 0, LineKind::Plain); // drawing after the end does nothing
        gGrafik.Device = &screen;
    }
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray data = pdf.readAll();
    EXPECT_TRUE(data.startsWith("%PDF"));
    EXPECT_TRUE(data.trimmed().endsWith("%%EOF"));
}

TEST_F(PrinterTargetTest, PageIsMeasuredInDevicePixelsOfEightHundredDpi) {
    QTemporaryDir dir;
    PrinterTarget page(dir.filePath("page.pdf"));
    EXPECT_EQ(PrinterTarget::kResolution, 800);
    // A4 is 8.27 inches wide.
    EXPECT_NEAR(page.Width(), 8.27 * 800, 20);
    EXPECT_NEAR(page.Height(), 11.69 * 800, 20);
}

TEST_F(PrinterTargetTest, PrinterFontFactorsMatchTheScreenRelativeToTheCells) {
    // The worksheet picture prints labels at 10 x zoom points over 14 x zoom pixels per cell at
    // 96 dpi; the printer uses 1.2 x zoom points over the same cell pixels at 800 dpi.
    QTemporaryDir dir;
    PrinterTarget page(dir.filePath("fonts.pdf"));
    ImageTarget picture(10, 10);
    for (DrawTarget* t : {static_cast<DrawTarget*>(&page), static_cast<DrawTarget*>(&picture)})
        t->FontName = "Arial";
    picture.FontSize = 10.0;
    page.FontSize = 1.2;
    EXPECT_NEAR(page.TextHeight("Stop") / picture.TextHeight("Stop"), 1.0, 0.1);
    EXPECT_NEAR(page.TextWidth("Stop") / picture.TextWidth("Stop"), 1.0, 0.15);
}

} // namespace
} // namespace kardo::test
