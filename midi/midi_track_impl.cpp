#include "midi/midi_track_impl.h"

#include <algorithm>

#include "midi/record_list.h"

namespace midi {

namespace {

bool IsProgramOrControlChange(const MidiEvent& event)
{
    const std::uint32_t kind = StatusKind(event.message);
    return kind == kProgramChange || kind == kControlChange;
}

bool IsNoteOn(const MidiEvent& event) { return StatusKind(event.message) == kNoteOn; }

}  // namespace

void SortEventsForPlaying(std::vector<MidiEvent>& events)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    auto group = events.begin();
    while (group != events.end()) {
        const auto groupEnd = std::find_if(group, events.end(), [&](const MidiEvent& e) {
            return e.tick != group->tick;
        });
        const auto firstNoteOn = std::find_if(group, groupEnd, IsNoteOn);
        if (firstNoteOn != groupEnd)
            std::stable_partition(firstNoteOn, groupEnd, IsProgramOrControlChange);
        group = groupEnd;
    }
}

const std::vector<MidiEvent>& MidiTrackImpl::GetEvents() const { return events_; }

bool MidiTrackImpl::AddEvents(const std::vector<MidiEvent>& events)
{
    events_.insert(events_.end(), events.begin(), events.end());
    SortEventsForPlaying(events_);
    return true;
}

bool MidiTrackImpl::RemoveEvents(const std::vector<MidiEvent>& events)
{
    for (const MidiEvent& gone : events) {
        detail::RemoveMatching(events_, [&](const MidiEvent& stored) {
            return stored.tick == gone.tick &&
                   (stored.message & 0xFFF0u) == (gone.message & 0xFFF0u);
        });
    }
    return true;
}

std::string MidiTrackImpl::GetName() const { return name_; }
void MidiTrackImpl::SetName(const std::string& name) { name_ = name; }
std::string MidiTrackImpl::GetSecondName() const { return secondName_; }
void MidiTrackImpl::SetSecondName(const std::string& name) { secondName_ = name; }

const std::vector<MidiTextRecord>& MidiTrackImpl::GetLyrics() const { return lyrics_; }

bool MidiTrackImpl::AddLyric(const MidiTextRecord& lyric)
{
    detail::AddSorted(lyrics_, lyric);
    return true;
}

bool MidiTrackImpl::RemoveLyric(const MidiTextRecord& lyric)
{
    detail::RemoveAtTick(lyrics_, lyric);
    return true;
}

const std::vector<MidiByteRecord>& MidiTrackImpl::GetSequencerData() const
{
    return sequencerData_;
}

bool MidiTrackImpl::AddSequencerData(const MidiByteRecord& data)
{
    detail::AddSorted(sequencerData_, data);
    return true;
}

bool MidiTrackImpl::RemoveSequencerData(const MidiByteRecord& data)
{
    detail::RemoveAtTick(sequencerData_, data);
    return true;
}

const std::vector<MidiTextRecord>& MidiTrackImpl::GetTexts() const { return texts_; }

bool MidiTrackImpl::AddText(const MidiTextRecord& text)
{
    detail::AddSorted(texts_, text);
    return true;
}

bool MidiTrackImpl::RemoveText(const MidiTextRecord& text)
{
    detail::RemoveAtTick(texts_, text);
    return true;
}

void MidiTrackImpl::Clear()
{
    name_.clear();
    secondName_.clear();
    lyrics_.clear();
    sequencerData_.clear();
    texts_.clear();
    events_.clear();
}

}  // namespace midi
