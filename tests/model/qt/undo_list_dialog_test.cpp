// The undo list dialog offscreen: selection label texts, the percent progress, closing when empty.
#include "app/startup.h"
#include "model/qt/undo_list_dialog.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "platform/recording_target.h"
#include "platform/virtual_clock.h"
#include "support/builder.h"
#include "support/fake_host.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace kardo {
namespace {

// A pump on the virtual clock that notes the progress label on every turn of the message loop.
class ProgressPump : public MessagePump {
  public:
    explicit ProgressPump(VirtualClock& clock) : m_clock(clock) {}
    void DoEvents() override {
        if (label)
            seen.push_back(label->text().toStdString());
        m_clock.Advance(1);
    }
    std::int64_t NowMs() const override { return m_clock.Now(); }
    QLabel* label = nullptr;       // the label to note
    std::vector<std::string> seen; // its text at each turn

  private:
    VirtualClock& m_clock; // time source
};

class UndoListDialogTest : public ::testing::Test {
  protected:
    UndoListDialogTest() {
        platform.screen = &screen;
        platform.timers = &clock;
        platform.pump = &pump;
        platform.host = &host;
        InitProgramState();
    }

    // Places n gates, each one undo step.
    static void PlaceGates(int n) {
        for (int i = 0; i < n; ++i)
            test::PlaceAnd(3 + 5 * i, 5);
    }

    static void Press(QListWidget* list, int row) {
        QTest::mousePress(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {},
                            list->visualItemRect(list->item(row)).center());
    }

    static std::vector<int> SelectedRows(QListWidget* list) {
        std::vector<int> rows;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->isSelected())
                rows.push_back(i);
        return rows;
    }

    RecordingTarget screen;        // worksheet picture
    VirtualClock clock;            // timers
    ProgressPump pump{clock};      // waits
    test::FakeHost host;           // main window
    Platform platform;             // the services above
    PlatformScope scope{platform}; // installs them
};

TEST_F(UndoListDialogTest, ListsTheStepsNewestFirst) {
    PlaceGates(3);
    frmUndoList dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Annullierungsliste"));
    auto* list = dialog.findChild<QListWidget*>("lstUndo");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("UND/ODER/X-ODER setzen (13,4 - 15,6)"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("UND/ODER/X-ODER setzen (3,4 - 5,6)"));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblUndo")->text(),
              QStringLiteral("0 Schritte rückgängig machen:"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("cmdUndo")->isEnabled());
    EXPECT_EQ(dialog.findChild<QPushButton*>("cmdAbbruch")->text(), QStringLiteral("&Schließen"));
    EXPECT_TRUE(dialog.findChild<QWidget*>("picUndo")->isHidden());
}

TEST_F(UndoListDialogTest, EmptyHistoryDisablesTheUndoButton) {
    frmUndoList dialog;
    EXPECT_EQ(dialog.findChild<QListWidget*>("lstUndo")->count(), 0);
    EXPECT_FALSE(dialog.findChild<QPushButton*>("cmdUndo")->isEnabled());
}

TEST_F(UndoListDialogTest, PressingAnEntrySelectsFromTheNewestDownToIt) {
    PlaceGates(5);
    frmUndoList dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QListWidget*>("lstUndo");
    auto* label = dialog.findChild<QLabel*>("lblUndo");
    Press(list, 2);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(label->text(), QStringLiteral("3 Schritte rückgängig machen"));
    EXPECT_EQ(dialog.Count(), 3);
    Press(list, 0);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0}));
    EXPECT_EQ(label->text(), QStringLiteral("1 Schritt rückgängig machen"));
    Press(list, 4);
    EXPECT_EQ(SelectedRows(list), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(label->text(), QStringLiteral("5 Schritte rückgängig machen"));
}

TEST_F(UndoListDialogTest, UndoShowsThePercentProgressAndListsTheRest) {
    PlaceGates(6);
    frmUndoList dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QListWidget*>("lstUndo");
    pump.label = dialog.findChild<QLabel*>("lblFertig");
    Press(list, 3);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdUndo"), Qt::LeftButton);
    ASSERT_GE(pump.seen.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(pump.seen.begin(), pump.seen.begin() + 4),
              (std::vector<std::string>{"25% fertig", "50% fertig", "75% fertig", "100% fertig"}));
    EXPECT_GE(clock.Now(), 100) << "the closing wait of 0.1 s";
    EXPECT_EQ(gAnzElemente, 2);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("UND/ODER/X-ODER setzen (8,4 - 10,6)"));
    EXPECT_EQ(dialog.findChild<QLabel*>("lblUndo")->text(),
              QStringLiteral("0 Schritte rückgängig machen"));
    EXPECT_FALSE(dialog.findChild<QPushButton*>("cmdUndo")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("cmdAbbruch")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QWidget*>("picUndo")->isHidden());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(UndoListDialogTest, TakingBackEveryStepClosesTheDialog) {
    PlaceGates(2);
    frmUndoList dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Press(dialog.findChild<QListWidget*>("lstUndo"), 1);
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdUndo"), Qt::LeftButton);
    EXPECT_EQ(gAnzElemente, 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(UndoListDialogTest, CloseButtonClosesWithoutUndoing) {
    PlaceGates(2);
    frmUndoList dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.findChild<QPushButton*>("cmdAbbruch"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(gAnzElemente, 2);
}

} // namespace
} // namespace kardo
