// The number-base converter's rules: reading in four bases, the range 0..4294967295, hints for
// bad digits and overflow, and writing back.
#include "app/number_conversion.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(NumberConversion, ReadsEveryBase) {
    struct Case {
        const char* text;
        int base;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"0", 10, 0},
        {"255", 10, 255},
        {"4294967295", 10, 4294967295u},
        {"ff", 16, 255},
        {"FF", 16, 255},
        {"FFFFFFFF", 16, 4294967295u},
        {"17", 8, 15},
        {"37777777777", 8, 4294967295u},
        {"1010", 2, 10},
        {"  42 ", 10, 42},
        {"0000000012", 10, 12},
        {"11111111111111111111111111111111", 2, 4294967295u},
    };
    for (const Case& c : cases) {
        const ParsedNumber n = ParseNumber(c.text, c.base);
        ASSERT_TRUE(n.value) << c.text;
        EXPECT_EQ(*n.value, c.value) << c.text;
        EXPECT_TRUE(n.hint.empty()) << c.text;
    }
}

TEST(NumberConversion, BadDigitsAndOverflowGetAHint) {
    struct Case {
        const char* text;
        int base;
        const char* hint;
    };
    const Case cases[] = {
        {"12a", 10, "Ungültiges Zeichen \"a\" in der Dezimalzahl."},
        {"G", 16, "Ungültiges Zeichen \"G\" in der Hexadezimalzahl."},
        {"8", 8, "Ungültiges Zeichen \"8\" in der Oktalzahl."},
        {"102", 2, "Ungültiges Zeichen \"2\" in der Binärzahl."},
        {"-1", 10, "Ungültiges Zeichen \"-\" in der Dezimalzahl."},
        {"1 2", 10, "Ungültiges Zeichen \" \" in der Dezimalzahl."},
        {"4ä", 10, "Ungültiges Zeichen \"ä\" in der Dezimalzahl."},
        {"4294967296", 10, "Die Zahl ist zu groß: erlaubt sind 0 bis 4294967295."},
        {"100000000", 16, "Die Zahl ist zu groß: erlaubt sind 0 bis 4294967295."},
        {"99999999999999999999999", 10, "Die Zahl ist zu groß: erlaubt sind 0 bis 4294967295."},
        // A bad digit behind an overflow is the better hint.
        {"99999999999x", 10, "Ungültiges Zeichen \"x\" in der Dezimalzahl."},
    };
    for (const Case& c : cases) {
        const ParsedNumber n = ParseNumber(c.text, c.base);
        EXPECT_FALSE(n.value) << c.text;
        EXPECT_EQ(n.hint, c.hint) << c.text;
    }
}

TEST(NumberConversion, AnEmptyBoxGivesNeitherValueNorHint) {
    for (const char* text : {"", "   "}) {
        const ParsedNumber n = ParseNumber(text, 10);
        EXPECT_FALSE(n.value);
        EXPECT_TRUE(n.hint.empty());
    }
}

TEST(NumberConversion, WritesEveryBaseAndReadsItBack) {
    EXPECT_EQ(FormatNumber(0, 2), "0");
    EXPECT_EQ(FormatNumber(255, 16), "FF");
    EXPECT_EQ(FormatNumber(8, 8), "10");
    EXPECT_EQ(FormatNumber(4294967295u, 2), std::string(32, '1'));
    for (const std::uint32_t v : {0u, 1u, 7u, 1000u, 65535u, 123456789u, 4294967295u})
        for (const int base : {2, 8, 10, 16})
            EXPECT_EQ(ParseNumber(FormatNumber(v, base), base).value, v) << v << " " << base;
}

} // namespace
} // namespace kardo
