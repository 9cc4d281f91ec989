// One laid-out page of the 400-bar benchmark score drawn by the score view through the
// Qt backend: BM_ScoreViewPageImage renders the view's page picture (the queued-command
// pass and the drawing pass at the normal zoom, 1.25), BM_ScoreViewPagePdf prints the
// first page into a PDF held in memory. The score (4 parts of mixed note values, ties, a
// key and a meter change) is laid out once before timing.
#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>

#include "bench/bench_application.h"
#include "bench/laid_out_score_view.h"
#include "engine/editor/score_editor.h"

namespace {

using namespace quaverly;

constexpr int kBars = 400;

void EnsureApplication()
{
    bench::EnsureApplication<QApplication>("bench_score_view_page");
}

using LaidOutView = bench::LaidOutScoreView;

LaidOutView& Shared()
{
    EnsureApplication();
    static LaidOutView* shared = new LaidOutView(kBars);  // left to the end of the process
    return *shared;
}

void BM_ScoreViewPageImage(benchmark::State& state)
{
    LaidOutView& laid = Shared();
    for (auto _ : state) {
        laid.view->RequestPageRender();
        laid.view->RenderPageBitmap();
    }
    state.counters["pages"] = laid.editor->layout->GetChildCount();
}
BENCHMARK(BM_ScoreViewPageImage)->Unit(benchmark::kMillisecond);

void BM_ScoreViewPagePdf(benchmark::State& state)
{
    LaidOutView& laid = Shared();
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            benchmark::DoNotOptimize(laid.view->PrintPages(writer, 1, 1));
        }
        state.counters["pdf_kb"] = static_cast<double>(buffer.size()) / 1024.0;
    }
}
BENCHMARK(BM_ScoreViewPagePdf)->Unit(benchmark::kMillisecond);

}  // namespace
