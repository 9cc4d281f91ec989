// Chooses the time signature to put at the cursor: eight common signatures on push-like
// buttons drawn by the signature font, and a ninth button that asks for any other one
// (CBeatDlg).
#pragma once

#include "app/dialogs/radio_group.h"
#include "platform/dialog_base.h"

#include <QFont>

#include <array>

namespace brindle {

class CTimeSignatureDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 163;
    // The nine beat buttons "A" to "I", in choice order.
    static constexpr std::array<int, 9> kBeatButtonIds = {1012, 1013, 1014, 1016, 1017, 1018, 1019, 1021, 1044};
    static constexpr int kChoiceOther = 8;

    struct Beat {
        int beats;
        int beatType;
    };
    // Beats and beat type of choices 0 to 7.
    static constexpr std::array<Beat, 8> kBeatTable = {
        Beat{2, 2}, Beat{2, 4}, Beat{3, 4}, Beat{4, 4}, Beat{3, 8}, Beat{6, 8}, Beat{9, 8}, Beat{12, 8}};

    explicit CTimeSignatureDlg(QWidget* parent = nullptr);

    // After OK: beats and beat type.
    void GetTimeSignature(int& beats, int& beatType) const
    {
        beats = beats_;
        beatType = beatType_;
    }
    int GetChoice() const { return choice_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    void OnOtherBeat();

    QFont font_;
    int beats_ = 4;
    int beatType_ = 4;
    int choice_ = 3;
    RadioGroup choices_;
};

}  // namespace brindle
