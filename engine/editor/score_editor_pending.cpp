// The operations of the editor interface whose edits are not joined to the editor yet:
// they take their arguments, change nothing, send nothing and return the neutral value,
// so the program can call every slot already.
#include "engine/editor/score_editor.h"

namespace quaverly {

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
void ScoreEditor::AddGrouping(int /*type*/) {}
void ScoreEditor::SetBarNumbering(const BarNumberFormat& /*format*/) {}
void ScoreEditor::EnlargeNote() {}
void ScoreEditor::ShrinkNote() {}
bool ScoreEditor::InsertLineBreak()
{
    return false;
}
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

}  // namespace quaverly
