#include "platform/private_profile.h"

#include <chrono>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text_encoding.h"
#include "tests/platform/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = BRINDLE_TEST_DATA;

// Copies a fixture into the folder and returns the copy's path.
fs::path CopyFixture(const TempFolder& folder, const char* name)
{
    const fs::path target = folder / name;
    fs::copy_file(kData / name, target);
    return target;
}

// The same content in every encoding and line ending reads the same.
class MixedFixtureTest : public ::testing::TestWithParam<const char*> {};

TEST_P(MixedFixtureTest, ReadsEveryForm)
{
    const fs::path file = kData / GetParam();
    struct Case {
        std::u16string section, key;
        std::optional<std::u16string> value;
    };
    const Case cases[] = {
        {u"GENERAL", u"name", u"简谱编辑器"},
        {u"general", u"TITLE", u"  quoted with blanks  "},
        {u"General", u"Single", u"single quoted"},
        {u"General", u"Half", u"\"only one quote"},
        {u"General", u"Empty", u""},
        {u"General", u"key", u"first"},
        {u"General", u"Path", u"C:\\Scores\\新建文件夹\\"},
        {u"General", u"No equals sign here", std::nullopt},
        {u"General", u"orphan", std::nullopt},
        {u"spaced section", u"spaced key", u"value with inner  blanks"},
        {u"Spaced Section", u"Count", u"12"},
        {u"Missing", u"Name", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(platform::Utf16ToUtf8(c.section) + "/" + platform::Utf16ToUtf8(c.key));
        EXPECT_EQ(platform::ReadProfileString(file, c.section, c.key), c.value);
    }
    EXPECT_EQ(platform::ReadProfileSectionNames(file),
              (std::vector<std::u16string>{u"General", u"Spaced Section"}));
}

INSTANTIATE_TEST_SUITE_P(Encodings, MixedFixtureTest,
                         ::testing::Values("mixed_lf.ini", "mixed_crlf.ini", "mixed_utf8_bom.ini",
                                           "mixed_utf16le.ini", "mixed_utf16be.ini", "mixed_gbk.ini"));

TEST(PrivateProfileTest, WritesKeepCommentsAndOrder)
{
    struct Case {
        const char* fixture;
        std::string expected;  // bytes after the edits
    };
    const Case cases[] = {
        {"order.ini",
         "; Settings kept in order\n[First]\na=1\n; about b\nb = 20\nnew=x\n\n[Second]\nc=3\nd=4\n\n[Third]\nz=9\n"},
        {"order_crlf.ini",
         "; Settings kept in order\r\n[First]\r\na=1\r\n; about b\r\nb = 20\r\nnew=x\r\n\r\n[Second]\r\nc=3\r\nd=4\r\n"
         "\r\n[Third]\r\nz=9\r\n"},
        // Old encodings are rewritten as UTF-8 with their Chinese text intact.
        {"order_gbk.ini",
         "; Settings kept in order\n[First]\na=1\n; about b\nb = 20\nnew=x\n\n[Second]\n\xE5\x90\x8D\xE7\xA7\xB0="
         "\xE7\xAE\x80\xE8\xB0\xB1\nc=3\nd=4\n\n[Third]\nz=9\n"},
        {"order_utf16le.ini",
         "; Settings kept in order\r\n[First]\r\na=1\r\n; about b\r\nb = 20\r\nnew=x\r\n\r\n[Second]\r\n"
         "\xE5\x90\x8D\xE7\xA7\xB0=\xE7\xAE\x80\xE8\xB0\xB1\r\nc=3\r\nd=4\r\n\r\n[Third]\r\nz=9\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        TempFolder folder;
        const fs::path file = CopyFixture(folder, c.fixture);
        EXPECT_TRUE(platform::WriteProfileString(file, u"first", u"B", u"20"));
        EXPECT_TRUE(platform::WriteProfileString(file, u"First", u"new", u"x"));
        EXPECT_TRUE(platform::WriteProfileString(file, u"Second", u"d", u"4"));
        EXPECT_TRUE(platform::WriteProfileString(file, u"Third", u"z", u"9"));
        EXPECT_EQ(TempFolder::Read(file), c.expected);
        EXPECT_EQ(platform::ReadProfileString(file, u"FIRST", u"b"), u"20");
    }
}

// One byte that is not UTF-8 must not make the whole file read as GBK: the next write
// would store every UTF-8 line as mojibake for good ("宋体" as "瀹嬩綋").
TEST(PrivateProfileTest, MixedEncodingFileKeepsItsTextAfterAWrite)
{
    const std::string lines[] = {
        "; \xE5\xAD\x97\xE4\xBD\x93 (UTF-8)\r\n",                         // ; 字体
        "[COMMON FONT]\r\n",
        "Face Name=\xE5\xAE\x8B\xE4\xBD\x93\r\n",                          // 宋体
        "Note=caf\xE9 au lait\r\n",                                       // Latin-1, neither UTF-8 nor GBK
        "\xC3\xFB\xB3\xC6=\xBC\xF2\xC6\xD7\r\n",                              // 名称=简谱 in GBK
        "Title=\xE5\xAE\x8B\xE4\xBD\x93\xFF\r\n",                          // UTF-8 with a stray byte
        "Height=-12\r\n",
    };
    std::string original;
    for (const std::string& line : lines)
        original += line;

    TempFolder folder;
    const fs::path file = folder / "Font.ini";
    TempFolder::Write(file, original);
    EXPECT_EQ(platform::ReadProfileString(file, u"COMMON FONT", u"Face Name"), u"宋体");
    EXPECT_EQ(platform::ReadProfileString(file, u"common font", u"名称"), u"简谱");

    // A write changes its own line and nothing else, byte for byte.
    ASSERT_TRUE(platform::WriteProfileString(file, u"COMMON FONT", u"Height", u"-16"));
    std::string expected = original;
    expected.replace(expected.find("Height=-12"), 10, "Height=-16");
    EXPECT_EQ(TempFolder::Read(file), expected);
    EXPECT_EQ(TempFolder::Read(file).find("\xE7\x80\xB9\xE5\xAC\xA9\xE7\xB6\x8B"), std::string::npos);  // 瀹嬩綋
    EXPECT_EQ(platform::ReadProfileString(file, u"COMMON FONT", u"Face Name"), u"宋体");
    EXPECT_EQ(platform::ReadProfileString(file, u"COMMON FONT", u"Height"), u"-16");

    // A key the program sets is written as UTF-8; the other odd lines still keep their bytes.
    ASSERT_TRUE(platform::WriteProfileString(file, u"COMMON FONT", u"名称", u"简谱新"));
    expected.replace(expected.find("\xC3\xFB\xB3\xC6="), 9, "\xE5\x90\x8D\xE7\xA7\xB0=\xE7\xAE\x80\xE8\xB0\xB1\xE6\x96\xB0");
    EXPECT_EQ(TempFolder::Read(file), expected);
    EXPECT_EQ(platform::ReadProfileString(file, u"COMMON FONT", u"名称"), u"简谱新");
    EXPECT_EQ(platform::ReadProfileString(file, u"COMMON FONT", u"Face Name"), u"宋体");

    // Deleting another section keeps them too.
    ASSERT_TRUE(platform::WriteProfileString(file, u"OTHER", u"k", u"v"));
    ASSERT_TRUE(platform::DeleteProfileSection(file, u"OTHER"));
    EXPECT_TRUE(TempFolder::Read(file).starts_with(expected));
}

// Reads see what is on disk, however soon after a change and whoever made it.
TEST(PrivateProfileTest, ReadsSeeEveryChangeOfTheFile)
{
    TempFolder folder;
    const fs::path file = folder / "a.ini";
    TempFolder::Write(file, "[S]\nk=1\n");
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"1");
    // Same size, same second, written in place by another program.
    TempFolder::Write(file, "[S]\nk=2\n");
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"2");
    ASSERT_TRUE(platform::WriteProfileString(file, u"S", u"k", u"3"));
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"3");
    TempFolder::Write(file, "[S]\nk=4\n");
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"4");
    // A file that settled long ago and then changes in place.
    fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"4");
    TempFolder::Write(file, "[S]\nk=5\n");
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"5");
    fs::remove(file);
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), std::nullopt);
    TempFolder::Write(file, "[S]\nk=6\n");
    EXPECT_EQ(platform::ReadProfileString(file, u"S", u"k"), u"6");
}

TEST(PrivateProfileTest, CreatesAMissingFileAndKeepsAUtf8Mark)
{
    TempFolder folder;
    const fs::path file = folder / "new.ini";
    EXPECT_TRUE(platform::WriteProfileStrings(file, u"字体", {{u"名称", u"宋体"}, {u"Height", u"-12"}}));
    EXPECT_EQ(TempFolder::Read(file), "[\xE5\xAD\x97\xE4\xBD\x93]\n\xE5\x90\x8D\xE7\xA7\xB0=\xE5\xAE\x8B\xE4\xBD\x93\n"
                                      "Height=-12\n");

    const fs::path bom = CopyFixture(folder, "mixed_utf8_bom.ini");
    EXPECT_TRUE(platform::WriteProfileString(bom, u"General", u"Count", u"3"));
    EXPECT_TRUE(TempFolder::Read(bom).starts_with("\xEF\xBB\xBF; Mixed forms"));
    EXPECT_EQ(platform::ReadProfileString(bom, u"General", u"Count"), u"3");
}

TEST(PrivateProfileTest, DeleteSection)
{
    TempFolder folder;
    const fs::path file = CopyFixture(folder, "order.ini");
    EXPECT_TRUE(platform::DeleteProfileSection(file, u"FIRST"));
    EXPECT_EQ(TempFolder::Read(file), "; Settings kept in order\n\n[Second]\nc=3\n");
    EXPECT_EQ(platform::ReadProfileString(file, u"First", u"a"), std::nullopt);
    // Nothing to delete: no error, and a missing file is not created.
    EXPECT_TRUE(platform::DeleteProfileSection(file, u"First"));
    EXPECT_TRUE(platform::DeleteProfileSection(folder / "missing.ini", u"First"));
    EXPECT_FALSE(fs::exists(folder / "missing.ini"));
}

TEST(PrivateProfileTest, MissingOrUnreadableFilesReadAsNothing)
{
    TempFolder folder;
    EXPECT_EQ(platform::ReadProfileString(folder / "missing.ini", u"A", u"b"), std::nullopt);
    EXPECT_EQ(platform::ReadProfileString(folder.Path(), u"A", u"b"), std::nullopt);
    EXPECT_EQ(platform::ReadProfileString(fs::path(), u"A", u"b"), std::nullopt);
    EXPECT_TRUE(platform::ReadProfileSectionNames(folder / "missing.ini").empty());
    TempFolder::Write(folder / "empty.ini", "");
    EXPECT_TRUE(platform::ReadProfileSectionNames(folder / "empty.ini").empty());
}

TEST(PrivateProfileTest, WriteFailuresAreReported)
{
    TempFolder folder;
    TempFolder::Write(folder / "plain-file", "x");
    const fs::path readOnly = CopyFixture(folder, "order.ini");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string before = TempFolder::Read(readOnly);

    struct Case {
        const char* name;
        fs::path path;
    };
    const Case cases[] = {
        {"missing folder", folder / "no-such-folder" / "a.ini"},
        {"folder is a file", folder / "plain-file" / "a.ini"},
        {"target is a folder", folder.Path()},
        {"read-only file", readOnly},
        {"empty path", fs::path()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(platform::WriteProfileString(c.path, u"First", u"a", u"2"));
    }
    EXPECT_EQ(TempFolder::Read(readOnly), before);
    EXPECT_FALSE(platform::DeleteProfileSection(readOnly, u"First"));
    EXPECT_EQ(TempFolder::Read(readOnly), before);
    // No temporary file is left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path()))
        ++entries;
    EXPECT_EQ(entries, 2u);
}

TEST(PrivateProfileTest, ReadOnlyFolderIsReported)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the administrator may write into read-only folders";
    TempFolder folder;
    const fs::path sub = folder / "locked";
    fs::create_directory(sub);
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(platform::WriteProfileString(sub / "a.ini", u"A", u"b", u"c"));
    EXPECT_FALSE(fs::exists(sub / "a.ini"));
}

TEST(PrivateProfileTest, FolderThatTakesNoNewFilesIsReported)
{
    // The process table takes no new files, not even from the administrator, so this
    // runs where the read-only folder test has to be skipped.
    const fs::path file = "/proc/brindle-settings-test.ini";
    EXPECT_FALSE(platform::WriteProfileString(file, u"A", u"b", u"c"));
    EXPECT_FALSE(platform::WriteProfileStrings(file, u"A", {{u"b", u"c"}, {u"d", u"e"}}));
    EXPECT_FALSE(fs::exists(file));
}

TEST(PrivateProfileTest, WritesReplaceTheFileWhole)
{
    TempFolder folder;
    const fs::path file = CopyFixture(folder, "order.ini");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = folder / "link.ini";
    fs::create_symlink(file, link);

    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    EXPECT_TRUE(platform::WriteProfileString(link, u"First", u"a", u"5"));
    // A new file took the old one's place (written beside it, then renamed over it).
    struct stat after {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(platform::ReadProfileString(file, u"First", u"a"), u"5");
    EXPECT_EQ(fs::status(file).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
