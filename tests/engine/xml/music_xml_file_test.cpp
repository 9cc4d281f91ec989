// Loading and saving whole documents: the saved form (UTF-8, CR LF, the document type),
// opening again without the network, documents of other programs and versions, and the
// ways a load or a save fails, each of which leaves nothing half done.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/part_group.h"
#include "tests/engine/xml/xml_test_util.h"
#include "tests/support/sanitizer_scale.h"

namespace quaverly::xml_test {
namespace {

namespace fs = std::filesystem;

using MusicXmlFileTest = XmlDocumentTest;

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(const std::string& bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        std::uint32_t value = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            value = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            value = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            value = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= bytes.size())
            return false;
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (next & 0x3F);
        }
        const std::uint32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (value < least[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

// A score of the kind a user makes: a title block in Chinese and two parts.
void FillScore(Score& score)
{
    score.SetTitle(u"新曲");
    score.SetComposer(u"作曲者");
    score.SetDescription(u"两行\r\n说明\n");
    AddPart(score, u"", u"高音");
    AddPart(score, u"", u"低音");
}

TEST_F(MusicXmlFileTest, ASavedScoreIsUtf8WithCrLfLineEndsAndTheDocumentType)
{
    FillScore(*score);
    const std::string text = SaveText();
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(IsUtf8(text));
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"", 0), 0u) << text.substr(0, 60);
    EXPECT_NE(text.find("\r\n<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 1.0 "
                        "Partwise//EN\" \"http://www.musicxml.org/dtds/partwise.dtd\">\r\n"),
              std::string::npos);
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lines;
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
        } else if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_GT(lines, 10u);
    EXPECT_NE(text.find("新曲"), std::string::npos);  // the text itself, not escaped
}

TEST_F(MusicXmlFileTest, ASavedScoreOpensAgainWithoutTheNetwork)
{
    // The saved document names its DTD by a network address; the loader takes the data
    // folder's DTD instead, so this opens however the network is.
    FillScore(*score);
    ASSERT_TRUE(RoundTrip()) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"新曲");
    EXPECT_EQ(loaded->GetComposer(), u"作曲者");
    EXPECT_EQ(loaded->GetDescription(), u"两行\r\n说明\n");
    ASSERT_EQ(loaded->GetChildCount(), 2);
    EXPECT_EQ(PartOf(*loaded, 1)->GetName(), u"低音");
}

TEST_F(MusicXmlFileTest, ASavedScoreFollowsTheProgramsDtd)
{
    FillScore(*score);
    AddPart(*score)->SetStaffLink(staff_link::kFirstOfPair);
    AddPart(*score)->SetStaffLink(staff_link::kSecondOfPair);
    auto group = std::make_shared<PartGroup>();
    group->SetFirstPart(1);
    group->SetLastPart(3);
    score->AddPartGroup(group);
    ASSERT_TRUE(RoundTrip()) << lastError;
    EXPECT_EQ(validityErrors, 0);
    // A document of another program has elements the DTD does not declare; they are
    // passed over and counted.
    ASSERT_TRUE(LoadText(Document("<work><work-title>w</work-title></work><part-list/>")));
    EXPECT_GT(validityErrors, 0);
}

// A DTD of the test's own that declares an entity: a document that uses it reads the
// entity's text only when its document type resolved to this file.
class DtdResolutionTest : public MusicXmlFileTest {
protected:
    void SetUp() override
    {
        MusicXmlFileTest::SetUp();
        dtd_ = folder / "own.dtd";
        TempFolder::Write(dtd_, "<!ENTITY mark \"FROM-OUR-DTD\">\n"
                                "<!ELEMENT score-partwise ANY>\n");
        MusicXmlFile::SetDtdFile(dtd_);
    }
    void TearDown() override { MusicXmlFile::SetDtdFile(ProgramDtd()); }

    std::string WithDoctype(const std::string& doctype)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
               "\n<score-partwise><movement-title>&mark;</movement-title><part-list/>"
               "</score-partwise>";
    }

    fs::path dtd_;
};

TEST_F(DtdResolutionTest, EveryVersionOfThePartwiseDocumentTypeResolvesToTheDataFolderDtd)
{
    const std::string doctypes[] = {
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 1.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">",
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 2.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">",
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">",
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
        "\"http://192.0.2.1/unreachable/partwise.dtd\">",
        // The open path's copy names the data folder's file; an old copy another folder.
        "<!DOCTYPE score-partwise SYSTEM \"/no/such/folder/dtd/partwise.dtd\">",
        "<!DOCTYPE score-partwise SYSTEM \"partwise.dtd\">",
    };
    for (const std::string& doctype : doctypes) {
        SCOPED_TRACE(doctype);
        ASSERT_TRUE(LoadText(WithDoctype(doctype))) << lastError;
        EXPECT_EQ(loaded->GetTitle(), u"FROM-OUR-DTD");
    }
}

TEST_F(DtdResolutionTest, OtherExternalEntitiesReadAsEmptyText)
{
    const fs::path secret = folder / "secret.txt";
    TempFolder::Write(secret, "SECRET");
    const std::string documents[] = {
        // Another document type: not ours, so not read, and its entity is not declared.
        "<!DOCTYPE score-partwise SYSTEM \"http://192.0.2.1/other.dtd\" ["
        "<!ENTITY mark \"\">]>",
        "<!DOCTYPE score-partwise [<!ENTITY mark SYSTEM \"" + secret.string() + "\">]>",
        "<!DOCTYPE score-partwise [<!ENTITY mark SYSTEM \"secret.txt\">]>",
        "<!DOCTYPE score-partwise [<!ENTITY mark SYSTEM \"http://192.0.2.1/x.txt\">]>",
        "<!DOCTYPE score-partwise [<!ENTITY % p SYSTEM \"file://" + secret.string() +
            "\"> %p; <!ENTITY mark \"\">]>",
    };
    for (const std::string& doctype : documents) {
        SCOPED_TRACE(doctype);
        ASSERT_TRUE(LoadText(WithDoctype(doctype))) << lastError;
        EXPECT_EQ(loaded->GetTitle(), u"");
    }
}

TEST_F(MusicXmlFileTest, AMissingDtdFileStillLetsTheDocumentOpen)
{
    FillScore(*score);
    const std::string text = SaveText();
    MusicXmlFile::SetDtdFile(folder / "missing.dtd");
    EXPECT_TRUE(LoadText(text)) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"新曲");
    MusicXmlFile::SetDtdFile({});
    EXPECT_TRUE(LoadText(text)) << lastError;
    EXPECT_EQ(loaded->GetChildCount(), 2);
}

TEST_F(MusicXmlFileTest, DocumentsOfOtherProgramsOpenWithWhatTheConvertersKnow)
{
    const std::string documents[] = {
        // A later version: a version attribute, elements this program has no place for,
        // creators of other kinds, ids on the instruments.
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\r\n"
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">\r\n"
        "<score-partwise version=\"3.1\">\r\n"
        "  <work><work-title>作品</work-title></work>\r\n"
        "  <movement-title>Song</movement-title>\r\n"
        "  <identification><creator type=\"composer\">C</creator>"
        "<creator type=\"lyricist\">L</creator><encoding><software>X</software>"
        "<supports element=\"print\" type=\"yes\"/></encoding></identification>\r\n"
        "  <defaults><scaling><millimeters>7</millimeters><tenths>40</tenths></scaling></defaults>\r\n"
        "  <part-list><part-group type=\"start\" number=\"1\"><group-symbol>bracket"
        "</group-symbol></part-group>"
        "<score-part id=\"P1\"><part-name>Flute</part-name><score-instrument id=\"P1-I1\">"
        "<instrument-name>Flute</instrument-name></score-instrument>"
        "<midi-instrument id=\"P1-I1\"><midi-channel>1</midi-channel><midi-program>74"
        "</midi-program><volume>80</volume></midi-instrument></score-part>"
        "<part-group type=\"stop\" number=\"1\"/></part-list>\r\n"
        "  <part id=\"P1\"><measure number=\"1\"><attributes><divisions>1</divisions>"
        "</attributes><note><pitch><step>C</step><octave>4</octave></pitch>"
        "<duration>1</duration><type>quarter</type></note></measure></part>\r\n"
        "</score-partwise>\r\n",
        // A MusicXML 2.0 document in UTF-8 with a byte order mark.
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 2.0 Partwise//EN\" "
        "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
        "<score-partwise version=\"2.0\"><movement-title>Song</movement-title>"
        "<identification><creator type=\"composer\">C</creator></identification>"
        "<part-list><score-part id=\"P1\"><part-name>Flute</part-name><midi-instrument "
        "id=\"x\"><midi-program>74</midi-program></midi-instrument></score-part></part-list>"
        "<part id=\"P1\"/></score-partwise>\n",
        // No document type at all.
        "<score-partwise><movement-title>Song</movement-title><identification><creator "
        "type=\"composer\">C</creator></identification><part-list><score-part id=\"P1\">"
        "<part-name>Flute</part-name><midi-instrument><midi-program>74</midi-program>"
        "</midi-instrument></score-part></part-list></score-partwise>",
    };
    for (const std::string& document : documents) {
        SCOPED_TRACE(document.substr(0, 120));
        ASSERT_TRUE(LoadText(document)) << lastError;
        EXPECT_EQ(loaded->GetTitle(), u"Song");
        EXPECT_EQ(loaded->GetComposer(), u"C");
        EXPECT_EQ(loaded->GetPoet(), u"");
        ASSERT_EQ(loaded->GetChildCount(), 1);
        EXPECT_EQ(PartOf(*loaded, 0)->GetName(), u"Flute");
        EXPECT_EQ(PartOf(*loaded, 0)->GetProgram(), 73);
    }
}

TEST_F(MusicXmlFileTest, AUtf16DocumentWithAByteOrderMarkOpens)
{
    const std::u16string text =
        u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
        u"<score-partwise><movement-title>十六位</movement-title><part-list/></score-partwise>";
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    ASSERT_TRUE(LoadText(bytes)) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"十六位");
}

TEST_F(MusicXmlFileTest, DeeplyNestedUnknownElementsArePassedOver)
{
    constexpr int kDepth = 20000;
    std::string inner;
    inner.reserve(kDepth * 8);
    for (int i = 0; i < kDepth; ++i)
        inner += "<x>";
    for (int i = 0; i < kDepth; ++i)
        inner += "</x>";
    ASSERT_TRUE(LoadText(Document("<movement-title>deep</movement-title><part-list/>" + inner)))
        << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"deep");
}

TEST_F(MusicXmlFileTest, LoadsAndSavesOnSeveralThreadsAtOnce)
{
    FillScore(*score);
    const std::string text = SaveText("shared.exl");
    ASSERT_FALSE(text.empty());
    std::vector<std::thread> threads;
    std::atomic<int> failures{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const fs::path own = folder / ("thread" + std::to_string(t) + ".exl");
            for (int round = 0; round < 10; ++round) {
                Score mine;
                MusicXmlFile reader;
                reader.SetScore(&mine);
                if (!reader.Load(folder / "shared.exl") || mine.GetTitle() != u"新曲")
                    ++failures;
                MusicXmlFile writer;
                writer.SetScore(&mine);
                if (!writer.Save(own))
                    ++failures;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

TEST_F(MusicXmlFileTest, AnEmptyRootLoadsAsAnEmptyScoreWithTheStartingPageRecord)
{
    loaded->SetTitle(u"earlier");
    AddPart(*loaded);
    ASSERT_TRUE(LoadText(Document(""))) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"");
    EXPECT_EQ(loaded->GetChildCount(), 0);
    EXPECT_EQ(loadedPage, PageLayoutResult{});
    EXPECT_EQ(loadedPage.tempo, 120);
    EXPECT_EQ(loadedPage.page.portrait, 1);
}

TEST_F(MusicXmlFileTest, BrokenOrForeignFilesFailAndLeaveAnEmptyScore)
{
    FillScore(*score);
    const std::string good = SaveText();
    ASSERT_FALSE(good.empty());
    std::string badUtf8 = good;
    badUtf8.replace(badUtf8.find("新曲"), 3, "\xC3\x28\xFF");
    std::string laughs = "<?xml version=\"1.0\"?><!DOCTYPE score-partwise [<!ENTITY a0 \"ha\">";
    for (int i = 1; i < 12; ++i) {
        laughs += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k)
            laughs += "&a" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    laughs += "]><score-partwise><movement-title>&a11;</movement-title></score-partwise>";

    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() / 2)},
        {"cut before the root ends", good.substr(0, good.rfind("</score-partwise>"))},
        {"malformed", Document("<movement-title>t</movement-subtitle><part-list/>")},
        {"unclosed attribute", Document("<movement-title relative-x=\"1>t</movement-title>")},
        {"two roots", Document("<part-list/>") + "<score-partwise/>"},
        {"empty file", ""},
        {"only blanks", "  \r\n  "},
        {"binary", std::string("\x00\x01\x02\xFF\xFE garbage", 14)},
        {"timewise root", "<?xml version=\"1.0\"?><!DOCTYPE score-timewise PUBLIC "
                          "\"-//Recordare//DTD MusicXML 3.1 Timewise//EN\" "
                          "\"http://www.musicxml.org/dtds/timewise.dtd\">"
                          "<score-timewise><part-list/></score-timewise>"},
        {"other root", "<html><body>not a score</body></html>"},
        {"root with a namespace prefix", "<m:score-partwise xmlns:m=\"urn:x\"/>"},
        {"invalid UTF-8", badUtf8},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"X-NONE\"?><score-partwise/>"},
        {"undeclared entity", "<score-partwise><movement-title>&nothing;</movement-title>"
                              "</score-partwise>"},
        {"recursive entity", "<!DOCTYPE score-partwise [<!ENTITY a \"&b;\"><!ENTITY b \"&a;\">]>"
                             "<score-partwise><movement-title>&a;</movement-title></score-partwise>"},
        {"a billion laughs", laughs},
        // Every duration is divided by the divisions.
        {"divisions of 0",
         Document("<part-list><score-part id=\"P1\"><part-name/></score-part></part-list>"
                  "<part id=\"P1\"><measure number=\"1\"><attributes><divisions>0"
                  "</divisions></attributes><note><rest/><duration>4</duration></note>"
                  "</measure></part>")},
        {"negative divisions",
         Document("<part-list><score-part id=\"P1\"><part-name/></score-part></part-list>"
                  "<part id=\"P1\"><measure number=\"1\"><attributes><divisions>-128"
                  "</divisions></attributes></measure></part>")},
        {"divisions that are no number",
         Document("<part-list><score-part id=\"P1\"><part-name/></score-part></part-list>"
                  "<part id=\"P1\"><measure number=\"1\"><attributes><divisions>many"
                  "</divisions></attributes></measure></part>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loaded->SetTitle(u"stale");
        AddPart(*loaded, u"P1", u"stale");
        const auto begin = std::chrono::steady_clock::now();
        EXPECT_FALSE(LoadText(c.text));
        EXPECT_FALSE(lastError.empty());
        EXPECT_EQ(loaded->GetChildCount(), 0);
        EXPECT_EQ(loaded->GetTitle(), u"");
        EXPECT_TRUE(loaded->GetPartGroups().empty());
        EXPECT_EQ(loadedPage, PageLayoutResult{});
        // Failing is quick: nothing waits on the network or expands without bound.
        EXPECT_LT(std::chrono::steady_clock::now() - begin,
                  std::chrono::seconds(testsupport::kUnderSanitizer ? 80 : 10));
    }
}

TEST_F(MusicXmlFileTest, FilesThatCannotBeReadFail)
{
    fs::create_directories(folder / "a-folder");
    TempFolder::Write(folder / "plain.txt", "x");
    const fs::path paths[] = {folder / "missing.exl", folder / "a-folder", folder / "plain.txt" / "x.exl",
                              fs::path()};
    for (const fs::path& path : paths) {
        SCOPED_TRACE(path.string());
        AddPart(*loaded);
        EXPECT_FALSE(LoadFile(path));
        EXPECT_EQ(loaded->GetChildCount(), 0);
        EXPECT_FALSE(lastError.empty());
    }
}

TEST_F(MusicXmlFileTest, LoadAndSaveWithoutAScoreFail)
{
    MusicXmlFile file;
    EXPECT_FALSE(file.Save(folder / "x.exl"));
    EXPECT_FALSE(fs::exists(folder / "x.exl"));
    TempFolder::Write(folder / "y.exl", Document(""));
    EXPECT_FALSE(file.Load(folder / "y.exl"));
}

TEST_F(MusicXmlFileTest, SavingWhereNoFileCanBeWrittenFailsAndChangesNothing)
{
    FillScore(*score);
    fs::create_directories(folder / "a-folder");
    TempFolder::Write(folder / "plain.txt", "x");
    const fs::path paths[] = {folder / "missing" / "out.exl", folder / "a-folder",
                              folder / "plain.txt" / "out.exl", fs::path()};
    for (const fs::path& path : paths) {
        SCOPED_TRACE(path.string());
        MusicXmlFile file;
        file.SetScore(score.get());
        EXPECT_FALSE(file.Save(path));
        EXPECT_FALSE(file.GetError().empty());
    }
    EXPECT_TRUE(fs::is_directory(folder / "a-folder"));
    EXPECT_EQ(TempFolder::Read(folder / "plain.txt"), "x");
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        left.push_back(entry.path().filename());
    EXPECT_EQ(left.size(), 2u);
}

TEST_F(MusicXmlFileTest, SavingOverAFileReplacesItWhole)
{
    const fs::path path = folder / "score.exl";
    TempFolder::Write(path, std::string(100000, 'o'));
    FillScore(*score);
    MusicXmlFile file;
    file.SetScore(score.get());
    ASSERT_TRUE(file.Save(path)) << file.GetError();
    const std::string text = TempFolder::Read(path);
    EXPECT_EQ(text.find('o' + std::string(20, 'o')), std::string::npos);
    EXPECT_TRUE(LoadFile(path)) << lastError;
    EXPECT_EQ(loaded->GetTitle(), u"新曲");
}

}  // namespace
}  // namespace quaverly::xml_test
