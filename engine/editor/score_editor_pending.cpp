// The operations of the editor interface whose edits are not joined to the editor yet:
// they take their arguments, change nothing, send nothing and return the neutral value,
// so the program can call every slot already.
#include "engine/editor/score_editor.h"

namespace quaverly {

void ScoreEditor::CopySelection(std::vector<std::uint8_t>& /*bytes*/) {}
void ScoreEditor::Paste(const std::uint8_t* /*data*/, std::size_t /*size*/) {}

}  // namespace quaverly
