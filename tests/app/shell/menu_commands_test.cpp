// The score, tools, layout and settings commands of the view in the main frame, over an
// editor that writes its calls down and a copy of the program's data folder: every
// command id against the editor call it makes, its arguments and its update rule; the
// questions, refusals and settings files around them; the menus that offer them.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QAbstractButton>
#include <QRadioButton>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/dialogs/add_symbol_dlg.h"
#include "app/dialogs/add_voice_dlg.h"
#include "app/dialogs/background_dlg.h"
#include "app/dialogs/instrument_name_dlg.h"
#include "app/dialogs/score_info_dlg.h"
#include "app/dialogs/score_text_edit.h"
#include "app/dialogs/symbol_grid_wnd.h"
#include "app/dialogs/tempo_text_dlg.h"
#include "app/dialogs/time_signature_dlg.h"
#include "app/painter/editable_text_item.h"
#include "app/painter/layout_parameters.h"
#include "app/settings/extend_symbol_file.h"
#include "app/settings/font_param_file.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/main_frame.h"
#include "app/shell/own_strings.h"
#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "engine/model/note_symbol.h"
#include "platform/font_resources.h"
#include "platform/command_manager.h"
#include "platform/command_ui.h"
#include "platform/dialog_base.h"
#include "platform/private_profile.h"
#include "platform/scripted_dialog_service.h"
#include "platform/text_encoding.h"
#include "call_recording_editor.h"
#include "shell_fakes.h"
#include "tests/platform/temp_folder.h"
#include "tests/support/specimen_folder.h"

namespace {

using brindle::CBrindleView;
using brindle::CMainFrame;
using platform::DialogBase;
using platform::kIdCancel;
using platform::kIdNo;
using platform::kIdOk;
using platform::kIdYes;
using shell_test::Pump;
using Calls = std::vector<std::string>;
namespace cmd = brindle::cmd;
namespace msg = brindle::msg;
namespace fs = std::filesystem;

const fs::path kSourceData = fs::path(BRINDLE_SOURCE_DIR) / "data";
const std::u16string kCannotUndo = u"该操作不能Undo, 是否继续？";

// A view that counts the key tables it was asked to build and shows its textures.
class MenuView final : public CBrindleView {
public:
    int keyBuilds = 0;
    int symbolKeyBuilds = 0;
    const QImage& PageTexture() const { return m_hPageTexture; }
    const QImage& BackTexture() const { return m_hBackTexture; }

protected:
    void BuildKeyCommands() override { ++keyBuilds; }
    void BuildSymbolKeyCommands() override { ++symbolKeyBuilds; }
};

// The program's data folder copied, the view set up from it in the main frame, with the
// score shown or not.
class MenuCommandTest : public ::testing::Test {
public:
    // A library of one user symbol, "S0": the letter A, 0.07 mm to the right.
    void WriteSymbolLibrary()
    {
        brindle::ExtendSymbolFile file;
        file.SetFileName(brindle::DataFolder::InFolder(data_.Path()).PathOf(u"settings\\ExtendSymbol.ini"));
        brindle::ExtendSymbol symbol;
        symbol.name = u"S0";
        symbol.charText = u"A";
        symbol.font.SetFaceName(u"Tansy");
        symbol.font.height = -20;
        symbol.hOffset = 7;
        ASSERT_TRUE(file.SetSymbol(symbol));
    }

protected:
    void SetUp() override
    {
        brindle::RegisterOwnStrings();
        fs::copy(kSourceData, data_.Path(), fs::copy_options::recursive);
        view_ = MakeView();
        frame_ = std::make_unique<CMainFrame>(view_, &application_);
        ASSERT_TRUE(frame_->Create());
        view_->Create();
        view_->InitialUpdate();
        Pump();
        editor_.Clear();
    }

    MenuView* MakeView()
    {
        auto* view = new MenuView();
        view->UseEditor(&editor_);
        view->SetDataFolder(platform::PathToUtf16(data_.Path()));
        return view;
    }

    void ShowScore()
    {
        view_->ApplyPageInfo();
        view_->ShowScore();
        editor_.Clear();
    }

    // The engine's own editor in the view with a new one-stave score of four bars a line,
    // laid out; the test gives the view its recording editor back before it frees this.
    quaverly::ScoreEditor* StartEngineScore(quaverly::NewScoreSettings settings)
    {
        auto* engine = static_cast<quaverly::ScoreEditor*>(create_quaverly_editor());
        if (!engine)
            return nullptr;
        view_->UseEditor(engine);
        settings.staves.push_back({0, false, 0});
        settings.barsPerLine = 4;
        engine->NewDocument(settings);
        view_->SetPageInfo(brindle::PageInfo{});
        ShowScore();
        PaintPage();
        return engine;
    }
    // A paint runs the editor's queued commands (the editor's notices ask for it).
    void PaintPage()
    {
        view_->RequestPageRender();
        (void)view_->viewport()->grab();
    }

    platform::CommandUI Update(int id, CBrindleView* view = nullptr)
    {
        platform::CommandUI ui(id);
        EXPECT_TRUE((view ? view : view_)->OnUpdateCommand(ui)) << id;
        return ui;
    }
    bool Run(int id) { return frame_->Commands().Execute(id); }

    void Ok() { dialogs_.AnswerModal([](DialogBase& d) { d.ClickButton(kIdOk); }); }
    void Cancel() { dialogs_.AnswerModal([](DialogBase& d) { d.ClickButton(kIdCancel); }); }
    std::vector<std::u16string> Messages() const
    {
        std::vector<std::u16string> texts;
        for (const auto& box : dialogs_.MessageBoxes())
            texts.push_back(box.text);
        return texts;
    }
    std::string Stored(std::string_view file, std::u16string_view section, std::u16string_view key) const
    {
        const auto text = platform::ReadProfileString(data_ / file, section, key);
        return text ? QString::fromStdU16String(*text).toStdString() : "(none)";
    }

    TempFolder data_;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService inForce_{dialogs_};
    view_test::CallRecordingEditor editor_;
    platform::CommandTarget application_;
    MenuView* view_ = nullptr;
    std::unique_ptr<CMainFrame> frame_;
};

// ---------------------------------------------------------------- the command table

enum class Rule {
    Score,       // enabled exactly while a score is shown, never checked
    Settings,    // enabled with or without a score, never checked
    CheckedOn,   // as Score, and checked while the option is on (on at start)
    CheckedOff,  // as Score, and checked while the option is on (off at start)
};

struct CommandCase {
    int id;
    Calls calls;
    Rule rule = Rule::Score;
    // Answers the dialogs and questions the command brings up.
    std::function<void(MenuCommandTest&, platform::ScriptedDialogService&)> answer = {};
};

std::vector<CommandCase> CommandCases()
{
    const auto ok = [](MenuCommandTest&, platform::ScriptedDialogService& d) {
        d.AnswerModal([](DialogBase& dialog) { dialog.ClickButton(kIdOk); });
    };
    const auto okYes = [](MenuCommandTest&, platform::ScriptedDialogService& d) {
        d.AnswerModal([](DialogBase& dialog) { dialog.ClickButton(kIdOk); });
        d.AnswerMessageBox(kIdYes);
    };
    const auto typeOk = [](int control, std::u16string text) {
        return [control, text](MenuCommandTest&, platform::ScriptedDialogService& d) {
            d.AnswerModal([control, text](DialogBase& dialog) {
                dialog.SetDlgItemText(control, text);
                dialog.ClickButton(kIdOk);
            });
        };
    };
    std::vector<CommandCase> cases = {
        {32820, {"SetBarline(0)"}},
        {32853, {"SetBarline(1)"}},
        {32822, {"SetBarline(5)"}},
        {32858, {"SetBarline(6)"}},
        {32867, {"AddJumpMark(7,1)"}},
        {32868, {"AddJumpMark(6,2)"}},
        {32870, {"AddJumpMark(1,7)"}},
        {32869, {"AddJumpMark(1,6)"}},
        {32866, {"AddJumpMark(1,5)"}},
        {32865, {"AddJumpMark(1,4)"}},
        {32864, {"AddJumpMark(1,3)"}},
        {32871, {"AddJumpMark(1,8)"}},
        {32920, {"AddArticulation(19)"}},
        {32921, {"AddArticulation(25)"}},
        {32922, {"AddArticulation(24)"}},
        {32814, {"AddArticulation(20)"}},
        {32923, {"AddArticulation(21)"}},
        {32806, {"AddArticulation(6)"}},
        // Both accent commands make the accent (">"), never a staccato dot.
        {32924, {"AddArticulation(2)"}},
        {32925, {"AddArticulation(3)"}},
        {32809, {"AddArticulation(14)"}},
        {32810, {"AddArticulation(4)"}},
        {32818, {"AddLineMark(0)"}},
        {32819, {"AddLineMark(1)"}},
        {32914, {"AddLineMark(2)"}},
        {32915, {"AddLineMark(3)"}},
        {32913, {"AddLineMark(4)"}},
        {32916, {"AddLineMark(5)"}},
        {32917, {"AddLineMark(6)"}},
        {32918, {"AddLineMark(7)"}},
        {32919, {"AddLineMark(8)"}},
        {32926, {"AddLineMark(9)"}},
        {32927, {"AddLineMark(10)"}},
        {32928, {"AddLineMark(11)"}},
        {32929, {"AddLineMark(12)"}},
        {32859, {"AddGrouping(0)"}},
        {32860, {"AddGrouping(1)"}},
        {32797, {"SetLyricVerse(0)"}},
        {32799, {"SetLyricVerse(2)"}},  // verse 3 passes 2
        {32801, {"SetLyricVerse(4)"}},
        {33064, {"Enharmonic()"}},
        {32877, {"Refresh()"}},
        {32834, {"InsertLineBreak()"}},

        // Dialog commands, confirmed with the dialog's own starting values.
        {32828, {"AddPart(0,0,0,0,0)"}, Rule::Score, okYes},
        {32829, {"DeletePart(0)"}, Rule::Score, okYes},
        {32830, {"AddBars(0,1)"}, Rule::Score, ok},
        {32831, {"DeleteBars(0,1)"}, Rule::Score, ok},
        {32836, {"SetKeySignature(0)"}, Rule::Score, ok},
        {32837, {"SetTimeSignature(4,4)"}, Rule::Score, ok},
        {32838, {"SetTempo(161280,100)"}, Rule::Score, ok},
        {32839, {"SetTempoText(Allegro)"}, Rule::Score, typeOk(brindle::CTempoTextDlg::kIdTextBox, u"Allegro")},
        {33059, {"Transpose(0,0,0,0,1)"}, Rule::Score, ok},
        {33065, {"ShiftOctave(0,1,1)"}, Rule::Score, ok},
        {33032, {"SetBarNumbering(0,0,5,0,0,999,0,-500)"}, Rule::Score, ok},
        {32862, {"Refresh()"}, Rule::Settings, ok},
        {32861, {}, Rule::Settings, ok},
        {32793, {"SetDescription(说明)"}, Rule::Score, ok},
        // The page as the view holds it after its reset: A4 without margins.
        {32873, {"SetPageContentSize(21000,29700)", "Repaginate()"}, Rule::Score, okYes},
        {33030, {}, Rule::Settings, ok},
        {33033, {"Refresh()"}, Rule::Settings, ok},
        {32879, {"SetBarsPerLine(4,0)"}, Rule::Score, ok},
        {33036, {"SetLinesOnPage(6)"}, Rule::Score, ok},
        {33042, {"RestoreDefaultLayout()"}, Rule::Score,
         [](MenuCommandTest&, platform::ScriptedDialogService& d) { d.AnswerMessageBox(kIdYes); }},
        {32888, {"SetLyrics(0,0,啊|呀)"}, Rule::Score, ok},
        {33039, {"SetAdapter(改编)"}, Rule::Score, ok},
        {33038, {"SetSinger(演唱)"}, Rule::Score, ok},
        {33043, {"SetInstrumentName(笛子,0)"}, Rule::Score, typeOk(brindle::CInstrumentNameDlg::kIdName, u"笛子")},

        // Pages: the first and last page move the caret there.
        {188, {"SetCaretEnabled(1)", "Navigate(0)"}},
        {190, {"SetCaretEnabled(1)", "Navigate(1)"}},

        // View options: each turns its option over and tells the editor.
        {32885, {"ShowPageBorder(0)"}, Rule::CheckedOn},
        {32886, {"ShowTrackBaseLines(0)"}, Rule::CheckedOn},
        {32878, {"ShowLineBreakMarks(0)"}, Rule::CheckedOn},
        {32874, {"ShowIndentMarks(1)"}, Rule::CheckedOff},
        {32875, {"ShowLineSpacingMarks(1)"}, Rule::CheckedOff},
        {32876, {"ShowLinePositionMarks(1)"}, Rule::CheckedOff},
        {32872, {"ShowBarWidthMarks(1)"}, Rule::CheckedOff},
        {32880, {"ShowLyricLineMarks(1)"}, Rule::CheckedOff},
        {33031, {"HideEmptyLines(1)"}, Rule::CheckedOff},
    };
    // The dynamics, p to fz, are codes 1 to 23 in id order.
    for (int code = 1; code <= 23; ++code)
        cases.push_back({32888 + code, {"SetDynamics(" + std::to_string(code) + ")"}});
    // The other user symbol: the first of a library of one.
    cases.push_back({32912, {"AddOtherSymbol(S0,A,7)"}, Rule::Score, [](MenuCommandTest& t, platform::ScriptedDialogService& d) {
                         t.WriteSymbolLibrary();
                         d.AnswerModal([](DialogBase& dialog) {
                             static_cast<brindle::CAddSymbolDlg&>(dialog).Grid()->OnLButtonDown({20, 20});
                             dialog.ClickButton(kIdOk);
                         });
                     }});
    return cases;
}

void PrintTo(const CommandCase& row, std::ostream* out) { *out << "command " << row.id; }

class CommandTableTest : public MenuCommandTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandTableTest, MakesItsEditorCallUnderItsUpdateRule)
{
    const CommandCase& row = GetParam();
    editor_.adapter = u"改编";
    editor_.singer = u"演唱";
    editor_.description = u"说明";
    editor_.lyrics = {u"啊", u"呀"};

    // No score: greyed, and nothing runs; the settings are offered all the same.
    if (row.rule == Rule::Settings) {
        EXPECT_EQ(Update(row.id).Enabled(), std::optional<bool>(true));
    } else {
        EXPECT_EQ(Update(row.id).Enabled(), std::optional<bool>(false));
        EXPECT_FALSE(Run(row.id));
        EXPECT_TRUE(editor_.calls.empty());
    }
    // Nothing while a document loads.
    view_->m_bLoading = true;
    EXPECT_EQ(Update(row.id).Enabled(), std::optional<bool>(false));
    view_->m_bLoading = false;

    ShowScore();
    const platform::CommandUI before = Update(row.id);
    EXPECT_EQ(before.Enabled(), std::optional<bool>(true));
    switch (row.rule) {
    case Rule::Score:
    case Rule::Settings: EXPECT_FALSE(before.Checked().has_value()); break;
    case Rule::CheckedOn: EXPECT_EQ(before.Checked(), std::optional<bool>(true)); break;
    case Rule::CheckedOff: EXPECT_EQ(before.Checked(), std::optional<bool>(false)); break;
    }

    if (row.answer)
        row.answer(*this, dialogs_);
    EXPECT_TRUE(Run(row.id));
    EXPECT_EQ(editor_.calls, row.calls);
    EXPECT_EQ(dialogs_.PendingSteps(), 0u);
    EXPECT_EQ(dialogs_.UnfinishedDialogs(), 0);
    if (row.rule == Rule::CheckedOn || row.rule == Rule::CheckedOff) {
        EXPECT_EQ(Update(row.id).Checked(), std::optional<bool>(row.rule == Rule::CheckedOff));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, CommandTableTest, ::testing::ValuesIn(CommandCases()),
                         [](const ::testing::TestParamInfo<CommandCase>& param) { return std::to_string(param.param.id); });

// ---------------------------------------------------------------- voices and questions

// The channel of the last voice added.
int LastChannel(const Calls& calls)
{
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->rfind("AddPart(", 0) != 0)
            continue;
        const QStringList fields = QString::fromStdString(it->substr(8, it->size() - 9)).split(u',');
        return fields.value(3).toInt();
    }
    return -1;
}

TEST_F(MenuCommandTest, AddedVoicesTakeTheFreeChannelsAndPercussionTakesNine)
{
    ShowScore();
    const auto addVoice = [this](bool percussion) {
        dialogs_.AnswerModal([percussion](DialogBase& d) {
            if (percussion)
                d.Control<QRadioButton>(brindle::CAddVoiceDlg::kIdPercussion)->click();
            d.ClickButton(kIdOk);
        });
        dialogs_.AnswerMessageBox(kIdYes);
        EXPECT_TRUE(Run(cmd::kAddVoice));
        return LastChannel(editor_.calls);
    };
    // Two voices stand for a new score's parts on channels 0 and 1; five more follow.
    std::vector<int> channels;
    for (int i = 0; i < 7; ++i)
        channels.push_back(addVoice(false));
    EXPECT_EQ(channels, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    // Percussion always gets 9, however many there are, and uses up no channel.
    EXPECT_EQ(addVoice(true), 9);
    EXPECT_EQ(addVoice(true), 9);
    EXPECT_EQ(editor_.calls.back().substr(0, 12), "AddPart(0,35");  // the key, not a program
    // Deleting a voice does not give its channel back.
    dialogs_.AnswerModal([](DialogBase& d) { d.ClickButton(kIdOk); });
    dialogs_.AnswerMessageBox(kIdYes);
    EXPECT_TRUE(Run(cmd::kDeleteVoice));
    EXPECT_EQ(addVoice(false), 7);
    channels.clear();
    for (int i = 0; i < 8; ++i)
        channels.push_back(addVoice(false));
    EXPECT_EQ(channels, (std::vector<int>{8, 10, 11, 12, 13, 14, 15, 0}));
    EXPECT_FALSE(view_->UsedChannels()[9]);
    // All fifteen taken: channel 0 again, and nothing more is marked.
    EXPECT_EQ(addVoice(false), 0);
}

struct QuestionCase {
    const char* name;
    int id;
    bool dialogFirst;
    std::u16string question;
};

class QuestionTest : public MenuCommandTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(QuestionTest, AnsweredNoChangesNothing)
{
    const QuestionCase& row = GetParam();
    ShowScore();
    const brindle::PageInfo page = view_->GetPageInfo();
    if (row.dialogFirst)
        Ok();
    dialogs_.AnswerMessageBox(kIdNo);
    EXPECT_TRUE(Run(row.id));
    EXPECT_EQ(Messages(), std::vector<std::u16string>{row.question});
    EXPECT_TRUE(editor_.calls.empty());
    EXPECT_EQ(view_->GetPageInfo(), page);
    // A voice added afterwards still gets the first channel.
    dialogs_.AnswerModal([](DialogBase& d) { d.ClickButton(kIdOk); });
    dialogs_.AnswerMessageBox(kIdYes);
    Run(cmd::kAddVoice);
    EXPECT_EQ(LastChannel(editor_.calls), 0);
}

// Deleting a voice cannot be undone either, and asks what adding one asks.
INSTANTIATE_TEST_SUITE_P(
    Questions, QuestionTest,
    ::testing::Values(QuestionCase{"AddVoice", cmd::kAddVoice, true, kCannotUndo},
                      QuestionCase{"DeleteVoice", cmd::kDeleteVoice, true, kCannotUndo},
                      QuestionCase{"PageSetup", cmd::kPageSetup, true, u"所有手动排版信息将丢失，是否继续？"},
                      QuestionCase{"RestoreDefaultLayout", cmd::kRestoreDefaultLayout, false,
                                   u"该操作将丢弃所有手动排版信息，且不能Undo, 是否继续？"}),
    [](const ::testing::TestParamInfo<QuestionCase>& param) { return std::string(param.param.name); });

TEST_F(MenuCommandTest, CancellingAnyDialogChangesNothing)
{
    ShowScore();
    WriteSymbolLibrary();
    const int keyBuilds = view_->keyBuilds;
    const int symbolBuilds = view_->symbolKeyBuilds;
    for (int id : {32828, 32829, 32830, 32831, 32836, 32837, 32838, 32839, 33059, 33065, 32912, 33032, 32862, 32861,
                   32793, 32873, 33030, 33033, 32879, 33036, 32888, 33039, 33038, 33043}) {
        SCOPED_TRACE(id);
        Cancel();
        EXPECT_TRUE(Run(id));
        EXPECT_TRUE(editor_.calls.empty());
        EXPECT_EQ(dialogs_.PendingSteps(), 0u);
    }
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
    EXPECT_EQ(view_->keyBuilds, keyBuilds);
    EXPECT_EQ(view_->symbolKeyBuilds, symbolBuilds);
}

TEST_F(MenuCommandTest, RefusedTimeSignatureIsReportedOnce)
{
    ShowScore();
    for (int result : {0, -1}) {
        SCOPED_TRACE(result);
        const std::size_t boxes = dialogs_.MessageBoxes().size();
        editor_.timeSignatureResult = result;
        dialogs_.AnswerModal([](DialogBase& d) {
            d.Control<QAbstractButton>(brindle::CTimeSignatureDlg::kBeatButtonIds[2])->click();
            d.ClickButton(kIdOk);
        });
        EXPECT_TRUE(Run(cmd::kTimeSignature));
        if (result == 0) {
            EXPECT_EQ(dialogs_.MessageBoxes().size(), boxes);
            continue;
        }
        ASSERT_EQ(dialogs_.MessageBoxes().size(), boxes + 1);
        EXPECT_EQ(dialogs_.MessageBoxes().back().text, u"软件目前不支持异步多音轨!");
        EXPECT_EQ(dialogs_.MessageBoxes().back().type & platform::kMbButtonMask, platform::kMbOk);
    }
    EXPECT_EQ(editor_.calls, (Calls{"SetTimeSignature(3,4)", "SetTimeSignature(3,4)"}));
}

TEST_F(MenuCommandTest, ScoreInformationSetsOnlyTheTextsThatChanged)
{
    ShowScore();
    editor_.title = u"标题";
    editor_.composer = u"作曲";
    editor_.description = u"说明";
    Ok();
    EXPECT_TRUE(Run(cmd::kScoreInfo));
    EXPECT_EQ(editor_.calls, (Calls{"SetDescription(说明)"}));

    editor_.Clear();
    dialogs_.AnswerModal([](DialogBase& d) {
        d.SetDlgItemText(brindle::CScoreInfoDlg::kIdComposer, u"聂耳");
        d.ClickButton(kIdOk);
    });
    EXPECT_TRUE(Run(cmd::kScoreInfo));
    EXPECT_EQ(editor_.calls, (Calls{"SetComposer(聂耳)", "SetDescription(说明)"}));
}

// ---------------------------------------------------------------- pages and history

TEST_F(MenuCommandTest, PageIndicatorShowsThePageOfThePages)
{
    struct Case {
        int pages, current;
        std::u16string text;
    };
    for (const Case& c : {Case{3, 0, u"第1页 共3页"}, Case{3, 2, u"第3页 共3页"}, Case{1, 0, u"第1页 共1页"},
                          Case{0, 0, u""}}) {
        editor_.lastPageIndex = c.pages;
        view_->SetCurrentPage(c.current);
        view_->PostMessage(msg::kUpdatePageIndicator);
        Pump();
        EXPECT_EQ(frame_->StatusText(), c.text);
    }
}

TEST_F(MenuCommandTest, PageButtonsFollowTheCurrentPage)
{
    ShowScore();
    struct Case {
        int pages, current;
        bool previous, next;
    };
    for (const Case& c : {Case{3, 0, false, true}, Case{3, 1, true, true}, Case{3, 2, true, false},
                          Case{1, 0, false, false}, Case{0, 0, false, false}}) {
        SCOPED_TRACE(std::to_string(c.pages) + "/" + std::to_string(c.current));
        editor_.lastPageIndex = c.pages;
        view_->SetCurrentPage(c.current);
        EXPECT_EQ(Update(cmd::kPrevPage).Enabled(), std::optional<bool>(c.previous));
        EXPECT_EQ(Update(cmd::kNextPage).Enabled(), std::optional<bool>(c.next));
    }
    editor_.lastPageIndex = 3;
    view_->SetCurrentPage(1);
    EXPECT_TRUE(Run(cmd::kPrevPage));
    EXPECT_TRUE(Run(cmd::kNextPage));
    EXPECT_EQ(editor_.calls, (Calls{"Navigate(2)", "Navigate(3)"}));
}

// A new page setup lays the score out afresh from its first page, as the editor does:
// the view, its page indicator and its page buttons start at page 1 again.
TEST_F(MenuCommandTest, PageSetupStartsAgainAtTheFirstPage)
{
    ShowScore();
    editor_.lastPageIndex = 5;
    view_->SetCurrentPage(4);
    Ok();
    dialogs_.AnswerMessageBox(kIdYes);
    EXPECT_TRUE(Run(cmd::kPageSetup));
    ASSERT_FALSE(editor_.calls.empty());
    EXPECT_EQ(editor_.calls.back(), "Repaginate()");
    EXPECT_EQ(view_->CurrentPage(), 0);
    EXPECT_EQ(Update(cmd::kPrevPage).Enabled(), std::optional<bool>(false));
    Pump();
    EXPECT_EQ(frame_->StatusText(), u"第1页 共5页");
}

TEST_F(MenuCommandTest, UndoAndRedoAreEnabledExactlyWhenTheEditorCan)
{
    for (bool score : {false, true}) {
        if (score)
            ShowScore();
        for (bool can : {false, true}) {
            editor_.canUndo = can;
            editor_.canRedo = !can;
            EXPECT_EQ(Update(cmd::kEditUndo).Enabled(), std::optional<bool>(can));
            EXPECT_EQ(Update(cmd::kEditRedo).Enabled(), std::optional<bool>(!can));
        }
    }
    editor_.canUndo = editor_.canRedo = true;
    EXPECT_TRUE(Run(cmd::kEditUndo));
    EXPECT_TRUE(Run(cmd::kEditRedo));
    EXPECT_EQ(editor_.calls, (Calls{"Undo()", "Redo()"}));
    // While a document loads the editor is the loading thread's.
    view_->m_bLoading = true;
    EXPECT_EQ(Update(cmd::kEditUndo).Enabled(), std::optional<bool>(false));
    EXPECT_EQ(Update(cmd::kAddBars).Enabled(), std::optional<bool>(false));
    view_->m_bLoading = false;
}

// With the engine's editor: a new score has nothing to undo; the score information
// pressed OK unchanged adds no step, a changed composer exactly one.
TEST_F(MenuCommandTest, WithTheEngineUndoFollowsTheScoreInformation)
{
    quaverly::NewScoreSettings settings;
    settings.title = u"练习曲";
    settings.composer = u"佚名";
    quaverly::ScoreEditor* engine = StartEngineScore(settings);
    ASSERT_NE(engine, nullptr);
    const auto paint = [this] { PaintPage(); };
    EXPECT_EQ(Update(cmd::kEditUndo).Enabled(), std::optional<bool>(false));

    Ok();
    EXPECT_TRUE(Run(cmd::kScoreInfo));
    paint();
    EXPECT_EQ(Update(cmd::kEditUndo).Enabled(), std::optional<bool>(false));

    dialogs_.AnswerModal([](DialogBase& d) {
        EXPECT_EQ(d.GetDlgItemText(brindle::CScoreInfoDlg::kIdComposer), u"佚名");
        d.SetDlgItemText(brindle::CScoreInfoDlg::kIdComposer, u"聂耳");
        d.ClickButton(kIdOk);
    });
    EXPECT_TRUE(Run(cmd::kScoreInfo));
    paint();
    EXPECT_EQ(engine->GetComposer(), u"聂耳");
    EXPECT_EQ(Update(cmd::kEditUndo).Enabled(), std::optional<bool>(true));
    EXPECT_EQ(Update(cmd::kEditRedo).Enabled(), std::optional<bool>(false));

    EXPECT_TRUE(Run(cmd::kEditUndo));
    paint();
    EXPECT_EQ(engine->GetComposer(), u"佚名");
    EXPECT_EQ(Update(cmd::kEditUndo).Enabled(), std::optional<bool>(false));
    EXPECT_EQ(Update(cmd::kEditRedo).Enabled(), std::optional<bool>(true));

    view_->UseEditor(&editor_);
    quaverly::api::DestroyEditor(engine);
}

// With the engine's editor: "重音(>)" from the menu puts symbol 3 on the selected note and
// "重音记号" symbol 2, each on its own note only. The laid-out line is saved as a picture.
TEST_F(MenuCommandTest, WithTheEngineTheAccentCommandsPutTheirSymbolsOnTheSelectedNote)
{
    ASSERT_GT(platform::AddFontResource(kSourceData / "fonts" / "Tansy.ttc"), 0);
    quaverly::NewScoreSettings settings;
    settings.title = u"重音";
    quaverly::ScoreEditor* engine = StartEngineScore(settings);
    ASSERT_NE(engine, nullptr);
    const auto paint = [this] { PaintPage(); };
    for (int degree : {2, 4, 6, 7}) {
        engine->InputNote(degree, 0, 161280, 0, 0, 0, 0);
        paint();
    }
    const auto note = [engine](std::size_t index) {
        const auto bar = std::dynamic_pointer_cast<quaverly::Bar>(quaverly::GetElementAtPath3(*engine->score, 0, 0, 0));
        return bar && index < bar->GetNotes().size() ? bar->GetNotes()[index] : nullptr;
    };
    ASSERT_NE(note(1), nullptr);
    ASSERT_NE(note(3), nullptr);
    const auto codes = [&note](std::size_t index) {
        std::vector<int> found;
        for (const auto& symbol : note(index)->GetOrnaments())
            found.push_back(symbol->GetSymbolCode());
        return found;
    };
    ASSERT_TRUE(engine->PlaceCursorOnBar(0));
    note(1)->Select();
    EXPECT_TRUE(Run(32925));
    paint();
    note(1)->Deselect();
    note(3)->Select();
    view_->OnCommand(32924);  // on the symbol toolbar only: run as its button does
    paint();
    note(3)->Deselect();
    paint();
    EXPECT_EQ(codes(1), std::vector<int>{3});
    EXPECT_EQ(codes(3), std::vector<int>{2});
    EXPECT_TRUE(codes(0).empty());

    const QImage& page = view_->PageBitmap();
    const fs::path folder = test_support::SpecimenFolder();
    EXPECT_TRUE(page.copy(0, 0, page.width(), page.height() / 4).save(QString::fromStdString((folder / "accent_commands.png").string())));

    view_->UseEditor(&editor_);
    quaverly::api::DestroyEditor(engine);
}

// ---------------------------------------------------------------- settings

TEST_F(MenuCommandTest, PageBorderSurvivesARestartAndTheMarksDoNot)
{
    ShowScore();
    EXPECT_TRUE(Run(cmd::kShowPageBorder));
    EXPECT_TRUE(Run(cmd::kShowIndentMarks));
    EXPECT_EQ(Stored("settings/Option.ini", u"SHOW EDGE LINE", u"Page Edge"), "FALSE");
    EXPECT_EQ(Stored("settings/Option.ini", u"SHOW EDGE LINE", u"Track Base Line"), "TRUE");

    std::unique_ptr<MenuView> restarted(MakeView());
    restarted->Create();
    restarted->InitialUpdate();
    EXPECT_FALSE(restarted->ShowPageBorder());
    EXPECT_EQ(Update(cmd::kShowPageBorder, restarted.get()).Checked(), std::optional<bool>(false));
    EXPECT_EQ(Update(cmd::kShowTrackBaseLines, restarted.get()).Checked(), std::optional<bool>(true));
    EXPECT_EQ(Update(cmd::kShowIndentMarks, restarted.get()).Checked(), std::optional<bool>(false));
}

TEST(TextStyleChange, ChangesTheOneFieldItsKindNames)
{
    quaverly::LogFont start;
    start.SetFaceName(u"宋体");
    start.height = -13;
    start.weight = 400;
    struct Case {
        std::uint32_t kind;
        std::function<void(quaverly::LogFont&)> expect;
    };
    brindle::TextStyleChange change;
    change.size = 12;
    change.bold = change.italic = change.underline = 1;
    change.faceName = u"黑体";
    const std::vector<Case> cases = {
        {1, [](quaverly::LogFont& f) { f.height = -16; }},
        {2, [](quaverly::LogFont& f) { f.SetFaceName(u"黑体"); }},
        {4, [](quaverly::LogFont& f) { f.weight = 700; }},
        {8, [](quaverly::LogFont& f) { f.italic = 1; }},
        {16, [](quaverly::LogFont& f) { f.underline = 1; }},
        // A value, not a set of bits: size and face together mean nothing.
        {6, [](quaverly::LogFont&) {}},
        {0, [](quaverly::LogFont&) {}},
        {32, [](quaverly::LogFont&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        change.kind = c.kind;
        quaverly::LogFont font = start;
        brindle::ApplyTextStyleChange(font, change, 96);
        quaverly::LogFont expected = start;
        c.expect(expected);
        EXPECT_TRUE(font == expected);
    }
    change.kind = brindle::TextStyleChange::kBold;
    change.bold = 0;
    quaverly::LogFont font = start;
    font.weight = 700;
    brindle::ApplyTextStyleChange(font, change, 96);
    EXPECT_EQ(font.weight, 400);
}

TEST(LayoutParameters, TheShippedFileGivesTheBuiltInLook)
{
    brindle::DrawResourceTable builtIn;
    brindle::DrawResourceTable table;
    brindle::FontParamFile file;
    file.SetFileName(brindle::DataFolder::InFolder(kSourceData).PathOf(u"settings\\FontParam.ini"));
    brindle::ApplyLayoutParameterFile(file, table);
    // Factors are stored as text and read back as floats: equal to a float's precision.
    brindle::LayoutMetrics got = table.GetMetrics();
    const brindle::LayoutMetrics expected = builtIn.GetMetrics();
    for (double brindle::LayoutMetrics::*factor :
         {&brindle::LayoutMetrics::noteDotInterval, &brindle::LayoutMetrics::noteOctaveDotInterval,
          &brindle::LayoutMetrics::noteLegerInterval, &brindle::LayoutMetrics::chordNoteScale,
          &brindle::LayoutMetrics::graceNoteScale, &brindle::LayoutMetrics::graceDotInterval,
          &brindle::LayoutMetrics::graceOctaveDotInterval, &brindle::LayoutMetrics::graceLegerInterval}) {
        EXPECT_NEAR(got.*factor, expected.*factor, 1e-6);
        got.*factor = expected.*factor;
    }
    EXPECT_EQ(got, expected);
    EXPECT_EQ(table.GetCloseScale(), builtIn.GetCloseScale());
    for (int ticks : {5040, 10080, 20160, 40320, 80640, 161280, 322560, 645120, 1290240})
        EXPECT_EQ(table.GetSpacingFactor(ticks), builtIn.GetSpacingFactor(ticks)) << ticks;
}

TEST(LayoutParameters, ValuesAPageCannotUseArePassedOver)
{
    TempFolder folder;
    TempFolder::Write(folder / "FontParam.ini",
                      "[CHORD NOTE PARAM]\r\nScale=0\r\nInterval=-5\r\n"
                      "[GRACE NOTE PARAM]\r\nScale=-2\r\nDot Offset=2000000;0\r\n"
                      "[TRACK PARAM]\r\nHeight=0\r\n"
                      "[NOTE SPACING PARAM]\r\nquarter=-1\r\nClose Scale=0\r\n"
                      "[BAR PARAM]\r\nLeft Margin=350\r\n");
    brindle::DrawResourceTable builtIn;
    brindle::DrawResourceTable table;
    brindle::FontParamFile file;
    file.SetFileName(platform::PathToUtf16(folder / "FontParam.ini"));
    brindle::ApplyLayoutParameterFile(file, table);
    const brindle::LayoutMetrics expected = builtIn.GetMetrics();
    const brindle::LayoutMetrics got = table.GetMetrics();
    EXPECT_EQ(got.chordNoteScale, expected.chordNoteScale);
    EXPECT_EQ(got.chordInterval, expected.chordInterval);
    EXPECT_EQ(got.graceNoteScale, expected.graceNoteScale);
    EXPECT_EQ(got.graceDotOffset, expected.graceDotOffset);
    EXPECT_EQ(got.barLineHeight, expected.barLineHeight);
    EXPECT_EQ(got.metric107, 350);
    EXPECT_EQ(table.GetSpacingFactor(161280), builtIn.GetSpacingFactor(161280));
    EXPECT_EQ(table.GetCloseScale(), builtIn.GetCloseScale());
}

TEST_F(MenuCommandTest, ParameterDialogOkAppliesTheLayoutParameters)
{
    ShowScore();
    const quaverly::Size chordBefore = view_->DrawResources().GetChordNoteSize();
    const std::u16string path = brindle::DataFolder::InFolder(data_.Path()).PathOf(u"settings\\FontParam.ini");
    brindle::FontParamFile file;
    file.SetFileName(path);
    ASSERT_TRUE(file.SetBarLeftMargin(350));
    ASSERT_TRUE(file.SetChordNoteScale(0.5));
    ASSERT_TRUE(file.SetLyricNoteLyricDistance(250));
    ASSERT_TRUE(file.SetNoteSpacing(161280, 9));
    // Cancel leaves the drawing as it was.
    Cancel();
    EXPECT_TRUE(Run(cmd::kParameters));
    EXPECT_EQ(view_->DrawResources().GetMetrics().metric107, 200);

    Ok();
    EXPECT_TRUE(Run(cmd::kParameters));
    const brindle::LayoutMetrics& m = view_->DrawResources().GetMetrics();
    EXPECT_EQ(m.metric107, 350);
    EXPECT_EQ(m.chordNoteScale, 0.5);
    EXPECT_EQ(m.metric110, 250);
    EXPECT_EQ(view_->DrawResources().GetSpacingFactor(161280), 9.0);
    // Measured again with the new scale, and laid out afresh.
    EXPECT_LT(view_->DrawResources().GetChordNoteSize().cy, chordBefore.cy);
    EXPECT_EQ(editor_.calls, (Calls{"Refresh()"}));

    // The next start draws with them as well.
    std::unique_ptr<MenuView> restarted(MakeView());
    restarted->Create();
    restarted->InitialUpdate();
    EXPECT_EQ(restarted->DrawResources().GetMetrics().metric107, 350);
}

TEST_F(MenuCommandTest, BackgroundPreviewsShowAtOnceAndCancelRestoresTheStoredTextures)
{
    ShowScore();
    ASSERT_TRUE(view_->PageTexture().isNull());
    for (int answer : {kIdCancel, kIdOk}) {
        SCOPED_TRACE(answer);
        bool previewed = false;
        dialogs_.AnswerModal([&](DialogBase& d) {
            auto* list = d.Control<QComboBox>(brindle::CBackgroundDlg::kIdForegroundList);
            list->setCurrentIndex(list->findText(QStringLiteral("白纸.bmp")));
            // The paper shows at once, on the page and behind the in-place text box.
            previewed = !view_->PageTexture().isNull() && view_->TextEdit()->BackgroundBrush().style() == Qt::TexturePattern;
            d.ClickButton(answer);
        });
        EXPECT_TRUE(Run(cmd::kBackgroundSettings));
        EXPECT_TRUE(previewed);
        EXPECT_EQ(view_->PageTexture().isNull(), answer == kIdCancel);
        EXPECT_EQ(view_->TextEdit()->BackgroundBrush().style() == Qt::TexturePattern, answer == kIdOk);
    }
    EXPECT_EQ(Stored("settings/Option.ini", u"TEXTURE INFO", u"Foreground File"), "白纸.bmp");
}

TEST_F(MenuCommandTest, WithoutAScoreTheWindowShowsTheDeskPlainOrTiledWithTheStoredPicture)
{
    struct Case {
        const char* name;
        std::u16string file;
    };
    for (const Case& c : {Case{"plain", u""}, Case{"picture", u"木纹.bmp"}}) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(platform::WriteProfileString(data_ / "settings" / "Option.ini", u"TEXTURE INFO", u"Background File",
                                                 c.file));
        std::unique_ptr<MenuView> started(MakeView());
        started->resize(400, 300);
        started->Create();
        started->InitialUpdate();
        const QImage& texture = started->BackTexture();
        ASSERT_EQ(texture.isNull(), c.file.empty());
        const QImage shown = started->viewport()->grab().toImage();
        ASSERT_FALSE(shown.isNull());
        // Every pixel: the desk's grey, or the picture tiled from the window's corner.
        int wrong = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb expected =
                    texture.isNull() ? qRgb(128, 128, 128) : texture.pixel(x % texture.width(), y % texture.height());
                wrong += (shown.pixel(x, y) | 0xFF000000u) != (expected | 0xFF000000u) ? 1 : 0;
            }
        EXPECT_EQ(wrong, 0);
    }
}

// ---------------------------------------------------------------- text items

class RecordingTextItem final : public brindle::EditableTextItem {
public:
    std::vector<std::string>* log;
    explicit RecordingTextItem(std::vector<std::string>* l) : EditableTextItem([] { return nullptr; }), log(l) {}
    void BeginEdit() override { log->push_back("BeginEdit"); }
    void EndEdit() override { log->push_back("EndEdit"); }
    void SetText(std::u16string_view text) override
    {
        log->push_back("SetText " + QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString());
    }
    std::u16string GetText() const override { return u"词"; }
    quaverly::LogFont GetFontHeight() const override { return {}; }
    bool IsLyric() const override { return true; }
};

TEST_F(MenuCommandTest, ArrowsAtTheEndsOfTheTextMoveToTheNeighbouringItem)
{
    brindle::CScoreTextEdit* edit = view_->TextEdit();
    ASSERT_NE(edit, nullptr);
    frame_->show();
    struct Case {
        Qt::Key key;
        int cursor;
        std::vector<std::string> log;
    };
    for (const Case& c : {Case{Qt::Key_Right, 1, {"SetText 词", "BeginEdit"}}, Case{Qt::Key_Left, 0, {"SetText 词", "EndEdit"}},
                          Case{Qt::Key_Right, 0, {}}}) {
        std::vector<std::string> log;
        edit->SetTextItem(std::make_shared<RecordingTextItem>(&log));
        edit->show();
        edit->setCursorPosition(c.cursor);
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &press);
        Pump();
        EXPECT_EQ(log, c.log);
        // In the middle of the text the caret moves and the box stays.
        EXPECT_EQ(edit->isVisible(), c.log.empty());
        edit->hide();
    }
}

TEST_F(MenuCommandTest, ChangingTheSymbolLibraryRebuildsTheSymbolKeysEvenOnCancel)
{
    ShowScore();
    WriteSymbolLibrary();
    const int before = view_->symbolKeyBuilds;
    dialogs_.AnswerModal([](DialogBase& d) {
        static_cast<brindle::CAddSymbolDlg&>(d).Grid()->OnLButtonDown({20, 20});
        d.ClickButton(brindle::CAddSymbolDlg::kIdDelete);
        d.ClickButton(kIdCancel);
    });
    EXPECT_TRUE(Run(cmd::kOtherSymbols));
    EXPECT_EQ(view_->symbolKeyBuilds, before + 1);
    EXPECT_TRUE(editor_.calls.empty());
}

// ---------------------------------------------------------------- menus

// The titles of a menu's items, submenus as "title>" followed by their items.
void Collect(QMenu* menu, std::vector<QString>& titles, std::vector<int>& ids, platform::CommandManager& commands)
{
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu* sub = action->menu()) {
            titles.push_back(sub->title() + u'>');
            Collect(sub, titles, ids, commands);
            continue;
        }
        titles.push_back(action->text());
        ids.push_back(commands.IdOf(action));
    }
}

TEST_F(MenuCommandTest, MenusOfferEveryCommandAndTheViewHandlesEach)
{
    std::vector<QString> bar;
    for (QAction* action : frame_->menuBar()->actions())
        bar.push_back(action->text());
    EXPECT_EQ(bar, (std::vector<QString>{"文件(&F)", "编辑(&E)", "音符(&N)", "查看(&V)", "乐谱(&C)", "工具(T)", "排版(&M)", "播放(&P)",
                                         "设置(&O)", "帮助(&H)"}));
    const auto menu = [this](const QString& title) {
        for (QAction* action : frame_->menuBar()->actions())
            if (action->text() == title)
                return action->menu();
        return static_cast<QMenu*>(nullptr);
    };
    std::vector<QString> titles;
    std::vector<int> ids;
    for (const char* title : {"乐谱(&C)", "工具(T)", "排版(&M)", "设置(&O)"})
        Collect(menu(title), titles, ids, frame_->Commands());
    for (int id : ids)
        EXPECT_TRUE(view_->HasCommand(id)) << id;
    const auto has = [&titles](const char* text) {
        return std::find(titles.begin(), titles.end(), QString::fromUtf8(text)) != titles.end();
    };
    for (const char* text : {"力    度>", "符    号>", "线...>", "分组符号>", "歌　词>", "文　字>", "重音(>)", "FFFFFF",
                             "琶音（向下）", "歌词段5", "乐器名", "转调", "同音异名", "升降八度", "恢复默认排版",
                             "播放及录音设备...", "参  数..."})
        EXPECT_TRUE(has(text)) << text;
    // The toolbar-only accent is not offered twice.
    EXPECT_FALSE(has("重音记号"));
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 32924), 0);
}

}  // namespace
