#include "engine/commands/set_score_text_command.h"

#include "engine/model/score_element.h"

namespace quaverly {

SetScoreTextCommand::SetScoreTextCommand() = default;
SetScoreTextCommand::~SetScoreTextCommand() = default;

void SetScoreTextCommand::Do()
{
    ApplyAndLayout(newText_);
}

void SetScoreTextCommand::Undo()
{
    ApplyAndLayout(oldText_);
}

void SetScoreTextCommand::ApplyAndLayout(const std::u16string& text)
{
    if (!score_)
        return;
    Apply(*score_, text);
    if (layoutElement_ && Painter())
        layoutElement_->Layout(*Painter());
}

}  // namespace quaverly
