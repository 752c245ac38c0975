// The hover reset on the real window, offscreen: a mouse move over each control of the table
// takes that control's steps; a toolbar's keys count as the toolbar.
#include "editor/hover_reset.h"
#include "editor/overlays.h"
#include "model/codes.h"
#include "model/utilities.h"
#include "support/qt/main_window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class HoverFilterTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    void ShowEverything() {
        gOverlays.picRahmen.Visible = true;
        gOverlays.picBox.Visible = true;
        for (std::size_t i = 1; i <= 4; ++i)
            gOverlays.LineRahmen[i].Visible = true;
        W().SetStatusText(2, "Hinweis");
    }
    // A point of the control that no control inside it covers; nothing when there is none.
    static std::optional<QPoint> FreePoint(QWidget* w) {
        for (int y = 0; y < w->height(); y += 2)
            for (int x = 0; x < w->width(); x += 2)
                if (w->childAt(x, y) == nullptr)
                    return QPoint(x, y);
        return std::nullopt;
    }
    static void MoveOver(QWidget* w, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), w->mapToGlobal(QPointF(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    static void MoveOver(QWidget* w) { MoveOver(w, FreePoint(w).value_or(QPoint(1, 1))); }
    QList<QWidget*> Controls(std::string_view name) {
        const QString n = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        QList<QWidget*> found = W().findChildren<QWidget*>(QRegularExpression(
            QRegularExpression::anchoredPattern(QRegularExpression::escape(n) + "(_\\d+)?")));
        if (n == "frmKardo")
            found.append(&W());
        return found;
    }
    QString Status() { return W().findChild<QLabel*>("StatusBar_2")->text(); }
};

TEST_F(HoverFilterTest, EveryControlOfTheTableTakesItsSteps) {
    gMouseMode = kToolWire;
    int watched = 0;
    for (const HoverMember& m : HoverMembers()) {
        for (QWidget* w : Controls(m.name)) {
            // A control of a hidden panel section shows, as its tool would show it.
            for (QWidget* p = w; p != &W() && p != nullptr; p = p->parentWidget())
                p->setVisible(true);
            const std::optional<QPoint> free = FreePoint(w);
            if (!free)
                continue; // covered by its own controls: the mouse never is over it alone
            ShowEverything();
            MoveOver(w, *free);
            const std::string what = w->objectName().toStdString();
            const bool frame = (m.steps & (kHoverFrame | kHoverFrameAnyTool)) != 0;
            const bool box = (m.steps & (kHoverBox | kHoverBoxUnlessSwitch)) != 0;
            const bool lines = (m.steps & (kHoverLines | kHoverLinesDirect)) != 0;
            EXPECT_EQ(!gOverlays.picRahmen.Visible, frame) << what;
            EXPECT_EQ(!gOverlays.picBox.Visible, box) << what;
            EXPECT_EQ(!gOverlays.LineRahmen[1].Visible, lines) << what;
            EXPECT_EQ(Status().isEmpty(), (m.steps & kHoverStatusText) != 0) << what;
            ++watched;
        }
    }
    // The controls of the window that the table names, arrays counted element by element.
    EXPECT_GE(watched, 25);
    for (const char* name : {"Toolbar", "Toolbar2", "picEinAus", "picEigenschaften", "sldDelay",
                             "txtVerzögerung", "StatusBar", "picContainer", "UpDown1", "txtX",
                             "lblAllgemein_2", "cmdColor_0", "picEigenschaft_3", "Slider0"})
        EXPECT_FALSE(Controls(name).isEmpty()) << name;
}

TEST_F(HoverFilterTest, AMoveOverAControlInsideAPanelIsThatControlsOnly) {
    // The gate-input buttons lie in a panel with the full reset; over them only the frame goes.
    gMouseMode = kToolWire;
    QWidget* spin = W().findChild<QWidget*>("UpDown1");
    W().findChild<QWidget*>("picAnschlüsse")->show();
    spin->show();
    ShowEverything();
    MoveOver(spin);
    EXPECT_FALSE(gOverlays.picRahmen.Visible);
    EXPECT_TRUE(gOverlays.picBox.Visible);
    EXPECT_TRUE(gOverlays.LineRahmen[1].Visible);
    EXPECT_FALSE(Status().isEmpty());
}

TEST_F(HoverFilterTest, AToolbarsKeysCountAsTheToolbar) {
    gMouseMode = kToolWire;
    for (const char* bar : {"Toolbar", "Toolbar2", "tlbOrientation", "Toolbar3"}) {
        QToolButton* key = W().findChild<QToolBar*>(bar)->findChildren<QToolButton*>().value(0);
        ASSERT_NE(key, nullptr) << bar;
        ShowEverything();
        MoveOver(key);
        EXPECT_FALSE(gOverlays.picRahmen.Visible) << bar;
        EXPECT_FALSE(gOverlays.picBox.Visible) << bar;
    }
}

TEST_F(HoverFilterTest, TheSelectToolsAreaFrameStaysAndTheSwitchMarkerStaysOverItsLabel) {
    gMouseMode = kToolSelect;
    ShowEverything();
    MoveOver(W().findChild<QWidget*>("picEigenschaften"));
    EXPECT_TRUE(gOverlays.picRahmen.Visible);
    EXPECT_FALSE(gOverlays.picBox.Visible);

    gMouseMode = kTypeSwitch;
    W().findChild<QWidget*>("picEigenschaft_2")->show();
    ShowEverything();
    MoveOver(W().findChild<QWidget*>("lblAllgemein_2"));
    EXPECT_FALSE(gOverlays.picRahmen.Visible);
    EXPECT_TRUE(gOverlays.picBox.Visible);
}

} // namespace
} // namespace kardo
