// The view's Cut, Copy and Paste, and files dropped on the window. With a text box
// focused the commands work on its text; otherwise score fragments move between the
// editor and the system clipboard, and Copy with the picture tool copies a picture.
#include "app/shell/brindle_view.h"

#include <algorithm>

#include "app/shell/document_paths.h"
#include "app/shell/score_clipboard.h"
#include "engine/editor/editor_interface.h"
#include "platform/key_translation.h"

namespace brindle {

bool CBrindleView::CanCopy() const
{
    if (QWidget* box = FocusedEditBox())
        return EditBoxHasSelection(box);
    if (!m_bScoreReady || m_bLoading)
        return false;
    const auto* editor = Editor();
    return (editor && editor->HasSelection()) || m_nCurrentTool == kPictureCopyTool;
}

bool CBrindleView::CanCut() const
{
    if (QWidget* box = FocusedEditBox())
        return EditBoxHasSelection(box);
    const auto* editor = Editor();
    return m_bScoreReady && !m_bLoading && editor && editor->HasSelection();
}

bool CBrindleView::CanPaste() const
{
    if (FocusedEditBox())
        return ClipboardHasText();
    return m_bScoreReady && !m_bLoading && HasScoreFragment();
}

void CBrindleView::OnEditCopy()
{
    if (QWidget* box = FocusedEditBox()) {
        EditBoxCopy(box);
        return;
    }
    auto* editor = Editor();
    if (!editor || !m_bScoreReady || m_bLoading)
        return;
    if (editor->HasSelection()) {
        std::vector<std::uint8_t> bytes;
        editor->CopySelection(bytes);
        PutScoreFragment(bytes);
    } else if (m_nCurrentTool == kPictureCopyTool) {
        CopyPicture();
    }
}

void CBrindleView::OnEditCut()
{
    if (QWidget* box = FocusedEditBox()) {
        EditBoxCut(box);
        return;
    }
    auto* editor = Editor();
    if (!editor || !m_bScoreReady || m_bLoading || !editor->HasSelection())
        return;
    // What is cut is copied first, so nothing leaves the score without reaching the
    // clipboard; then the selection goes as the Delete key takes it (the editor's own
    // cut leaves the score as it is).
    std::vector<std::uint8_t> bytes;
    editor->CopySelection(bytes);
    PutScoreFragment(bytes);
    editor->CutSelection(0);
    editor->OnKeyDown(platform::kVkDelete, 0);
}

void CBrindleView::OnEditPaste()
{
    if (QWidget* box = FocusedEditBox()) {
        if (ClipboardHasText())
            EditBoxPaste(box);
        return;
    }
    auto* editor = Editor();
    if (!editor || !m_bScoreReady || m_bLoading)
        return;
    if (const auto bytes = ScoreFragmentOnClipboard())
        editor->Paste(bytes->data(), bytes->size());
}

void CBrindleView::OnDropFiles(const std::vector<std::u16string>& paths)
{
    if (!IsIdle() || paths.empty())
        return;
    // Each opening would replace the one before it: the first document opens. Without
    // one, the first file is refused with its message, and the score stays as it is.
    const auto document = std::find_if(paths.begin(), paths.end(), [](const std::u16string& p) { return HasDocumentExtension(p); });
    if (document == paths.end()) {
        OpenScoreFile(paths.front());
        return;
    }
    if (!SaveGuard())
        return;
    OpenScoreFile(*document);
}

}  // namespace brindle
