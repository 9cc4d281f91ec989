// Any other time signature: the number of beats (1 to 128) and the beat type (a power of
// two up to 128), typed or chosen in two editable boxes. Opened from the time-signature
// dialog and the new-score wizard. A value outside those ranges is refused with a message
// and the dialog stays open, so no caller ever gets a beat that no bar can be made of.
#pragma once

#include "platform/dialog_base.h"

#include <string>
#include <string_view>

namespace brindle {

class CBeatDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 244;
    static constexpr int kIdBeatsBox = 1120;
    static constexpr int kIdBeatTypeBox = 1121;

    static constexpr int kMaxBeats = 128;
    static constexpr int kMaxBeatType = 128;
    static constexpr std::u16string_view kMsgBadBeats = u"拍数必须是 1 到 128 之间的整数。";
    static constexpr std::u16string_view kMsgBadBeatType = u"拍类型必须是 1、2、4、8、16、32、64 或 128。";

    explicit CBeatDlg(QWidget* parent = nullptr);

    int GetBeats() const { return beats_; }
    int GetBeatUnit() const { return beatType_; }

    // The number at the start of a box text as a stream reads an int: blanks skipped, a
    // sign, digits up to the first other character. False when no number begins there or
    // it does not fit an int.
    static bool ReadLeadingInt(std::u16string_view text, int& value);
    static bool IsValidBeats(int beats) { return beats >= 1 && beats <= kMaxBeats; }
    static bool IsValidBeatType(int beatType);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int beats_ = 4;
    int beatType_ = 4;
};

}  // namespace brindle
