// Adds a voice after one of the score's voices: an ordinary instrument (a MIDI program)
// or a percussion instrument (a MIDI key), on a single line or a piano staff. The
// instrument names come from the patch-name file that the main settings file names;
// each kind remembers the entry last chosen while the user switches between them.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/dialogs/radio_group.h"
#include "platform/dialog_base.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

class CAddVoiceDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 153;
    static constexpr int kIdOrdinary = 1066;
    static constexpr int kIdPercussion = 1068;
    static constexpr int kIdInstrumentList = 1067;
    static constexpr int kIdPositionList = 1069;
    static constexpr int kIdSingleLine = 1076;
    static constexpr int kIdPianoStaff = 1077;

    static constexpr std::u16string_view kMsgNoInstruments = u"乐器列表为空，无法添加声部。请检查音色名文件。";
    static constexpr std::u16string_view kMsgChooseInstrument = u"请选择一种乐器。";

    explicit CAddVoiceDlg(QWidget* parent = nullptr);

    void SetCurrentVoice(int voice) { currentVoice_ = voice; }
    void SetVoiceCount(int count) { voiceCount_ = count; }
    // The folder whose "Tansy.ini" names the patch-name file (the program's by default).
    void SetDataFolder(DataFolder folder) { folder_ = std::move(folder); }

    // After OK: the voice after which the new one goes (0-based; -1 without voices).
    int GetPosition() const { return position_; }
    // The program for an ordinary instrument, the key (entry + percussion offset) for a
    // percussion instrument.
    int GetPatch() const { return kind_ == 1 ? chosen_ + percussionOffset_ : chosen_; }
    bool IsPercussion() const { return kind_ == 1; }
    bool IsPianoStaff() const { return staff_ == 1; }

    // The list entries of each kind: "<number>-<name>".
    const std::vector<std::u16string>& OrdinaryEntries() const { return entries_[0]; }
    const std::vector<std::u16string>& PercussionEntries() const { return entries_[1]; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    void LoadNames();
    void FillInstruments();
    void OnKind();

    DataFolder folder_ = DataFolder::Program();
    int kind_ = 0;
    int staff_ = 0;
    std::array<std::vector<std::u16string>, 2> entries_;
    int percussionOffset_ = 0;
    std::array<int, 2> remembered_ = {0, 0};
    int chosen_ = -1;
    int position_ = -1;
    int currentVoice_ = 0;
    int voiceCount_ = 0;
    bool filling_ = false;
    RadioGroup kinds_{kIdOrdinary, kIdPercussion};
    RadioGroup staffs_{kIdSingleLine, kIdPianoStaff};
};

}  // namespace brindle
