// The windows of the IC-definition mode and the IC library, offscreen: naming two pins by clicks
// on the worksheet, their labels with hover and drop, dragging them onto the package outline of
// the IC editor and saving; the library window with its list, details, nesting tree, choice,
// hiding while powered and its place kept across a restart.
#include "app/main_state.h"
#include "app/settings.h"
#include "files/ic_definition.h"
#include "files/ic_definition_file.h"
#include "files/ic_size.h"
#include "ic/pin_labels.h"
#include "ic/qt/frm_ic.h"
#include "ic/qt/frm_ic_auswahl.h"
#include "ic/qt/ic_package_picture.h"
#include "ic/qt/ic_package_view.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/codes.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "render/redraw.h"
#include "render/view.h"
#include "simulation/qt/analyser_windows.h"
#include "simulation/qt/analysis_window.h"
#include "simulation/qt/graph_window.h"
#include "support/builder.h"
#include "support/circuit_files.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/main_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::DialogDriver;

class ICDefinitionWindowTest : public test::MainWindowFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(LoadWindow());
        canvas = ShowWindow();
        ASSERT_NE(canvas, nullptr);
        folder = MakeFolder("ICs");
        gVerzeichnisse[1] = folder + "/";
    }
    void Trigger(const char* name) { qobject_cast<QAction*>(W().FindControl(name))->trigger(); }
    void ClickAt(int x, int y) { ClickCellAt(canvas, x, y); }
    // The next pin-naming dialog gets name and OK.
    void AnswerPinName(const char* name) {
        driver.handlers.push_back([name](QDialog& d) {
            // Fault: too narrow for its caption; room for it and five title-bar heights.
            QFont bold = d.font();
            bold.setBold(true);
            const QFontMetrics title(bold);
            d.adjustSize();
            EXPECT_GE(d.width(), title.horizontalAdvance(d.windowTitle()) + 5 * title.height());
            DialogDriver::Type(d, "txtAnschluss", QString::fromUtf8(name));
            DialogDriver::Click(d, "cmdOK");
        });
    }
    // A pin label dragged onto target and dropped at pos, as a drag from a label ends there.
    static void Drop(QWidget* target, QPointF pos, int pin) {
        QMimeData* mime = PinMime(pin);
        QDragEnterEvent enter(pos.toPoint(), Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent drop(pos, Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        delete mime;
    }
    template <class T> T* Find(QWidget* parent, const QString& name) {
        T* w = parent->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    WorksheetCanvas* canvas = nullptr;
    std::string folder;
    DialogDriver driver{W()};
};

TEST_F(ICDefinitionWindowTest, TwoPinsNamedByClicksDraggedOntoTheOutlineAndSaved) {
    ASSERT_NE(test::PlaceInverter(6, 4, kRight), 0);
    test::LayWire(2, 4, 6, 4);
    test::LayWire(7, 4, 11, 4);
    RedrawAllElements(0);
    Trigger("mDefIC");
    ASSERT_EQ(gMouseMode, kToolICView);
    EXPECT_FALSE(W().IsEnabled("mDefIC"));
    EXPECT_FALSE(W().IsEnabled("cmdICView"));
    EXPECT_EQ(W().Caption("lblAktElement"), "IC-Definition");
    frmIC* editor = W().ICEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(Find<QLineEdit>(editor, "txtX")->text(), "7");
    EXPECT_EQ(Find<QLineEdit>(editor, "txtY")->text(), "4");

    AnswerPinName("E");
    ClickAt(2, 4);
    AnswerPinName("A");
    ClickAt(11, 4);
    ClickAt(4, 4); // the middle of a wire: no dialog
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmICAnschluss", "frmICAnschluss"}));
    ASSERT_EQ(gAnzICAnschluesse, 2);
    auto* label = Find<QLabel>(canvas, QString::fromUtf8("lblICAnschluß_1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "[E]");
    EXPECT_TRUE(label->isVisible());
    EXPECT_LT(label->geometry().right(), GridToPixel(2)) << "left of its wire end";

    // Hover: the label under the mouse turns dark blue; a move over the worksheet ends it.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(label, &enter);
    EXPECT_EQ(gAktAnschluss, 1);
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(0, 0, 0x80));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    QTest::mouseMove(canvas, QPoint(GridToPixel(20), GridToPixel(20)));
    QApplication::processEvents();
    EXPECT_FALSE(gICPinLabels[1].Highlighted);

    // A label dropped on the worksheet belongs into the editor.
    Drop(canvas, QPointF(GridToPixel(20), GridToPixel(10)), 1);
    EXPECT_EQ(W().findChild<QLabel*>("StatusBar_1")->text().toStdString(),
              "Bitte ziehen Sie die Textbox mit gedrückter Maustaste in das "
              "IC-Entwurfsfenster.");

    // Both onto the outline: E on the left edge, A dropped inside near the right edge.
    ICPackageView& view = editor->Package();
    Drop(&view, view.PlaceCentre(0, 1) + QPointF(-5, 2), 1);
    Drop(&view, view.PlaceCentre(6, 2), 2);
    EXPECT_EQ(gICAnschluesse[1], "0;1;E;");
    EXPECT_EQ(gICAnschluesse[2], "7;2;A;");
    EXPECT_TRUE(Find<QLabel>(&view, "lblInOut_1")->isVisible());
    Drop(&view, view.PlaceCentre(0, 1), 2); // E's place
    EXPECT_EQ(gICAnschluesse[2], "7;2;A;");
    EXPECT_NE(Find<QLabel>(editor, "lblStatus")->text().indexOf("\"E\""), -1);

    auto* name = Find<QLineEdit>(editor, "txtName");
    QTest::keyClicks(name, "Negierer");
    EXPECT_EQ(gICName, "Negierer");
    EXPECT_EQ(Find<QLabel>(editor, "lblName")->text(), "Negierer");
    Find<QPushButton>(editor, "cmdSpeichern")->click();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, "IC 'Negierer' wurde gespeichert");

    ICDefinition def;
    ReadProblem problem;
    ASSERT_TRUE(ReadICDefinitionFile(folder + "/Negierer.icd", def, problem)) << problem.Text;
    EXPECT_EQ(def.PinName(1), "E");
    EXPECT_EQ(def.Places[1], (ICPinPlace{true, 0, 1}));
    EXPECT_EQ(def.Places[2], (ICPinPlace{true, 7, 2}));
    EXPECT_EQ(def.PinCells[2], (GridPoint{11, 2}));
    EXPECT_NE(W().findChild<QComboBox*>("cmbIC")->findText("Negierer"), -1)
        << "the IC list knows it at once";

    // Closing the editor leaves the view; the pins stay.
    editor->close();
    QApplication::processEvents();
    EXPECT_EQ(gMouseMode, kToolWire);
    EXPECT_TRUE(W().IsEnabled("mDefIC"));
    EXPECT_EQ(gAnzICAnschluesse, 2);
}

TEST_F(ICDefinitionWindowTest, PinLabelsStayBesideTheirPinsWhenTheViewScrolls) {
    test::LayWire(30, 20, 34, 20);
    RedrawAllElements(0);
    Trigger("mDefIC");
    AnswerPinName("E");
    ClickAt(30, 20);
    auto* label = Find<QLabel>(canvas, QString::fromUtf8("lblICAnschluß_1"));
    ASSERT_NE(label, nullptr);
    const QPoint before = label->pos();
    W().resize(700, 500);
    QApplication::processEvents();
    ResizeWorksheet();
    W().findChild<QScrollBar*>("HScroll")->setValue(7);
    W().findChild<QScrollBar*>("VScroll")->setValue(3);
    QApplication::processEvents();
    ASSERT_EQ(gHScroll.Value, 7);
    EXPECT_EQ(label->pos(), before - QPoint(7 * 14, 3 * 14));
}

TEST_F(ICDefinitionWindowTest, ChoosingAToolLeavesTheView) {
    Trigger("cmdICView");
    ASSERT_EQ(gMouseMode, kToolICView);
    Trigger("cmdUND");
    EXPECT_EQ(gMouseMode, kTypeAnd);
    EXPECT_FALSE(W().ICEditor()->isVisible());
    EXPECT_TRUE(W().IsEnabled("cmdICView"));
}

// The package size row showed its label as "&Gehäuse:" with the ampersand and no Alt key.
TEST_F(ICDefinitionWindowTest, ThePackageSizeLabelLeadsToTheWidthBox) {
    Trigger("mDefIC");
    frmIC* editor = W().ICEditor();
    ASSERT_NE(editor, nullptr);
    auto* label = Find<QLabel>(editor, "lblGehaeuse");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->buddy(), Find<QLineEdit>(editor, "txtX"));
}

// The IC editor opened 560 pixels left of the main window's right edge but is wider: its
// "Schließen" key ran past the edge of a main window that filled the screen.
TEST_F(ICDefinitionWindowTest, TheEditorOpensWhollyInsideTheMainWindow) {
    W().setGeometry(W().screen()->availableGeometry()); // on the screen, as the editor must be
    Trigger("mDefIC");
    frmIC* editor = W().ICEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_GT(editor->frameGeometry().width(), 560);
    EXPECT_LE(editor->frameGeometry().right(), W().geometry().right());
    EXPECT_GE(editor->frameGeometry().left(), W().geometry().left());
    EXPECT_GT(editor->frameGeometry().right(), W().geometry().right() - 20) << "at the right edge";
}

class ICLibraryWindowTest : public ICDefinitionWindowTest {
  protected:
    void SetUp() override {
        ICDefinitionWindowTest::SetUp();
        test::CopyFixtureICs(folder + "/");
        W().RefreshICLists();
    }
    frmICAuswahl* Library() { return W().ICAuswahl(); }
    QTreeWidget* List() { return Library()->findChild<QTreeWidget*>("lvwICs"); }
    QTreeWidget* Nesting() { return Library()->findChild<QTreeWidget*>("tvwSchachtelung"); }
    void Select(int row) { List()->setCurrentItem(List()->topLevelItem(row)); }
};

TEST_F(ICLibraryWindowTest, TheListDetailsAndNestingTreeOfTheICs) {
    Trigger("cmdICAuswahl");
    ASSERT_NE(Library(), nullptr);
    EXPECT_TRUE(Library()->isVisible());
    EXPECT_TRUE(W().IsChecked("mICAuswahl"));
    EXPECT_TRUE(W().IsChecked("cmdICVerwaltung"));
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    auto* box = W().findChild<QComboBox*>("cmbIC");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(List()->topLevelItem(i)->text(0), box->itemText(i)) << "the order of cmbIC";
    EXPECT_EQ(List()->topLevelItem(0)->text(1), "Ein Inverter");

    Select(1); // inv2
    auto* preview = Library()->findChild<QLabel*>("picVorschau");
    EXPECT_FALSE(preview->pixmap().isNull());
    EXPECT_NE(Library()->findChild<QLabel*>("lblGroesse")->text().indexOf("2 x 2"), -1);
    ASSERT_EQ(Nesting()->topLevelItemCount(), 1);
    EXPECT_EQ(Nesting()->topLevelItem(0)->text(0), "inv2");
    EXPECT_EQ(Nesting()->topLevelItem(0)->childCount(), 2);

    Select(2); // lost
    ASSERT_EQ(Nesting()->topLevelItemCount(), 2);
    QTreeWidgetItem* missing = Nesting()->topLevelItem(1);
    EXPECT_EQ(missing->text(0), "ICs nicht gefunden:");
    EXPECT_EQ(missing->data(0, Qt::UserRole).toString(), "Fehler");
    ASSERT_EQ(missing->childCount(), 2);
    EXPECT_EQ(missing->child(0)->text(0), "fehlt");
    EXPECT_EQ(missing->child(1)->data(0, Qt::UserRole).toString(), "Fehler2");

    // Choosing an IC there chooses it for placing.
    Select(0);
    Library()->findChild<QPushButton*>("cmdAuswaehlen")->click();
    EXPECT_EQ(gMouseMode, kTypeIC);
    EXPECT_EQ(gICName, "inv");
    EXPECT_EQ(box->currentText(), "inv");
    EXPECT_TRUE(W().IsChecked("cmdIC"));

    // The IC list's choice is followed by the library.
    box->setCurrentIndex(1);
    W().cmbIC_Click();
    EXPECT_EQ(Library()->SelectedIC(), "inv2");

    Trigger("mICAuswahl");
    EXPECT_EQ(Library(), nullptr);
    EXPECT_FALSE(W().IsChecked("cmdICAuswahl"));
}

TEST_F(ICLibraryWindowTest, TheLibraryIsHiddenWhilePoweredAndShownAgainAfter) {
    Trigger("cmdICAuswahl");
    ASSERT_TRUE(Library()->isVisible());
    W().SetChecked("cmdOn", true);
    ASSERT_TRUE(gPowerOn);
    EXPECT_FALSE(Library()->isVisible());
    EXPECT_FALSE(W().IsEnabled("cmdICAuswahl"));
    W().SetChecked("cmdOff", true);
    ASSERT_FALSE(gPowerOn);
    EXPECT_TRUE(Library()->isVisible());
}

TEST_F(ICLibraryWindowTest, ItsPlaceIsKeptAcrossARestart) {
    Trigger("cmdICAuswahl");
    Library()->setGeometry(130, 140, 500, 420);
    const QRect placed = Library()->geometry();
    ASSERT_TRUE(W().Form_QueryUnload());
    EXPECT_EQ(gICAuswahlPlacement.Width, placed.width());

    // A new main window on the same settings store.
    window = std::make_unique<frmKardo>(picture);
    platform.host = window.get();
    window->SetDialogStandIns(
        [](std::string_view, MsgButtons, MsgIcon, std::string_view) { return MsgResult::Ok; },
        nullptr, nullptr);
    ASSERT_TRUE(LoadWindow());
    EXPECT_TRUE(W().IsChecked("cmdICAuswahl"));
    QApplication::processEvents(); // it follows the main window onto the screen
    ASSERT_NE(W().ICAuswahl(), nullptr) << "opened at the first activation";
    EXPECT_TRUE(W().ICAuswahl()->isVisible());
    EXPECT_EQ(W().ICAuswahl()->geometry(), placed);
}

// Fault: a click on the main window put the tool windows behind it; a place off screen stayed.
TEST_F(ICDefinitionWindowTest, ToolWindowsStayAboveTheMainWindowWhollyOnItsScreen) {
    test::LayWire(2, 3, 6, 3);
    ASSERT_NE(test::PlaceAnalysisPoint(4, 3), 0);
    gICAuswahlPlacement = {4000, 3000, 500, 400};
    for (const char* entry : {"mDefIC", "mICAuswahl", "mAnsichtItem_2"})
        Trigger(entry);
    W().Analyser().Graph().findChild<QPushButton*>("cmdAnalyseTabelle")->click();
    W().AddGraph(9);
    for (QWidget* w : QList<QWidget*>{W().ICEditor(), W().ICAuswahl(), &W().Analyser().Graph(),
                                      &W().Analyser().Table()}) {
        ASSERT_TRUE(w != nullptr && w->isVisible());
        const std::string name = w->objectName().toStdString();
        EXPECT_EQ(w->windowHandle()->transientParent(), W().windowHandle()) << name;
        EXPECT_TRUE(W().screen()->availableGeometry().contains(w->frameGeometry())) << name;
    }
}

// With no IC in the folder the library offered "Auswählen" and "Bearbeiten", which did nothing.
TEST_F(ICDefinitionWindowTest, AnEmptyLibraryOffersNoKeysThatDoNothing) {
    Trigger("cmdICAuswahl");
    frmICAuswahl* library = W().ICAuswahl();
    ASSERT_NE(library, nullptr);
    ASSERT_EQ(library->findChild<QTreeWidget*>("lvwICs")->topLevelItemCount(), 0);
    EXPECT_FALSE(Find<QPushButton>(library, "cmdAuswaehlen")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>(library, "cmdBearbeiten")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(library, "cmdSchliessen")->isEnabled());

    // An IC saved meanwhile shows up with its keys.
    test::WriteBytes(folder + "/inv.icd", test::ReadBytes(test::DataFile("inv.icd")));
    W().RefreshICLists();
    ASSERT_EQ(library->findChild<QTreeWidget*>("lvwICs")->topLevelItemCount(), 1);
    EXPECT_TRUE(Find<QPushButton>(library, "cmdAuswaehlen")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(library, "cmdBearbeiten")->isEnabled());
}

} // namespace
} // namespace kardo
