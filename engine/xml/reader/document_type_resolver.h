// Where the parser gets the external pieces a document names: the document type of a
// partwise score, of any version of the format, comes from the program's own DTD in its
// data folder; every other external entity (another DTD, an external entity of the
// internal subset, a network address, a local file) reads as empty text. Loading so
// never reaches the network and never opens any file but the document and that DTD.
//
// A process that set no DTD of its own (the program, whose opening path writes the data
// folder's DTD into the document type of the copy it loads) takes the DTD from the
// absolute local path the partwise document type names, when that file is called
// "partwise.dtd".
#pragma once

#include <string>
#include <string_view>

#include <xercesc/util/XMLEntityResolver.hpp>

namespace quaverly {

class DocumentTypeResolver : public xercesc::XMLEntityResolver {
public:
    // The DTD text handed out for a partwise document type; empty text when the DTD could
    // not be read (the document is then read without its declarations).
    // With `readNamedDtd` and no DTD text, the named local DTD file is read instead.
    explicit DocumentTypeResolver(std::string dtd, bool readNamedDtd = false);

    xercesc::InputSource* resolveEntity(xercesc::XMLResourceIdentifier* resource) override;

    // True for the public identifier "-//Recordare//DTD MusicXML <version> Partwise//EN",
    // or, without one, for a system identifier whose last path segment is
    // "partwise.dtd" (a saved document names it on the network, an opened copy in the
    // data folder).
    static bool IsPartwiseDocumentType(std::u16string_view publicId,
                                       std::u16string_view systemId);

    // How many times the DTD and an empty text were handed out.
    int GetDtdCount() const { return dtdCount_; }
    int GetEmptyCount() const { return emptyCount_; }

private:
    std::string dtd_;
    bool readNamedDtd_ = false;
    int dtdCount_ = 0;
    int emptyCount_ = 0;
};

}  // namespace quaverly
