#include "scoredata/staff_parser_impl.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <new>
#include <set>
#include <utility>

#include "scoredata/note_values.h"

namespace tabulon {

namespace {

using NoteItem = StaffParserImpl::NoteItem;

// The part of one note inside one bar.
struct Piece {
    std::size_t item = 0;
    std::int32_t length = 0;  // score ticks
};

// All pieces that start at one place (a chord); as long as its longest piece until the
// bar is shaped.
struct Column {
    std::int32_t bar = 0;
    std::int32_t offset = 0;
    std::int32_t length = 0;
    std::int32_t tuplet = 0;
    std::vector<Piece> pieces;
};

struct BarRecord {
    std::int32_t bar = 0;
    BarMap::BarMeter meter;
    std::vector<Column> columns;  // by offset
};

struct Segmentation {
    std::map<std::int32_t, BarRecord> bars;
    std::int32_t barCount = 0;
};

// (note item, bar) pairs already written as triplets.
using TakenSet = std::set<std::pair<std::size_t, std::int32_t>>;

// One run of the segmentation makes at most this many pieces: a hostile song of notes
// held for thousands of bars must not exhaust memory.
constexpr std::size_t kMaxPiecesPerRun = std::size_t{1} << 20;

// The nearest multiple of step; halves go up.
std::int64_t Quantise(std::int64_t tick, std::int64_t step)
{
    return (2 * tick + step) / (2 * step) * step;
}

std::int64_t CeilTo(std::int64_t value, std::int64_t unit)
{
    return (value + unit - 1) / unit * unit;
}

Segmentation Segment(const BarMap& map, const std::vector<NoteItem>& items, std::int64_t step,
                     const TakenSet& taken)
{
    std::map<std::int32_t, std::map<std::int32_t, Column>> columns;
    const auto stepScore = static_cast<std::int32_t>(step * 161280 / map.FineDivision());
    std::size_t budget = kMaxPiecesPerRun;
    std::int32_t lastBar = -1;

    for (std::size_t i = 0; i < items.size() && budget > 0; ++i) {
        const NoteItem& item = items[i];
        const std::int64_t start = Quantise(item.start, step);
        const std::int64_t end = Quantise(item.start + item.length, step);
        const BarPosition first = map.PositionOf(start);
        if (first.bar >= BarMap::kMaxBars)
            continue;
        BarPosition last = map.PositionOf(end);
        if (last.bar >= BarMap::kMaxBars)
            last = BarPosition{BarMap::kMaxBars, 0};

        auto add = [&](std::int32_t bar, std::int32_t offset, std::int32_t length) {
            if (length <= 0 || taken.contains({i, bar}))
                return;
            Column& column = columns[bar][offset];
            column.bar = bar;
            column.offset = offset;
            column.length = std::max(column.length, length);
            column.pieces.push_back(Piece{i, length});
            lastBar = std::max(lastBar, bar);
        };

        if (first.bar == last.bar && first.offset == last.offset) {
            // Shorter than half a step: one step long.
            --budget;
            add(first.bar, first.offset,
                std::min(stepScore, map.MeterOf(first.bar).length - first.offset));
            continue;
        }
        for (std::int32_t bar = first.bar; bar <= last.bar && budget > 0; ++bar, --budget) {
            const std::int32_t offset = bar == first.bar ? first.offset : 0;
            const std::int32_t length = bar == last.bar ? last.offset - offset
                                                        : map.MeterOf(bar).length - offset;
            add(bar, offset, length);
        }
    }

    Segmentation run;
    for (auto& [bar, byOffset] : columns) {
        BarRecord record;
        record.bar = bar;
        record.meter = map.MeterOf(bar);
        for (auto& [offset, column] : byOffset) {
            // Within a chord: higher notes first, then in the order they were played.
            std::stable_sort(column.pieces.begin(), column.pieces.end(),
                             [&](const Piece& a, const Piece& b) {
                                 return items[a.item].note > items[b.item].note;
                             });
            record.columns.push_back(std::move(column));
        }
        run.bars.emplace(bar, std::move(record));
    }
    run.barCount = lastBar + 1;
    return run;
}

// Before the triplet search every column of a two-thirds run is given the length its
// rhythm shows: a distance to the next start that a triplet note sounds is taken
// exactly; other columns reach the next start or the end of the beat they end in.
void SetTripletRunLengths(std::vector<Column>& columns, const BarMap::BarMeter& meter,
                          std::int32_t grid)
{
    const std::int64_t beat = meter.Beat();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        Column& column = columns[i];
        const std::int64_t room = meter.length - column.offset;
        const bool hasNext = i + 1 < columns.size();
        const std::int64_t distance = hasNext ? columns[i + 1].offset - column.offset : room;
        if (hasNext && note_values::IsTripletShaped(distance, grid)) {
            const std::int64_t exact = std::int64_t{note_values::TripletValue(distance)} * 2 / 3;
            column.length = static_cast<std::int32_t>(std::min(exact, room));
            continue;
        }
        const std::int64_t beatEnd =
            std::min<std::int64_t>(CeilTo(column.offset + column.length, beat), meter.length);
        column.length = static_cast<std::int32_t>(std::min(beatEnd - column.offset, distance));
    }
}

bool IsAligned(const Column& column, const BarMap::BarMeter& meter)
{
    const std::int64_t beat = meter.Beat();
    const std::int64_t written = note_values::TripletValue(column.length);
    if (written < beat)
        return column.offset % (2 * written) == 0;
    return column.offset % beat == 0 &&
           std::int64_t{meter.numerator} * beat >= 3 * std::int64_t{column.length};
}

// The triplets of one bar of the two-thirds run: runs of equal, contiguous columns of
// triplet shape starting at an aligned place, three at a time. Every note with a piece
// in one of them is taken in that bar.
std::vector<Column> FindTriplets(BarRecord& bar, std::int32_t grid, TakenSet& taken)
{
    std::vector<Column>& columns = bar.columns;
    SetTripletRunLengths(columns, bar.meter, grid);
    std::vector<bool> marked(columns.size(), false);
    bool open = false;
    int count = 0;
    std::int32_t written = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        const bool shaped = note_values::IsTripletShaped(column.length, grid);
        const std::int32_t value = note_values::TripletValue(column.length);
        if (open && shaped && value == written &&
            column.offset == columns[i - 1].offset + columns[i - 1].length) {
            ++count;
        } else {
            open = shaped && IsAligned(column, bar.meter);
            count = open ? 1 : 0;
            written = value;
        }
        if (open && count == 3) {
            marked[i] = marked[i - 1] = marked[i - 2] = true;
            count = 0;
        }
    }
    std::vector<Column> triplets;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (!marked[i])
            continue;
        columns[i].tuplet = 3;
        for (const Piece& piece : columns[i].pieces)
            taken.insert({piece.item, bar.bar});
        triplets.push_back(std::move(columns[i]));
    }
    return triplets;
}

// The lengths of one stretch [offset, offset + length) cut at lines `unit` apart (from
// the bar line) and joined again where that keeps a written value.
std::vector<std::pair<std::int64_t, std::int64_t>> CutAndJoin(std::int64_t offset,
                                                             std::int64_t length,
                                                             std::int64_t unit)
{
    std::vector<std::int64_t> parts;
    for (std::int64_t at = offset; at < offset + length;) {
        const std::int64_t next = std::min((at / unit + 1) * unit, offset + length);
        parts.push_back(next - at);
        at = next;
    }
    std::vector<std::pair<std::int64_t, std::int64_t>> placed;
    std::int64_t at = offset;
    for (std::int64_t part : note_values::JoinParts(parts, unit)) {
        placed.emplace_back(at, part);
        at += part;
    }
    return placed;
}

// The plain columns of one bar written as note values: each reaches the next plain
// column or the end of the beat it ends in, is cut at the beat-group and beat lines and
// joined again, and split into plain and dotted values of the grid. Columns that start
// with a triplet join it; the result is the bar's columns in order.
std::vector<Column> ShapeBar(std::vector<Column> plain, std::vector<Column> triplets,
                             const BarMap::BarMeter& meter, std::int32_t grid)
{
    const std::int64_t beat = meter.Beat();
    const std::int64_t group = meter.numerator % 3 == 0   ? 3 * beat
                               : meter.numerator % 2 == 0 ? 2 * beat
                                                          : beat;
    std::vector<Column> shaped;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const Column& column = plain[i];
        std::int64_t length =
            std::min<std::int64_t>(CeilTo(column.offset + column.length, beat), meter.length) -
            column.offset;
        if (i + 1 < plain.size())
            length = std::min<std::int64_t>(length, plain[i + 1].offset - column.offset);
        if (length <= 0)
            continue;
        for (const auto& [groupOffset, groupLength] : CutAndJoin(column.offset, length, group)) {
            for (const auto& [partOffset, partLength] : CutAndJoin(groupOffset, groupLength, beat)) {
                std::vector<std::int64_t> values;
                for (std::int64_t units : note_values::SplitUnits(partLength / grid))
                    values.push_back(units * grid);
                // What the grid does not divide is written in 128ths.
                for (std::int64_t units : note_values::SplitUnits(partLength % grid / 5040))
                    values.push_back(units * 5040);
                std::int64_t at = partOffset;
                for (std::int64_t value : values) {
                    Column piece;
                    piece.bar = column.bar;
                    piece.offset = static_cast<std::int32_t>(at);
                    piece.length = static_cast<std::int32_t>(value);
                    piece.pieces = column.pieces;
                    shaped.push_back(std::move(piece));
                    at += value;
                }
            }
        }
    }
    std::vector<Column> result = std::move(triplets);
    const std::size_t tripletCount = result.size();
    for (Column& column : shaped) {
        auto same = std::find_if(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(tripletCount),
                                 [&](const Column& t) { return t.offset == column.offset; });
        if (same != result.begin() + static_cast<std::ptrdiff_t>(tripletCount))
            same->pieces.insert(same->pieces.end(), column.pieces.begin(), column.pieces.end());
        else
            result.push_back(std::move(column));
    }
    std::stable_sort(result.begin(), result.end(),
                     [](const Column& a, const Column& b) { return a.offset < b.offset; });
    return result;
}

NoteRecord MakeRecord(const Column& column, const NoteItem& item)
{
    NoteRecord record;
    record.sequence = item.sequence;
    record.pitch = item.note;
    record.bar = column.bar;
    record.offset = column.offset;
    record.tuplet = column.tuplet;
    record.velocity = item.velocity;
    if (column.tuplet == 0) {
        const note_values::WrittenValue written = note_values::PlainValue(column.length);
        record.value = written.value;
        record.dotted = written.dotted;
    } else {
        record.value = note_values::TripletValue(column.length);
    }
    return record;
}

bool BySequence(const NoteRecord& a, const NoteRecord& b)
{
    if (a.sequence != b.sequence)
        return a.sequence < b.sequence;
    if (a.bar != b.bar)
        return a.bar < b.bar;
    if (a.offset != b.offset)
        return a.offset < b.offset;
    if (a.pitch != b.pitch)
        return a.pitch < b.pitch;
    return a.SoundingLength() < b.SoundingLength();
}

// The pieces of one MIDI note as tie chains. Where a piece ends before the next one
// starts (its column was cut short by another note), the gap is filled with notes of
// the values that the staff has there, so the tied note keeps sounding.
void AddTieChains(StaffData& staff, const std::vector<NoteRecord>& records, const BarMap& map)
{
    std::vector<NoteRecord> work = records;
    std::stable_sort(work.begin(), work.end(), BySequence);

    // The staff's notes by bar, in start order, for filling gaps.
    std::map<std::int32_t, std::vector<const NoteRecord*>> byBar;
    for (const NoteRecord& note : staff.GetNotes())
        byBar[note.bar].push_back(&note);
    for (auto& [bar, notes] : byBar) {
        std::stable_sort(notes.begin(), notes.end(),
                         [](const NoteRecord* a, const NoteRecord* b) { return a->offset < b->offset; });
    }

    for (std::size_t first = 0; first < work.size();) {
        std::size_t end = first + 1;
        while (end < work.size() && work[end].sequence == work[first].sequence)
            ++end;
        if (end - first >= 2) {
            TieChain chain;
            chain.notes.assign(work.begin() + static_cast<std::ptrdiff_t>(first),
                               work.begin() + static_cast<std::ptrdiff_t>(end));
            for (std::size_t k = first; k + 1 < end; ++k) {
                const NoteRecord& note = work[k];
                const NoteRecord& next = work[k + 1];
                const std::int64_t noteEnd = std::int64_t{note.offset} + note.SoundingLength();
                std::int64_t gap = std::int64_t{next.offset} - noteEnd;
                if (next.bar > note.bar)
                    gap += map.MeterOf(note.bar).length;
                if (gap <= 0)
                    continue;
                const auto found = byBar.find(note.bar);
                if (found == byBar.end())
                    continue;
                std::int64_t filled = 0;
                std::int64_t at = noteEnd;
                std::int64_t lastStart = -1;
                for (const NoteRecord* model : found->second) {
                    if (filled >= gap)
                        break;
                    if (model->offset < noteEnd || model->offset == lastStart)
                        continue;
                    lastStart = model->offset;
                    NoteRecord fill;
                    fill.sequence = note.sequence;
                    fill.pitch = note.pitch;
                    fill.bar = note.bar;
                    fill.offset = static_cast<std::int32_t>(at);
                    fill.value = model->value;
                    fill.dotted = model->dotted;
                    fill.tuplet = model->tuplet;
                    fill.velocity = 100;
                    chain.notes.push_back(fill);
                    at += model->SoundingLength();
                    filled += model->SoundingLength();
                }
            }
            std::stable_sort(chain.notes.begin(), chain.notes.end(), BySequence);
            staff.AddTieChain(chain);
        }
        first = end;
    }
}

// The tuplet groups: runs of equal, contiguous tuplet columns, 3 at most (6 for short
// notes), written when they hold a multiple of three columns.
void AddTupletGroups(StaffData& staff, const std::vector<const Column*>& columns,
                     const std::vector<std::vector<NoteRecord>>& recordsOf, const BarMap& map)
{
    std::vector<std::size_t> open;
    std::size_t limit = 3;
    auto write = [&]() {
        if (!open.empty() && open.size() % 3 == 0) {
            TupletGroup group;
            group.count = static_cast<std::int32_t>(open.size());
            for (std::size_t index : open)
                group.notes.insert(group.notes.end(), recordsOf[index].begin(), recordsOf[index].end());
            staff.AddTupletGroup(group);
        }
        open.clear();
    };
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = *columns[i];
        if (!open.empty()) {
            const Column& head = *columns[open.front()];
            const Column& previous = *columns[open.back()];
            if (column.tuplet >= 1 && column.length == head.length && column.bar == previous.bar &&
                column.offset == previous.offset + previous.length && open.size() < limit) {
                open.push_back(i);
                continue;
            }
            write();
        }
        if (column.tuplet >= 1 && column.length > 0) {
            open.push_back(i);
            const std::int64_t beat = map.MeterOf(column.bar).Beat();
            limit = beat / column.length < 6 ? 3 : 6;
        }
    }
    write();
}

}  // namespace

void StaffParserImpl::SetDivision(int fineDivision) { fineDivision_ = fineDivision; }

void StaffParserImpl::SetGrid(int grid)
{
    if (grid >= 5040 && grid <= 645120)
        grid_ = grid;
}

void StaffParserImpl::SetMeters(const std::vector<midi::MidiMeterRecord>& meters)
{
    meters_ = meters;
}

std::int64_t StaffParserImpl::PlainStep() const
{
    return std::int64_t{grid_} / 5040 * fineDivision_ / 32;
}

std::int64_t StaffParserImpl::TripletStep() const { return PlainStep() * 2 / 3; }

std::vector<StaffParserImpl::NoteItem> StaffParserImpl::PairNotes(
    const std::vector<midi::MidiEvent>& events, std::optional<std::int64_t> trackEnd)
{
    struct Pending {
        std::int64_t start = 0;
        std::int32_t velocity = 0;
        std::size_t order = 0;
    };
    std::array<std::deque<Pending>, 128> pending;
    std::vector<NoteItem> items;
    std::int32_t sequence = 0;
    std::int64_t lastTick = 0;
    std::size_t order = 0;
    for (const midi::MidiEvent& event : events) {
        if (event.tick < 0)
            continue;
        lastTick = std::max<std::int64_t>(lastTick, event.tick);
        const std::uint32_t kind = midi::StatusKind(event.message);
        const std::uint32_t note = midi::FirstData(event.message);
        const std::uint32_t velocity = midi::SecondData(event.message);
        if ((kind != midi::kNoteOn && kind != midi::kNoteOff) || note > 127 || velocity > 127)
            continue;
        if (kind == midi::kNoteOn && velocity > 0) {
            pending[note].push_back(Pending{event.tick, static_cast<std::int32_t>(velocity), order++});
            continue;
        }
        // A note-off without a sounding note of its key is passed over.
        if (pending[note].empty())
            continue;
        const Pending on = pending[note].front();
        pending[note].pop_front();
        const std::int64_t length = std::max<std::int64_t>(event.tick - on.start, 0);
        items.push_back(NoteItem{on.start * 32, length * 32, static_cast<std::int32_t>(note),
                                 on.velocity, sequence++});
    }

    // Notes still sounding end with their track.
    const std::int64_t end = std::max(trackEnd.value_or(lastTick), lastTick);
    std::vector<std::pair<Pending, std::int32_t>> unfinished;
    for (std::size_t note = 0; note < pending.size(); ++note) {
        for (const Pending& on : pending[note])
            unfinished.emplace_back(on, static_cast<std::int32_t>(note));
    }
    std::sort(unfinished.begin(), unfinished.end(),
              [](const auto& a, const auto& b) { return a.first.order < b.first.order; });
    for (const auto& [on, note] : unfinished)
        items.push_back(NoteItem{on.start * 32, (end - on.start) * 32, note, on.velocity, sequence++});

    std::stable_sort(items.begin(), items.end(),
                     [](const NoteItem& a, const NoteItem& b) { return a.start < b.start; });
    return items;
}

int StaffParserImpl::Parse(StaffData* staff, const std::vector<midi::MidiEvent>& events)
{
    if (staff == nullptr)
        return 0;
    const std::int64_t plainStep = PlainStep();
    const std::int64_t tripletStep = TripletStep();
    if (plainStep < 1 || tripletStep < 1 || !barMap_.Build(meters_, fineDivision_)) {
        barMap_ = BarMap();
        return 0;
    }
    const std::vector<NoteItem> items = PairNotes(events, trackEnd_);

    TakenSet taken;
    std::map<std::int32_t, std::vector<Column>> tripletBars;
    std::int32_t barCount = 0;
    if (tripletPass_ != 0 && !items.empty()) {
        Segmentation thirds = Segment(barMap_, items, tripletStep, taken);
        barCount = thirds.barCount;
        for (auto& [bar, record] : thirds.bars) {
            std::vector<Column> triplets = FindTriplets(record, grid_, taken);
            if (!triplets.empty())
                tripletBars.emplace(bar, std::move(triplets));
        }
    }
    Segmentation plainRun = Segment(barMap_, items, plainStep, taken);
    barCount = std::max(barCount, plainRun.barCount);

    std::map<std::int32_t, std::vector<Column>> finalBars;
    for (auto& [bar, record] : plainRun.bars) {
        std::vector<Column> triplets;
        if (auto found = tripletBars.find(bar); found != tripletBars.end()) {
            triplets = std::move(found->second);
            tripletBars.erase(found);
        }
        finalBars.emplace(bar, ShapeBar(std::move(record.columns), std::move(triplets), record.meter, grid_));
    }
    for (auto& [bar, triplets] : tripletBars)
        finalBars.emplace(bar, std::move(triplets));

    std::vector<const Column*> columns;
    std::vector<std::vector<NoteRecord>> recordsOf;
    std::vector<NoteRecord> records;
    for (const auto& [bar, barColumns] : finalBars) {
        for (const Column& column : barColumns) {
            std::vector<NoteRecord> ofColumn;
            for (const Piece& piece : column.pieces)
                ofColumn.push_back(MakeRecord(column, items[piece.item]));
            records.insert(records.end(), ofColumn.begin(), ofColumn.end());
            columns.push_back(&column);
            recordsOf.push_back(std::move(ofColumn));
        }
    }
    if (records.empty()) {
        barMap_ = BarMap();
        return 0;
    }
    for (const NoteRecord& record : records)
        staff->AddNote(record);
    AddTupletGroups(*staff, columns, recordsOf, barMap_);
    AddTieChains(*staff, records, barMap_);
    barMap_ = BarMap();
    return barCount;
}

void StaffParserImpl::Release() { delete this; }

}  // namespace tabulon

tabulon::StaffParser* create_staff_parser()
{
    return new (std::nothrow) tabulon::StaffParserImpl();
}
