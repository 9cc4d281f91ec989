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
constexpr float kScreenScale = 2540.0f / 96.0f;  // 0.01 mm per pixel at 96 dpi

// Fonts and drawing need a GUI application; one for the whole run, left to the end of
// the process (taking it down among the other static objects at exit is not safe).
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "bench_editor_layout";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = nullptr;
    if (app == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app = new QGuiApplication(argc, argv);
        platform::AddFontResource(std::filesystem::path(BRINDLE_DATA_DIR) / "fonts" /
                                  "Tansy.ttc");
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
