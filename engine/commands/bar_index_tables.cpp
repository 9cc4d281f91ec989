#include "engine/commands/bar_index_tables.h"

#include "engine/model/bar.h"
#include "engine/model/line_mark.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

// The new bar of an entry at `bar`, or nothing when the bar is removed.
bool MovedBar(int bar, int first, int delta, int& moved)
{
    if (bar < first) {
        moved = bar;
        return true;
    }
    if (delta < 0 && bar < first - delta) {
        return false;
    }
    moved = bar + delta;
    return true;
}

void ClearTimeSignatures(Score& score)
{
    // Each removal takes one off an entry's count; the loop ends because every pass
    // takes one off or erases an entry.
    while (!score.GetTimeSignatures().empty()) {
        score.RemoveTimeSignatureAt(score.GetTimeSignatures().front().bar);
    }
}

std::vector<std::shared_ptr<Bar>> PartBars(const Part& part)
{
    std::vector<std::shared_ptr<Bar>> bars;
    for (int i = 0; i < part.GetChildCount(); ++i) {
        if (auto bar = std::dynamic_pointer_cast<Bar>(part.GetChild(i))) {
            bars.push_back(std::move(bar));
        }
    }
    return bars;
}

// Removing the opening bars would leave the score without a key, a meter or a tempo at
// its start. Of the entries in the removed bars, the last one is still in force at the
// first bar that remains: unless an entry starts there, it moves there (bar 0) instead of
// going. `barOf` gives an entry's bar. Returns the index of that entry, or -1.
template <class Entries, class BarOf>
int CarriedToStart(const Entries& entries, BarOf barOf, int first, int delta)
{
    if (first != 0 || delta >= 0)
        return -1;
    int carried = -1;
    int carriedBar = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int bar = barOf(entries[i]);
        if (bar == -delta)
            return -1;
        if (bar >= 0 && bar < -delta && (carried < 0 || bar >= carriedBar)) {
            carried = static_cast<int>(i);
            carriedBar = bar;
        }
    }
    return carried;
}

}  // namespace

std::vector<std::shared_ptr<Part>> ScoreParts(const Score& score)
{
    std::vector<std::shared_ptr<Part>> parts;
    for (int i = 0; i < score.GetChildCount(); ++i) {
        auto container = score.GetChild(i);
        if (!container || container->GetChildCount() == 0) {
            continue;
        }
        if (auto part = std::dynamic_pointer_cast<Part>(container->GetChild(0))) {
            parts.push_back(std::move(part));
        }
    }
    return parts;
}

void BarIndexTables::Capture(const Score& score)
{
    captured_ = true;
    partMarks_.clear();
    barSignatures_.clear();
    for (const auto& part : ScoreParts(score)) {
        PartMarks entry{part, {}};
        for (const auto& mark : part->GetLineMarks()) {
            entry.marks.emplace_back(mark, mark->GetBar());
        }
        partMarks_.push_back(std::move(entry));
        for (const auto& bar : PartBars(*part)) {
            if (const auto& signature = bar->GetTimeSignature()) {
                barSignatures_.emplace_back(signature, signature->GetValue());
            }
        }
    }
    keys_.clear();
    for (const auto& key : score.GetKeySignatureList()) {
        keys_.emplace_back(key, key->GetValue());
    }
    timeEntries_.clear();
    for (const auto& entry : score.GetTimeSignatures()) {
        timeEntries_.push_back({entry.count, entry.ToRecord()});
    }
    tempos_.clear();
    for (const auto& tempo : score.GetTempoMarkList()) {
        tempos_.emplace_back(tempo, tempo->GetValue());
    }
    expressions_.clear();
    for (const auto& text : score.GetExpressionTextList()) {
        expressions_.emplace_back(text, text->GetValue());
    }
    lineBreaks_ = score.GetLineBreaks();
}

void BarIndexTables::Restore(Score& score) const
{
    if (!captured_) {
        return;
    }
    for (const auto& entry : partMarks_) {
        auto current = entry.part->GetLineMarks();
        for (const auto& mark : current) {
            entry.part->RemoveLineMark(mark);
        }
        for (const auto& [mark, bar] : entry.marks) {
            mark->SetBar(bar);
            entry.part->AddLineMark(mark);
        }
    }
    for (const auto& [signature, value] : barSignatures_) {
        signature->SetValue(value);
    }
    auto keys = score.GetKeySignatureList();
    for (const auto& key : keys) {
        score.RemoveKeySignature(key);
    }
    for (const auto& [key, value] : keys_) {
        key->SetValue(value);
        score.AppendKeySignature(key);
    }
    ClearTimeSignatures(score);
    for (const auto& entry : timeEntries_) {
        for (int n = 0; n < entry.count; ++n) {
            score.SetTimeSignature(entry.value);
        }
    }
    auto tempos = score.GetTempoMarkList();
    for (const auto& tempo : tempos) {
        score.RemoveTempoMark(tempo);
    }
    for (const auto& [tempo, value] : tempos_) {
        tempo->SetValue(value);
        score.AppendTempoMark(tempo);
    }
    auto texts = score.GetExpressionTextList();
    for (const auto& text : texts) {
        score.RemoveExpressionText(text);
    }
    for (const auto& [text, value] : expressions_) {
        text->SetValue(value);
        score.AppendExpressionText(text);
    }
    score.GetLineBreaks() = lineBreaks_;
}

void BarIndexTables::Shift(Score& score, int first, int delta)
{
    if (delta == 0) {
        return;
    }
    int moved = 0;
    for (const auto& part : ScoreParts(score)) {
        auto marks = part->GetLineMarks();
        for (const auto& mark : marks) {
            if (MovedBar(mark->GetBar(), first, delta, moved)) {
                mark->SetBar(moved);
            } else {
                part->RemoveLineMark(mark);
            }
        }
        for (const auto& bar : PartBars(*part)) {
            if (const auto& signature = bar->GetTimeSignature()) {
                auto value = signature->GetValue();
                if (MovedBar(value.bar, first, delta, moved)) {
                    value.bar = moved;
                    signature->SetValue(value);
                }
            }
        }
    }

    auto keys = score.GetKeySignatureList();
    int carried = CarriedToStart(
        keys, [](const auto& key) { return key->GetValue().bar; }, first, delta);
    for (const auto& key : keys) {
        score.RemoveKeySignature(key);
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto& key = keys[i];
        auto value = key->GetValue();
        if (static_cast<int>(i) == carried) {
            value.bar = first - delta;
        }
        if (MovedBar(value.bar, first, delta, moved)) {
            value.bar = moved;
            key->SetValue(value);
            score.AppendKeySignature(key);
        }
    }

    std::vector<TimeSignatureEntry> entries = score.GetTimeSignatures();
    carried = CarriedToStart(
        entries, [](const TimeSignatureEntry& entry) { return entry.bar; }, first, delta);
    ClearTimeSignatures(score);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        auto entry = entries[i];
        if (static_cast<int>(i) == carried) {
            entry.bar = first - delta;
        }
        if (MovedBar(entry.bar, first, delta, moved)) {
            entry.bar = moved;
            for (int n = 0; n < entry.count; ++n) {
                score.SetTimeSignature(entry.ToRecord());
            }
        }
    }

    auto tempos = score.GetTempoMarkList();
    carried = CarriedToStart(
        tempos, [](const auto& tempo) { return tempo->GetValue().position; }, first, delta);
    for (const auto& tempo : tempos) {
        score.RemoveTempoMark(tempo);
    }
    for (std::size_t i = 0; i < tempos.size(); ++i) {
        const auto& tempo = tempos[i];
        auto value = tempo->GetValue();
        if (static_cast<int>(i) == carried) {
            value.position = first - delta;
        }
        if (MovedBar(value.position, first, delta, moved)) {
            value.position = moved;
            tempo->SetValue(value);
            score.AppendTempoMark(tempo);
        }
    }

    auto texts = score.GetExpressionTextList();
    for (const auto& text : texts) {
        score.RemoveExpressionText(text);
    }
    for (const auto& text : texts) {
        auto value = text->GetValue();
        if (MovedBar(value.position, first, delta, moved)) {
            value.position = moved;
            text->SetValue(value);
            score.AppendExpressionText(text);
        }
    }

    std::set<int> breaks;
    for (int bar : score.GetLineBreaks()) {
        if (MovedBar(bar, first, delta, moved)) {
            breaks.insert(moved);
        }
    }
    score.GetLineBreaks() = std::move(breaks);
}

}  // namespace quaverly
