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

#include "app/painter/gdi_score_painter.h"
#include "app/shell/brindle_view.h"
#include "bench/bench_application.h"
#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "engine/model/score.h"
#include "platform/qt_device_context.h"

namespace {

using namespace quaverly;

constexpr int kBars = 400;

void EnsureApplication()
{
    bench::EnsureApplication<QApplication>("bench_score_view_page");
}

// The score goes into the editor's own document root.
void FillScore(Score& score, int bars)
{
    score.SetTimeSignature({0, 4, 4, 1});
    score.SetTimeSignature({bars / 2, 3, 4, 0});
    score.SetKeySignature({0, 0, 1});
    score.SetKeySignature({bars / 3, 2, 1});
    bench::AppendParts(score, bars, bench::BarTies::EveryFourthBar);
}

// The view with its page rendering open to the benchmark.
class BenchView final : public brindle::CBrindleView {
public:
    using CBrindleView::RenderPageBitmap;
};

// The view and its editor with the score laid out on its pages, made once.
struct LaidOutView {
    ScoreEditor* editor = nullptr;
    std::unique_ptr<BenchView> view;

    LaidOutView()
    {
        editor = static_cast<ScoreEditor*>(create_quaverly_editor());
        view = std::make_unique<BenchView>();
        view->UseEditor(editor);
        view->resize(900, 1000);
        view->Create();
        view->InitialUpdate();
        FillScore(*editor->score, kBars);
        view->SetPageInfo(brindle::PageInfo{});
        view->ApplyPageInfo();
        const float f = static_cast<float>(view->UnitsPerPixel());
        QImage image(view->PageWidth(), view->PageHeight(), QImage::Format_RGB32);
        platform::QtDeviceContext dc(&image);
        dc.SetMapMode(platform::MapMode::Isotropic);
        dc.SetWindowExt({static_cast<std::int32_t>(view->PageWidth() * f),
                         static_cast<std::int32_t>(view->PageHeight() * f)});
        dc.SetViewportExt({view->PageWidth(), view->PageHeight()});
        view->DrawResources().MeasureNoteSizes(dc, f);
        brindle::GdiScorePainter painter;
        painter.SetDC(&dc);
        painter.SetResourceTable(&view->DrawResources());
        painter.SetScale(f);
        painter.SetTransparentBackground();
        editor->RelayoutFrom(painter, 1, 1);
        editor->RepaginateFrom(painter, 0);
        editor->SetCurrentPage(0);
        view->ShowScore();
    }
};

LaidOutView& Shared()
{
    EnsureApplication();
    static LaidOutView* shared = new LaidOutView();  // left to the end of the process
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
