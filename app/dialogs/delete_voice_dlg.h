// Deletes one voice of the score; opens on the voice at the cursor.
#pragma once

#include "platform/dialog_base.h"

#include <string_view>

namespace brindle {

class CDeleteVoiceDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 155;
    static constexpr int kIdVoiceList = 1069;
    static constexpr std::u16string_view kMsgChooseVoice = u"请选择要删除的声部。";

    explicit CDeleteVoiceDlg(QWidget* parent = nullptr);

    void SetCurrentVoice(int voice) { voice_ = voice; }
    void SetVoiceCount(int count) { voiceCount_ = count; }
    // After OK: the voice to delete, 0-based.
    int GetVoice() const { return voice_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int voice_ = 0;
    int voiceCount_ = 0;
    bool filling_ = false;
};

}  // namespace brindle
