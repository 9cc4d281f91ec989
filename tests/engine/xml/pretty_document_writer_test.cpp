// The writer of saved documents against the XML library's serializer writing a DOM of the
// same content: the same bytes for a whole score and for the corners of the pretty
// printing (texts of white space, empty texts, attribute order, escapes, characters
// outside the BMP), and a refusal of what XML cannot hold.
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

// The tree as a DOM document, written by the library's serializer as a save wrote it:
// pretty printed, "\r\n" line breaks, UTF-8. Empty when it refuses.
std::string LibraryText(const XmlElement& root)
{
    x::DOMDocumentType* type = Implementation()->createDocumentType(
        root.Name().c_str(), MusicXmlFile::kPublicId, MusicXmlFile::kSystemId);
    const std::unique_ptr<x::DOMDocument, DocumentRelease> document(
        Implementation()->createDocument(nullptr, root.Name().c_str(), type));
    CopyIntoDom(*document, *document->getDocumentElement(), root);

    x::DOMLSSerializer* serializer = Implementation()->createLSSerializer();
    x::DOMLSOutput* output = Implementation()->createLSOutput();
    serializer->getDomConfig()->setParameter(x::XMLUni::fgDOMWRTFormatPrettyPrint, true);
    serializer->setNewLine(u"\r\n");
    x::MemBufFormatTarget target;
    output->setByteStream(&target);
    output->setEncoding(u"UTF-8");
    bool written = false;
    try {
        written = serializer->write(document.get(), output);
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
    void SetUp() override { ASSERT_TRUE(XmlPlatform::EnsureInitialized()); }

    std::string Quick(bool* ok = nullptr)
    {
        std::string text;
        const bool written =
            WritePrettyDocument(root, MusicXmlFile::kPublicId, MusicXmlFile::kSystemId, text);
        if (ok)
            *ok = written;
        return text;
    }

    void ExpectLibraryText()
    {
        const std::string library = LibraryText(root);
        ASSERT_FALSE(library.empty());
        bool ok = false;
        const std::string quick = Quick(&ok);
        ASSERT_TRUE(ok);
        EXPECT_EQ(quick, library);
    }

    XmlTree tree;
    XmlElement& root = tree.AddElement(nullptr, u"score-partwise");
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
    converter.SetParentElement(&root);
    converter.Write();
    ExpectLibraryText();
}

TEST_F(PrettyDocumentWriterTest, EscapesCharactersAndAttributeOrderComeOutAsTheLibraryWritesThem)
{
    std::u16string every = u"\t\n\r";
    for (char16_t c = 0x20; c < 0x80; ++c)
        every.push_back(c);
    every += u"\u0085\u00a0\u2028中文\uFFFD\U0001F600";
    XmlElement& words = root.AppendChild(u"words");
    words.SetAttribute(u"value", every);
    words.SetAttribute(u"a-first", u"");
    words.SetAttribute(u"Z-upper", u"z");
    words.SetAttribute(u"value", every + u"again");  // replaces, keeps one attribute
    words.AppendText(every);
    ExpectLibraryText();
}

TEST_F(PrettyDocumentWriterTest, LayoutAroundTextsOfWhiteSpaceComesOutAsTheLibraryWritesIt)
{
    // Texts of white space break lines and indent in the serializer's own way; an empty
    // text makes an element non-empty.
    const std::u16string texts[] = {u"",     u" ",   u"\n",       u"\n   ", u"  \n ",
                                    u"\r",   u"\r ", u"\n\n\n\n", u"x\n  ", u"\t"};
    for (const std::u16string& text : texts) {
        XmlElement& outer = root.AppendChild(u"outer");
        outer.AppendText(text);
        outer.AppendChild(u"inner").AppendChild(u"leaf");
        outer.AppendChild(u"empty");
        outer.AppendChild(u"with-text").AppendText(text);
        XmlElement& nested = outer.AppendChild(u"nested");
        nested.AppendText(text);
        nested.AppendChild(u"deeper").AppendText(text);
    }
    root.AppendChild(u"last");
    ExpectLibraryText();
}

TEST_F(PrettyDocumentWriterTest, RefusesWhatXmlCannotHold)
{
    const std::u16string texts[] = {
        u"a\u0001",
        std::u16string{u'a', 0xD834, u'b'},
        std::u16string{u'a', 0xDD1E},
        u"\uFFFF",
    };
    for (const std::u16string& text : texts) {
        SCOPED_TRACE(std::string(text.begin(), text.end()));
        for (const bool inAttribute : {false, true}) {
            XmlTree own;
            XmlElement& element = own.AddElement(nullptr, u"score-partwise");
            if (inAttribute)
                element.SetAttribute(u"a", text);
            else
                element.AppendText(text);
            std::string out;
            EXPECT_FALSE(WritePrettyDocument(element, u"p", u"s", out));
        }
    }
}

}  // namespace
}  // namespace quaverly::xml_test
