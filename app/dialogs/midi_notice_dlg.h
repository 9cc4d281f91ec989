// The small dialogs about MIDI devices that could not be opened: the two reminders of
// the start-up check, each with a box that ends the reminding, and the two notices of
// the device dialog when the chosen device fails to open.
//
// Each answers with its OK button when the user goes on without the device and with its
// Cancel button when the user wants to choose one.
#pragma once

#include "platform/dialog_base.h"

#include <string_view>

namespace brindle {

// A reminder with a "do not remind me" box. The box starts unticked and is read however
// the dialog is closed: a user who ticks it and then chooses a device is not reminded
// again either.
class CMidiNoticeDlg : public platform::DialogBase {
    Q_OBJECT

public:
    bool DontRemind() const { return dontRemind_ != 0; }

protected:
    struct Texts {
        std::u16string_view caption;
        std::u16string_view notice;
        std::u16string_view decline;  // OK
        std::u16string_view choose;   // Cancel
        std::u16string_view box;
    };
    CMidiNoticeDlg(QWidget* parent, int templateId, int noticeId, int boxId, const Texts& texts);

    void DoDataExchange(platform::DataExchange& dx) override;
    void OnCancel() override;

private:
    int boxId_;
    int dontRemind_ = 0;
};

// "输入设备": no MIDI input could be opened at start-up.
class CMidiInNoticeDlg : public CMidiNoticeDlg {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 240;
    static constexpr int kIdDontRemind = 1114;
    static constexpr int kIdNotice = 1113;

    explicit CMidiInNoticeDlg(QWidget* parent = nullptr);
};

// "打开输出设备": the MIDI output could not be opened at start-up.
class CMidiOutNoticeDlg : public CMidiNoticeDlg {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 239;
    static constexpr int kIdDontRemind = 1115;
    static constexpr int kIdNotice = 1116;

    explicit CMidiOutNoticeDlg(QWidget* parent = nullptr);
};

// "打开设备": the input (template 198) or output (197) chosen in the device dialog did
// not open. OK goes on without it, Cancel ("重新选择") returns to the device dialog.
class CMidiOpenFailedDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kInputTemplateId = 198;
    static constexpr int kOutputTemplateId = 197;
    static constexpr int kIdNotice = 1117;

    enum class Device { Input, Output };
    explicit CMidiOpenFailedDlg(Device device, QWidget* parent = nullptr);
};

}  // namespace brindle
