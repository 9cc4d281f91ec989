#include "app/settings/profile_file.h"

#include <climits>
#include <gtest/gtest.h>

#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::IntPair;
using brindle::ProfileFile;
using namespace settings_test;

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFileTest() { file.SetPath(PathText(folder / "test.ini")); }

    // Stores a raw value, as a user editing the file by hand would.
    void Put(std::u16string_view key, std::u16string_view text)
    {
        ASSERT_TRUE(platform::WriteProfileString(folder / "test.ini", u"S", key, text));
    }

    TempFolder folder;
    ProfileFile file;
};

TEST_F(ProfileFileTest, DoubleTextForm)
{
    struct Case {
        double value;
        std::u16string text;
    };
    const Case cases[] = {
        {0.2, u"0.2"},   {1234567.0, u"1.23457e+06"}, {609.6, u"609.6"}, {0.25, u"0.25"},
        {1.0, u"1"},     {-0.5, u"-0.5"},             {1e-7, u"1e-07"},  {123456.7, u"123457"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(file.WriteDouble(u"S", u"d", c.value));
        EXPECT_EQ(Stored(file.GetPath(), u"S", u"d"), c.text);
    }
}

TEST_F(ProfileFileTest, ReadFloatGoesThroughSinglePrecision)
{
    EXPECT_EQ(file.ReadFloat(u"S", u"missing", 1219.2), 1219.199951171875);
    EXPECT_EQ(file.ReadFloat(u"S", u"missing", 609.6), 609.5999755859375);
    struct Case {
        std::u16string text;
        double expected;
    };
    const Case cases[] = {
        {u"0.2", static_cast<double>(0.2f)},
        {u"12.5abc", 12.5},
        {u"  -3", -3.0},
        {u"+4.25", 4.25},
        {u".5", 0.5},
        {u"1.23457e+06", static_cast<double>(1.23457e+06f)},
        // Not a number: the default, in the same single-precision form.
        {u"abc", static_cast<double>(7.1f)},
        {u"", static_cast<double>(7.1f)},
        {u"inf", static_cast<double>(7.1f)},
        {u"1e40", static_cast<double>(7.1f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        Put(u"f", c.text);
        EXPECT_EQ(file.ReadFloat(u"S", u"f", 7.1), c.expected);
    }
}

TEST_F(ProfileFileTest, ReadIntTakesTheLeadingNumber)
{
    EXPECT_EQ(file.ReadInt(u"S", u"missing", 400), 400);
    struct Case {
        std::u16string text;
        int expected;
    };
    const Case cases[] = {
        {u"12abc", 12},   {u"  -7", -7},          {u"+5", 5},          {u"0x10", 0},
        {u"abc", 99},     {u"", 99},              {u"- 1", 99},        {u"99999999999", INT_MAX},
        {u"-99999999999", INT_MIN},               {u"3.9", 3},
        // Beyond the int range, however many digits: the int limit, never a wrapped value.
        {u"2147483647", INT_MAX},                 {u"2147483648", INT_MAX},
        {u"-2147483648", INT_MIN},                {u"-2147483649", INT_MIN},
        {u"12345678901234567890", INT_MAX},       {u"-12345678901234567890", INT_MIN},
        {u"18446744073709551617", INT_MAX},       {u"99999999999999999999999999999999999999x", INT_MAX},
        {u"-99999999999999999999999999999999999999", INT_MIN},
        // Leading zeros are digits too, but the value is what counts.
        {u"000000000000000000000042", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        Put(u"i", c.text);
        EXPECT_EQ(file.ReadInt(u"S", u"i", 99), c.expected);
    }
}

TEST_F(ProfileFileTest, IntAndUnsignedTextForms)
{
    struct Case {
        unsigned value;
        std::u16string text;
        int readBack;
    };
    const Case cases[] = {{0u, u"0", 0}, {3u, u"3", 3}, {4294967295u, u"-1", -1}, {3000000000u, u"-1294967296", -1294967296}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        ASSERT_TRUE(file.WriteUInt(u"S", u"u", c.value));
        EXPECT_EQ(Stored(file.GetPath(), u"S", u"u"), c.text);
        EXPECT_EQ(file.ReadInt(u"S", u"u", 0), c.readBack);
    }
    ASSERT_TRUE(file.WriteInt(u"S", u"i", -2147483647 - 1));
    EXPECT_EQ(Stored(file.GetPath(), u"S", u"i"), u"-2147483648");
}

TEST_F(ProfileFileTest, BooleansAreExactlyTrueOrFalse)
{
    EXPECT_TRUE(file.ReadBool(u"S", u"missing", true));
    EXPECT_FALSE(file.ReadBool(u"S", u"missing", false));
    struct Case {
        std::u16string text;
        bool expected;
    };
    const Case cases[] = {{u"TRUE", true}, {u"True", false}, {u"true", false},
                          {u"1", false},    {u"YES", false},   {u"FALSE", false}, {u"", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        Put(u"b", c.text);
        EXPECT_EQ(file.ReadBool(u"S", u"b", true), c.expected);
    }
    ASSERT_TRUE(file.WriteBool(u"S", u"b", true));
    EXPECT_EQ(Stored(file.GetPath(), u"S", u"b"), u"TRUE");
    ASSERT_TRUE(file.WriteBool(u"S", u"b", false));
    EXPECT_EQ(Stored(file.GetPath(), u"S", u"b"), u"FALSE");
}

TEST(IntPairTest, FormatAndParse)
{
    EXPECT_EQ(brindle::FormatIntPair(-1, 20), u"-1;20");
    EXPECT_EQ(brindle::FormatIntPair(12, -3), u"12;-3");
    struct Case {
        std::u16string text;
        IntPair expected;
    };
    const Case cases[] = {
        {u"", {0, 0}},        {u"5;7", {5, 7}},         {u"5", {5, 0}},      {u"a;7", {0, 7}},
        {u"5;b", {5, 0}},     {u"1;2;3", {1, 2}},       {u" 4; 5", {4, 5}},  {u";", {0, 0}},
        {u"-1;20", {-1, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.text));
        EXPECT_EQ(brindle::ParseIntPair(c.text), c.expected);
    }
}

TEST_F(ProfileFileTest, LongValuesAreCut)
{
    Put(u"long", std::u16string(2000, u'x'));
    EXPECT_EQ(file.ReadString(u"S", u"long", u""), std::u16string(1023, u'x'));
    // A cut never leaves half a surrogate pair.
    Put(u"pairs", std::u16string(1022, u'x') + u"\U0001D11E\U0001D11E");
    EXPECT_EQ(file.ReadString(u"S", u"pairs", u""), std::u16string(1022, u'x'));
    EXPECT_EQ(file.ReadString(u"S", u"missing", u"默认"), u"默认");
}

TEST_F(ProfileFileTest, SectionNamesInFileOrder)
{
    EXPECT_TRUE(file.GetSectionNames().empty());
    ASSERT_TRUE(file.WriteString(u"A", u"k", u"1"));
    ASSERT_TRUE(file.WriteString(u"B", u"k", u"1"));
    ASSERT_TRUE(file.WriteString(u"A2", u"k", u"1"));
    ASSERT_TRUE(file.WriteString(u"a", u"k2", u"1"));
    EXPECT_EQ(file.GetSectionNames(), (std::vector<std::u16string>{u"A", u"B", u"A2"}));
    EXPECT_TRUE(file.DeleteSection(u"b"));
    EXPECT_EQ(file.GetSectionNames(), (std::vector<std::u16string>{u"A", u"A2"}));
}

TEST_F(ProfileFileTest, SectionNamesHaveNoSizeLimit)
{
    // Far more than a fixed buffer of 10240 characters would hold.
    std::string text;
    for (int i = 0; i < 600; ++i)
        text += "[A rather long section name, number " + std::to_string(i) + "]\nk=1\n";
    TempFolder::Write(file.GetPath(), text);
    const std::vector<std::u16string> names = file.GetSectionNames();
    ASSERT_EQ(names.size(), 600u);
    EXPECT_EQ(names.back(), u"A rather long section name, number 599");
}

TEST_F(ProfileFileTest, WriteFailuresReachTheCaller)
{
    ProfileFile nowhere;
    nowhere.SetPath(PathText(folder / "missing-folder" / "x.ini"));
    EXPECT_FALSE(nowhere.WriteString(u"S", u"k", u"v"));
    EXPECT_FALSE(nowhere.WriteInt(u"S", u"k", 1));
    EXPECT_FALSE(nowhere.WriteUInt(u"S", u"k", 1));
    EXPECT_FALSE(nowhere.WriteDouble(u"S", u"k", 1.5));
    EXPECT_FALSE(nowhere.WriteBool(u"S", u"k", true));
    EXPECT_FALSE(ProfileFile().WriteString(u"S", u"k", u"v"));
    EXPECT_FALSE(file.WriteString(u"S", u"bad=key", u"v"));
    EXPECT_EQ(nowhere.ReadInt(u"S", u"k", 5), 5);
}

TEST_F(ProfileFileTest, PathsWithBackslashesResolve)
{
    std::filesystem::create_directory(folder / "sub");
    ProfileFile windowsStyle(PathText(folder.Path()) + u"/sub\\child.ini");
    ASSERT_TRUE(windowsStyle.WriteInt(u"S", u"k", 7));
    EXPECT_TRUE(std::filesystem::exists(folder / "sub" / "child.ini"));
    ProfileFile copy = windowsStyle;
    EXPECT_EQ(copy.ReadInt(u"S", u"k", 0), 7);
}

}  // namespace
