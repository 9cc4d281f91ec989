// The score view's commands of the score and tools menus and of the bar-line, symbol,
// line and dynamics palettes: the one-call commands of the command table, and the dialog
// commands for voices, bars, key and time signatures, tempo, transposition, octave shift,
// the user's symbols and bar numbers. The editor acts on the cursor or the selection and
// records its own undo; apart from the MIDI channels handed to new voices the view keeps
// nothing of these commands.
//
// MapMenuCommands registers every command of the score, tools, layout and settings menus,
// the page commands and undo and redo, with their update rules.
#include "app/shell/brindle_view.h"

#include <tuple>

#include "app/dialogs/add_bars_dlg.h"
#include "app/dialogs/add_symbol_dlg.h"
#include "app/dialogs/add_voice_dlg.h"
#include "app/dialogs/bar_number_dlg.h"
#include "app/dialogs/delete_bars_dlg.h"
#include "app/dialogs/delete_voice_dlg.h"
#include "app/dialogs/key_signature_dlg.h"
#include "app/dialogs/octave_shift_dlg.h"
#include "app/dialogs/tempo_mark_dlg.h"
#include "app/dialogs/tempo_text_dlg.h"
#include "app/dialogs/time_signature_dlg.h"
#include "app/dialogs/transpose_dlg.h"
#include "app/shell/command_ids.h"
#include "app/shell/score_command_table.h"
#include "engine/editor/editor_interface.h"
#include "platform/command_ui.h"
#include "platform/dialog_service.h"

namespace brindle {

namespace {

constexpr std::u16string_view kMsgCannotUndo = u"该操作不能Undo, 是否继续？";
constexpr std::u16string_view kMsgUnsupportedMeter = u"软件目前不支持异步多音轨!";

constexpr int kChannelCount = 16;
constexpr int kPercussionChannel = 9;

}  // namespace

void CBrindleView::OnUpdateScoreCommand(platform::CommandUI& ui) const
{
    ui.Enable(CanRunScoreCommand());
}

void CBrindleView::MapMenuCommands()
{
    const auto scoreRule = [this](platform::CommandUI& ui) { OnUpdateScoreCommand(ui); };
    const auto command = [this, &scoreRule](int id, void (CBrindleView::*handler)()) {
        MapCommand(id, [this, handler] { (this->*handler)(); });
        MapUpdate(id, scoreRule);
    };

    for (const ScoreCommand& row : ScoreCommands()) {
        MapCommand(row.id, [this, &row] {
            if (auto* editor = Editor())
                RunScoreCommand(*editor, row);
        });
        MapUpdate(row.id, scoreRule);
    }

    command(cmd::kAddVoice, &CBrindleView::OnAddVoice);
    command(cmd::kDeleteVoice, &CBrindleView::OnDeleteVoice);
    command(cmd::kAddBars, &CBrindleView::OnAddBars);
    command(cmd::kDeleteBars, &CBrindleView::OnDeleteBars);
    command(cmd::kKeySignature, &CBrindleView::OnKeySignature);
    command(cmd::kTimeSignature, &CBrindleView::OnTimeSignature);
    command(cmd::kTempo, &CBrindleView::OnTempo);
    command(cmd::kTempoText, &CBrindleView::OnTempoText);
    command(cmd::kTranspose, &CBrindleView::OnTranspose);
    command(cmd::kOctaveShift, &CBrindleView::OnOctaveShift);
    command(cmd::kOtherSymbols, &CBrindleView::OnOtherSymbols);
    command(cmd::kBarNumbers, &CBrindleView::OnBarNumbers);

    command(cmd::kScoreInfo, &CBrindleView::OnScoreInfo);
    command(cmd::kPageSetup, &CBrindleView::OnPageSetup);
    // The settings dialogs change the program's settings, not the score: like the device
    // dialog beside them they are offered with or without a score, only not while a
    // document loads (the drawing resources are read by the loading thread's layout).
    for (const auto& [id, handler] : {std::pair{cmd::kFontSettings, &CBrindleView::OnFontSettings},
                                      std::pair{cmd::kBackgroundSettings, &CBrindleView::OnBackgroundSettings},
                                      std::pair{cmd::kShortcutKeys, &CBrindleView::OnShortcutKeys},
                                      std::pair{cmd::kParameters, &CBrindleView::OnParameters}}) {
        MapCommand(id, [this, handler = handler] { (this->*handler)(); });
        MapUpdate(id, [this](platform::CommandUI& ui) { ui.Enable(!m_bLoading); });
    }

    command(cmd::kBarsPerLine, &CBrindleView::OnBarsPerLine);
    command(cmd::kLinesOnPage, &CBrindleView::OnLinesOnPage);
    command(cmd::kRestoreDefaultLayout, &CBrindleView::OnRestoreDefaultLayout);
    command(cmd::kEditLyrics, &CBrindleView::OnEditLyrics);
    command(cmd::kInstrumentName, &CBrindleView::OnInstrumentName);
    using ScoreEditor = quaverly::api::ScoreEditor;
    for (const auto& [id, label, get, set] :
         {std::tuple{cmd::kAdapterText, u"改编者", &ScoreEditor::GetAdapter, &ScoreEditor::SetAdapter},
          std::tuple{cmd::kSingerText, u"演唱者", &ScoreEditor::GetSinger, &ScoreEditor::SetSinger}}) {
        MapCommand(id, [this, label = label, get = get, set = set] { OnHeaderText(label, get, set); });
        MapUpdate(id, scoreRule);
    }

    MapPageAndHistoryCommands();
    MapViewOptionCommands();
    MapMenuMessages();
}

bool CBrindleView::ConfirmIrreversible()
{
    return platform::ShowMessage(kMsgCannotUndo, platform::kMbYesNo, this) == platform::kIdYes;
}

int CBrindleView::TakeVoiceChannel(bool percussion)
{
    if (percussion)
        return kPercussionChannel;
    // Channels 0-8, then 10-15; the percussion channel is never handed to a voice.
    for (int channel = 0; channel < kChannelCount; ++channel) {
        if (channel == kPercussionChannel || m_UsedChannels[static_cast<std::size_t>(channel)])
            continue;
        m_UsedChannels[static_cast<std::size_t>(channel)] = true;
        return channel;
    }
    return 0;
}

void CBrindleView::OnAddVoice()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CAddVoiceDlg dialog(this);
    dialog.SetDataFolder(SettingsFolder());
    dialog.SetCurrentVoice(editor->GetCurrentPart());
    dialog.SetVoiceCount(editor->GetPartCount());
    if (dialog.DoModal() != platform::kIdOk || !ConfirmIrreversible())
        return;
    quaverly::PartRecord part;
    part.position = dialog.GetPosition();
    part.program = dialog.GetPatch();
    part.percussion = dialog.IsPercussion();
    part.channel = TakeVoiceChannel(dialog.IsPercussion());
    part.twoStaves = dialog.IsPianoStaff();
    editor->AddPart(part);
}

void CBrindleView::OnDeleteVoice()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CDeleteVoiceDlg dialog(this);
    dialog.SetCurrentVoice(editor->GetCurrentPart());
    dialog.SetVoiceCount(editor->GetPartCount());
    // Deleting a voice empties the undo history just as adding one does: the same question.
    if (dialog.DoModal() != platform::kIdOk || !ConfirmIrreversible())
        return;
    editor->DeletePart(dialog.GetVoice());
}

void CBrindleView::OnAddBars()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CAddBarsDlg dialog(this);
    dialog.SetCurrentBar(editor->GetCursorBarIndex());
    dialog.SetBarCount(editor->GetBarCount());
    if (dialog.DoModal() == platform::kIdOk)
        editor->AddBars({dialog.GetPosition(), dialog.GetCount()});
}

void CBrindleView::OnDeleteBars()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CDeleteBarsDlg dialog(this);
    dialog.SetCurrentBar(editor->GetCursorBarIndex());
    dialog.SetBarCount(editor->GetBarCount());
    if (dialog.DoModal() == platform::kIdOk)
        editor->DeleteBars(dialog.GetPosition(), dialog.GetCount());
}

void CBrindleView::OnKeySignature()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CKeySignatureDlg dialog(this);
    if (dialog.DoModal() == platform::kIdOk)
        editor->SetKeySignature(dialog.GetKey());
}

void CBrindleView::OnTimeSignature()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CTimeSignatureDlg dialog(this);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    int beats = 0;
    int beatType = 0;
    dialog.GetTimeSignature(beats, beatType);
    if (editor->SetTimeSignature(beats, beatType) == -1)
        platform::ShowMessage(kMsgUnsupportedMeter, platform::kMbOk, this);
}

void CBrindleView::OnTempo()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CTempoMarkDlg dialog(this);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    int noteValue = 0;
    int perMinute = 0;
    dialog.GetTempo(noteValue, perMinute);
    editor->SetTempo(noteValue, perMinute);
}

void CBrindleView::OnTempoText()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CTempoTextDlg dialog(this);
    dialog.SetDataFolder(SettingsFolder());
    if (dialog.DoModal() == platform::kIdOk)
        editor->SetTempoText(dialog.GetText());
}

void CBrindleView::OnTranspose()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CTransposeDlg dialog(this);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    TransposeRequest chosen;
    dialog.GetTransposeRequest(chosen);
    quaverly::TransposeRequest request;
    request.targetKey = chosen.key;
    request.direction = chosen.direction;
    request.rangeKind = chosen.rangeKind;
    request.firstBar = chosen.firstBar;
    request.lastBar = chosen.lastBar;
    editor->Transpose(request);
}

void CBrindleView::OnOctaveShift()
{
    auto* editor = Editor();
    if (!editor)
        return;
    COctaveShiftDlg dialog(this);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    int firstBar = 0;
    int lastBar = 0;
    dialog.GetBarRange(firstBar, lastBar);
    editor->ShiftOctave(firstBar, lastBar, dialog.IsUp() ? 1 : 0);
}

void CBrindleView::OnOtherSymbols()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CAddSymbolDlg dialog(this);
    dialog.SetDataFolder(SettingsFolder());
    const int result = dialog.DoModal();
    if (result == platform::kIdOk)
        editor->AddOtherSymbol(ToScoreSymbol(dialog.GetSelectedSymbol()));
    // The dialog writes every change of the library at once, Cancel included: the symbol
    // keys follow the file whichever way the dialog was left.
    if (dialog.IsLibraryModified())
        BuildSymbolKeyCommands();
}

void CBrindleView::OnBarNumbers()
{
    auto* editor = Editor();
    if (!editor)
        return;
    CBarNumberDlg dialog(this);
    if (dialog.DoModal() != platform::kIdOk)
        return;
    quaverly::BarNumberFormat format;
    dialog.GetBarNumberFormat(format);
    editor->SetBarNumbering(format);
}

}  // namespace brindle
