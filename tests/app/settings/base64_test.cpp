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

TEST(Base64Test, LineBreaksAndBlanksAreSkipped)
{
    const Base64Decoder decoder;
    EXPECT_EQ(decoder.Decode(u"gHsx\r\njA=="), u"简谱");
    EXPECT_EQ(decoder.Decode(u"g\nH\rsx jA\t==\r\n"), u"简谱");
}

TEST(Base64Test, InvalidTextDecodesToNothing)
{
    const Base64Decoder decoder;
    const std::u16string invalid[] = {u"Q!A=", u"QQ=A", u"QQA===", u"QQ\u4e2dA", u"QQ\u0141="};
    for (const std::u16string& text : invalid) {
        SCOPED_TRACE(settings_test::Utf8(text));
        EXPECT_EQ(decoder.DecodeBytes(text), std::nullopt);
        EXPECT_EQ(decoder.Decode(text), u"");
    }
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
        const auto bytes = decoder.DecodeBytes(prefix);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(bytes->size(), c.bytes);
        EXPECT_EQ(decoder.Decode(prefix), c.text);
    }
}

}  // namespace
