// The options behind the lock password, offscreen through the main window: the password
// prompt, the password change, and the options dialog applying, refusing and writing values.
#include "app/permissions.h"
#include "app/settings.h"
#include "model/sim_levels.h"
#include "model/undo.h"
#include "support/qt/dialog_driver.h"
#include "support/qt/main_window_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace kardo {
namespace {

using test::DialogDriver;

class OptionsDialogsTest : public test::MainWindowFixture {
  protected:
    void SetUp() override { ASSERT_TRUE(LoadWindow()); }
    // The password the lock value in the store holds after the last write.
    std::string StoredPassword() const {
        const auto& flushed = settings.Flushed(SettingsRoot::User);
        const auto it = flushed.find("Permissions");
        if (it == flushed.end())
            return "<none>";
        const auto set = DecodePermissions(it->second);
        return set ? set->passwort : "<damaged>";
    }
    void SetNewPassword(QDialog& d, const QString& pw) {
        DialogDriver::Type(d, "txtNewPW", pw);
        DialogDriver::Type(d, "txtNewPW2", pw);
        DialogDriver::Click(d, "cmdOK");
    }

    DialogDriver driver{W()};
};

// "&Optionen..." with no password set and the change window closed without setting one does
// not open the options dialog.
TEST_F(OptionsDialogsTest, WithoutAPasswordCancellingTheChangeOpensNoOptions) {
    ASSERT_TRUE(gPasswort.empty());
    driver.handlers.push_back([](QDialog& d) {
        auto* old = DialogDriver::Get<QLineEdit>(d, "txtOldPW");
        EXPECT_FALSE(old->isEnabled());
        EXPECT_TRUE(old->styleSheet().contains("c0c0c0"));
        EXPECT_EQ(DialogDriver::Get<QLineEdit>(d, "txtNewPW")->echoMode(), QLineEdit::Password);
        DialogDriver::Click(d, "cmdAbbrechen");
    });
    W().Toolbar_ButtonClick("cmdEinstellungen");
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmPWChange"}));
    EXPECT_TRUE(gPasswort.empty());
}

// Fault pinned: a password set and the options then cancelled was lost.
TEST_F(OptionsDialogsTest, APasswordSetBeforeTheOptionsStaysWhenTheyAreCancelled) {
    driver.handlers.push_back([this](QDialog& d) { SetNewPassword(d, "geheim"); });
    driver.handlers.push_back([](QDialog& d) { DialogDriver::Click(d, "cmdAbbrechen"); });
    qobject_cast<QAction*>(W().FindControl("mOptionen"))->trigger();
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmPWChange", "frmOptions"}));
    EXPECT_EQ(gPasswort, "geheim");
    EXPECT_EQ(StoredPassword(), "geheim");
}

TEST_F(OptionsDialogsTest, TheNewPasswordMustBeTypedTwiceAlike) {
    driver.handlers.push_back([this](QDialog& d) {
        DialogDriver::Type(d, "txtNewPW", "eins");
        DialogDriver::Type(d, "txtNewPW2", "zwei");
        DialogDriver::Click(d, "cmdOK");
        EXPECT_NE(d.result(), QDialog::Accepted);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.find("stimmen nicht überein") != std::string::npos);
        EXPECT_TRUE(gPasswort.empty());
        DialogDriver::Click(d, "cmdAbbrechen");
    });
    W().OptionsCommand();
    EXPECT_EQ(driver.shown.size(), 1u);
    EXPECT_EQ(StoredPassword(), "<none>");
}

TEST_F(OptionsDialogsTest, AWrongPasswordKeepsThePromptAndTheRightOneOpensTheOptions) {
    gPasswort = "geheim";
    driver.handlers.push_back([this](QDialog& d) {
        auto* box = DialogDriver::Get<QLineEdit>(d, "txtPW");
        EXPECT_EQ(box->echoMode(), QLineEdit::Password);
        DialogDriver::Type(d, "txtPW", "falsch");
        DialogDriver::Click(d, "cmdOK");
        EXPECT_NE(d.result(), QDialog::Accepted);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Das Kennwort ist falsch.");
        DialogDriver::Type(d, "txtPW", "geheim");
        DialogDriver::Click(d, "cmdOK");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    driver.handlers.push_back([](QDialog& d) { DialogDriver::Click(d, "cmdAbbrechen"); });
    W().OptionsCommand();
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmPWCheck", "frmOptions"}));
}

TEST_F(OptionsDialogsTest, ACancelledPromptOpensNothing) {
    gPasswort = "geheim";
    W().OptionsCommand(); // no handler: the prompt is cancelled
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmPWCheck"}));
}

TEST_F(OptionsDialogsTest, ConfirmedOptionsApplyTheLockAndAreWritten) {
    gPasswort = "pw";
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Type(d, "txtPW", "pw");
        DialogDriver::Click(d, "cmdOK");
    });
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Get<QSpinBox>(d, "txtUndo")->setValue(5);
        DialogDriver::Get<QSpinBox>(d, "txtAutoStop")->setValue(400);
        DialogDriver::Get<QCheckBox>(d, "chkBauteil_3")->setChecked(false);  // UND
        DialogDriver::Get<QCheckBox>(d, "chkFunktion_3")->setChecked(false); // Drucken
        DialogDriver::Type(d, "txtPortAdresse", "3bc");
        DialogDriver::Click(d, "cmdOK");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    W().OptionsCommand();
    EXPECT_EQ(gUndo.Undos(), 5);
    EXPECT_EQ(gUndoSteps, 5);
    EXPECT_EQ(gPortAccessPortAddress, 0x3BC);
    EXPECT_FALSE(W().IsEnabled("cmdUND"));
    EXPECT_FALSE(W().IsEnabled("mBauteil_11"));
    EXPECT_FALSE(W().IsEnabled("cmdPrint"));
    EXPECT_FALSE(W().IsEnabled("mPrint"));
    const auto& flushed = settings.Flushed(SettingsRoot::User);
    EXPECT_EQ(flushed.at("DummyUndo"), "5");
    EXPECT_EQ(flushed.at("AutoStop"), "400");
    const auto lock = DecodePermissions(flushed.at("Permissions"));
    ASSERT_TRUE(lock);
    EXPECT_FALSE(lock->funktionen[kRechtDrucken]);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(OptionsDialogsTest, AMissingFolderKeepsTheDialogOpenOnItsPage) {
    gPasswort = "pw";
    const std::string chosen = MakeFolder("Bilder");
    W().Dialogs().pickFolder = [&](std::string_view title, std::string_view) {
        EXPECT_EQ(title, "Verzeichnis für Bitmaps");
        return std::optional<std::string>(chosen);
    };
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Type(d, "txtPW", "pw");
        DialogDriver::Click(d, "cmdOK");
    });
    driver.handlers.push_back([&](QDialog& d) {
        DialogDriver::Type(d, "txtVerzeichnis_0", "/gibt/es/nicht");
        DialogDriver::Click(d, "cmdOK");
        EXPECT_NE(d.result(), QDialog::Accepted);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].text.find("/gibt/es/nicht") != std::string::npos);
        EXPECT_EQ(DialogDriver::Get<QTabWidget>(d, "tabOptionen")->currentIndex(), 1);
        DialogDriver::Type(d, "txtVerzeichnis_0", QString::fromStdString(home));
        DialogDriver::Click(d, "cmdVerzeichnis_2");
        EXPECT_EQ(DialogDriver::Get<QLineEdit>(d, "txtVerzeichnis_2")->text().toStdString(),
                  chosen);
        DialogDriver::Click(d, "cmdOK");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    W().OptionsCommand();
    EXPECT_EQ(gVerzeichnisse[0], home + "/");
    EXPECT_EQ(gVerzeichnisse[2], chosen + "/");
}

TEST_F(OptionsDialogsTest, AnUnwritableStoreIsReportedAndTheValuesHoldForTheRun) {
    gPasswort = "pw";
    settings.failFlush = true;
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Type(d, "txtPW", "pw");
        DialogDriver::Click(d, "cmdOK");
    });
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Get<QSpinBox>(d, "txtUndo")->setValue(42);
        DialogDriver::Click(d, "cmdOK");
    });
    W().OptionsCommand();
    EXPECT_EQ(gUndoSteps, 42);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.find("Sie gelten nur bis zum Ende dieser Sitzung.") !=
                std::string::npos);
}

TEST_F(OptionsDialogsTest, ThePasswordChangeInTheOptionsAsksForTheOldPassword) {
    gPasswort = "alt";
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Type(d, "txtPW", "alt");
        DialogDriver::Click(d, "cmdOK");
    });
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Click(d, "cmdKennwort");
        DialogDriver::Click(d, "cmdAbbrechen");
    });
    driver.handlers.push_back([this](QDialog& d) {
        EXPECT_TRUE(DialogDriver::Get<QLineEdit>(d, "txtOldPW")->isEnabled());
        DialogDriver::Type(d, "txtOldPW", "falsch");
        SetNewPassword(d, "neu");
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_EQ(gPasswort, "alt");
        DialogDriver::Type(d, "txtOldPW", "alt");
        SetNewPassword(d, "neu");
        EXPECT_EQ(d.result(), QDialog::Accepted);
    });
    W().OptionsCommand();
    EXPECT_EQ(driver.shown, (std::vector<std::string>{"frmPWCheck", "frmOptions", "frmPWChange"}));
    EXPECT_EQ(gPasswort, "neu");
    EXPECT_EQ(StoredPassword(), "neu");
}

// Options confirmed while the circuit is on enable nothing the powered mode disabled.
TEST_F(OptionsDialogsTest, OptionsConfirmedWhilePoweredEnableNothingThePoweredModeDisabled) {
    W().findChild<QPushButton*>("cmdOn")->click();
    ASSERT_TRUE(gPowerOn);
    ASSERT_TRUE(W().IsEnabled("cmdEinstellungen"));
    ASSERT_FALSE(W().IsEnabled("cmdPrint"));
    gPasswort = "pw";
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Type(d, "txtPW", "pw");
        DialogDriver::Click(d, "cmdOK");
    });
    driver.handlers.push_back([](QDialog& d) {
        DialogDriver::Get<QCheckBox>(d, "chkFunktion_4")->setChecked(false); // Bitmap
        DialogDriver::Click(d, "cmdOK");
    });
    W().Toolbar_ButtonClick("cmdEinstellungen");
    for (const char* kept : {"cmdPrint", "mPrint", "mDefIC", "mICAuswahl"})
        EXPECT_FALSE(W().IsEnabled(kept)) << kept;
    EXPECT_FALSE(W().IsEnabled("mSaveBitmap"));
    W().findChild<QPushButton*>("cmdOff")->click();
    ASSERT_FALSE(gPowerOn);
    EXPECT_TRUE(W().IsEnabled("cmdPrint"));
    EXPECT_TRUE(W().IsEnabled("mPrint"));
    EXPECT_FALSE(W().IsEnabled("mSaveBitmap"));
}

} // namespace
} // namespace kardo
