// A whole score laid out from scratch through the editor, measured by the program's own
// drawing device on an offscreen image: 4 parts of mixed note values (quarters, eighths
// with accidentals, triplets, sixteenths with lyrics, empty bars), ties across bars, a
// key change and a meter change. BM_FullLayout/N cuts N bars into lines and the lines
// into pages; "peak_rss_mb" is the peak resident memory of the process so far.
#include <sys/resource.h>

#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "bench/bench_application.h"
#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "engine/model/score.h"
#include "platform/qt_device_context.h"

namespace {

using namespace quaverly;

constexpr float kScreenScale = 2540.0f / 96.0f;  // 0.01 mm per pixel at 96 dpi

void EnsureApplication()
{
    bench::EnsureApplication<QGuiApplication>("bench_editor_layout");
}

// The score goes into the editor's own document root, with a meter change halfway and two
// key changes, and ties across bars.
void FillScore(Score& score, int bars)
{
    score.SetTimeSignature({0, 4, 4, 1});
    score.SetTimeSignature({bars / 2, 3, 4, 0});
    score.SetKeySignature({0, 0, 1});
    score.SetKeySignature({bars / 3, 2, 1});
    bench::AppendParts(score, bars, bench::BarTies::EveryFourthBar);
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_FullLayout(benchmark::State& state)
{
    EnsureApplication();
    const int bars = static_cast<int>(state.range(0));
    QImage image(800, 1100, QImage::Format_RGB32);
    platform::QtDeviceContext dc(&image);
    dc.SetMapMode(platform::MapMode::Isotropic);
    dc.SetWindowExt(platform::Size{static_cast<std::int32_t>(800 * kScreenScale),
                                   static_cast<std::int32_t>(1100 * kScreenScale)});
    dc.SetViewportExt(platform::Size{800, 1100});
    brindle::DrawResourceTable table;
    table.MeasureNoteSizes(dc, kScreenScale);
    brindle::GdiScorePainter painter;
    painter.SetDC(&dc);
    painter.SetResourceTable(&table);
    painter.SetScale(kScreenScale);
    painter.SetTransparentBackground();

    ScoreEditor* editor = static_cast<ScoreEditor*>(create_quaverly_editor());
    FillScore(*editor->score, bars);
    editor->SetPageContentSize(18500, 24700);
    for (auto _ : state) {
        state.PauseTiming();
        editor->layout->ClearChildren();
        editor->lines.clear();
        state.ResumeTiming();
        editor->RelayoutFrom(painter, 1, 1);
        editor->RepaginateFrom(painter, 0);
    }
    state.counters["lines"] = static_cast<double>(editor->lines.size());
    state.counters["pages"] = editor->layout->GetChildCount();
    state.counters["peak_rss_mb"] = PeakResidentMegabytes();
    api::DestroyEditor(editor);
}
BENCHMARK(BM_FullLayout)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
