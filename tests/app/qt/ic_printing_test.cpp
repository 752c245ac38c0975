// Printing the ICs a circuit uses, offscreen: the print dialog's check box adds one page per IC
// after the circuit's page, a definition that cannot be read is reported while the rest prints,
// and the circuit with its undo history, file name and change flag stays as it was.
#include "app/file_object.h"
#include "app/main_state.h"
#include "app/settings.h"
#include "files/circuit_file.h"
#include "model/ic_instances.h"
#include "model/undo.h"
#include "render/grafik.h"
#include "render/redraw.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/ic_files.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/main_window_fixture.h"

#include <filesystem>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::DialogDriver;

// What printing must leave as it was.
struct Kept {
    CircuitDocument doc;
    std::vector<ICInstanceRecord> instances;
    std::vector<std::string> undo;
    std::string fileName;
    bool unchanged = false;

    static Kept Now() {
        Kept k;
        CaptureCircuit(k.doc);
        k.instances = gICInstances;
        gUndo.ListUndos(k.undo);
        k.fileName = gFile.FileName;
        k.unchanged = gUnveraendert;
        return k;
    }
    void ExpectSame(const Kept& o) const {
        EXPECT_EQ(doc.FeldBreite, o.doc.FeldBreite);
        EXPECT_EQ(doc.FeldHoehe, o.doc.FeldHoehe);
        EXPECT_EQ(doc.Cells, o.doc.Cells);
        EXPECT_EQ(doc.Jumps, o.doc.Jumps);
        EXPECT_EQ(doc.Elements, o.doc.Elements);
        EXPECT_EQ(doc.ICs, o.doc.ICs);
        EXPECT_EQ(instances, o.instances);
        EXPECT_EQ(undo, o.undo);
        EXPECT_EQ(fileName, o.fileName);
        EXPECT_EQ(unchanged, o.unchanged);
    }
};

class ICPrintingTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        folder = MakeFolder("ICs") + "/";
        gVerzeichnisse[1] = folder;
        test::CopyFixtureICs(folder);
        W().RefreshICLists();
    }
    // Two inv, one inv2 and a wire, saved and then changed once more.
    void BuildCircuit() {
        ASSERT_NE(test::PlaceIC("inv", 2, 2), 0);
        ASSERT_NE(test::PlaceIC("inv2", 8, 2), 0);
        ASSERT_NE(test::PlaceIC("inv", 2, 8), 0);
        ASSERT_EQ(SaveFileTo(dir.File("schaltung.kdx")), FileOutcome::Success);
        ASSERT_TRUE(test::LayRecordedWire(15, 12, 25, 12));
        gUnveraendert = false;
        // The wire runs are what the last full redraw found; printing redraws the circuit.
        RedrawAllElements(0);
    }
    // Prints into a PDF through the dialog, the check box set to withICs; the number of pages.
    int Print(bool withICs, bool expectEnabled = true) {
        const std::string pdf = dir.File("ausdruck.pdf");
        std::filesystem::remove(pdf);
        driver.handlers.push_back([&](QDialog& d) {
            auto* printers = DialogDriver::Get<QComboBox>(d, "cmbDrucker");
            printers->setCurrentIndex(printers->findText("PDF-Datei"));
            auto* check = DialogDriver::Get<QCheckBox>(d, "chkICs");
            EXPECT_EQ(check->text(), "Verwendete ICs mitdrucken");
            EXPECT_FALSE(check->isChecked());
            EXPECT_EQ(check->isEnabled(), expectEnabled);
            check->setChecked(withICs);
            DialogDriver::Type(d, "txtPDFDatei", QString::fromStdString(pdf));
            DialogDriver::Click(d, "cmdDrucken");
            EXPECT_EQ(d.result(), QDialog::Accepted);
        });
        W().Toolbar_ButtonClick("cmdPrint");
        const std::string bytes = test::ReadBytes(pdf);
        EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
        const QRegularExpression page("/Type\\s*/Page[^s]");
        return static_cast<int>(
            QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).count(page));
    }

    DialogDriver driver{W()};
    test::TempDir dir;
    std::string folder;
};

TEST_F(ICPrintingTest, EachUsedICGetsAPageAfterTheCircuitAndTheCircuitStaysAsItWas) {
    BuildCircuit();
    const Kept before = Kept::Now();
    EXPECT_EQ(Print(true), 1 + 2);
    EXPECT_TRUE(boxes.empty());
    Kept::Now().ExpectSame(before);
    EXPECT_EQ(gGrafik.Device, &picture);
    EXPECT_EQ(gGrafik.GridMode, 1.0f);
}

TEST_F(ICPrintingTest, WithoutTheCheckBoxOnlyTheCircuitIsPrinted) {
    BuildCircuit();
    EXPECT_EQ(Print(false), 1);
}

TEST_F(ICPrintingTest, ACircuitWithoutICsOffersNoICs) {
    test::LayWire(3, 3, 9, 3);
    EXPECT_EQ(Print(false, false), 1);
}

TEST_F(ICPrintingTest, ADefinitionThatCannotBeReadIsReportedAndTheRestPrints) {
    BuildCircuit();
    const Kept before = Kept::Now();
    test::WriteBytes(folder + "inv2.icd", "[Name]\r\ninv2\r\n");
    EXPECT_EQ(Print(true), 1 + 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Drucken");
    EXPECT_EQ(boxes[0].text.rfind("Folgende ICs konnten nicht gedruckt werden:", 0), 0u);
    EXPECT_NE(boxes[0].text.find("Das IC \"inv2\""), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].text.find("\"inv\""), std::string::npos);
    Kept::Now().ExpectSame(before);
}

} // namespace
} // namespace kardo
