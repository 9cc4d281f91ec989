// The tree a load reads a document into, against the DOM the XML library builds of the
// same document with the same parser settings: the same elements, attributes (defaults
// of the document type among them) and first texts, whatever comments, CDATA sections,
// processing instructions, entities and ignorable white space lie between them.
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>

#include "engine/xml/xml_element.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

std::unique_ptr<XmlTree> ThroughDom(const std::string& text)
{
    x::XercesDOMParser parser;
    parser.setValidationScheme(x::XercesDOMParser::Val_Always);
    parser.setDoNamespaces(false);
    parser.setCreateEntityReferenceNodes(false);
    parser.setIncludeIgnorableWhitespace(false);
    x::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                u"test", false);
    parser.parse(source);
    x::DOMDocument* document = parser.getDocument();
    if (!document || !document->getDocumentElement())
        return nullptr;
    return TreeFromDom(*document->getDocumentElement());
}

void ExpectSameElement(const XmlElement& got, const XmlElement& want)
{
    SCOPED_TRACE(testing::Message() << "element "
                                    << std::string(want.Name().begin(), want.Name().end()));
    EXPECT_EQ(got.Name(), want.Name());
    EXPECT_EQ(got.Text(), want.Text());
    std::map<std::u16string, std::u16string> gotAttributes, wantAttributes;
    for (const auto& a : got.Attributes())
        gotAttributes[*a.name] = a.value;
    for (const auto& a : want.Attributes())
        wantAttributes[*a.name] = a.value;
    EXPECT_EQ(gotAttributes, wantAttributes);
    ASSERT_EQ(got.Children().size(), want.Children().size());
    for (std::size_t i = 0; i < got.Children().size(); ++i)
        ExpectSameElement(*got.Children()[i], *want.Children()[i]);
}

TEST(XmlTreeTest, ALoadReadsWhatTheLibrarysDomHolds)
{
    ASSERT_TRUE(XmlPlatform::EnsureInitialized());
    const std::string doctype =
        "<!DOCTYPE r [\n"
        "<!ELEMENT r (a | b | c | d | e)*>\n"
        "<!ELEMENT a (#PCDATA | i)*>\n"
        "<!ELEMENT b (c*)>\n"
        "<!ELEMENT c (#PCDATA)>\n"
        "<!ELEMENT d EMPTY>\n"
        "<!ELEMENT e ANY>\n"
        "<!ELEMENT i (#PCDATA)>\n"
        "<!ATTLIST c kind CDATA \"plain\" n CDATA #IMPLIED>\n"
        "<!ENTITY word \"en&#x74;ity\">\n"
        "<!ENTITY part \"x<i>in</i>y\">\n"
        "<!-- a comment of the document type -->\n"
        "]>\n";
    const std::string documents[] = {
        "<r>\n  <a>first<!-- c -->second</a>\n  <b>\n    <c>one</c>\n    <c n='2'>two</c>\n"
        "  </b>\n</r>",
        "<r><a><![CDATA[hidden]]>after</a><a>before<![CDATA[cdata]]>after</a></r>",
        "<r><a>&word; and &amp; &#x4E2D;</a><a>&part;tail</a><c>&word;</c></r>",
        "<r><a>text<?pi data?>more</a><e>x<d/>y<c>z</c></e><e/></r>",
        "<r><c kind='own'>  spaced  </c><c>\n</c><a>\r\n line \r\n</a><d/></r>",
        "<?xml-stylesheet href='s'?><!-- before --><r><b>  <!-- inside -->  </b></r><!-- after -->",
        "<r><a>one</a>text outside the content model<b>bad</b></r>",
    };
    for (const std::string& body : documents) {
        SCOPED_TRACE(body);
        const std::string text = doctype + body;
        const auto want = ThroughDom(text);
        const auto got = ParseTree(text, true);
        ASSERT_NE(want, nullptr);
        ASSERT_NE(got->Root(), nullptr);
        ExpectSameElement(*got->Root(), *want->Root());
    }
}

TEST(XmlTreeTest, AttributesKeepTheirOrderAndALaterValueReplaces)
{
    XmlTree tree;
    XmlElement& root = tree.AddElement(nullptr, u"r");
    root.SetAttribute(u"b", u"1");
    root.SetAttribute(u"a", u"2");
    root.SetAttribute(u"b", u"3");
    XmlElement& stray = tree.AddElement(nullptr, u"second-root");
    EXPECT_EQ(tree.Root(), &root);
    EXPECT_NE(tree.Root(), &stray);
    ASSERT_EQ(root.Attributes().size(), 2u);
    EXPECT_EQ(*root.Attributes()[0].name, u"b");
    EXPECT_EQ(root.Attributes()[0].value, u"3");
    ASSERT_NE(root.FindAttribute(u"a"), nullptr);
    EXPECT_EQ(*root.FindAttribute(u"a"), u"2");
    EXPECT_EQ(root.FindAttribute(u"c"), nullptr);
}

}  // namespace
}  // namespace quaverly::xml_test
