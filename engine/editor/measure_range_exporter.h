// Collects a rectangle of the score (parts first to last times bars first to last, both
// ends included) into a score fragment: per part a stave, per bar the notes and rests in
// their order, each with its chord notes and its grace notes before and after it.
//
// The range comes from the selection: an index of -1 (no selection) or a range that
// lies wholly outside the score gives nothing; a range given back to front is turned
// round; a range that runs past the last part or bar is cut at it.
#pragma once

#include <memory>

#include "engine/editor/riff_chunk_builder.h"
#include "engine/editor/score_fragment.h"

namespace quaverly {

class Bar;
class Note;
class Score;

class MeasureRangeExporter {
public:
    void SetScore(std::shared_ptr<const Score> score) { score_ = std::move(score); }
    // Not owned; the staves are appended to it.
    void SetOutput(ScoreFragment* fragment) { fragment_ = fragment; }
    void SetRange(int firstPart, int firstBar)
    {
        firstPart_ = firstPart;
        firstBar_ = firstBar;
    }
    void SetRangeEnd(int lastPart, int lastBar)
    {
        lastPart_ = lastPart;
        lastBar_ = lastBar;
    }

    // Appends one stave per part of the range. False, with nothing appended, without a
    // score or output or when the range holds no bar of the score.
    bool Run();
    // The notes of the bar, in order, into the fragment bar.
    static void ExportBar(const Bar& bar, FragmentBar& out);
    static NoteUnit FillNoteUnit(const Note& note);

private:
    std::shared_ptr<const Score> score_;
    ScoreFragment* fragment_ = nullptr;
    int firstPart_ = -1;
    int firstBar_ = -1;
    int lastPart_ = -1;
    int lastBar_ = -1;
};

// The byte form of the range, for the clipboard. False, with `out` untouched, when the
// range holds no bar of the score.
bool CopyBarRange(std::shared_ptr<const Score> score, int firstPart, int firstBar,
                  int lastPart, int lastBar, ByteVector& out);

}  // namespace quaverly
