#include "app/shell/app_directory.h"

#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

namespace fs = std::filesystem;
using brindle::ResolveDataDirectory;

// An installation: a program folder or a share folder with the main settings file and
// a settings subfolder.
void Install(const fs::path& folder)
{
    fs::create_directories(folder / "settings");
    TempFolder::Write(folder / "Tansy.ini", "[SYSTEM INFO]\nOption File Name=settings\\Option.ini\n");
    TempFolder::Write(folder / "settings" / "Option.ini", "[MIDI DEVICE]\nMidi In Device=-1\n");
}

const auto kWritable = [](const fs::path&) { return true; };
const auto kReadOnly = [](const fs::path&) { return false; };

TEST(AppDirectoryTest, ProgramFolderWhenItHoldsTheSettingsAndIsWritable)
{
    TempFolder root;
    Install(root / "bin");
    EXPECT_EQ(ResolveDataDirectory(root / "bin", root / "user", kWritable), root / "bin");
    EXPECT_FALSE(fs::exists(root / "user"));
}

TEST(AppDirectoryTest, PerUserCopySeededFromAReadOnlyInstallation)
{
    TempFolder root;
    Install(root / "bin");
    fs::permissions(root / "bin" / "settings" / "Option.ini", fs::perms::owner_read | fs::perms::group_read);
    ASSERT_EQ(ResolveDataDirectory(root / "bin", root / "user", kReadOnly), root / "user");
    EXPECT_EQ(TempFolder::Read(root / "user" / "Tansy.ini"), TempFolder::Read(root / "bin" / "Tansy.ini"));
    ASSERT_TRUE(fs::exists(root / "user" / "settings" / "Option.ini"));
    // The user's copy can be written even where the installed file cannot.
    EXPECT_TRUE(platform::WriteProfileString(root / "user" / "settings" / "Option.ini", u"MIDI DEVICE",
                                             u"Midi In Device", u"2"));

    // A later start keeps the user's files and brings in files that are new.
    TempFolder::Write(root / "bin" / "PageInfo.ini", "[A4]\nName=A4\n");
    ASSERT_EQ(ResolveDataDirectory(root / "bin", root / "user", kReadOnly), root / "user");
    EXPECT_EQ(platform::ReadProfileString(root / "user" / "settings" / "Option.ini", u"MIDI DEVICE",
                                          u"Midi In Device"),
              u"2");
    EXPECT_TRUE(fs::exists(root / "user" / "PageInfo.ini"));
}

TEST(AppDirectoryTest, InstalledDefaultsUnderShare)
{
    TempFolder root;
    fs::create_directories(root / "usr" / "bin");
    Install(root / "usr" / "share" / "brindle");
    EXPECT_EQ(ResolveDataDirectory(root / "usr" / "bin", root / "user", kWritable), root / "user");
    EXPECT_TRUE(fs::exists(root / "user" / "settings" / "Option.ini"));
}

TEST(AppDirectoryTest, FallBacks)
{
    TempFolder root;
    fs::create_directories(root / "empty-bin");
    // No installation anywhere: the program folder.
    EXPECT_EQ(ResolveDataDirectory(root / "empty-bin", root / "user", kReadOnly), root / "empty-bin");
    EXPECT_FALSE(fs::exists(root / "user"));

    Install(root / "bin");
    // No per-user folder known, or none can be made: the installation as it is.
    EXPECT_EQ(ResolveDataDirectory(root / "bin", fs::path(), kReadOnly), root / "bin");
    TempFolder::Write(root / "plain-file", "x");
    EXPECT_EQ(ResolveDataDirectory(root / "bin", root / "plain-file" / "user", kReadOnly), root / "bin");
}

TEST(AppDirectoryTest, RunningProgramFindsTheBuiltDataFolder)
{
    const std::u16string directory = brindle::GetAppDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), u'/');
    EXPECT_TRUE(fs::is_regular_file(platform::PathFromUtf16(directory + u"Tansy.ini")));
    EXPECT_EQ(brindle::AppFilePath(u"settings\\Option.ini"),
              platform::PathFromUtf16(directory) / "settings" / "Option.ini");
}

}  // namespace
