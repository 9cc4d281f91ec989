// The layout engine over a whole score: 4 parts, each bar a mix of plain notes, eighths
// with accidentals, triplets, sixteenths with lyrics and an empty bar, measured with the
// recording painter of the tests. BM_LayoutColumns/N lays out columns 0..N-1.
#include <memory>

#include <benchmark/benchmark.h>

#include "engine/layout/layout_engine.h"
#include "engine/model/bar.h"
#include "engine/model/container_element.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/model/tuplet.h"
#include "tests/support/fake_painter.h"

namespace {

using namespace quaverly;
namespace len = note_length;

constexpr int kParts = 4;

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

std::shared_ptr<Score> MakeScore(int bars)
{
    auto score = std::make_shared<Score>();
    score->SetTimeSignature({0, 4, 4, 1});
    for (int p = 0; p < kParts; ++p) {
        auto container = std::make_shared<ContainerElement>();
        auto part = std::make_shared<Part>();
        for (int b = 0; b < bars; ++b) {
            auto bar = std::make_shared<Bar>(b);
            FillBar(*bar, p, b);
            part->AppendChild(bar);
        }
        container->AppendChild(part);
        score->AppendChild(container);
    }
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
