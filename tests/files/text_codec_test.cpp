// Character sets of circuit files: detection per file, Windows-1252 decoding and encoding.
#include "files/text_codec.h"

#include <string>

#include <gtest/gtest.h>

namespace kardo {
namespace {

struct DetectCase {
    std::string bytes;
    FileEncoding expected;
};

TEST(TextCodecTest, DetectsTheEncodingOfAWholeFile) {
    const DetectCase cases[] = {
        {"", FileEncoding::Utf8},
        {"[Feld]\r\n40;25;\r\n", FileEncoding::Utf8},
        {"\xEF\xBB\xBF[Feld]\r\n", FileEncoding::Utf8Bom},
        {"[Anschl\xC3\xBCsse]\r\n", FileEncoding::Utf8},
        {"[Anschl\xFCsse]\r\n", FileEncoding::Windows1252},
        {"[Ma\xDF"
         "e]\r\nX7\r\n",
         FileEncoding::Windows1252},
        // One stray byte anywhere decides for Windows-1252.
        {"\xC3\xBC ok, then \x80", FileEncoding::Windows1252},
        // Overlong forms and encoded surrogates are not UTF-8.
        {"\xC0\xAF", FileEncoding::Windows1252},
        {"\xED\xA0\x80", FileEncoding::Windows1252},
        {"\xF4\x90\x80\x80", FileEncoding::Windows1252},
        // A sequence cut off at the end of the file.
        {"abc\xE2\x82", FileEncoding::Windows1252},
        {"\xE2\x82\xAC", FileEncoding::Utf8},
        // Found by the fuzzer: a byte-order mark before bytes that are no UTF-8 passed them
        // into memory, and a save wrote the label back in another character set.
        {"\xEF\xBB\xBF[Feld]\r\n1,5\xA9", FileEncoding::Windows1252},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectFileEncoding(c.bytes), c.expected) << c.bytes;
}

TEST(TextCodecTest, AByteOrderMarkBeforeOtherBytesIsDroppedAndTheRestReadAsTheCodePage) {
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF[Feld]\r\n\xFC\xC3\xBC"), "[Feld]\r\nüÃ¼");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF[Feld]\xC3\xBC"), "[Feld]ü");
}

TEST(TextCodecTest, DecodesWindows1252ToUtf8) {
    EXPECT_EQ(DecodeFileText("[Anschl\xFCsse]"), "[Anschlüsse]");
    EXPECT_EQ(DecodeFileText("[Ma\xDF"
                             "e]"),
              "[Maße]");
    EXPECT_EQ(DecodeFileText("\x80 \x84\x93\x94 \x9F"), "€ „“” Ÿ");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF[Feld]"), "[Feld]");
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFgr\xC3\xBC\xC3\x9F"), "grüß");
}

TEST(TextCodecTest, EveryByteSurvivesDecodingAndEncoding) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    all += "\x80"; // keeps the text from being valid UTF-8 whatever the order
    const std::string utf8 = DecodeFileText(all);
    std::string back;
    EXPECT_EQ(EncodeWindows1252(utf8, back), 0u);
    EXPECT_EQ(back, all);
}

TEST(TextCodecTest, EncodesUtf8IntoWindows1252) {
    std::string out;
    EXPECT_EQ(EncodeWindows1252("[Anschlüsse] Maße €5", out), 0u);
    EXPECT_EQ(out, "[Anschl\xFCsse] Ma\xDF"
                   "e \x80"
                   "5");
}

TEST(TextCodecTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    std::string out;
    EXPECT_EQ(EncodeWindows1252("a\xE2\x86\x92"
                                "b\xF0\x9F\x98\x80"
                                "c",
                                out),
              2u); // → and 😀
    EXPECT_EQ(out, "a?b?c");
    EXPECT_EQ(EncodeWindows1252("x\xFFy", out), 1u); // not UTF-8 at all
    EXPECT_EQ(out, "x?y");
}

} // namespace
} // namespace kardo
