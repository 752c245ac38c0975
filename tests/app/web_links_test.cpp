// The help menu's web page and service mail: addresses from the settings store and the mail
// address with its percent-encoded subject.
#include "app/settings.h"
#include "app/web_links.h"
#include "support/core_fixture.h"
#include "support/fake_settings.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

class WebLinksTest : public test::CoreFixture {
  protected:
    WebLinksTest() {
        platform.settings = &settings;
        gRegRoot = SettingsRoot::User;
    }
    test::FakeSettings settings; // settings store
};

TEST_F(WebLinksTest, AddressesAreEmptyUntilTheStoreHoldsThem) {
    LoadWebLinks();
    EXPECT_EQ(gWebAdresse, "");
    EXPECT_EQ(gServiceAdresse, "");
    settings.Set(SettingsRoot::User, "WebAdresse", " https://example.org/kardo ");
    settings.Set(SettingsRoot::User, "ServiceAdresse", "service@example.org");
    LoadWebLinks();
    EXPECT_EQ(gWebAdresse, "https://example.org/kardo");
    EXPECT_EQ(gServiceAdresse, "service@example.org");
    // The other root is not read.
    gRegRoot = SettingsRoot::System;
    LoadWebLinks();
    EXPECT_EQ(gWebAdresse, "");
}

TEST_F(WebLinksTest, TheSubjectIsPercentEncoded) {
    EXPECT_EQ(PercentEncode("aZ09-._~"), "aZ09-._~");
    EXPECT_EQ(PercentEncode("a b:<>"), "a%20b%3A%3C%3E");
    EXPECT_EQ(PercentEncode("ü"), "%C3%BC");
    EXPECT_EQ(ServiceMailUrl("service@example.org"),
              "mailto:service@example.org?subject=KARDO-Service%3A%20%3CBitte%20hier%20Betreff"
              "%20einf%C3%BCgen%3E");
    EXPECT_EQ(ServiceMailUrl("mailto:s@x.de").substr(0, 21), "mailto:s@x.de?subject");
}

} // namespace
} // namespace kardo
