#include <gtest/gtest.h>

#include "app/settings/base64_decoder.h"
#include "app/settings/base64_encoder.h"
#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::Base64Decoder;
using brindle::Base64Encoder;

TEST(Base64Test, TextRoundTrip)
{
    struct Case {
        std::u16string text;
        std::u16string encoded;
    };
    const Case cases[] = {
        {u"", u""},
        {u"A", u"QQA="},
        {u"abc", u"YQBiAGMA"},
        {u"中", u"LU4="},
        {u"简谱", u"gHsxjA=="},
        {u"\U000F0041", u"gNtB3A=="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(settings_test::Utf8(c.encoded));
        EXPECT_EQ(Base64Encoder().Encode(c.text), c.encoded);
        EXPECT_EQ(Base64Decoder().Decode(c.encoded), c.text);
    }
}

// Surrogate pairs travel as their two units: U+10000 is the first of them.
TEST(Base64Test, SupplementaryCharactersRoundTrip)
{
    struct Case {
        std::u16string text;
        std::u16string encoded;
    };
    const Case cases[] = {
        {u"\U00010000", u"ANgA3A=="},
        {u"a\U00010000", u"YQAA2ADc"},
        {u"\uFFFF\U00010000\U0010FFFF", u"//8A2ADc/9v/3w=="},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(settings_test::Utf8(c.encoded));
        EXPECT_EQ(Base64Encoder().Encode(c.text), c.encoded);
        EXPECT_EQ(Base64Decoder().Decode(c.encoded), c.text);
        EXPECT_EQ(Base64Decoder().Decode(Base64Encoder().Encode(c.text)), c.text);
    }
}

TEST(Base64Test, BytesWithAllPaddings)
{
    EXPECT_EQ(Base64Encoder::EncodeBytes("M"), "TQ==");
    EXPECT_EQ(Base64Encoder::EncodeBytes("Ma"), "TWE=");
    EXPECT_EQ(Base64Encoder::EncodeBytes("Man"), "TWFu");
    EXPECT_EQ(Base64Encoder::EncodeBytes(std::string("\xFB\xFF\x00", 3)), "+/8A");
    EXPECT_EQ(Base64Decoder().DecodeBytes(u"+/8A"), std::string("\xFB\xFF\x00", 3));
}

TEST(Base64Test, LineBreaksAreSkipped)
{
    const Base64Decoder decoder;
    EXPECT_EQ(decoder.Decode(u"gHsx\r\njA=="), u"简谱");
    EXPECT_EQ(decoder.Decode(u"\r\ngHsx\njA==\r\n"), u"简谱");
    // A break inside a group is skipped as well: the group goes on after it.
    EXPECT_EQ(decoder.Decode(u"gH\r\nsxjA=="), u"简谱");
}

TEST(Base64Test, CharactersOutsideTheAlphabetCountAsZero)
{
    const Base64Decoder decoder;
    struct Case {
        const char* name;
        std::u16string text;
        std::string bytes;
    };
    const Case cases[] = {
        // "!" reads as "A" (0): "QAA=" gives 40 00.
        {"punctuation", u"Q!A=", std::string("\x40\x00", 2)},
        {"blank", u"Q A=", std::string("\x40\x00", 2)},
        {"chinese character", u"QQ\u4e2dA", std::string("\x41\x00\x00", 3)},  // low byte 2D is "-"
        // Only the low byte of a unit counts: U+0141 reads as "A".
        {"low byte in the alphabet", u"QQ\u0141=", std::string("\x41\x00", 2)},
        {"padding cuts the group short", u"QQ=A", std::string("\x41", 1)},
        {"padding inside the text", u"QQ==QQA=", std::string("\x41\x41\x00", 3)},
        {"too much padding", u"QQA===", std::string("\x41\x00", 2)},
        {"padding only", u"====", std::string()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decoder.DecodeBytes(c.text), c.bytes);
    }
    // The symbol file's text: bad characters give wrong characters, never an empty text.
    EXPECT_EQ(decoder.Decode(u"Q!A="), u"\u0040");
    EXPECT_EQ(decoder.Decode(u"QQ\u0141="), u"A");
}

TEST(Base64Test, TextCutShortDecodesWhatIsThere)
{
    // "简谱A" is 6 bytes: 80 7B 31 8C 41 00.
    const std::u16string encoded = Base64Encoder().Encode(u"简谱A");
    ASSERT_EQ(encoded, u"gHsxjEEA");
    const Base64Decoder decoder;
    struct Case {
        std::size_t length;
        std::size_t bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {0, 0, u""}, {1, 0, u""}, {2, 1, u""}, {3, 2, u"简"}, {4, 3, u"简"},
        {5, 3, u"简"}, {6, 4, u"简谱"}, {7, 5, u"简谱"}, {8, 6, u"简谱A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::u16string prefix = encoded.substr(0, c.length);
        EXPECT_EQ(decoder.DecodeBytes(prefix).size(), c.bytes);
        EXPECT_EQ(decoder.Decode(prefix), c.text);
    }
}

}  // namespace
