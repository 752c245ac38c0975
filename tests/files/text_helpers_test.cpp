// Text and path helpers: tokens, number texts, numeric reading and path tests on Linux paths.
#include "files/text_helpers.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct TokenCase {
    const char* line;
    int n;
    const char* expected;
};

TEST(GetNextTokenTest, Table) {
    const TokenCase cases[] = {
        {"3;4;22;0;", 1, "3"},
        {"3;4;22;0;", 2, "4"},
        {"3;4;22;0;", 3, "22"},
        {"3;4;22;0;", 4, "0"},
        {"3;4;22;0;", 5, ""},
        {"3;4;22;0;", 9, ""},
        {"3;4", 1, "3"},
        {"3;4", 2, ""}, // a token must be closed by a semicolon
        {"", 1, ""},
        {";;;", 1, ""},
        {";;;", 2, ""}, // an empty token, not the next non-empty one
        {";;;", 3, ""},
        {";a;", 1, ""},
        {";a;", 2, "a"},
        {"a;;b;", 2, ""},
        {"a;;b;", 3, "b"},
        {" x ;y;", 1, " x "},
        {"1;500;500;-1;1;0;500;", 7, "500"},
        {"abc", 1, ""},
        {"a;b;", 0, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetNextToken(c.line, c.n), c.expected) << '"' << c.line << "\" n=" << c.n;
    }
}

TEST(GetNextTokenTest, ScansFromTheStartOnEveryCall) {
    const std::string line = "7;8;9;";
    EXPECT_EQ(GetNextToken(line, 2), "8");
    EXPECT_EQ(GetNextToken(line, 2), "8");
    EXPECT_EQ(GetNextToken(line, 1), "7");
}

struct TrimCase {
    double value;
    const char* expected;
};

TEST(CStrTrimTest, NumbersRoundHalfToEven) {
    const TrimCase cases[] = {
        {12, "12"},   {-1, "-1"}, {0, "0"},    {2.5, "2"},        {3.5, "4"},
        {-2.5, "-2"}, {2.4, "2"}, {2.6, "3"},  {32767, "32767"},  {-32768, "-32768"},
        {0.5, "0"},   {1.5, "2"}, {-0.4, "0"}, {1000.49, "1000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStrTrim(c.value), c.expected) << c.value;
}

TEST(CStrTrimTest, BooleansAndIntegers) {
    EXPECT_EQ(CStrTrim(true), "-1");
    EXPECT_EQ(CStrTrim(false), "0");
    EXPECT_EQ(CStrTrim(std::uint8_t{255}), "255");
    EXPECT_EQ(CStrTrim(std::int16_t{-7}), "-7");
    EXPECT_EQ(CStrTrim(42), "42");
}

// Out-of-range values used to raise an overflow in the caller; they saturate instead of
// wrapping into a different number.
TEST(CStrTrimTest, OutOfRangeSaturates) {
    EXPECT_EQ(CStrTrim(40000), "32767");
    EXPECT_EQ(CStrTrim(-1e9), "-32768");
}

TEST(RoundTest, Int16AndByte) {
    EXPECT_EQ(RoundToInt16(0.5), 0);
    EXPECT_EQ(RoundToInt16(1.5), 2);
    EXPECT_EQ(RoundToInt16(-1.5), -2);
    EXPECT_EQ(RoundToInt16(1e6), 32767);
    EXPECT_EQ(RoundToByte(254.5), 254);
    EXPECT_EQ(RoundToByte(255.5), 255);
    EXPECT_EQ(RoundToByte(300), 255);
    EXPECT_EQ(RoundToByte(-3), 0);
}

struct ValCase {
    const char* text;
    double expected;
};

// An exponent beyond the range of long overflowed the magnitude sum (found by the fuzzer; the
// sanitizer run fails on it).
TEST(ValTest, HugeExponentsSaturate) {
    EXPECT_EQ(Val("2e99999999999999999999999999"), HUGE_VAL);
    EXPECT_EQ(Val("-2e99999999999999999999999999"), -HUGE_VAL);
    EXPECT_EQ(Val("2e-99999999999999999999999999"), 0.0);
    EXPECT_EQ(Val("-120e2202222222220000000000001639710584327379220"), -HUGE_VAL);
}

TEST(ValTest, Table) {
    const ValCase cases[] = {
        {"12", 12}, {"  -1", -1}, {"2.5", 2.5}, {"1000;", 1000}, {"", 0},
        {"abc", 0}, {"+7x", 7},   {".5", 0.5},  {"1e3", 1000},   {"1e", 1},
        {"-", 0},   {"3 4", 3},   {"0", 0},     {"inf", 0},      {"0x10", 0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << c.text;
}

struct FileTitleCase {
    const char* path;
    const char* expected;
};

TEST(GetFileTitleTest, Table) {
    const FileTitleCase cases[] = {
        {"C:\\a\\b.kdx", "b.kdx"},
        {"b.kdx", "b.kdx"},
        {"C:\\a\\", ""},
        {"/home/kardo/Schaltungen/ampel.kdx", "ampel.kdx"},
        {"/home/kardo/", ""},
        {"relative/dir/x.icd", "x.icd"},
        {"", ""},
        {"/", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFileTitle(c.path), c.expected) << c.path;
}

// A scratch folder with a visible file, a hidden file and a sub-folder, removed afterwards.
class PathTest : public ::testing::Test {
  protected:
    PathTest() {
        m_dir = std::filesystem::temp_directory_path() /
                ("kardo_text_helpers_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "Unterordner");
        std::ofstream(m_dir / "ampel.kdx") << "[Schaltung]\n";
        std::ofstream(m_dir / ".versteckt.kdx") << "x\n";
    }
    ~PathTest() override {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string P(const std::string& rest) const { return (m_dir / rest).string(); }

    std::filesystem::path m_dir; // scratch folder
};

TEST_F(PathTest, FileExists) {
    EXPECT_TRUE(FileExists(P("ampel.kdx")));
    EXPECT_FALSE(FileExists(P("fehlt.kdx")));
    EXPECT_FALSE(FileExists(P("Unterordner"))); // folders are not files
    // A hidden name is found when it is named: saving and reopening ".versteckt.kdx" failed.
    EXPECT_TRUE(FileExists(P(".versteckt.kdx")));
    EXPECT_FALSE(FileExists(P("ampel.kdx") + "/"));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists("/kardo/gibt/es/nicht.kdx"));
}

TEST_F(PathTest, FileExistsWithWildcards) {
    EXPECT_TRUE(FileExists(P("*.kdx")));
    EXPECT_TRUE(FileExists(P("amp?l.kdx")));
    EXPECT_TRUE(FileExists(P("*")));
    EXPECT_FALSE(FileExists(P("*.icd")));
    EXPECT_FALSE(FileExists(P("Unter*"))); // matches only a folder
    EXPECT_FALSE(FileExists(P(".vers*"))); // a pattern does not match hidden files
    EXPECT_FALSE(FileExists(P("ampel.kd?x")));
    EXPECT_FALSE(FileExists("/kardo/gibt/es/nicht/*.kdx"));
}

TEST_F(PathTest, KindOfPath) {
    ASSERT_EQ(::mkfifo(P("rohr").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(P("ampel.kdx").c_str(), P("verweis.kdx").c_str()), 0);
    struct Case {
        std::string path;
        PathKind kind;
        std::string_view text;
    };
    const Case cases[] = {
        {P("ampel.kdx"), PathKind::File, ""},
        {P("verweis.kdx"), PathKind::File, ""},
        {P(".versteckt.kdx"), PathKind::File, ""},
        {P("fehlt.kdx"), PathKind::Missing, ""},
        {"", PathKind::Missing, ""},
        {P("Unterordner"), PathKind::Directory, "ein Ordner"},
        {P("rohr"), PathKind::Fifo, "eine benannte Pipe (FIFO)"},
        {"/dev/null", PathKind::Device, "ein Gerät"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KindOfPath(c.path), c.kind) << c.path;
        EXPECT_EQ(PathKindText(KindOfPath(c.path)), c.text) << c.path;
    }
    EXPECT_EQ(PathKindText(PathKind::Socket), "ein Socket");
}

TEST_F(PathTest, IsDirectory) {
    EXPECT_TRUE(IsDirectory(m_dir.string()));
    EXPECT_TRUE(IsDirectory(P("Unterordner")));
    EXPECT_TRUE(IsDirectory(P("Unterordner") + "/"));
    EXPECT_FALSE(IsDirectory(P("ampel.kdx")));
    EXPECT_FALSE(IsDirectory(P("fehlt")));
    EXPECT_FALSE(IsDirectory(""));
}

} // namespace
} // namespace kardo
