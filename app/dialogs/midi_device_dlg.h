// "播放及录音设备": the choice of the MIDI input and output device. It opens on the
// stored choices; its OK opens (and starts) the chosen input and opens the chosen output,
// asks again when one fails, and stores both choices in the option file. Cancel
// changes nothing.
#pragma once

#include "platform/dialog_base.h"

#include <string>
#include <vector>

namespace brindle {

class MidiDeviceCheck;

class CMidiDeviceDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 196;
    static constexpr int kIdInputList = 1079;
    static constexpr int kIdOutputList = 1080;

    // OK hands the selected entries to check.ApplyChoice (which must outlive the dialog).
    explicit CMidiDeviceDlg(MidiDeviceCheck& check, QWidget* parent = nullptr);

    // The entries of the two lists, in device order.
    void SetDeviceNames(std::vector<std::u16string> inputs, std::vector<std::u16string> outputs);
    // The stored choices, selected on opening when they lie within the lists.
    void SetStoredDevices(int input, int output);

    // The entries selected when OK was last pressed; -1 for none.
    int GetInputDevice() const { return input_; }
    int GetOutputDevice() const { return output_; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;
    void OnOK() override;

private:
    MidiDeviceCheck& check_;
    std::vector<std::u16string> inputs_;
    std::vector<std::u16string> outputs_;
    int input_ = -1;
    int output_ = -1;
};

}  // namespace brindle
