// Writing a file through a temporary file: a failure, a full disk among them, leaves the
// old file as it was and no temporary file behind; names up to the file-name limit save,
// and links keep pointing at the saved document.
#include <csignal>
#include <string>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/xml/atomic_file_writer.h"
#include "engine/xml/temporary_file_name.h"
#include "tests/platform/temp_folder.h"

namespace quaverly {
namespace {

namespace fs = std::filesystem;

int EntryCount(const fs::path& folder)
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder))
        ++count;
    return count;
}

TEST(AtomicFileWriterTest, WritesANewFileAndReplacesAnOldOne)
{
    TempFolder folder;
    const fs::path path = folder / "a.exl";
    ASSERT_TRUE(AtomicFileWriter::Write(path, "first"));
    EXPECT_EQ(TempFolder::Read(path), "first");
    ASSERT_TRUE(AtomicFileWriter::Write(path, "second, longer"));
    EXPECT_EQ(TempFolder::Read(path), "second, longer");
    ASSERT_TRUE(AtomicFileWriter::Write(path, ""));
    EXPECT_EQ(TempFolder::Read(path), "");
    EXPECT_EQ(EntryCount(folder.Path()), 1);
}

TEST(AtomicFileWriterTest, AReplacedFileKeepsItsPermissions)
{
    TempFolder folder;
    const fs::path path = folder / "a.exl";
    TempFolder::Write(path, "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(AtomicFileWriter::Write(path, "new"));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Writes with a file size limit of `limit` bytes, which makes writes past it fail the way
// a full disk does.
bool WriteWithSizeLimit(const fs::path& path, const std::string& bytes, rlim_t limit, std::string& error)
{
    rlimit saved{};
    if (::getrlimit(RLIMIT_FSIZE, &saved) != 0)
        return true;
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = limit;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = AtomicFileWriter::Write(path, bytes, &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return ok;
}

TEST(AtomicFileWriterTest, AFullDiskLeavesTheOldFileAsItWas)
{
    TempFolder folder;
    const fs::path path = folder / "a.exl";
    const std::string old(5000, 'o');
    TempFolder::Write(path, old);

    std::string error;
    EXPECT_FALSE(WriteWithSizeLimit(path, std::string(20000, 'n'), 1000, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempFolder::Read(path), old);
    EXPECT_EQ(EntryCount(folder.Path()), 1);
}

std::string Repeat(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(AtomicFileWriterTest, NamesUpToTheFileNameLimitSaveOverAnOldFile)
{
    const std::string names[] = {
        Repeat("谱", 79) + ".exl",         // 241 bytes
        Repeat("谱", 83) + "ab.exl",       // 255 bytes, the longest there is
        "a" + Repeat("谱", 83) + ".exl",   // 254 bytes: the cut falls inside a character
        std::string(255 - 4, 'x') + ".exl",
        ".exl",
    };
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_LE(name.size(), kMaxFileNameBytes);
        TempFolder folder;
        const fs::path path = folder / name;
        TempFolder::Write(path, "old");
        ASSERT_EQ(TempFolder::Read(path), "old");
        std::string error;
        EXPECT_TRUE(AtomicFileWriter::Write(path, "new", &error)) << error;
        EXPECT_EQ(TempFolder::Read(path), "new");
        EXPECT_EQ(EntryCount(folder.Path()), 1);
    }
}

TEST(AtomicFileWriterTest, TemporaryNamesFitTheLimitAndNameTheirWriter)
{
    struct Name {
        std::string name;
        std::size_t characterBytes;
    };
    for (const Name& n : {Name{Repeat("谱", 85), 3}, Name{std::string(255, 'x'), 1}, Name{"a.exl", 1}, Name{"", 1}}) {
        SCOPED_TRACE(n.name);
        const std::string temporary = TemporaryFileName(n.name, 4194304, 4294967295ul);
        EXPECT_LE(temporary.size(), kMaxFileNameBytes);
        EXPECT_EQ(TemporaryFileOwner(temporary), 4194304);
        // Whole characters only: what is kept is a prefix of the name.
        const std::string kept = temporary.substr(1, temporary.rfind(kTemporaryMark) - 1);
        EXPECT_EQ(n.name.compare(0, kept.size(), kept), 0);
        EXPECT_EQ(kept.size() % n.characterBytes, 0u);
    }
    struct Case {
        const char* name;
        long owner;
    };
    for (const Case c : {Case{".a.exl.saving-12-0", 12}, Case{"..saving-7-3", 7}, Case{"a.exl.saving-12-0", 0},
                         Case{".a.exl.saving-12", 0}, Case{".a.exl.saving--1", 0}, Case{".a.exl.saving-12-", 0},
                         Case{".a.exl.saving-1x-0", 0}, Case{".saving-12-0", 0}, Case{".a.exl", 0},
                         Case{".a.saving-12-0.exl", 0}, Case{".a.exl.saving-1234567890-0", 0}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TemporaryFileOwner(c.name), c.owner);
    }
}

TEST(AtomicFileWriterTest, SavingThroughASymbolicLinkWritesTheFileItNames)
{
    struct Case {
        const char* what;
        fs::path link;    // relative to the folder
        fs::path points;  // what the link holds
        bool targetExists;
    };
    const Case cases[] = {
        {"relative link", "link.exl", "docs/a.exl", true},
        {"link in another folder", "other/link.exl", "../docs/a.exl", true},
        {"link to a file not yet made", "link.exl", "docs/a.exl", false},
        {"link to a link", "link2.exl", "link.exl", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        fs::create_directories(folder / "docs");
        fs::create_directories(folder / "other");
        const fs::path target = folder / "docs" / "a.exl";
        if (c.targetExists)
            TempFolder::Write(target, "old");
        if (c.link == "link2.exl")
            fs::create_symlink("docs/a.exl", folder / "link.exl");
        fs::create_symlink(c.points, folder.Path() / c.link);
        std::string error;
        ASSERT_TRUE(AtomicFileWriter::Write(folder.Path() / c.link, "new", &error)) << error;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder.Path() / c.link)));
        EXPECT_EQ(fs::read_symlink(folder.Path() / c.link), c.points);
        EXPECT_EQ(TempFolder::Read(target), "new");
        EXPECT_EQ(TempFolder::Read(folder.Path() / c.link), "new");
        EXPECT_EQ(EntryCount(folder / "docs"), 1);
    }
}

TEST(AtomicFileWriterTest, EveryHardLinkSeesTheSavedDocumentAndAFailureKeepsTheOld)
{
    TempFolder folder;
    fs::create_directories(folder / "other");
    const fs::path path = folder / "a.exl";
    const fs::path second = folder / "other" / "b.exl";
    TempFolder::Write(path, std::string(5000, 'o'));
    fs::create_hard_link(path, second);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    for (const std::string& bytes : {std::string("shorter"), std::string(9000, 'l')}) {
        std::string error;
        ASSERT_TRUE(AtomicFileWriter::Write(second, bytes, &error)) << error;
        EXPECT_EQ(TempFolder::Read(path), bytes);
        EXPECT_EQ(TempFolder::Read(second), bytes);
        EXPECT_EQ(fs::hard_link_count(path), 2u);
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }

    // No room for the new document: neither name loses the old one.
    const std::string old = TempFolder::Read(path);
    std::string error;
    EXPECT_FALSE(WriteWithSizeLimit(path, std::string(20000, 'n'), 12000, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempFolder::Read(path), old);
    EXPECT_EQ(TempFolder::Read(second), old);
    EXPECT_EQ(EntryCount(folder.Path()), 2);
    EXPECT_EQ(EntryCount(folder / "other"), 1);
}

TEST(AtomicFileWriterTest, AFolderThatCannotBeWrittenFails)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    TempFolder folder;
    const fs::path path = folder / "a.exl";
    TempFolder::Write(path, "old");
    fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(AtomicFileWriter::Write(path, "new"));
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(TempFolder::Read(path), "old");
    EXPECT_EQ(EntryCount(folder.Path()), 1);
}

TEST(AtomicFileWriterTest, PathsThatNameNoFileFail)
{
    TempFolder folder;
    fs::create_directories(folder / "sub");
    TempFolder::Write(folder / "file", "x");
    for (const fs::path& path : {fs::path(), folder / "sub", folder / "none" / "a.exl",
                                 folder / "file" / "a.exl", folder.Path() / ""}) {
        SCOPED_TRACE(path.string());
        std::string error;
        EXPECT_FALSE(AtomicFileWriter::Write(path, "bytes", &error));
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(EntryCount(folder.Path()), 2);
    EXPECT_EQ(TempFolder::Read(folder / "file"), "x");
}

}  // namespace
}  // namespace quaverly
