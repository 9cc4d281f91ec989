#include "engine/editor/score_data_exporter.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <vector>

#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/element_path.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"

namespace quaverly {

namespace {

std::int64_t FloorMod(std::int64_t a, std::int64_t b)
{
    const std::int64_t r = a % b;
    return r < 0 ? r + b : r;
}

// Semitones above the tonic of the degrees 1 to 7 (type codes 2 to 8).
constexpr std::array<int, 7> kDegreeSemitones = {0, 2, 4, 5, 7, 9, 11};

int DegreeSemitones(int typeCode)
{
    if (typeCode >= pitch_code::kFirstDegree && typeCode <= pitch_code::kLastDegree)
        return kDegreeSemitones[static_cast<std::size_t>(typeCode - pitch_code::kFirstDegree)];
    if (typeCode >= pitch_code::kFirstSpecial && typeCode <= pitch_code::kLastSpecial)
        return kDegreeSemitones.back();
    return 0;
}

int AccidentalSemitones(int accidental)
{
    switch (accidental) {
    case accidental_code::kSharp:
    case accidental_code::kDoubleSharp:
    case accidental_code::kFlat:
    case accidental_code::kDoubleFlat:
        return accidental;
    default:
        return 0;
    }
}

std::shared_ptr<Part> PartAt(const Score& score, int index)
{
    return std::dynamic_pointer_cast<Part>(GetElementAtPath2(score, index, 0));
}

// A chord note in a tuplet note plays in the tuplet's time even when only the main note
// carries the counts.
std::int64_t ChordNoteLength(const Note& chordNote, const Note& main)
{
    if (chordNote.GetTupletActual() > 0)
        return GetNoteDuration(&chordNote);
    return GetPlayedLength(chordNote.GetDuration(), chordNote.GetDots(), main.GetTupletActual(),
                           main.GetTupletNormal());
}

}  // namespace

ScoreDataExporter::ScoreDataExporter(std::shared_ptr<const Score> score)
    : score_(std::move(score))
{
}

int ScoreDataExporter::KeyNumber(int typeCode, int accidental, int octave, int fifths)
{
    const std::int64_t tonic = FloorMod(std::int64_t{fifths} * 7 + 60, 12);
    const std::int64_t spelledOctave = std::int64_t{octave} + 5 - (fifths < 0 ? 1 : 0);
    return ClampToInt(tonic + 12 * spelledOctave + DegreeSemitones(typeCode) +
                      AccidentalSemitones(accidental));
}

int ScoreDataExporter::KeyFifthsAt(const Score& score, int bar)
{
    const auto key = score.FindKeySignature(bar);
    return key ? key->GetValue().fifths : 0;
}

bool ScoreDataExporter::ExportScore(tabulon::ScoreData* data)
{
    if (!score_ || data == nullptr)
        return false;
    const Score& score = *score_;
    data->SetPoet(score.GetComposer());
    data->SetCopyright(score.GetPoet());
    data->SetTitle(score.GetTitle());

    if (score.GetTimeSignatures().empty())
        data->AddMeter({0, 4, 4, 1});
    for (const TimeSignatureEntry& entry : score.GetTimeSignatures())
        data->AddMeter({entry.bar, entry.beats, entry.beatType,
                        static_cast<std::uint8_t>(entry.common != 0 ? 1 : 0)});
    for (const KeySignatureRecord& key : score.GetKeySignatures())
        data->AddKey({key.bar, key.fifths, static_cast<std::uint8_t>(key.mode != 0 ? 1 : 0)});
    // The two tempo records hold the same values under different names.
    for (const TempoMarkRecord& tempo : score.GetTempoMarks())
        data->AddTempo({tempo.position, tempo.perMinute, tempo.beatUnit});
    for (const ExpressionRecord& words : score.GetExpressionTexts())
        data->AddTempoText({words.position, words.text});

    const auto first = PartAt(score, 0);
    data->SetBarCount(first ? first->GetChildCount() : 0);

    for (int i = 0; i < score.GetChildCount(); ++i) {
        const auto part = PartAt(score, i);
        if (!part)
            continue;
        data->AddStave(i);
        if (tabulon::StaveData* stave = data->GetStave(i))
            ExportPart(*part, *stave);
    }
    return true;
}

void ScoreDataExporter::ExportPart(const Part& part, tabulon::StaveData& stave)
{
    stave.AddStaff(0, 0);
    if (tabulon::StaffData* staff = stave.GetStaff(0))
        ExportStaff(part, *staff);
    stave.SetName(part.GetName());
}

void ScoreDataExporter::ExportStaff(const Part& part, tabulon::StaffData& staff)
{
    staff.SetProgram(part.GetProgram());
    staff.SetChannel(part.GetChannel());
    sequence_ = 0;
    for (int b = 0; b < part.GetChildCount(); ++b) {
        const auto bar = std::dynamic_pointer_cast<Bar>(part.GetChild(b));
        if (!bar)
            continue;
        const int fifths = score_ ? KeyFifthsAt(*score_, b) : 0;
        for (const std::shared_ptr<Note>& note : bar->GetNotes()) {
            if (note)
                ExportNote(staff, *note, fifths, b);
        }
    }
}

bool ScoreDataExporter::Sounds(const Note& note)
{
    const int code = note.GetPitchCode();
    return code != pitch_code::kNone && code != pitch_code::kRest && code != pitch_code::kDash;
}

void ScoreDataExporter::AddRecord(tabulon::StaffData& staff, const Note& note, int fifths,
                                  int bar, std::int64_t start, std::int64_t duration)
{
    if (!Sounds(note))
        return;
    tabulon::NoteRecord record;
    record.sequence = sequence_++;
    record.pitch = KeyNumber(note.GetPitchCode(), note.GetAccidental(), note.GetOctave(), fifths);
    record.bar = bar;
    record.offset = ClampToInt(start);
    record.value = ClampToInt(duration);
    record.dotted = 0;
    record.tuplet = 0;
    record.velocity = 100;
    staff.AddNote(record);
}

void ScoreDataExporter::ExportNote(tabulon::StaffData& staff, const Note& note, int fifths,
                                   int bar)
{
    // A tied-over note sounds as part of the note its chain starts with; its grace and
    // chord notes go with it.
    if (note.GetTiedFrom() != nullptr)
        return;
    const std::int64_t start = note.GetStartTime();
    const std::int64_t length =
        note.GetTiedTo() != nullptr ? ChainLength(note) : GetNoteDuration(&note);
    if (Sounds(note))
        AddRecord(staff, note, fifths, bar, start, length);

    ExportGraceBefore(staff, note, fifths, bar);
    std::int64_t after = start + length;
    for (const std::shared_ptr<Note>& grace : note.GetGraceNotesAfter()) {
        if (!grace)
            continue;
        const std::int64_t d = GetNoteDuration(grace.get());
        AddRecord(staff, *grace, fifths, bar, after, d);
        after += d;
    }
    for (const std::shared_ptr<Note>& chordNote : note.GetChordMembers()) {
        if (chordNote)
            AddRecord(staff, *chordNote, fifths, bar, start, ChordNoteLength(*chordNote, note));
    }
}

void ScoreDataExporter::ExportGraceBefore(tabulon::StaffData& staff, const Note& note,
                                          int fifths, int bar)
{
    const std::vector<std::shared_ptr<Note>>& graces = note.GetGraceNotesBefore();
    if (graces.empty())
        return;
    // Starts relative to the note's bar, placed from the last grace note backwards.
    std::vector<std::int64_t> starts(graces.size(), 0);
    std::int64_t end = note.GetStartTime();
    for (std::size_t i = graces.size(); i-- > 0;) {
        const std::int64_t d = graces[i] ? GetNoteDuration(graces[i].get()) : 0;
        starts[i] = end - d;
        end = starts[i];
    }
    // What lies before the score's first bar line cannot sound: the group moves forward
    // just as far as it has to.
    const std::int64_t earliest = *std::min_element(starts.begin(), starts.end());
    if (earliest < 0) {
        std::int64_t room = 0;
        for (int b = bar - 1; b >= 0 && room < -earliest; --b)
            room += BarLength(b);
        if (room < -earliest) {
            for (std::int64_t& s : starts)
                s += -earliest - room;
        }
    }
    // Recorded from the last grace note to the first, the order in which they were
    // placed.
    for (std::size_t i = graces.size(); i-- > 0;) {
        if (!graces[i])
            continue;
        int atBar = bar;
        std::int64_t at = starts[i];
        while (at < 0 && atBar > 0) {
            --atBar;
            at += BarLength(atBar);
        }
        AddRecord(staff, *graces[i], fifths, atBar, std::max<std::int64_t>(at, 0),
                  GetNoteDuration(graces[i].get()));
    }
}

std::int64_t ScoreDataExporter::ChainLength(const Note& note)
{
    std::int64_t length = 0;
    std::unordered_set<const Note*> seen;
    for (const Note* n = &note; n != nullptr && seen.insert(n).second; n = n->GetTiedTo())
        length += GetNoteDuration(n);
    return length;
}

std::int64_t ScoreDataExporter::BarLength(int bar) const
{
    const auto signature = score_ ? score_->FindTimeSignature(bar) : std::nullopt;
    const TimeSignatureRecord meter = signature.value_or(TimeSignatureRecord{});
    if (meter.beats <= 0 || meter.beatType <= 0)
        return std::int64_t{kTicksPerWhole};
    return std::int64_t{kTicksPerWhole} * meter.beats / meter.beatType;
}

}  // namespace quaverly
