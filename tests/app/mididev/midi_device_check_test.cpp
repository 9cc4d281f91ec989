#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "app/mididev/midi_device_check.h"
#include "app/settings/profile_file.h"
#include "tests/app/mididev/fake_midi_backend.h"

namespace {

using brindle::MidiDeviceCheck;
using ::testing::ElementsAreArray;

// The user, answering each dialog from a script; the device dialog confirms its
// choices one after another until one is taken, and is cancelled when none is left.
class ScriptedUi final : public brindle::MidiDeviceUi {
public:
    MidiDeviceCheck* check = nullptr;
    std::deque<std::pair<bool, bool>> inputNotice;   // {declined, box ticked}
    std::deque<std::pair<bool, bool>> outputNotice;
    std::deque<std::pair<int, int>> dialogChoices;  // {input, output} per OK
    std::deque<bool> openFailedAnswers;             // true: go on without, false: choose again
    std::vector<std::string> shown;

    bool AskInputNotice(bool& dontRemind) override { return Answer("input notice", inputNotice, dontRemind); }
    bool AskOutputNotice(bool& dontRemind) override { return Answer("output notice", outputNotice, dontRemind); }
    void RunDeviceDialog() override
    {
        shown.push_back("device dialog");
        while (!dialogChoices.empty()) {
            const auto [input, output] = dialogChoices.front();
            dialogChoices.pop_front();
            if (check->ApplyChoice(input, output))
                return;
        }
        shown.push_back("device dialog cancelled");
    }
    bool AskInputOpenFailed() override { return Failed("input failed"); }
    bool AskOutputOpenFailed() override { return Failed("output failed"); }

private:
    bool Answer(const char* what, std::deque<std::pair<bool, bool>>& answers, bool& dontRemind)
    {
        shown.push_back(what);
        EXPECT_FALSE(dontRemind) << "the box starts unticked";
        EXPECT_FALSE(answers.empty()) << what << " not scripted";
        if (answers.empty())
            return true;
        const auto [declined, ticked] = answers.front();
        answers.pop_front();
        dontRemind = ticked;
        return declined;
    }
    bool Failed(const char* what)
    {
        shown.push_back(what);
        EXPECT_FALSE(openFailedAnswers.empty()) << what << " not scripted";
        if (openFailedAnswers.empty())
            return true;
        const bool answer = openFailedAnswers.front();
        openFailedAnswers.pop_front();
        return answer;
    }
};

struct Stored {
    std::u16string inDevice;  // empty: not written
    std::u16string outDevice;
    std::u16string showIn;
    std::u16string showOut;

    friend bool operator==(const Stored&, const Stored&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Stored& s)
    {
        const auto text = [](const std::u16string& t) { return std::string(t.begin(), t.end()); };
        return os << "{in " << text(s.inDevice) << ", out " << text(s.outDevice) << ", show in "
                  << text(s.showIn) << ", show out " << text(s.showOut) << "}";
    }
};

// The option file, the two devices over a fake back end with one input ("Keys") and one
// output port, and the check.
class DeviceCheckFixture {
public:
    explicit DeviceCheckFixture(const QTemporaryDir& dir)
        : path_(dir.filePath(QStringLiteral("Option.ini")).toStdU16String())
    {
        backend.inputs = {u"Keys"};
        backend.outputs = {u"Port A"};
        backend.synthesizer = true;
        options.SetFileName(path_);
        devices.SetFileName(path_);
        ui.check = &check;
    }

    Stored Read() const
    {
        brindle::ProfileFile file(path_);
        return {file.ReadString(u"MIDI DEVICE", u"Midi In Device", u""),
                file.ReadString(u"MIDI DEVICE", u"Midi Out Device", u""),
                file.ReadString(u"NO MIDI NOTIFY", u"Show In Notify", u""),
                file.ReadString(u"NO MIDI NOTIFY", u"Show Out Notify", u"")};
    }

    mididev_test::FakeMidiBackend backend;
    brindle::MidiInDevice input{backend};
    brindle::MidiOutDevice output{backend};
    brindle::OptionFile options;
    brindle::MidiDeviceSection devices;
    ScriptedUi ui;
    MidiDeviceCheck check{input, output, options, devices, ui};

    // The start-up check as the window runs it, the output opened here rather than on a
    // worker.
    void RunCheck()
    {
        if (check.Start())
            check.FinishOutput(output.IsOpen());
    }

private:
    std::u16string path_;
};

TEST(MidiDeviceCheck, StartUpWithScriptedAnswers)
{
    struct Case {
        const char* what;
        int storedIn;   // -2: not stored
        int storedOut;
        bool remindersOff;
        std::deque<std::pair<bool, bool>> inputNotice;
        std::deque<std::pair<bool, bool>> outputNotice;
        std::deque<std::pair<int, int>> dialogChoices;
        std::deque<bool> openFailedAnswers;
        std::vector<std::string> shown;
        Stored stored;
        bool inputStarted;
        bool outputOpen;
    };
    const Case cases[] = {
        {"both stored devices open", 0, 0, false, {}, {}, {}, {}, {}, {u"0", u"0", u"", u""}, true, true},
        {"nothing stored: the input notice, declined; the synthesizer opens",
         -2, -2, false, {{true, false}}, {}, {}, {},
         {"input notice"}, {u"", u"", u"TRUE", u""}, false, true},
        {"input notice, box ticked, choose: the dialog opens both",
         -2, -2, false, {{false, true}}, {}, {{0, 0}}, {},
         {"input notice", "device dialog"}, {u"0", u"0", u"FALSE", u""}, true, true},
        {"a choice made for the input notice is not undone by the output step",
         -2, 7, false, {{false, false}}, {}, {{0, 0}}, {},
         {"input notice", "device dialog"}, {u"0", u"0", u"TRUE", u""}, true, true},
        {"missing output port: notice declined with the box ticked",
         0, 5, false, {}, {{true, true}}, {}, {},
         {"output notice"}, {u"0", u"5", u"", u"FALSE"}, true, false},
        {"output notice, choose, dialog cancelled",
         0, 5, false, {}, {{false, false}}, {}, {},
         {"output notice", "device dialog", "device dialog cancelled"}, {u"0", u"5", u"", u"TRUE"}, true, false},
        {"the dialog asks again on a failed open; choosing again keeps it open",
         3, 0, false, {{false, false}}, {}, {{2, 0}, {0, 0}}, {false},
         {"input notice", "device dialog", "input failed"}, {u"0", u"0", u"TRUE", u""}, true, true},
        {"a failed device accepted in the dialog is stored all the same (and the output's "
         "notice follows, since it still does not open)",
         3, 0, false, {{false, false}}, {{true, false}}, {{2, 9}}, {true, true},
         {"input notice", "device dialog", "input failed", "output failed", "output notice"},
         {u"2", u"9", u"TRUE", u"TRUE"}, false, false},
        {"reminders off: no notice at all", 4, 6, true, {}, {}, {}, {}, {}, {u"4", u"6", u"FALSE", u"FALSE"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        DeviceCheckFixture fixture(dir);
        if (c.storedIn != -2)
            fixture.devices.SetMidiInDevice(c.storedIn);
        if (c.storedOut != -2)
            fixture.devices.SetMidiOutDevice(c.storedOut);
        if (c.remindersOff) {
            fixture.options.SetShowInNotify(false);
            fixture.options.SetShowOutNotify(false);
        }
        fixture.ui.inputNotice = c.inputNotice;
        fixture.ui.outputNotice = c.outputNotice;
        fixture.ui.dialogChoices = c.dialogChoices;
        fixture.ui.openFailedAnswers = c.openFailedAnswers;
        fixture.RunCheck();
        EXPECT_THAT(fixture.ui.shown, ElementsAreArray(c.shown));
        EXPECT_EQ(fixture.Read(), c.stored);
        EXPECT_EQ(fixture.input.IsStarted(), c.inputStarted);
        EXPECT_EQ(fixture.output.IsOpen(), c.outputOpen);
        EXPECT_TRUE(fixture.ui.inputNotice.empty());
        EXPECT_TRUE(fixture.ui.outputNotice.empty());
        EXPECT_TRUE(fixture.ui.openFailedAnswers.empty());
    }
}

// Without the output's reminder nothing has to be known at start-up: the stored output
// is opened by the first message played through it, once, and it sounds.
TEST(MidiDeviceCheck, OutputWithoutReminderOpensWhenFirstUsed)
{
    struct Case {
        const char* what;
        int storedOut;
        bool inputReminder;  // with the input stored as 7 (missing)
        std::deque<std::pair<int, int>> dialogChoices;
        std::vector<int> opensAtStartUp;
        std::vector<int> opensAfterPlaying;
        bool sounds;
    };
    const Case cases[] = {
        {"a port", 0, false, {}, {}, {0}, true},
        {"the synthesizer", -1, false, {}, {}, {-1}, true},
        {"a port that is gone stays silent", 5, false, {}, {}, {5}, false},
        {"the device chosen for the input's notice is kept open", 0, true, {{0, 0}}, {0}, {0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        DeviceCheckFixture fixture(dir);
        fixture.devices.SetMidiInDevice(7);
        fixture.devices.SetMidiOutDevice(c.storedOut);
        fixture.options.SetShowInNotify(c.inputReminder);
        fixture.options.SetShowOutNotify(false);
        if (c.inputReminder)
            fixture.ui.inputNotice = {{false, false}};
        fixture.ui.dialogChoices = c.dialogChoices;
        fixture.RunCheck();
        // Stopping what never played opens nothing either.
        fixture.output.Reset();
        EXPECT_EQ(fixture.backend.outputOpens, c.opensAtStartUp);
        fixture.backend.ClearSent();

        const std::uint32_t noteOn = 0x90 | (60 << 8) | (100 << 16);
        fixture.output.SendShortMessage(noteOn);
        fixture.output.SendShortMessage(noteOn & 0xFFFF);
        EXPECT_EQ(fixture.backend.outputOpens, c.opensAfterPlaying);
        EXPECT_EQ(fixture.output.IsOpen(), c.sounds);
        const std::vector<mididev_test::Bytes> sounded = {{0x90, 60, 100}, {0x90, 60, 0}};
        EXPECT_EQ(fixture.backend.Sent(), c.sounds ? sounded : std::vector<mididev_test::Bytes>{});
    }
}

// The device dialog shown for the input's notice opened the output: the output's step
// keeps that port rather than opening the device once more.
TEST(MidiDeviceCheck, OutputOpenedByTheInputsDialogIsKept)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    DeviceCheckFixture fixture(dir);
    fixture.devices.SetMidiInDevice(7);
    fixture.ui.inputNotice = {{false, false}};
    fixture.ui.dialogChoices = {{0, -1}};
    fixture.RunCheck();
    EXPECT_THAT(fixture.ui.shown, ElementsAreArray({"input notice", "device dialog"}));
    EXPECT_EQ(fixture.backend.outputOpens, std::vector<int>{-1});
    EXPECT_EQ(fixture.backend.openOutputs, 1);
    EXPECT_TRUE(fixture.output.IsOpen());
}

TEST(MidiDeviceCheck, DialogSelectionOfStoredDevices)
{
    EXPECT_EQ(MidiDeviceCheck::SelectionFor(1, 3), 1);
    EXPECT_EQ(MidiDeviceCheck::SelectionFor(3, 3), -1);
    EXPECT_EQ(MidiDeviceCheck::SelectionFor(-1, 3), -1);
    EXPECT_EQ(MidiDeviceCheck::SelectionFor(0, 0), -1);
}

}  // namespace
