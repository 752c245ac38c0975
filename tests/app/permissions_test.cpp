// The function-lock value: its text form, reading, writing and the missing value.
#include "app/permissions.h"
#include "app/settings.h"
#include "support/app_fixture.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

using PermissionsTest = test::AppFixture;

TEST(PermissionCodingTest, EncodesFlagsAndScramblesThePassword) {
    PermissionSet set;
    set.bauteile.fill(true);
    set.bauteile[kRechtIC] = false;
    set.funktionen.fill(false);
    set.funktionen[kRechtDrucken] = true;
    set.passwort = "Geheim ä";
    const std::string text = EncodePermissions(set);
    EXPECT_EQ(text.substr(0, 25), "B:11111111111110;F:000100");
    EXPECT_EQ(text.find("Geheim"), std::string::npos);
    EXPECT_EQ(DecodePermissions(text), set);
}

TEST(PermissionCodingTest, NoPasswordGivesAnEmptyTail) {
    PermissionSet set;
    set.bauteile.fill(true);
    set.funktionen.fill(true);
    EXPECT_EQ(EncodePermissions(set), "B:11111111111111;F:1111111;P:");
}

TEST(PermissionCodingTest, RefusesIncompleteOrDamagedValues) {
    for (const char* bad : {"", "B:1111111111111;F:1111111;P:", "B:11111111111111;F:111111;P:",
                            "B:11111111111112;F:1111111;P:", "B:11111111111111;F:1111111",
                            "B:11111111111111;F:1111111;P:A", "B:11111111111111;F:1111111;P:ZZ",
                            "X:11111111111111;F:1111111;P:"}) {
        EXPECT_FALSE(DecodePermissions(bad).has_value()) << bad;
    }
}

TEST_F(PermissionsTest, ReadsTheStoredLock) {
    gBauteilRechte.fill(false);
    gFunktionRechte[kRechtBoolesche] = false;
    gPasswort = "lehrer";
    ASSERT_TRUE(WritePermissions());
    ResetPermissions();
    ASSERT_TRUE(ReadPermissions());
    EXPECT_FALSE(gBauteilRechte[kRechtLeuchtdiode]);
    EXPECT_FALSE(gBauteilRechte[kRechtIC]);
    EXPECT_FALSE(gFunktionRechte[kRechtBoolesche]);
    EXPECT_TRUE(gFunktionRechte[kRechtDrucken]);
    EXPECT_EQ(gPasswort, "lehrer");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(PermissionsTest, AMissingValueIsReportedAndEndsTheStart) {
    settings.CreateKey(SettingsRoot::User);
    EXPECT_FALSE(ReadPermissions());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "Kardo Meldung");
    EXPECT_EQ(host.messages[0].icon, MsgIcon::Critical);
    // The permissions stay as they were: all permitted.
    EXPECT_TRUE(gBauteilRechte[kRechtIC]);
}

TEST_F(PermissionsTest, ADamagedValueCountsAsMissing) {
    settings.Set(SettingsRoot::User, "Permissions", "B:1;F:1;P:");
    EXPECT_FALSE(ReadPermissions());
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(PermissionsTest, ReadsFromTheChosenRoot) {
    settings.Set(SettingsRoot::System, "Permissions", "B:00000000000000;F:0000000;P:");
    gRegRoot = SettingsRoot::System;
    EXPECT_TRUE(ReadPermissions());
    gRegRoot = SettingsRoot::User;
    EXPECT_FALSE(gBauteilRechte[kRechtSchalter]);
}

TEST_F(PermissionsTest, ResetPermitsEverything) {
    gBauteilRechte.fill(false);
    gFunktionRechte.fill(false);
    gPasswort = "x";
    InitProgramState();
    for (bool b : gBauteilRechte)
        EXPECT_TRUE(b);
    for (bool b : gFunktionRechte)
        EXPECT_TRUE(b);
    EXPECT_EQ(gPasswort, "");
}

} // namespace
} // namespace kardo
