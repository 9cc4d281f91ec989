// Sets one of the score's seven title-block texts and back, then lays the layout root
// out again so the title block is placed for the new text.
//
// The seven classes differ only in the score setter they call; they share the fields
// and setters of SetScoreTextCommand.
#pragma once

#include <memory>
#include <string>

#include "engine/commands/edit_command.h"
#include "engine/model/score.h"

namespace quaverly {

class ScoreElement;

class SetScoreTextCommand : public EditCommand {
public:
    SetScoreTextCommand();
    ~SetScoreTextCommand() override;

    void SetLayoutElement(std::shared_ptr<ScoreElement> element)
    {
        layoutElement_ = std::move(element);
    }
    void SetScore(std::shared_ptr<Score> score) { score_ = std::move(score); }
    void SetNewText(std::u16string text) { newText_ = std::move(text); }
    void SetOldText(std::u16string text) { oldText_ = std::move(text); }

    void Do() override;
    void Undo() override;

protected:
    virtual void Apply(Score& score, std::u16string text) = 0;

private:
    void ApplyAndLayout(const std::u16string& text);

    std::shared_ptr<ScoreElement> layoutElement_;
    std::shared_ptr<Score> score_;
    std::u16string newText_;
    std::u16string oldText_;
};

// One member of the family: the score setter it calls.
template <void (Score::*Setter)(std::u16string)>
class ScoreTextSetterCommand final : public SetScoreTextCommand {
protected:
    void Apply(Score& score, std::u16string text) override { (score.*Setter)(std::move(text)); }
};

using SetTitleCommand = ScoreTextSetterCommand<&Score::SetTitle>;
using SetSubtitleCommand = ScoreTextSetterCommand<&Score::SetSubtitle>;
using SetComposerCommand = ScoreTextSetterCommand<&Score::SetComposer>;
using SetPoetCommand = ScoreTextSetterCommand<&Score::SetPoet>;
using SetSingerCommand = ScoreTextSetterCommand<&Score::SetSinger>;
using SetAdapterCommand = ScoreTextSetterCommand<&Score::SetAdapter>;
using SetRightsCommand = ScoreTextSetterCommand<&Score::SetRights>;

}  // namespace quaverly
