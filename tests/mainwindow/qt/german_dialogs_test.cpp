// Qt's own dialogs and the program's message boxes speak German, whatever the system locale.
#include "support/qt/main_window_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using GermanDialogsTest = test::MainWindowFixture;

// The buttons of the modal message box open now, in their order, then a click on one of them.
std::vector<std::string> ButtonsOfTheOpenBox(QMessageBox::StandardButton answer) {
    std::vector<std::string> texts;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr)
        return texts;
    for (QAbstractButton* b : box->buttons())
        texts.push_back(b->text().toStdString());
    std::sort(texts.begin(), texts.end());
    box->button(answer)->click();
    return texts;
}

// Fault: the program's questions offered "Yes", "No" and "Cancel".
TEST_F(GermanDialogsTest, MessageBoxButtonsAreGerman) {
    ASSERT_TRUE(LoadWindow());
    W().SetDialogStandIns(nullptr, nullptr, nullptr);
    struct Case {
        MsgButtons buttons;
        QMessageBox::StandardButton answer;
        MsgResult result;
        std::vector<std::string> texts; // sorted
    };
    const Case cases[] = {
        {MsgButtons::YesNoCancel, QMessageBox::No, MsgResult::No, {"&Ja", "&Nein", "Abbrechen"}},
        {MsgButtons::YesNo, QMessageBox::Yes, MsgResult::Yes, {"&Ja", "&Nein"}},
        {MsgButtons::OkCancel, QMessageBox::Cancel, MsgResult::Cancel, {"Abbrechen", "OK"}},
        {MsgButtons::RetryCancel,
         QMessageBox::Retry,
         MsgResult::Retry,
         {"&Wiederholen", "Abbrechen"}},
        {MsgButtons::Ok, QMessageBox::Ok, MsgResult::Ok, {"OK"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> seen;
        QTimer::singleShot(0, [&] { seen = ButtonsOfTheOpenBox(c.answer); });
        const MsgResult r = W().MessageBox("Frage?", c.buttons, MsgIcon::Question, "Kardo");
        EXPECT_EQ(seen, c.texts);
        EXPECT_EQ(r, c.result);
    }
}

// Fault: Qt's file dialogs showed "Look in" and "File name".
TEST_F(GermanDialogsTest, QtFileDialogsAreGerman) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* lookIn = dialog.findChild<QLabel*>("lookInLabel");
    auto* fileName = dialog.findChild<QLabel*>("fileNameLabel");
    ASSERT_NE(lookIn, nullptr);
    ASSERT_NE(fileName, nullptr);
    EXPECT_EQ(lookIn->text().toStdString(), "Suchen in:");
    EXPECT_EQ(fileName->text().toStdString(), "Datei&name:");
}

// Fault: the open dialog's filter read "*.KDX (Kardo-Datei) (*.kdx)".
TEST_F(GermanDialogsTest, TheFileDialogsListEachFilterByItsCaption) {
    ASSERT_TRUE(LoadWindow());
    W().SetDialogStandIns(nullptr, nullptr, nullptr);
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        const auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        for (int i = 0; i < types->count(); ++i)
            shown << types->itemText(i);
        dialog->reject();
    });
    qobject_cast<QAction*>(W().FindControl("mOpen"))->trigger();
    EXPECT_EQ(shown, QStringList({"*.KDX (Kardo-Datei)", "*.* (Alle Dateien)"}));
}

// Qt's standard buttons wherever Qt builds them itself.
TEST_F(GermanDialogsTest, QtStandardButtonsAreGerman) {
    QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel | QDialogButtonBox::No);
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text().toStdString(), "Speichern");
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text().toStdString(), "Abbrechen");
    EXPECT_EQ(box.button(QDialogButtonBox::No)->text().toStdString(), "&Nein");
}

} // namespace
} // namespace kardo
