// Opening a score document and printing it: BM_LoadLayoutPdf/N loads the N-bar, 4-part
// benchmark score (bench/benchmark_score.h, saved as a document once before timing) into
// the editor (emptied before, outside the measured time), lets the score view lay it out
// by its queued-command pass (the first page rendered as on screen), and prints every
// page into a PDF file. "pages" is the number of
// pages printed, "pdf_kb" the size of the file, "peak_rss_mb" the peak resident memory of
// the process so far.
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPdfWriter>

#include "app/shell/brindle_view.h"
#include "bench/bench_application.h"
#include "bench/bench_folder.h"
#include "bench/benchmark_document.h"
#include "bench/laid_out_score_view.h"
#include "engine/editor/score_editor.h"
#include "engine/xml/music_xml_file.h"

namespace {

namespace fs = std::filesystem;
using namespace quaverly;

void EnsureApplication()
{
    bench::EnsureApplication<QApplication>("bench_document_pdf");
    MusicXmlFile::SetDtdFile(fs::path(BRINDLE_DATA_DIR) / "dtd" / "partwise.dtd");
}

double PeakResidentMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}


void BM_LoadLayoutPdf(benchmark::State& state)
{
    EnsureApplication();
    const bench::BenchFolder folder("brindle-pdf-bench");
    const fs::path document = folder / "score.exl";
    const fs::path pdf = folder / "score.pdf";
    if (!bench::SaveBenchmarkDocument(document, static_cast<int>(state.range(0)))) {
        state.SkipWithError("the benchmark score was not saved");
        return;
    }
    auto* editor = static_cast<ScoreEditor*>(create_quaverly_editor());
    auto view = bench::MakeBenchView(editor);

    int pages = 0;
    for (auto _ : state) {
        // The document loaded before goes first, outside the measured time: what is
        // measured is opening a document into the editor, not closing the last one.
        state.PauseTiming();
        editor->ResetDocument();
        state.ResumeTiming();
        PageLayoutResult info;
        if (!editor->LoadMusicXml(document.u16string(), info)) {
            state.SkipWithError("the benchmark score did not load");
            break;
        }
        view->ShowScore();
        view->RenderPageBitmap();  // runs the queued layout, then draws the first page
        QPdfWriter writer(QString::fromStdString(pdf.string()));
        pages = view->PrintPages(writer);
    }
    state.counters["pages"] = pages;
    state.counters["pdf_kb"] = static_cast<double>(fs::file_size(pdf)) / 1024.0;
    state.counters["peak_rss_mb"] = PeakResidentMegabytes();
    view.reset();
    api::DestroyEditor(editor);
}
BENCHMARK(BM_LoadLayoutPdf)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
