#include "engine/xml/reader/document_type_resolver.h"
#include "engine/xml/file_bytes.h"

#include <filesystem>
#include <system_error>

#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

namespace quaverly {

namespace {

constexpr std::u16string_view kPublicPrefix = u"-//Recordare//DTD MusicXML ";
constexpr std::u16string_view kPublicSuffix = u" Partwise//EN";
constexpr std::u16string_view kDtdFileName = u"partwise.dtd";

std::u16string_view Text(const XMLCh* text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

// No DTD of the vocabulary comes near this size.
constexpr std::uintmax_t kMaxDtdBytes = 4u * 1024u * 1024u;

// The DTD file an absolute local path names, when it is called "partwise.dtd"; empty
// text otherwise.
std::string ReadNamedDtd(std::u16string_view systemId)
{
    namespace fs = std::filesystem;
    if (systemId.empty() || systemId.front() != u'/')
        return {};
    const fs::path path{std::u16string(systemId)};
    std::error_code ec;
    if (path.filename().u16string() != kDtdFileName || !fs::is_regular_file(path, ec))
        return {};
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, kMaxDtdBytes, bytes, error))
        return {};
    return bytes;
}

}  // namespace

DocumentTypeResolver::DocumentTypeResolver(std::string dtd, bool readNamedDtd)
    : dtd_(std::move(dtd)), readNamedDtd_(readNamedDtd)
{
}

bool DocumentTypeResolver::IsPartwiseDocumentType(std::u16string_view publicId,
                                                  std::u16string_view systemId)
{
    if (!publicId.empty()) {
        return publicId.size() > kPublicPrefix.size() + kPublicSuffix.size() &&
               publicId.starts_with(kPublicPrefix) && publicId.ends_with(kPublicSuffix);
    }
    const std::size_t slash = systemId.find_last_of(u"/\\");
    const std::u16string_view last =
        slash == std::u16string_view::npos ? systemId : systemId.substr(slash + 1);
    return last == kDtdFileName;
}

xercesc::InputSource* DocumentTypeResolver::resolveEntity(xercesc::XMLResourceIdentifier* resource)
{
    const XMLCh* systemId = resource ? resource->getSystemId() : nullptr;
    const XMLCh* const name = systemId ? systemId : u"";
    const bool dtd =
        resource && resource->getResourceIdentifierType() ==
                        xercesc::XMLResourceIdentifier::ExternalEntity &&
        IsPartwiseDocumentType(Text(resource->getPublicId()), Text(systemId));
    if (dtd && dtd_.empty() && readNamedDtd_) {
        dtd_ = ReadNamedDtd(Text(systemId));
        readNamedDtd_ = false;
    }
    if (dtd)
        ++dtdCount_;
    else
        ++emptyCount_;
    // The parser adopts the source; the bytes stay with this resolver, which outlives
    // the parse. An empty buffer still needs a valid pointer.
    static const XMLByte kNothing[1] = {0};
    if (!dtd || dtd_.empty())
        return new xercesc::MemBufInputSource(kNothing, 0, name, false);
    return new xercesc::MemBufInputSource(reinterpret_cast<const XMLByte*>(dtd_.data()),
                                          dtd_.size(), name, false);
}

}  // namespace quaverly
