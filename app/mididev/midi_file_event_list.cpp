#include "app/mididev/midi_file_event_list.h"

#include <algorithm>

namespace brindle {

namespace {

constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kSysExStart = 0xF0;
constexpr std::int64_t kMaxTempo = 0xFFFFFF;

std::uint8_t LowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

void AppendVarLen(std::vector<std::uint8_t>& bytes, int value)
{
    const std::vector<std::uint8_t> encoded = EncodeVarLen(value);
    bytes.insert(bytes.end(), encoded.begin(), encoded.end());
}

bool IsSounding(const MidiFileEvent& event)
{
    return event.bytes.size() == 3 && (event.bytes[0] & 0xF0) == 0x90 && event.bytes[2] != 0;
}

}  // namespace

std::vector<std::uint8_t> EncodeVarLen(int value)
{
    std::uint32_t rest = static_cast<std::uint32_t>(std::clamp(value, 0, kMaxVarLen));
    std::vector<std::uint8_t> groups;
    do {
        groups.push_back(static_cast<std::uint8_t>(rest & 0x7F));
        rest >>= 7;
    } while (rest != 0);
    std::reverse(groups.begin(), groups.end());
    for (std::size_t i = 0; i + 1 < groups.size(); ++i)
        groups[i] |= 0x80;
    return groups;
}

int FloorLog2(int x)
{
    if (x < 1)
        return -1;
    int k = 0;
    while ((x >> 1) != 0) {
        x >>= 1;
        ++k;
    }
    return k;
}

void MidiFileEventList::Add(int tick, std::vector<std::uint8_t> bytes)
{
    events_.push_back({std::clamp(tick, 0, kMaxVarLen), std::move(bytes)});
}

void MidiFileEventList::AddMetaBytes(int tick, int type, const std::uint8_t* data, std::size_t length)
{
    length = std::min<std::size_t>(length, kMaxVarLen);
    std::vector<std::uint8_t> bytes{kMeta, static_cast<std::uint8_t>(type & 0x7F)};
    AppendVarLen(bytes, static_cast<int>(length));
    bytes.insert(bytes.end(), data, data + length);
    Add(tick, std::move(bytes));
}

void MidiFileEventList::AddMeta(const std::string& text, int type)
{
    AddMetaBytes(0, type, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

void MidiFileEventList::AddTimedMeta(const midi::MidiTextRecord& record, int type)
{
    AddMetaBytes(record.tick, type, reinterpret_cast<const std::uint8_t*>(record.text.data()),
                 record.text.size());
}

void MidiFileEventList::AddSequencerData(const midi::MidiByteRecord& record)
{
    AddMetaBytes(record.tick, 0x7F, record.bytes.data(), record.bytes.size());
}

void MidiFileEventList::AddTempo(const midi::MidiTempoRecord& record)
{
    if (record.microsecondsPerQuarter <= 0)
        return;
    const auto tempo = static_cast<std::uint32_t>(
        std::min<std::int64_t>(record.microsecondsPerQuarter, kMaxTempo));
    Add(record.tick, {kMeta, 0x51, 0x03, static_cast<std::uint8_t>(tempo >> 16),
                      static_cast<std::uint8_t>((tempo >> 8) & 0xFF),
                      static_cast<std::uint8_t>(tempo & 0xFF)});
}

void MidiFileEventList::AddTimeSignature(const midi::MidiMeterRecord& record)
{
    if (record.numerator < 1 || record.denominator < 1)
        return;
    Add(record.tick, {kMeta, 0x58, 0x04, LowByte(record.numerator),
                      LowByte(FloorLog2(record.denominator)), LowByte(record.clocksPerClick),
                      LowByte(record.thirtySecondsPerQuarter)});
}

void MidiFileEventList::AddKeySignature(const midi::MidiKeyRecord& record)
{
    Add(record.tick, {kMeta, 0x59, 0x02, LowByte(record.sharpsFlats), LowByte(record.minor)});
}

void MidiFileEventList::AddSysEx(const midi::MidiByteRecord& record)
{
    if (record.bytes.empty() || record.bytes.front() != kSysExStart)
        return;
    const std::size_t rest = std::min<std::size_t>(record.bytes.size() - 1, kMaxVarLen);
    std::vector<std::uint8_t> bytes{kSysExStart};
    AppendVarLen(bytes, static_cast<int>(rest));
    bytes.insert(bytes.end(), record.bytes.begin() + 1,
                 record.bytes.begin() + 1 + static_cast<std::ptrdiff_t>(rest));
    Add(record.tick, std::move(bytes));
}

void MidiFileEventList::AddChannelMessage(const midi::MidiEvent& event)
{
    const auto status = static_cast<std::uint8_t>(event.message & 0xFF);
    if (status < 0x80 || status >= 0xF0)
        return;
    const auto first = static_cast<std::uint8_t>((event.message >> 8) & 0x7F);
    const auto second = static_cast<std::uint8_t>((event.message >> 16) & 0x7F);
    const std::uint8_t kind = status & 0xF0;
    if (kind == 0xC0 || kind == 0xD0)
        Add(event.tick, {status, first});
    else
        Add(event.tick, {status, first, second});
}

void MidiFileEventList::SortByTick()
{
    std::stable_sort(events_.begin(), events_.end(), [](const MidiFileEvent& a, const MidiFileEvent& b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        return !IsSounding(a) && IsSounding(b);
    });
}

void MidiFileEventList::ToDeltas()
{
    int previous = 0;
    for (MidiFileEvent& event : events_) {
        const int tick = event.tick;
        event.tick = std::max(tick - previous, 0);
        previous = tick;
    }
}

}  // namespace brindle
