// The score view's settings commands (fonts, background, shortcut keys, layout
// parameters), the score information and page set-up of the File menu, the texture
// previews of the background dialog, page navigation with the page indicator of the
// status bar, and undo and redo. The dialogs store their own settings files; the view then
// reloads what depends on them.
#include "app/shell/brindle_view.h"

#include <filesystem>
#include <string>
#include <tuple>

#include "app/dialogs/background_dlg.h"
#include "app/dialogs/font_settings_dlg.h"
#include "app/dialogs/page_setup_dlg.h"
#include "app/dialogs/param_settings_dlg.h"
#include "app/dialogs/score_info_dlg.h"
#include "app/dialogs/score_text_edit.h"
#include "app/dialogs/shortcut_dlg.h"
#include "app/painter/layout_parameters.h"
#include "app/settings/font_param_file.h"
#include "app/settings/system_info_section.h"
#include "app/settings/texture_info_section.h"
#include "app/shell/command_ids.h"
#include "app/shell/main_frame.h"
#include "engine/editor/editor_interface.h"
#include "platform/command_ui.h"
#include "platform/dialog_service.h"
#include "platform/string_table.h"

namespace brindle {

namespace {

QString PathText(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

}  // namespace

void CBrindleView::MapPageAndHistoryCommands()
{
    using platform::CommandUI;
    MapCommand(cmd::kPrevPage, [this] { OnPreviousPage(); });
    MapUpdate(cmd::kPrevPage, [this](CommandUI& ui) { ui.Enable(CanRunScoreCommand() && m_nCurrentPage >= 1); });
    MapCommand(cmd::kNextPage, [this] { OnNextPage(); });
    MapUpdate(cmd::kNextPage, [this](CommandUI& ui) {
        auto* editor = Editor();
        ui.Enable(CanRunScoreCommand() && editor && m_nCurrentPage < editor->GetLastPageIndex() - 1);
    });
    for (const auto& [id, handler] : {std::pair{cmd::kFirstPage, &CBrindleView::OnNavigateHome},
                                      std::pair{cmd::kLastPage, &CBrindleView::OnNavigateEnd}}) {
        MapCommand(id, [this, handler = handler] { (this->*handler)(); });
        MapUpdate(id, [this](CommandUI& ui) { OnUpdateScoreCommand(ui); });
    }
    using ScoreEditor = quaverly::api::ScoreEditor;
    for (const auto& [id, step, can] : {std::tuple{cmd::kEditUndo, &ScoreEditor::Undo, &ScoreEditor::CanUndo},
                                        std::tuple{cmd::kEditRedo, &ScoreEditor::Redo, &ScoreEditor::CanRedo}}) {
        MapCommand(id, [this, step = step] {
            if (auto* editor = Editor())
                (editor->*step)();
        });
        MapUpdate(id, [this, can = can](CommandUI& ui) {
            auto* editor = Editor();
            ui.Enable(!m_bLoading && editor && (editor->*can)());
        });
    }
}

void CBrindleView::MapMenuMessages()
{
    MapMessage(msg::kUpdatePageIndicator, [this](platform::WParam, platform::LParam) {
        OnUpdatePageIndicator();
        return platform::LResult{0};
    });
    // The background dialog's previews: the chosen file name, a zero-terminated wide
    // string that lives for the call.
    const auto preview = [this](bool background) {
        return [this, background](platform::WParam name, platform::LParam) {
            if (name != 0) {
                const SystemInfoSection system = SettingsFolder().SystemInfo();
                const std::u16string folder =
                    background ? system.GetBackgroundFilePath() : system.GetForegroundFilePath();
                OnPreviewTexture(background ? m_hBackTexture : m_hPageTexture,
                                 folder + reinterpret_cast<const char16_t*>(name));
            }
            return platform::LResult{0};
        };
    };
    MapMessage(msg::kPreviewBackground, preview(true));
    MapMessage(msg::kPreviewForeground, preview(false));
    MapMessage(msg::kTextEditNext, [this](platform::WParam, platform::LParam) {
        OnTextEditMove(true);
        return platform::LResult{0};
    });
    MapMessage(msg::kTextEditPrevious, [this](platform::WParam, platform::LParam) {
        OnTextEditMove(false);
        return platform::LResult{0};
    });
}

// ---- settings ----------------------------------------------------------------------

void CBrindleView::LoadTextureFiles()
{
    m_hBackTexture = QImage();
    m_hPageTexture = QImage();
    const std::u16string optionPath = OptionFilePath();
    if (optionPath.empty())
        return;
    const DataFolder data = SettingsFolder();
    const SystemInfoSection system = data.SystemInfo();
    TextureInfoSection textures;
    textures.SetFileName(optionPath);
    const std::u16string back = textures.GetBackgroundFile();
    const std::u16string page = textures.GetForegroundFile();
    // A picture that does not load leaves the plain look.
    if (!back.empty())
        m_hBackTexture.load(PathText(data.NativePathOf(system.GetBackgroundFilePath() + back)));
    if (!page.empty())
        m_hPageTexture.load(PathText(data.NativePathOf(system.GetForegroundFilePath() + page)));
    // The in-place text box shows the paper it stands on.
    if (m_TextEdit)
        m_TextEdit->SetBackgroundBitmap(m_hPageTexture);
}

void CBrindleView::OnPreviewTexture(QImage& texture, std::u16string path)
{
    texture = QImage();
    texture.load(PathText(SettingsFolder().NativePathOf(path)));
    if (m_TextEdit)
        m_TextEdit->SetBackgroundBitmap(m_hPageTexture);
    RequestPageRender();
    Invalidate();
}

void CBrindleView::ApplyLayoutParameters()
{
    const DataFolder data = SettingsFolder();
    const std::u16string name = data.SystemInfo().GetFontParamFileName();
    std::error_code error;
    // Without the file the drawing keeps its built-in metrics, not the file's defaults.
    if (name.empty() || !std::filesystem::is_regular_file(data.NativePathOf(name), error))
        return;
    FontParamFile file;
    file.SetFileName(data.PathOf(name));
    ApplyLayoutParameterFile(file, m_DrawResources);
}

void CBrindleView::OnFontSettings()
{
    CFontSettingsDlg dialog(this);
    dialog.SetDataFolder(SettingsFolder());
    if (dialog.DoModal() != platform::kIdOk)
        return;
    ApplyFontFile();
    MeasureNoteSizes();
    if (auto* editor = Editor())
        editor->Refresh();
    RequestPageRender();
    Invalidate();
}

void CBrindleView::OnBackgroundSettings()
{
    CBackgroundDlg dialog(this);
    dialog.SetDataFolder(SettingsFolder());
    dialog.SetOwnerWindow(&Port());
    if (dialog.DoModal() == platform::kIdOk)
        return;
    // The previews are undone: the textures the option file still names.
    LoadTextureFiles();
    RequestPageRender();
    Invalidate();
}

void CBrindleView::OnScoreInfo()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CScoreInfoDlg dialog(this);
    dialog.SetTitle(editor->GetTitle());
    dialog.SetSubtitle(editor->GetSubtitle());
    dialog.SetComposer(editor->GetComposer());
    dialog.SetPoet(editor->GetPoet());
    dialog.SetCopyright(editor->GetRights());
    dialog.SetDescription(editor->GetDescription());
    if (dialog.DoModal() != platform::kIdOk)
        return;
    // Each setter records an undo step of its own: only the texts that changed are set.
    using ScoreEditor = quaverly::api::ScoreEditor;
    const struct {
        const std::u16string& text;
        std::u16string (ScoreEditor::*get)() const;
        void (ScoreEditor::*set)(const std::u16string&);
    } fields[] = {
        {dialog.GetTitle(), &ScoreEditor::GetTitle, &ScoreEditor::SetTitle},
        {dialog.GetSubtitle(), &ScoreEditor::GetSubtitle, &ScoreEditor::SetSubtitle},
        {dialog.GetComposer(), &ScoreEditor::GetComposer, &ScoreEditor::SetComposer},
        {dialog.GetPoet(), &ScoreEditor::GetPoet, &ScoreEditor::SetPoet},
        {dialog.GetCopyright(), &ScoreEditor::GetRights, &ScoreEditor::SetRights},
    };
    for (const auto& field : fields) {
        if (field.text != (editor->*field.get)())
            (editor->*field.set)(field.text);
    }
    editor->SetDescription(dialog.GetDescription());
}

void CBrindleView::OnPageSetup()
{
    CPageSetupDlg dialog(this, SettingsFolder());
    dialog.SetPageInfo(m_PageInfo);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    std::u16string question;
    {
        platform::ScopedResourceSource source(platform::ResourceSource::Library);
        question = platform::LoadResourceString(ids::kLoseManualLayout);
    }
    if (platform::ShowMessage(question, platform::kMbYesNo | platform::kMbIconQuestion, this) != platform::kIdYes)
        return;
    m_PageInfo = dialog.GetPageInfo();
    ApplyPageInfo();
    ShowScore();
    if (auto* editor = Editor())
        editor->Repaginate();
    // The editor lays the score out afresh from its first page: the view shows that page
    // from its top, and the page indicator and buttons follow.
    m_nCurrentPage = 0;
    OnHScroll(platform::kSbThumbPosition, 0);
    OnVScroll(platform::kSbThumbPosition, 0);
    PostMessage(msg::kUpdatePageIndicator);
}

void CBrindleView::OnShortcutKeys()
{
    CShortcutDlg dialog(this);
    dialog.SetDataFolder(SettingsFolder());
    if (dialog.DoModal() == platform::kIdOk)
        BuildKeyCommands();
}

void CBrindleView::OnParameters()
{
    CParamSettingsDlg dialog(this, SettingsFolder());
    if (dialog.DoModal() != platform::kIdOk)
        return;
    // The dialog only writes the file: the drawing takes the new values from it, the note
    // sizes are measured again with the new scales and the score is laid out afresh.
    ApplyLayoutParameters();
    MeasureNoteSizes();
    if (auto* editor = Editor())
        editor->Refresh();
    RequestPageRender();
    Invalidate();
}

// ---- pages ---------------------------------------------------------------------------

void CBrindleView::OnPreviousPage()
{
    if (auto* editor = Editor())
        editor->Navigate(2);
}

void CBrindleView::OnNextPage()
{
    if (auto* editor = Editor())
        editor->Navigate(3);
}

void CBrindleView::OnNavigateHome()
{
    if (auto* editor = Editor()) {
        editor->SetCaretEnabled(true);
        editor->Navigate(0);
    }
}

void CBrindleView::OnNavigateEnd()
{
    if (auto* editor = Editor()) {
        editor->SetCaretEnabled(true);
        editor->Navigate(1);
    }
}

void CBrindleView::OnUpdatePageIndicator()
{
    // While a document loads the editor belongs to the loading thread; the pane keeps its
    // text until the loaded document asks again.
    if (m_bLoading)
        return;
    auto* editor = Editor();
    const int pages = editor ? editor->GetLastPageIndex() : 0;
    std::u16string text;
    if (pages > 0)
        text = QStringLiteral("第%1页 共%2页").arg(m_nCurrentPage + 1).arg(pages).toStdU16String();
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pFrame))
        frame->SetStatusText(text);
}

}  // namespace brindle
