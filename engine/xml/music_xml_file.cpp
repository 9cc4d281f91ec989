#include "engine/xml/music_xml_file.h"

#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <utility>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLString.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "engine/model/score.h"
#include "engine/xml/atomic_file_writer.h"
#include "engine/xml/document_type_declaration.h"
#include "engine/xml/document_type_resolver.h"
#include "engine/xml/file_bytes.h"
#include "engine/xml/pretty_document_writer.h"
#include "engine/xml/score_partwise_converter.h"
#include "engine/xml/xml_document_context.h"
#include "engine/xml/xml_platform.h"
#include "engine/xml/xml_tree_builder.h"

namespace quaverly {

namespace {

namespace fs = std::filesystem;
namespace x = xercesc;

// An entity may expand to at most this many entity references in one document, so an
// internal subset that nests entities ("a billion laughs") stops instead of filling the
// memory.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

std::mutex& DtdMutex()
{
    static std::mutex mutex;
    return mutex;
}

fs::path& DtdPath()
{
    static fs::path path;
    return path;
}

std::string Narrow(const XMLCh* text)
{
    std::string out;
    if (!text)
        return out;
    // Diagnostics only: ASCII is kept, anything else shown as "?".
    for (; *text; ++text)
        out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
    return out;
}

// Records the first fatal error; warnings and validity errors are passed over, so a
// document that does not follow the DTD is still read as far as the converters go.
class ParseErrorHandler : public x::ErrorHandler {
public:
    void warning(const x::SAXParseException&) override {}
    void error(const x::SAXParseException&) override { ++validityErrors_; }
    void fatalError(const x::SAXParseException& e) override
    {
        if (failed_)
            return;
        failed_ = true;
        message_ = "line " + std::to_string(e.getLineNumber()) + ", column " +
                   std::to_string(e.getColumnNumber()) + ": " + Narrow(e.getMessage());
    }
    void resetErrors() override {}

    bool Failed() const { return failed_; }
    int ValidityErrors() const { return validityErrors_; }
    const std::string& Message() const { return message_; }

private:
    bool failed_ = false;
    int validityErrors_ = 0;
    std::string message_;
};

// Reads the whole file; false when it cannot be opened or read, or is too large.
bool ReadFile(const fs::path& path, std::string& bytes, std::string& error)
{
    return ReadFileBytes(path, MusicXmlFile::kMaxDocumentBytes, bytes, error);
}

// The text of the DTD file; empty when there is none or it cannot be read.
std::string ReadDtd(const fs::path& path)
{
    std::string bytes;
    std::string ignored;
    if (path.empty() || !ReadFile(path, bytes, ignored))
        return {};
    return bytes;
}

// The writer ends its own lines with CR LF but leaves a line feed inside a text as it
// is. Such a line feed becomes a character reference, which reads back the same, so
// every line of the file ends in CR LF. Only text holds a bare line feed: the writer
// puts none into markup, and none occurs inside a UTF-8 sequence.
std::string WithCrLfLineEnds(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    std::size_t from = 0;
    for (std::size_t at = bytes.find('\n'); at != std::string_view::npos;
         at = bytes.find('\n', at + 1)) {
        if (at > 0 && bytes[at - 1] == '\r')
            continue;
        out.append(bytes.substr(from, at - from));
        out += "&#xA;";
        from = at + 1;
    }
    out.append(bytes.substr(from));
    return out;
}

}  // namespace

MusicXmlFile::MusicXmlFile()
{
    XmlPlatform::EnsureInitialized();
}

void MusicXmlFile::SetDtdFile(fs::path path)
{
    const std::lock_guard lock(DtdMutex());
    DtdPath() = std::move(path);
}

fs::path MusicXmlFile::GetDtdFile()
{
    const std::lock_guard lock(DtdMutex());
    return DtdPath();
}

bool MusicXmlFile::Fail(std::string reason)
{
    error_ = std::move(reason);
    return false;
}

bool MusicXmlFile::Load(const fs::path& path)
{
    error_.clear();
    validityErrors_ = 0;
    pageResult_ = {};
    systemRecords_.clear();
    if (!score_)
        return Fail("no score");
    score_->ClearChildren();
    bool ok = false;
    std::string bytes;
    std::string reason;
    if (!XmlPlatform::EnsureInitialized())
        Fail("the XML library did not start");
    else if (!ReadFile(path, bytes, reason))
        Fail("cannot read " + path.string() + ": " + reason);
    else
        ok = ReadDocument(std::move(bytes));
    if (!ok) {
        // Nothing of a document that failed half way stays behind.
        score_->ClearChildren();
        pageResult_ = {};
        systemRecords_.clear();
    }
    return ok;
}

bool MusicXmlFile::ReadDocument(std::string bytes)
{
    const fs::path dtdFile = GetDtdFile();
    DocumentTypeResolver resolver(ReadDtd(dtdFile), dtdFile.empty());
    ParseErrorHandler errors;
    x::SecurityManager security;
    security.setEntityExpansionLimit(kEntityExpansionLimit);

    // The document is read by the SAX parser into a tree of its own: the library's DOM
    // costs several times the parse itself to build.
    XmlTree tree;
    XmlTreeBuilder builder(tree);
    auto parser = std::make_unique<x::SAX2XMLReaderImpl>();
    parser->setFeature(x::XMLUni::fgSAX2CoreValidation, true);
    parser->setFeature(x::XMLUni::fgXercesDynamic, false);
    parser->setFeature(x::XMLUni::fgSAX2CoreNameSpaces, false);
    parser->setFeature(x::XMLUni::fgXercesSchema, false);
    parser->setFeature(x::XMLUni::fgXercesLoadExternalDTD, true);
    parser->setFeature(x::XMLUni::fgXercesDisableDefaultEntityResolution, true);
    parser->setProperty(x::XMLUni::fgXercesSecurityManager, &security);
    parser->setErrorHandler(&errors);
    parser->setXMLEntityResolver(&resolver);
    parser->setContentHandler(&builder);
    parser->setLexicalHandler(&builder);

    // The library keeps a little of every external DTD subset it reads in a document
    // type declaration and never frees it; the same declarations reached from the
    // internal subset cost nothing.
    if (std::optional<std::string> inside = ReferenceExternalSubsetFromInside(bytes))
        bytes = std::move(*inside);
    try {
        x::MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()),
                                    bytes.size(), u"document", false);
        // The parser reads the bytes where they are; by default it would copy them all
        // first, one more copy of the whole document while the tree is being built.
        source.setCopyBufToStream(false);
        parser->parse(source);
        // The tree holds what the score is built from; the bytes and the parser with its
        // buffers are not needed again.
        parser.reset();
        std::string().swap(bytes);
        validityErrors_ = errors.ValidityErrors();
        if (errors.Failed())
            return Fail("not well-formed XML: " + errors.Message());
        const XmlElement* root = tree.Root();
        if (!root)
            return Fail("no root element");
        if (!TextEquals(root->Name(), u"score-partwise"))
            return Fail("the root element is not score-partwise");

        XmlDocumentContext context;
        ScorePartwiseConverter converter;
        converter.SetElement(root);
        converter.SetScore(score_);
        converter.SetContext(&context);
        converter.Read();
        if (context.unreadable)
            return Fail("cannot read the document: " + context.unreadableReason);

        systemRecords_ = std::move(context.systemRecords);
        pageResult_ = context.pageResult;
        score_->GetLineBreaks() = std::move(context.lineBreaks);
        score_->GetBarsPerLine() = std::move(context.barsPerLine);
        score_->GetLinesPerPage() = std::move(context.linesPerPage);
        return true;
    } catch (const x::SAXParseException& e) {
        return Fail("not well-formed XML: " + Narrow(e.getMessage()));
    } catch (const x::XMLException& e) {
        return Fail("cannot parse: " + Narrow(e.getMessage()));
    } catch (const x::OutOfMemoryException&) {
        return Fail("out of memory");
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (...) {
        return Fail("cannot read the document");
    }
}

bool MusicXmlFile::Save(const fs::path& path)
{
    error_.clear();
    if (!score_)
        return Fail("no score");
    if (!XmlPlatform::EnsureInitialized())
        return Fail("the XML library did not start");
    std::string bytes;
    try {
        XmlTree tree;
        XmlElement& root = tree.AddElement(nullptr, u"score-partwise");
        XmlDocumentContext context;
        context.lineBreaks = score_->GetLineBreaks();
        context.barsPerLine = score_->GetBarsPerLine();
        context.linesPerPage = score_->GetLinesPerPage();
        context.systemRecords = systemRecords_;
        context.pageResult = pageResult_;

        ScorePartwiseConverter converter;
        converter.SetScore(score_);
        converter.SetContext(&context);
        converter.SetParentElement(&root);
        converter.Write();

        std::string text;
        if (!WritePrettyDocument(root, kPublicId, kSystemId, text))
            return Fail("cannot write the document");
        bytes = WithCrLfLineEnds(text);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    } catch (...) {
        return Fail("cannot write the document");
    }
    std::string reason;
    if (!AtomicFileWriter::Write(path, bytes, &reason))
        return Fail("cannot save " + path.string() + ": " + reason);
    return true;
}

}  // namespace quaverly
