// The Base64 form of free text in documents: the exact encoding, and a reader that is
// forgiving without ever reading past its text.
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/xml/base64_text.h"

namespace quaverly {
namespace {

TEST(Base64TextTest, EncodesUtf16UnitsLowByteFirst)
{
    EXPECT_EQ(EncodeBase64Text(u"abc"), u"YQBiAGMA");
    EXPECT_EQ(EncodeBase64Text(u"A"), u"QQA=");
    EXPECT_EQ(EncodeBase64Text(u""), u"");
    EXPECT_EQ(EncodeBase64Text(u"ab"), u"YQBiAA==");
    EXPECT_EQ(EncodeBase64Text(u"中"), u"LU4=");  // U+4E2D: bytes 2D 4E
    EXPECT_EQ(EncodeBase64Text(u"简谱"), u"gHsxjA==");
    // Outside the basic plane: the two units of the surrogate pair, DB80 DC41.
    EXPECT_EQ(EncodeBase64Text(u"\U000F0041"), u"gNtB3A==");
}

TEST(Base64TextTest, TheVectorsReadBack)
{
    const std::pair<std::u16string, std::u16string> vectors[] = {
        {u"abc", u"YQBiAGMA"}, {u"A", u"QQA="}, {u"中", u"LU4="},
        {u"简谱", u"gHsxjA=="}, {u"\U000F0041", u"gNtB3A=="},
    };
    for (const auto& [text, base64] : vectors)
        EXPECT_EQ(DecodeBase64Text(base64), text);
}

TEST(Base64TextTest, BytesTakeEveryFill)
{
    EXPECT_EQ(EncodeBase64Bytes("M"), "TQ==");
    EXPECT_EQ(EncodeBase64Bytes("Ma"), "TWE=");
    EXPECT_EQ(EncodeBase64Bytes("Man"), "TWFu");
    EXPECT_EQ(EncodeBase64Bytes(std::string("\xFB\xFF\x00", 3)), "+/8A");
    EXPECT_EQ(DecodeBase64Bytes(u"+/8A"), std::string("\xFB\xFF\x00", 3));
    EXPECT_EQ(DecodeBase64Bytes(u"TWE"), "Ma");
    // Fill where a group begins holds no byte: extra "=" after a full group adds nothing.
    EXPECT_EQ(DecodeBase64Bytes(u"QQA==="), std::string("\x41\x00", 2));
    EXPECT_EQ(DecodeBase64Bytes(u"===="), "");
    EXPECT_EQ(DecodeBase64Bytes(u"Q==="), "");
}

// Every length of text cut from a longer one, and every unit value in every place of a
// group, decodes without reading past the text (the checked standard library catches an
// out-of-range index).
TEST(Base64TextTest, AnyInputOfAnyLengthIsSafe)
{
    const std::u16string whole = EncodeBase64Text(u"简谱A\U000F0041");
    for (std::size_t n = 0; n <= whole.size(); ++n) {
        const std::u16string cut = whole.substr(0, n);
        EXPECT_LE(DecodeBase64Bytes(cut).size(), (n + 3) / 4 * 3);
    }
    for (char32_t unit = 0; unit <= 0xFFFF; unit += 7) {
        const auto c = static_cast<char16_t>(unit);
        for (const std::u16string& text :
             {std::u16string(1, c), std::u16string(2, c), std::u16string(5, c),
              u"QQ" + std::u16string(1, c), u"\n" + std::u16string(3, c)})
            EXPECT_LE(DecodeBase64Text(text).size(), text.size());
    }
}

TEST(Base64TextTest, EveryTextComesBack)
{
    const std::u16string texts[] = {
        u"", u"A", u"ab", u"abc", u"中文歌词", u"\U0001D11E clef", u"\uE001\uF8FF",
        std::u16string{0x0000, 0xFFFF, 0xD800}, u"line\r\nbreak",
    };
    for (const std::u16string& text : texts)
        EXPECT_EQ(DecodeBase64Text(EncodeBase64Text(text)), text);
}

TEST(Base64TextTest, DecodingIsForgiving)
{
    struct Case {
        std::u16string base64;
        std::u16string text;
    };
    const Case cases[] = {
        {u"YQBi\nAGMA", u"abc"},         // a line break where a group begins is skipped
        {u"\r\nYQBiAGMA\r\n", u"abc"},
        {u"YQBiAGMA", u"abc"},
        {u"YQBiAG", u"ab"},              // a cut last group gives its whole bytes
        {u"YQBiAGM", u"ab"},             // ...here "c" as well, an odd byte, dropped
        {u"YQBi", u"a"},                 // 61 00 62: the odd "b" byte is dropped
        {u"YQBiA", u"a"},                // a single last character gives nothing
        {u"QQA=", u"A"},
        {u"QQ==", u""},                  // one byte: no whole unit
        {u"", u""},
        {u"\n", u""},
        {std::u16string{0x0151, 0x0151, 0x0141, 0x003D}, u"A"},  // low 8 bits: "QQA="
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeBase64Text(c.base64), c.text)
            << std::string(c.base64.begin(), c.base64.end());
}

TEST(Base64TextTest, CharactersOutsideTheAlphabetCountAsZero)
{
    // "!" and "*" count as "A" (0): "Y!Bi" decodes like "YABi".
    EXPECT_EQ(DecodeBase64Text(u"Y!Bi"), DecodeBase64Text(u"YABi"));
    EXPECT_EQ(DecodeBase64Text(u"****"), std::u16string(1, u'\0'));
    // A line break inside a group is not skipped: it counts as 0 as well.
    EXPECT_EQ(DecodeBase64Text(u"YQ\nB"), DecodeBase64Text(u"YQAB"));
}

}  // namespace
}  // namespace quaverly
