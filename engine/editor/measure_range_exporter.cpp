#include "engine/editor/measure_range_exporter.h"

#include <algorithm>

#include "engine/editor/score_fragment_writer.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/element_path.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

void AppendUnits(const NoteList& list, std::vector<NoteUnit>& units)
{
    for (const std::shared_ptr<Note>& note : list.GetNotes()) {
        if (note)
            units.push_back(MeasureRangeExporter::FillNoteUnit(*note));
    }
}

}  // namespace

bool MeasureRangeExporter::Run()
{
    if (!score_ || fragment_ == nullptr)
        return false;
    if (firstPart_ < 0 || firstBar_ < 0 || lastPart_ < 0 || lastBar_ < 0)
        return false;
    const Score& score = *score_;
    const int partCount = score.GetChildCount();
    const auto firstStaff = GetElementAtPath2(score, 0, 0);
    const int barCount = firstStaff ? firstStaff->GetChildCount() : 0;
    const int fromPart = std::min(firstPart_, lastPart_);
    const int toPart = std::min(std::max(firstPart_, lastPart_), partCount - 1);
    const int fromBar = std::min(firstBar_, lastBar_);
    const int toBar = std::min(std::max(firstBar_, lastBar_), barCount - 1);
    if (fromPart > toPart || fromBar > toBar)
        return false;

    for (int p = fromPart; p <= toPart; ++p) {
        FragmentStave& stave = fragment_->staves.emplace_back();
        for (int b = fromBar; b <= toBar; ++b) {
            FragmentBar& bar = stave.emplace_back();
            // A part shorter than the first leaves its missing bars empty.
            if (const auto element = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(score, p, 0, b)))
                ExportBar(*element, bar);
        }
    }
    return true;
}

void MeasureRangeExporter::ExportBar(const Bar& bar, FragmentBar& out)
{
    for (const std::shared_ptr<Note>& note : bar.GetNotes()) {
        if (!note)
            continue;
        FragmentEntry& entry = out.emplace_back();
        entry.main = FillNoteUnit(*note);
        if (const NoteList* list = note->GetChordNotesIfMade())
            AppendUnits(*list, entry.chordNotes);
        if (const NoteList* list = note->GetGraceListAIfMade())
            AppendUnits(*list, entry.graceBefore);
        if (const NoteList* list = note->GetGraceListBIfMade())
            AppendUnits(*list, entry.graceAfter);
    }
}

NoteUnit MeasureRangeExporter::FillNoteUnit(const Note& note)
{
    NoteUnit unit;
    unit.startTime = note.GetStartTime();
    unit.typeCode = note.GetPitchCode();
    unit.duration = note.GetDuration();
    unit.octave = note.GetOctave();
    unit.dots = note.GetDots();
    unit.accidental = note.GetAccidental();
    unit.kind = note.GetStyle() ? note.GetStyle()->GetKind() : note_style_kind::kNormal;
    return unit;
}

bool CopyBarRange(std::shared_ptr<const Score> score, int firstPart, int firstBar,
                  int lastPart, int lastBar, ByteVector& out)
{
    ScoreFragment fragment;
    MeasureRangeExporter exporter;
    exporter.SetScore(std::move(score));
    exporter.SetOutput(&fragment);
    exporter.SetRange(firstPart, firstBar);
    exporter.SetRangeEnd(lastPart, lastBar);
    if (!exporter.Run())
        return false;
    WriteScoreChunk(fragment, out);
    return true;
}

}  // namespace quaverly
