// The string table: the program's own strings, the resource-language library loaded by
// name, the switch between them and the message when the library is missing.
#include "platform/scripted_dialog_service.h"
#include "platform/string_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "temp_folder.h"

namespace {

using platform::ResourceSource;
using platform::ScopedResourceSource;
using platform::StringTable;

const std::filesystem::path kBinDir = BRINDLE_BIN_DIR;

class StringTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.UnloadLibrary();
        table.SetCurrent(ResourceSource::Own);
        table.SetOwnStrings({{57344, u"程序自己的标题"}, {140, u"放大乐谱\n放大"}, {61452, u"导出MIDI文件失败！"}});
    }
    void TearDown() override
    {
        table.UnloadLibrary();
        table.SetOwnStrings({});
    }
    StringTable& table = StringTable::Instance();
    platform::ScriptedDialogService script;
    platform::ScopedDialogService inForce{script};
};

TEST_F(StringTableTest, TheLibraryIsLoadedByNameAndItsStringsServeUnderItsSource)
{
    ASSERT_TRUE(std::filesystem::exists(kBinDir / "libquillmark.so")) << "the library is built beside the programs";
    EXPECT_TRUE(table.LoadResourceLanguageLibrary(kBinDir));
    EXPECT_TRUE(table.HasLibrary());
    EXPECT_TRUE(script.MessageBoxes().empty());

    EXPECT_EQ(platform::LoadResourceString(57344), u"程序自己的标题");  // the own source is current
    {
        ScopedResourceSource library(ResourceSource::Library);
        EXPECT_EQ(platform::LoadResourceString(57344), u"Larkspire简谱");
        EXPECT_EQ(platform::LoadResourceString(61449), u"Larkspire简谱文件(*.exl)|*.exl||");
        // What the library lacks comes from the program's own table.
        EXPECT_EQ(platform::LoadResourceString(140), u"放大乐谱\n放大");
        {
            ScopedResourceSource own(ResourceSource::Own);
            EXPECT_EQ(platform::LoadResourceString(57344), u"程序自己的标题");
        }
        EXPECT_EQ(table.Current(), ResourceSource::Library);
    }
    EXPECT_EQ(table.Current(), ResourceSource::Own);
}

TEST_F(StringTableTest, AMissingLibraryIsReportedAndTheProgramsOwnStringsServe)
{
    TempFolder folder;
    EXPECT_FALSE(table.LoadResourceLanguageLibrary(folder.Path()));
    ASSERT_EQ(script.MessageBoxes().size(), 1u);
    EXPECT_EQ(script.MessageBoxes()[0].text, u"资源加载失败！");
    EXPECT_EQ(script.MessageBoxes()[0].type & platform::kMbButtonMask, platform::kMbOk);

    ScopedResourceSource library(ResourceSource::Library);
    EXPECT_EQ(platform::LoadResourceString(57344), u"程序自己的标题");
    EXPECT_EQ(platform::LoadResourceString(12345), u"");
    // The framework's ask-to-save prompt is always there.
    EXPECT_EQ(platform::LoadResourceString(platform::kIdsAskToSave), u"是否保存对 %1 的更改？");
}

TEST_F(StringTableTest, FilesThatAreNotTheLibraryAreRefused)
{
    TempFolder folder;
    const auto fake = folder.Path() / "libquillmark.so";
    std::ofstream(fake) << "not a shared library";
    EXPECT_FALSE(table.LoadLibrary(fake));
    EXPECT_FALSE(table.HasLibrary());
    // A real library without the string table.
    EXPECT_FALSE(table.LoadLibrary("libm.so.6"));
    EXPECT_FALSE(table.HasLibrary());
}

TEST_F(StringTableTest, StringsAreCutAt255Units)
{
    table.SetOwnString(7, std::u16string(300, u'音'));
    EXPECT_EQ(platform::LoadResourceString(7).size(), 255u);
}

}  // namespace
