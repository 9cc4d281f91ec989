#include "app/settings/system_info_section.h"

#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::ProfileFile;
using brindle::SystemInfoSection;
using namespace settings_test;

TEST(SystemInfoSectionTest, EveryKeyAgainstEmptyAndFilledFiles)
{
    using Getter = std::u16string (SystemInfoSection::*)() const;
    struct Row {
        Getter get;
        std::u16string filled;
    };
    const Row rows[] = {
        {&SystemInfoSection::GetSignatureFontFile, u"fonts\\Tansy.ttc"},
        {&SystemInfoSection::GetPageInfoFile, u"PageInfo.ini"},
        {&SystemInfoSection::GetPatchNameFile, u"PatchName.ini"},
        {&SystemInfoSection::GetExpressionFile, u"Expression.ini"},
        {&SystemInfoSection::GetDtdFile, u"dtd\\partwise.dtd"},
        {&SystemInfoSection::GetDtdReplaceString, u"partwise.dtd"},
        {&SystemInfoSection::GetForegroundFilePath, u"texture\\foreground\\"},
        {&SystemInfoSection::GetBackgroundFilePath, u"texture\\background\\"},
        {&SystemInfoSection::GetFontFileName, u"settings\\Font.ini"},
        {&SystemInfoSection::GetFontParamFileName, u"settings\\FontParam.ini"},
        {&SystemInfoSection::GetExtendSymbolFileName, u"settings\\ExtendSymbol.ini"},
        {&SystemInfoSection::GetOptionFileName, u"settings\\Option.ini"},
        {&SystemInfoSection::GetShortcutFileName, u"settings\\Shortcut.ini"},
        {&SystemInfoSection::GetHelpFileName, u"help\\帮助.html"},
    };
    TempFolder folder;
    TempFolder::Write(folder / "empty.ini", "");
    const SystemInfoSection noFile;
    const SystemInfoSection empty(std::make_shared<ProfileFile>(PathText(folder / "empty.ini")));
    const SystemInfoSection missing(std::make_shared<ProfileFile>(PathText(folder / "missing.ini")));
    SystemInfoSection filled;
    filled.SetFile(std::make_shared<ProfileFile>(Fixture("tansy_filled.ini")));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ((noFile.*rows[i].get)(), u"");
        EXPECT_EQ((empty.*rows[i].get)(), u"");
        EXPECT_EQ((missing.*rows[i].get)(), u"");
        EXPECT_EQ((filled.*rows[i].get)(), rows[i].filled);
    }
}

TEST(SystemInfoSectionTest, SeesChangesOfTheSharedFile)
{
    TempFolder folder;
    auto file = std::make_shared<ProfileFile>(PathText(folder / "Tansy.ini"));
    const SystemInfoSection section(file);
    EXPECT_EQ(section.GetOptionFileName(), u"");
    ASSERT_TRUE(file->WriteString(u"system info", u"option file name", u"Option.ini"));
    EXPECT_EQ(section.GetOptionFileName(), u"Option.ini");
    file->SetPath(Fixture("tansy_filled.ini"));
    EXPECT_EQ(section.GetOptionFileName(), u"settings\\Option.ini");
}

}  // namespace
