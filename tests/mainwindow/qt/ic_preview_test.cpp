// The IC section of the property panel, offscreen: the preview picICVorschau follows the IC list
// and draws the package as the IC library does, stays empty without an IC and for a faulty one,
// gives way to the notes through cmdChange, and a double click on it opens the library.
#include "app/main_state.h"
#include "app/settings.h"
#include "ic/ic_library.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "mainwindow/property_panel.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "support/circuit_files.h"
#include "support/qt/main_window_fixture.h"

#include <filesystem>

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ICPreviewTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        gVerzeichnisse[1] = MakeFolder("ICs") + "/";
        // "lost" fails its nesting check: its inner ICs are missing.
        test::CopyFixtureICs(gVerzeichnisse[1]);
        W().RefreshICLists();
        W().MenueClick(25);
        ASSERT_EQ(gMouseMode, kTypeIC);
        preview = W().findChild<QLabel*>("picICVorschau");
        notes = W().findChild<QPlainTextEdit*>("txtNotizen");
        title = W().findChild<QLabel*>("lblVorschau");
        change = W().findChild<QPushButton*>("cmdChange");
        ASSERT_NE(preview, nullptr);
        ASSERT_NE(notes, nullptr);
        ASSERT_NE(title, nullptr);
        ASSERT_NE(change, nullptr);
    }
    // Chooses entry name of the IC list as the user does.
    void Choose(const char* name) {
        auto* box = W().findChild<QComboBox*>("cmbIC");
        const int index = box->findText(name);
        ASSERT_GE(index, 0) << name;
        box->setCurrentIndex(index);
        W().cmbIC_Click();
    }
    QImage Shown() const { return preview->pixmap().toImage(); }
    // The library's preview of name.
    QImage LibraryPicture(const char* name) {
        W().SetICAuswahlShown(true);
        auto* list = W().ICAuswahl()->findChild<QTreeWidget*>("lvwICs");
        const auto found = list->findItems(name, Qt::MatchExactly, 0);
        EXPECT_EQ(found.size(), 1);
        list->setCurrentItem(found.value(0));
        return W().ICAuswahl()->findChild<QLabel*>("picVorschau")->pixmap().toImage();
    }

    QLabel* preview = nullptr;
    QPlainTextEdit* notes = nullptr;
    QLabel* title = nullptr;
    QPushButton* change = nullptr;
};

TEST_F(ICPreviewTest, TheToggleSwitchesBetweenPreviewAndNotesBothWays) {
    EXPECT_FALSE(preview->isHidden());
    EXPECT_TRUE(notes->isHidden());
    EXPECT_EQ(title->text(), "Vorschau:");
    change->click();
    EXPECT_TRUE(preview->isHidden());
    EXPECT_FALSE(notes->isHidden());
    EXPECT_EQ(title->text(), "Notizen:");
    EXPECT_FALSE(change->isDown());
    change->click();
    EXPECT_FALSE(preview->isHidden());
    EXPECT_TRUE(notes->isHidden());
    EXPECT_EQ(title->text(), "Vorschau:");
    EXPECT_FALSE(change->isDown());
}

TEST_F(ICPreviewTest, ThePreviewFollowsTheChoiceAndDrawsAsTheLibraryDoes) {
    Choose("inv");
    const QImage inv = Shown();
    ASSERT_FALSE(inv.isNull());
    EXPECT_EQ(notes->toPlainText(), "Ein Inverter");
    Choose("inv2");
    const QImage inv2 = Shown();
    ASSERT_FALSE(inv2.isNull());
    EXPECT_NE(inv, inv2);
    EXPECT_EQ(inv2, LibraryPicture("inv2"));
    EXPECT_EQ(inv, LibraryPicture("inv"));
}

TEST_F(ICPreviewTest, AFaultyICOrNoICShowsNoPreview) {
    Choose("inv");
    ASSERT_FALSE(Shown().isNull());
    Choose("lost");
    EXPECT_FALSE(W().findChild<QLabel*>("lblICFehler")->isHidden());
    EXPECT_TRUE(preview->pixmap().isNull());
    Choose("inv");
    EXPECT_TRUE(W().findChild<QLabel*>("lblICFehler")->isHidden());
    EXPECT_FALSE(Shown().isNull());
    auto* box = W().findChild<QComboBox*>("cmbIC");
    box->setCurrentIndex(-1);
    W().cmbIC_Click();
    EXPECT_TRUE(preview->pixmap().isNull());
    EXPECT_TRUE(notes->toPlainText().isEmpty());
}

TEST_F(ICPreviewTest, ADoubleClickOnThePreviewOpensTheLibrary) {
    Choose("inv");
    ASSERT_EQ(W().ICAuswahl(), nullptr);
    QTest::mouseDClick(preview, Qt::LeftButton);
    ASSERT_NE(W().ICAuswahl(), nullptr);
    EXPECT_TRUE(W().ICAuswahl()->isVisible());
    EXPECT_EQ(W().ICAuswahl()->parentWidget(), &W());
    EXPECT_FALSE(W().ICAuswahl()->isModal());
    EXPECT_TRUE(W().IsChecked("cmdICVerwaltung"));
}

TEST_F(ICPreviewTest, TheNotesOfTheChosenICAreWrittenOnlyWhenEdited) {
    Choose("inv2");
    change->click();
    const std::string path = gVerzeichnisse[1] + "inv2.icd";
    const std::string bytes = test::ReadBytes(path);
    auto* panel = W().findChild<PropertyPanel*>("PropertyPanel");
    panel->NotesLeft();
    EXPECT_EQ(test::ReadBytes(path), bytes);
    EXPECT_EQ(notes->toPlainText(), "Zwei Inverter\nin Reihe");
    W().SetICAuswahlShown(true);
    notes->selectAll();
    QTest::keyClicks(notes, "Vier");
    panel->NotesLeft();
    EXPECT_TRUE(test::ReadBytes(path).ends_with("[Notizen]\r\nVier\r\n"));
    // The library's list shows them.
    auto* list = W().ICAuswahl()->findChild<QTreeWidget*>("lvwICs");
    EXPECT_EQ(list->findItems("inv2", Qt::MatchExactly, 0).value(0)->text(1), "Vier");
    Choose("inv");
    EXPECT_EQ(notes->toPlainText(), "Ein Inverter");
}

// Fault: the notes of an IC stored as "inv2.ICD" went to "inv2.icd" and were lost silently.
TEST_F(ICPreviewTest, TheNotesGoIntoTheFileTheyWereReadFrom) {
    std::filesystem::rename(gVerzeichnisse[1] + "inv2.icd", gVerzeichnisse[1] + "inv2.ICD");
    Choose("inv2");
    change->click();
    notes->selectAll();
    QTest::keyClicks(notes, "[Wichtig]");
    W().findChild<PropertyPanel*>("PropertyPanel")->NotesLeft();
    EXPECT_EQ(ReadICNotes(gVerzeichnisse[1] + "inv2.ICD"), "[Wichtig]");
}

} // namespace
} // namespace kardo
