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
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/tie.h"
#include "engine/model/tuplet.h"
#include "platform/font_resources.h"
#include "platform/qt_device_context.h"

namespace {

using namespace quaverly;
namespace len = note_length;

constexpr int kParts = 4;
constexpr int kBars = 400;

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_score_view_page";
    static char* argv[] = {name, nullptr};
    static QApplication* app = nullptr;
    if (app == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = new QApplication(argc, argv);
        platform::AddFontResource(std::filesystem::path(BRINDLE_DATA_DIR) / "fonts" / "Tansy.ttc");
    }
}

std::shared_ptr<Note> AddNote(Bar& bar, int base, int pitch)
{
    auto note = CreateNote(pitch);
    note->SetDuration(base);
    bar.AddNote(note);
    return note;
}

// One of five bar patterns, chosen by part and bar so that the columns mix them.
void FillBar(Bar& bar, int part, int index)
{
    const int pitch = 2 + (index + part) % 7;
    switch ((index + part) % 5) {
        case 0:
            for (int i = 0; i < 4; ++i)
                AddNote(bar, len::kQuarter, 2 + (pitch + i) % 7);
            break;
        case 1:
            for (int i = 0; i < 8; ++i)
                AddNote(bar, len::kEighth, pitch)->SetAccidental(i % 3 == 0 ? 1 : 0);
            break;
        case 2: {
            auto tuplet = std::make_shared<Tuplet>(3, 2);
            tuplet->SetFirstNote(AddNote(bar, len::kEighth, pitch));
            AddNote(bar, len::kEighth, pitch);
            AddNote(bar, len::kEighth, pitch);
            bar.AddTuplet(tuplet);
            AddNote(bar, len::kQuarter, pitch);
            AddNote(bar, len::kHalf, pitch);
            break;
        }
        case 3:
            for (int i = 0; i < 16; ++i)
                AddNote(bar, len::k16th, 2 + i % 7)->SetLyricText(0, i % 2 == 0 ? u"yue" : u"a");
            break;
        default:
            break;  // an empty bar, spaced by its rests
    }
}

// The score goes into the editor's own document root.
void FillScore(Score& score, int bars)
{
    score.SetTimeSignature({0, 4, 4, 1});
    score.SetTimeSignature({bars / 2, 3, 4, 0});
    score.SetKeySignature({0, 0, 1});
    score.SetKeySignature({bars / 3, 2, 1});
    for (int p = 0; p < kParts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        std::shared_ptr<Bar> previous;
        for (int b = 0; b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            FillBar(*bar, p, b);
            part->AppendChild(bar);
            // Every fourth bar's last note is tied to the next bar's first note.
            if (previous && b % 4 == 0 && !previous->GetNotes().empty() &&
                !bar->GetNotes().empty()) {
                auto tie = std::make_shared<Tie>();
                tie->SetStart({previous, previous->GetNotes().back()});
                tie->SetEnd({bar, bar->GetNotes().front()});
                previous->GetNotes().back()->SetTiedTo(bar->GetNotes().front().get());
                bar->GetNotes().front()->SetTiedFrom(previous->GetNotes().back().get());
                part->AddTie(tie);
            }
            previous = bar;
        }
        container->AppendChild(part);
        score.AppendChild(container);
    }
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
