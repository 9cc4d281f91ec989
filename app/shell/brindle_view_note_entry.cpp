// The note-entry commands of the score view: the degree, note value, dots, octave,
// accidental and grace mode the next typed note is entered with, the commands that apply a
// value to the selected notes, ties, tuplets and note sizes, and their update rules.
#include "app/dialogs/tuplet_number_dlg.h"
#include "app/shell/brindle_view.h"
#include "app/shell/view_listeners.h"
#include "engine/editor/editor_interface.h"
#include "engine/model/note_time.h"
#include "platform/command_ui.h"
#include "platform/dialog_service.h"
#include "platform/key_translation.h"

namespace brindle {

namespace {

using namespace quaverly::note_length;

constexpr int kMaxOctave = 3;

using Handler = void (CBrindleView::*)();

// A command whose button is checked when a note-entry field holds the command's value.
struct ChoiceCommand {
    int id;
    Handler handler;
    int value;
};

const ChoiceCommand kDegreeCommands[] = {
    {142, &CBrindleView::OnRest, 1}, {146, &CBrindleView::OnDo, 2}, {150, &CBrindleView::OnRe, 3},
    {154, &CBrindleView::OnMe, 4},   {158, &CBrindleView::OnFa, 5}, {162, &CBrindleView::OnSol, 6},
    {166, &CBrindleView::OnLa, 7},   {169, &CBrindleView::OnSi, 8},
};

const ChoiceCommand kValueCommands[] = {
    {171, &CBrindleView::OnDurationWhole, kWhole},   {172, &CBrindleView::OnDurationHalf, kHalf},
    {173, &CBrindleView::OnDurationQuarter, kQuarter}, {174, &CBrindleView::OnDurationEighth, kEighth},
    {176, &CBrindleView::OnDuration16th, k16th},      {183, &CBrindleView::OnDuration32nd, k32nd},
    {184, &CBrindleView::OnDuration64th, k64th},      {186, &CBrindleView::OnDuration128th, k128th},
};

const ChoiceCommand kDotCommands[] = {
    {32784, &CBrindleView::OnDot, 1}, {32785, &CBrindleView::OnDoubleDot, 2}, {32786, &CBrindleView::OnTripleDot, 3},
};

const ChoiceCommand kOctaveCommands[] = {
    {32840, &CBrindleView::OnOctaveExtraHigh, 3}, {32780, &CBrindleView::OnOctaveDoubleHigh, 2},
    {32827, &CBrindleView::OnOctaveHigh, 1},      {32781, &CBrindleView::OnOctaveMiddle, 0},
    {32782, &CBrindleView::OnOctaveLow, -1},      {32783, &CBrindleView::OnOctaveDoubleLow, -2},
    {32841, &CBrindleView::OnOctaveExtraLow, -3},
};

const ChoiceCommand kGraceCommands[] = {
    {32804, &CBrindleView::OnPreGrace, 1}, {32805, &CBrindleView::OnPostGrace, 2},
};

const ChoiceCommand kAccidentalCommands[] = {
    {32787, &CBrindleView::OnDoubleSharp, 2}, {178, &CBrindleView::OnSharp, 1},      {180, &CBrindleView::OnNatural, 4},
    {179, &CBrindleView::OnFlat, -1},         {32788, &CBrindleView::OnDoubleFlat, -2},
};

// Commands on the selection, enabled while a score is shown.
const std::pair<int, Handler> kScoreCommands[] = {
    {32789, &CBrindleView::OnTie},         {108, &CBrindleView::OnTriplet},       {32791, &CBrindleView::OnTuplet},
    {32846, &CBrindleView::OnEnlargeNote}, {32847, &CBrindleView::OnShrinkNote},
};

}  // namespace

void CBrindleView::MapNoteEntryCommands()
{
    MapMessage(kMsgRunNextInput, [this](platform::WParam, platform::LParam) {
        RunNextQueuedInput();
        return platform::LResult{0};
    });
    MapMessage(kMsgEditorNotice, [this](platform::WParam, platform::LParam) {
        OnEditorNoticeMessage();
        return platform::LResult{0};
    });
    MapMessage(kMsgMidiInput, [this](platform::WParam, platform::LParam) {
        OnMidiInputMessage();
        return platform::LResult{0};
    });

    // How each group's buttons show: the field they choose, and whether they are greyed
    // (and, for values, dots and octaves, unchecked) without a score.
    enum class Rule { NeverGreyed, GreyedUnchecked, GreyedKeepsCheck };
    const auto mapGroup = [this](const auto& commands, const int CBrindleView::*field, Rule rule) {
        for (const ChoiceCommand& c : commands) {
            MapCommand(c.id, [this, handler = c.handler] { (this->*handler)(); });
            MapUpdate(c.id, [this, field, rule, value = c.value](platform::CommandUI& ui) {
                const bool chosen = this->*field == value;
                ui.Enable(rule == Rule::NeverGreyed || m_bScoreReady);
                ui.SetCheck(chosen && (rule != Rule::GreyedUnchecked || m_bScoreReady) ? 1 : 0);
            });
        }
    };
    mapGroup(kDegreeCommands, &CBrindleView::m_nNotePitch, Rule::NeverGreyed);
    mapGroup(kValueCommands, &CBrindleView::m_nNoteValue, Rule::GreyedUnchecked);
    mapGroup(kDotCommands, &CBrindleView::m_nNoteDots, Rule::GreyedUnchecked);
    mapGroup(kOctaveCommands, &CBrindleView::m_nNoteOctave, Rule::GreyedUnchecked);
    mapGroup(kGraceCommands, &CBrindleView::m_nGraceKind, Rule::GreyedKeepsCheck);
    mapGroup(kAccidentalCommands, &CBrindleView::m_nNoteAccidental, Rule::GreyedKeepsCheck);
    for (const auto& [id, handler] : kScoreCommands) {
        MapCommand(id, [this, handler = handler] { (this->*handler)(); });
        MapUpdate(id, [this](platform::CommandUI& ui) { ui.Enable(m_bScoreReady); });
    }
}

// ---- the state ---------------------------------------------------------------------------

void CBrindleView::ChooseValue(int& field, int value, int neutral, bool toggle, void (CBrindleView::*apply)())
{
    field = toggle && field == value ? neutral : value;
    if (apply)
        (this->*apply)();
}

void CBrindleView::OnRest() { m_nNotePitch = 1; }
void CBrindleView::OnDo() { m_nNotePitch = 2; }
void CBrindleView::OnRe() { m_nNotePitch = 3; }
void CBrindleView::OnMe() { m_nNotePitch = 4; }
void CBrindleView::OnFa() { m_nNotePitch = 5; }
void CBrindleView::OnSol() { m_nNotePitch = 6; }
void CBrindleView::OnLa() { m_nNotePitch = 7; }
void CBrindleView::OnSi() { m_nNotePitch = 8; }
void CBrindleView::SelectDrum() { m_nNotePitch = 10; }

void CBrindleView::OnDurationWhole() { ChooseValue(m_nNoteValue, kWhole, kQuarter, true, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDurationHalf() { ChooseValue(m_nNoteValue, kHalf, kQuarter, true, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDurationQuarter() { ChooseValue(m_nNoteValue, kQuarter, kQuarter, false, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDurationEighth() { ChooseValue(m_nNoteValue, kEighth, kQuarter, true, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDuration16th() { ChooseValue(m_nNoteValue, k16th, kQuarter, true, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDuration32nd() { ChooseValue(m_nNoteValue, k32nd, kQuarter, true, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDuration64th() { ChooseValue(m_nNoteValue, k64th, kQuarter, true, &CBrindleView::ApplyNoteValue); }
void CBrindleView::OnDuration128th() { ChooseValue(m_nNoteValue, k128th, kQuarter, true, &CBrindleView::ApplyNoteValue); }

void CBrindleView::OnDot() { ChooseValue(m_nNoteDots, 1, 0, true, &CBrindleView::ApplyDots); }
void CBrindleView::OnDoubleDot() { ChooseValue(m_nNoteDots, 2, 0, true, &CBrindleView::ApplyDots); }
void CBrindleView::OnTripleDot() { ChooseValue(m_nNoteDots, 3, 0, true, &CBrindleView::ApplyDots); }

void CBrindleView::OnOctaveExtraHigh() { ChooseValue(m_nNoteOctave, 3, 0, true, &CBrindleView::ApplyOctave); }
void CBrindleView::OnOctaveDoubleHigh() { ChooseValue(m_nNoteOctave, 2, 0, true, &CBrindleView::ApplyOctave); }
void CBrindleView::OnOctaveHigh() { ChooseValue(m_nNoteOctave, 1, 0, true, &CBrindleView::ApplyOctave); }
void CBrindleView::OnOctaveMiddle() { ChooseValue(m_nNoteOctave, 0, 0, false, &CBrindleView::ApplyOctave); }
void CBrindleView::OnOctaveLow() { ChooseValue(m_nNoteOctave, -1, 0, true, &CBrindleView::ApplyOctave); }
void CBrindleView::OnOctaveDoubleLow() { ChooseValue(m_nNoteOctave, -2, 0, true, &CBrindleView::ApplyOctave); }
void CBrindleView::OnOctaveExtraLow() { ChooseValue(m_nNoteOctave, -3, 0, true, &CBrindleView::ApplyOctave); }

void CBrindleView::OnDoubleSharp() { ChooseValue(m_nNoteAccidental, 2, 0, true, &CBrindleView::ApplyAccidental); }
void CBrindleView::OnSharp() { ChooseValue(m_nNoteAccidental, 1, 0, true, &CBrindleView::ApplyAccidental); }
void CBrindleView::OnNatural() { ChooseValue(m_nNoteAccidental, 4, 0, true, &CBrindleView::ApplyAccidental); }
void CBrindleView::OnFlat() { ChooseValue(m_nNoteAccidental, -1, 0, true, &CBrindleView::ApplyAccidental); }
void CBrindleView::OnDoubleFlat() { ChooseValue(m_nNoteAccidental, -2, 0, true, &CBrindleView::ApplyAccidental); }

void CBrindleView::OnPreGrace() { ChooseValue(m_nGraceKind, 1, 0, true, nullptr); }
void CBrindleView::OnPostGrace() { ChooseValue(m_nGraceKind, 2, 0, true, nullptr); }

void CBrindleView::DoubleNoteValue()
{
    if (m_nNoteValue < kWhole)
        m_nNoteValue *= 2;
}

void CBrindleView::HalveNoteValue()
{
    if (m_nNoteValue > k128th)
        m_nNoteValue /= 2;
}

void CBrindleView::RaiseOctave()
{
    if (m_nNoteOctave < kMaxOctave)
        ++m_nNoteOctave;
}

void CBrindleView::LowerOctave()
{
    if (m_nNoteOctave > -kMaxOctave)
        --m_nNoteOctave;
}

// ---- applying a value to the selection ---------------------------------------------------

void CBrindleView::ApplyNoteValue() { ApplyToSelection(&quaverly::api::ScoreEditor::SetNoteValue, m_nNoteValue); }
void CBrindleView::ApplyDots() { ApplyToSelection(&quaverly::api::ScoreEditor::SetDots, m_nNoteDots); }
void CBrindleView::ApplyOctave() { ApplyToSelection(&quaverly::api::ScoreEditor::SetOctave, m_nNoteOctave); }
void CBrindleView::ApplyAccidental() { ApplyToSelection(&quaverly::api::ScoreEditor::SetAccidental, m_nNoteAccidental); }

void CBrindleView::ApplyToSelection(void (quaverly::api::ScoreEditor::*operation)(int), int value)
{
    // While a grace mode is on, a value is meant for the next grace note only.
    if (auto* editor = EditorForInput(); editor && m_nGraceKind == 0)
        (editor->*operation)(value);
}

// ---- commands on the selection -----------------------------------------------------------

void CBrindleView::OnTie()
{
    if (auto* editor = EditorForInput())
        editor->ToggleTie();
}

void CBrindleView::OnTriplet()
{
    if (auto* editor = EditorForInput())
        editor->MakeTuplet(3, 2);
}

void CBrindleView::OnTuplet()
{
    if (!EditorForInput())
        return;
    CTupletNumberDlg dialog(this);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    // A tuplet needs at least two notes; anything less is no tuplet at all.
    const int count = dialog.GetNumber();
    if (count < 2)
        return;
    if (auto* editor = EditorForInput())
        editor->MakeTuplet(count, TupletNormalCount(count));
}

void CBrindleView::OnEnlargeNote()
{
    if (auto* editor = EditorForInput())
        editor->EnlargeNote();
}

void CBrindleView::OnShrinkNote()
{
    if (auto* editor = EditorForInput())
        editor->ShrinkNote();
}

// ---- entering a note ---------------------------------------------------------------------

void CBrindleView::QueueNoteInput()
{
    QueueInput(std::make_shared<DeferredNoteInput>(m_nNotePitch, m_nNoteOctave, m_nNoteValue, m_nNoteDots,
                                                   m_nNoteAccidental, m_nGraceKind, platform::CurrentModifierMask()));
    m_nNoteDots = 0;
}

void CBrindleView::QueuePointerNoteInput(quaverly::Point scorePoint, int modifiers)
{
    const DeferredNoteInput note(m_nNotePitch, m_nNoteOctave, m_nNoteValue, m_nNoteDots, m_nNoteAccidental,
                                 m_nGraceKind, modifiers);
    QueueInput(std::make_shared<DeferredPointerNoteInput>(scorePoint, modifiers, note));
    m_nNoteDots = 0;
}

}  // namespace brindle
