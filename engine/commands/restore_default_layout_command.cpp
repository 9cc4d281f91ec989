#include "engine/commands/restore_default_layout_command.h"

#include <memory>

#include "engine/editor/score_editor.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/barline.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/score_painter.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

constexpr Point kNoOffset{0, 0};

template <class T>
void ResetOffset(const std::shared_ptr<T>& element)
{
    if (element)
        element->SetOffset(kNoOffset);
}

// Sub-elements a note has not made have no offset to reset.
void ResetOffset(ScoreElement* element)
{
    if (element != nullptr)
        element->SetOffset(kNoOffset);
}

template <class List>
void ResetOffsets(const List& elements)
{
    for (const auto& element : elements)
        ResetOffset(element);
}

// The first Part of a part container, or nothing.
std::shared_ptr<Part> FirstPartOf(const ScoreElement::ElementPtr& container)
{
    if (!container || container->GetChildCount() <= 0)
        return nullptr;
    return std::dynamic_pointer_cast<Part>(container->GetChild(0));
}

void ResetNote(const std::shared_ptr<Note>& note)
{
    if (!note)
        return;
    note->SetOffset(kNoOffset);
    for (int verse = 0; verse < kVerseCount; ++verse)
        ResetOffset(note->GetLyricIfMade(verse));
    ResetOffset(note->GetGraceListAIfMade());
    ResetOffset(note->GetGraceListBIfMade());
    ResetOffset(note->GetChordNotesIfMade());
    ResetOffsets(note->GetOrnaments());
    ResetOffsets(note->GetSymbols());
}

void ResetBar(Bar& bar)
{
    bar.SetOffset(kNoOffset);
    bar.SetManualAdjust(0);
    ResetOffset(bar.GetBarline(0));
    ResetOffset(bar.GetBarline(1));
    for (const auto& note : bar.GetNotes())
        ResetNote(note);
    ResetOffsets(bar.GetTuplets());
    ResetOffsets(bar.GetOtherMarks());
    ResetOffsets(bar.GetDirections());
    ResetOffset(bar.GetDecorator());
    ResetOffset(bar.GetTimeSignature());
}

}  // namespace

RestoreDefaultLayoutCommand::RestoreDefaultLayoutCommand(ScoreEditor* editor) : editor_(editor) {}

RestoreDefaultLayoutCommand::~RestoreDefaultLayoutCommand() = default;

void RestoreDefaultLayoutCommand::Do()
{
    if (!editor_ || !editor_->score || !Painter())
        return;
    ResetPartsAndScoreTexts(*Painter());
    ResetLines();
    ResetBars();
}

void RestoreDefaultLayoutCommand::Undo() {}

void RestoreDefaultLayoutCommand::ResetPartsAndScoreTexts(ScorePainter& painter)
{
    Score& score = *editor_->score;
    const int count = score.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const auto part = FirstPartOf(score.GetChild(i));
        if (!part)
            continue;
        // The last part's staff takes the room below it as well.
        double size = painter.GetMetric99();
        if (i == count - 1)
            size += painter.GetMetric100();
        part->SetStaffSize(size);
        const int verseGap = painter.GetMetric111();
        part->SetVerseOffset(0, verseGap + painter.GetMetric110());
        for (int verse = 1; verse < kVerseCount; ++verse)
            part->SetVerseOffset(verse, verseGap);
    }
    ResetOffset(score.GetTitleText());
    ResetOffset(score.GetSubtitleText());
    ResetOffset(score.GetPoetText());
    ResetOffset(score.GetComposerText());
    ResetOffset(score.GetSingerText());
    ResetOffset(score.GetAdapterText());
    ResetOffset(score.GetRightsText());
    ResetOffsets(score.GetKeySignatureList());
    ResetOffsets(score.GetTempoMarkList());
    ResetOffsets(score.GetExpressionTextList());
}

void RestoreDefaultLayoutCommand::ResetLines()
{
    for (const auto& line : editor_->lines) {
        const auto system = std::dynamic_pointer_cast<SystemNode>(line);
        if (!system)
            continue;
        system->SetOffset(kNoOffset);
        system->SetRightOffset(kNoOffset);
        const int tracks = system->GetChildCount();
        for (int t = 0; t < tracks; ++t)
            ResetOffset(system->GetChild(t));
    }
}

void RestoreDefaultLayoutCommand::ResetBars()
{
    Score& score = *editor_->score;
    const int count = score.GetChildCount();
    for (int i = 0; i < count; ++i) {
        const auto part = FirstPartOf(score.GetChild(i));
        if (!part)
            continue;
        const int bars = part->GetChildCount();
        for (int b = 0; b < bars; ++b) {
            if (const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b)))
                ResetBar(*bar);
        }
    }
}

}  // namespace quaverly
