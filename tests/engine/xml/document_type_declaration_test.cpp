// Finding a document's type declaration in its bytes, and handing its external subset to
// the parser from the internal one: the document reads as before, with the same
// declarations, the same validity errors and its lines where they were.
#include <string>

#include <gtest/gtest.h>

#include "engine/xml/document_type_declaration.h"
#include "engine/xml/file_bytes.h"
#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

namespace fs = std::filesystem;

std::string Text(std::string_view document, DocumentTypeDeclaration::Span span)
{
    return std::string(document.substr(span.begin, span.Size()));
}

TEST(DocumentTypeDeclarationTest, FindsTheDeclarationBeforeTheRootOnly)
{
    struct Case {
        const char* what;
        std::string document;
        bool found;
        std::string externalId;
        std::string systemId;
        std::string subset;  // "-" for none
    };
    const Case cases[] = {
        {"public", "<?xml version=\"1.0\"?>\n<!DOCTYPE s PUBLIC \"p\" \"a.dtd\">\n<s/>", true,
         "PUBLIC \"p\" \"a.dtd\"", "a.dtd", "-"},
        {"system in single quotes, after a mark, comments and instructions",
         "\xEF\xBB\xBF<?xml version='1.0'?><!-- > ] --><?pi ]>?>\n<!DOCTYPE s SYSTEM 'b.dtd'><s/>",
         true, "SYSTEM 'b.dtd'", "b.dtd", "-"},
        {"a subset whose literals and comments hold brackets",
         "<!DOCTYPE s SYSTEM \"c.dtd\" [\n<!ENTITY e \"]>\"><!-- ] -->\n] ><s/>", true,
         "SYSTEM \"c.dtd\"", "c.dtd", "\n<!ENTITY e \"]>\"><!-- ] -->\n"},
        {"a subset alone", "<!DOCTYPE s [<!ELEMENT s ANY>]><s/>", true, "", "", "<!ELEMENT s ANY>"},
        {"a name alone", "<!DOCTYPE s><s/>", true, "", "", "-"},
        {"no declaration", "<?xml version=\"1.0\"?><s>&lt;!DOCTYPE</s>", false, "", "", "-"},
        {"after the root it is text", "<s/><!DOCTYPE s SYSTEM \"a.dtd\">", false, "", "", "-"},
        {"an unclosed literal", "<!DOCTYPE s SYSTEM \"a.dtd><s/>", false, "", "", "-"},
        {"an unclosed subset", "<!DOCTYPE s SYSTEM \"a.dtd\" [<!ELEMENT s ANY>", false, "", "", "-"},
        {"UTF-16", std::string("\xFF\xFE<\0!\0", 6), false, "", "", "-"},
        {"empty", "", false, "", "", "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DocumentTypeDeclaration decl = DocumentTypeDeclaration::Find(c.document);
        ASSERT_EQ(decl.found, c.found);
        if (!c.found)
            continue;
        EXPECT_EQ(Text(c.document, decl.whole).substr(0, 9), "<!DOCTYPE");
        EXPECT_EQ(c.document[decl.whole.end - 1], '>');
        EXPECT_EQ(Text(c.document, decl.externalId), c.externalId);
        EXPECT_EQ(Text(c.document, decl.systemId), c.systemId);
        EXPECT_EQ(decl.hasSubset, c.subset != "-");
        if (decl.hasSubset) {
            EXPECT_EQ(Text(c.document, decl.subset), c.subset);
        }
    }
}

TEST(DocumentTypeDeclarationTest, TheExternalSubsetIsReferencedFromInside)
{
    struct Case {
        const char* what;
        std::string document;
        std::string read;
    };
    const std::string entity = "<!ENTITY % document-type-external-subset ";
    const std::string reference = ">%document-type-external-subset;]";
    const Case cases[] = {
        {"public", "<!DOCTYPE s PUBLIC \"p\" \"a.dtd\">\n<s/>",
         "<!DOCTYPE s [" + entity + "PUBLIC \"p\" \"a.dtd\"" + reference + ">\n<s/>"},
        {"the document's own declarations come first",
         "<!DOCTYPE s SYSTEM \"a.dtd\" [<!ENTITY e \"x\">]><s/>",
         "<!DOCTYPE s [<!ENTITY e \"x\">" + entity + "SYSTEM \"a.dtd\"" + reference + "><s/>"},
        {"line ends stay where they were",
         "<!DOCTYPE s\nSYSTEM \"a.dtd\"\n[\n<!ENTITY e \"x\">\n]\n>\n<s/>",
         "<!DOCTYPE s\n[\n<!ENTITY e \"x\">\n" + entity + "SYSTEM \"a.dtd\"" + reference +
             "\n\n>\n<s/>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string read = c.document;
        ASSERT_TRUE(ReferenceExternalSubsetFromInside(read));
        EXPECT_EQ(read, c.read);
    }
    // Nothing to hand over, and nothing changed.
    for (const char* document : {"<!DOCTYPE s [<!ELEMENT s ANY>]><s/>", "<s/>", "<!DOCTYPE s"}) {
        std::string read = document;
        EXPECT_FALSE(ReferenceExternalSubsetFromInside(read)) << document;
        EXPECT_EQ(read, document);
    }
}

// A large score read from its file is rewritten where it lies: no second copy of it is
// made, and the rest of it is unchanged.
TEST(DocumentTypeDeclaration, ALargeDocumentReadFromItsFileIsRewrittenInItsOwnBuffer)
{
    TempFolder folder;
    const std::string body = "<s>" + std::string(1 << 20, 'x') + "</s>";
    const std::string heads[] = {
        "<!DOCTYPE score-partwise PUBLIC \"-//Corvanne//DTD Partwise 1.0//EN\" \"partwise.dtd\">",
        "<!DOCTYPE s SYSTEM \"a.dtd\" [<!ENTITY e \"x\">]>",
        "<!DOCTYPE s\r\n  SYSTEM \"a.dtd\"\r\n  [ ]\r\n  >",
    };
    for (const std::string& head : heads) {
        SCOPED_TRACE(head);
        const auto path = folder / "large.xml";
        TempFolder::Write(path, head + body);
        std::string document;
        std::string error;
        ASSERT_TRUE(ReadFileBytes(path, 1u << 30, document, error, kExternalSubsetReferenceRoom)) << error;
        const char* buffer = document.data();
        ASSERT_TRUE(ReferenceExternalSubsetFromInside(document));
        EXPECT_EQ(document.data(), buffer);
        EXPECT_TRUE(document.ends_with(body));
        EXPECT_NE(document.find("%document-type-external-subset;]"), std::string::npos);
    }
}

class DocumentTypeReadingTest : public XmlDocumentTest {};

TEST_F(DocumentTypeReadingTest, ADocumentReadsAsItsDeclarationsSay)
{
    // The program's DTD validates a saved document; a document's own entity wins over
    // the DTD's, as the internal subset always did; an error keeps its line.
    AddPart(*score, u"P1", u"钢琴");
    score->SetTitle(u"茉莉花");
    const std::string saved = SaveText();
    ASSERT_TRUE(LoadText(saved)) << lastError;
    EXPECT_EQ(validityErrors, 0);
    EXPECT_EQ(loaded->GetTitle(), u"茉莉花");

    const fs::path dtd = folder / "partwise.dtd";
    TempFolder::Write(dtd, "<!ENTITY mark \"FROM-THE-DTD\">\n<!ELEMENT score-partwise ANY>\n");
    MusicXmlFile::SetDtdFile(dtd);
    const std::string head =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD "
        "MusicXML 1.0 Partwise//EN\" \"http://www.musicxml.org/dtds/partwise.dtd\"";
    const std::string body = ">\n<score-partwise><movement-title>&mark;</movement-title>"
                             "<part-list/></score-partwise>";
    ASSERT_TRUE(LoadText(head + body)) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"FROM-THE-DTD");
    ASSERT_TRUE(LoadText(head + " [<!ENTITY mark \"OWN\">]" + body)) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"OWN");
    EXPECT_FALSE(LoadText(head + body + "\n\n<oops"));
    EXPECT_NE(lastError.find("line 5"), std::string::npos) << lastError;
    MusicXmlFile::SetDtdFile(ProgramDtd());
}

}  // namespace
}  // namespace quaverly::xml_test
