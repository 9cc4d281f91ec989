// The layout engine over a whole score: 4 parts, each bar a mix of plain notes, eighths
// with accidentals, triplets, sixteenths with lyrics and an empty bar, measured with the
// recording painter of the tests. BM_LayoutColumns/N lays out columns 0..N-1.
#include <memory>

#include <benchmark/benchmark.h>

#include "bench/benchmark_score.h"
#include "engine/layout/layout_engine.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"

namespace {

using namespace quaverly;
using bench::kParts;

std::shared_ptr<Score> MakeScore(int bars)
{
    auto score = std::make_shared<Score>();
    score->SetTimeSignature({0, 4, 4, 1});
    bench::AppendParts(*score, bars, bench::BarTies::None);
    return score;
}

void BM_LayoutColumns(benchmark::State& state)
{
    const int bars = static_cast<int>(state.range(0));
    const auto score = MakeScore(bars);
    fakes::FakePainter painter;
    LayoutColumnState request;
    request.painter = &painter;
    request.score = score;
    request.firstBar = 0;
    request.endBar = bars;
    for (auto _ : state) {
        LayoutScore(request);
        state.PauseTiming();
        painter.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * bars * kParts);
}
BENCHMARK(BM_LayoutColumns)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
