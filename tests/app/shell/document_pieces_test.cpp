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

TEST(DocumentTypeRewriteTest, FirstTokenOfEachLineGoesEachLineEndsInCrLf)
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
        {"twice on a line: the first only", "a http://x/partwise.dtd b http://x/partwise.dtd",
         "a /data/dtd/partwise.dtd b http://x/partwise.dtd\r\n"},
        {"every line is searched", "http://x/partwise.dtd\n<t>http://x/partwise.dtd</t>",
         "/data/dtd/partwise.dtd\r\n<t>/data/dtd/partwise.dtd</t>\r\n"},
        {"a final line feed gives one more empty line", "<s/>\n", "<s/>\r\n\r\n"},
        {"CR LF lines stay single", "<a>\r\n<b/>\r\n", "<a>\r\n<b/>\r\n\r\n"},
        {"the bytes are not decoded", std::string("<t>\xB8\xE8</t>\n", 10), std::string("<t>\xB8\xE8</t>\r\n\r\n", 13)},
        {"empty document", "", "\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RewriteDocumentType(c.document, rewrite), c.copy);
    }
    // Without a token nothing is replaced (an empty token would match every line).
    EXPECT_EQ(RewriteDocumentType("a\nb", DocumentTypeRewrite{"", "/x"}), "a\r\nb\r\n");
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
