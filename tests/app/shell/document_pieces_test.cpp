// The pieces of the document commands that need no window: path names, the rewritten
// copy of an opened document and its private temporary file, and the new score's record.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../../platform/temp_folder.h"
#include "app/shell/document_loader.h"
#include "app/shell/document_paths.h"
#include "app/shell/new_score_record.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"

namespace {

namespace fs = std::filesystem;
using namespace brindle;

TEST(DocumentPaths, NamesAndExtensionsOfAnyPath)
{
    struct Case {
        std::u16string path;
        std::u16string extension;
        std::u16string name;
        std::u16string stripped;
        bool document;
    };
    const Case cases[] = {
        {u"/home/u/歌曲.exl", u"exl", u"歌曲.exl", u"/home/u/歌曲", true},
        {u"/home/u/SONG.EXL", u"EXL", u"SONG.EXL", u"/home/u/SONG", true},
        {u"/home/u/a.b.Exl", u"Exl", u"a.b.Exl", u"/home/u/a.b", true},
        {u"/home/u/song.mid", u"mid", u"song.mid", u"/home/u/song", false},
        {u"/home/u/song.exl.txt", u"txt", u"song.exl.txt", u"/home/u/song.exl", false},
        // A dot in a folder name is no extension of the file.
        {u"/home/v1.exl/notes", u"", u"notes", u"/home/v1.exl/notes", false},
        {u"notes", u"", u"notes", u"notes", false},
        {u"back\\slash.exl", u"exl", u"back\\slash.exl", u"back\\slash", true},
        {u"", u"", u"", u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        EXPECT_EQ(FileExtension(c.path), c.extension);
        EXPECT_EQ(FileNameOf(c.path), c.name);
        EXPECT_EQ(StripExtension(c.path), c.stripped);
        EXPECT_EQ(HasDocumentExtension(c.path), c.document);
    }
    // Paths are UTF-8 on disk, of any length.
    const std::u16string longName = u"/tmp/" + std::u16string(300, u'谱') + u".exl";
    EXPECT_EQ(PathText(NativePath(longName)), longName);
    EXPECT_EQ(NativePath(u"/tmp/谱.exl").native(), "/tmp/\xE8\xB0\xB1.exl");
}

TEST(DocumentPaths, ReadOnlyIsTheFilesOwnMark)
{
    TempFolder folder;
    const fs::path file = folder / "a.exl";
    TempFolder::Write(file, "x");
    const std::u16string path = PathText(file);
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(IsReadOnlyFile(path));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(IsReadOnlyFile(path));
    EXPECT_FALSE(FileExists(PathText(folder / "missing.exl")));
    EXPECT_FALSE(IsReadOnlyFile(PathText(folder / "missing.exl")));
    EXPECT_FALSE(FileExists(PathText(folder.Path())));
}

TEST(DocumentTypeRewriteTest, OnlyTheSystemIdentifierIsPointedAtTheDtdAndLinesEndInCrLf)
{
    const DocumentTypeRewrite rewrite{"http://x/partwise.dtd", "/data/dtd/partwise.dtd"};
    struct Case {
        const char* what;
        std::string document;
        std::string copy;
    };
    const Case cases[] = {
        {"the document type", "<?xml?>\n<!DOCTYPE s PUBLIC \"p\" \"http://x/partwise.dtd\">\n<s/>",
         "<?xml?>\r\n<!DOCTYPE s PUBLIC \"p\" \"/data/dtd/partwise.dtd\">\r\n<s/>\r\n"},
        {"a title and a lyric that quote the address keep it",
         "<!DOCTYPE s SYSTEM 'http://x/partwise.dtd'>\n<s><t>http://x/partwise.dtd</t>"
         "<l>a http://x/partwise.dtd b</l></s>",
         "<!DOCTYPE s SYSTEM '/data/dtd/partwise.dtd'>\r\n<s><t>http://x/partwise.dtd</t>"
         "<l>a http://x/partwise.dtd b</l></s>\r\n"},
        {"the identifier on a line of its own; the internal subset and a comment keep theirs",
         "<!-- http://x/partwise.dtd -->\n<!DOCTYPE s\n PUBLIC \"http://x/partwise.dtd\"\n"
         " \"http://x/partwise.dtd\" [<!ENTITY e \"http://x/partwise.dtd\">]>\n<s/>",
         "<!-- http://x/partwise.dtd -->\r\n<!DOCTYPE s\r\n PUBLIC \"http://x/partwise.dtd\"\r\n"
         " \"/data/dtd/partwise.dtd\" [<!ENTITY e \"http://x/partwise.dtd\">]>\r\n<s/>\r\n"},
        {"no document type", "<s>http://x/partwise.dtd</s>", "<s>http://x/partwise.dtd</s>\r\n"},
        {"another document type", "<!DOCTYPE s SYSTEM \"other.dtd\">\n<s>http://x/partwise.dtd</s>",
         "<!DOCTYPE s SYSTEM \"other.dtd\">\r\n<s>http://x/partwise.dtd</s>\r\n"},
        {"a final line feed gives one more empty line", "<s/>\n", "<s/>\r\n\r\n"},
        {"CR LF lines stay single", "<a>\r\n<b/>\r\n", "<a>\r\n<b/>\r\n\r\n"},
        {"the bytes are not decoded", std::string("<t>\xB8\xE8</t>\n", 10), std::string("<t>\xB8\xE8</t>\r\n\r\n", 13)},
        {"empty document", "", "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RewriteDocumentType(c.document, rewrite), c.copy);
    }
    // Without a token nothing is replaced.
    EXPECT_EQ(RewriteDocumentType("<!DOCTYPE s SYSTEM \"a\">\nb", DocumentTypeRewrite{"", "/x"}),
              "<!DOCTYPE s SYSTEM \"a\">\r\nb\r\n");
}

TEST(DocumentTypeRewriteTest, TheOpeningPathKeepsTextsThatQuoteTheAddress)
{
    // A title and a lyric that quote the address come back as written, while the
    // document type is pointed at the program's DTD.
    const std::string address = "http://www.musicxml.org/dtds/partwise.dtd";
    TempFolder folder;
    TempFolder::Write(
        folder / "quoted.exl",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE score-partwise PUBLIC "
        "\"-//Recordare//DTD MusicXML 1.0 Partwise//EN\" \"" + address + "\">\n"
        "<score-partwise><movement-title>见 " + address + "</movement-title>\n<part-list>"
        "<score-part id=\"P1\"><part-name/></score-part></part-list>\n<part id=\"P1\">"
        "<measure number=\"1\"><note><pitch><step>C</step><octave>4</octave></pitch>"
        "<duration>128</duration><type>quarter</type><lyric number=\"1\"><text>" + address +
        "</text></lyric></note></measure></part></score-partwise>\n");
    OpenJob job;
    job.document = folder / "quoted.exl";
    job.rewrite = {address, (fs::path(BRINDLE_SOURCE_DIR) / "data" / "dtd" / "partwise.dtd").string()};
    job.temporaryFolder = folder.Path();
    struct Release {
        void operator()(quaverly::api::ScoreEditor* editor) const { quaverly::api::DestroyEditor(editor); }
    };
    const std::unique_ptr<quaverly::api::ScoreEditor, Release> editor(create_quaverly_editor());
    ASSERT_TRUE(LoadScoreDocument(*editor, job));
    EXPECT_EQ(editor->GetTitle(), u"见 http://www.musicxml.org/dtds/partwise.dtd");
    const auto& score = *static_cast<quaverly::ScoreEditor&>(*editor).score;
    const auto part = score.GetChild(0) ? score.GetChild(0)->GetChild(0) : nullptr;
    ASSERT_TRUE(part);
    const auto bar = std::dynamic_pointer_cast<quaverly::Bar>(part->GetChild(0));
    ASSERT_TRUE(bar);
    ASSERT_EQ(bar->GetNotes().size(), 1u);
    EXPECT_EQ(bar->GetNotes()[0]->GetLyric(0)->GetText(),
              u"http://www.musicxml.org/dtds/partwise.dtd");
    // The copy is gone: the document is alone in its folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(TemporaryDocumentCopyTest, PrivateUniqueAndRemoved)
{
    TempFolder folder;
    fs::path first;
    {
        const TemporaryDocumentCopy a(folder.Path(), "<a/>");
        const TemporaryDocumentCopy b(folder.Path(), "<b/>");
        ASSERT_FALSE(a.Path().empty());
        ASSERT_FALSE(b.Path().empty());
        EXPECT_NE(a.Path(), b.Path());
        EXPECT_EQ(a.Path().parent_path(), folder.Path());
        EXPECT_EQ(a.Path().extension(), ".xml");
        EXPECT_EQ(TempFolder::Read(a.Path()), "<a/>");
        struct stat status {};
        ASSERT_EQ(::stat(a.Path().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
        first = a.Path();
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    // A folder that is not there: no copy, nothing left behind.
    const TemporaryDocumentCopy missing(folder / "missing", "<a/>");
    EXPECT_TRUE(missing.Path().empty());
}

TEST(NewScoreRecordTest, TempoWordsAndExactTempo)
{
    EXPECT_EQ(TempoFromTerm(u"中速"), 88);
    EXPECT_EQ(TempoFromTerm(u"广板"), 46);
    EXPECT_EQ(TempoFromTerm(u"急速"), 184);
    EXPECT_EQ(TempoFromTerm(u"中速 "), -1);
    EXPECT_EQ(TempoFromTerm(u""), -1);
    struct Case {
        bool exact;
        int beatUnit;
        int perMinute;
        std::u16string term;
        int tempo;
    };
    const Case cases[] = {
        {false, 161280, 100, u"中速", 88},
        {false, 161280, 100, u"很快", 120},
        {true, 241920, 60, u"", 90},    // a dotted quarter at 60
        {true, 80640, 120, u"中速", 60},  // an eighth at 120
        {true, 161280, 250, u"", 250},
        {true, 20160, 5, u"", 1},       // never below one beat a minute
        {true, 645120, 2000000000, u"", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NewScoreViewTempo(c.exact, c.beatUnit, c.perMinute, c.term), c.tempo) << c.beatUnit << " " << c.perMinute;
}

TEST(NewScoreRecordTest, ChannelsAndStaffGroups)
{
    std::vector<bool> used(16, false);
    EXPECT_EQ(TakeChannel(used, false), 0);
    EXPECT_EQ(TakeChannel(used, true), 9);
    EXPECT_EQ(TakeChannel(used, false), 1);
    EXPECT_EQ(TakeChannel(used, false), 2);
    EXPECT_FALSE(used[9]);
    // Channels 0-8, then 10-15; with all fifteen taken, channel 0 and nothing marked.
    for (int expected : {3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15})
        EXPECT_EQ(TakeChannel(used, false), expected);
    const std::vector<bool> full = used;
    EXPECT_EQ(TakeChannel(used, false), 0);
    EXPECT_EQ(used, full);

    using G = quaverly::NewScoreStaffGroup;
    EXPECT_TRUE(StaffGroupsOfType(0).empty());
    EXPECT_EQ(StaffGroupsOfType(1), (std::vector<G>{{0, 1, 0}}));
    EXPECT_EQ(StaffGroupsOfType(2), (std::vector<G>{{0, 1, 1}}));
    EXPECT_EQ(StaffGroupsOfType(3), (std::vector<G>{{1, 2, 0}}));
    EXPECT_TRUE(StaffGroupsOfType(-1).empty());
    EXPECT_TRUE(StaffGroupsOfType(4).empty());
}

}  // namespace
