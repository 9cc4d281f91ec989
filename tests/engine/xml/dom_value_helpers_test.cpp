// The DOM value helpers: exact comparison, integer text in both directions, an element's
// text and children, and the filter that keeps written text loadable.
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/xml/dom_value_helpers.h"
#include "engine/xml/reader/xml_platform.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly {
namespace {

TEST(DomValueHelpersTest, TextEqualsIsExactAndCaseSensitive)
{
    EXPECT_TRUE(TextEquals(u"TRUE", u"TRUE"));
    EXPECT_FALSE(TextEquals(u"TRUE", u"true"));
    EXPECT_FALSE(TextEquals(u" quarter", u"quarter"));
    EXPECT_FALSE(TextEquals(u"quarter ", u"quarter"));
    EXPECT_TRUE(TextEquals(u"", u""));
}

TEST(DomValueHelpersTest, TextToIntReadsTheLeadingNumber)
{
    struct Case {
        std::u16string text;
        int value;
    };
    const Case cases[] = {
        {u"42", 42},
        {u"  -7", -7},
        {u"+5", 5},
        {u"\t\r\n12abc", 12},
        {u"3.9", 3},
        {u"", 0},
        {u"abc", 0},
        {u"-", 0},
        {u"- 5", 0},
        {u"2147483647", INT_MAX},
        {u"2147483648", INT_MAX},
        {u"-2147483648", INT_MIN},
        {u"-99999999999999999999", INT_MIN},
        {u"99999999999999999999999999", INT_MAX},
        {u"\uFF11", 0},  // a full-width digit is not a digit of the C locale
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextToInt(c.text), c.value) << std::string(c.text.begin(), c.text.end());
}

TEST(DomValueHelpersTest, IntToTextIsPlainDecimal)
{
    EXPECT_EQ(IntToText(0), u"0");
    EXPECT_EQ(IntToText(1234567), u"1234567");
    EXPECT_EQ(IntToText(-16777216), u"-16777216");
    EXPECT_EQ(IntToText(INT_MIN), u"-2147483648");
    for (int v : {INT_MIN, -1, 0, 1, 99, INT_MAX})
        EXPECT_EQ(TextToInt(IntToText(v)), v);
}

TEST(DomValueHelpersTest, IndexesAreWrittenPlusOneAndStayInRange)
{
    EXPECT_EQ(IndexToText(0), u"1");
    EXPECT_EQ(IndexToText(-1), u"0");
    EXPECT_EQ(IndexToText(INT_MAX), u"2147483647");
    EXPECT_EQ(TextToIndex(u"1"), 0);
    EXPECT_EQ(TextToIndex(u"0"), -1);
    EXPECT_EQ(TextToIndex(u""), -1);
    EXPECT_EQ(TextToIndex(u"-2147483648"), INT_MIN);
    EXPECT_EQ(TextToIndex(u"99999999999"), INT_MAX - 1);
}

TEST(DomValueHelpersTest, GroupSymbolTextNamesTheTwoGroupTypes)
{
    EXPECT_EQ(GroupSymbolText(0), u"brace");
    EXPECT_EQ(GroupSymbolText(1), u"bracket");
    EXPECT_EQ(GroupSymbolText(2), u"");
    EXPECT_EQ(GroupSymbolText(-1), u"");
}

TEST(DomValueHelpersTest, XmlSafeTextDropsWhatXmlCannotHold)
{
    struct Case {
        std::u16string text;
        std::u16string safe;
    };
    const Case cases[] = {
        {u"plain 文字", u"plain 文字"},
        {u"tab\tlf\ncr\r", u"tab\tlf\ncr\r"},
        {std::u16string(u"a\0b", 3), u"ab"},
        {u"\x01\x08\x0B\x0C\x0E\x1F!", u"!"},
        {u"x\uFFFEy\uFFFFz", u"xyz"},
        {u"\U0001D11E", u"\U0001D11E"},           // a surrogate pair stays whole
        {std::u16string{u'a', 0xD834, u'b'}, u"ab"},  // a lone high half goes
        {std::u16string{u'a', 0xDD1E, u'b'}, u"ab"},  // a lone low half goes
        {std::u16string{0xD834}, u""},
        {u"\uE000\uFFFD", u"\uE000\uFFFD"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(XmlSafeText(c.text), c.safe);
}

TEST(XmlElementTest, ElementTextIsTheFirstRunOfTextOnly)
{
    const auto tree = xml_test::ParseTree(
        "<r><a>first<!-- note -->second</a><b><![CDATA[hidden]]></b><c/>"
        "<d>Tom &amp; Jerry</d><e><i>inner</i>after</e></r>");
    const XmlElement* root = tree->Root();
    ASSERT_NE(root, nullptr);
    std::vector<std::u16string> texts;
    for (const XmlElement* e : root->Children())
        texts.push_back(ElementText(*e));
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"first", u"", u"", u"Tom & Jerry", u"after"}));
    EXPECT_EQ(ElementName(*root), u"r");
}

TEST(XmlElementTest, ChildrenAreTheElementsInOrder)
{
    const auto tree = xml_test::ParseTree("<r>text<a/><!-- c --><b>x</b>more<c/></r>");
    const XmlElement* root = tree->Root();
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->Children().size(), 3u);
    EXPECT_EQ(ElementName(*root->Children()[0]), u"a");
    EXPECT_EQ(ElementName(*root->Children()[1]), u"b");
    EXPECT_EQ(ElementName(*root->Children()[2]), u"c");
    EXPECT_EQ(ElementText(*root), u"text");
}

TEST(XmlElementTest, WriteRelativeXYSetsBothAttributes)
{
    XmlTree tree;
    XmlElement& root = tree.AddElement(nullptr, u"r");
    WriteRelativeXY(root, 12, -5);
    ASSERT_NE(root.FindAttribute(u"relative-x"), nullptr);
    ASSERT_NE(root.FindAttribute(u"relative-y"), nullptr);
    EXPECT_EQ(*root.FindAttribute(u"relative-x"), u"12");
    EXPECT_EQ(*root.FindAttribute(u"relative-y"), u"-5");
}

}  // namespace
}  // namespace quaverly
