#include "midi/midi_player_impl.h"

#include <algorithm>
#include <new>
#include <utility>

namespace midi {

namespace {

constexpr std::uint32_t kResetAllControllers = 121;
constexpr std::uint32_t kExpression = 11;
constexpr int kInitialExpression = 100;

std::uint32_t ControlChange(int channel, std::uint32_t controller, std::uint32_t value)
{
    return kControlChange + static_cast<std::uint32_t>(channel) + (controller << 8) +
           (value << 16);
}

// value * percent / 100 within the range of a data byte.
std::uint32_t ScaledDataByte(std::int64_t value, std::int64_t percent)
{
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(value * percent / 100, 0, 127));
}

}  // namespace

// Reports every new (bar, beat, subdivision) of the played position.
class MidiPlayerImpl::PositionReporter final : public BeatListener {
public:
    explicit PositionReporter(MidiPlayerImpl& player) : player_(player) {}
    ~PositionReporter() = default;

    void OnBeat(int bar, int beat, int subdivision, int tick) override
    {
        // Packed modulo 2^32, as the report's field holds it.
        const std::uint32_t packed = static_cast<std::uint32_t>(bar) * 65536u +
                                     static_cast<std::uint32_t>(beat) * 256u +
                                     static_cast<std::uint32_t>(subdivision);
        player_.Queue({kPlayerPosition, static_cast<std::int32_t>(packed), tick});
    }

private:
    MidiPlayerImpl& player_;
};

MidiPlayerImpl::MidiPlayerImpl() { expression_.fill(kInitialExpression); }

void MidiPlayerImpl::SetClock(PlayerClock* clock) { clock_ = clock; }
void MidiPlayerImpl::SetOutput(MidiOutSink* output) { output_ = output; }

void MidiPlayerImpl::SetMidiData(MidiData* song)
{
    std::lock_guard lock(mutex_);
    song_ = song;
}

void MidiPlayerImpl::SetListener(PlayerListener* listener) { listener_ = listener; }

bool MidiPlayerImpl::IsPlaying() const { return playing_; }

void MidiPlayerImpl::SetStartPosition(int tick)
{
    std::lock_guard lock(mutex_);
    startPosition_ = tick;
}

void MidiPlayerImpl::SetTrackOptions(int trackId, const TrackOptions* options)
{
    if (options == nullptr)
        return;
    std::lock_guard lock(mutex_);
    trackOptions_[trackId] = *options;
}

void MidiPlayerImpl::SetBeatSubdivisions(int subdivisions)
{
    std::lock_guard lock(mutex_);
    beatSubdivisions_ = subdivisions;
}

void MidiPlayerImpl::SetSpeed(int percent)
{
    // The value first, then the flag the next tick looks at.
    pendingSpeed_ = std::clamp(percent, 0, kMaxSpeed);
    speedChangePending_ = true;
}

void MidiPlayerImpl::SetVolume(int percent)
{
    std::lock_guard lock(mutex_);
    volume_ = std::max(percent, 0);
    SendExpression();
}

void MidiPlayerImpl::Release() { delete this; }

void MidiPlayerImpl::Start()
{
    Reports reports;
    {
        std::lock_guard lock(mutex_);
        if (playing_)
            return;
        // Cursors of an earlier song are dropped even when there is no song now: they
        // would read vectors that may be gone.
        trackCursors_.clear();
        sysExCursor_.reset();
        if (MidiData* song = song_.load())
            Prepare(*song);

        for (int channel = 0; channel < kChannels; ++channel)
            SendShort(ControlChange(channel, kResetAllControllers, 0));
        SendExpression();

        if (startPosition_ != 0) {
            for (const auto& cursor : trackCursors_)
                cursor->Seek(startPosition_);
            if (sysExCursor_)
                sysExCursor_->Seek(startPosition_);
        }
        // Playing time begins at the time of the start position under the song's
        // tempos, so a start after a tempo change plays at the tempo in force there.
        anchorElapsed_ = 0;
        anchorSongTime_ = tempoMap_.TickToMicroseconds(startPosition_);
        playing_ = true;
        reports = TakeReports();
    }
    Deliver(reports);
    // Reported before the clock runs, so that no report of its first ticks can reach the
    // listener ahead of it.
    Report({kPlayerStarted, 0, 0});
    if (PlayerClock* clock = clock_.load())
        clock->Start();
}

void MidiPlayerImpl::Prepare(MidiData& song)
{
    tempoMap_.Build(song.GetTempos(), song.GetDivision());
    beatTracker_.Build(song.GetMeters(), song.GetDivision());
    for (const int id : song.GetTrackIds()) {
        const MidiTrack* track = song.GetTrack(id);
        if (track == nullptr)
            continue;
        trackCursors_.push_back(std::make_shared<TrackCursor>(
            track->GetEvents(), [this, id](const MidiEvent& event) { OnTrackEvent(id, event); }));
    }
    sysExCursor_ = std::make_shared<SysExCursor>(
        song.GetSysExRecords(), [this](const MidiByteRecord& record) {
            MidiOutSink* output = output_.load();
            if (output != nullptr && !record.bytes.empty())
                output->SendLongMessage(record.bytes.data(),
                                        static_cast<std::uint32_t>(record.bytes.size()));
        });
    beatTracker_.SetListener(std::make_shared<PositionReporter>(*this), beatSubdivisions_);
}

void MidiPlayerImpl::OnTick(int milliseconds)
{
    bool finished = false;
    Reports reports;
    {
        std::lock_guard lock(mutex_);
        // A tick that arrives after Reset finds nothing to play.
        if (!playing_)
            return;
        const std::int64_t elapsed = static_cast<std::int64_t>(milliseconds) * 1000;
        const std::int64_t songTime =
            anchorSongTime_ + (elapsed - anchorElapsed_) * speed_ / 100;
        const int played = tempoMap_.MicrosecondsToTick(songTime);
        if (speedChangePending_.exchange(false)) {
            // This tick still played at the old speed; the new one scales what follows.
            anchorElapsed_ = elapsed;
            anchorSongTime_ = songTime;
            speed_ = pendingSpeed_;
        }
        if (sysExCursor_)
            sysExCursor_->Advance(played);
        bool eventsLeft = false;
        for (const auto& cursor : trackCursors_) {
            if (cursor->Advance(played))
                eventsLeft = true;
        }
        beatTracker_.Update(played);
        finished = !eventsLeft;
        if (!reports_.empty())
            reports = TakeReports();
    }
    if (!reports.empty()) {
        Deliver(reports);
        Recycle(std::move(reports));
    }
    if (finished) {
        Report({kPlayerEndReached, 0, 0});
        Reset();
    }
}

void MidiPlayerImpl::Pause(bool paused)
{
    if (PlayerClock* clock = clock_.load())
        clock->SetPaused(paused);
    Reports reports;
    {
        std::lock_guard lock(mutex_);
        // A stopped player has nothing sounding: resuming it must strike nothing.
        if (playing_) {
            for (const auto& cursor : trackCursors_)
                cursor->Pause(paused);
        }
        reports = TakeReports();
    }
    Deliver(reports);
    Report({kPlayerPauseChanged, paused ? 1 : 0, 0});
}

void MidiPlayerImpl::Reset()
{
    // Stopping may wait for a tick in progress, which takes the lock: not held here.
    if (PlayerClock* clock = clock_.load())
        clock->Stop();
    Reports reports;
    {
        std::lock_guard lock(mutex_);
        for (const auto& cursor : trackCursors_)
            cursor->Silence();
        startPosition_ = 0;
        anchorElapsed_ = 0;
        anchorSongTime_ = 0;
        playing_ = false;
        expression_.fill(kInitialExpression);
        reports = TakeReports();
    }
    Deliver(reports);
    Report({kPlayerReset, 0, 0});
}

void MidiPlayerImpl::SendShort(std::uint32_t message)
{
    if (MidiOutSink* output = output_.load())
        output->SendShortMessage(message);
}

void MidiPlayerImpl::SendExpression()
{
    for (int channel = 0; channel < kChannels; ++channel) {
        SendShort(ControlChange(channel, kExpression,
                                ScaledDataByte(expression_[static_cast<std::size_t>(channel)],
                                               volume_)));
    }
}

void MidiPlayerImpl::OnTrackEvent(int trackId, const MidiEvent& event)
{
    const TrackOptions& options = trackOptions_.try_emplace(trackId).first->second;
    const std::uint32_t message = event.message;
    // A muted track still releases its notes.
    const bool noteRelease = (message & 0xFF00F0u) == kNoteOn;
    if (options.play || noteRelease) {
        if ((message & 0xFFF0u) == ((kExpression << 8) | kControlChange)) {
            const std::uint32_t value = SecondData(message);
            expression_[Channel(message)] = static_cast<int>(value);
            SendShort((message & 0xFF00FFFFu) | (ScaledDataByte(value, volume_) << 16));
        } else {
            SendShort(message);
        }
    }
    const std::uint32_t kind = StatusKind(message);
    if (options.echo && (kind == kNoteOn || kind == kNoteOff))
        Queue({kPlayerNoteEcho, static_cast<std::int32_t>(message), event.tick});
}

void MidiPlayerImpl::Queue(PlayerEvent event) { reports_.push_back(event); }

MidiPlayerImpl::Reports MidiPlayerImpl::TakeReports()
{
    Reports taken = std::move(spare_);
    spare_ = Reports();
    taken.clear();
    taken.swap(reports_);
    return taken;
}

void MidiPlayerImpl::Recycle(Reports&& delivered)
{
    delivered.clear();
    std::lock_guard lock(mutex_);
    if (delivered.capacity() > spare_.capacity())
        spare_.swap(delivered);
}

void MidiPlayerImpl::Deliver(const Reports& reports)
{
    for (const PlayerEvent& event : reports)
        Report(event);
}

void MidiPlayerImpl::Report(PlayerEvent event)
{
    if (PlayerListener* listener = listener_.load())
        listener->OnPlayerEvent(&event);
}

}  // namespace midi

midi::MidiPlayer* create_midi_player()
{
    return new (std::nothrow) midi::MidiPlayerImpl();
}
