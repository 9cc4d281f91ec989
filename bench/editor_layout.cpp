// A whole score laid out from scratch through the editor, measured by the program's own
// drawing device on an offscreen image: 4 parts of mixed note values (quarters, eighths
// with accidentals, triplets, sixteenths with lyrics, empty bars), ties across bars, a
// key change and a meter change. BM_FullLayout/N cuts N bars into lines and the lines
// into pages; "peak_rss_mb" is the peak resident memory of the process so far.
// BM_OpenDocument/N opens that score as the program saved it (its lines and pages
// recorded) over the score open before, and runs the queued first layout as the view
// does after a load.
#include <sys/resource.h>

#include <cstdlib>
#include <memory>

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>

#include "app/painter/draw_resource_table.h"
#include "app/painter/gdi_score_painter.h"
#include "bench/bench_application.h"
#include "bench/bench_folder.h"
#include "bench/benchmark_score.h"
#include "engine/editor/score_editor.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"
#include "engine/xml/page_layout_result.h"
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

// The program's drawing device on an offscreen page image at 96 dpi.
class ScreenPainter {
public:
    ScreenPainter() : image_(800, 1100, QImage::Format_RGB32), dc_(&image_)
    {
        dc_.SetMapMode(platform::MapMode::Isotropic);
        dc_.SetWindowExt(platform::Size{static_cast<std::int32_t>(800 * kScreenScale),
                                        static_cast<std::int32_t>(1100 * kScreenScale)});
        dc_.SetViewportExt(platform::Size{800, 1100});
        table_.MeasureNoteSizes(dc_, kScreenScale);
        painter_.SetDC(&dc_);
        painter_.SetResourceTable(&table_);
        painter_.SetScale(kScreenScale);
        painter_.SetTransparentBackground();
    }
    brindle::GdiScorePainter& Get() { return painter_; }

private:
    QImage image_;
    platform::QtDeviceContext dc_;
    brindle::DrawResourceTable table_;
    brindle::GdiScorePainter painter_;
};

void BM_FullLayout(benchmark::State& state)
{
    EnsureApplication();
    const int bars = static_cast<int>(state.range(0));
    ScreenPainter screen;
    brindle::GdiScorePainter& painter = screen.Get();

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

void BM_OpenDocument(benchmark::State& state)
{
    EnsureApplication();
    MusicXmlFile::SetDtdFile(std::filesystem::path(BRINDLE_DATA_DIR) / "dtd" / "partwise.dtd");
    const int bars = static_cast<int>(state.range(0));
    ScreenPainter screen;
    brindle::GdiScorePainter& painter = screen.Get();
    const bench::BenchFolder folder;
    const std::filesystem::path path = folder / "open.exl";

    ScoreEditor* editor = static_cast<ScoreEditor*>(create_quaverly_editor());
    editor->SetPageContentSize(18500, 24700);
    {
        // The document as the program saves it: laid out, its lines and pages recorded.
        FillScore(*editor->score, bars);
        editor->RelayoutFrom(painter, 1, 1);
        editor->RepaginateFrom(painter, 0);
        if (!editor->SaveMusicXml(path.u16string(), PageLayoutResult{})) {
            state.SkipWithError("the document could not be saved");
            api::DestroyEditor(editor);
            return;
        }
    }
    for (auto _ : state) {
        // Opening closes the score open before: the same document, laid out.
        PageLayoutResult info;
        if (!editor->LoadMusicXml(path.u16string(), info)) {
            state.SkipWithError("the document could not be loaded");
            break;
        }
        editor->RunPendingCommands(&painter);
    }
    state.counters["lines"] = static_cast<double>(editor->lines.size());
    state.counters["pages"] = editor->layout->GetChildCount();
    api::DestroyEditor(editor);
}
BENCHMARK(BM_OpenDocument)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
