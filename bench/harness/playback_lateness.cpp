// Playback timing under load: the 400-bar benchmark score, laid out by the score view's
// queued commands and built into a song by the program's playback builder, is played by
// the MIDI player on the program's 1 ms clock into a recording output for 10 s, while
// one busy thread per core loads the machine. Every note-on is compared with the time
// the song's tempo map gives its tick, counted from the clock's first tick; the report
// gives the lateness percentiles in milliseconds.
//
//   harness_playback_lateness [seconds] [bars]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>

#include "app/mididev/multimedia_timer.h"
#include "app/mididev/playback_builder.h"
#include "app/shell/document_loader.h"
#include "bench/bench_application.h"
#include "bench/bench_folder.h"
#include "bench/benchmark_document.h"
#include "bench/harness/harness_report.h"
#include "bench/laid_out_score_view.h"
#include "midi/midi_player.h"
#include "midi/midi_track.h"
#include "midi/tempo_map.h"

namespace {

using Clock = std::chrono::steady_clock;

bool IsNoteOn(std::uint32_t message)
{
    return (message & 0xF0) == 0x90 && ((message >> 16) & 0x7F) != 0;
}

// The output: every note-on with the time it arrived.
class RecordingOutput final : public midi::MidiOutSink {
public:
    struct Arrival {
        std::uint32_t message;
        std::int64_t nanoseconds;
    };
    RecordingOutput() { arrivals_.reserve(1 << 16); }
    void Reset() override {}
    void SendShortMessage(std::uint32_t message) override
    {
        if (!IsNoteOn(message))
            return;
        const std::int64_t now = brindle::MultimediaTimer::MonotonicNanoseconds();
        std::lock_guard lock(mutex_);
        arrivals_.push_back({message, now});
    }
    void SendLongMessage(const std::uint8_t*, std::uint32_t) override {}
    std::vector<Arrival> Arrivals()
    {
        std::lock_guard lock(mutex_);
        return arrivals_;
    }

private:
    std::mutex mutex_;
    std::vector<Arrival> arrivals_;
};

// Between the clock and the player: notes the time of the first tick, the time 0 of the
// schedule.
class FirstTickWatch final : public midi::ClockTarget {
public:
    explicit FirstTickWatch(midi::MidiPlayer& player) : player_(player) {}
    void OnTick(int elapsed) override
    {
        if (elapsed == 0 && origin_.load() == 0)
            origin_ = brindle::MultimediaTimer::MonotonicNanoseconds();
        player_.Tick(elapsed);
    }
    std::int64_t Origin() const { return origin_.load(); }

private:
    midi::MidiPlayer& player_;
    std::atomic<std::int64_t> origin_{0};
};

// When every note-on of the song is due, in microseconds from the start, by message.
std::map<std::uint32_t, std::vector<std::int64_t>> Schedule(midi::MidiData& song)
{
    midi::TempoMap tempos;
    tempos.Build(song.GetTempos(), song.GetDivision());
    std::map<std::uint32_t, std::vector<std::int64_t>> due;
    for (const int id : song.GetTrackIds()) {
        const midi::MidiTrack* track = song.GetTrack(id);
        if (track == nullptr)
            continue;
        for (const midi::MidiEvent& event : track->GetEvents()) {
            if (IsNoteOn(event.message))
                due[event.message].push_back(tempos.TickToMicroseconds(event.tick));
        }
    }
    for (auto& [message, times] : due)
        std::stable_sort(times.begin(), times.end());
    return due;
}

}  // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int bars = argc > 2 ? std::max(1, std::atoi(argv[2])) : 400;
    bench::EnsureApplication<QApplication>("harness_playback_lateness");

    const bench::BenchFolder folder("brindle-playback-harness");
    const auto document = folder / "score.exl";
    if (!bench::SaveBenchmarkDocument(document, bars)) {
        std::fprintf(stderr, "the benchmark score was not saved\n");
        return 1;
    }
    bench::LaidOutDocument laidOut;
    if (!laidOut.Open(document)) {
        std::fprintf(stderr, "the benchmark score did not open\n");
        return 1;
    }
    midi::MidiData* song = create_midi_data();
    {
        const brindle::ScoreDataPtr score = brindle::ExportScore(*laidOut.editor);
        brindle::PlaybackBuilder builder;
        builder.SetMidiData(song);
        builder.SetScoreData(score.get());
        builder.Build();
    }
    auto due = Schedule(*song);

    RecordingOutput output;
    midi::MidiPlayer* player = create_midi_player();
    FirstTickWatch watch(*player);
    brindle::MultimediaTimer timer(&watch);
    player->SetClock(&timer);
    player->SetOutput(&output);
    player->SetMidiData(song);

    // One busy thread per core for the whole run.
    std::atomic<bool> loading{true};
    std::vector<std::thread> load;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < cores; ++i) {
        load.emplace_back([&loading] {
            volatile std::uint64_t x = 1;
            while (loading.load(std::memory_order_relaxed))
                x = x * 6364136223846793005ULL + 1442695040888963407ULL;
        });
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    player->Start();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    player->Reset();
    loading = false;
    for (std::thread& thread : load)
        thread.join();

    // Each arrival takes the earliest unclaimed time of its message.
    const std::int64_t origin = watch.Origin();
    std::map<std::uint32_t, std::size_t> claimed;
    std::vector<double> lateness;
    for (const RecordingOutput::Arrival& arrival : output.Arrivals()) {
        auto& times = due[arrival.message];
        std::size_t& next = claimed[arrival.message];
        if (next >= times.size())
            continue;
        const std::int64_t scheduled = times[next++];
        lateness.push_back(static_cast<double>(arrival.nanoseconds - origin) / 1.0e6 -
                           static_cast<double>(scheduled) / 1000.0);
    }
    player->SetOutput(nullptr);
    player->Release();
    song->Release();

    if (lateness.empty()) {
        std::fprintf(stderr, "no note was played\n");
        return 1;
    }
    const bench::Percentiles p = bench::Percentiles::Of(lateness);
    std::printf("playback lateness, %d bars, %d s under %u busy threads: %zu note-ons, "
                "median %.3f ms, p99 %.3f ms, max %.3f ms, last %.3f ms\n",
                bars, seconds, cores, lateness.size(), p.median, p.p99, p.max,
                lateness.back());
    bench::WriteFigure("playback_lateness_p99_ms", p.p99);
    bench::WriteFigure("playback_lateness_max_ms", p.max);
    return 0;
}
