// A whole session in the main window with real mouse events: tools chosen on the element
// toolbar, the circuit drawn on the worksheet, switched on with the power panel, a switch
// clicked until the LED lights, switched off again, and the drawing tool back in hand.
#include "app/main_state.h"
#include "mainwindow/worksheet_canvas.h"
#include "model/elements.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "support/qt/worksheet_session.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class WindowSession : public test::WorksheetSession {
  protected:
    void Power(const char* button) {
        W().findChild<QPushButton*>(button)->click();
        QApplication::processEvents();
    }
};

TEST_F(WindowSession, DrawSwitchOnLightTheLedSwitchOff) {
    Key("cmdUND");
    ClickAt(20, 10);
    ASSERT_EQ(gAnzElemente, 1);
    EXPECT_FALSE(gUnveraendert);
    const GridPoint in0 = gElements[1].Eingaenge.Points()[0];
    const GridPoint in1 = gElements[1].Eingaenge.Points()[1];
    const GridPoint out = gElements[1].Ausgaenge.Points()[0];

    Key("cmdLeitungen");
    Drag(in0.x - 6, in0.y, in0.x, in0.y);
    Drag(in1.x - 6, in1.y, in1.x, in1.y);
    Drag(out.x, out.y, out.x + 5, out.y);
    Key("cmdSchalter");
    ClickAt(in0.x - 6, in0.y);
    ClickAt(in1.x - 6, in1.y);
    Key("cmdDiode");
    ClickAt(out.x + 5, out.y);
    ASSERT_EQ(gAnzElemente, 4);

    Power("cmdOn");
    ASSERT_TRUE(gPowerOn);
    EXPECT_EQ(W().Caption("lblAktElement"), "Eingeschaltet");
    ClickAt(in0.x - 6, in0.y);
    ClickAt(in1.x - 6, in1.y);
    EXPECT_NE(gLevels.at(0).Feld(out.x + 5, out.y).Pegel, 0);
    EXPECT_EQ(picture.PixelAt(GridToPixel(out.x + 5), GridToPixel(out.y)), 0x0000FF);

    Power("cmdOff");
    EXPECT_FALSE(gPowerOn);
    EXPECT_EQ(gMouseMode, kTypeLed);
    EXPECT_TRUE(W().IsChecked("cmdDiode"));
    EXPECT_TRUE(W().IsVisible("Toolbar2"));
}

} // namespace
} // namespace kardo
