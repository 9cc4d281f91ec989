// What opening a document does with its bytes, shared by the bounded fuzz test and the
// libFuzzer target, so both drive the same path:
// - the bytes are loaded into a score of their own, every bar column of it is laid out
//   and every bar is laid out and drawn with the recording painter;
// - the same bytes are opened by the editor made through the exported factory, the
//   queued first layout runs, every page is drawn, and on the first and the last page
//   the bars are selected, a note is entered at the page's first bar, and that entry is
//   undone and redone, each followed by the queued commands and a drawing of the page.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string_view>

#include "engine/editor/editor_interface.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_column_state.h"
#include "engine/layout/layout_engine.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/selection_range.h"
#include "engine/layout/system_node.h"
#include "engine/model/bar.h"
#include "engine/model/note_time.h"
#include "engine/model/part.h"
#include "engine/model/score.h"
#include "engine/xml/music_xml_file.h"
#include "engine/xml/page_layout_result.h"
#include "tests/support/fake_painter.h"

namespace quaverly::xml_test {

struct OpenResult {
    bool loaded = false;
    int bars = 0;   // bars laid out and drawn on their own
    int pages = 0;  // pages the editor laid out and drew
};

// Every bar column of the score laid out, every bar laid out and drawn; the number of
// bars drawn.
inline int LayOutAndDrawBars(const std::shared_ptr<Score>& score, fakes::FakePainter& painter)
{
    int columns = 0;
    for (int p = 0; p < score->GetChildCount(); ++p) {
        const auto container = score->GetChild(p);
        const auto part = container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
        if (part && part->GetChildCount() > columns)
            columns = part->GetChildCount();
    }
    LayoutColumnState state;
    state.painter = &painter;
    state.score = score;
    state.firstBar = 0;
    state.endBar = columns;
    LayoutScore(state);
    int bars = 0;
    for (int p = 0; p < score->GetChildCount(); ++p) {
        const auto container = score->GetChild(p);
        const auto part = container ? std::dynamic_pointer_cast<Part>(container->GetChild(0)) : nullptr;
        if (!part)
            continue;
        for (int b = 0; b < part->GetChildCount(); ++b) {
            const auto bar = std::dynamic_pointer_cast<Bar>(part->GetChild(b));
            if (!bar)
                continue;
            bar->Layout(painter);
            bar->Draw(painter);
            ++bars;
            // The record of calls is not looked at; keep it small.
            painter.Clear();
        }
    }
    return bars;
}

// The bars [first, end) of the lines on the page; empty when it holds none.
inline BarRange BarsOfPage(const ScoreEditor& editor, int page)
{
    BarRange range{0, 0};
    const auto node = editor.layout->GetChild(page);
    if (!node)
        return range;
    bool any = false;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        const auto line = std::dynamic_pointer_cast<SystemNode>(node->GetChild(i));
        if (!line || line->GetBarRange().end <= line->GetBarRange().first)
            continue;
        range.first = any ? std::min(range.first, line->GetBarRange().first) : line->GetBarRange().first;
        range.end = any ? std::max(range.end, line->GetBarRange().end) : line->GetBarRange().end;
        any = true;
    }
    return range;
}

// Runs the queued commands and draws the current page, as a repaint of the view does.
inline void Repaint(api::ScoreEditor& editor, fakes::FakePainter& painter)
{
    editor.RunPendingCommands(&painter);
    editor.Draw(&painter);
    painter.Clear();
}

// The edits tried on one page: its bars selected, a note entered at its first bar,
// undone and redone.
inline void EditPage(ScoreEditor& editor, int page, fakes::FakePainter& painter)
{
    editor.SetCurrentPage(page);
    const BarRange bars = BarsOfPage(editor, page);
    if (bars.end > bars.first && editor.GetPartCount() > 0) {
        const auto selection = editor.layout->GetSelection();
        selection->Clear();
        selection->SetFirst(0, bars.first);
        selection->Extend(editor.GetPartCount() - 1, bars.end - 1);
        Repaint(editor, painter);
        editor.PlaceCursorOnBar(bars.first);
    }
    editor.InputNote(3, 0, kTicksPerQuarter, 0, 0, 0, 0);
    Repaint(editor, painter);
    editor.Undo();
    Repaint(editor, painter);
    editor.Redo();
    Repaint(editor, painter);
}

struct EditorDeleter {
    void operator()(api::ScoreEditor* editor) const { api::DestroyEditor(editor); }
};

// Opens the document in an editor of its own, lays it out, draws every page and edits
// the first and the last page; the number of pages.
inline int OpenInEditor(const std::filesystem::path& path, fakes::FakePainter& painter)
{
    std::unique_ptr<api::ScoreEditor, EditorDeleter> handle(create_quaverly_editor());
    handle->SetPageContentSize(16000, 24000);
    PageLayoutResult info;
    if (!handle->LoadMusicXml(path.u16string(), info))
        return 0;
    auto& editor = static_cast<ScoreEditor&>(*handle);
    editor.RunPendingCommands(&painter);
    painter.Clear();
    const int pages = editor.layout->GetChildCount();
    for (int page = 0; page < pages; ++page) {
        editor.SetCurrentPage(page);
        editor.Draw(&painter);
        painter.Clear();
    }
    EditPage(editor, 0, painter);
    if (pages > 1)
        EditPage(editor, pages - 1, painter);
    return pages;
}

// Writes the bytes to the scratch file and opens it both ways.
inline OpenResult OpenAndDraw(std::string_view bytes, const std::filesystem::path& scratch)
{
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    OpenResult result;
    auto score = std::make_shared<Score>();
    MusicXmlFile file;
    file.SetScore(score.get());
    result.loaded = file.Load(scratch);
    if (!result.loaded)
        return result;
    fakes::FakePainter painter;
    result.bars = LayOutAndDrawBars(score, painter);
    result.pages = OpenInEditor(scratch, painter);
    return result;
}

}  // namespace quaverly::xml_test
