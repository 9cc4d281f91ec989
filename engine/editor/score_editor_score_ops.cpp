// The score-wide operations of the editor: the header texts, the instrument names of
// the rows, and the key, meter and tempo that take effect from the bar at the cursor.
#include <memory>

#include "engine/commands/add_header_text_command.h"
#include "engine/commands/add_tempo_text_command.h"
#include "engine/commands/add_time_signature_command.h"
#include "engine/commands/attach_bar_time_signature_command.h"
#include "engine/commands/no_op_command.h"
#include "engine/commands/refresh_commands.h"
#include "engine/commands/set_score_text_command.h"
#include "engine/commands/set_tempo_command.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/layout/track_node.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/header_text.h"
#include "engine/model/time_signature.h"

namespace quaverly {

template <typename Command>
void ScoreEditor::SetScoreText(const std::u16string& text, std::u16string oldText)
{
    auto command = std::make_unique<Command>();
    command->SetNewText(text);
    command->SetOldText(std::move(oldText));
    command->SetScore(score);
    // Before the first layout there is no heading to lay out again; the text is set all
    // the same.
    command->SetLayoutElement(lines.empty() ? nullptr : lines.front());
    AddCommand(std::move(command));
    NotifyDocumentChanged();
}

void ScoreEditor::SetTitle(const std::u16string& text)
{
    SetScoreText<SetTitleCommand>(text, score->GetTitle());
}
void ScoreEditor::SetSubtitle(const std::u16string& text)
{
    SetScoreText<SetSubtitleCommand>(text, score->GetSubtitle());
}
void ScoreEditor::SetComposer(const std::u16string& text)
{
    SetScoreText<SetComposerCommand>(text, score->GetComposer());
}
void ScoreEditor::SetPoet(const std::u16string& text)
{
    SetScoreText<SetPoetCommand>(text, score->GetPoet());
}
void ScoreEditor::SetSinger(const std::u16string& text)
{
    SetScoreText<SetSingerCommand>(text, score->GetSinger());
}
void ScoreEditor::SetAdapter(const std::u16string& text)
{
    SetScoreText<SetAdapterCommand>(text, score->GetAdapter());
}
void ScoreEditor::SetRights(const std::u16string& text)
{
    SetScoreText<SetRightsCommand>(text, score->GetRights());
}

std::shared_ptr<SystemNode> ScoreEditor::CursorLine() const
{
    return std::dynamic_pointer_cast<SystemNode>(
        GetElementAtPath2(*layout, cursor.page, cursor.line));
}

int ScoreEditor::CursorBar() const
{
    const auto line = CursorLine();
    if (!line)
        return -1;
    const BarRange range = line->GetBarRange();
    // The heading has no bars; an offset past the line's bars addresses none either.
    if (range.first >= range.end || cursor.barInLine < 0 ||
        cursor.barInLine >= range.end - range.first)
        return -1;
    const int bar = range.first + cursor.barInLine;
    return bar < GetBarCount() ? bar : -1;
}

void ScoreEditor::SetInstrumentName(const std::u16string& text, bool allLines)
{
    std::vector<std::shared_ptr<SystemNode>> targets;
    if (allLines) {
        for (std::size_t i = 1; i < lines.size(); ++i)
            if (const auto line = std::dynamic_pointer_cast<SystemNode>(lines[i]))
                targets.push_back(line);
    } else if (const auto line = CursorLine()) {
        targets.push_back(line);
    }
    bool changed = false;
    BeginGroup(false);
    for (const auto& line : targets) {
        const auto track = line->GetTrack(cursor.track);
        if (!track)
            continue;
        changed = true;
        auto name = std::make_shared<InstrumentNameText>();
        name->SetText(text);
        auto add = std::make_unique<AddHeaderTextCommand>();
        add->SetTrackNode(track);
        add->SetInstrumentName(name);
        AddCommand(std::move(add));
        auto relayout = std::make_unique<RelayoutFromElementCommand>(this);
        relayout->SetStartElement(line);
        AddCommand(std::move(relayout));
    }
    EndGroup();
    if (changed)
        NotifyDocumentChanged();
}

int ScoreEditor::SetKeySignature(int fifths)
{
    const int bar = CursorBar();
    const KeySignatureRecord record{bar, fifths, 1};
    if (bar < 0 || !record.IsValid())
        return -1;
    BeginGroup(false);
    AddKeySignatureStep(bar, fifths);
    auto reflow = std::make_unique<ReflowLinesFromCommand>(this);
    reflow->SetPage(cursor.page);
    AddCommand(std::move(reflow));
    AddCommand(MakeDeferredReflows(cursor.page + 1));
    EndGroup();
    NotifyDocumentChanged();
    return 0;
}

int ScoreEditor::SetTimeSignature(int beats, int beatType)
{
    const int bar = CursorBar();
    const TimeSignatureRecord record{bar, beats, beatType, 1};
    if (bar < 0 || !record.IsValid())
        return -1;
    bool present = false;
    for (const TimeSignatureEntry& entry : score->GetTimeSignatures())
        present = present || entry.bar == bar;
    if (present) {
        const auto inForce = score->FindTimeSignature(bar);
        const int oldBeats = inForce ? inForce->beats : 4;
        const int oldBeatType = inForce ? inForce->beatType : 4;
        if (oldBeats != beats || oldBeatType != beatType)
            return -1;
        return 0;  // the bar has this meter already: nothing to change
    }

    // One table record for every part whose bar shows the meter, as a loaded document
    // holds it: deleting the meter of one part then leaves the others' in force.
    BeginGroup(false);
    for (int p = 0; p < score->GetChildCount(); ++p) {
        const auto target = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*score, p, 0, bar));
        if (!target)
            continue;
        auto add = std::make_unique<AddTimeSignatureCommand>();
        add->SetScore(score);
        add->SetRecord(record);
        AddCommand(std::move(add));
        auto element = std::make_shared<TimeSignature>();
        element->SetValue(record);
        auto attach = std::make_unique<AttachBarTimeSignatureCommand>();
        attach->SetElement(element);
        attach->SetBar(target);
        AddCommand(std::move(attach));
        auto place = std::make_unique<PlaceBarTimeSignatureCommand>();
        place->SetBar(target);
        AddCommand(std::move(place));
    }
    AddCommand(std::make_unique<BeginWaitNoticeCommand>(this));
    auto bars = std::make_unique<RelayoutAllBarsCommand>();
    bars->SetScore(score);
    AddCommand(std::move(bars));
    AddCommand(std::make_unique<RelayoutScoreCommand>(this));
    AddCommand(std::make_unique<ReflowLinesKeepCommand>(this));
    AddCommand(std::make_unique<PlaybackChangedNoticeCommand>(this));
    AddCommand(std::make_unique<EndWaitNoticeCommand>(this));
    EndGroup();
    // The bars were regrouped under the new meter: no earlier step can be undone onto
    // them.
    RecordIrreversible(std::make_shared<NoOpCommand>());
    NotifyDocumentChanged();
    return 0;
}

void ScoreEditor::SetTempoText(const std::u16string& text)
{
    const int bar = CursorBar();
    const auto line = CursorLine();
    if (bar < 0)
        return;
    auto command = std::make_unique<AddTempoTextCommand>();
    command->SetScore(score);
    command->SetRecord({bar, text});
    BeginGroup(false);
    AddCommand(std::move(command));
    auto relayout = std::make_unique<RelayoutFromElementCommand>(this);
    relayout->SetStartElement(line);
    AddCommand(std::move(relayout));
    EndGroup();
    NotifyDocumentChanged();
}

void ScoreEditor::SetTempo(int beatUnit, int perMinute)
{
    const int bar = CursorBar();
    const auto line = CursorLine();
    // A tempo needs a beat and a speed; playback divides by both.
    if (bar < 0 || beatUnit <= 0 || perMinute <= 0)
        return;
    auto command = std::make_unique<SetTempoCommand>();
    command->SetScore(score);
    command->SetRecord({bar, beatUnit, perMinute});
    BeginGroup(false);
    AddCommand(std::move(command));
    auto relayout = std::make_unique<RelayoutFromElementCommand>(this);
    relayout->SetStartElement(line);
    AddCommand(std::move(relayout));
    EndGroup();
    NotifyDocumentChanged();
}

}  // namespace quaverly
