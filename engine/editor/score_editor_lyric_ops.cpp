// The lyric operations of the editor: one syllable edited in place, and whole verses of
// a part read and written for the lyric dialog.
#include <algorithm>
#include <cstddef>
#include <memory>

#include "engine/commands/lyric_commands.h"
#include "engine/commands/refresh_commands.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"

namespace quaverly {

namespace {

constexpr int kVerses = 5;

bool IsVerse(int verse)
{
    return verse >= 0 && verse < kVerses;
}

// The lyric of the verse on the first note of the bar (first track of the part) that
// starts at the time; none when the bar, the note or the lyric is missing.
std::shared_ptr<Lyric> FindLyricAt(const ScoreElement& score, int part, int bar, int verse,
                                   int time)
{
    if (!IsVerse(verse))
        return nullptr;
    const auto target = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(score, part, 0, bar));
    if (!target)
        return nullptr;
    for (const auto& note : target->GetNotes()) {
        // Of two notes that start together, the first one carries the syllable.
        if (note && note->GetStartTime() == time)
            return note->GetLyric(verse);
    }
    return nullptr;
}

}  // namespace

void ScoreEditor::SetLyricVerse(int verse)
{
    if (IsVerse(verse)) {
        auto select = std::make_unique<SelectVerseCommand>();
        select->SetRoot(layout);
        select->SetCursor(cursor);
        select->SetVerse(verse);
        // Asking a syllable for editing changes nothing in the document: the step only
        // runs and leaves the undo history alone.
        select->SetTransient(true);
        AddCommand(std::move(select));
    }
    NotifyListener(EditorNoticeCode::ContentChanged);
}

// The view's in-place text box moves on from the syllable at the location: to the next
// note's syllable of the verse (BeginLyricEdit) or to the one before (EndLyricEdit),
// across the bars of the part's first track. The syllable found asks for editing when
// the step runs, so the view opens its box there. The text the box hands back arrives
// through SetLyricText; the step itself changes nothing and records no undo step.
void ScoreEditor::BeginLyricEdit(int part, int bar, int verse, int time)
{
    QueueLyricStep(std::make_unique<EditNextLyricCommand>(), part, bar, verse, time);
}

void ScoreEditor::EndLyricEdit(int part, int bar, int verse, int time)
{
    QueueLyricStep(std::make_unique<EditPreviousLyricCommand>(), part, bar, verse, time);
}

void ScoreEditor::QueueLyricStep(std::unique_ptr<StepLyricCommand> step, int part, int bar,
                                 int verse, int time)
{
    const auto track = IsVerse(verse) && part >= 0 && part < score->GetChildCount()
                           ? GetElementAtPath2(*score, part, 0)
                           : nullptr;
    if (track) {
        step->SetRange(track);
        step->SetBarIndex(bar);
        step->SetVerse(verse);
        step->SetPosition(time);
        step->SetTransient(true);
        AddCommand(std::move(step));
    }
    NotifyListener(EditorNoticeCode::ContentChanged);
}

void ScoreEditor::SetLyricText(const LyricTextRecord& record)
{
    const auto lyric = FindLyricAt(*score, record.part, record.bar, record.verse, record.time);
    if (!lyric) {
        NotifyListener(EditorNoticeCode::ContentChanged);
        return;
    }
    BeginGroup(false);
    auto set = std::make_unique<SetLyricTextCommand>();
    set->SetText(record.text);
    set->SetLyric(lyric);
    AddCommand(std::move(set));
    if (const auto line = FindLineOfBar(record.bar).node) {
        auto relayout = std::make_unique<RelayoutFromElementCommand>(this);
        relayout->SetStartElement(line);
        AddCommand(std::move(relayout));
    }
    EndGroup();
    NotifyDocumentChanged();
}

std::vector<std::u16string> ScoreEditor::GetLyrics(int part, int verse) const
{
    std::vector<std::u16string> texts;
    if (!IsVerse(verse) || part < 0 || part >= score->GetChildCount())
        return texts;
    const auto track = GetElementAtPath2(*score, part, 0);
    if (!track)
        return texts;
    for (int b = 0; b < track->GetChildCount(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(track->GetChild(b));
        if (!bar)
            continue;
        // One entry per note, so the texts line up with the notes; a note without a
        // syllable in the verse gives an empty text.
        for (const auto& note : bar->GetNotes()) {
            texts.push_back(note ? note->GetLyricText(verse) : std::u16string());
        }
    }
    return texts;
}

void ScoreEditor::SetLyrics(int part, int verse, const std::vector<std::u16string>& texts)
{
    if (!IsVerse(verse) || part < 0 || part >= score->GetChildCount())
        return;
    const auto track = GetElementAtPath2(*score, part, 0);
    if (!track)
        return;
    std::vector<std::u16string> oldTexts = GetLyrics(part, verse);
    // The syllables go onto the notes in order: syllables beyond the last note have no
    // note to go on and are dropped; with fewer syllables than notes the notes after the
    // last one keep their syllables.
    std::vector<std::u16string> newTexts(
        texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(
                                           std::min(texts.size(), oldTexts.size())));
    if (newTexts.empty())
        return;
    auto set = std::make_unique<SetLyricsCommand>();
    set->SetOldTexts(std::move(oldTexts));
    set->SetNewTexts(std::move(newTexts));
    set->SetVerse(verse);
    set->SetRange(track);
    BeginGroup(false);
    AddCommand(std::move(set));
    auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
    reflow->SetPage(cursor.page);
    AddCommand(std::move(reflow));
    AddCommand(MakeDeferredReflows(0));
    EndGroup();
    NotifyDocumentChanged();
}

}  // namespace quaverly
