// Menu commands of the main window, offscreen: the save question before New, Open and a recent
// file, the bitmap export, printing into a PDF file, the converter, help, the About box, and
// the web page and service mail.
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/recent_files.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "files/new_circuit.h"
#include "model/grid.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::DialogDriver;

class MenuCommandsTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    void Trigger(const char* name) {
        auto* a = qobject_cast<QAction*>(W().FindControl(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }
    // A saved circuit file with a wire, for opening.
    std::string SavedCircuit(const std::string& name) {
        test::LayWire(3, 3, 9, 3);
        const std::string path = dir.File(name);
        EXPECT_EQ(SaveFileTo(path), FileOutcome::Success);
        return path;
    }

    DialogDriver driver{W()};
    test::TempDir dir; // files of the test
};

TEST_F(MenuCommandsTest, TheFunctionsOfTheseMenusAreReachable) {
    for (const char* entry : {"mSaveBitmap", "mPrint", "cmdPrint", "mNumberConversion", "mOptionen",
                              "cmdEinstellungen", "mHelp", "mInfo"})
        EXPECT_TRUE(W().IsEnabled(entry)) << entry;
    // Without addresses in the settings the web page and the mail stay disabled.
    EXPECT_FALSE(W().IsEnabled("mWeb"));
    EXPECT_FALSE(W().IsEnabled("mService"));
}

TEST_F(MenuCommandsTest, NewAsksBeforeAChangedCircuitIsReplaced) {
    gUnveraendert = false;
    answers = {MsgResult::Cancel};
    Trigger("mNeu");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(driver.shown.empty());
    answers = {MsgResult::No};
    W().Toolbar_ButtonClick("cmdNew");
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmCreateNewFile"}));
}

// Fault pinned: Open replaced a changed circuit without asking, and its work was lost.
TEST_F(MenuCommandsTest, OpenAsksFirstAndCancelChangesNothing) {
    const std::string path = SavedCircuit("a.kdx");
    CreateNewWorksheet(20, 10);
    gUnveraendert = false;
    answers = {MsgResult::Cancel};
    paths = {path};
    Trigger("mOpen");
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(gFeldBreite, 20);
    answers = {MsgResult::No};
    Trigger("mOpen");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(gFile.FileName, path);
}

// Fault pinned: a recent file replaced a changed circuit without asking.
TEST_F(MenuCommandsTest, ARecentFileAsksFirstAndKeepsItsNameAsTheCurrentFile) {
    const std::string path = SavedCircuit("b.kdx");
    CreateNewWorksheet(20, 10);
    gLastFiles[0] = path;
    BuildRecentFilesMenu();
    gUnveraendert = false;
    answers = {MsgResult::Cancel};
    Trigger("mUsedFiles_0");
    EXPECT_TRUE(gFile.FileName.empty());
    EXPECT_EQ(gFeldBreite, 20);
    answers = {MsgResult::No};
    Trigger("mUsedFiles_0");
    EXPECT_EQ(gFile.FileName, path);
    // Save now writes into it without a dialog.
    gUnveraendert = false;
    Trigger("mSave");
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(gUnveraendert);
}

TEST_F(MenuCommandsTest, CtrlSIsSaveAsAndSaveHasNoKey) {
    auto* saveAs = qobject_cast<QAction*>(W().FindControl("mSaveAs"));
    auto* save = qobject_cast<QAction*>(W().FindControl("mSave"));
    EXPECT_EQ(saveAs->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(save->shortcut().isEmpty());
}

TEST_F(MenuCommandsTest, TheBitmapHoldsTheWholeSheetAtTheCurrentZoomWithGridDots) {
    CreateNewWorksheet(20, 10);
    test::LayWire(2, 2, 8, 2);
    gGrafik.GridMode = 1.5f;
    RedrawAllElements(0);
    gFile.FileName = "/x/schaltung.kdx";
    paths = {dir.File("feld")};
    Trigger("mSaveBitmap");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Als Bitmap speichern");
    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(dir.File("feld.bmp")), "BMP"));
    EXPECT_EQ(image.width(), 441);
    EXPECT_EQ(image.height(), 231);
    // A grid dot on an empty cell, and the wire's grey.
    const int dot = GridToPixel(5);
    EXPECT_EQ(image.pixel(dot, dot) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(image.pixel(GridToPixel(3) + 2, GridToPixel(2)) & 0xFFFFFF, 0x808080u);
    EXPECT_EQ(image.pixel(dot + 3, dot + 3) & 0xFFFFFF, 0xFFFFFFu);
    // Fault pinned: the export took over the current circuit file's name.
    EXPECT_EQ(gFile.FileName, "/x/schaltung.kdx");
    EXPECT_EQ(gGrafik.GridMode, 1.5f);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MenuCommandsTest, ACancelledBitmapExportWritesNothing) {
    Trigger("mSaveBitmap");
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(test::CountEntries(dir.Path()), 0);
    EXPECT_TRUE(boxes.empty());
}

// Fault pinned: a bitmap that could not be written failed silently.
TEST_F(MenuCommandsTest, ABitmapThatCannotBeWrittenIsReported) {
    const std::string path = dir.File("fehlt/bild.bmp");
    paths = {path};
    Trigger("mSaveBitmap");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Dateifehler");
    EXPECT_EQ(
        boxes[0].text.rfind("Die Datei\r\n" + path + "\r\nkonnte nicht geschrieben werden: ", 0),
        0u);
}

// Fault pinned: printing left the zoom at 1.0, so view and mouse mapping disagreed.
TEST_F(MenuCommandsTest, AZoomedSheetIsPrintedIntoAPdfOnOnePageAndTheZoomComesBack) {
    test::LayWire(2, 2, 30, 2);
    gGrafik.GridMode = 1.5f;
    RedrawAllElements(0);
    const std::string pdf = dir.File("ausdruck");
    driver.handlers.push_back([&](QDialog& d) {
        auto* printers = DialogDriver::Get<QComboBox>(d, "cmbDrucker");
        printers->setCurrentIndex(printers->findText("PDF-Datei"));
        EXPECT_TRUE(DialogDriver::Get<QLineEdit>(d, "txtPDFDatei")->isEnabled());
        EXPECT_TRUE(
            DialogDriver::Get<QLabel>(d, "lblAusrichtung")->text().startsWith("Querformat"));
        DialogDriver::Type(d, "txtPDFDatei", QString::fromStdString(pdf));
        DialogDriver::Click(d, "cmdDrucken");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    W().Toolbar_ButtonClick("cmdPrint");
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmDrucken"}));
    const std::string bytes = test::ReadBytes(pdf + ".pdf");
    ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
    const QRegularExpression page("/Type\\s*/Page[^s]");
    EXPECT_EQ(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).count(page),
              1);
    EXPECT_EQ(gGrafik.GridMode, 1.5f);
    EXPECT_EQ(gGrafik.Device, &picture);
    EXPECT_EQ(picture.Width(), 51 * 21);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MenuCommandsTest, APdfThatCannotBeWrittenIsReportedAndTheDialogStays) {
    const std::string pdf = dir.File("fehlt/ausdruck.pdf");
    driver.handlers.push_back([&](QDialog& d) {
        auto* printers = DialogDriver::Get<QComboBox>(d, "cmbDrucker");
        printers->setCurrentIndex(printers->findText("PDF-Datei"));
        DialogDriver::Type(d, "txtPDFDatei", QString::fromStdString(pdf));
        DialogDriver::Click(d, "cmdDrucken");
        EXPECT_NE(d.result(), QDialog::Accepted);
    });
    Trigger("mPrint");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Dateifehler");
    EXPECT_EQ(gGrafik.GridMode, 1.0f);
}

TEST_F(MenuCommandsTest, ATypedPdfNameThatExistsIsAskedAbout) {
    const std::string pdf = dir.File("alt.pdf");
    test::WriteBytes(pdf, "alt");
    answers = {MsgResult::No};
    driver.handlers.push_back([&](QDialog& d) {
        auto* printers = DialogDriver::Get<QComboBox>(d, "cmbDrucker");
        printers->setCurrentIndex(printers->findText("PDF-Datei"));
        DialogDriver::Type(d, "txtPDFDatei", QString::fromStdString(pdf));
        DialogDriver::Click(d, "cmdDrucken");
        EXPECT_NE(d.result(), QDialog::Accepted);
    });
    Trigger("mPrint");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(test::ReadBytes(pdf), "alt");
}

TEST_F(MenuCommandsTest, TheConverterAndTheHelpStayOpenBesideTheWindowOnce) {
    Trigger("mNumberConversion");
    Trigger("mNumberConversion");
    const auto converters = W().findChildren<QDialog*>("frmNumberConversion");
    ASSERT_EQ(converters.size(), 1);
    EXPECT_TRUE(converters[0]->isVisible());
    EXPECT_FALSE(converters[0]->isModal());
    Trigger("mHelp");
    Trigger("mHelp");
    const auto help = W().findChildren<QWidget*>("frmHilfe");
    ASSERT_EQ(help.size(), 1);
    EXPECT_TRUE(help[0]->isVisible());
    EXPECT_EQ(help[0]->windowTitle(), "Kardo-Hilfe");
}

TEST_F(MenuCommandsTest, TheAboutBoxIsModal) {
    Trigger("mInfo");
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmInfo"}));
}

class WebLinksMenuTest : public MenuCommandsTest {
  protected:
    void SetUp() override {
        settings.Set(SettingsRoot::User, "WebAdresse", "https://example.org/kardo");
        settings.Set(SettingsRoot::User, "ServiceAdresse", "service@example.org");
        W().SetUrlStandIn([this](const std::string& url) { opened.push_back(url); });
        MenuCommandsTest::SetUp();
    }
    std::vector<std::string> opened; // addresses handed to the desktop
};

TEST_F(WebLinksMenuTest, TheWebPageAndTheServiceMailOpenTheirAddresses) {
    Trigger("mWeb");
    Trigger("mService");
    EXPECT_EQ(opened, (std::vector<std::string>{
                          "https://example.org/kardo",
                          "mailto:service@example.org?subject=KARDO-Service%3A%20%3CBitte%20hier"
                          "%20Betreff%20einf%C3%BCgen%3E"}));
}

} // namespace
} // namespace kardo
