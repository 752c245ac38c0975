// ICs in the main window: the level tree from the start, the IC list with plain names only, the
// choice in cmbIC with its "Fehlerhaft" mark, placing by mouse, looking into an IC through the
// tree while powered, and the tree after a new sheet.
#include "app/main_state.h"
#include "app/settings.h"
#include "files/new_circuit.h"
#include "ic/ic_choice.h"
#include "ic/ic_view.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/grid.h"
#include "model/ic_instances.h"
#include "model/utilities.h"
#include "support/circuit_files.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ICWindowTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        canvas = ShowWindow();
        tree = W().findChild<QTreeWidget*>("tvwLevel");
        box = W().findChild<QComboBox*>("cmbIC");
        ASSERT_NE(canvas, nullptr);
        ASSERT_NE(tree, nullptr);
        ASSERT_NE(box, nullptr);
        folder = MakeFolder("ICs");
        gVerzeichnisse[1] = folder + "/";
        for (const char* n : {"inv", "inv2"})
            Install(std::string(n) + ".icd", n);
        // Any key of the element toolbar reads the IC folder again and enables the IC key.
        Key("cmdLeitungen");
    }
    void Install(const std::string& file, const std::string& name) {
        test::WriteBytes(folder + "/" + name + ".icd", test::ReadBytes(test::DataFile(file)));
    }
    void Key(const char* key) { qobject_cast<QAction*>(W().FindControl(key))->trigger(); }
    void ClickAt(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        ClickCellAt(canvas, x, y, button);
    }
    void Choose(const char* name) {
        const int i = box->findText(name);
        ASSERT_GE(i, 0) << name;
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    // The tree as "text(children...)" lines, depth-first.
    static std::string Shape(QTreeWidgetItem* item) {
        std::string s = item->text(0).toStdString();
        if (item->childCount() == 0)
            return s;
        s += "(";
        for (int i = 0; i < item->childCount(); ++i)
            s += (i ? "," : "") + Shape(item->child(i));
        return s + ")";
    }
    std::string TreeShape() const {
        std::string s;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            s += Shape(tree->topLevelItem(i));
        return s;
    }
    QTreeWidgetItem* Find(const char* key) const {
        for (QTreeWidgetItem* item : tree->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive))
            if (item->data(0, Qt::UserRole).toString() == key)
                return item;
        return nullptr;
    }

    WorksheetCanvas* canvas = nullptr; // picGrid
    QTreeWidget* tree = nullptr;       // tvwLevel
    QComboBox* box = nullptr;          // cmbIC
    std::string folder;                // the IC folder
};

TEST_F(ICWindowTest, TheLevelTreeShowsItsRootFromTheStart) { EXPECT_EQ(TreeShape(), "Grundebene"); }

TEST_F(ICWindowTest, TheICListHoldsPlainNamesOnly) {
    test::WriteBytes(folder + "/a;b.icd", "x");
    test::WriteBytes(folder + "/GROSS.ICD", "x");
    Key("cmdLeitungen");
    Key("cmdIC");
    std::vector<std::string> names;
    for (int i = 0; i < box->count(); ++i)
        names.push_back(box->itemText(i).toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{"GROSS", "inv", "inv2"}));
}

TEST_F(ICWindowTest, ChoosingPlacingAndLookingInside) {
    Key("cmdIC");
    ASSERT_EQ(gMouseMode, kTypeIC);
    EXPECT_EQ(gICName, "inv") << "the first IC is chosen when none was";
    EXPECT_TRUE(W().IsVisible("picEigenschaft_0"));
    EXPECT_FALSE(W().IsVisible("lblICFehler"));
    Choose("inv2");
    EXPECT_EQ(gICName, "inv2");
    EXPECT_TRUE(gICAuswahlOK);
    EXPECT_TRUE(W().IsChecked("cmdIC"));

    ClickAt(10, 10);
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_EQ(gElements[1].Typ, kTypeIC);
    EXPECT_EQ(gICInstanceMax, 3);
    EXPECT_EQ(TreeShape(), "Grundebene(inv2(inv,inv))");

    W().findChild<QPushButton*>("cmdOn")->click();
    QApplication::processEvents();
    ASSERT_TRUE(gPowerOn);
    QTreeWidgetItem* inner = Find("L_3");
    ASSERT_NE(inner, nullptr);
    emit tree->itemClicked(inner, 0);
    EXPECT_TRUE(gInLevel);
    EXPECT_EQ(gCurLevel, 3);
    EXPECT_EQ(gFeldBreite, 7);
    // A right click goes up one level, then the root brings the circuit back.
    ClickAt(3, 3, Qt::RightButton);
    EXPECT_EQ(gCurLevel, 1);
    emit tree->itemClicked(Find("L_0"), 0);
    EXPECT_FALSE(gInLevel);
    EXPECT_EQ(gFeldBreite, 50);
    W().findChild<QPushButton*>("cmdOff")->click();
    QApplication::processEvents();
    EXPECT_FALSE(gPowerOn);
}

TEST_F(ICWindowTest, AFaultyICIsMarkedAndNotPlaced) {
    Install("self_bad.icd", "self_bad");
    Key("cmdLeitungen");
    Key("cmdIC");
    Choose("self_bad");
    EXPECT_FALSE(gICAuswahlOK);
    EXPECT_TRUE(W().IsVisible("lblICFehler"));
    ClickAt(10, 10);
    EXPECT_EQ(gAnzElemente, 0);
    Choose("inv");
    EXPECT_FALSE(W().IsVisible("lblICFehler"));
}

TEST_F(ICWindowTest, ANewSheetLeavesTheRootAlone) {
    Key("cmdIC");
    ClickAt(10, 10);
    ASSERT_EQ(gICInstanceMax, 1);
    EXPECT_EQ(TreeShape(), "Grundebene(inv)");
    NewCircuit(false);
    EXPECT_EQ(TreeShape(), "Grundebene");
}

} // namespace
} // namespace kardo
