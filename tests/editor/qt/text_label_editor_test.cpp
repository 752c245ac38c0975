// The label editor txtBeschriftung in the main window, offscreen with real key and mouse events:
// writing a label, Escape, editing, typing towards a wire, a click elsewhere, a tool change and
// pasted line breaks.
#include "app/settings.h"
#include "editor/text_labels.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/undo.h"
#include "support/builder.h"
#include "support/qt/user_input.h"
#include "support/qt/worksheet_session.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class LabelEditorSession : public test::WorksheetSession {
  protected:
    void SetUp() override {
        WorksheetSession::SetUp();
        if (HasFatalFailure())
            return;
        QApplication::setActiveWindow(&W());
        editor = canvas->findChild<QLineEdit*>("txtBeschriftung");
        ASSERT_NE(editor, nullptr);
        Key("cmdText");
        QApplication::processEvents();
    }
    void Press(Qt::Key k) { test::UserPresses(k); }
    int LabelCells() const {
        int n = 0;
        for (int y = 0; y <= gFeldHoehe; ++y)
            for (int x = 0; x <= gFeldBreite; ++x)
                n += gGrid(x, y).Typ == kTypeText ? 1 : 0;
        return n;
    }

    QLineEdit* editor = nullptr; // txtBeschriftung
};

TEST_F(LabelEditorSession, TwoLettersAndEnterMakeOneLabelAndOneStep) {
    const std::uint32_t before = gUndo.Recorded();
    ClickAt(12, 7);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->x(), GridToPixel(12));
    EXPECT_TRUE(editor->text().isEmpty());
    test::UserTypes("AB");
    EXPECT_EQ(gAnzElemente, 0);
    Press(Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Typ, kTypeText);
    EXPECT_EQ(gElements[1].Text, "AB");
    EXPECT_EQ(gElements[1].Eingaenge.Text(), "X12Y7:");
    EXPECT_EQ(gUndo.Recorded(), before + 1);
    EXPECT_EQ(gUndo.Step(1).Description, "Text hinzufügen");
    EXPECT_EQ(gGrid(12, 7).ElementNr, 1);
}

// After a label was written the keyboard went on along the window's tab chain, to the power
// panel's close key: the next Space closed the panel.
TEST_F(LabelEditorSession, AfterEnterOrEscapeTheKeysGoBackToTheWorksheet) {
    for (const Qt::Key end : {Qt::Key_Return, Qt::Key_Escape}) {
        ClickAt(12, 7);
        ASSERT_TRUE(editor->hasFocus());
        test::UserTypes("AB");
        Press(end);
        ASSERT_FALSE(editor->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), canvas);
        QWidget* keys = QApplication::focusWidget();
        ASSERT_NE(keys, nullptr);
        QTest::keyClick(keys, Qt::Key_Space);
        QApplication::processEvents();
        EXPECT_EQ(gPanelVisible[0], -1);
        EXPECT_EQ(gPanelVisible[1], -1);
    }
}

TEST_F(LabelEditorSession, EscapeWritesNothing) {
    ClickAt(12, 7);
    test::UserTypes("AB");
    Press(Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_EQ(LabelCells(), 0);
}

TEST_F(LabelEditorSession, EditingALabel) {
    ClickAt(12, 7);
    test::UserTypes("AB");
    Press(Qt::Key_Return);
    ClickAt(13, 7);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "AB");
    EXPECT_EQ(editor->selectedText(), "AB");
    Press(Qt::Key_Escape); // the selection keeps it open
    EXPECT_TRUE(editor->isVisible());
    test::UserTypes("Takt");
    EXPECT_EQ(editor->text(), "Takt");
    Press(Qt::Key_Enter);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Text, "Takt");
    EXPECT_EQ(gUndo.Step(1).Description, "Text ändern");
}

TEST_F(LabelEditorSession, TypingTowardsAWireStops) {
    test::LayWire(16, 4, 16, 10);
    ClickAt(12, 7);
    test::UserTypes("WWWWWWWWWWWWWWWWWWWW");
    const int taken = static_cast<int>(editor->text().size());
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, 20);
    Press(Qt::Key_Return);
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gGrid(16, 7).Typ, kTypeWire);
    EXPECT_EQ(gGrid(16, 7).ElementNr, 0);
    EXPECT_EQ(gGrid(15, 7).ElementNr, 1);
}

// Fault: the click elsewhere opened a second editor at its own cell.
TEST_F(LabelEditorSession, AClickElsewhereAcceptsAndOpensNoSecondEditor) {
    ClickAt(12, 7);
    test::UserTypes("AB");
    ClickAt(30, 20);
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Text, "AB");
    EXPECT_EQ(gElements[1].Eingaenge.Text(), "X12Y7:");
    EXPECT_EQ(gUndo.Step(1).Description, "Text hinzufügen");
    EXPECT_FALSE(editor->isVisible());
    ClickAt(30, 20); // the editor is closed: this click opens one
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->x(), GridToPixel(30));
}

TEST_F(LabelEditorSession, ChoosingAnotherToolAccepts) {
    ClickAt(12, 7);
    test::UserTypes("AB");
    Key("cmdLeitungen");
    QApplication::processEvents();
    EXPECT_FALSE(editor->isVisible());
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Text, "AB");
}

TEST_F(LabelEditorSession, PastedLineBreaksAndTabsAreNotTaken) {
    ClickAt(12, 7);
    editor->insert(QString::fromUtf8("A\tB\r\nC\xe4\xb8\xad"));
    EXPECT_EQ(editor->text(), "ABC");
    Press(Qt::Key_Tab); // not taken either; the focus moves on and the text is accepted
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Text, "ABC");
}

} // namespace
} // namespace kardo
