// The entry point of the XML reader module: the library's SAX parser, validating against
// the DTD it is handed, builds the document's tree.
#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/SAX2XMLReaderImpl.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLUni.hpp>

#include "engine/xml/reader/document_type_resolver.h"
#include "engine/xml/reader/xml_platform.h"
#include "engine/xml/reader/xml_tree_builder.h"
#include "engine/xml/xml_reader.h"

namespace quaverly {

namespace {

namespace x = xercesc;

// An entity may expand to at most this many entity references in one document, so an
// internal subset that nests entities ("a billion laughs") stops instead of filling the
// memory.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

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

bool Fail(XmlReadOutcome& outcome, std::string reason)
{
    outcome.error = std::move(reason);
    return false;
}

bool ReadDocument(const XmlReadRequest& request, XmlReadOutcome& outcome)
{
    if (!XmlPlatform::EnsureInitialized())
        return Fail(outcome, "the XML library did not start");
    DocumentTypeResolver resolver(std::string(request.dtd), request.readNamedDtd);
    ParseErrorHandler errors;
    x::SecurityManager security;
    security.setEntityExpansionLimit(kEntityExpansionLimit);

    // The document is read by the SAX parser into a tree of its own: the library's DOM
    // costs several times the parse itself to build.
    XmlTreeBuilder builder(outcome.tree);
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

    x::MemBufInputSource source(reinterpret_cast<const XMLByte*>(request.document.data()),
                                request.document.size(), u"document", false);
    // The parser reads the bytes where they are; by default it would copy them all
    // first, one more copy of the whole document while the tree is being built.
    source.setCopyBufToStream(false);
    parser->parse(source);
    outcome.validityErrors = errors.ValidityErrors();
    if (errors.Failed())
        return Fail(outcome, "not well-formed XML: " + errors.Message());
    return true;
}

}  // namespace

// Looked up by name when the module is loaded; nothing thrown inside leaves it.
extern "C" __attribute__((visibility("default"))) bool quaverly_read_xml_document(const XmlReadRequest& request,
                                                                                  XmlReadOutcome& outcome)
{
    static_assert(std::is_same_v<decltype(&quaverly_read_xml_document), XmlReadFunction>);
    try {
        return ReadDocument(request, outcome);
    } catch (const x::SAXParseException& e) {
        return Fail(outcome, "not well-formed XML: " + Narrow(e.getMessage()));
    } catch (const x::XMLException& e) {
        return Fail(outcome, "cannot parse: " + Narrow(e.getMessage()));
    } catch (const x::OutOfMemoryException&) {
        return Fail(outcome, "out of memory");
    } catch (const std::bad_alloc&) {
        return Fail(outcome, "out of memory");
    } catch (...) {
        return Fail(outcome, "cannot read the document");
    }
}

}  // namespace quaverly
