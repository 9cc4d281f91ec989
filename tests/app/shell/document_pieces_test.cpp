// The pieces of the document commands that need no window: path names, the rewritten
// copy of an opened document and its private temporary file, the load pass whatever the
// temporary folder's state, what a killed program left behind, and the new score's record.
#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../../platform/temp_folder.h"
#include "app/shell/document_loader.h"
#include "app/shell/document_paths.h"
#include "app/shell/leftover_files.h"
#include "app/shell/new_score_record.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "dead_process.h"
#include "engine/xml/temporary_file_name.h"
#include "platform/text_encoding.h"
#include "score_documents.h"

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
        std::u16string folder;
    };
    const Case cases[] = {
        {u"/home/u/歌曲.exl", u"exl", u"歌曲.exl", u"/home/u/歌曲", true, u"/home/u"},
        {u"/home/u/SONG.EXL", u"EXL", u"SONG.EXL", u"/home/u/SONG", true, u"/home/u"},
        {u"/home/u/a.b.Exl", u"Exl", u"a.b.Exl", u"/home/u/a.b", true, u"/home/u"},
        {u"/home/u/song.mid", u"mid", u"song.mid", u"/home/u/song", false, u"/home/u"},
        {u"/home/u/song.exl.txt", u"txt", u"song.exl.txt", u"/home/u/song.exl", false, u"/home/u"},
        // A dot in a folder name is no extension of the file.
        {u"/home/v1.exl/notes", u"", u"notes", u"/home/v1.exl/notes", false, u"/home/v1.exl"},
        {u"/root.exl", u"exl", u"root.exl", u"/root", true, u"/"},
        {u"notes", u"", u"notes", u"notes", false, u""},
        {u"back\\slash.exl", u"exl", u"back\\slash.exl", u"back\\slash", true, u""},
        {u"", u"", u"", u"", false, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
        EXPECT_EQ(FileExtension(c.path), c.extension);
        EXPECT_EQ(FileNameOf(c.path), c.name);
        EXPECT_EQ(StripExtension(c.path), c.stripped);
        EXPECT_EQ(HasDocumentExtension(c.path), c.document);
        EXPECT_EQ(FolderOf(c.path), c.folder);
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
        {"CR LF lines around the document type, a bare line feed, a CR inside a line and at the end",
         "<?xml?>\r\n<!DOCTYPE s PUBLIC \"p\" \"http://x/partwise.dtd\">\r\n<s>a\rb\n</s>\r",
         "<?xml?>\r\n<!DOCTYPE s PUBLIC \"p\" \"/data/dtd/partwise.dtd\">\r\n<s>a\rb\r\n</s>\r\n"},
        {"the bytes are not decoded", std::string("<t>\xB8\xE8</t>\n", 10), std::string("<t>\xB8\xE8</t>\r\n\r\n", 13)},
        {"empty document", "", "\r\n"},
        {"a saved document: CR LF lines only",
         "<?xml?>\r\n<!DOCTYPE s PUBLIC \"p\" \"http://x/partwise.dtd\">\r\n<s>http://x/partwise.dtd</s>\r\n",
         "<?xml?>\r\n<!DOCTYPE s PUBLIC \"p\" \"/data/dtd/partwise.dtd\">\r\n<s>http://x/partwise.dtd</s>\r\n\r\n"},
        {"CR LF lines, a CR inside a line and at the end",
         "<!DOCTYPE s SYSTEM \"http://x/partwise.dtd\">\r\n<s>a\rb</s>\r",
         "<!DOCTYPE s SYSTEM \"/data/dtd/partwise.dtd\">\r\n<s>a\rb</s>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RewriteDocumentType(c.document, rewrite), c.copy);
        // Rewritten in place, as the opening path does, the same bytes; a document without
        // a bare line feed stays in the buffer it was read into.
        std::string read;
        read.reserve(c.document.size() + rewrite.replacement.size() + 2);
        read.append(c.document);
        const char* buffer = read.data();
        RewriteDocumentTypeInPlace(read, rewrite);
        EXPECT_EQ(read, c.copy);
        bool bareLineFeed = false;
        for (std::size_t at = c.document.find('\n'); at != std::string::npos; at = c.document.find('\n', at + 1))
            bareLineFeed = bareLineFeed || at == 0 || c.document[at - 1] != '\r';
        if (!bareLineFeed) {
            EXPECT_EQ(read.data(), buffer);
        }
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
        // The name tells a later start whose copy it is.
        EXPECT_EQ(TemporaryDocumentCopy::OwnerOf(a.Path().filename().native()), static_cast<long>(::getpid()));
        first = a.Path();
    }
    EXPECT_FALSE(fs::exists(first));
    EXPECT_TRUE(fs::is_empty(folder.Path()));
    // A folder that is not there: no copy, nothing left behind.
    const TemporaryDocumentCopy missing(folder / "missing", "<a/>");
    EXPECT_TRUE(missing.Path().empty());
}

// Runs `work` with a file size limit that makes every write past `bytes` fail the way a
// full disk does.
template <typename Work>
void WithFullDisk(rlim_t bytes, Work work)
{
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = bytes;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    work();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
}

class LoadScoreDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        editor_ = create_quaverly_editor();
        ASSERT_NE(editor_, nullptr);
        document_ = folder_ / "song.exl";
        ASSERT_TRUE(shell_test::WriteScoreDocument(document_, {u"茉莉花", 2, 96, -1, shell_test::kJasmine}));
        fs::create_directories(folder_ / "tmp");
    }
    void TearDown() override { editor_->Destroy(); }

    OpenJob Job(const fs::path& document, const fs::path& temporary)
    {
        OpenJob job;
        job.document = document;
        job.temporaryFolder = temporary;
        return job;
    }
    std::u16string Title() const { return editor_->GetTitle(); }

    TempFolder folder_;
    fs::path document_;
    quaverly::api::ScoreEditor* editor_ = nullptr;
};

TEST_F(LoadScoreDocumentTest, AGoodDocumentOpensWhateverTheTemporaryFolder)
{
    TempFolder::Write(folder_ / "a-file", "x");
    struct Case {
        const char* what;
        fs::path folder;
        bool full;
    };
    const Case cases[] = {
        {"a usable folder", folder_ / "tmp", false},
        {"a full folder", folder_ / "tmp", true},
        {"a folder that is not there", folder_ / "missing", false},
        {"a file in place of the folder", folder_ / "a-file", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        editor_->ResetDocument();
        OpenJob job = Job(document_, c.folder);
        bool loaded = false;
        if (c.full)
            WithFullDisk(16, [&] { loaded = LoadScoreDocument(*editor_, job); });
        else
            loaded = LoadScoreDocument(*editor_, job);
        EXPECT_TRUE(loaded);
        EXPECT_FALSE(job.documentFailed);
        EXPECT_EQ(job.info.tempo, 96);
        EXPECT_EQ(job.info.page.paperName, u"A4");
        EXPECT_EQ(Title(), u"茉莉花");
        EXPECT_TRUE(fs::is_empty(folder_ / "tmp"));
    }
}

TEST_F(LoadScoreDocumentTest, OnlyAMissingOrBrokenDocumentFailsAndNothingWaitsOnAPipe)
{
    TempFolder::Write(folder_ / "broken.exl", "<score-partwise><part-list>");
    TempFolder::Write(folder_ / "other-root.exl", "<?xml version=\"1.0\"?><opus/>");
    ASSERT_EQ(::mkfifo((folder_ / "pipe.exl").c_str(), 0600), 0);
    fs::create_directories(folder_ / "folder.exl");
    for (const char* name : {"missing.exl", "broken.exl", "other-root.exl", "pipe.exl", "folder.exl"}) {
        SCOPED_TRACE(name);
        OpenJob job = Job(folder_ / name, folder_ / "tmp");
        EXPECT_FALSE(LoadScoreDocument(*editor_, job));
        EXPECT_TRUE(job.documentFailed);
        EXPECT_TRUE(fs::is_empty(folder_ / "tmp"));
    }
}

TEST(LeftoverFilesTest, OnlyTheFilesOfEndedProcessesGo)
{
    TempFolder folder;
    const long ended = shell_test::EndedProcessId();
    const long running = static_cast<long>(::getppid());
    const long self = static_cast<long>(::getpid());
    const std::string longName(240, 'x');
    struct Case {
        std::string name;
        bool goes;
    };
    const Case cases[] = {
        {quaverly::TemporaryFileName("a.exl", ended, 0), true},
        {quaverly::TemporaryFileName(longName, ended, 12), true},
        {quaverly::TemporaryFileName("Tansy.ini", ended, 3), true},
        {"~tn_temp-" + std::to_string(ended) + "-0.xml", true},
        {quaverly::TemporaryFileName("a.exl", running, 0), false},
        {quaverly::TemporaryFileName("a.exl", self, 0), false},
        {"~tn_temp-" + std::to_string(running) + "-0.xml", false},
        {"~tn_temp-Ab12Cd.xml", false},  // no process id: whose it is cannot be told
        {"a.exl", false},
        {".a.exl", false},
        {"a.exl.saving-" + std::to_string(ended) + "-0", false},
    };
    for (const Case& c : cases)
        TempFolder::Write(folder / c.name, "x");
    // Only files: a folder or a link of such a name stays.
    fs::create_directories(folder / quaverly::TemporaryFileName("dir", ended, 0));
    fs::create_symlink("a.exl", folder / quaverly::TemporaryFileName("link", ended, 0));

    EXPECT_EQ(RemoveLeftoverFiles({folder.Path(), folder.Path(), folder / "missing"}), 4);
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(folder / c.name)), !c.goes) << c.name;
    EXPECT_TRUE(fs::is_directory(folder / quaverly::TemporaryFileName("dir", ended, 0)));
    EXPECT_TRUE(fs::is_symlink(folder / quaverly::TemporaryFileName("link", ended, 0)));
    EXPECT_TRUE(ProcessIsRunning(running));
    EXPECT_FALSE(ProcessIsRunning(ended));
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
