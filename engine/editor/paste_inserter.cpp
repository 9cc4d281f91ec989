#include "engine/editor/paste_inserter.h"

#include <algorithm>
#include <functional>

#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/container_element.h"
#include "engine/model/element_path.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

// A start this many whole notes into a bar is beyond anything a bar can hold.
constexpr std::int64_t kMaxStartInBar = std::int64_t{64} * kTicksPerWhole;

std::shared_ptr<Part> PartAt(const Score& score, int index)
{
    return std::dynamic_pointer_cast<Part>(GetElementAtPath2(score, index, 0));
}

int BarCountOf(const Score& score)
{
    const auto part = PartAt(score, 0);
    return part ? part->GetChildCount() : 0;
}

void AddNotes(const std::vector<NoteUnit>& units,
              const std::function<void(std::shared_ptr<Note>)>& add)
{
    for (const NoteUnit& unit : units) {
        if (auto note = PasteInserter::MakeNoteFromUnit(unit))
            add(std::move(note));
    }
}

}  // namespace

PasteInserter::PasteInserter(std::shared_ptr<Score> score, const ScoreFragment& fragment)
    : score_(std::move(score)), fragment_(fragment)
{
}

bool PasteInserter::IsValidUnit(const NoteUnit& unit)
{
    const bool knownType =
        (unit.typeCode >= pitch_code::kRest && unit.typeCode <= pitch_code::kLastDegree) ||
        (unit.typeCode >= pitch_code::kFirstSpecial && unit.typeCode <= pitch_code::kLastSpecial);
    return knownType && unit.dots >= 0 && unit.dots <= note_limits::kMaxDots &&
           unit.kind >= note_style_kind::kNormal && unit.kind <= note_style_kind::kGrace &&
           unit.duration > 0 && unit.duration <= note_limits::kMaxBaseDuration &&
           unit.startTime >= 0 && unit.startTime <= kMaxStartInBar &&
           unit.octave >= -note_limits::kMaxOctave && unit.octave <= note_limits::kMaxOctave &&
           unit.accidental >= accidental_code::kNaturalFlat &&
           unit.accidental <= accidental_code::kNatural;
}

bool PasteInserter::ValidateFragment(const ScoreFragment& fragment)
{
    const auto allValid = [](const std::vector<NoteUnit>& units) {
        return std::all_of(units.begin(), units.end(), IsValidUnit);
    };
    for (const FragmentStave& stave : fragment.staves) {
        for (const FragmentBar& bar : stave) {
            std::int32_t previousStart = 0;
            for (const FragmentEntry& entry : bar) {
                if (!IsValidUnit(entry.main) || entry.main.startTime < previousStart ||
                    !allValid(entry.chordNotes) || !allValid(entry.graceBefore) ||
                    !allValid(entry.graceAfter))
                    return false;
                previousStart = entry.main.startTime;
            }
        }
    }
    return true;
}

bool PasteInserter::Plan(int startBar, int firstPart, PastePlan& plan) const
{
    if (!score_ || !ValidateFragment(fragment_))
        return false;
    const Score& score = *score_;
    const int barCount = BarCountOf(score);
    const int partCount = score.GetChildCount();
    if (startBar < 0 || startBar >= barCount || firstPart < 0 || firstPart >= partCount)
        return false;
    std::size_t longest = 0;
    for (const FragmentStave& stave : fragment_.staves)
        longest = std::max(longest, stave.size());
    if (longest > static_cast<std::size_t>(kMaxPasteBars - startBar))
        return false;
    const int end = startBar + static_cast<int>(longest);

    PastePlan planned;
    planned.startBar = startBar;
    planned.firstPart = firstPart;
    planned.barCountBefore = barCount;
    planned.barsToAppend = std::max(end - barCount, 0);
    planned.endBar = end;
    for (std::size_t i = 0; i < fragment_.staves.size(); ++i) {
        const std::int64_t part = std::int64_t{firstPart} + static_cast<std::int64_t>(i);
        if (part >= partCount)
            break;
        const FragmentStave& stave = fragment_.staves[i];
        for (std::size_t k = 0; k < stave.size(); ++k) {
            BarRewrite rewrite;
            rewrite.part = static_cast<int>(part);
            rewrite.bar = startBar + static_cast<int>(k);
            rewrite.newNotes = PasteBar(stave[k]);
            if (const auto bar = FindBarInTrack(PartAt(score, rewrite.part), rewrite.bar))
                rewrite.oldNotes = bar->GetNotes();
            planned.rewrites.push_back(std::move(rewrite));
        }
    }
    plan = std::move(planned);
    return true;
}

void PasteInserter::Apply(PastePlan& plan) const
{
    if (!score_)
        return;
    Score& score = *score_;
    plan.appendedBars.clear();
    EnsureBars(score, plan.barCountBefore + plan.barsToAppend, &plan.appendedBars);
    for (BarRewrite& rewrite : plan.rewrites) {
        const auto part = PartAt(score, rewrite.part);
        if (const auto bar = FindBarInTrack(part, rewrite.bar))
            ReplaceBarNotes(*part, *bar, rewrite.newNotes, rewrite.lifted);
    }
}

void PasteInserter::Revert(PastePlan& plan) const
{
    if (!score_)
        return;
    Score& score = *score_;
    for (auto it = plan.rewrites.rbegin(); it != plan.rewrites.rend(); ++it) {
        const auto part = PartAt(score, it->part);
        if (const auto bar = FindBarInTrack(part, it->bar))
            RestoreBarNotes(*part, *bar, it->oldNotes, it->lifted);
    }
    for (auto it = plan.appendedBars.rbegin(); it != plan.appendedBars.rend(); ++it) {
        const int last = it->first->GetChildCount() - 1;
        if (last >= 0 && it->first->GetChild(last) == it->second)
            it->first->RemoveChild(last);
    }
    plan.appendedBars.clear();
}

void PasteInserter::EnsureBars(
    Score& score, int barCount,
    std::vector<std::pair<std::shared_ptr<Part>, std::shared_ptr<Bar>>>* appended)
{
    for (int p = 0; p < score.GetChildCount(); ++p) {
        const auto part = PartAt(score, p);
        if (!part)
            continue;
        for (int b = part->GetChildCount(); b < barCount; ++b) {
            auto bar = std::make_shared<Bar>(b);
            part->AppendChild(bar);
            if (appended)
                appended->emplace_back(part, std::move(bar));
        }
    }
}

std::vector<std::shared_ptr<Note>> PasteInserter::PasteBar(const FragmentBar& bar)
{
    std::vector<std::shared_ptr<Note>> notes;
    for (const FragmentEntry& entry : bar) {
        auto main = MakeNoteFromUnit(entry.main);
        if (!main)
            continue;
        AddNotes(entry.chordNotes, [&main](std::shared_ptr<Note> n) {
            main->GetChordNotes()->AddNote(std::move(n));
        });
        AddNotes(entry.graceBefore, [&main](std::shared_ptr<Note> n) {
            main->GetGraceListA()->AddNote(std::move(n));
        });
        AddNotes(entry.graceAfter, [&main](std::shared_ptr<Note> n) {
            main->GetGraceListB()->AddNote(std::move(n));
        });
        notes.push_back(std::move(main));
    }
    return notes;
}

std::shared_ptr<Note> PasteInserter::MakeNoteFromUnit(const NoteUnit& unit)
{
    auto note = CreateNote(unit.typeCode);
    if (!note)
        return nullptr;
    note->SetOctave(unit.octave);
    note->SetDuration(unit.duration);
    note->SetDots(unit.dots);
    note->SetAccidental(unit.accidental);
    note->SetStartTime(unit.startTime);
    note->SetStyle(MakeNoteStyle(unit.kind));
    return note;
}

std::shared_ptr<const NoteStyle> PasteInserter::MakeNoteStyle(int kind)
{
    switch (kind) {
    case note_style_kind::kChord:
        return SharedChordNoteStyle();
    case note_style_kind::kGrace:
        return SharedGraceNoteStyle();
    default:
        return SharedNormalNoteStyle();
    }
}

std::shared_ptr<Bar> PasteInserter::FindBarInTrack(const std::shared_ptr<Part>& part, int index)
{
    if (!part || index < 0 || index >= part->GetChildCount())
        return nullptr;
    return std::dynamic_pointer_cast<Bar>(part->GetChild(index));
}

}  // namespace quaverly
