// libFuzzer target: the bytes of one input are pasted as a score fragment (the clipboard's
// private format) into a small laid-out score, once at the cursor on the second bar and
// once over a selected block; after each paste every page is drawn and the paste is
// undone and redone. Clipboard data is outside input: any bytes must leave a score that
// lays out and draws. See README.md for building and running.
#include <cstddef>
#include <cstdint>

#include "engine/editor/score_editor.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/selection_range.h"
#include "scripts/fuzz/editor_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    quaverly::fakes::FakePainter painter;
    const fuzz::EditorPtr handle = fuzz::NewEditor();
    auto& editor = static_cast<quaverly::ScoreEditor&>(*handle);
    fuzz::MakeSmallScore(editor, painter);

    editor.PlaceCursorOnBar(1);
    editor.Paste(data, size);
    fuzz::DrawEveryPage(editor, painter);
    fuzz::UndoAndRedo(editor, painter);

    // Over a block: both parts, bars 1 and 2.
    const auto selection = editor.layout->GetSelection();
    selection->Clear();
    selection->SetFirst(0, 1);
    selection->Extend(editor.GetPartCount() - 1, 2);
    editor.Paste(data, size);
    fuzz::DrawEveryPage(editor, painter);
    fuzz::UndoAndRedo(editor, painter);
    return 0;
}
