// Saving and loading a score document: a 4-part score of N bars with four notes in every
// bar (each with a lyric, the last one with a staccato), a time signature in the first
// bar, a bar number, a line break and a dynamics mark every four bars, a slur every two
// bars and a tie every eight, built in code, written to a temporary file and read back.
//
//     build/bin/bench_xml_documents --benchmark_filter='BM_(Save|Load)Score'
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_symbol_factory.h"
#include "engine/model/part.h"
#include "engine/model/part_group.h"
#include "engine/model/score.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "bench/bench_folder.h"
#include "engine/xml/music_xml_file.h"

namespace {

namespace fs = std::filesystem;
using namespace quaverly;

constexpr int kParts = 4;
constexpr int kNotesPerBar = 4;
constexpr int kQuarter = 161280;

std::shared_ptr<Score> MakeScore(int bars)
{
    auto score = std::make_shared<Score>();
    score->SetTitle(u"基准乐谱");
    score->SetComposer(u"作曲");
    score->SetPoet(u"作词");
    for (int p = 0; p < kParts; ++p) {
        auto part = std::make_shared<Part>();
        part->SetName(u"声部" + std::u16string(1, static_cast<char16_t>(u'一' + p)));
        part->SetInstrumentName(u"钢琴");
        part->SetChannel(p);
        for (int b = 0; b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            if (b == 0) {
                auto time = std::make_shared<TimeSignature>();
                time->SetValue({0, 4, 4, 0});
                bar->SetTimeSignature(time);
                score->SetTimeSignature({0, 4, 4, 0});
            }
            if (b % 4 == 0)
                bar->SetDecorator(std::make_shared<Decorator>());
            for (int n = 0; n < kNotesPerBar; ++n) {
                auto note = CreateNote(2 + (b + n + p) % 7);
                note->SetStartTime(n * kQuarter);
                note->SetOctave((n + p) % 3 - 1);
                note->SetLyricText(0, n % 2 == 0 ? u"月-" : u"亮");
                if (n == kNotesPerBar - 1)
                    note->AddOrnament(CreateNoteSymbol(3));
                bar->AddNote(note);
            }
            if (b % 4 == 0) {
                auto mark = std::make_shared<DynamicMark>();
                mark->SetDynamicsCode(14);
                bar->AddDirection(mark);
            }
            if (b % 2 == 0) {
                auto slur = CreateLineMark(line_mark_kind::kSmoothSlur);
                slur->SetBar(b);
                slur->SetDuration(3 * kQuarter);
                part->AddLineMark(slur);
            }
            if (b % 8 == 1) {
                const auto previous = std::dynamic_pointer_cast<Bar>(part->GetChild(b - 1));
                auto tie = std::make_shared<Tie>();
                tie->SetStart({previous, previous->GetNotes().back()});
                tie->SetEnd({bar, bar->GetNotes().front()});
                part->AddTie(tie);
            }
            part->AppendChild(bar);
        }
        auto container = std::make_shared<ContainerElement>();
        container->AppendChild(part);
        score->AppendChild(container);
    }
    for (int b = 4; b < bars; b += 4)
        score->GetLineBreaks().insert(b);
    auto brace = std::make_shared<PartGroup>();
    brace->SetFirstPart(2);
    brace->SetLastPart(3);
    score->AddPartGroup(brace);
    return score;
}

void SetDtd()
{
    MusicXmlFile::SetDtdFile(fs::path(BRINDLE_DATA_DIR) / "dtd" / "partwise.dtd");
}

void BM_SaveScore(benchmark::State& state)
{
    SetDtd();
    const bench::BenchFolder folder;
    const fs::path path = folder / "bench.exl";
    const std::shared_ptr<Score> score = MakeScore(static_cast<int>(state.range(0)));
    MusicXmlFile file;
    file.SetScore(score.get());
    for (auto _ : state) {
        if (!file.Save(path)) {
            state.SkipWithError(file.GetError().c_str());
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_SaveScore)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_LoadScore(benchmark::State& state)
{
    SetDtd();
    const bench::BenchFolder folder;
    const fs::path path = folder / "bench.exl";
    {
        const std::shared_ptr<Score> score = MakeScore(static_cast<int>(state.range(0)));
        MusicXmlFile file;
        file.SetScore(score.get());
        if (!file.Save(path)) {
            state.SkipWithError(file.GetError().c_str());
            return;
        }
    }
    auto loaded = std::make_shared<Score>();
    MusicXmlFile file;
    file.SetScore(loaded.get());
    for (auto _ : state) {
        if (!file.Load(path)) {
            state.SkipWithError(file.GetError().c_str());
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_LoadScore)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
