// The MIDI device dialogs as the user meets them, answered through the scripted dialog
// service: their texts, the device lists, choosing again after a device failed to open,
// and the reminders' box, over two devices on a fake back end and an option file of the
// test's own.
#include "app/dialogs/midi_device_dialogs.h"
#include "app/dialogs/midi_device_dlg.h"
#include "app/dialogs/midi_notice_dlg.h"
#include "app/settings/profile_file.h"
#include "tests/app/dialogs/value_dialog_test_support.h"
#include "tests/app/mididev/fake_midi_backend.h"

#include <QCheckBox>
#include <QImage>
#include <QListWidget>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using brindle::CMidiDeviceDlg;
using brindle::CMidiInNoticeDlg;
using brindle::CMidiOpenFailedDlg;
using brindle::CMidiOutNoticeDlg;
using brindle::MidiDeviceDialogs;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdOk;

std::vector<std::u16string> Entries(DialogBase& d, int id)
{
    std::vector<std::u16string> entries;
    auto* list = d.Control<QListWidget>(id);
    for (int row = 0; row < list->count(); ++row)
        entries.push_back(list->item(row)->text().toStdU16String());
    return entries;
}

int Selected(DialogBase& d, int id) { return d.Control<QListWidget>(id)->currentRow(); }

class MidiDeviceDialogsTest : public ValueDialogTest {
protected:
    MidiDeviceDialogsTest()
    {
        backend.inputs = {u"Keys A", u"Keys B"};
        backend.outputs = {u"Port A", u"Port B", u"Port C"};
    }

    std::u16string Option() const { return (folder / "Option.ini").u16string(); }
    std::u16string Read(const char16_t* section, const char16_t* key) const
    {
        return brindle::ProfileFile(Option()).ReadString(section, key, u"");
    }
    void Store(int input, int output)
    {
        brindle::ProfileFile file(Option());
        file.WriteInt(u"MIDI DEVICE", u"Midi In Device", input);
        file.WriteInt(u"MIDI DEVICE", u"Midi Out Device", output);
    }

    TempFolder folder;
    mididev_test::FakeMidiBackend backend;
    brindle::MidiInDevice input{backend};
    brindle::MidiOutDevice output{backend};
};

TEST_F(MidiDeviceDialogsTest, DialogsSayWhatTheUserReads)
{
    struct Case {
        std::function<std::unique_ptr<DialogBase>()> make;
        int templateId;
        std::u16string caption;
        int noticeId;
        std::u16string notice;
        std::u16string ok;
        std::u16string cancel;
        int boxId;  // 0: none
        std::u16string box;
    };
    const Case cases[] = {
        {[] { return std::make_unique<CMidiInNoticeDlg>(); }, 240, u"输入设备", CMidiInNoticeDlg::kIdNotice,
         u"没有选中任何MIDI 输入设备!", u"不使用输入设备", u"选择", 1114, u"以后不要提醒我"},
        {[] { return std::make_unique<CMidiOutNoticeDlg>(); }, 239, u"打开输出设备", CMidiOutNoticeDlg::kIdNotice,
         u"MIDI 输出设备打开失败,回放乐曲时将会没有声音！", u"不使用输出设备", u"选择MIDI输出设备", 1115,
         u"下次不再提醒我"},
        {[] { return std::make_unique<CMidiOpenFailedDlg>(CMidiOpenFailedDlg::Device::Input); }, 198, u"打开设备",
         CMidiOpenFailedDlg::kIdNotice, u"MIDI 输入设备打开失败！", u"不使用输入设备", u"重新选择", 0, u""},
        {[] { return std::make_unique<CMidiOpenFailedDlg>(CMidiOpenFailedDlg::Device::Output); }, 197, u"打开设备",
         CMidiOpenFailedDlg::kIdNotice, u"MIDI 输出设备打开失败！", u"不使用输出设备", u"重新选择", 0, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        std::unique_ptr<DialogBase> dialog = c.make();
        EXPECT_EQ(dialog->TemplateId(), c.templateId);
        EXPECT_EQ(dialog->windowTitle().toStdU16String(), c.caption);
        EXPECT_EQ(dialog->GetDlgItemText(c.noticeId), c.notice);
        EXPECT_EQ(dialog->GetDlgItemText(kIdOk), c.ok);
        EXPECT_EQ(dialog->GetDlgItemText(kIdCancel), c.cancel);
        if (c.boxId != 0) {
            EXPECT_EQ(dialog->GetDlgItemText(c.boxId), c.box);
            EXPECT_EQ(dialog->IsDlgButtonChecked(c.boxId), 0);
        }
    }
}

TEST_F(MidiDeviceDialogsTest, DeviceListsShowThePortsWithTheStoredChoicesSelected)
{
    struct Case {
        int storedIn;
        int storedOut;
        int selectedIn;
        int selectedOut;
    };
    for (const Case c : {Case{1, 2, 1, 2}, Case{-1, 0, -1, 0}, Case{2, 3, -1, -1}}) {
        SCOPED_TRACE(c.storedIn);
        Store(c.storedIn, c.storedOut);
        script.AnswerModal([&](DialogBase& d) {
            EXPECT_EQ(d.TemplateId(), CMidiDeviceDlg::kTemplateId);
            EXPECT_EQ(d.windowTitle(), QStringLiteral("播放及录音设备"));
            EXPECT_EQ(d.GetDlgItemText(kIdOk), u"确定(&O)");
            EXPECT_EQ(d.GetDlgItemText(kIdCancel), u"取消(&C)");
            EXPECT_EQ(Entries(d, CMidiDeviceDlg::kIdInputList), (std::vector<std::u16string>{u"Keys A", u"Keys B"}));
            EXPECT_EQ(Entries(d, CMidiDeviceDlg::kIdOutputList),
                      (std::vector<std::u16string>{u"Port A", u"Port B", u"Port C"}));
            EXPECT_EQ(Selected(d, CMidiDeviceDlg::kIdInputList), c.selectedIn);
            EXPECT_EQ(Selected(d, CMidiDeviceDlg::kIdOutputList), c.selectedOut);
            d.Control<QListWidget>(CMidiDeviceDlg::kIdInputList)->setCurrentRow(0);
            d.ClickButton(kIdCancel);
        });
        MidiDeviceDialogs(input, output, Option()).RunDeviceDialog();
        // Cancel changes nothing.
        EXPECT_EQ(Read(u"MIDI DEVICE", u"Midi In Device"), QString::number(c.storedIn).toStdU16String());
        EXPECT_FALSE(input.IsOpen());
        EXPECT_FALSE(output.IsOpen());
    }
    EXPECT_EQ(script.PendingSteps(), 0u);
}

TEST_F(MidiDeviceDialogsTest, ChoosingAgainAfterAFailedOpenKeepsTheDialogAndItsSelection)
{
    // Nothing selected for the input: it cannot be opened. "重新选择" returns to the
    // dialog with the same selection; then a port is chosen and both are stored.
    Store(-1, 1);
    script.AnswerModal([&](DialogBase& d) {
        d.ClickButton(kIdOk);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(Selected(d, CMidiDeviceDlg::kIdInputList), -1);
        EXPECT_EQ(Selected(d, CMidiDeviceDlg::kIdOutputList), 1);
        EXPECT_FALSE(output.IsOpen()) << "the output waits for the input's answer";
        d.Control<QListWidget>(CMidiDeviceDlg::kIdInputList)->setCurrentRow(1);
        d.ClickButton(kIdOk);
    });
    script.AnswerModal([](DialogBase& failed) {
        EXPECT_EQ(failed.TemplateId(), CMidiOpenFailedDlg::kInputTemplateId);
        failed.ClickButton(kIdCancel);
    });
    MidiDeviceDialogs(input, output, Option()).RunDeviceDialog();
    EXPECT_EQ(script.PendingSteps(), 0u);
    EXPECT_EQ(Read(u"MIDI DEVICE", u"Midi In Device"), u"1");
    EXPECT_EQ(Read(u"MIDI DEVICE", u"Midi Out Device"), u"1");
    EXPECT_TRUE(input.IsStarted());
    EXPECT_TRUE(output.IsOpen());
}

TEST_F(MidiDeviceDialogsTest, GoingOnWithoutAFailedOutputStoresTheChoiceAnyway)
{
    // No output selected and no synthesizer: the output fails and is declined.
    Store(0, -1);
    script.AnswerModal([](DialogBase& d) { d.ClickButton(kIdOk); });
    script.AnswerModal([](DialogBase& failed) {
        EXPECT_EQ(failed.TemplateId(), CMidiOpenFailedDlg::kOutputTemplateId);
        failed.ClickButton(kIdOk);
    });
    MidiDeviceDialogs(input, output, Option()).RunDeviceDialog();
    EXPECT_EQ(script.PendingSteps(), 0u);
    EXPECT_EQ(Read(u"MIDI DEVICE", u"Midi In Device"), u"0");
    EXPECT_EQ(Read(u"MIDI DEVICE", u"Midi Out Device"), u"-1");
    EXPECT_TRUE(input.IsStarted());
    EXPECT_FALSE(output.IsOpen());
}

TEST_F(MidiDeviceDialogsTest, ReminderBoxCountsHoweverTheReminderIsClosed)
{
    struct Case {
        const char* what;
        int button;
        bool tick;
        bool declined;
    };
    for (const Case c : {Case{"OK, ticked", kIdOk, true, true}, Case{"choose, ticked", kIdCancel, true, false},
                         Case{"choose, unticked", kIdCancel, false, false}}) {
        SCOPED_TRACE(c.what);
        script.AnswerModal([&](DialogBase& d) {
            EXPECT_EQ(d.TemplateId(), CMidiOutNoticeDlg::kTemplateId);
            if (c.tick)
                d.Control<QCheckBox>(CMidiOutNoticeDlg::kIdDontRemind)->setChecked(true);
            d.ClickButton(c.button);
        });
        bool dontRemind = false;
        EXPECT_EQ(MidiDeviceDialogs(input, output, Option()).AskOutputNotice(dontRemind), c.declined);
        EXPECT_EQ(dontRemind, c.tick);
    }
}

// The two start-up notices as they open: below their answer buttons there is only the
// window's background (no line or frame across the dialog).
TEST_F(MidiDeviceDialogsTest, NoticesShowNothingUnderTheirButtons)
{
    int checked = 0;
    const auto look = [&](DialogBase& d) {
        d.show();
        ProcessPostedMessages();
        const QImage picture = d.grab().toImage();
        const int below = std::max(d.GetDlgItem(kIdOk)->geometry().bottom(), d.GetDlgItem(kIdCancel)->geometry().bottom());
        ASSERT_LT(below, picture.height() - 1);
        const QRgb background = picture.pixel(0, picture.height() - 1);
        for (int y = below + 1; y < picture.height(); ++y) {
            int marked = 0;
            for (int x = 0; x < picture.width(); ++x)
                marked += picture.pixel(x, y) != background ? 1 : 0;
            EXPECT_EQ(marked, 0) << "row " << y << " of " << d.windowTitle().toStdString();
        }
        ++checked;
        d.hide();
        d.ClickButton(kIdOk);
    };
    script.AnswerModal(look);
    script.AnswerModal(look);
    MidiDeviceDialogs dialogs(input, output, Option());
    bool box = false;
    dialogs.AskInputNotice(box);
    dialogs.AskOutputNotice(box);
    EXPECT_EQ(checked, 2);
}

// A picture of the five dialogs as they open, one under the other, for people to look at:
// build/bin/specimen/midi_device_dialogs.png (or in $BRINDLE_SPECIMEN_DIR).
TEST_F(MidiDeviceDialogsTest, SpecimenOfTheDialogs)
{
    Store(1, 0);
    std::vector<QImage> pictures;
    const auto grab = [&](DialogBase& d) {
        d.show();
        ProcessPostedMessages();
        pictures.push_back(d.grab().toImage());
        d.hide();
        d.ClickButton(kIdOk);  // every one of them ends here
    };
    for (int i = 0; i < 5; ++i)
        script.AnswerModal(grab);
    MidiDeviceDialogs dialogs(input, output, Option());
    bool box = false;
    dialogs.AskInputNotice(box);
    dialogs.AskOutputNotice(box);
    dialogs.AskInputOpenFailed();
    dialogs.AskOutputOpenFailed();
    dialogs.RunDeviceDialog();
    ASSERT_EQ(pictures.size(), 5u);

    for (const QImage& picture : pictures)
        EXPECT_GT(picture.width(), 100);
    const QImage sheet = dialog_test::PictureSheet(pictures, 1, Qt::darkGray);
    dialog_test::SaveScreenshot(sheet, "midi_device_dialogs.png");
}

}  // namespace
