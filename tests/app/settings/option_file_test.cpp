#include <functional>
#include <gtest/gtest.h>
#include <variant>

#include "app/settings/midi_device_section.h"
#include "app/settings/option_file.h"
#include "app/settings/texture_info_section.h"
#include "tests/app/settings/settings_test_util.h"

namespace {

using brindle::MidiDeviceSection;
using brindle::OptionFile;
using brindle::TextureInfoSection;
using namespace settings_test;

using Value = std::variant<bool, int, std::u16string>;

// The three objects that reach the option file, pointed at one path.
struct Objects {
    explicit Objects(const std::u16string& path)
    {
        options.SetFileName(path);
        textures.SetFileName(path);
        devices.SetFileName(path);
    }
    OptionFile options;
    TextureInfoSection textures;
    MidiDeviceSection devices;
};

struct Row {
    std::u16string_view section;
    std::u16string_view key;
    Value emptyValue;
    Value filledValue;
    std::function<Value(const Objects&)> get;
    std::function<bool(Objects&, const Value&)> set;
    Value written;
    std::u16string_view writtenText;
};

const Row kRows[] = {
    {u"NO MIDI NOTIFY", u"Show In Notify", true, false,
     [](const Objects& o) { return Value(o.options.GetShowInNotify()); },
     [](Objects& o, const Value& v) { return o.options.SetShowInNotify(std::get<bool>(v)); }, false, u"FALSE"},
    {u"NO MIDI NOTIFY", u"Show Out Notify", true, false,
     [](const Objects& o) { return Value(o.options.GetShowOutNotify()); },
     [](Objects& o, const Value& v) { return o.options.SetShowOutNotify(std::get<bool>(v)); }, false, u"FALSE"},
    {u"SHOW EDGE LINE", u"Track Base Line", true, false,
     [](const Objects& o) { return Value(o.options.GetShowTrackBaseLine()); },
     [](Objects& o, const Value& v) { return o.options.SetShowTrackBaseLine(std::get<bool>(v)); }, false, u"FALSE"},
    {u"SHOW EDGE LINE", u"Page Edge", true, false,
     [](const Objects& o) { return Value(o.options.GetShowPageEdge()); },
     [](Objects& o, const Value& v) { return o.options.SetShowPageEdge(std::get<bool>(v)); }, false, u"FALSE"},
    {u"RECENT DIRECTORY", u"Path", u"", u"/home/用户/乐谱",
     [](const Objects& o) { return Value(o.options.GetRecentDirectory()); },
     [](Objects& o, const Value& v) { return o.options.SetRecentDirectory(std::get<std::u16string>(v)); },
     u" /tmp/with blank", u" /tmp/with blank"},
    {u"TEXTURE INFO", u"Foreground File", u"", u"纸张.bmp",
     [](const Objects& o) { return Value(o.textures.GetForegroundFile()); },
     [](Objects& o, const Value& v) { return o.textures.SetForegroundFile(std::get<std::u16string>(v)); },
     u"paper.png", u"paper.png"},
    {u"TEXTURE INFO", u"Background File", u"", u"wood.bmp",
     [](const Objects& o) { return Value(o.textures.GetBackgroundFile()); },
     [](Objects& o, const Value& v) { return o.textures.SetBackgroundFile(std::get<std::u16string>(v)); },
     u"cloth.png", u"cloth.png"},
    {u"MIDI DEVICE", u"Midi In Device", -1, 0,
     [](const Objects& o) { return Value(o.devices.GetMidiInDevice()); },
     [](Objects& o, const Value& v) { return o.devices.SetMidiInDevice(std::get<int>(v)); }, 0, u"0"},
    {u"MIDI DEVICE", u"Midi Out Device", -1, 2,
     [](const Objects& o) { return Value(o.devices.GetMidiOutDevice()); },
     [](Objects& o, const Value& v) { return o.devices.SetMidiOutDevice(std::get<int>(v)); }, 3, u"3"},
};

TEST(OptionFileTest, EveryKeyAgainstEmptyAndFilledFiles)
{
    TempFolder folder;
    const Objects empty(PathText(folder / "missing.ini"));
    const Objects filled(Fixture("option_filled.ini"));
    for (const Row& row : kRows) {
        SCOPED_TRACE(Utf8(row.key));
        EXPECT_EQ(row.get(empty), row.emptyValue);
        EXPECT_EQ(row.get(filled), row.filledValue);
    }
}

TEST(OptionFileTest, EverySetterWritesTheKeyItsGetterReads)
{
    TempFolder folder;
    Objects objects(PathText(folder / "Option.ini"));
    for (const Row& row : kRows) {
        SCOPED_TRACE(Utf8(row.key));
        ASSERT_TRUE(row.set(objects, row.written));
        EXPECT_EQ(Stored(folder / "Option.ini", row.section, row.key), row.writtenText);
        EXPECT_EQ(row.get(objects), row.written);
    }
}

TEST(OptionFileTest, SectionNamesAndWriteFailures)
{
    EXPECT_EQ(TextureInfoSection().GetSectionName(), u"TEXTURE INFO");
    EXPECT_EQ(MidiDeviceSection().GetSectionName(), u"MIDI DEVICE");
    TempFolder folder;
    Objects nowhere(PathText(folder / "missing-folder" / "Option.ini"));
    EXPECT_FALSE(nowhere.options.SetShowPageEdge(false));
    EXPECT_FALSE(nowhere.textures.SetForegroundFile(u"a.bmp"));
    EXPECT_FALSE(nowhere.devices.SetMidiOutDevice(1));
}

}  // namespace
