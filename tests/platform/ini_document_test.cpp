#include "platform/ini_document.h"

#include <gtest/gtest.h>

namespace {

using platform::IniDocument;

TEST(IniDocumentTest, LookupRules)
{
    const IniDocument doc = IniDocument::Parse(
        u"top=before any section\n"
        u"[Main]\n"
        u"  Key  =  value  \n"
        u"Quoted=\"  padded  \"\n"
        u"Single='x'\n"
        u"Unbalanced=\"x'\n"
        u"dup=first\n"
        u"DUP=second\n"
        u";Comment=not a key\n"
        u"no equals\n"
        u"=no key\n"
        u"Inline=a ; not a comment\n"
        u"[MAIN]\n"
        u"Key=from the second section\n"
        u"Other=only here\n");
    struct Case {
        std::u16string section, key;
        std::optional<std::u16string> value;
    };
    const Case cases[] = {
        {u"main", u"key", u"value"},
        {u" Main ", u"KEY", u"value"},
        {u"Main", u"Quoted", u"  padded  "},
        {u"Main", u"Single", u"x"},
        {u"Main", u"Unbalanced", u"\"x'"},
        {u"Main", u"Dup", u"first"},
        {u"Main", u";Comment", std::nullopt},
        {u"Main", u"no equals", std::nullopt},
        {u"Main", u"Inline", u"a ; not a comment"},
        {u"Main", u"Other", std::nullopt},  // only the first section of a name counts
        {u"Main", u"top", std::nullopt},
        {u"Missing", u"Key", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section.begin(), c.section.end()) + "/" + std::string(c.key.begin(), c.key.end()));
        EXPECT_EQ(doc.GetValue(c.section, c.key), c.value);
    }
}

TEST(IniDocumentTest, EditsKeepEverythingElse)
{
    IniDocument doc = IniDocument::Parse(
        u"; header comment\r\n"
        u"[A]\r\n"
        u"x = 1\r\n"
        u"; about y\r\n"
        u"y=2\r\n"
        u"; trailing comment of A\r\n"
        u"\r\n"
        u"[B]\r\n"
        u"z=3");
    ASSERT_TRUE(doc.SetValue(u"a", u"X", u"10"));        // in place, spelling and spacing kept
    ASSERT_TRUE(doc.SetValue(u"A", u"w", u"new"));       // after the last entry of A
    ASSERT_TRUE(doc.SetValue(u"B", u"q", u"4"));         // the last line gets its ending
    ASSERT_TRUE(doc.SetValue(u"C", u"k", u"  blank ends "));
    ASSERT_TRUE(doc.SetValue(u"C", u"multi", u"line\r\nbreak"));
    EXPECT_EQ(doc.Serialize(),
              u"; header comment\r\n"
              u"[A]\r\n"
              u"x = 10\r\n"
              u"; about y\r\n"
              u"y=2\r\n"
              u"w=new\r\n"
              u"; trailing comment of A\r\n"
              u"\r\n"
              u"[B]\r\n"
              u"z=3\r\n"
              u"q=4\r\n"
              u"\r\n"
              u"[C]\r\n"
              u"k=\"  blank ends \"\r\n"
              u"multi=line  break\r\n");
    EXPECT_EQ(doc.GetValue(u"C", u"k"), u"  blank ends ");
}

TEST(IniDocumentTest, ValuesReadBackAsWritten)
{
    const std::u16string values[] = {u"", u"plain", u" lead", u"trail ", u"\"quoted\"", u"'single'",
                                     u"\"half", u"a=b;c", u"简谱 \U000F0041"};
    IniDocument doc;
    for (const std::u16string& value : values) {
        SCOPED_TRACE(std::string(value.begin(), value.end()));
        ASSERT_TRUE(doc.SetValue(u"S", u"k", value));
        EXPECT_EQ(IniDocument::Parse(doc.Serialize()).GetValue(u"S", u"k"), value);
    }
}

TEST(IniDocumentTest, RefusesNamesThatCannotBeStored)
{
    IniDocument doc = IniDocument::Parse(u"[S]\nk=1\n");
    const std::pair<std::u16string, std::u16string> bad[] = {
        {u"", u"k"}, {u"  ", u"k"}, {u"a]b", u"k"}, {u"a\nb", u"k"},
        {u"S", u""}, {u"S", u"a=b"}, {u"S", u"[k"}, {u"S", u";k"}, {u"S", u"a\rb"},
    };
    for (const auto& [section, key] : bad) {
        SCOPED_TRACE(std::string(section.begin(), section.end()) + "/" + std::string(key.begin(), key.end()));
        EXPECT_FALSE(doc.SetValue(section, key, u"v"));
    }
    EXPECT_EQ(doc.Serialize(), u"[S]\nk=1\n");
}

TEST(IniDocumentTest, DeleteSectionAndSectionNames)
{
    IniDocument doc = IniDocument::Parse(
        u"[A]\na=1\n\n; about B\n[B]\nb=1\n[a2]\n[A]\nagain=1\n[]\n[C]\nc=1\n");
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::u16string>{u"A", u"B", u"a2", u"C"}));
    EXPECT_TRUE(doc.DeleteSection(u"a"));
    EXPECT_FALSE(doc.DeleteSection(u"a"));
    EXPECT_FALSE(doc.HasSection(u"A"));
    EXPECT_EQ(doc.SectionNames(), (std::vector<std::u16string>{u"B", u"a2", u"C"}));
    EXPECT_EQ(doc.Serialize(), u"\n; about B\n[B]\nb=1\n[a2]\n[]\n[C]\nc=1\n");
    EXPECT_TRUE(doc.DeleteKey(u"B", u"B"));
    EXPECT_EQ(doc.GetValue(u"B", u"b"), std::nullopt);
}

TEST(IniDocumentTest, LineEndingsAreKept)
{
    const std::u16string texts[] = {u"[S]\r\nk=1\r\n", u"[S]\nk=1\n", u"[S]\rk=1\r", u"[S]\nk=1"};
    for (const std::u16string& text : texts) {
        const IniDocument doc = IniDocument::Parse(text);
        EXPECT_EQ(doc.Serialize(), text);
        EXPECT_EQ(doc.GetValue(u"S", u"k"), u"1");
    }
    EXPECT_EQ(IniDocument::Parse(u"[S]\r\n").NewLine(), u"\r\n");
    EXPECT_EQ(IniDocument::Parse(u"").NewLine(), u"\n");
}

TEST(IniDocumentTest, LinesThatWereNotUtf8KeepTheirBytesUntilChanged)
{
    // Line 2 is GBK, line 3 Latin-1; both decoded by a guess.
    const std::string bytes = "[S]\r\n\xC3\xFB=\xBC\xF2\r\nnote=caf\xE9\r\nk=1";
    IniDocument doc = IniDocument::Parse(u"[S]\r\n名=简\r\nnote=caf\uFFFD\r\nk=1");
    doc.KeepOriginalBytes(bytes);
    EXPECT_EQ(doc.SerializeBytes(), bytes);
    ASSERT_TRUE(doc.SetValue(u"S", u"k", u"2"));
    ASSERT_TRUE(doc.SetValue(u"S", u"new", u"中"));
    EXPECT_EQ(doc.SerializeBytes(), "[S]\r\n\xC3\xFB=\xBC\xF2\r\nnote=caf\xE9\r\nk=2\r\nnew=\xE4\xB8\xAD\r\n");
    ASSERT_TRUE(doc.SetValue(u"S", u"note", u"café"));
    EXPECT_EQ(doc.SerializeBytes(), "[S]\r\n\xC3\xFB=\xBC\xF2\r\nnote=caf\xC3\xA9\r\nk=2\r\nnew=\xE4\xB8\xAD\r\n");

    // Bytes whose lines do not match the text are not taken.
    IniDocument other = IniDocument::Parse(u"[S]\nk=1\n");
    other.KeepOriginalBytes("[S]\n\xFF\nk=1\n");
    EXPECT_EQ(other.SerializeBytes(), "[S]\nk=1\n");
}

TEST(IniDocumentTest, ManySectionsAreFoundByName)
{
    std::u16string text;
    for (int i = 0; i < 2000; ++i) {
        const std::u16string n(std::u16string_view(u"0123456789").substr(static_cast<std::size_t>(i % 10), 1));
        text += u"[Symbol " + std::u16string(1, static_cast<char16_t>(u'A' + i / 100)) + n +
                std::u16string(1, static_cast<char16_t>(u'a' + (i / 10) % 10)) + u"]\nk=" + n + u"\n";
    }
    text += u"[symbol a0a]\nk=second\n";
    IniDocument doc = IniDocument::Parse(text);
    ASSERT_EQ(doc.SectionNames().size(), 2000u);
    EXPECT_EQ(doc.SectionNames()[1], u"Symbol A1a");
    EXPECT_EQ(doc.GetValue(u"SYMBOL A0A", u"k"), u"0");
    EXPECT_EQ(doc.GetValue(u"symbol T9j", u"K"), u"9");
    EXPECT_TRUE(doc.DeleteSection(u"Symbol A0a"));
    EXPECT_EQ(doc.SectionNames().size(), 1999u);
    EXPECT_EQ(doc.GetValue(u"Symbol A0a", u"k"), std::nullopt);
    ASSERT_TRUE(doc.SetValue(u"Symbol A1a", u"k2", u"x"));
    EXPECT_EQ(doc.GetValue(u"Symbol A1a", u"k2"), u"x");
    EXPECT_EQ(doc.GetValue(u"Symbol A2a", u"k"), u"2");
}

}  // namespace
