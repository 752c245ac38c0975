// The formula input line: shown at start in formula mode, the key mapping, Enter in formula
// and console mode, the list of synthesised terms, and the key that shows and closes the line.
#include "app/main_state.h"
#include "app/permissions.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/sim_levels.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/main_window_fixture.h"
#include "support/qt/user_input.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class FormulaLineTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    QComboBox* Box() { return W().findChild<QComboBox*>("cmbFormel"); }
    QLineEdit* Edit() { return Box()->lineEdit(); }
    // A click into the line, then keys as typed: they reach the combo box, which has the focus.
    void Keys(const char* keys) {
        test::UserClick(Box());
        test::UserTypes(QString::fromUtf8(keys));
    }
    void Enter() { Keys("\r"); }
    // Replaces the line's text without the key handler, as pasting does.
    void Paste(const char* text) {
        Edit()->clear();
        Edit()->insert(QString::fromUtf8(text));
    }
    std::string Text() { return Box()->currentText().toStdString(); }
    std::string Status() { return W().findChild<QLabel*>("StatusBar_2")->text().toStdString(); }
};

TEST_F(FormulaLineTest, ShownAtStartInFormulaMode) {
    EXPECT_TRUE(W().IsVisible("cmbFormel"));
    EXPECT_TRUE(W().IsVisible("cmdFormel"));
    EXPECT_TRUE(W().IsVisible("cmdCloseFormel"));
    EXPECT_TRUE(W().IsChecked("cmdFormel"));
    EXPECT_TRUE(W().IsChecked("cmdPanel5"));
    EXPECT_TRUE(W().IsEnabled("cmdPanel5"));
}

// Fault: formula and console mode looked alike; the mode key looks pressed in formula mode.
TEST_F(FormulaLineTest, TheModeKeyLooksPressedInFormulaMode) {
    auto* key = W().findChild<QPushButton*>("cmdFormel");
    const auto face = [key] { return key->grab().toImage().pixelColor(4, 6).lightness(); };
    const int pressed = face();
    test::UserClick(key);
    ASSERT_FALSE(W().IsChecked("cmdFormel"));
    EXPECT_GE(face() - pressed, 40) << pressed;
}

TEST_F(FormulaLineTest, KeysAreMappedToTheTermSyntax) {
    Keys("a6b");
    EXPECT_EQ(Text(), "A&B");
    Edit()->clear();
    Keys("8a9Vb");
    EXPECT_EQ(Text(), "(A)vB");
    Edit()->clear();
    Keys("/cvd");
    EXPECT_EQ(Text(), "/CvD");
}

TEST_F(FormulaLineTest, EnterSynthesisesTheTermAndAddsItToTheList) {
    Keys("a6b");
    Enter();
    EXPECT_EQ(gAnzElemente, 6); // two switches and their names, the AND, the LED
    EXPECT_EQ(gElements[5].Typ, kTypeAnd);
    ASSERT_EQ(Box()->count(), 1);
    EXPECT_EQ(Box()->itemText(0).toStdString(), "A&B");
    EXPECT_FALSE(gUnveraendert);
    EXPECT_TRUE(Edit()->hasFocus() || QApplication::focusWidget() == nullptr);

    // The changed circuit asks first; "Nein" lets the next term replace it.
    answers.push_back(MsgResult::No);
    Paste("AvB");
    Enter();
    EXPECT_EQ(gElements[5].Typ, kTypeOr);
    EXPECT_EQ(Box()->count(), 2);
    // "Abbrechen" keeps the circuit and the list.
    answers.push_back(MsgResult::Cancel);
    Paste("A&B&C");
    Enter();
    EXPECT_EQ(gElements[5].Typ, kTypeOr);
    EXPECT_EQ(Box()->count(), 2);
}

TEST_F(FormulaLineTest, WrongTermIsReportedWithTheCaretAtTheError) {
    Paste("A&B+C");
    Enter();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Fehler im Term");
    EXPECT_NE(boxes[0].text.find("Position 4"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(Edit()->cursorPosition(), 3);
    EXPECT_EQ(Box()->count(), 0);
    EXPECT_EQ(gAnzElemente, 0);
}

TEST_F(FormulaLineTest, PastedTextIsNotMapped) {
    Paste("a&b");
    EXPECT_EQ(Text(), "a&b");
    Enter();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("Position 1"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(gAnzElemente, 0);
}

TEST_F(FormulaLineTest, FormelNullSwitchesToConsoleMode) {
    Keys("formel 0");
    EXPECT_EQ(Text(), "FORMEL 0");
    Enter();
    EXPECT_FALSE(W().IsChecked("cmdFormel"));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Box()->count(), 0);
    // Keys are no longer mapped.
    Edit()->clear();
    Keys("info");
    EXPECT_EQ(Text(), "info");
}

TEST_F(FormulaLineTest, ConsoleWords) {
    W().SetChecked("cmdFormel", false);
    test::DialogDriver driver{W()};
    Paste("INFO");
    Enter();
    EXPECT_EQ(driver.shown, std::vector<std::string>{"frmInfo"});
    Paste(" info");
    Enter();
    EXPECT_EQ(driver.shown.size(), 1u);
    Paste("debug p");
    Enter();
    EXPECT_EQ(driver.shown.size(), 1u);

    Box()->addItem("A&B");
    Box()->addItem("AvB");
    Paste("clear");
    Enter();
    EXPECT_EQ(Box()->count(), 0);
    EXPECT_EQ(Text(), "clear");

    const bool time = W().IsVisible("lblTime");
    Paste("timelabel");
    Enter();
    EXPECT_EQ(W().IsVisible("lblTime"), !time);

    // "save" is Save As: the save dialog, here cancelled.
    Paste("save");
    Enter();
    ASSERT_EQ(dialogs.size(), 1u);
    // "open" asks with the open dialog.
    Paste("open");
    Enter();
    EXPECT_EQ(dialogs.size(), 2u);
}

TEST_F(FormulaLineTest, DisabledConsoleWordOnlyGivesAHint) {
    W().SetChecked("cmdFormel", false);
    W().SetEnabled("mSaveAs", false);
    W().SetEnabled("mOpen", false);
    Paste("save");
    Enter();
    Paste("open");
    Enter();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_NE(Status().find("nicht verfügbar"), std::string::npos) << Status();
}

TEST_F(FormulaLineTest, PanelKeyAndMenuEntryCloseAndShowTheLine) {
    auto* key = qobject_cast<QAction*>(W().FindControl("cmdPanel5"));
    key->trigger();
    EXPECT_FALSE(W().IsVisible("cmbFormel"));
    EXPECT_FALSE(W().IsVisible("cmdCloseFormel"));
    EXPECT_FALSE(W().IsChecked("cmdPanel5"));
    EXPECT_FALSE(W().IsChecked("mPanel_5"));
    key->trigger();
    EXPECT_TRUE(W().IsVisible("cmbFormel"));
    EXPECT_TRUE(W().IsChecked("cmdPanel5"));
    EXPECT_TRUE(W().IsChecked("mPanel_5"));
    // The line's own close key.
    W().findChild<QWidget*>("cmdCloseFormel")->setFocus();
    QTest::mouseClick(W().findChild<QWidget*>("cmdCloseFormel"), Qt::LeftButton);
    EXPECT_FALSE(W().IsVisible("cmbFormel"));
    EXPECT_FALSE(W().IsChecked("cmdPanel5"));
    qobject_cast<QAction*>(W().FindControl("mPanel_5"))->trigger();
    EXPECT_TRUE(W().IsVisible("cmbFormel"));
}

TEST_F(FormulaLineTest, LockThatForbidsTheLineClosesIt) {
    gFunktionRechte[kRechtEingabezeile] = kFalse;
    W().ApplyFunktionRechte();
    EXPECT_FALSE(W().IsVisible("cmbFormel"));
    EXPECT_FALSE(W().IsVisible("cmdPanel5"));
}

// Fault pinned: with the AND gate locked, "a6b" and Enter still built the circuit with an AND.
TEST_F(FormulaLineTest, ATermNeedingALockedComponentPlacesNothing) {
    for (const bool locked : {true, false}) {
        gBauteilRechte[kRechtUnd] = !locked;
        W().ApplyBauteilRechte();
        Edit()->clear();
        Keys("a6b\r");
        EXPECT_EQ(gAnzElemente, locked ? 0 : 6);
        EXPECT_NE(boxes.at(0).text.find("gesperrte Bauelemente:\r\nUND-Baustein\r\n"),
                  std::string::npos);
    }
}

TEST_F(FormulaLineTest, SynthesisWhilePoweredSwitchesOffFirst) {
    Paste("A");
    Enter();
    ASSERT_EQ(gAnzElemente, 3);
    W().SetChecked("cmdOn", true);
    ASSERT_TRUE(gPowerOn);
    answers.push_back(MsgResult::No);
    Paste("/A");
    Enter();
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(gElements[3].Typ, kTypeInverter);
}

} // namespace
} // namespace kardo
