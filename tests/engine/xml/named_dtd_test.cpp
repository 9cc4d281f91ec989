// A process that set no DTD of its own (the program) reads the DTD its opening path
// wrote into the document type of the copy it loads: an absolute local "partwise.dtd".
#include <string>

#include <gtest/gtest.h>

#include "tests/engine/xml/xml_test_util.h"

namespace quaverly::xml_test {
namespace {

namespace fs = std::filesystem;

class NamedDtdTest : public XmlDocumentTest {
protected:
    void SetUp() override
    {
        MusicXmlFile::SetDtdFile({});
        fs::create_directories(folder / "dtd");
        own_ = folder / "dtd" / "partwise.dtd";
        TempFolder::Write(own_, "<!ENTITY mark \"FROM-THE-NAMED-DTD\">\n<!ELEMENT score-partwise ANY>\n");
    }
    void TearDown() override { MusicXmlFile::SetDtdFile(ProgramDtd()); }

    static std::string WithDoctype(const std::string& systemId)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 1.0 Partwise//EN\" \"" +
               systemId + "\">\n<score-partwise><movement-title>&mark;</movement-title><part-list/></score-partwise>";
    }

    fs::path own_;
};

TEST_F(NamedDtdTest, TheAbsoluteLocalPartwiseDtdIsRead)
{
    ASSERT_TRUE(LoadText(WithDoctype(own_.string()))) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"FROM-THE-NAMED-DTD");
}

TEST_F(NamedDtdTest, NothingElseIsRead)
{
    TempFolder::Write(folder / "other.dtd", "<!ENTITY mark \"WRONG\">\n");
    const std::string others[] = {
        "dtd/partwise.dtd",                        // relative
        (folder / "other.dtd").string(),           // another name
        (folder / "missing" / "partwise.dtd").string(),
        "http://www.musicxml.org/dtds/partwise.dtd",  // never the network
    };
    for (const std::string& systemId : others) {
        SCOPED_TRACE(systemId);
        // Without the DTD the entity is undeclared: a validity error, passed over.
        ASSERT_TRUE(LoadText(WithDoctype(systemId))) << lastError;
        EXPECT_EQ(loaded->GetTitle(), u"");
        EXPECT_GT(validityErrors, 0);
    }
}

TEST_F(NamedDtdTest, TheProcessDtdWinsWhenThereIsOne)
{
    const fs::path process = folder / "process.dtd";
    TempFolder::Write(process, "<!ENTITY mark \"FROM-THE-PROCESS\">\n<!ELEMENT score-partwise ANY>\n");
    MusicXmlFile::SetDtdFile(process);
    ASSERT_TRUE(LoadText(WithDoctype(own_.string()))) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"FROM-THE-PROCESS");
}

TEST_F(NamedDtdTest, TheProgramsDtdValidatesASavedDocumentWithoutErrors)
{
    AddPart(*score, u"P1", u"钢琴");
    score->SetTitle(u"茉莉花");
    std::string text = SaveText();
    const std::string network = "http://www.musicxml.org/dtds/partwise.dtd";
    const std::size_t at = text.find(network);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, network.size(), ProgramDtd().string());
    ASSERT_TRUE(LoadText(text)) << lastError;
    EXPECT_EQ(validityErrors, 0);
    EXPECT_EQ(loaded->GetTitle(), u"茉莉花");
}

}  // namespace
}  // namespace quaverly::xml_test
