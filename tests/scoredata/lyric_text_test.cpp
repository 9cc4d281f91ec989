#include <string>

#include <gtest/gtest.h>

#include "scoredata/lyric_text.h"

namespace tabulon {
namespace {

TEST(LyricTextTest, Utf8FirstThenGb18030)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {"Ascii", "la", u"la"},
        {"Utf8", "\xE8\x8C\x89\xE8\x8E\x89", u"茉莉"},
        {"Utf8BeyondTheBasicPlane", "\xF0\x9F\x8E\xB5", u"\U0001F3B5"},
        {"Gb2312", "\xC4\xE3\xBA\xC3", u"你好"},
        {"Gb18030FourBytes", "\x81\x30\x81\x30", u"\u0080"},
        {"TruncatedUtf8ReadsAsGb", "\xE8\x8C", u"\u947C"},
        {"IncompleteGbAtTheEnd", "a\xC4", u"a\uFFFD"},
        {"UnreadableBytesBecomeReplacements", "a\xFF" "b", u"a\uFFFDb"},
        {"OverlongUtf8IsNotUtf8", "\xC0\xAF", u"\u8721"},
        {"Empty", "", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeLyricText(c.bytes), c.text);
    }
}

TEST(LyricTextTest, OverlongTextsAreCutWithoutSplittingAPair)
{
    EXPECT_EQ(DecodeLyricText(std::string(5000, 'a')).size(), kMaxLyricUnits);
    std::string pairs;
    for (int i = 0; i < 600; ++i)
        pairs += "\xF0\x9F\x8E\xB5";
    const std::u16string cut = DecodeLyricText(pairs);
    EXPECT_EQ(cut.size(), kMaxLyricUnits - 1);
    EXPECT_TRUE(cut.back() >= 0xDC00 && cut.back() <= 0xDFFF);
}

}  // namespace
}  // namespace tabulon
