// The quick writer of saved documents against the XML library's serializer: the same
// bytes for a whole score and for the corners of the pretty printing (texts of white
// space between elements, empty texts, escapes, characters outside the BMP), and no
// answer for what it leaves to the library.
#include <string>

#include <gtest/gtest.h>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufFormatTarget.hpp>

#include "engine/xml/pretty_document_writer.h"
#include "engine/xml/score_partwise_converter.h"
#include "tests/engine/xml/full_score.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

x::DOMImplementation* Implementation()
{
    return x::DOMImplementationRegistry::getDOMImplementation(u"Core");
}

// The document as the library's serializer writes it when a score is saved; empty when
// it refuses.
std::string LibraryText(const x::DOMDocument& document)
{
    x::DOMLSSerializer* serializer = Implementation()->createLSSerializer();
    x::DOMLSOutput* output = Implementation()->createLSOutput();
    serializer->getDomConfig()->setParameter(x::XMLUni::fgDOMWRTFormatPrettyPrint, true);
    serializer->setNewLine(u"\r\n");
    x::MemBufFormatTarget target;
    output->setByteStream(&target);
    output->setEncoding(u"UTF-8");
    bool written = false;
    try {
        written = serializer->write(&document, output);
    } catch (const x::DOMException&) {
        written = false;
    }
    output->release();
    serializer->release();
    if (!written)
        return {};
    return std::string(reinterpret_cast<const char*>(target.getRawBuffer()), target.getLen());
}

class PrettyDocumentWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(XmlPlatform::EnsureInitialized());
        x::DOMDocumentType* type = Implementation()->createDocumentType(
            u"score-partwise", MusicXmlFile::kPublicId, MusicXmlFile::kSystemId);
        document.reset(Implementation()->createDocument(nullptr, u"score-partwise", type));
        root = document->getDocumentElement();
    }

    x::DOMElement* Add(x::DOMNode* parent, const char16_t* name)
    {
        x::DOMElement* element = document->createElement(name);
        parent->appendChild(element);
        return element;
    }
    void AddText(x::DOMNode* parent, const std::u16string& text)
    {
        parent->appendChild(document->createTextNode(text.c_str()));
    }

    void ExpectLibraryText()
    {
        const std::string library = LibraryText(*document);
        ASSERT_FALSE(library.empty());
        std::string quick;
        ASSERT_TRUE(WritePrettyDocument(*document, quick));
        EXPECT_EQ(quick, library);
    }

    std::unique_ptr<x::DOMDocument, DocumentRelease> document;
    x::DOMElement* root = nullptr;
};

TEST_F(PrettyDocumentWriterTest, AWholeScoreComesOutAsTheLibraryWritesIt)
{
    auto score = std::make_shared<Score>();
    FillFullScore(*score);
    score->SetTitle(u"标题 & <\"引号\"> 'a'\tb\r\nc \U0001D11E");
    score->GetLineBreaks() = {1, 3};
    XmlDocumentContext context;
    context.lineBreaks = score->GetLineBreaks();
    ScorePartwiseConverter converter;
    converter.SetScore(score.get());
    converter.SetContext(&context);
    converter.SetDocument(document.get());
    converter.SetParentElement(root);
    converter.Write();
    ExpectLibraryText();
}

TEST_F(PrettyDocumentWriterTest, EscapesAndCharactersComeOutAsTheLibraryWritesThem)
{
    std::u16string every = u"\t\n\r";
    for (char16_t c = 0x20; c < 0x80; ++c)
        every.push_back(c);
    every += u"\u0085\u00a0\u2028中文\uFFFD\U0001F600";
    x::DOMElement* element = Add(root, u"words");
    element->setAttribute(u"value", every.c_str());
    element->setAttribute(u"a-first", u"");  // the map keeps its own order
    AddText(element, every);
    ExpectLibraryText();
}

TEST_F(PrettyDocumentWriterTest, LayoutAroundTextsOfWhiteSpaceComesOutAsTheLibraryWritesIt)
{
    // Texts of white space between elements break lines and indent in the serializer's
    // own way; an empty text makes an element non-empty.
    const std::u16string texts[] = {u"",     u" ",   u"\n",       u"\n   ", u"  \n ",
                                    u"\r",   u"\r ", u"\n\n\n\n", u"x\n  ", u"\t"};
    for (const std::u16string& text : texts) {
        x::DOMElement* outer = Add(root, u"outer");
        AddText(outer, text);
        x::DOMElement* inner = Add(outer, u"inner");
        Add(inner, u"leaf");
        AddText(outer, text);
        Add(outer, u"empty");
        AddText(Add(outer, u"with-text"), text);
        AddText(outer, text);
    }
    Add(root, u"last");
    AddText(root, u"\n ");
    ExpectLibraryText();
}

TEST_F(PrettyDocumentWriterTest, LeavesToTheLibraryWhatItDoesNotWrite)
{
    struct Case {
        const char* name;
        void (*add)(x::DOMDocument&, x::DOMElement&);
    };
    const Case cases[] = {
        {"control character",
         [](x::DOMDocument& d, x::DOMElement& r) { r.appendChild(d.createTextNode(u"a\u0001")); }},
        {"lone surrogate",
         [](x::DOMDocument& d, x::DOMElement& r) {
             const char16_t text[] = {u'a', 0xD834, u'b', 0};
             r.appendChild(d.createTextNode(text));
         }},
        {"non-character in an attribute",
         [](x::DOMDocument&, x::DOMElement& r) { r.setAttribute(u"a", u"\uFFFF"); }},
        {"comment",
         [](x::DOMDocument& d, x::DOMElement& r) { r.appendChild(d.createComment(u"c")); }},
        {"CDATA section",
         [](x::DOMDocument& d, x::DOMElement& r) { r.appendChild(d.createCDATASection(u"c")); }},
        {"namespace",
         [](x::DOMDocument& d, x::DOMElement& r) {
             r.appendChild(d.createElementNS(u"urn:x", u"p:e"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.add(*document, *Add(root, u"part"));
        std::string quick;
        EXPECT_FALSE(WritePrettyDocument(*document, quick));
    }
}

}  // namespace
}  // namespace quaverly::xml_test
