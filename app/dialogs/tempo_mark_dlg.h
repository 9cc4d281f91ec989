// Chooses the metronome mark to put at the cursor: a note value (whole to sixteenth,
// picked from a small popup list of signature-font glyphs) = beats per minute (40 to
// 250). Opens on a quarter note at 100.
#pragma once

#include "platform/dialog_base.h"

#include <QFont>

#include <array>
#include <string_view>

namespace brindle {

class CPopupListWnd;

class CTempoMarkDlg : public platform::DialogBase {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 165;
    static constexpr int kIdNoteButton = 1027;
    static constexpr int kIdPerMinuteEdit = 1029;
    static constexpr int kIdPerMinuteSpin = 1031;
    // The popup list tells the dialog the item chosen (wParam: its id).
    static constexpr platform::MessageId kMsgNoteValueChosen = platform::kWmUser + 100;

    static constexpr int kMinPerMinute = 40;
    static constexpr int kMaxPerMinute = 250;

    struct NoteValue {
        int id;         // popup item id
        char16_t text;  // button text, 'N' + id
        int ticks;
    };
    static constexpr std::array<NoteValue, 5> kNoteValues = {
        NoteValue{1, u'O', 645120}, NoteValue{2, u'P', 322560}, NoteValue{3, u'Q', 161280},
        NoteValue{4, u'R', 80640}, NoteValue{5, u'S', 40320}};

    explicit CTempoMarkDlg(QWidget* parent = nullptr);
    ~CTempoMarkDlg() override;

    // After OK: the note value in ticks and the beats per minute.
    void GetTempo(int& noteValue, int& perMinute) const
    {
        noteValue = noteValue_;
        perMinute = perMinute_;
    }

    CPopupListWnd* Popup() const { return popup_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(platform::DataExchange& dx) override;

private:
    void OnNoteButton();

    QFont font_;
    CPopupListWnd* popup_ = nullptr;
    int noteValue_ = 161280;
    int perMinute_ = 100;
};

}  // namespace brindle
