#include "midi/track_cursor.h"

#include <utility>

namespace midi {

namespace {

constexpr std::uint32_t kNoteKeyMask = 0xFF0F;       // channel and note number
constexpr std::uint32_t kVelocityMask = 0xFF0000;

}  // namespace

TrackCursor::TrackCursor(const std::vector<MidiEvent>& events, Callback callback)
    : events_(events), callback_(std::move(callback))
{
}

bool TrackCursor::Advance(int tick)
{
    const auto size = static_cast<std::ptrdiff_t>(events_.size());
    while (index_ + 1 < size && events_[static_cast<std::size_t>(index_ + 1)].tick <= tick) {
        ++index_;
        const MidiEvent event = events_[static_cast<std::size_t>(index_)];
        const std::uint32_t kind = StatusKind(event.message);
        if (kind == kNoteOn && SecondData(event.message) != 0)
            heldNotes_[event.message & kNoteKeyMask] = event;
        else if (kind == kNoteOn || kind == kNoteOff)
            heldNotes_.erase(event.message & kNoteKeyMask);
        callback_(event);
    }
    return HasEventsLeft();
}

bool TrackCursor::HasEventsLeft() const
{
    return index_ + 1 < static_cast<std::ptrdiff_t>(events_.size());
}

void TrackCursor::Seek(int tick)
{
    if (!events_.empty() && events_.back().tick < tick) {
        index_ = static_cast<std::ptrdiff_t>(events_.size()) - 1;
        return;
    }
    std::map<std::uint32_t, MidiEvent> programs;  // by status byte
    std::map<std::uint32_t, MidiEvent> controls;  // by controller * 256 + status byte
    std::size_t next = 0;
    for (; next < events_.size() && events_[next].tick < tick; ++next) {
        const MidiEvent& event = events_[next];
        const std::uint32_t kind = StatusKind(event.message);
        if (kind == kProgramChange)
            programs[event.message & 0xFF] = event;
        else if (kind == kControlChange)
            controls[FirstData(event.message) * 256 + (event.message & 0xFF)] = event;
    }
    index_ = static_cast<std::ptrdiff_t>(next) - 1;
    for (const auto& [status, event] : programs)
        callback_(event);
    for (const auto& [key, event] : controls)
        callback_(event);
}

void TrackCursor::Pause(bool paused)
{
    for (const auto& [key, event] : heldNotes_) {
        if (paused)
            callback_({event.tick, event.message & ~kVelocityMask});
        else
            callback_(event);
    }
}

}  // namespace midi
