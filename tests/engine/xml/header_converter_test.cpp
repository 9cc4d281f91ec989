// Header texts: the title block survives a save and a load with its Chinese texts and
// offsets; reading follows the elements the document has and ignores what it does not
// know.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

using HeaderConverterTest = XmlDocumentTest;

TEST_F(HeaderConverterTest, HeaderTextsWithChineseTextAndOffsetsSurvive)
{
    // Accessors returning the derived types are wrapped to one shape.
    const auto title = [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetTitleText(); };
    const auto subtitle = [](const Score& s) -> std::shared_ptr<HeaderText> {
        return s.GetSubtitleText();
    };
    const auto poet = [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetPoetText(); };
    const auto composer = [](const Score& s) -> std::shared_ptr<HeaderText> {
        return s.GetComposerText();
    };
    const auto singer = [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetSingerText(); };
    const auto adapter = [](const Score& s) -> std::shared_ptr<HeaderText> {
        return s.GetAdapterText();
    };
    const auto rights = [](const Score& s) -> std::shared_ptr<HeaderText> { return s.GetRightsText(); };
    struct Row {
        std::function<std::shared_ptr<HeaderText>(const Score&)> get;
        std::u16string text;
        Point offset;
    };
    const Row rows[] = {
        {title, u"茉莉花", {120, -35}},
        {subtitle, u"江苏民歌 <改编> & \"版本二\"", {0, 40}},
        {poet, u"佚名 词", {-2000, 7}},
        {composer, u"何仿 曲", {3, 0}},
        {singer, u"演唱：某某", {0, -1}},
        {adapter, u"编配 \U0002000B", {5, 5}},
        {rights, u"© 2026 版权所有", {-10, 250}},
    };
    for (const Row& row : rows) {
        row.get(*score)->SetText(row.text);
        row.get(*score)->SetOffset(row.offset);
    }
    score->SetDescription(u"第一行\r\n第二行\n  空格  ");

    ASSERT_TRUE(RoundTrip()) << lastError;
    for (const Row& row : rows) {
        EXPECT_EQ(row.get(*loaded)->GetText(), row.text);
        EXPECT_EQ(row.get(*loaded)->GetOffset(), row.offset);
    }
    EXPECT_EQ(loaded->GetDescription(), score->GetDescription());
}

TEST_F(HeaderConverterTest, EmptyHeaderTextsAreStillWrittenAndReadAsEmpty)
{
    const std::string text = SaveText();
    for (const char* element :
         {"<movement-title relative-x=\"0\" relative-y=\"0\"></movement-title>",
          "<movement-subtitle", "type=\"composer\"", "type=\"poet\"", "type=\"adapter\"",
          "type=\"singer\"", "<rights", "<description></description>",
          "<software>Verdane</software>", "<encoder></encoder>",
          "<encoding-date></encoding-date>"})
        EXPECT_NE(text.find(element), std::string::npos) << element;
    loaded->SetTitle(u"old");
    ASSERT_TRUE(LoadText(text)) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"");
}

TEST_F(HeaderConverterTest, CreatorsAreReadByTheirTypeOnly)
{
    ASSERT_TRUE(LoadText(Document(
        "<identification>"
        "<creator type=\"composer\" relative-x=\"4\">甲</creator>"
        "<creator type=\"lyricist\">乙</creator>"
        "<creator type=\"arranger\">丙</creator>"
        "<creator type=\"Poet\">丁</creator>"
        "<creator type=\"poet\" relative-y=\"-9\">戊</creator>"
        "<creator type=\"singer\"/>"
        "<creator>无类型</creator>"
        "<encoding><software>Other</software></encoding>"
        "<rights>r</rights><description>d</description>"
        "</identification><part-list/>")))
        << lastError;
    EXPECT_EQ(loaded->GetComposer(), u"甲");
    EXPECT_EQ(loaded->GetComposerText()->GetOffset(), (Point{4, 0}));
    EXPECT_EQ(loaded->GetPoet(), u"戊");
    EXPECT_EQ(loaded->GetPoetText()->GetOffset(), (Point{0, -9}));
    EXPECT_EQ(loaded->GetSinger(), u"");
    EXPECT_EQ(loaded->GetAdapter(), u"");
    EXPECT_EQ(loaded->GetRights(), u"r");
    EXPECT_EQ(loaded->GetDescription(), u"d");
}

TEST_F(HeaderConverterTest, TheLaterOfTwoTitlesWinsAndMissingOffsetsAreZero)
{
    ASSERT_TRUE(LoadText(Document(
        "<movement-title relative-x=\"5\" relative-y=\"6\">first</movement-title>"
        "<part-list/>"
        "<movement-title relative-y=\"8\">second</movement-title>"
        "<movement-subtitle>sub</movement-subtitle>"
        "<unknown-element>ignored</unknown-element>")))
        << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"second");
    EXPECT_EQ(loaded->GetTitleText()->GetOffset(), (Point{0, 8}));
    EXPECT_EQ(loaded->GetSubtitle(), u"sub");
    EXPECT_EQ(loaded->GetSubtitleText()->GetOffset(), (Point{0, 0}));
}

TEST_F(HeaderConverterTest, ADocumentWithoutIdentificationLeavesTheCreatorsEmpty)
{
    loaded->SetComposer(u"left over from before");
    ASSERT_TRUE(LoadText(Document("<movement-title>t</movement-title><part-list/>")))
        << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"t");
    EXPECT_EQ(loaded->GetComposer(), u"");
    EXPECT_EQ(loaded->GetDescription(), u"");
}

TEST_F(HeaderConverterTest, ControlCharactersAreLeftOutAndBlanksKept)
{
    score->SetTitle(std::u16string(u"a\x01" u"b\x1F" u"c\0d", 7));
    score->SetComposer(std::u16string{u'x', 0xD800, u'y', 0xFFFF});
    score->SetDescription(u"tab\there");
    score->SetSubtitle(u"   ");
    score->SetRights(u"\n");
    ASSERT_TRUE(RoundTrip()) << lastError;
    EXPECT_EQ(loaded->GetSubtitle(), u"   ");
    EXPECT_EQ(loaded->GetRights(), u"\n");
    EXPECT_EQ(loaded->GetTitle(), u"abcd");
    EXPECT_EQ(loaded->GetComposer(), u"xy");
    EXPECT_EQ(loaded->GetDescription(), u"tab\there");
}

}  // namespace
}  // namespace quaverly::xml_test
