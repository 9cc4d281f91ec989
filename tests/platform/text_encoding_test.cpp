#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace {

using platform::TextEncoding;

TEST(TextEncodingTest, Utf8AndUtf16RoundTrip)
{
    const std::u16string texts[] = {u"", u"abc", u"简谱", u"\U000F0041 and \U0001D11E", u"a\u00e9\u4e2d"};
    for (const std::u16string& text : texts) {
        SCOPED_TRACE(platform::Utf16ToUtf8(text));
        EXPECT_EQ(platform::Utf8ToUtf16(platform::Utf16ToUtf8(text)), text);
    }
    EXPECT_EQ(platform::Utf16ToUtf8(u"中"), "\xE4\xB8\xAD");
}

TEST(TextEncodingTest, MalformedInputBecomesReplacementCharacters)
{
    struct Case {
        std::string utf8;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a\xFFz", u"a\uFFFDz"},          // byte that starts nothing
        {"\xC0\xAF", u"\uFFFD\uFFFD"},    // overlong "/"
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
        {"\xE4\xB8", u"\uFFFD\uFFFD"},    // cut off at the end
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_FALSE(platform::IsValidUtf8(c.utf8));
        EXPECT_EQ(platform::Utf8ToUtf16(c.utf8), c.expected);
    }
    // An unpaired surrogate does not produce invalid UTF-8.
    EXPECT_EQ(platform::Utf16ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

// The edges of the supplementary planes: the last one-unit character, the first and the
// last surrogate pair, with their exact UTF-8 and UTF-16 bytes.
TEST(TextEncodingTest, SupplementaryPlaneEdgesKeepTheirBytes)
{
    struct Case {
        const char* name;
        std::u16string text;
        std::string utf8;
        std::string utf16le;  // with its byte order mark
    };
    const Case cases[] = {
        {"U+FFFF", u"\uFFFF", "\xEF\xBF\xBF", std::string("\xFF\xFE\xFF\xFF", 4)},
        {"U+10000", u"\U00010000", "\xF0\x90\x80\x80", std::string("\xFF\xFE\x00\xD8\x00\xDC", 6)},
        {"U+10000 after a letter", u"a\U00010000", "a\xF0\x90\x80\x80",
         std::string("\xFF\xFE\x61\x00\x00\xD8\x00\xDC", 8)},
        {"U+10FFFF", u"\U0010FFFF", "\xF4\x8F\xBF\xBF", std::string("\xFF\xFE\xFF\xDB\xFF\xDF", 6)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::Utf16ToUtf8(c.text), c.utf8);
        EXPECT_TRUE(platform::IsValidUtf8(c.utf8));
        EXPECT_EQ(platform::Utf8ToUtf16(c.utf8), c.text);
        const platform::DecodedText fromUtf8 = platform::DecodeText(c.utf8);
        EXPECT_EQ(fromUtf8.encoding, TextEncoding::Utf8);
        EXPECT_EQ(fromUtf8.text, c.text);
        const platform::DecodedText fromUtf16 = platform::DecodeText(c.utf16le);
        EXPECT_EQ(fromUtf16.encoding, TextEncoding::Utf16LE);
        EXPECT_EQ(fromUtf16.text, c.text);
    }
    // Just outside: an overlong U+FFFF and the first value past U+10FFFF.
    EXPECT_FALSE(platform::IsValidUtf8("\xF0\x8F\xBF\xBF"));
    EXPECT_FALSE(platform::IsValidUtf8("\xF4\x90\x80\x80"));
    EXPECT_EQ(platform::Utf8ToUtf16("\xF4\x90\x80\x80").find(u'\uFFFD'), 0u);
}

TEST(TextEncodingTest, DecodeTextChoosesTheEncoding)
{
    struct Case {
        const char* name;
        std::string bytes;
        TextEncoding encoding;
        std::u16string text;
    };
    const Case cases[] = {
        {"ascii", "a=1", TextEncoding::Utf8, u"a=1"},
        {"utf-8", "\xE7\xAE\x80\xE8\xB0\xB1", TextEncoding::Utf8, u"简谱"},
        {"utf-8 bom", "\xEF\xBB\xBF\xE4\xB8\xAD", TextEncoding::Utf8Bom, u"中"},
        {"utf-16le", std::string("\xFF\xFE\x2D\x4E\x41\x00", 6), TextEncoding::Utf16LE, u"中A"},
        {"utf-16be", std::string("\xFE\xFF\x4E\x2D\x00\x41", 6), TextEncoding::Utf16BE, u"中A"},
        {"utf-16le odd byte", std::string("\xFF\xFE\x41\x00\x42", 5), TextEncoding::Utf16LE, u"A"},
        {"gbk", "\xBC\xF2\xC6\xD7=\xD6\xD0", TextEncoding::Gbk, u"简谱=中"},
        // A GBK line that does not decode whole: its bytes will have to be kept.
        {"gbk cut off", "\xBC\xF2\xC6", TextEncoding::Mixed, u"简\uFFFD"},
        // One stray byte spoils only its own line: the UTF-8 lines stay UTF-8.
        {"utf-8 with a stray byte", "a=\xE5\xAE\x8B\xE4\xBD\x93\r\nb=\xE9t\nc=\xE4\xB8\xAD", TextEncoding::Mixed,
         u"a=宋体\r\nb=\u95A0\nc=中"},
        {"utf-8 and gbk lines", "a=\xE4\xB8\xAD\n\xD6\xD0=\xBC\xF2\n", TextEncoding::Mixed, u"a=中\n中=简\n"},
        {"gbk lines beside ascii", "a=1\r\n\xD6\xD0=\xBC\xF2\r\n", TextEncoding::Gbk, u"a=1\r\n中=简\r\n"},
        {"utf-8 bom with a gbk line", "\xEF\xBB\xBF\xE4\xB8\xAD\n\xD6\xD0", TextEncoding::Utf8Bom, u"中\n中"},
        {"lone cr and empty lines", "\xD6\xD0\r\r\n\n\xE4\xB8\xAD\r", TextEncoding::Mixed, u"中\r\r\n\n中\r"},
        {"empty", "", TextEncoding::Utf8, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::DecodedText decoded = platform::DecodeText(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.text, c.text);
    }
}

TEST(TextEncodingTest, GbkRoundTrip)
{
    const std::u16string text = u"简谱编辑器：大钢琴、小提琴";
    EXPECT_EQ(platform::GbkToUtf16(platform::Utf16ToGbk(text)), text);
    // A character GBK cannot hold becomes one "?" and the rest stays in step.
    struct Case {
        const char* name;
        std::u16string text;
        std::string gbk;
    };
    const Case cases[] = {
        {"outside the basic plane", u"a\U0001F600b\u4e2d", "a?b\xD6\xD0"},
        {"in the basic plane", u"\u0E01x", "?x"},
        {"an unpaired surrogate", std::u16string(1, char16_t(0xD83D)) + u"y", "?y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::Utf16ToGbk(c.text), c.gbk);
    }
}

TEST(TextEncodingTest, PathsTakeBackslashesAsSeparators)
{
    EXPECT_EQ(platform::PathFromUtf16(u"/opt/brindle/settings\\Font.ini"),
              std::filesystem::path("/opt/brindle/settings/Font.ini"));
    EXPECT_EQ(platform::PathFromUtf16(u"texture\\前景\\"), std::filesystem::path("texture/前景/"));
    EXPECT_EQ(platform::PathToUtf16(std::filesystem::path("/tmp/简谱")), u"/tmp/简谱");
}

}  // namespace
