// The formula line's key mapping and console words.
#include "boolean/formula_line.h"

#include <gtest/gtest.h>

namespace kardo {
namespace {

TEST(FormulaKeysTest, MappingInItsOrder) {
    const std::pair<char32_t, char32_t> cases[] = {
        {'V', 'v'}, {'v', 'v'}, {'a', 'A'}, {'z', 'Z'},   {'b', 'B'},
        {'A', 'A'}, {'6', '&'}, {'8', '('}, {'9', ')'},   {'7', '7'},
        {'/', '/'}, {'&', '&'}, {' ', ' '}, {U'ä', U'ä'}, {'0', '0'},
    };
    for (const auto& [key, mapped] : cases)
        EXPECT_EQ(MapFormulaKey(key), mapped) << static_cast<unsigned>(key);
}

TEST(ConsoleWordsTest, LowerCasedAndUntrimmed) {
    const std::pair<const char*, ConsoleWord> cases[] = {
        {"info", ConsoleWord::Info},    {"INFO", ConsoleWord::Info},
        {"Save", ConsoleWord::Save},    {"open", ConsoleWord::Open},
        {"CLEAR", ConsoleWord::Clear},  {"timelabel", ConsoleWord::TimeLabel},
        {" info", ConsoleWord::None},   {"info ", ConsoleWord::None},
        {"debug p", ConsoleWord::None}, {"FORMEL 0", ConsoleWord::None},
        {"", ConsoleWord::None},
    };
    for (const auto& [text, word] : cases)
        EXPECT_EQ(ParseConsoleWord(text), word) << text;
}

} // namespace
} // namespace kardo
