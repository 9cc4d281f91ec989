// The operations of the editor interface whose edits are not joined to the editor yet:
// they take their arguments, change nothing, send nothing and return the neutral value,
// so the program can call every slot already.
#include "engine/editor/score_editor.h"

namespace quaverly {

void ScoreEditor::SetTitle(const std::u16string& /*text*/) {}
void ScoreEditor::SetSubtitle(const std::u16string& /*text*/) {}
void ScoreEditor::SetComposer(const std::u16string& /*text*/) {}
void ScoreEditor::SetPoet(const std::u16string& /*text*/) {}
void ScoreEditor::SetSinger(const std::u16string& /*text*/) {}
void ScoreEditor::SetAdapter(const std::u16string& /*text*/) {}
void ScoreEditor::SetRights(const std::u16string& /*text*/) {}
void ScoreEditor::Refresh() {}
void ScoreEditor::SetInputMode(int /*mode*/) {}
void ScoreEditor::AddPart(const PartRecord& /*part*/) {}
void ScoreEditor::DeletePart(int /*index*/) {}
void ScoreEditor::AddBars(const BarRecord& /*bars*/) {}
void ScoreEditor::DeleteBars(int /*first*/, int /*count*/) {}
void ScoreEditor::InputChord(const std::vector<int>* /*keys*/, int /*value*/, int /*dots*/,
                             int /*graceKind*/, int /*flags*/)
{
}
void ScoreEditor::InputNote(int /*degree*/, int /*octave*/, int /*value*/, int /*dots*/,
                            int /*accidental*/, int /*graceKind*/, int /*flags*/)
{
}
void ScoreEditor::SetNotePitch(int /*typeCode*/) {}
void ScoreEditor::SetNoteValue(int /*value*/) {}
void ScoreEditor::SetOctave(int /*octave*/) {}
void ScoreEditor::SetDots(int /*dots*/) {}
void ScoreEditor::SetAccidental(int /*accidental*/) {}
void ScoreEditor::MakeTuplet(int /*actual*/, int /*normal*/) {}
void ScoreEditor::ToggleTie() {}
void ScoreEditor::SetLyricVerse(int /*verse*/) {}
void ScoreEditor::BeginLyricEdit(int /*part*/, int /*bar*/, int /*verse*/, int /*time*/) {}
void ScoreEditor::EndLyricEdit(int /*part*/, int /*bar*/, int /*verse*/, int /*time*/) {}
void ScoreEditor::SetLyricText(const LyricTextRecord& /*record*/) {}
std::vector<std::u16string> ScoreEditor::GetLyrics(int /*part*/, int /*verse*/) const
{
    return {};
}
void ScoreEditor::SetLyrics(int /*part*/, int /*verse*/,
                            const std::vector<std::u16string>& /*texts*/)
{
}
void ScoreEditor::AddArticulation(int /*code*/) {}
void ScoreEditor::AddOtherSymbol(const ExtendSymbol& /*symbol*/) {}
void ScoreEditor::AddTextItem(const PageTextData& /*text*/) {}
void ScoreEditor::AddLineMark(int /*kind*/) {}
bool ScoreEditor::SetBarline(int /*type*/)
{
    return false;
}
bool ScoreEditor::AddJumpMark(int /*style*/, int /*mark*/)
{
    return false;
}
bool ScoreEditor::SetDynamics(int /*code*/)
{
    return false;
}
int ScoreEditor::SetKeySignature(int /*fifths*/)
{
    return -1;
}
void ScoreEditor::SetTimeSignature(int /*beats*/, int /*beatType*/) {}
void ScoreEditor::SetTempoText(const std::u16string& /*text*/) {}
void ScoreEditor::SetTempo(int /*beatUnit*/, int /*perMinute*/) {}
void ScoreEditor::AddGrouping(int /*type*/) {}
void ScoreEditor::SetBarNumbering(const BarNumberFormat& /*format*/) {}
void ScoreEditor::EnlargeNote() {}
void ScoreEditor::ShrinkNote() {}
bool ScoreEditor::InsertLineBreak()
{
    return false;
}
void ScoreEditor::ShowPageBorder(bool /*show*/) {}
void ScoreEditor::ShowTrackBaseLines(bool /*show*/) {}
void ScoreEditor::ShowLineBreakMarks(bool /*show*/) {}
void ScoreEditor::ShowIndentMarks(bool /*show*/) {}
void ScoreEditor::ShowLineSpacingMarks(bool /*show*/) {}
void ScoreEditor::ShowLinePositionMarks(bool /*show*/) {}
void ScoreEditor::ShowBarWidthMarks(bool /*show*/) {}
void ScoreEditor::ShowLyricLineMarks(bool /*show*/) {}
int ScoreEditor::GetBarsPerLine() const
{
    return 0;
}
void ScoreEditor::SetBarsPerLine(const BarsPerLineRecord& /*record*/) {}
int ScoreEditor::GetLinesOnPage() const
{
    return 0;
}
void ScoreEditor::SetLinesOnPage(int /*count*/) {}
void ScoreEditor::SetInstrumentName(const std::u16string& /*text*/, bool /*allLines*/) {}
void ScoreEditor::HideEmptyLines(bool /*hide*/) {}
void ScoreEditor::RestoreDefaultLayout() {}
void ScoreEditor::Transpose(const TransposeRequest& /*request*/) {}
void ScoreEditor::ShiftOctave(int /*count*/, int /*direction*/, int /*flag*/) {}
bool ScoreEditor::Navigate(int /*index*/)
{
    return true;
}
void ScoreEditor::OnKeyDown(int /*key*/, int /*flags*/) {}
void ScoreEditor::OnInputEvent(int /*first*/, int /*second*/) {}
void ScoreEditor::OnButtonDown(Point /*point*/, int /*flags*/, int /*extra*/) {}
void ScoreEditor::OnPointerMove(Point /*point*/, int /*flags*/) {}
void ScoreEditor::OnButtonUp(Point /*point*/, int /*flags*/) {}
void ScoreEditor::OnDoubleClick(Point /*point*/, int /*flags*/, int /*extra*/) {}
void ScoreEditor::CopySelection(std::vector<std::uint8_t>& /*bytes*/) {}
void ScoreEditor::Paste(const std::uint8_t* /*data*/, std::size_t /*size*/) {}

}  // namespace quaverly
