// Writing a file through a temporary file: a failure, a full disk among them, leaves the
// old file as it was and no temporary file behind.
#include <csignal>
#include <string>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/xml/atomic_file_writer.h"
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

TEST(AtomicFileWriterTest, AFullDiskLeavesTheOldFileAsItWas)
{
    TempFolder folder;
    const fs::path path = folder / "a.exl";
    const std::string old(5000, 'o');
    TempFolder::Write(path, old);

    // A file size limit makes writes fail the way a full disk does.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string error;
    const bool ok = AtomicFileWriter::Write(path, std::string(20000, 'n'), &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempFolder::Read(path), old);
    EXPECT_EQ(EntryCount(folder.Path()), 1);
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
