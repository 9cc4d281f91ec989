// The operations of the editor interface whose edits are not joined to the editor yet:
// they take their arguments, change nothing, send nothing and return the neutral value,
// so the program can call every slot already.
#include "engine/editor/score_editor.h"

namespace quaverly {

void ScoreEditor::AddPart(const PartRecord& /*part*/) {}
void ScoreEditor::DeletePart(int /*index*/) {}
void ScoreEditor::AddBars(const BarRecord& /*bars*/) {}
void ScoreEditor::DeleteBars(int /*first*/, int /*count*/) {}
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
bool ScoreEditor::InsertLineBreak()
{
    return false;
}
void ScoreEditor::Transpose(const TransposeRequest& /*request*/) {}
void ScoreEditor::ShiftOctave(int /*firstBar*/, int /*endBar*/, int /*up*/) {}
void ScoreEditor::CopySelection(std::vector<std::uint8_t>& /*bytes*/) {}
void ScoreEditor::Paste(const std::uint8_t* /*data*/, std::size_t /*size*/) {}

}  // namespace quaverly
