// The wizard's beat, key and tempo page: one of eight fixed time signatures or any other
// through the time-signature dialog, the key ("1=" and a key signature), the tempo words
// from the expression-word list (or typed), and, with "精确速度", a metronome mark (a
// note value = beats per minute, 40 to 250). Time and key signatures and note values
// are letters shown in the signature font.
#pragma once

#include "app/dialogs/data_folder.h"
#include "app/dialogs/wizard_page.h"
#include "engine/model/log_font.h"

#include <string>

class QComboBox;
class QFont;
class QPushButton;

namespace brindle {

class CNumEdit;
class CNumSpinCtrl;
class CPopupListWnd;

class CWizardKeyTempoPage : public CWizardPage {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 147;
    static constexpr int kIdFirstBeat = 1020;  // "A" .. "I": 1020 .. 1028
    static constexpr int kIdOtherBeat = kIdFirstBeat + 8;
    static constexpr int kIdKey = 1030;
    static constexpr int kIdTempoTerm = 1031;
    static constexpr int kIdExactTempo = 1032;
    static constexpr int kIdNoteValue = 1033;
    static constexpr int kIdEquals = 1034;
    static constexpr int kIdTempo = 1035;
    static constexpr int kIdTempoSpin = 1036;
    // The note-value popup tells the page which value was picked (wParam 1 .. 5).
    static constexpr platform::MessageId kMsgNoteValue = 0x464;

    static constexpr std::u16string_view kSignatureFace = u"Tansy Signature";

    explicit CWizardKeyTempoPage(const DataFolder& folder = DataFolder::Program());
    ~CWizardKeyTempoPage() override;

    // Fifths, -7 .. 7.
    int GetKey() const { return key_; }
    void GetTimeSignature(int& beats, int& beatType) const
    {
        beats = beats_;
        beatType = beatType_;
    }
    // The beat unit in ticks (161280 a quarter note) and the beats per minute.
    void GetTempo(int& beatUnit, int& perMinute) const
    {
        beatUnit = beatUnit_;
        perMinute = tempo_;
    }
    bool IsExactTempo() const { return exactTempo_ != 0; }
    std::u16string GetTempoTerm() const { return tempoTerm_; }
    int GetBeatChoice() const { return beatChoice_; }

    CPopupListWnd* NoteValuePopup() const { return popup_; }

    // The signature font at an em height in pixels.
    static quaverly::LogFont SignatureFont(int height);
    // Ticks of the note value a letter "O" .. "S" stands for; a quarter for any other.
    static int BeatUnitOf(char16_t letter);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::DataExchange& dx) override;
    bool StoreValues() override;

private:
    void ApplyExactTempo();
    void OnOtherBeat();
    void OnNoteValueButton();

    DataFolder folder_;
    int beatChoice_ = 3;
    int beats_ = 4;
    int beatType_ = 4;
    int key_ = 0;
    int beatUnit_ = 161280;
    int tempo_ = 120;
    int exactTempo_ = 0;
    std::u16string tempoTerm_;
    QComboBox* keys_;
    QComboBox* terms_;
    QPushButton* noteValue_;
    CNumEdit* tempoEdit_;
    CNumSpinCtrl* tempoSpin_;
    CPopupListWnd* popup_ = nullptr;
};

}  // namespace brindle
