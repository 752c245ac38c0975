// The main window's controls by name: the table built with the window finds what a search of the
// window's tree finds, also controls made later, and the setters touch a control only when its
// state or text changes.
#include "mainwindow/main_window.h"
#include "platform/control_names.h"
#include "platform/platform.h"
#include "platform/qt/image_target.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolBar>

#include <gtest/gtest.h>

namespace kardo {
namespace {

class ControlTableTest : public ::testing::Test {
  protected:
    ImageTarget picture;
    frmKardo window{picture};
};

TEST_F(ControlTableTest, EveryNamedControlIsFoundAsTheSearchFindsIt) {
    ControlTable search(window);
    int named = 0;
    for (QObject* o : window.findChildren<QObject*>()) {
        const std::string name = o->objectName().toStdString();
        if (name.empty())
            continue;
        ++named;
        EXPECT_EQ(window.FindControl(name), search.Search(name)) << name;
    }
    EXPECT_GT(named, 100);
    EXPECT_EQ(window.FindControl("frmKardo"), &window);
    EXPECT_EQ(window.FindControl("keinSolcherName"), nullptr);
}

// Every control name the core uses names a control of the window by its own name (the lock and
// the modes go by it); only the keys of the clock and orientation toolbars go by position.
TEST_F(ControlTableTest, EveryNameTheCoreUsesIsAControlOfTheWindow) {
    std::vector<std::string> names(std::begin(ctl::kNames), std::end(ctl::kNames));
    for (const ctl::Array& a : ctl::kArrays)
        for (int i = a.first; i <= a.last; ++i)
            names.push_back(a(i));
    for (const std::string& name : names) {
        QObject* o = window.FindControl(name);
        ASSERT_NE(o, nullptr) << name;
        const bool byPlace = name.starts_with("Toolbar3_") || name.starts_with("tlbOrientation_");
        EXPECT_TRUE(byPlace || o->objectName().toStdString() == name) << name;
    }
}

TEST_F(ControlTableTest, NamesTheSearchResolvesAreFoundToo) {
    // A plain name carried by a toolbar key and a button means the button; "bar/key" the key.
    EXPECT_EQ(window.FindControl("cmdStop"), window.findChild<QPushButton*>("cmdStop"));
    auto* bar = qobject_cast<QToolBar*>(window.FindControl("Toolbar3"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(window.FindControl("Toolbar3/cmdStop"), bar->findChild<QAction*>("cmdStop"));
    EXPECT_EQ(window.FindControl("Toolbar3_1"), bar->actions().at(0));
}

TEST_F(ControlTableTest, AControlMadeLaterOrMadeAgainIsFound) {
    auto* first = new QLabel(&window);
    first->setObjectName("lblSpaeter");
    EXPECT_EQ(window.FindControl("lblSpaeter"), first);
    delete first;
    EXPECT_EQ(window.FindControl("lblSpaeter"), nullptr);
    auto* second = new QLabel(&window);
    second->setObjectName("lblSpaeter");
    EXPECT_EQ(window.FindControl("lblSpaeter"), second);
}

TEST_F(ControlTableTest, SettersTouchAControlOnlyWhenItChanges) {
    auto* time = window.findChild<QLabel*>("lblTime");
    ASSERT_NE(time, nullptr);
    window.SetCaption("lblTime", "0");
    std::uint64_t stamp = window.ControlStamp();
    window.SetCaption("lblTime", "0");
    EXPECT_EQ(window.ControlStamp(), stamp);
    window.SetCaption("lblTime", "99");
    EXPECT_EQ(time->text(), "99");
    EXPECT_NE(window.ControlStamp(), stamp);

    auto* pause = window.findChild<QPushButton*>("cmdPause");
    ASSERT_NE(pause, nullptr);
    window.SetEnabled("cmdPause", false);
    stamp = window.ControlStamp();
    window.SetEnabled("cmdPause", false);
    EXPECT_EQ(window.ControlStamp(), stamp);
    window.SetEnabled("cmdPause", true);
    EXPECT_TRUE(pause->isEnabled());
    EXPECT_NE(window.ControlStamp(), stamp);

    // A checked key set checked again sends no signal.
    window.SetChecked("cmdOff", true);
    auto* off = window.findChild<QPushButton*>("cmdOff");
    ASSERT_NE(off, nullptr);
    QSignalSpy toggled(off, &QPushButton::toggled);
    stamp = window.ControlStamp();
    window.SetChecked("cmdOff", true);
    EXPECT_EQ(toggled.count(), 0);
    EXPECT_EQ(window.ControlStamp(), stamp);

    // A control without a widget keeps its state in the window.
    window.SetVisible("picNirgends", false);
    stamp = window.ControlStamp();
    window.SetVisible("picNirgends", false);
    EXPECT_EQ(window.ControlStamp(), stamp);
    EXPECT_FALSE(window.IsVisible("picNirgends"));
}

} // namespace
} // namespace kardo
