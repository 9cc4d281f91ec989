// Shared pieces of the score-document tests: a score, a temporary folder, loading and
// saving through documents held as text, and a bare DOM document for single converters.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <gtest/gtest.h>
#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>

#include "engine/model/container_element.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"
#include "engine/xml/xml_converter.h"
#include "engine/xml/xml_document_context.h"
#include "engine/xml/xml_element.h"
#include "engine/xml/reader/xml_platform.h"
#include "engine/xml/reader/xml_tree_builder.h"
#include "tests/platform/temp_folder.h"

namespace quaverly::xml_test {

// The DTD the program ships in its data folder.
inline std::filesystem::path ProgramDtd()
{
    return std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "dtd" / "partwise.dtd";
}

// A document with the saved document type around the given children of the root.
inline std::string Document(std::string_view children)
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<!DOCTYPE score-partwise PUBLIC "
                       "\"-//Recordare//DTD MusicXML 1.0 Partwise//EN\" "
                       "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
                       "<score-partwise>") +
           std::string(children) + "</score-partwise>\n";
}

// Appends a part with that id and name to the score and returns it.
inline std::shared_ptr<Part> AddPart(Score& score, std::u16string id = {},
                                     std::u16string name = {})
{
    auto part = std::make_shared<Part>();
    part->SetId(std::move(id));
    part->SetName(std::move(name));
    auto container = std::make_shared<ContainerElement>();
    container->AppendChild(part);
    score.AppendChild(container);
    return part;
}

inline std::shared_ptr<Part> PartOf(const Score& score, int index)
{
    const auto container = score.GetChild(index);
    return container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
}

class XmlDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { MusicXmlFile::SetDtdFile(ProgramDtd()); }

    // Writes the text as a file and loads it into `loaded`.
    bool LoadText(std::string_view text, std::string_view name = "in.exl")
    {
        const std::filesystem::path path = folder / name;
        TempFolder::Write(path, text);
        return LoadFile(path);
    }
    bool LoadFile(const std::filesystem::path& path)
    {
        MusicXmlFile file;
        file.SetScore(loaded.get());
        const bool ok = file.Load(path);
        lastError = file.GetError();
        validityErrors = file.GetValidityErrorCount();
        loadedPage = file.GetPageResult();
        return ok;
    }
    // Saves `score` and returns the file's bytes (empty when the save failed).
    std::string SaveText(std::string_view name = "out.exl")
    {
        const std::filesystem::path path = folder / name;
        MusicXmlFile file;
        file.SetScore(score.get());
        if (!file.Save(path)) {
            ADD_FAILURE() << file.GetError();
            return {};
        }
        return TempFolder::Read(path);
    }
    // Saves `score` and loads the file into `loaded`.
    bool RoundTrip()
    {
        const std::string text = SaveText();
        return !text.empty() && LoadText(text, "again.exl");
    }

    TempFolder folder;
    std::shared_ptr<Score> score = std::make_shared<Score>();
    std::shared_ptr<Score> loaded = std::make_shared<Score>();
    std::string lastError;
    int validityErrors = 0;
    PageLayoutResult loadedPage;
};

namespace x = xercesc;

struct DocumentRelease {
    void operator()(x::DOMDocument* document) const { document->release(); }
};

// The DOM element as a document load gives it to the converters: its name, its
// attributes, the value of its first text node and its child elements.
inline void AddFromDom(XmlTree& tree, XmlElement* parent, const x::DOMElement& element)
{
    XmlElement& added = tree.AddElement(parent, element.getTagName());
    const x::DOMNamedNodeMap* attributes = element.getAttributes();
    for (XMLSize_t i = 0; attributes && i < attributes->getLength(); ++i)
        added.SetAttribute(attributes->item(i)->getNodeName(), attributes->item(i)->getNodeValue());
    bool textSeen = false;
    for (const x::DOMNode* child = element.getFirstChild(); child;
         child = child->getNextSibling()) {
        if (child->getNodeType() == x::DOMNode::TEXT_NODE && !textSeen) {
            added.AppendText(child->getNodeValue());
            textSeen = true;
        } else if (child->getNodeType() == x::DOMNode::ELEMENT_NODE) {
            AddFromDom(tree, &added, static_cast<const x::DOMElement&>(*child));
        }
    }
}

inline std::unique_ptr<XmlTree> TreeFromDom(const x::DOMElement& element)
{
    auto tree = std::make_unique<XmlTree>();
    AddFromDom(*tree, nullptr, element);
    return tree;
}

// What a written element holds, put into a DOM element: its attributes, its text (when it
// has some) and its child elements, made DOM nodes of the document.
inline x::DOMElement* DomFromTree(x::DOMDocument& document, const XmlElement& element);

inline void CopyIntoDom(x::DOMDocument& document, x::DOMElement& target, const XmlElement& element)
{
    for (const XmlElement::Attribute& attribute : element.Attributes())
        target.setAttribute(attribute.name->c_str(), attribute.value.c_str());
    if (element.HasText())
        target.appendChild(document.createTextNode(element.Text().c_str()));
    for (const XmlElement* child : element.Children())
        target.appendChild(DomFromTree(document, *child));
}

// The written element as a DOM element of the document.
inline x::DOMElement* DomFromTree(x::DOMDocument& document, const XmlElement& element)
{
    x::DOMElement* out = document.createElement(element.Name().c_str());
    CopyIntoDom(document, *out, element);
    return out;
}

// The markup read into a tree as a document load reads it, validating against the
// document type the markup carries when asked.
inline std::unique_ptr<XmlTree> ParseTree(const std::string& text, bool validate = false)
{
    EXPECT_TRUE(XmlPlatform::EnsureInitialized());
    auto tree = std::make_unique<XmlTree>();
    XmlTreeBuilder builder(*tree);
    x::SAX2XMLReaderImpl parser;
    parser.setFeature(x::XMLUni::fgSAX2CoreValidation, validate);
    parser.setFeature(x::XMLUni::fgXercesDynamic, false);
    parser.setFeature(x::XMLUni::fgSAX2CoreNameSpaces, false);
    parser.setContentHandler(&builder);
    parser.setLexicalHandler(&builder);
    x::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                u"test", false);
    parser.parse(source);
    return tree;
}

// A bare DOM document to write converters into and read them back from.
class DomElementTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(XmlPlatform::EnsureInitialized());
        x::DOMImplementation* implementation =
            x::DOMImplementationRegistry::getDOMImplementation(u"Core");
        document.reset(implementation->createDocument(nullptr, u"root", nullptr));
    }

    x::DOMElement* NewParent(const char16_t* name)
    {
        x::DOMElement* element = document->createElement(name);
        document->getDocumentElement()->appendChild(element);
        return element;
    }

    // The element as text.
    std::u16string Serialize(x::DOMNode* node)
    {
        x::DOMImplementation* implementation =
            x::DOMImplementationRegistry::getDOMImplementation(u"Core");
        x::DOMLSSerializer* serializer = implementation->createLSSerializer();
        XMLCh* text = serializer->writeToString(node);
        std::u16string out(text);
        x::XMLString::release(&text);
        serializer->release();
        return out;
    }

    // Writes with the converter under the parent; what it wrote goes into the DOM.
    void Write(XmlConverter& converter, x::DOMElement* parent)
    {
        XmlTree tree;
        XmlElement& written = tree.AddElement(nullptr, parent->getTagName());
        converter.SetContext(&context);
        converter.SetParentElement(&written);
        converter.Write();
        CopyIntoDom(*document, *parent, written);
    }

    // Reads the element with the converter, as a document load gives it.
    void Read(XmlConverter& converter, x::DOMElement* element)
    {
        const std::unique_ptr<XmlTree> tree = TreeFromDom(*element);
        converter.SetElement(tree->Root());
        converter.SetContext(&context);
        converter.Read();
    }

    // A new child <name> of the root with the children of a tiny markup: "tag=text"
    // items (or a bare "tag") separated by ";".
    x::DOMElement* ParseInto(const std::u16string& name, const std::u16string& markup);

    std::unique_ptr<x::DOMDocument, DocumentRelease> document;
    XmlDocumentContext context;
};

inline x::DOMElement* DomElementTest::ParseInto(const std::u16string& name,
                                                const std::u16string& markup)
{
    x::DOMElement* element = NewParent(name.c_str());
    std::size_t at = 0;
    while (at < markup.size()) {
        std::size_t end = markup.find(u';', at);
        if (end == std::u16string::npos)
            end = markup.size();
        const std::u16string item = markup.substr(at, end - at);
        const std::size_t eq = item.find(u'=');
        const std::u16string tag = item.substr(0, eq);
        x::DOMElement* child = document->createElement(tag.c_str());
        if (eq != std::u16string::npos)
            child->appendChild(document->createTextNode(item.substr(eq + 1).c_str()));
        element->appendChild(child);
        at = end + 1;
    }
    return element;
}

}  // namespace quaverly::xml_test
