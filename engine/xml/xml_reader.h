// Parses a document's text into an XmlTree with the XML library.
//
// The library, and the network, crypto and directory libraries it is linked against,
// live in a module of their own ("libquaverly_xml.so", beside the program or the engine
// library) that is loaded when the first document is read: a program that opens no
// document neither links nor maps them, and the first load links them on its worker
// thread instead of the program's start.
#pragma once

#include <string>
#include <string_view>

#include "engine/xml/xml_element.h"

namespace quaverly {

struct XmlReadRequest {
    std::string_view document;  // the document's bytes
    std::string_view dtd;       // the text a partwise document type resolves to
    bool readNamedDtd = false;  // without DTD text, read the local DTD the document names
};

struct XmlReadOutcome {
    XmlTree tree;
    int validityErrors = 0;
    // Why the text could not be read ("not well-formed XML: line 3, column 7: ..."); empty
    // when it was.
    std::string error;
};

class XmlReader {
public:
    // The module's file name.
    static constexpr char kModuleFileName[] = "libquaverly_xml.so";

    // False, with the reason in `outcome.error`, when the module cannot be loaded or the
    // text is not well-formed XML. Safe to call from several threads at once.
    static bool Read(const XmlReadRequest& request, XmlReadOutcome& outcome);

    // Whether the module has been loaded in this process.
    static bool IsLoaded();
};

// The module's entry point, looked up by this name.
using XmlReadFunction = bool (*)(const XmlReadRequest& request, XmlReadOutcome& outcome);
inline constexpr char kXmlReadFunctionName[] = "quaverly_read_xml_document";

}  // namespace quaverly
