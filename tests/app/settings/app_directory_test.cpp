#include "app/shell/app_directory.h"

#include <gtest/gtest.h>
#include <set>

#include "tests/app/settings/settings_test_util.h"

namespace {

namespace fs = std::filesystem;
using brindle::ResolveDataDirectory;

// An installation: a program folder or a share folder with the main settings file and
// a settings subfolder.
void Install(const fs::path& folder)
{
    fs::create_directories(folder / "settings");
    TempFolder::Write(folder / "Tansy.ini",
                      "[SYSTEM INFO]\nOption File Name=settings\\Option.ini\nPage Info File=PageInfo.ini\n");
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

// The files of a program folder, relative to it.
std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files.insert(entry.path().lexically_relative(folder).generic_string());
    }
    return files;
}

TEST(AppDirectoryTest, ReadOnlyProgramFolderSeedsOnlyDataFiles)
{
    TempFolder root;
    const fs::path bin = root / "bin";
    fs::create_directories(bin);
    TempFolder::Write(bin / "Tansy.ini",
                      "[SYSTEM INFO]\n"
                      "Signature Font File=fonts\\Tansy.ttc\n"
                      "Page Info File=lists\\PageInfo.ini\n"
                      "Expression File=Expression.ini\n"
                      "Patch Name File=..\\outside.ini\n"  // leads out of the folder
                      "DTD File=dtd\\partwise.dtd\n"
                      "DTD Replace String=http://www.musicxml.org/dtds/partwise.dtd\n"
                      "Foreground File Path=texture\\foreground\\\n"
                      "Background File Path=texture\\background\\\n"  // not installed
                      "Font File Name=\\settings\\Font.ini\n"  // a leading separator still means inside
                      "Option File Name=settings\\Option.ini\n"
                      "Help File Name=help\\index.html\n");
    const char* data[] = {
        "fonts/Tansy.ttc", "fonts/OFL.txt", "lists/PageInfo.ini", "Expression.ini", "dtd/partwise.dtd",
        "dtd/common.mod", "texture/foreground/paper.png", "settings/Font.ini", "settings/Option.ini",
        "help/index.html", "help/images/menu.png",
    };
    const char* others[] = {
        "brindle", "libquaverly.so.0", "libmidi.so.0", "test_app_settings", "bench_settings_files",
        "README.txt", "platforms/libqoffscreen.so", "specimen/page1.png",
    };
    for (const char* name : data) {
        fs::create_directories((bin / name).parent_path());
        TempFolder::Write(bin / name, name);
    }
    for (const char* name : others) {
        fs::create_directories((bin / name).parent_path());
        TempFolder::Write(bin / name, name);
    }
    TempFolder::Write(root / "outside.ini", "[PATCH SECTION]\n");

    ASSERT_EQ(ResolveDataDirectory(bin, root / "user", kReadOnly), root / "user");
    std::set<std::string> expected(std::begin(data), std::end(data));
    expected.insert("Tansy.ini");
    EXPECT_EQ(FilesIn(root / "user"), expected);
    for (const std::string& name : expected)
        EXPECT_EQ(TempFolder::Read(root / "user" / name), TempFolder::Read(bin / name)) << name;
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
