// Entering one note as the score view does it when a note key is typed: the view queues
// the note input and its queue hands it to the editor, the editor's notices reach the
// view, and the paint that follows renders the page picture (the queued commands run:
// the note goes in, the lines it touches are laid out again; then the view draws again
// what changed on the page with the program's drawing device) and composes the window
// with the caret; the notices of that run reach the view last. The score is the 4-part
// benchmark score laid out on its pages; the note goes into an empty bar of the first
// part five bars before the end, on the page that shows it. BM_EnterNoteView/N times it
// on a score of N bars; the entry is undone (untimed) after each run, so every entry
// meets the same score. The time must not grow with N.
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>

#include "bench/bench_application.h"
#include "bench/laid_out_score_view.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note_time.h"

namespace {

using namespace quaverly;

// The timed steps, in a function of their own so that a profiler can collect the entry
// alone (valgrind --tool=callgrind --toggle-collect='*EnterOneNote*').
[[gnu::noinline]] void EnterOneNote(bench::BenchView& view, QImage& window)
{
    view.QueueNoteInput();
    QCoreApplication::sendPostedEvents();  // the input goes in; its notices arrive
    view.PaintWindow(window);
    QCoreApplication::sendPostedEvents();  // the notices of the run
}

void BM_EnterNoteView(benchmark::State& state)
{
    bench::EnsureApplication<QApplication>("bench_note_entry_view");
    const int bars = static_cast<int>(state.range(0));
    bench::LaidOutScoreView laid(bars);
    ScoreEditor& editor = *laid.editor;
    bench::BenchView& view = *laid.view;
    QImage window(view.viewport()->size(), QImage::Format_RGB32);

    // A bar of the empty pattern in the first part.
    const int bar = bars - 6;
    if (!editor.PlaceCursorOnBar(bar)) {
        state.SkipWithError("the entry bar is not laid out");
        return;
    }
    editor.SetCurrentPage(editor.cursor.page);
    view.SetCurrentPage(editor.cursor.page);
    view.RequestPageRender();
    view.PaintWindow(window);
    QCoreApplication::sendPostedEvents();
    const CursorPosition start = editor.cursor;
    const auto target = std::dynamic_pointer_cast<Bar>(GetElementAtPath3(*editor.score, 0, 0, bar));
    if (!target) {
        state.SkipWithError("the entry bar is missing");
        return;
    }
    const std::size_t notesBefore = target->GetNotes().size();

    for (auto _ : state) {
        EnterOneNote(view, window);

        state.PauseTiming();
        if (target->GetNotes().size() != notesBefore + 1 || view.IsEditorBusy()) {
            state.SkipWithError("the note was not entered");
            break;
        }
        editor.Undo();
        QCoreApplication::sendPostedEvents();
        view.PaintWindow(window);
        QCoreApplication::sendPostedEvents();
        editor.cursor = start;
        state.ResumeTiming();
    }
    state.counters["pages"] = editor.layout->GetChildCount();
}
BENCHMARK(BM_EnterNoteView)
    ->Arg(100)
    ->Arg(400)
    ->Arg(1600)
    ->Arg(6400)
    ->Unit(benchmark::kMillisecond);

}  // namespace
