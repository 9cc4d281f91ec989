// The score view's layout commands and view options, the lyric and text-item commands of
// the score menu, and the in-place text box's moves to the neighbouring text item. The
// view options are toggles the view keeps (so their items show a check) and mirrors into
// the editor; the page border and the track base lines are also remembered in the option
// file, so they survive a restart.
#include "app/shell/brindle_view.h"

#include <array>

#include "app/dialogs/add_text_dlg.h"
#include "app/dialogs/bars_per_line_dlg.h"
#include "app/dialogs/instrument_name_dlg.h"
#include "app/dialogs/lines_per_page_dlg.h"
#include "app/dialogs/lyric_edit_dlg.h"
#include "app/dialogs/lyrics_editor.h"
#include "app/dialogs/score_text_edit.h"
#include "app/settings/option_file.h"
#include "app/shell/command_ids.h"
#include "engine/editor/editor_interface.h"
#include "platform/command_ui.h"
#include "platform/dialog_service.h"

namespace brindle {

namespace {

constexpr std::u16string_view kMsgRestoreDefaultLayout = u"该操作将丢弃所有手动排版信息，且不能Undo, 是否继续？";

// The lyric dialog's view of the editor: one verse of one voice.
class EditorLyrics final : public LyricsEditor {
public:
    explicit EditorLyrics(quaverly::api::ScoreEditor& editor) : editor_(editor) {}
    void GetLyrics(int voice, int verse, std::vector<std::u16string>& syllables) override
    {
        syllables = editor_.GetLyrics(voice, verse);
    }
    void SetLyrics(int voice, int verse, const std::vector<std::u16string>& syllables) override
    {
        editor_.SetLyrics(voice, verse, syllables);
    }

private:
    quaverly::api::ScoreEditor& editor_;
};

}  // namespace

void CBrindleView::MapViewOptionCommands()
{
    using ScoreEditor = quaverly::api::ScoreEditor;
    struct ViewOption {
        int id;
        bool CBrindleView::*shown;
        void (ScoreEditor::*show)(bool);
        // The option file's setter for the options remembered across runs.
        bool (OptionFile::*remember)(bool);
    };
    static constexpr std::array<ViewOption, 9> kOptions = {{
        {cmd::kShowPageBorder, &CBrindleView::m_bShowPageBorder, &ScoreEditor::ShowPageBorder, &OptionFile::SetShowPageEdge},
        {cmd::kShowTrackBaseLines, &CBrindleView::m_bShowTrackBaseLines, &ScoreEditor::ShowTrackBaseLines,
         &OptionFile::SetShowTrackBaseLine},
        {cmd::kShowLineBreakMarks, &CBrindleView::m_bShowLineBreakMarks, &ScoreEditor::ShowLineBreakMarks, nullptr},
        {cmd::kShowIndentMarks, &CBrindleView::m_bShowIndentMarks, &ScoreEditor::ShowIndentMarks, nullptr},
        {cmd::kShowLineSpacingMarks, &CBrindleView::m_bShowLineSpacingMarks, &ScoreEditor::ShowLineSpacingMarks, nullptr},
        {cmd::kShowLinePositionMarks, &CBrindleView::m_bShowLinePositionMarks, &ScoreEditor::ShowLinePositionMarks,
         nullptr},
        {cmd::kShowBarWidthMarks, &CBrindleView::m_bShowBarWidthMarks, &ScoreEditor::ShowBarWidthMarks, nullptr},
        {cmd::kShowLyricLineMarks, &CBrindleView::m_bShowLyricLineMarks, &ScoreEditor::ShowLyricLineMarks, nullptr},
        {cmd::kHideEmptyLines, &CBrindleView::m_bHideEmptyLines, &ScoreEditor::HideEmptyLines, nullptr},
    }};
    for (const ViewOption& option : kOptions) {
        MapCommand(option.id, [this, &option] {
            bool& shown = this->*option.shown;
            shown = !shown;
            if (auto* editor = Editor())
                (editor->*option.show)(shown);
            if (option.remember) {
                // A file that cannot be written keeps the choice for this run only.
                const std::u16string path = OptionFilePath();
                if (!path.empty()) {
                    OptionFile file;
                    file.SetFileName(path);
                    (file.*option.remember)(shown);
                }
            }
            RequestPageRender();
            Invalidate();
        });
        MapUpdate(option.id, [this, &option](platform::CommandUI& ui) {
            ui.Enable(CanRunScoreCommand());
            ui.SetCheck(this->*option.shown ? 1 : 0);
        });
    }
}

void CBrindleView::OnBarsPerLine()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CBarsPerLineDlg dialog(this);
    dialog.SetBarsPerLine(static_cast<unsigned>(std::max(0, editor->GetBarsPerLine())));
    if (dialog.DoModal() != platform::kIdOk)
        return;
    quaverly::BarsPerLineRecord record;
    record.count = static_cast<int>(dialog.GetBarsPerLine());
    record.all = dialog.IsAllLines();
    editor->SetBarsPerLine(record);
}

void CBrindleView::OnLinesOnPage()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CLinesPerPageDlg dialog(this);
    dialog.SetLineCount(editor->GetLinesOnPage());
    if (dialog.DoModal() == platform::kIdOk)
        editor->SetLinesOnPage(dialog.GetLineCount());
}

void CBrindleView::OnRestoreDefaultLayout()
{
    auto* editor = Editor();
    if (editor && platform::ShowMessage(kMsgRestoreDefaultLayout, platform::kMbYesNo, this) == platform::kIdYes)
        editor->RestoreDefaultLayout();
}

void CBrindleView::OnEditLyrics()
{
    auto* editor = Editor();
    if (!editor)
        return;
    EditorLyrics lyrics(*editor);
    CLyricEditDlg dialog(lyrics, this);
    dialog.SetVoice(editor->GetCurrentPart());
    // The dialog reads and writes the lyrics itself.
    dialog.DoModal();
}

void CBrindleView::OnHeaderText(std::u16string_view label, std::u16string (quaverly::api::ScoreEditor::*get)() const,
                                void (quaverly::api::ScoreEditor::*set)(const std::u16string&))
{
    auto* editor = Editor();
    if (!editor)
        return;
    CAddTextDlg dialog(this);
    dialog.SetLabel(std::u16string(label));
    dialog.SetText((editor->*get)());
    if (dialog.DoModal() == platform::kIdOk)
        (editor->*set)(dialog.GetText());
}

void CBrindleView::OnInstrumentName()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CInstrumentNameDlg dialog(this);
    if (dialog.DoModal() == platform::kIdOk)
        editor->SetInstrumentName(dialog.GetName(), !dialog.IsCurrentLineOnly());
}

void CBrindleView::OnTextEditMove(bool next)
{
    if (!m_TextEdit)
        return;
    // Hiding the box stores its text and lets the item go: the item is held here for the
    // move. For a lyric syllable the moves open the next syllable or the one before; a
    // header text has no neighbour.
    const std::shared_ptr<EditableTextItem> item = m_TextEdit->GetTextItem();
    m_TextEdit->hide();
    if (!item)
        return;
    if (next)
        item->BeginEdit();
    else
        item->EndEdit();
}

}  // namespace brindle
