#include "app/settings/font_param_file.h"

#include <functional>
#include <gtest/gtest.h>
#include <variant>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::FontParamFile;
using brindle::IntPair;
using namespace settings_test;

using Value = std::variant<int, double, IntPair>;

struct Row {
    std::u16string_view section;
    std::u16string_view key;
    Value emptyValue;   // read from an empty file
    Value filledValue;  // read from the filled fixture
    std::function<Value(const FontParamFile&)> get;
    std::function<bool(FontParamFile&, const Value&)> set;
    Value written;                  // a value to write with the setter
    std::u16string_view writtenText;  // the text the setter stores
};

template <typename T>
std::function<Value(const FontParamFile&)> G(T (FontParamFile::*get)() const)
{
    return [get](const FontParamFile& f) { return Value((f.*get)()); };
}

template <typename T>
std::function<bool(FontParamFile&, const Value&)> S(bool (FontParamFile::*set)(T))
{
    return [set](FontParamFile& f, const Value& v) {
        return (f.*set)(std::get<std::remove_cvref_t<T>>(v));
    };
}

// Numbers read back in single precision.
double F(double v)
{
    return static_cast<double>(static_cast<float>(v));
}

const Row kRows[] = {
    {u"NORMAL NOTE PARAM", u"Dash Offset", IntPair{}, IntPair{1, 2}, G(&FontParamFile::GetNormalNoteDashOffset), S(&FontParamFile::SetNormalNoteDashOffset), IntPair{-1, 20}, u"-1;20"},
    {u"NORMAL NOTE PARAM", u"Symbol Offset", IntPair{}, IntPair{3, 4}, G(&FontParamFile::GetNormalNoteSymbolOffset), S(&FontParamFile::SetNormalNoteSymbolOffset), IntPair{5, 6}, u"5;6"},
    {u"NORMAL NOTE PARAM", u"Dot Offset", IntPair{}, IntPair{5, 6}, G(&FontParamFile::GetNormalNoteDotOffset), S(&FontParamFile::SetNormalNoteDotOffset), IntPair{100, 20}, u"100;20"},
    {u"NORMAL NOTE PARAM", u"Dot Interval", 0.0, F(0.75), G(&FontParamFile::GetNormalNoteDotInterval), S(&FontParamFile::SetNormalNoteDotInterval), 0.5, u"0.5"},
    {u"NORMAL NOTE PARAM", u"Octive Dot Interval", 0.25, F(0.3), G(&FontParamFile::GetNormalNoteOctaveDotInterval), S(&FontParamFile::SetNormalNoteOctaveDotInterval), 0.125, u"0.125"},
    {u"NORMAL NOTE PARAM", u"High Octive Offset", IntPair{}, IntPair{7, 8}, G(&FontParamFile::GetNormalNoteHighOctaveOffset), S(&FontParamFile::SetNormalNoteHighOctaveOffset), IntPair{0, 75}, u"0;75"},
    {u"NORMAL NOTE PARAM", u"Low Octive Offset", IntPair{}, IntPair{9, 10}, G(&FontParamFile::GetNormalNoteLowOctaveOffset), S(&FontParamFile::SetNormalNoteLowOctaveOffset), IntPair{0, 40}, u"0;40"},
    {u"NORMAL NOTE PARAM", u"Leger Interval", F(0.2), F(0.4), G(&FontParamFile::GetNormalNoteLegerInterval), S(&FontParamFile::SetNormalNoteLegerInterval), 0.25, u"0.25"},
    {u"NORMAL NOTE PARAM", u"Leger Line Thick", 0, 31, G(&FontParamFile::GetNormalNoteLegerLineThick), S(&FontParamFile::SetNormalNoteLegerLineThick), 30, u"30"},
    {u"NORMAL NOTE PARAM", u"Left Leger Bulge", 0, 11, G(&FontParamFile::GetNormalNoteLeftLegerBulge), S(&FontParamFile::SetNormalNoteLeftLegerBulge), 7, u"7"},
    {u"NORMAL NOTE PARAM", u"Right Leger Bulge", 0, 12, G(&FontParamFile::GetNormalNoteRightLegerBulge), S(&FontParamFile::SetNormalNoteRightLegerBulge), 8, u"8"},
    {u"CHORD NOTE PARAM", u"Interval", 0, 131, G(&FontParamFile::GetChordNoteInterval), S(&FontParamFile::SetChordNoteInterval), 130, u"130"},
    {u"CHORD NOTE PARAM", u"Scale", 1.0, F(0.7), G(&FontParamFile::GetChordNoteScale), S(&FontParamFile::SetChordNoteScale), 0.75, u"0.75"},
    {u"CHORD NOTE PARAM", u"Symbol Offset", IntPair{}, IntPair{13, 14}, G(&FontParamFile::GetChordNoteSymbolOffset), S(&FontParamFile::SetChordNoteSymbolOffset), IntPair{1, 1}, u"1;1"},
    {u"CHORD NOTE PARAM", u"High Octive Offset", IntPair{}, IntPair{15, 16}, G(&FontParamFile::GetChordNoteHighOctaveOffset), S(&FontParamFile::SetChordNoteHighOctaveOffset), IntPair{0, 200}, u"0;200"},
    {u"CHORD NOTE PARAM", u"Low Octive Offset", IntPair{}, IntPair{17, -18}, G(&FontParamFile::GetChordNoteLowOctaveOffset), S(&FontParamFile::SetChordNoteLowOctaveOffset), IntPair{0, 30}, u"0;30"},
    {u"GRACE NOTE PARAM", u"Scale", 1.0, F(0.6), G(&FontParamFile::GetGraceNoteScale), S(&FontParamFile::SetGraceNoteScale), 0.5, u"0.5"},
    {u"GRACE NOTE PARAM", u"Note Interval", 0, 32, G(&FontParamFile::GetGraceNoteNoteInterval), S(&FontParamFile::SetGraceNoteNoteInterval), 30, u"30"},
    {u"GRACE NOTE PARAM", u"Dot Offset", IntPair{}, IntPair{19, 20}, G(&FontParamFile::GetGraceNoteDotOffset), S(&FontParamFile::SetGraceNoteDotOffset), IntPair{50, 0}, u"50;0"},
    {u"GRACE NOTE PARAM", u"Dot Interval", 0.0, F(0.45), G(&FontParamFile::GetGraceNoteDotInterval), S(&FontParamFile::SetGraceNoteDotInterval), 0.5, u"0.5"},
    {u"GRACE NOTE PARAM", u"Octive Dot Interval", 0.5, F(0.35), G(&FontParamFile::GetGraceNoteOctaveDotInterval), S(&FontParamFile::SetGraceNoteOctaveDotInterval), 0.375, u"0.375"},
    {u"GRACE NOTE PARAM", u"High Octive Offset", IntPair{}, IntPair{21, 22}, G(&FontParamFile::GetGraceNoteHighOctaveOffset), S(&FontParamFile::SetGraceNoteHighOctaveOffset), IntPair{0, 55}, u"0;55"},
    {u"GRACE NOTE PARAM", u"Low Octive Offset", IntPair{}, IntPair{23, 24}, G(&FontParamFile::GetGraceNoteLowOctaveOffset), S(&FontParamFile::SetGraceNoteLowOctaveOffset), IntPair{0, 25}, u"0;25"},
    {u"GRACE NOTE PARAM", u"Leger Interval", 0.0, F(0.15), G(&FontParamFile::GetGraceNoteLegerInterval), S(&FontParamFile::SetGraceNoteLegerInterval), 0.25, u"0.25"},
    {u"BAR PARAM", u"Left Margin", 0, 201, G(&FontParamFile::GetBarLeftMargin), S(&FontParamFile::SetBarLeftMargin), 200, u"200"},
    {u"BAR PARAM", u"Right Margin", 0, 202, G(&FontParamFile::GetBarRightMargin), S(&FontParamFile::SetBarRightMargin), 200, u"200"},
    {u"BAR PARAM", u"Beat Beat Interval", 0, 151, G(&FontParamFile::GetBarBeatBeatInterval), S(&FontParamFile::SetBarBeatBeatInterval), 150, u"150"},
    {u"TRACK PARAM", u"Height", 609, 609, G(&FontParamFile::GetTrackHeight), S(&FontParamFile::SetTrackHeight), 700, u"700"},
    {u"TRACK PARAM", u"Interval", 1219, 1500, G(&FontParamFile::GetTrackInterval), S(&FontParamFile::SetTrackInterval), 1300, u"1300"},
    {u"SYSTEM PARAM", u"Interval", 1219, -1300, G(&FontParamFile::GetSystemInterval), S(&FontParamFile::SetSystemInterval), 1400, u"1400"},
    {u"TITLE SYSTEM PARAM", u"Height", 1500, 2501, G(&FontParamFile::GetTitleSystemHeight), S(&FontParamFile::SetTitleSystemHeight), 2500, u"2500"},
    {u"LYRIC PARAM", u"Interval", 0, 745, G(&FontParamFile::GetLyricInterval), S(&FontParamFile::SetLyricInterval), 744, u"744"},
    {u"LYRIC PARAM", u"Note Lyric Distance", 0, 187, G(&FontParamFile::GetLyricNoteLyricDistance), S(&FontParamFile::SetLyricNoteLyricDistance), 186, u"186"},
    {u"NOTE SPACING PARAM", u"Close Scale", 1.0, F(0.55), G(&FontParamFile::GetNoteSpacingCloseScale), S(&FontParamFile::SetNoteSpacingCloseScale), 0.5, u"0.5"},
};

std::string Describe(const Row& row)
{
    return Utf8(row.section) + "/" + Utf8(row.key);
}

TEST(FontParamFileTest, EveryKeyAgainstEmptyAndFilledFiles)
{
    TempFolder folder;
    TempFolder::Write(folder / "empty.ini", "");
    FontParamFile empty;
    empty.SetFileName(PathText(folder / "empty.ini"));
    FontParamFile filled;
    filled.SetFileName(Fixture("fontparam_filled.ini"));
    for (const Row& row : kRows) {
        SCOPED_TRACE(Describe(row));
        EXPECT_EQ(row.get(empty), row.emptyValue);
        EXPECT_EQ(row.get(filled), row.filledValue);
    }
}

TEST(FontParamFileTest, EverySetterWritesTheKeyItsGetterReads)
{
    TempFolder folder;
    FontParamFile file;
    file.SetFileName(PathText(folder / "FontParam.ini"));
    for (const Row& row : kRows) {
        SCOPED_TRACE(Describe(row));
        ASSERT_TRUE(row.set(file, row.written));
        EXPECT_EQ(Stored(folder / "FontParam.ini", row.section, row.key), row.writtenText);
        EXPECT_EQ(row.get(file), row.written);
    }
    // Keys of the same name in different sections stayed apart.
    EXPECT_EQ(file.GetTrackHeight(), 700);
    EXPECT_EQ(file.GetTitleSystemHeight(), 2500);
    EXPECT_EQ(file.GetChordNoteInterval(), 130);
}

TEST(FontParamFileTest, NoteSpacingByDuration)
{
    struct Case {
        int ticks;
        std::u16string_view key;
        double filled;
    };
    const Case cases[] = {
        {5040, u"128th", 0.25},  {10080, u"64th", 0.5},  {20160, u"32nd", 1.25}, {40320, u"16th", 2.0},
        {80640, u"eighth", 4.5}, {161280, u"quarter", 8}, {322560, u"half", 16},  {645120, u"whole", 32},
        {1290240, u"breve", 64}, {241920, u"quarter", 8}, {120960, u"quarter", 8}, {0, u"quarter", 8},
        {-161280, u"quarter", 8},
    };
    TempFolder folder;
    FontParamFile empty;
    empty.SetFileName(PathText(folder / "missing.ini"));
    FontParamFile filled;
    filled.SetFileName(Fixture("fontparam_filled.ini"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticks);
        EXPECT_EQ(brindle::GetNoteSpacingKey(c.ticks), c.key);
        EXPECT_EQ(empty.GetNoteSpacing(c.ticks), 1.0);
        EXPECT_EQ(filled.GetNoteSpacing(c.ticks), c.filled);
    }
    FontParamFile file;
    file.SetFileName(PathText(folder / "FontParam.ini"));
    ASSERT_TRUE(file.SetNoteSpacing(80640, 1.5));
    EXPECT_EQ(Stored(folder / "FontParam.ini", u"NOTE SPACING PARAM", u"eighth"), u"1.5");
    EXPECT_EQ(file.GetNoteSpacing(80640), 1.5);
}

TEST(FontParamFileTest, TruncatedEntriesStayInTheIntRange)
{
    TempFolder folder;
    FontParamFile file;
    file.SetFileName(PathText(folder / "FontParam.ini"));
    ASSERT_TRUE(platform::WriteProfileString(folder / "FontParam.ini", u"TRACK PARAM", u"Height", u"3e9"));
    EXPECT_EQ(file.GetTrackHeight(), 609);
    ASSERT_TRUE(platform::WriteProfileString(folder / "FontParam.ini", u"TRACK PARAM", u"Height", u"-0.9"));
    EXPECT_EQ(file.GetTrackHeight(), 0);
}

}  // namespace
