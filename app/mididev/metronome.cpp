#include "app/mididev/metronome.h"

#include <algorithm>

namespace brindle {

namespace {

// The metronome whose tick this thread is in, so that Start and Stop called from a
// click do not wait for their own thread.
thread_local const Metronome* tickingMetronome = nullptr;

constexpr std::int32_t kMicrosecondsPerMinute = 60000000;
constexpr std::uint32_t kPercussionNoteOn = 0x99;

int DataByte(int value)
{
    return std::clamp(value, 0, 127);
}

}  // namespace

class Metronome::BeatForwarder final : public midi::BeatListener {
public:
    explicit BeatForwarder(Metronome& metronome) : metronome_(metronome) {}
    void OnBeat(int bar, int beat, int subdivision, int tick) override
    {
        metronome_.OnBeat(bar, beat, subdivision, tick);
    }

private:
    Metronome& metronome_;
};

Metronome::Metronome()
    : tempos_{{0, kMicrosecondsPerMinute / 100}},
      tempoMap_(std::make_unique<midi::TempoMap>()),
      beatTracker_(std::make_unique<midi::BeatTracker>())
{
}

Metronome::~Metronome() = default;

void Metronome::SetStartTick(int tick)
{
    std::lock_guard lock(controlMutex_);
    startTick_ = std::max(tick, 0);
}

void Metronome::SetTempo(int beatsPerMinute)
{
    if (beatsPerMinute <= 0)
        return;
    std::lock_guard lock(controlMutex_);
    tempos_ = {{0, kMicrosecondsPerMinute / beatsPerMinute}};
}

void Metronome::SetTempos(const std::vector<midi::MidiTempoRecord>& tempos)
{
    std::lock_guard lock(controlMutex_);
    tempos_ = tempos;
}

void Metronome::SetDivision(int division)
{
    std::lock_guard lock(controlMutex_);
    division_ = division;
}

void Metronome::SetMeters(const std::vector<midi::MidiMeterRecord>& meters)
{
    std::lock_guard lock(controlMutex_);
    meters_ = meters;
}

void Metronome::SetOutput(midi::MidiOutSink* output)
{
    output_ = output;
}

void Metronome::SetTimer(midi::PlayerClock* timer)
{
    timer_ = timer;
}

void Metronome::SetDownbeatSound(int note, int velocity)
{
    downbeatNote_ = DataByte(note);
    downbeatVelocity_ = DataByte(velocity);
}

void Metronome::SetBeatSound(int note, int velocity)
{
    beatNote_ = DataByte(note);
    beatVelocity_ = DataByte(velocity);
}

void Metronome::SetSpeed(int percent)
{
    pendingSpeed_ = std::clamp(percent, 0, kMaxSpeed);
    speedPending_ = true;
}

void Metronome::StopTimer()
{
    if (midi::PlayerClock* timer = timer_.load())
        timer->Stop();
}

void Metronome::Start()
{
    std::unique_lock lock(controlMutex_, std::defer_lock);
    if (tickingMetronome != this)
        lock.lock();
    StopTimer();
    // An invalid division leaves both maps at their defaults (120, 4/4), which the
    // ticks can still read.
    tempoMap_->Build(tempos_, division_);
    beatTracker_->Build(meters_, division_);
    beatTracker_->SetListener(std::make_shared<BeatForwarder>(*this), kBeatSubdivisions);
    anchorElapsed_ = 0;
    anchorSongTime_ = tempoMap_->TickToMicroseconds(startTick_);
    if (midi::PlayerClock* timer = timer_.load())
        timer->Start();
}

void Metronome::Stop()
{
    std::unique_lock lock(controlMutex_, std::defer_lock);
    if (tickingMetronome != this)
        lock.lock();
    StopTimer();
    anchorElapsed_ = 0;
    anchorSongTime_ = 0;
}

void Metronome::OnTick(int elapsed)
{
    const Metronome* outer = tickingMetronome;
    tickingMetronome = this;
    const std::int64_t elapsedTime = static_cast<std::int64_t>(elapsed) * 1000;
    const std::int64_t songTime = anchorSongTime_ + (elapsedTime - anchorElapsed_) * speed_ / 100;
    const int position = tempoMap_->MicrosecondsToTick(songTime);
    if (speedPending_.exchange(false)) {
        // This tick still ran at the old speed; the new one scales what follows.
        anchorElapsed_ = elapsedTime;
        anchorSongTime_ = songTime;
        speed_ = pendingSpeed_.load();
    }
    beatTracker_->Update(position);
    tickingMetronome = outer;
}

void Metronome::OnBeat(int, int beat, int subdivision, int)
{
    if (subdivision != 0)
        return;
    midi::MidiOutSink* output = output_.load();
    if (output == nullptr)
        return;
    const bool downbeat = beat == 0;
    const auto note = static_cast<std::uint32_t>(downbeat ? downbeatNote_.load() : beatNote_.load());
    const auto velocity =
        static_cast<std::uint32_t>(downbeat ? downbeatVelocity_.load() : beatVelocity_.load());
    output->SendShortMessage(kPercussionNoteOn + note * 256 + velocity * 65536);
}

}  // namespace brindle
