#include "app/mididev/midi_file_writer.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

#include "app/mididev/playback_builder.h"

namespace brindle {

namespace {

constexpr std::uint8_t kEndOfTrack[] = {0x00, 0xFF, 0x2F, 0x00};
// A division with the top bit set would mean SMPTE frames.
constexpr int kMaxDivision = 0x7FFF;
constexpr std::size_t kMaxTrackChunks = 0xFFFF;

bool WriteBytes(ByteStream& stream, std::initializer_list<std::uint8_t> bytes)
{
    const std::vector<char> data(bytes.begin(), bytes.end());
    return stream.Write(data.data(), static_cast<int>(data.size()));
}

}  // namespace

bool MidiFileWriter::Write()
{
    if (midiData_ == nullptr || stream_ == nullptr)
        return false;
    if (!stream_->Open())
        return false;
    if (!WriteHeader() || !WriteConductorTrack())
        return false;
    for (const int id : midiData_->GetTrackIds()) {
        const midi::MidiTrack* track = midiData_->GetTrack(id);
        if (track != nullptr && !WriteTrack(*track))
            return false;
    }
    return true;
}

bool MidiFileWriter::WriteHeader()
{
    const std::vector<int> ids = midiData_->GetTrackIds();
    const std::size_t chunks =
        1 + static_cast<std::size_t>(std::count_if(ids.begin(), ids.end(), [&](int id) {
            return midiData_->GetTrack(id) != nullptr;
        }));
    const int division = midiData_->GetDivision();
    if (chunks > kMaxTrackChunks || division < 1 || division > kMaxDivision)
        return false;
    return stream_->Write("MThd", 4) && WriteBytes(*stream_, {0, 0, 0, 6}) &&
           WriteBytes(*stream_, {0, 1}) &&
           WriteBytes(*stream_, {static_cast<std::uint8_t>(chunks >> 8),
                                 static_cast<std::uint8_t>(chunks & 0xFF)}) &&
           WriteBytes(*stream_, {static_cast<std::uint8_t>(division >> 8),
                                 static_cast<std::uint8_t>(division & 0xFF)});
}

bool MidiFileWriter::WriteConductorTrack()
{
    MidiFileEventList events;
    events.AddMeta(midiData_->GetText(), 0x01);
    events.AddMeta(midiData_->GetCopyright(), 0x02);
    events.AddMeta(midiData_->GetSequenceName(), 0x03);
    for (const midi::MidiTextRecord& marker : midiData_->GetMarkers())
        events.AddTimedMeta(marker, 0x06);
    for (const midi::MidiTextRecord& cuePoint : midiData_->GetCuePoints())
        events.AddTimedMeta(cuePoint, 0x07);
    const std::vector<midi::MidiTempoRecord>& tempos = midiData_->GetTempos();
    const bool tempoAtStart = std::any_of(tempos.begin(), tempos.end(), [](const midi::MidiTempoRecord& t) {
        return t.tick <= 0 && t.microsecondsPerQuarter > 0;
    });
    if (!tempoAtStart)
        events.AddTempo({0, kDefaultMicrosecondsPerQuarter});
    for (const midi::MidiTempoRecord& tempo : tempos)
        events.AddTempo(tempo);
    for (const midi::MidiMeterRecord& meter : midiData_->GetMeters())
        events.AddTimeSignature(meter);
    for (const midi::MidiKeyRecord& key : midiData_->GetKeys())
        events.AddKeySignature(key);
    for (const midi::MidiByteRecord& sysEx : midiData_->GetSysExRecords())
        events.AddSysEx(sysEx);
    return WriteChunk(events);
}

bool MidiFileWriter::WriteTrack(const midi::MidiTrack& track)
{
    MidiFileEventList events;
    for (const midi::MidiTextRecord& text : track.GetTexts())
        events.AddTimedMeta(text, 0x01);
    for (const midi::MidiTextRecord& lyric : track.GetLyrics())
        events.AddTimedMeta(lyric, 0x05);
    for (const midi::MidiByteRecord& data : track.GetSequencerData())
        events.AddSequencerData(data);
    for (const midi::MidiEvent& event : track.GetEvents())
        events.AddChannelMessage(event);
    return WriteChunk(events);
}

bool MidiFileWriter::WriteChunk(MidiFileEventList& events)
{
    events.SortByTick();
    events.ToDeltas();
    ChunkBuffer chunk;
    chunk.SetId("MTrk");
    chunk.Begin();
    for (const MidiFileEvent& event : events.Events()) {
        chunk.Append(EncodeVarLen(event.tick));
        chunk.Append(event.bytes);
    }
    chunk.Append(kEndOfTrack, sizeof kEndOfTrack);
    chunk.Finish();
    const std::vector<char>& data = chunk.Data();
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return false;
    return stream_->Write(data.data(), static_cast<int>(data.size()));
}

}  // namespace brindle
