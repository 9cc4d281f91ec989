#include "engine/editor/score_data_importer.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "engine/editor/score_data_exporter.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/container_element.h"
#include "engine/model/element_path.h"
#include "engine/model/int_clamp.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/pitch_speller.h"
#include "engine/model/score.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"

namespace quaverly {

namespace {

constexpr int kMaxMidiKey = 127;
constexpr int kMaxProgram = 127;
constexpr int kMaxChannel = 15;
// A start beyond this many whole notes into a bar is no start a score can show.
constexpr std::int64_t kMaxStartInBar = std::int64_t{64} * kTicksPerWhole;

bool IsUsable(const tabulon::NoteRecord& record)
{
    return record.pitch >= 0 && record.pitch <= kMaxMidiKey && record.bar >= 0 &&
           record.bar < kMaxImportBars && record.offset >= 0 &&
           record.offset <= kMaxStartInBar && record.value > 0 &&
           record.value <= note_limits::kMaxBaseDuration;
}

using NoteKey = std::tuple<int, int, int>;  // bar, offset, MIDI key

NoteKey KeyOf(const tabulon::NoteRecord& record)
{
    return {record.bar, record.offset, record.pitch};
}

// The notes made for one staff: by record, and the main note and owner of each.
struct ImportedNote {
    std::shared_ptr<Note> note;
    std::shared_ptr<Note> main;  // the note itself, or the chord's main note
    std::shared_ptr<Bar> bar;
};

// Lower first: octave, then type code.
bool IsLower(const Note& a, const Note& b)
{
    if (a.GetOctave() != b.GetOctave())
        return a.GetOctave() < b.GetOctave();
    return a.GetPitchCode() < b.GetPitchCode();
}

std::shared_ptr<Part> PartOf(const Score& score, int index)
{
    return std::dynamic_pointer_cast<Part>(GetElementAtPath2(score, index, 0));
}

}  // namespace

int HighestSetBit(std::uint32_t value)
{
    int bit = 0;
    while (value > 1) {
        value >>= 1;
        ++bit;
    }
    return bit;
}

ScoreDataImporter::ScoreDataImporter(std::shared_ptr<Score> score, const tabulon::ScoreData* data)
    : score_(std::move(score)), data_(data)
{
}

bool ScoreDataImporter::ImportScore()
{
    if (!score_ || data_ == nullptr)
        return false;
    Score& score = *score_;
    score.SetTitle(data_->GetTitle());
    score.SetSubtitle(data_->GetComposer());
    score.SetComposer(data_->GetPoet());
    score.SetPoet(data_->GetCopyright());

    // The score refuses beats, beat types and keys out of range itself.
    for (const tabulon::MeterRecord& meter : data_->GetMeters()) {
        if (meter.bar >= 0)
            score.SetTimeSignature({meter.bar, meter.numerator, meter.denominator, meter.flag});
    }
    for (const tabulon::KeyRecord& key : data_->GetKeys()) {
        if (key.bar >= 0)
            score.SetKeySignature({key.bar, key.key, key.major != 0 ? 1 : 0});
    }
    for (const tabulon::TempoRecord& tempo : data_->GetTempos()) {
        if (tempo.bar < 0 || tempo.beatsPerMinute <= 0)
            continue;
        if (tempo.beatLength > 0 && tempo.beatLength <= note_limits::kMaxBaseDuration) {
            score.SetTempoMark({tempo.bar, tempo.beatLength, tempo.beatsPerMinute});
            continue;
        }
        // Without a beat length the tempo counts quarter notes: it becomes a mark on the
        // beat of the time signature in force.
        const auto meter = score.FindTimeSignature(tempo.bar);
        const int beatType = meter ? meter->beatType : 4;
        score.SetTempoMark({tempo.bar, std::max(kTicksPerWhole / beatType, 1),
                            ClampToInt(std::int64_t{beatType} * tempo.beatsPerMinute / 4)});
    }
    for (const tabulon::TempoTextRecord& words : data_->GetTempoTexts()) {
        if (words.bar >= 0)
            score.SetExpressionText({words.bar, words.text});
    }

    const int barCount = BarCount();
    int partIndex = 0;
    for (const int staveId : data_->GetStaveIds()) {
        const tabulon::StaveData* stave = data_->GetStave(staveId);
        if (stave == nullptr)
            continue;
        for (const int staffId : stave->GetStaffIds()) {
            const tabulon::StaffData* staff = stave->GetStaff(staffId);
            if (staff == nullptr || partIndex >= kMaxImportParts)
                continue;
            while (score.GetChildCount() <= partIndex) {
                auto container = std::make_shared<ContainerElement>();
                container->AppendChild(std::make_shared<Part>());
                score.AppendChild(container);
            }
            const auto part = PartOf(score, partIndex);
            ++partIndex;
            if (!part)
                continue;
            ImportStaff(*part, *staff, barCount);
            // The exporter names the stave; a staff without a name of its own takes it.
            if (part->GetName().empty())
                part->SetName(stave->GetName());
        }
    }
    ShowMeters();
    return true;
}

void ScoreDataImporter::ShowMeters()
{
    // The first part's bars show the meters, as a new score's first bar shows its own: a
    // document stores a meter only with a bar that shows it. The table counts one record
    // per bar that shows it, as a loaded document's does, so two records of one bar
    // count once.
    Score& score = *score_;
    const auto part = PartOf(score, 0);
    const std::vector<TimeSignatureEntry> entries = score.GetTimeSignatures();
    for (const TimeSignatureEntry& entry : entries) {
        for (int n = entry.count; n > 1; --n)
            score.RemoveTimeSignatureAt(entry.bar);
        const auto bar = part ? std::dynamic_pointer_cast<Bar>(part->GetChild(entry.bar)) : nullptr;
        if (!bar)
            continue;
        auto signature = std::make_shared<TimeSignature>();
        signature->SetValue(entry.ToRecord());
        bar->SetTimeSignature(signature);
    }
}

int ScoreDataImporter::BarCount() const
{
    std::int64_t count = std::max(data_->GetBarCount(), 0);
    for (const int staveId : data_->GetStaveIds()) {
        const tabulon::StaveData* stave = data_->GetStave(staveId);
        if (stave == nullptr)
            continue;
        for (const int staffId : stave->GetStaffIds()) {
            const tabulon::StaffData* staff = stave->GetStaff(staffId);
            if (staff == nullptr)
                continue;
            for (const tabulon::NoteRecord& record : staff->GetNotes()) {
                if (IsUsable(record))
                    count = std::max<std::int64_t>(count, std::int64_t{record.bar} + 1);
            }
        }
    }
    return static_cast<int>(std::min<std::int64_t>(count, kMaxImportBars));
}

std::shared_ptr<Note> ScoreDataImporter::ImportNote(const tabulon::NoteRecord& record, int fifths)
{
    if (!IsUsable(record))
        return nullptr;
    const SpelledPitch pitch = PitchSpeller(fifths).Spell(record.pitch);
    auto note = CreateNote(pitch.PitchCode());
    if (!note)
        return nullptr;
    note->SetOctave(pitch.octave - 5);
    note->SetAccidental(pitch.accidental);
    note->SetDuration(record.value);
    note->SetDots(record.dotted & 0xFF);
    note->SetStartTime(record.offset);
    return note;
}

void ScoreDataImporter::ImportStaff(Part& part, const tabulon::StaffData& staff, int barCount)
{
    part.SetName(staff.GetName());
    if (staff.GetProgram() >= 0 && staff.GetProgram() <= kMaxProgram)
        part.SetProgram(staff.GetProgram());
    if (staff.GetChannel() >= 0 && staff.GetChannel() <= kMaxChannel)
        part.SetChannel(staff.GetChannel());

    part.ClearChildren();
    std::vector<std::shared_ptr<Bar>> bars;
    bars.reserve(static_cast<std::size_t>(barCount));
    for (int b = 0; b < barCount; ++b) {
        bars.push_back(std::make_shared<Bar>(b));
        part.AppendChild(bars.back());
    }

    // Notes by bar and start, to be sorted into chords.
    std::map<std::pair<int, int>, std::vector<std::shared_ptr<Note>>> starts;
    std::map<NoteKey, ImportedNote> imported;
    for (const tabulon::NoteRecord& record : staff.GetNotes()) {
        if (!IsUsable(record) || record.bar >= barCount)
            continue;
        const int fifths = score_ ? ScoreDataExporter::KeyFifthsAt(*score_, record.bar) : 0;
        auto note = ImportNote(record, fifths);
        if (!note)
            continue;
        starts[{record.bar, record.offset}].push_back(note);
        imported.try_emplace(KeyOf(record), ImportedNote{note, note, nullptr});
    }

    std::map<const Note*, std::shared_ptr<Note>> mainOf;
    for (auto& [place, notes] : starts) {
        std::stable_sort(notes.begin(), notes.end(),
                         [](const auto& a, const auto& b) { return IsLower(*a, *b); });
        const std::shared_ptr<Note>& main = notes.front();
        for (std::size_t i = 1; i < notes.size(); ++i) {
            notes[i]->SetStyle(SharedChordNoteStyle());
            main->GetChordNotes()->AddNote(notes[i]);
            mainOf[notes[i].get()] = main;
        }
        bars[static_cast<std::size_t>(place.first)]->AddNote(main);
    }
    for (auto& [key, entry] : imported) {
        const auto found = mainOf.find(entry.note.get());
        if (found != mainOf.end())
            entry.main = found->second;
        entry.bar = bars[static_cast<std::size_t>(std::get<0>(key))];
    }
    for (const auto& bar : bars)
        bar->SortNotes();

    const auto find = [&imported](const tabulon::NoteRecord& record) -> const ImportedNote* {
        const auto found = imported.find(KeyOf(record));
        return found != imported.end() ? &found->second : nullptr;
    };

    // Tuplets: the group's main notes, bar by bar, in runs of the tuplet number.
    for (const tabulon::TupletGroup& group : staff.GetTupletGroups()) {
        int actual = group.notes.empty() ? 0 : group.notes.front().tuplet;
        if (actual < 2)
            actual = group.count;
        if (actual < 2 || actual > note_limits::kMaxTupletCount)
            continue;
        const int normal = 1 << HighestSetBit(static_cast<std::uint32_t>(actual - 1));
        std::shared_ptr<Tuplet> open;
        std::shared_ptr<Bar> openBar;
        int taken = 0;
        for (const tabulon::NoteRecord& record : group.notes) {
            const ImportedNote* entry = find(record);
            if (entry == nullptr || entry->main->GetTupletActual() > 0)
                continue;
            if (!open || openBar != entry->bar || taken == actual) {
                open = std::make_shared<Tuplet>(actual, normal);
                openBar = entry->bar;
                open->SetFirstNote(entry->main);
                openBar->AddTuplet(open);
                taken = 0;
            } else {
                open->AddNote(entry->main);
            }
            ++taken;
            for (const auto& chordNote : entry->main->GetChordMembers()) {
                chordNote->SetTupletActual(actual);
                chordNote->SetTupletNormal(normal);
            }
        }
    }

    // Ties: each record of a chain to the next one that has a note.
    for (const tabulon::TieChain& chain : staff.GetTieChains()) {
        const ImportedNote* previous = nullptr;
        NoteKey previousKey;
        for (const tabulon::NoteRecord& record : chain.notes) {
            const ImportedNote* entry = find(record);
            if (entry == nullptr)
                continue;
            // A chain runs forward in time and never ties a note twice.
            if (previous != nullptr &&
                std::make_pair(std::get<0>(previousKey), std::get<1>(previousKey)) <
                    std::make_pair(record.bar, record.offset) &&
                previous->note->GetTiedTo() == nullptr && entry->note->GetTiedFrom() == nullptr) {
                const auto ownerOf = [](const ImportedNote& n) -> std::shared_ptr<ScoreElement> {
                    if (n.main != n.note)
                        return n.main->GetChordNotes();
                    return n.bar;
                };
                auto tie = std::make_shared<Tie>();
                tie->SetStart({ownerOf(*previous), previous->note});
                tie->SetEnd({ownerOf(*entry), entry->note});
                part.AddTie(tie);
            }
            previous = entry;
            previousKey = KeyOf(record);
        }
    }
}

}  // namespace quaverly
