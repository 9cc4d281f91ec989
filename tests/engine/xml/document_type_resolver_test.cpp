// Which document types resolve to the program's DTD; everything else is empty text.
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <xercesc/sax/InputSource.hpp>
#include <xercesc/util/BinInputStream.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

#include "engine/xml/reader/document_type_resolver.h"
#include "engine/xml/reader/xml_platform.h"

namespace quaverly {
namespace {

namespace x = xercesc;

TEST(DocumentTypeResolverTest, KnowsThePartwiseDocumentTypesOfEveryVersion)
{
    struct Case {
        std::u16string publicId;
        std::u16string systemId;
        bool partwise;
    };
    const Case cases[] = {
        {u"-//Recordare//DTD MusicXML 1.0 Partwise//EN", u"http://www.musicxml.org/dtds/partwise.dtd", true},
        {u"-//Recordare//DTD MusicXML 2.0 Partwise//EN", u"", true},
        {u"-//Recordare//DTD MusicXML 3.1 Partwise//EN", u"anything.dtd", true},
        {u"-//Recordare//DTD MusicXML 4.0 Partwise//EN", u"", true},
        {u"-//Recordare//DTD MusicXML 3.1 Timewise//EN", u"partwise.dtd", false},
        {u"-//Recordare//DTD MusicXML Partwise//EN", u"", false},
        {u"-//W3C//DTD XHTML 1.0 Strict//EN", u"partwise.dtd", false},
        {u"", u"http://www.musicxml.org/dtds/partwise.dtd", true},
        {u"", u"C:\\Program Files\\Brindle\\dtd\\partwise.dtd", true},
        {u"", u"partwise.dtd", true},
        {u"", u"/data/dtd/timewise.dtd", false},
        {u"", u"http://example.com/partwise.dtd.txt", false},
        {u"", u"Partwise.dtd", false},
        {u"", u"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DocumentTypeResolver::IsPartwiseDocumentType(c.publicId, c.systemId), c.partwise)
            << std::string(c.publicId.begin(), c.publicId.end()) << " | "
            << std::string(c.systemId.begin(), c.systemId.end());
    }
}

std::string ReadAll(x::InputSource& source)
{
    std::unique_ptr<x::BinInputStream> stream(source.makeStream());
    std::string bytes;
    XMLByte buffer[256];
    while (const XMLSize_t count = stream->readBytes(buffer, sizeof buffer))
        bytes.append(reinterpret_cast<const char*>(buffer), count);
    return bytes;
}

TEST(DocumentTypeResolverTest, HandsOutTheDtdOrEmptyText)
{
    ASSERT_TRUE(XmlPlatform::EnsureInitialized());
    DocumentTypeResolver resolver("<!ELEMENT score-partwise ANY>");
    x::XMLResourceIdentifier dtd(x::XMLResourceIdentifier::ExternalEntity,
                                 u"http://www.musicxml.org/dtds/partwise.dtd",
                                 nullptr, u"-//Recordare//DTD MusicXML 1.0 Partwise//EN");
    x::XMLResourceIdentifier other(x::XMLResourceIdentifier::ExternalEntity,
                                   u"file:///etc/passwd");
    x::XMLResourceIdentifier schema(x::XMLResourceIdentifier::SchemaGrammar,
                                    u"partwise.dtd");
    const std::unique_ptr<x::InputSource> a(resolver.resolveEntity(&dtd));
    const std::unique_ptr<x::InputSource> b(resolver.resolveEntity(&other));
    const std::unique_ptr<x::InputSource> c(resolver.resolveEntity(&schema));
    const std::unique_ptr<x::InputSource> d(resolver.resolveEntity(nullptr));
    ASSERT_TRUE(a && b && c && d);
    EXPECT_EQ(ReadAll(*a), "<!ELEMENT score-partwise ANY>");
    EXPECT_EQ(ReadAll(*b), "");
    EXPECT_EQ(ReadAll(*c), "");
    EXPECT_EQ(ReadAll(*d), "");
    EXPECT_EQ(resolver.GetDtdCount(), 1);
    EXPECT_EQ(resolver.GetEmptyCount(), 3);

    DocumentTypeResolver withoutDtd("");
    const std::unique_ptr<x::InputSource> e(withoutDtd.resolveEntity(&dtd));
    ASSERT_TRUE(e);
    EXPECT_EQ(ReadAll(*e), "");
}

}  // namespace
}  // namespace quaverly
