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

}  // namespace
