// The laid-out view over a whole score: 4 parts of quarters, eighths and lyric lines,
// four bars to a line and eight lines to a page, measured with the recording painter of
// the tests. BM_LayoutLines/N spaces the N bars line by line, makes each line with its
// rows, lays it out and puts it on its page, then lays out the pages; BM_DrawPage draws
// the current page and the block selection of such a score.
#include <algorithm>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/layout/layout_engine.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/page_node.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "tests/support/fake_painter.h"

namespace {

using namespace quaverly;
namespace len = note_length;

constexpr int kParts = 4;
constexpr int kBarsPerLine = 4;
constexpr int kLinesPerPage = 8;
constexpr int kLineWidth = 17000;

std::shared_ptr<Score> MakeScore(int bars)
{
    auto score = std::make_shared<Score>();
    score->SetTimeSignature({0, 4, 4, 1});
    for (int p = 0; p < kParts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        part->SetStaffSize(1000);
        for (int v = 0; v < 5; ++v)
            part->SetVerseOffset(v, 150);
        for (int b = 0; b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            const bool eighths = (b + p) % 2 == 1;
            for (int i = 0; i < (eighths ? 8 : 4); ++i) {
                auto note = CreateNote(2 + (b + i) % 7);
                note->SetDuration(eighths ? len::kEighth : len::kQuarter);
                if (p == 0)
                    note->SetLyricText(0, u"啊");
                bar->AddNote(note);
            }
            part->AppendChild(bar);
        }
        container->AppendChild(part);
        score->AppendChild(container);
    }
    return score;
}

std::shared_ptr<LayoutRoot> LayOutPages(const std::shared_ptr<Score>& score, int bars,
                                        ScorePainter& painter)
{
    auto root = std::make_shared<LayoutRoot>();
    std::shared_ptr<PageNode> page;
    int y = 0;
    int line = 0;
    for (int first = 0; first < bars; first += kBarsPerLine, ++line) {
        if (line % kLinesPerPage == 0) {
            page = std::make_shared<PageNode>(score);
            page->SetIndex(root->GetChildCount());
            page->SetRect({0, 0, kLineWidth, 26000});
            root->AppendChild(page);
            y = 0;
        }
        LayoutColumnState request;
        request.painter = &painter;
        request.score = score;
        request.firstBar = first;
        request.endBar = std::min(first + kBarsPerLine, bars);
        LayoutScore(request);
        auto system = std::make_shared<SystemNode>(score);
        system->SetIndex(line + 1);
        system->SetBarRange(request.firstBar, request.endBar);
        system->SetRect({0, 0, kLineWidth, 0});
        system->CreateTracks();
        page->AppendChild(system);
        system->SetParent(page.get());
        system->SetPosition({0, y});
        system->Layout(painter);
        y += system->GetRect().Height() + 1500;
    }
    root->Layout(painter);
    return root;
}

void BM_LayoutLines(benchmark::State& state)
{
    const int bars = static_cast<int>(state.range(0));
    const auto score = MakeScore(bars);
    fakes::FakePainter painter;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LayOutPages(score, bars, painter));
        state.PauseTiming();
        painter.Clear();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * bars * kParts);
}
BENCHMARK(BM_LayoutLines)->Arg(40)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_DrawPage(benchmark::State& state)
{
    const int bars = static_cast<int>(state.range(0));
    const auto score = MakeScore(bars);
    fakes::FakePainter painter;
    const auto root = LayOutPages(score, bars, painter);
    root->GetSelection()->SetFirst(0, 0);
    root->GetSelection()->Extend(kParts - 1, kBarsPerLine * kLinesPerPage - 1);
    for (auto _ : state) {
        root->Draw(painter);
        state.PauseTiming();
        painter.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DrawPage)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
