// The clock panel and step-delay widgets, offscreen: their object names, and each control
// reaching its handler (sliders and labels, link box, pulse box and its buttons, clock keys,
// delay box, delay slider label). Their hover reset is the main window's (hover_filter_test).
#include "app/startup.h"
#include "mainwindow/clock_delay_panels.h"
#include "model/clock_tables.h"
#include "model/clocks.h"
#include "model/grid.h"
#include "model/sim_levels.h"
#include "model/utilities.h"
#include "platform/platform.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "simulation/power.h"
#include "simulation/sim_core.h"
#include "support/block_builder.h"
#include "support/fake_host.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ClockDelayPanels : public ::testing::Test {
  protected:
    ClockDelayPanels() : pump(clock) {
        platform.screen = &screen;
        platform.timers = &clock;
        platform.pump = &pump;
        platform.host = &host;
        InitProgramState();
        auto* v = new QVBoxLayout(&window);
        v->addWidget(BuildClockPanel(&window));
        v->addWidget(BuildDelayBox(&window));
        auto* slider = new QSlider(Qt::Horizontal, &window);
        slider->setObjectName("sldDelay");
        slider->setRange(0, 100);
        v->addWidget(slider);
        auto* label = new QLabel("[Aus]", &window);
        label->setObjectName("lblDelay");
        v->addWidget(label);
        v->addWidget(&worksheet);
        worksheet.setFocusPolicy(Qt::StrongFocus);
        ConnectClockDelayPanels(&window, [this] {
            ++focusCalls;
            worksheet.setFocus();
        });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~ClockDelayPanels() override { ResetClockTimers(); }

    template <typename W> W* Get(const char* name) {
        W* w = window.findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void Type(QLineEdit* box, const char* text) {
        box->setFocus();
        box->clear();
        QTest::keyClicks(box, text);
    }

    RecordingTarget screen{DeviceKind::Screen};
    VirtualClock clock;
    VirtualPump pump;
    test::FakeHost host;
    Platform platform;
    PlatformScope scope{platform};
    QWidget window;
    QWidget worksheet;
    int focusCalls = 0;
};

TEST_F(ClockDelayPanels, ControlsCarryTheirNames) {
    for (const char* name : {"txtAnzTakte", "txtVerzögerung"})
        Get<QLineEdit>(name);
    for (const char* name : {"Slider0", "Slider1"})
        Get<QSlider>(name);
    for (const char* name : {"lbl0", "lbl1", "lblTaktgeber"})
        Get<QLabel>(name);
    Get<QCheckBox>("chkLink");
    Get<QSpinBox>("cmdAnzTakte");
    Get<QSpinBox>("cmdVerzögerung");
    auto* bar = Get<QToolBar>("Toolbar3");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->actions().size(), 4);
    EXPECT_EQ(bar->actions().at(2)->objectName(), "cmdStop");
    EXPECT_EQ(bar->actions().at(2)->toolTip(), QString::fromUtf8("Stromfluß unterbrechen"));
    EXPECT_EQ(Get<QLineEdit>("txtVerzögerung")->text(), "Aus");
}

TEST_F(ClockDelayPanels, SlidersSetTheSelectedClocksTimes) {
    ASSERT_NE(test::PlaceClock(10, 10), 0);
    Get<QSlider>("Slider0")->setValue(9400);
    EXPECT_EQ(gTaktZeit0[0], 600);
    EXPECT_EQ(Get<QLabel>("lbl0")->text(), "0.6s");
    Get<QCheckBox>("chkLink")->click();
    EXPECT_EQ(gTaktLink[0], kTrue);
    EXPECT_EQ(Get<QSlider>("Slider0")->value(), Get<QSlider>("Slider1")->value());
    Get<QSlider>("Slider1")->setValue(10000);
    EXPECT_EQ(Get<QSlider>("Slider0")->value(), 10000);
    EXPECT_EQ(Get<QLabel>("lbl0")->text(), "0.0s");
    EXPECT_EQ(Get<QLabel>("lbl1")->text(), "0.0s");
    EXPECT_EQ(gTaktZeit1[0], 0);
}

TEST_F(ClockDelayPanels, PulseBoxAndItsButtons) {
    ASSERT_NE(test::PlaceClock(10, 10), 0);
    auto* box = Get<QLineEdit>("txtAnzTakte");
    Type(box, "250");
    EXPECT_EQ(box->text(), "25");
    EXPECT_EQ(gAnzTakte[0], 25);
    Type(box, "0");
    worksheet.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(box->text(), "1");
    EXPECT_EQ(gAnzTakte[0], 1);
    auto* spin = Get<QSpinBox>("cmdAnzTakte");
    spin->stepUp();
    spin->stepUp();
    EXPECT_EQ(gAnzTakte[0], 3);
    EXPECT_EQ(box->text(), "3");
    spin->stepDown();
    EXPECT_EQ(box->text(), "2");
    Type(box, "7");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_GE(focusCalls, 1);
}

TEST_F(ClockDelayPanels, ClockKeysStartTheSelectedClock) {
    ASSERT_NE(test::PlaceClock(10, 10), 0);
    PowerOnOff(); // the keys act on a running circuit
    ASSERT_TRUE(gPowerOn);
    auto* start = Get<QToolBar>("Toolbar3")->findChild<QAction*>("cmdDauertakt");
    ASSERT_NE(start, nullptr);
    start->setEnabled(true);
    start->trigger();
    EXPECT_EQ(Timer2()[0].Tag, "Dauertakt");
    EXPECT_TRUE(Timer2()[0].Enabled());
    EXPECT_FALSE(host.IsEnabled("Toolbar3_1"));
}

TEST_F(ClockDelayPanels, DelayBoxButtonsAndSliderLabel) {
    auto* box = Get<QLineEdit>("txtVerzögerung");
    Type(box, "7.5");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), "8ms");
    EXPECT_EQ(gVerzoegerung, 8);
    EXPECT_EQ(focusCalls, 1);
    auto* spin = Get<QSpinBox>("cmdVerzögerung");
    spin->stepUp();
    EXPECT_EQ(box->text(), "9ms");
    for (int i = 0; i < 12; ++i)
        spin->stepDown();
    EXPECT_EQ(box->text(), "Aus");
    EXPECT_EQ(gVerzoegerung, 0);
    Type(box, "250");
    worksheet.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(box->text(), "100ms");

    auto* slider = Get<QSlider>("sldDelay");
    auto* label = Get<QLabel>("lblDelay");
    slider->setValue(1);
    EXPECT_EQ(label->text(), "1 Zyklus");
    slider->setValue(37);
    EXPECT_EQ(label->text(), "37 Zyklen");
    slider->setValue(0);
    EXPECT_EQ(label->text(), "[Aus]");
    EXPECT_TRUE(label->styleSheet().contains("808080"));
}

} // namespace
} // namespace kardo
