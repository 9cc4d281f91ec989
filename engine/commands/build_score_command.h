// Fills an empty score from what the user chose in the new-score wizard: the header
// texts and opening marks, one part per staff with its bars, the opening time
// signature and the staff groups. How many bars the new score starts with depends on
// the page: as many lines as fit the first page under the heading, each with the
// chosen number of bars, or with as many empty bars as fit the page width. Every size
// comes from the drawing device, so the command does its work when it runs.
//
// A one-way step: its Undo does nothing (a new document is recorded irreversibly).
#pragma once

#include "engine/commands/edit_command.h"
#include "engine/editor/new_score_settings.h"

namespace quaverly {

class Part;
class Score;
class ScoreEditor;

// Gives the part a staff size and lyric verse offsets where they are still not set:
// the default staff size (one bar line more for the last part of the score) and the
// default verse distances.
void FillUnsetPartMetrics(Part& part, ScorePainter& painter, bool lastPart);
// The same for every part of the score, the last part being the score's last.
void FillUnsetScoreMetrics(Score& score, ScorePainter& painter);

class BuildScoreCommand final : public EditCommand {
public:
    // Bars of one part, whatever the page or the settings ask for.
    static constexpr int kMaxBars = 9999;

    explicit BuildScoreCommand(ScoreEditor* editor) : editor_(editor) {}

    void SetSettings(const NewScoreSettings& settings) { settings_ = settings; }
    const NewScoreSettings& GetSettings() const { return settings_; }

    void Do() override;
    void Undo() override {}

    // The sizing rules, public for the tests. Lines on the first page: how many systems
    // of `staves` staves fit the room left under the heading, with one more line when
    // the rest of the page still holds one more staff; at least 1.
    static int LinesOnFirstPage(int available, int staves, int staffHeight, int systemGap);
    // Bars of one line when they are fitted to the page width: how many bars of that
    // width fit (at least 1), one more when the line would overrun the width by less
    // than 5 per cent. A bar width of 0 or less gives 1.
    static int BarsFittingWidth(int pageWidth, int barWidth);

private:
    int EmptyBarWidth(ScorePainter& painter) const;

    ScoreEditor* editor_;
    NewScoreSettings settings_;
};

}  // namespace quaverly
