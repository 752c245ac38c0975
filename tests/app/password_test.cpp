// The lock password: the prompt's check, the change's rules, and the lock value written at once.
#include "app/password.h"
#include "app/permissions.h"
#include "app/settings.h"
#include "support/core_fixture.h"
#include "support/fake_settings.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class PasswordTest : public test::CoreFixture {
  protected:
    PasswordTest() {
        platform.settings = &settings;
        gRegRoot = SettingsRoot::User;
    }
    test::FakeSettings settings; // settings store
};

TEST_F(PasswordTest, OnlyTheExactPasswordMatches) {
    gPasswort = "Lehrer";
    EXPECT_TRUE(PasswordMatches("Lehrer"));
    for (const char* wrong : {"lehrer", "Lehrer ", "", "Lehre"})
        EXPECT_FALSE(PasswordMatches(wrong)) << wrong;
    gPasswort.clear();
    EXPECT_TRUE(PasswordMatches(""));
}

TEST_F(PasswordTest, AChangeNeedsTheOldPasswordWhenAskedAndTheNewOneTwiceAlike) {
    gPasswort = "alt";
    struct Case {
        bool askOld;
        const char* old;
        const char* neu;
        const char* repeated;
        bool accepted;
    };
    const Case cases[] = {
        {true, "alt", "neu", "neu", true},   {true, "falsch", "neu", "neu", false},
        {true, "alt", "neu", "Neu", false},  {false, "", "neu", "neu", true},
        {false, "egal", "neu", "neu", true}, {true, "alt", "", "", true},
        {false, "", "neu", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(!CheckPasswordChange(c.askOld, c.old, c.neu, c.repeated).has_value(), c.accepted)
            << c.old << "/" << c.neu << "/" << c.repeated;
    EXPECT_EQ(CheckPasswordChange(true, "x", "a", "a"), "Das alte Kennwort ist falsch.");
}

// Fault pinned: a password set and the options then cancelled was lost, because the lock
// value was written only when the options were confirmed.
TEST_F(PasswordTest, AChangedPasswordIsWrittenAtOnce) {
    ASSERT_TRUE(ChangePassword("geheim"));
    EXPECT_EQ(gPasswort, "geheim");
    const auto stored = settings.Flushed(SettingsRoot::User).find("Permissions");
    ASSERT_NE(stored, settings.Flushed(SettingsRoot::User).end());
    const auto decoded = DecodePermissions(stored->second);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->passwort, "geheim");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PasswordTest, AnUnwritableStoreIsReportedAndThePasswordHoldsForTheRun) {
    settings.failFlush = true;
    EXPECT_FALSE(ChangePassword("geheim"));
    EXPECT_EQ(gPasswort, "geheim");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text,
              "Die Einstellungen konnten nicht in die Datei\r\n"
              "/home/anna/.config/Quentar/Kardo.ini\r\ngeschrieben werden: Zugriff verweigert.\r\n"
              "Sie gelten nur bis zum Ende dieser Sitzung.");
}

} // namespace
} // namespace kardo
