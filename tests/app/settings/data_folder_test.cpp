// The data folder that ships with the program: every file that "Tansy.ini" names is
// there, and each settings file holds what a fresh installation needs.
#include <gtest/gtest.h>
#include <set>

#include "app/settings/expression_style_list.h"
#include "app/settings/extend_symbol_file.h"
#include "app/settings/font_file.h"
#include "app/settings/font_param_file.h"
#include "app/settings/midi_device_section.h"
#include "app/settings/option_file.h"
#include "app/settings/page_info_file.h"
#include "app/settings/patch_name_file.h"
#include "app/settings/shortcut_file.h"
#include "app/settings/system_info_section.h"
#include "app/settings/texture_info_section.h"
#include "platform/atomic_file.h"
#include "tests/app/settings/settings_test_util.h"

namespace {

namespace fs = std::filesystem;
using namespace brindle;
using settings_test::Utf8;

// The source folder and its copy beside the built program.
class DataFolderTest : public ::testing::TestWithParam<const char*> {
protected:
    fs::path Folder() const { return GetParam(); }
    // The folder followed by a name from the settings, as the program joins them.
    std::u16string Join(std::u16string_view name) const
    {
        return platform::PathToUtf16(Folder()) + u"/" + std::u16string(name);
    }
    std::shared_ptr<ProfileFile> MainFile() const
    {
        return std::make_shared<ProfileFile>(Join(kMainSettingsFileName));
    }
    SystemInfoSection Info() const { return SystemInfoSection(MainFile()); }
};

TEST_P(DataFolderTest, SystemInfoNamesExistingFiles)
{
    using Getter = std::u16string (SystemInfoSection::*)() const;
    struct Row {
        const char* key;
        Getter get;
        bool folder;
        bool landed;  // false: the file arrives with its own work and is not checked yet
    };
    const Row rows[] = {
        {"Signature Font File", &SystemInfoSection::GetSignatureFontFile, false, true},
        {"Page Info File", &SystemInfoSection::GetPageInfoFile, false, true},
        {"Patch Name File", &SystemInfoSection::GetPatchNameFile, false, true},
        {"Expression File", &SystemInfoSection::GetExpressionFile, false, true},
        {"DTD File", &SystemInfoSection::GetDtdFile, false, false},
        {"Foreground File Path", &SystemInfoSection::GetForegroundFilePath, true, false},
        {"Background File Path", &SystemInfoSection::GetBackgroundFilePath, true, false},
        {"Font File Name", &SystemInfoSection::GetFontFileName, false, true},
        {"Font Param File Name", &SystemInfoSection::GetFontParamFileName, false, true},
        {"Extend Symbol File Name", &SystemInfoSection::GetExtendSymbolFileName, false, true},
        {"Option File Name", &SystemInfoSection::GetOptionFileName, false, true},
        {"Shortcut File Name", &SystemInfoSection::GetShortcutFileName, false, true},
        {"Help File Name", &SystemInfoSection::GetHelpFileName, false, false},
    };
    const SystemInfoSection info = Info();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.key);
        const std::u16string value = (info.*row.get)();
        ASSERT_FALSE(value.empty());
        EXPECT_EQ(value.back() == u'\\', row.folder);
        if (!row.landed)
            continue;
        const fs::path path = platform::PathFromUtf16(Join(value));
        EXPECT_TRUE(row.folder ? fs::is_directory(path) : fs::is_regular_file(path)) << path;
    }
    EXPECT_FALSE(info.GetDtdReplaceString().empty());
}

TEST_P(DataFolderTest, ShortcutsForEveryNoteEntryCommand)
{
    struct Row {
        std::u16string_view section;
        int systemKey;
        int virtualKey;
        int scanCode;
    };
    const Row rows[] = {
        {u"REST", 0, 0x30, 0x0B},
        {u"DO", 0, 0x31, 0x02},
        {u"RE", 0, 0x32, 0x03},
        {u"ME", 0, 0x33, 0x04},
        {u"FA", 0, 0x34, 0x05},
        {u"SOL", 0, 0x35, 0x06},
        {u"LA", 0, 0x36, 0x07},
        {u"SI", 0, 0x37, 0x08},
        {u"DRUM", 0, 0x58, 0x2D},
        {u"DURATION WHOLE", 0, 0x67, 0x47},
        {u"DURATION HALF", 0, 0x66, 0x4D},
        {u"DURATION QUARTER", 0, 0x65, 0x4C},
        {u"DURATION EIGHT", 0, 0x64, 0x4B},
        {u"DURATION SIXTEEN", 0, 0x63, 0x51},
        {u"DURATION 32", 0, 0x62, 0x50},
        {u"DURATION 64", 0, 0x61, 0x4F},
        {u"DURATION 128", 0, 0x60, 0x52},
        {u"DURATION PLUS", 0, 0x6B, 0x4E},
        {u"DURATION MINUS", 0, 0x6D, 0x4A},
        {u"DOT ONE", 0, 0xBE, 0x34},
        {u"OCTIVE THREE PLUS", 0, 0x71, 0x3C},
        {u"OCTIVE TWO PLUS", 0, 0x72, 0x3D},
        {u"OCTIVE ONE PLUS", 0, 0x73, 0x3E},
        {u"OCTIVE NORMAL", 0, 0x74, 0x3F},
        {u"OCTIVE ONE MINUS", 0, 0x75, 0x40},
        {u"OCTIVE TWO MINUS", 0, 0x76, 0x41},
        {u"OCTIVE THREE MINUS", 0, 0x77, 0x42},
        {u"OCTIVE PLUS", 0, 0xDE, 0x28},
        {u"OCTIVE MINUS", 0, 0xBC, 0x33},
        {u"TIE", 0, 0x4C, 0x26},
        {u"TRIPLET", 0, 0x54, 0x14},
        {u"PRE GRACE", 0, 0x47, 0x22},
        {u"POST GRACE", 2, 0x47, 0x22},
        {u"SYMBOL DOUBLE SHARP", 2, 0x53, 0x1F},
        {u"SYMBOL SHARP", 0, 0x53, 0x1F},
        {u"SYMBOL NATURAL", 0, 0x4E, 0x31},
        {u"SYMBOL FLAT", 0, 0x42, 0x30},
        {u"SYMBOL DOUBLE FLAT", 2, 0x42, 0x30},
    };
    ShortcutFile file;
    file.SetFileName(Join(Info().GetShortcutFileName()));
    ASSERT_EQ(std::size(rows), ShortcutFile::kSections.size());
    std::set<std::pair<int, int>> seen;
    for (const Row& row : rows) {
        SCOPED_TRACE(Utf8(row.section));
        const ShortcutKey key = file.ReadShortcut(row.section);
        EXPECT_EQ(key, (ShortcutKey{row.systemKey, row.virtualKey, row.scanCode, false, false}));
        EXPECT_TRUE(seen.insert({key.systemKey, key.virtualKey}).second) << "two commands share a key";
    }
    // The rest, degree and drum keys fire whatever modifiers are held, so no other
    // command may use their keys with a modifier either.
    std::set<int> noteKeys;
    for (std::size_t i = 0; i < 9; ++i)
        noteKeys.insert(file.ReadShortcut(ShortcutFile::kSections[i]).virtualKey);
    for (std::size_t i = 9; i < ShortcutFile::kSections.size(); ++i) {
        SCOPED_TRACE(Utf8(ShortcutFile::kSections[i]));
        EXPECT_EQ(noteKeys.count(file.ReadShortcut(ShortcutFile::kSections[i]).virtualKey), 0u);
    }
}

TEST_P(DataFolderTest, FontsForEveryKind)
{
    FontFile file;
    file.SetFileName(Join(Info().GetFontFileName()));
    for (int kind = 0; kind < FontFile::kFontKindCount; ++kind) {
        SCOPED_TRACE(kind);
        const quaverly::LogFont font = file.GetFont(kind);
        EXPECT_FALSE(font.FaceName().empty());
        EXPECT_LT(font.height, 0);
        EXPECT_TRUE(font.weight == 400 || font.weight == 700);
    }
    EXPECT_EQ(file.GetFont(kNoteFont).FaceName(), u"Tansy Number");
    EXPECT_EQ(file.GetFont(kTitleFont).FaceName(), u"黑体");
}

TEST_P(DataFolderTest, LayoutParametersAreAllPresent)
{
    const std::pair<std::u16string_view, std::u16string_view> keys[] = {
        {u"NORMAL NOTE PARAM", u"Dash Offset"},        {u"NORMAL NOTE PARAM", u"Symbol Offset"},
        {u"NORMAL NOTE PARAM", u"Dot Offset"},         {u"NORMAL NOTE PARAM", u"Dot Interval"},
        {u"NORMAL NOTE PARAM", u"Octive Dot Interval"}, {u"NORMAL NOTE PARAM", u"High Octive Offset"},
        {u"NORMAL NOTE PARAM", u"Low Octive Offset"},  {u"NORMAL NOTE PARAM", u"Leger Interval"},
        {u"NORMAL NOTE PARAM", u"Leger Line Thick"},   {u"NORMAL NOTE PARAM", u"Left Leger Bulge"},
        {u"NORMAL NOTE PARAM", u"Right Leger Bulge"},  {u"CHORD NOTE PARAM", u"Interval"},
        {u"CHORD NOTE PARAM", u"Scale"},               {u"CHORD NOTE PARAM", u"Symbol Offset"},
        {u"CHORD NOTE PARAM", u"High Octive Offset"},  {u"CHORD NOTE PARAM", u"Low Octive Offset"},
        {u"GRACE NOTE PARAM", u"Scale"},               {u"GRACE NOTE PARAM", u"Note Interval"},
        {u"GRACE NOTE PARAM", u"Dot Offset"},          {u"GRACE NOTE PARAM", u"Dot Interval"},
        {u"GRACE NOTE PARAM", u"Octive Dot Interval"}, {u"GRACE NOTE PARAM", u"High Octive Offset"},
        {u"GRACE NOTE PARAM", u"Low Octive Offset"},   {u"GRACE NOTE PARAM", u"Leger Interval"},
        {u"BAR PARAM", u"Left Margin"},                {u"BAR PARAM", u"Right Margin"},
        {u"BAR PARAM", u"Beat Beat Interval"},         {u"TRACK PARAM", u"Height"},
        {u"TRACK PARAM", u"Interval"},                 {u"SYSTEM PARAM", u"Interval"},
        {u"TITLE SYSTEM PARAM", u"Height"},            {u"LYRIC PARAM", u"Interval"},
        {u"LYRIC PARAM", u"Note Lyric Distance"},      {u"NOTE SPACING PARAM", u"Close Scale"},
    };
    const fs::path path = platform::PathFromUtf16(Join(Info().GetFontParamFileName()));
    for (const auto& [section, key] : keys) {
        SCOPED_TRACE(Utf8(section) + "/" + Utf8(key));
        EXPECT_TRUE(platform::ReadProfileString(path, section, key).has_value());
    }
    for (const int ticks : {5040, 10080, 20160, 40320, 80640, 161280, 322560, 645120, 1290240}) {
        SCOPED_TRACE(ticks);
        EXPECT_TRUE(platform::ReadProfileString(path, u"NOTE SPACING PARAM", GetNoteSpacingKey(ticks)).has_value());
    }
    FontParamFile file;
    file.SetFileName(Join(Info().GetFontParamFileName()));
    EXPECT_EQ(file.GetNoteSpacing(645120), 32.0);
    EXPECT_EQ(file.GetTrackHeight(), 700);
}

TEST_P(DataFolderTest, OptionsStartWithTheDefaults)
{
    const std::u16string path = Join(Info().GetOptionFileName());
    OptionFile options;
    options.SetFileName(path);
    TextureInfoSection textures;
    textures.SetFileName(path);
    MidiDeviceSection devices;
    devices.SetFileName(path);
    EXPECT_TRUE(options.GetShowInNotify());
    EXPECT_TRUE(options.GetShowOutNotify());
    EXPECT_TRUE(options.GetShowTrackBaseLine());
    EXPECT_TRUE(options.GetShowPageEdge());
    EXPECT_EQ(options.GetRecentDirectory(), u"");
    EXPECT_EQ(textures.GetForegroundFile(), u"");
    EXPECT_EQ(textures.GetBackgroundFile(), u"");
    EXPECT_EQ(devices.GetMidiInDevice(), -1);
    EXPECT_EQ(devices.GetMidiOutDevice(), -1);
}

TEST_P(DataFolderTest, PatchNamesInBothLanguages)
{
    const auto file = std::make_shared<ProfileFile>(Join(Info().GetPatchNameFile()));
    const PatchNameFile simplified(file, 2052);
    const PatchNameFile traditional(file, PatchNameFile::kTaiwanLanguageId);
    for (const PatchNameFile* names : {&simplified, &traditional}) {
        SCOPED_TRACE(Utf8(names->GetPatchSection()));
        ASSERT_EQ(names->GetPatchCount(), 128);
        ASSERT_EQ(names->GetPercussionCount(), 47);
        EXPECT_EQ(names->GetPercussionOffset(), 35);
        std::set<std::u16string> patches;
        for (int i = 0; i < 128; ++i)
            patches.insert(names->GetPatchName(i));
        EXPECT_EQ(patches.size(), 128u);
        EXPECT_EQ(patches.count(u""), 0u);
        std::set<std::u16string> percussion;
        for (int i = 0; i < 47; ++i)
            percussion.insert(names->GetPercussionName(i));
        EXPECT_EQ(percussion.size(), 47u);
        EXPECT_EQ(percussion.count(u""), 0u);
    }
    struct Name {
        int program;
        std::u16string simplified;
        std::u16string traditional;
    };
    const Name names[] = {
        {0, u"大钢琴", u"大鋼琴"}, {14, u"管钟", u"管鐘"}, {40, u"小提琴", u"小提琴"},
        {73, u"长笛", u"長笛"},   {127, u"枪声", u"槍聲"},
    };
    for (const Name& name : names) {
        SCOPED_TRACE(name.program);
        EXPECT_EQ(simplified.GetPatchName(name.program), name.simplified);
        EXPECT_EQ(traditional.GetPatchName(name.program), name.traditional);
    }
    EXPECT_EQ(simplified.GetPercussionName(0), u"原声大鼓");
    EXPECT_EQ(traditional.GetPercussionName(46), u"開音三角鐵");
}

TEST_P(DataFolderTest, ExpressionWordsAreTheTempoTerms)
{
    const std::u16string terms[] = {u"广板", u"慢板", u"慢速", u"缓板", u"柔板", u"稍慢", u"行板",
                                    u"小行板", u"中板稍慢", u"中速稍慢", u"中板", u"中速", u"中板稍快",
                                    u"中速稍快", u"小快板", u"稍快", u"快板", u"快速", u"急板", u"急速"};
    ExpressionStyleList list;
    list.SetFile(std::make_shared<ProfileFile>(Join(Info().GetExpressionFile())));
    ASSERT_EQ(list.GetCount(), static_cast<int>(std::size(terms)));
    for (int i = 0; i < list.GetCount(); ++i)
        EXPECT_EQ(list.GetItem(i), terms[i]) << i;
}

TEST_P(DataFolderTest, PaperSizesWithA4AsDefault)
{
    PageInfoFile papers;
    papers.SetFile(std::make_shared<ProfileFile>(Join(Info().GetPageInfoFile())));
    ASSERT_EQ(papers.Load(), 6);
    const PageInfo expected[] = {
        {u"A3", 297, 420, true, 20, 25, 15, 25}, {u"A4", 210, 297, true, 15, 25, 10, 25},
        {u"A5", 148, 210, true, 12, 15, 10, 15}, {u"B4", 250, 353, true, 18, 25, 12, 25},
        {u"B5", 176, 250, true, 15, 20, 10, 20}, {u"Letter", 216, 279, true, 15, 25, 10, 25},
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(papers.GetPaper(i), expected[i]);
        EXPECT_EQ(papers.IsDefault(i), i == 1);
    }
}

TEST_P(DataFolderTest, SettingsFilesAreUtf8)
{
    std::size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(Folder())) {
        if (entry.path().extension() != ".ini")
            continue;
        SCOPED_TRACE(entry.path().string());
        ++files;
        const std::optional<std::string> bytes = platform::ReadWholeFile(entry.path());
        ASSERT_TRUE(bytes.has_value());
        EXPECT_TRUE(platform::IsValidUtf8(*bytes));
    }
    EXPECT_GE(files, 9u);
}

TEST_P(DataFolderTest, NoUserSymbolsYet)
{
    ExtendSymbolFile symbols;
    symbols.SetFileName(Join(Info().GetExtendSymbolFileName()));
    EXPECT_EQ(symbols.GetSymbolCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Shipped, DataFolderTest, ::testing::Values(BRINDLE_SOURCE_DIR "/data", BRINDLE_BIN_DIR));

}  // namespace
