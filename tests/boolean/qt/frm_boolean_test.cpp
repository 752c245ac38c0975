// The Boolean-algebra window: the menu entries and toolbar keys choose tab, caption and default
// button; synthesis, truth table and term creation with their messages.
#include "app/main_state.h"
#include "boolean/qt/frm_boolean.h"
#include "boolean/qt/truth_table_model.h"
#include "model/codes.h"
#include "model/elements.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class BooleanWindowTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    void Trigger(std::string_view name) {
        auto* a = qobject_cast<QAction*>(W().FindControl(name));
        ASSERT_NE(a, nullptr) << name;
        a->trigger();
    }
    frmBoolean* B() { return W().findChild<frmBoolean*>("frmBoolean"); }
    template <class T> T* Get(const char* name) {
        T* w = B()->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QTabWidget* Tabs() { return Get<QTabWidget>("SSTab1"); }
    void Type(const char* box, const char* text) {
        Get<QLineEdit>(box)->setText(QString::fromUtf8(text));
    }
    void Click(const char* button) { Get<QPushButton>(button)->click(); }
    TruthTableModel* Model(const char* view) {
        return static_cast<TruthTableModel*>(Get<QTableView>(view)->model());
    }
};

TEST_F(BooleanWindowTest, EntriesChooseTabCaptionAndDefaultButton) {
    struct Case {
        const char* control;
        int tab;
        const char* caption;
        const char* button;
    };
    const Case cases[] = {
        {"mSynthese", 0, "Schaltungssynthese", "cmdErstellen"},
        {"mBoolean", 1, "Wertetabelle", "cmdTabelle"},
        {"mTermCreation", 2, "Termerstellung", "cmdTerm"},
        {"cmdSynthese", 0, "Schaltungssynthese", "cmdErstellen"},
        {"cmdTabelle", 1, "Wertetabelle", "cmdTabelle"},
    };
    for (const Case& c : cases) {
        Trigger(c.control);
        ASSERT_NE(B(), nullptr) << c.control;
        EXPECT_TRUE(B()->isVisible()) << c.control;
        EXPECT_FALSE(B()->isModal());
        EXPECT_EQ(Tabs()->currentIndex(), c.tab) << c.control;
        EXPECT_EQ(B()->windowTitle().toStdString(), c.caption) << c.control;
        for (const char* button : {"cmdErstellen", "cmdTabelle", "cmdTerm"})
            EXPECT_EQ(Get<QPushButton>(button)->isDefault(), std::string(button) == c.button)
                << c.control << " " << button;
    }
    // One window, owned by the main window.
    EXPECT_EQ(W().findChildren<frmBoolean*>().size(), 1);
    EXPECT_EQ(Tabs()->tabText(1).toStdString(), "  Wertetabelle");
    EXPECT_EQ(Tabs()->tabText(2).toStdString(), "Termerstellung");
    // The toolbar key keeps its name in the main window beside the window's button.
    EXPECT_NE(qobject_cast<QAction*>(W().FindControl("cmdTabelle")), nullptr);
}

TEST_F(BooleanWindowTest, SynthesisBuildsTheCircuit) {
    Trigger("mSynthese");
    Type("txtSyntheseTerm", "(A&/B)vC");
    Click("cmdErstellen");
    EXPECT_EQ(gAnzElemente, 9); // three switches and their names, AND, OR, LED
    EXPECT_EQ(gElements[8].Typ, kTypeOr);
    EXPECT_FALSE(gUnveraendert);
}

TEST_F(BooleanWindowTest, SynthesisOfAWrongTermPutsTheCaretAtTheError) {
    Trigger("mSynthese");
    Type("txtSyntheseTerm", "A&&B");
    Click("cmdErstellen");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Fehler im Term");
    EXPECT_EQ(Get<QLineEdit>("txtSyntheseTerm")->cursorPosition(), 2);
    EXPECT_EQ(gAnzElemente, 0);
}

TEST_F(BooleanWindowTest, TruthTableOfATerm) {
    Trigger("mBoolean");
    Type("txtTabellenTerm", "B&/A");
    Click("cmdTabelle");
    TruthTableModel* m = Model("grdWertetabelle");
    ASSERT_EQ(m->rowCount(), 4);
    ASSERT_EQ(m->columnCount(), 3);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "A");
    EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "B");
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "Ergebnis");
    const int expected[4][3] = {{0, 0, 0}, {0, 1, 1}, {1, 0, 0}, {1, 1, 0}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(m->data(m->index(r, c), Qt::DisplayRole).toInt(), expected[r][c])
                << r << "," << c;
}

TEST_F(BooleanWindowTest, TruthTableOfSixteenVariablesAndNoMore) {
    Trigger("mBoolean");
    Type("txtTabellenTerm", "(A&B&C&D&E&F&G&H&I&J&K&L&M&N&O)&P");
    Click("cmdTabelle");
    EXPECT_EQ(Model("grdWertetabelle")->rowCount(), 65536);
    EXPECT_TRUE(boxes.empty());
    Type("txtTabellenTerm", "(A&B&C&D&E&F&G&H&I&J&K&L&M&N&O)v(P&Q)");
    Click("cmdTabelle");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("höchstens 16"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(Model("grdWertetabelle")->rowCount(), 65536);
}

TEST_F(BooleanWindowTest, TruthTableOfAWrongTerm) {
    Trigger("mBoolean");
    Type("txtTabellenTerm", "A(B)");
    Click("cmdTabelle");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Fehler im Term");
    EXPECT_EQ(Get<QLineEdit>("txtTabellenTerm")->cursorPosition(), 1);
}

TEST_F(BooleanWindowTest, TermCreationHandsTheTermToTheSynthesisTab) {
    Trigger("mTermCreation");
    Get<QSpinBox>("updVariablen")->setValue(2);
    auto* view = Get<QTableView>("grdTermerstellung");
    TruthTableModel* m = Model("grdTermerstellung");
    ASSERT_EQ(m->rowCount(), 4);
    for (int row : {1, 2}) {
        const QRect cell = view->visualRect(m->index(row, m->ResultColumn()));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // A click on a variable column changes nothing.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(m->index(0, 0)).center());
    EXPECT_EQ(m->Results(), (std::vector<std::uint8_t>{0, 1, 1, 0}));
    Click("cmdTerm");
    EXPECT_EQ(Get<QLineEdit>("txtErstellterTerm")->text().toStdString(), "/A&BvA&/B");
    EXPECT_EQ(Get<QLineEdit>("txtSyntheseTerm")->text().toStdString(), "/A&BvA&/B");
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(B()->windowTitle().toStdString(), "Schaltungssynthese");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BooleanWindowTest, TermCreationRangeAndATableWithoutOne) {
    Trigger("mTermCreation");
    auto* count = Get<QSpinBox>("updVariablen");
    EXPECT_EQ(count->minimum(), 1);
    EXPECT_EQ(count->maximum(), 6);
    count->setValue(6);
    EXPECT_EQ(Model("grdTermerstellung")->rowCount(), 64);
    Click("cmdTerm");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("keine 1"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(Tabs()->currentIndex(), 2);
}

// Opening an entry left the keyboard on the tab bar: the term typed at once went nowhere.
TEST_F(BooleanWindowTest, EachEntryHandsTheKeyboardToItsFirstBox) {
    const std::pair<const char*, const char*> cases[] = {{"mSynthese", "txtSyntheseTerm"},
                                                         {"mBoolean", "txtTabellenTerm"},
                                                         {"mTermCreation", "updVariablen"},
                                                         {"cmdSynthese", "txtSyntheseTerm"}};
    for (const auto& [entry, box] : cases) {
        Trigger(entry);
        ASSERT_NE(B()->focusWidget(), nullptr) << entry;
        EXPECT_EQ(B()->focusWidget()->objectName().toStdString(), box) << entry;
    }
    Trigger("mBoolean");
    QTest::keyClicks(B()->focusWidget(), "A&B");
    EXPECT_EQ(Get<QLineEdit>("txtTabellenTerm")->text().toStdString(), "A&B");
}

} // namespace
} // namespace kardo
