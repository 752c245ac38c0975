// Bitmap export and printing on targets of their own: the whole sheet at the zoom asked for,
// the bitmap dialog, the page layout, and the drawing object given back as it was.
#include "app/file_object.h"
#include "app/settings.h"
#include "app/sheet_output.h"
#include "files/new_circuit.h"
#include "render/grafik.h"
#include "render/view.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/core_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class SheetOutputTest : public test::CoreFixture {
  protected:
    SheetOutputTest() {
        CreateNewWorksheet(20, 10);
        test::LayWire(2, 2, 8, 2);
        test::PlaceAnd(10, 5);
    }
};

TEST_F(SheetOutputTest, TheSheetsPixelSizeFollowsTheZoom) {
    EXPECT_EQ(SheetPixelWidth(1.0f), 21 * 14);
    EXPECT_EQ(SheetPixelHeight(1.0f), 11 * 14);
    EXPECT_EQ(SheetPixelWidth(1.5f), 441);
    EXPECT_EQ(SheetPixelHeight(0.6f), 92); // 92.4
}

TEST_F(SheetOutputTest, TheWholeSheetIsDrawnIntoItsOwnTargetWithGridDots) {
    gGrafik.GridMode = 1.5f;
    RecordingTarget picture(DeviceKind::Screen, 1, 1);
    screen.ClearLog();
    DrawWholeSheet(picture);
    EXPECT_EQ(picture.Width(), 441);
    EXPECT_EQ(picture.Height(), 231);
    ASSERT_FALSE(picture.CallsOf(DrawOp::Clear).empty());
    // Grid dots on empty cells, and the gate with its label.
    EXPECT_FALSE(picture.CallsOf(DrawOp::SetPixel).empty());
    EXPECT_FALSE(picture.CallsOf(DrawOp::Print).empty());
    // The window's picture is left alone and the drawing object is given back.
    EXPECT_TRUE(screen.Calls().empty());
    EXPECT_EQ(gGrafik.Device, &screen);
    EXPECT_EQ(gGrafik.GridMode, 1.5f);
}

TEST_F(SheetOutputTest, HiddenGridDotsStayOutOfThePicture) {
    gShowGrid = false;
    RecordingTarget picture(DeviceKind::Screen, 1, 1);
    DrawWholeSheet(picture);
    for (const DrawCall& c : picture.CallsOf(DrawOp::SetPixel))
        EXPECT_NE(c.color, 0x808080u);
}

TEST_F(SheetOutputTest, TheBitmapDialogOpensInTheBitmapFolder) {
    gVerzeichnisse[2] = "/bilder/";
    gFile.FileName = "/x/schaltung.kdx";
    host.dialogAnswers = {std::string("/bilder/feld"), std::string("/bilder/feld.BMP"),
                          std::string()};
    EXPECT_EQ(AskBitmapFileName(), "/bilder/feld.bmp");
    EXPECT_EQ(AskBitmapFileName(), "/bilder/feld.BMP");
    EXPECT_EQ(AskBitmapFileName(), std::nullopt); // an empty name
    EXPECT_EQ(AskBitmapFileName(), std::nullopt); // cancelled
    ASSERT_EQ(host.dialogs.size(), 4u);
    EXPECT_EQ(host.dialogs[0].title, "Als Bitmap speichern");
    EXPECT_EQ(host.dialogs[0].filter, "*.BMP (Windows-Bitmap)|*.bmp");
    EXPECT_EQ(host.dialogs[0].initialFolder, "/bilder/");
    EXPECT_EQ(host.dialogs[0].fileName, "");
    // Fault pinned: a cancelled export left the dialog's name in place of the circuit's file.
    EXPECT_EQ(gFile.FileName, "/x/schaltung.kdx");
}

TEST_F(SheetOutputTest, AnExistingFileWhoseNameGotItsExtensionIsAskedAbout) {
    test::TempDir dir;
    test::WriteBytes(dir.File("feld.bmp"), "alt");
    host.dialogAnswers = {dir.File("feld"), dir.File("feld")};
    host.messageAnswers = {MsgResult::No, MsgResult::Yes};
    EXPECT_EQ(AskBitmapFileName(), std::nullopt);
    EXPECT_EQ(AskBitmapFileName(), dir.File("feld.bmp"));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0].title, "Als Bitmap speichern");
}

TEST_F(SheetOutputTest, AWriteFailureNamesTheFileAndTheReason) {
    ReportWriteFailure("/x/a.bmp", "Zugriff verweigert");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Die Datei\r\n/x/a.bmp\r\nkonnte nicht geschrieben werden: Zugriff verweigert.");
    EXPECT_EQ(host.messages[0].title, "Dateifehler");
}

TEST_F(SheetOutputTest, AWideSheetIsPrintedAcrossThePage) {
    EXPECT_TRUE(PrintLandscape()); // 20 x 10
    CreateNewWorksheet(10, 10);
    EXPECT_FALSE(PrintLandscape());
    CreateNewWorksheet(10, 30);
    EXPECT_FALSE(PrintLandscape());
}

TEST_F(SheetOutputTest, TheSheetFillsThePageInsideTheMarginCentred) {
    struct Case {
        int w, h;         // sheet
        int pageW, pageH; // page
        int margin;
        float zoom;
        double x, y;
    };
    const Case cases[] = {
        // 21 x 11 cells = 294 x 154 at zoom 1: the width decides.
        {20, 10, 3000, 2000, 100, 2800.0f / 294, 100, (2000 - 154 * (2800.0 / 294)) / 2},
        // 11 x 31 cells = 154 x 434: the height decides.
        {10, 30, 3000, 2000, 0, 2000.0f / 434, (3000 - 154 * (2000.0 / 434)) / 2, 0},
    };
    for (const Case& c : cases) {
        CreateNewWorksheet(c.w, c.h);
        const PrintLayout l = FitSheetOnPage(c.pageW, c.pageH, c.margin);
        EXPECT_FLOAT_EQ(l.zoom, c.zoom);
        EXPECT_NEAR(l.offsetX, c.x, 0.01);
        EXPECT_NEAR(l.offsetY, c.y, 0.01);
    }
}

// Fault pinned: printing left the zoom at its print scale (or 1.0), so the view and the
// mouse-to-cell mapping disagreed afterwards.
TEST_F(SheetOutputTest, PrintingGivesBackTheDeviceAndTheZoomAndRedrawsTheSheet) {
    gGrafik.GridMode = 1.5f;
    screen.ClearLog();
    const int refreshes = host.refreshCalls;
    RecordingTarget paper(DeviceKind::Printer);
    PrintCircuit(paper, 7.25f);
    EXPECT_FALSE(paper.CallsOf(DrawOp::Print).empty());
    // Paper gets no grid dots.
    for (const DrawCall& c : paper.CallsOf(DrawOp::SetPixel))
        EXPECT_NE(c.color, 0x808080u);
    EXPECT_EQ(gGrafik.Device, &screen);
    EXPECT_EQ(gGrafik.GridMode, 1.5f);
    EXPECT_EQ(gPlatform->printer, &printer);
    EXPECT_FALSE(screen.CallsOf(DrawOp::Clear).empty());
    EXPECT_GT(host.refreshCalls, refreshes);
}

} // namespace
} // namespace kardo
