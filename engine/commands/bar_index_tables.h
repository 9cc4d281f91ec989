// Everything the score keeps by bar number outside the bars themselves: the part-wide
// line marks, the key signatures, the time-signature entries (and the signature
// elements the bars carry), the tempo marks, the expression texts and the forced line
// breaks. Inserting or removing bars must move every one of them that lies after the
// point, or they would land on the wrong bars or point past the end of the score.
//
// The tables take a copy of that state before a change (Capture), move it (Shift) and
// put the copy back exactly (Restore), so the bar commands are reversible.
#pragma once

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "engine/model/expression_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/time_signature.h"

namespace quaverly {

class LineMark;
class Part;
class Score;
struct TimeSignatureEntry;

class BarIndexTables {
public:
    // Copies the state of the score's tables and its parts' line marks.
    void Capture(const Score& score);
    // Puts the captured state back: the same mark and signature objects with their
    // captured values, in their captured order. Nothing when nothing was captured.
    void Restore(Score& score) const;
    bool IsCaptured() const { return captured_; }

    // Moves every entry at or after `first` by `delta` bars. For a negative delta the
    // bars first .. first - delta - 1 are gone: entries that start in them are dropped
    // (a line mark leaves its part), except that when the opening bars go, the key, meter
    // and tempo last set in them open the score unless one is set at its new first bar.
    // Entries before `first` stay.
    static void Shift(Score& score, int first, int delta);

private:
    struct PartMarks {
        std::shared_ptr<Part> part;
        std::vector<std::pair<std::shared_ptr<LineMark>, int>> marks;  // mark, bar
    };
    struct TimeEntry {
        int count = 1;
        TimeSignatureRecord value;
    };

    bool captured_ = false;
    std::vector<PartMarks> partMarks_;
    std::vector<std::pair<std::shared_ptr<KeySignature>, KeySignatureRecord>> keys_;
    std::vector<TimeEntry> timeEntries_;
    std::vector<std::pair<std::shared_ptr<TimeSignature>, TimeSignatureRecord>> barSignatures_;
    std::vector<std::pair<std::shared_ptr<TempoMark>, TempoMarkRecord>> tempos_;
    std::vector<std::pair<std::shared_ptr<ExpressionText>, ExpressionRecord>> expressions_;
    std::set<int> lineBreaks_;
};

// The parts of the score in order (the first child of each part container); an entry
// is skipped when a container holds no part.
std::vector<std::shared_ptr<Part>> ScoreParts(const Score& score);

}  // namespace quaverly
