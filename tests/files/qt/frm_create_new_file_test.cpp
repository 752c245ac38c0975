// The new-worksheet dialog, offscreen: options, box corrections, create and cancel.
#include "files/qt/frm_create_new_file.h"
#include "model/grid.h"
#include "support/core_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class CreateNewFileDialogTest : public test::CoreFixture {
  protected:
    CreateNewFileDialogTest() {
        dialog.show();
        dialog.activateWindow();
        // The dialog chooses its default option whenever it becomes active; let that happen
        // before the test acts.
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QApplication::processEvents();
    }
    template <class T> T* Find(const char* name) {
        T* w = dialog.findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* X() { return Find<QLineEdit>("txtX"); }
    // A click on the option's round mark (the middle of a wide option lies beside its caption).
    void ClickOption(const char* name) {
        QRadioButton* b = Find<QRadioButton>(name);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    QLineEdit* Y() { return Find<QLineEdit>("txtY"); }

    frmCreateNewFile dialog; // the dialog under test
};

TEST_F(CreateNewFileDialogTest, OpensOnTheRecommendedSize) {
    EXPECT_EQ(dialog.windowTitle(), "Neue Schaltung erstellen");
    EXPECT_TRUE(Find<QRadioButton>("Option1_1")->isChecked());
    EXPECT_EQ(X()->text(), "50");
    EXPECT_EQ(Y()->text(), "30");
    EXPECT_FALSE(X()->isEnabled());
    EXPECT_FALSE(Y()->isEnabled());
}

TEST_F(CreateNewFileDialogTest, TheRecommendedSizeCreatesTheStartSheet) {
    CreateWorksheet(20, 20);
    QTest::mouseClick(Find<QPushButton>("cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(gFeldBreite, 50);
    EXPECT_EQ(gFeldHoehe, 30);
    EXPECT_EQ(host.Caption("txtX"), "50");
    EXPECT_EQ(host.Caption("txtY"), "30");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(CreateNewFileDialogTest, ACustomSizeIsTypedAndCorrected) {
    ClickOption("Option1_3");
    ASSERT_TRUE(X()->isEnabled());
    X()->clear();
    QTest::keyClicks(X(), "150");
    EXPECT_EQ(X()->text(), "100");
    Y()->clear();
    QTest::keyClicks(Y(), "80");
    EXPECT_EQ(Y()->text(), "70");
    X()->setFocus();
    X()->clear();
    QTest::keyClicks(X(), "5");
    EXPECT_EQ(X()->text(), "5"); // one digit waits
    Y()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(X()->text(), "10"); // corrected on leaving
    QTest::mouseClick(Find<QPushButton>("cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(gFeldBreite, 10);
    EXPECT_EQ(gFeldHoehe, 70);
}

TEST_F(CreateNewFileDialogTest, TheSmallAndLargePresets) {
    ClickOption("Option1_0");
    EXPECT_EQ(X()->text(), "40");
    ClickOption("Option1_2");
    EXPECT_EQ(X()->text(), "70");
    EXPECT_EQ(Y()->text(), "45");
    QTest::mouseClick(Find<QPushButton>("cmdWeiter"), Qt::LeftButton);
    EXPECT_EQ(gFeldBreite, 70);
    EXPECT_EQ(gFeldHoehe, 45);
}

TEST_F(CreateNewFileDialogTest, CancelChangesNothing) {
    CreateWorksheet(20, 21);
    QTest::mouseClick(Find<QPushButton>("cmdAbbrechen"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(gFeldBreite, 20);
    EXPECT_EQ(gFeldHoehe, 21);
    EXPECT_EQ(host.Caption("frmKardo"), "");
}

} // namespace
} // namespace kardo
