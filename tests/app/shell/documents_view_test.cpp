// The view's document commands offscreen, with an editor that answers as each test says
// and dialogs answered from a script: opening on the workers, the save guard, saving,
// autosave and recovery, closing, dropped files, the clipboard and the MIDI export.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>

#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

#include "../../platform/temp_folder.h"
#include "app/dialogs/new_score_wizard.h"
#include "app/dialogs/wizard_info_page.h"
#include "app/dialogs/wizard_staff_page.h"
#include "app/shell/brindle_doc.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_paths.h"
#include "app/shell/own_strings.h"
#include "app/shell/recent_file_list.h"
#include "app/shell/score_clipboard.h"
#include "app_test_setup.h"
#include "document_editor.h"
#include "platform/command_manager.h"
#include "platform/dialog_base.h"
#include "platform/frame_window_base.h"
#include "platform/key_translation.h"
#include "platform/scripted_dialog_service.h"
#include "shell_fakes.h"
#include "tests/support/emf_player.h"

namespace {

namespace fs = std::filesystem;
namespace msg = brindle::msg;
using brindle::CBrindleView;
using brindle::PathText;
using shell_test::Pump;
using shell_test::PumpUntil;

constexpr char kDocument[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 1.0 Partwise//EN\" "
    "\"http://www.musicxml.org/dtds/partwise.dtd\">\n"
    "<score-partwise/>\n";

constexpr std::u16string_view kSaveFailed = u"文件保存失败!";
constexpr std::u16string_view kReadOnly = u"文件已存在，并且具有只读属性，保存失败！";
constexpr std::u16string_view kUnsupported = u"软件目前不支技该格式文件，打开失败！";
constexpr std::u16string_view kOpenFailed = u"文件打开失败！";
constexpr std::u16string_view kRecovery = u"上一次程序非正常退出，是否需要打开程序为你自动保存的文件";

class DocumentsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The program's own strings, as the start-up registers them.
        brindle::RegisterOwnStrings();
        data_ = shell_test::CopyDataFolder(folder_.Path(), {"settings", "lists", "dtd"});
        const QString recent = QString::fromStdString((folder_ / "recent.ini").string());
        recent_ = std::make_unique<brindle::RecentFileList>(std::make_unique<QSettings>(recent, QSettings::IniFormat));

        frame_ = std::make_unique<platform::FrameWindowBase>();
        for (platform::MessageId id : {msg::kShowProgress, msg::kHideProgress, msg::kSetTempo, msg::kCloseConfirmed}) {
            frame_->MapMessage(id, [this, id](platform::WParam w, platform::LParam) {
                frameMessages_.emplace_back(id, static_cast<int>(w));
                return platform::LResult{0};
            });
        }
        view_ = std::make_unique<CBrindleView>();
        view_->UseEditor(&editor_);
        view_->SetFrame(frame_.get());
        view_->SetDocument(&document_);
        view_->SetDataFolder(PathText(data_));
        view_->SetRecentFileList(recent_.get());
        view_->resize(600, 500);
        view_->show();
        view_->Create();
        view_->InitialUpdate();
        Pump();
        commands_.SetRoute([this] { return std::vector<platform::CommandTarget*>{view_.get()}; });
        editor_.ClearCalls();
        frameMessages_.clear();
    }

    void TearDown() override
    {
        editor_.Release();
        view_->WaitForDocumentWorker();
    }

    std::u16string Write(const std::string& name, const std::string& text = kDocument)
    {
        const fs::path path = folder_ / name;
        TempFolder::Write(path, text);
        return PathText(path);
    }

    bool WaitIdle()
    {
        const bool idle = PumpUntil([this] { return !view_->m_bLoading; }, 10000);
        Pump();
        return idle;
    }

    // Opens a document and waits until it is shown.
    void Open(const std::u16string& path)
    {
        ASSERT_TRUE(view_->OpenScoreFile(path));
        ASSERT_TRUE(WaitIdle());
        ASSERT_TRUE(view_->HasScore());
    }

    // A new score through the wizard, finished on its first page.
    void NewScore()
    {
        dialogs_.AnswerModal([](platform::DialogBase& wizard) { wizard.ClickButton(platform::kIdOk); });
        view_->OnFileNew();
        ASSERT_TRUE(view_->HasScore());
        ASSERT_TRUE(view_->IsModified());
    }

    std::vector<std::u16string> Messages() const
    {
        std::vector<std::u16string> texts;
        for (const auto& call : dialogs_.MessageBoxes())
            texts.push_back(call.text);
        return texts;
    }

    int SaveCount() const { return static_cast<int>(editor_.saves.size()); }

    bool Enabled(int id)
    {
        commands_.Update(id);
        return commands_.Action(id)->isEnabled();
    }

    TempFolder folder_;
    fs::path data_;
    std::unique_ptr<brindle::RecentFileList> recent_;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
    view_test::DocumentEditor editor_;
    brindle::CBrindleDoc document_;
    std::vector<std::pair<platform::MessageId, int>> frameMessages_;
    std::unique_ptr<platform::FrameWindowBase> frame_;
    std::unique_ptr<CBrindleView> view_;
    platform::CommandManager commands_;
};

TEST_F(DocumentsTest, CapitalExtensionOpensOnTheWorkersBehindTheProgressDialog)
{
    const std::u16string path = Write("歌曲.EXL");
    editor_.loadInfo.tempo = 96;
    editor_.loadInfo.page = {u"B5", 0, 250, 176, 20, 21, 22, 23};
    ASSERT_TRUE(view_->OpenScoreFile(path));
    EXPECT_TRUE(view_->m_bLoading);
    EXPECT_FALSE(view_->IsIdle());
    ASSERT_FALSE(frameMessages_.empty());
    EXPECT_EQ(frameMessages_.front().first, msg::kShowProgress);
    ASSERT_TRUE(WaitIdle());

    EXPECT_TRUE(view_->HasScore());
    EXPECT_FALSE(view_->IsModified());
    EXPECT_EQ(view_->DocumentPath(), path);
    EXPECT_EQ(document_.GetTitle(), u"歌曲");
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("歌曲 - Larkspire简谱"));
    EXPECT_EQ(recent_->Entries(), std::vector<std::u16string>{path});
    EXPECT_EQ(view_->CurrentTempo(), 96);
    const brindle::PageInfo page = view_->GetPageInfo();
    EXPECT_EQ(page.name, u"B5");
    EXPECT_FALSE(page.portrait);
    EXPECT_EQ(std::vector<int>({page.width, page.height, page.left, page.top, page.right, page.bottom}),
              std::vector<int>({176, 250, 20, 21, 22, 23}));
    // The dialog shows from the request until the layout ended; the tempo goes to the
    // frame's controls on the way.
    ASSERT_EQ(frameMessages_.size(), 3u);
    EXPECT_EQ(frameMessages_.front().first, msg::kShowProgress);
    EXPECT_NE(std::find(frameMessages_.begin(), frameMessages_.end(), std::pair<platform::MessageId, int>(msg::kSetTempo, 96)),
              frameMessages_.end());
    EXPECT_TRUE(frameMessages_.back().first == msg::kHideProgress || frameMessages_[1].first == msg::kHideProgress);
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());

    // Loaded and laid out on the workers, with nothing else inside the editor meanwhile.
    EXPECT_EQ(editor_.Races(), 0);
    // (The first layout and the channel count; later runs are the paints.)
    for (const char* name : {"LoadMusicXml", "RunPendingCommands", "ExportScoreData"}) {
        const auto calls = editor_.Calls();
        const auto first = std::find_if(calls.begin(), calls.end(), [&](const auto& call) { return call.name == name; });
        ASSERT_NE(first, calls.end()) << name;
        EXPECT_FALSE(first->onGuiThread) << name;
    }
    // The editor read a private copy, gone now, whose document type names the data
    // folder's DTD instead of the network; the document itself is untouched.
    ASSERT_EQ(editor_.loadedPaths.size(), 1u);
    EXPECT_NE(editor_.loadedPaths[0], path);
    EXPECT_FALSE(fs::exists(brindle::NativePath(editor_.loadedPaths[0])));
    const std::string dtd = fs::absolute(data_ / "dtd" / "partwise.dtd").string();
    ASSERT_EQ(editor_.loadedTexts.size(), 1u);
    EXPECT_NE(editor_.loadedTexts[0].find("\"" + dtd + "\">\r\n"), std::string::npos) << editor_.loadedTexts[0];
    EXPECT_EQ(editor_.loadedTexts[0].find("http://"), std::string::npos);
    EXPECT_EQ(TempFolder::Read(brindle::NativePath(path)), kDocument);
}

TEST_F(DocumentsTest, OtherFileTypesAreRefusedBeforeTheScoreIsClosed)
{
    const std::u16string song = Write("song.exl");
    Open(song);
    editor_.ClearCalls();
    for (const char* name : {"song.mid", "song.xml", "song", "song.exl.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(view_->OpenScoreFile(Write(name)));
        EXPECT_EQ(Messages().back(), kUnsupported);
    }
    EXPECT_TRUE(view_->HasScore());
    EXPECT_EQ(view_->DocumentPath(), song);
    EXPECT_TRUE(editor_.Calls().empty());
    EXPECT_EQ(editor_.loadedPaths.size(), 1u);
}

TEST_F(DocumentsTest, FailedLoadSaysSoAndLeavesTheRecentList)
{
    struct Case {
        const char* what;
        bool fileThere;
        bool editorLoads;
    };
    for (const Case c : {Case{"the editor refuses it", true, false}, Case{"the file is gone", false, true}}) {
        SCOPED_TRACE(c.what);
        const std::u16string path = c.fileThere ? Write("bad.exl") : PathText(folder_ / "gone.exl");
        recent_->Add(u"/other.exl");
        recent_->Add(path);
        editor_.loadResult = c.editorLoads;
        frameMessages_.clear();
        ASSERT_TRUE(view_->OpenScoreFile(path));
        ASSERT_TRUE(WaitIdle());
        EXPECT_EQ(Messages().back(), kOpenFailed);
        EXPECT_EQ(recent_->Entries(), std::vector<std::u16string>{u"/other.exl"});
        EXPECT_TRUE(view_->DocumentPath().empty());
        EXPECT_TRUE(document_.GetTitle().empty());
        EXPECT_FALSE(view_->HasScore());
        EXPECT_TRUE(view_->IsIdle());
        ASSERT_FALSE(frameMessages_.empty());
        EXPECT_EQ(frameMessages_.back().first, msg::kHideProgress);
    }
    EXPECT_EQ(editor_.loadedPaths.size(), 1u);  // the missing file never reached the editor
}

TEST_F(DocumentsTest, AFullTemporaryFolderNeitherFailsTheOpeningNorDropsTheRecentEntry)
{
    // Larger than the file size limit below, which makes writing the copy fail the way a
    // full disk does.
    const std::u16string path = Write("big.exl", std::string(kDocument) + "<!--" + std::string(8000, 'x') + "-->\n");
    recent_->Add(path);
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool accepted = view_->OpenScoreFile(path);
    const bool idle = WaitIdle();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(accepted);
    ASSERT_TRUE(idle);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(view_->HasScore());
    EXPECT_EQ(view_->DocumentPath(), path);
    EXPECT_EQ(recent_->Entries(), std::vector<std::u16string>{path});
    // Without room for the copy the editor read the document itself.
    ASSERT_EQ(editor_.loadedPaths.size(), 1u);
    EXPECT_EQ(editor_.loadedPaths[0], path);
}

TEST_F(DocumentsTest, APipeChosenInTheOpenDialogIsRefusedWithoutWaiting)
{
    const fs::path pipe = folder_ / "pipe.exl";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    recent_->Add(PathText(pipe));
    dialogs_.ChooseFile(PathText(pipe));
    view_->OnFileOpen();
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kOpenFailed)});
    EXPECT_FALSE(view_->HasScore());
    EXPECT_TRUE(recent_->Entries().empty());
    EXPECT_TRUE(editor_.loadedPaths.empty());
}

TEST_F(DocumentsTest, WhileALoadRunsNothingElseReachesTheEditor)
{
    const std::u16string first = Write("first.exl");
    const std::u16string second = Write("second.exl");
    NewScore();
    dialogs_.AnswerMessageBox(platform::kIdNo);  // the new score is not kept
    editor_.HoldLoads();
    ASSERT_TRUE(view_->OpenDroppedFile(first));
    ASSERT_TRUE(PumpUntil([this] { return editor_.LoadStarted(); }));
    const std::size_t questions = dialogs_.MessageBoxes().size();
    editor_.ClearCalls();

    // New, Open, Close, Save As, quitting, autosave, drops, the clipboard, the exports and
    // painting: nothing asks, nothing closes, nothing touches the editor.
    EXPECT_FALSE(Enabled(brindle::cmd::kFileNew));
    EXPECT_FALSE(Enabled(brindle::cmd::kFileOpen));
    EXPECT_FALSE(Enabled(brindle::cmd::kFileClose));
    view_->OnFileNew();
    view_->OnFileOpen();
    view_->OnFileClose();
    EXPECT_FALSE(view_->OnFileSaveAs());
    EXPECT_FALSE(view_->OnFileSave());
    view_->SendMessage(platform::kWmClose);
    view_->SendMessage(msg::kAutosave);
    view_->OnDropFiles({second});
    EXPECT_TRUE(view_->OpenDroppedFile(second));
    view_->OnEditCopy();
    view_->OnEditPaste();
    view_->OnExportMidi();
    (void)view_->viewport()->grab();
    Pump();
    EXPECT_EQ(dialogs_.MessageBoxes().size(), questions);
    EXPECT_EQ(dialogs_.ModalCount(), 1);
    EXPECT_TRUE(dialogs_.FileDialogs().empty());
    for (const auto& m : frameMessages_)
        EXPECT_NE(m.first, msg::kCloseConfirmed);
    for (const auto& call : editor_.Calls())
        EXPECT_FALSE(call.onGuiThread) << call.name;

    // A request from inside the program (the start-up's second file) waits its turn.
    EXPECT_TRUE(view_->OpenScoreFile(second));
    editor_.Release();
    ASSERT_TRUE(PumpUntil([&] { return view_->DocumentPath() == second && !view_->m_bLoading; }, 10000));
    EXPECT_EQ(editor_.loadedPaths.size(), 2u);
    EXPECT_EQ(editor_.Races(), 0);
    EXPECT_EQ(recent_->Entries(), (std::vector<std::u16string>{second, first}));
}

TEST_F(DocumentsTest, NewScoreSavedAsksForANameThenKeepsIt)
{
    dialogs_.AnswerModal([](platform::DialogBase& dialog) {
        auto& wizard = static_cast<brindle::CNewScoreWizard&>(dialog);
        auto* info = static_cast<brindle::CWizardInfoPage*>(wizard.GetPage(0));
        auto* staves = static_cast<brindle::CWizardStaffPage*>(wizard.GetPage(1));
        info->SetDlgItemText(brindle::CWizardInfoPage::kIdTitle, u"茉莉花");
        staves->StaffTypeList()->setCurrentRow(3);
        wizard.ClickButton(platform::kIdOk);
    });
    view_->OnFileNew();
    Pump();
    ASSERT_EQ(editor_.newDocuments.size(), 1u);
    const quaverly::NewScoreSettings& made = editor_.newDocuments[0];
    EXPECT_EQ(made.title, u"茉莉花");
    ASSERT_EQ(made.staves.size(), 3u);
    EXPECT_EQ(made.staves[0].channel, 0);
    EXPECT_EQ(made.staves[1].channel, 1);
    EXPECT_EQ(made.staves[2].channel, 2);
    EXPECT_EQ(made.staffGroups, (std::vector<quaverly::NewScoreStaffGroup>{{1, 2, 0}}));
    EXPECT_EQ(view_->UsedChannels(), (std::vector<bool>{true, true, true, false, false, false, false, false, false,
                                                         false, false, false, false, false, false, false}));
    EXPECT_TRUE(view_->HasScore());
    EXPECT_TRUE(view_->IsModified());
    EXPECT_TRUE(Enabled(brindle::cmd::kFileSave));
    EXPECT_TRUE(view_->DocumentPath().empty());
    EXPECT_EQ(document_.GetTitle(), u"未命名");
    ASSERT_FALSE(frameMessages_.empty());
    EXPECT_EQ(frameMessages_.back().first, msg::kSetTempo);

    // The first Save asks for a name; the answer becomes the path, title and recent entry.
    dialogs_.ChooseFile(PathText(folder_ / "茉莉花"));
    ASSERT_TRUE(view_->OnFileSave());
    ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
    const platform::FileDialogRequest& asked = dialogs_.FileDialogs()[0];
    EXPECT_FALSE(asked.open);
    EXPECT_EQ(asked.defaultExtension, u"exl");
    EXPECT_EQ(asked.filter, u"Larkspire简谱文件(*.exl)|*.exl||");
    EXPECT_TRUE(asked.fileName.empty());
    const std::u16string saved = PathText(folder_ / "茉莉花.exl");
    ASSERT_EQ(SaveCount(), 1);
    EXPECT_EQ(editor_.saves[0].first, saved);
    EXPECT_EQ(editor_.saves[0].second.tempo, view_->CurrentTempo());
    EXPECT_EQ(view_->DocumentPath(), saved);
    EXPECT_EQ(document_.GetTitle(), u"茉莉花");
    EXPECT_EQ(recent_->Entries(), std::vector<std::u16string>{saved});
    EXPECT_FALSE(view_->IsModified());
    EXPECT_FALSE(Enabled(brindle::cmd::kFileSave));

    // Then Save writes in place without asking; Save As asks again.
    view_->MarkChanged();
    ASSERT_TRUE(view_->OnFileSave());
    EXPECT_EQ(dialogs_.FileDialogs().size(), 1u);
    EXPECT_EQ(editor_.saves.back().first, saved);
    dialogs_.ChooseFile(PathText(folder_ / "copy.exl"));
    ASSERT_TRUE(view_->OnFileSaveAs());
    ASSERT_EQ(dialogs_.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs_.FileDialogs()[1].fileName, u"茉莉花");
    EXPECT_EQ(document_.GetTitle(), u"copy");
}

TEST_F(DocumentsTest, ChangesAreCountedNotTimed)
{
    Open(Write("song.exl"));
    EXPECT_FALSE(view_->IsModified());
    // Two changes within the same millisecond, then a save: saved. One more: modified.
    view_->MarkChanged();
    view_->MarkChanged();
    EXPECT_TRUE(view_->IsModified());
    ASSERT_TRUE(view_->OnFileSave());
    EXPECT_FALSE(view_->IsModified());
    view_->MarkChanged();
    EXPECT_TRUE(view_->IsModified());
}

TEST_F(DocumentsTest, SaveGuardKeepsTheScoreWhenTheSaveFailsOrIsCancelled)
{
    enum class Answer { Cancel, YesThenNoName, YesThenFailure };
    struct Command {
        const char* name;
        std::function<void(CBrindleView&, const std::u16string& other)> run;
    };
    const Command commands[] = {
        {"New", [](CBrindleView& v, const std::u16string&) { v.OnFileNew(); }},
        {"Open", [](CBrindleView& v, const std::u16string&) { v.OnFileOpen(); }},
        {"Close", [](CBrindleView& v, const std::u16string&) { v.OnFileClose(); }},
        {"Quit", [](CBrindleView& v, const std::u16string&) { v.SendMessage(platform::kWmClose); }},
        {"Drop", [](CBrindleView& v, const std::u16string& other) { v.OnDropFiles({other}); }},
        {"Recent file", [](CBrindleView& v, const std::u16string& other) { v.OpenDroppedFile(other); }},
    };
    const std::u16string other = Write("other.exl");
    const std::u16string song = Write("song.exl");
    const fs::path autosave = view_->AutosavePath();
    for (const Answer answer : {Answer::Cancel, Answer::YesThenNoName, Answer::YesThenFailure}) {
        for (const Command& command : commands) {
            SCOPED_TRACE(std::string(command.name) + " " + std::to_string(static_cast<int>(answer)));
            // A modified score: untitled, or opened from a file whose save fails.
            editor_.saveResult = true;
            if (view_->IsModified())
                dialogs_.AnswerMessageBox(platform::kIdNo);
            if (answer == Answer::YesThenFailure) {
                view_->OnFileClose();
                Open(song);
                view_->MarkChanged();
            } else {
                NewScore();
            }
            const std::u16string path = view_->DocumentPath();
            TempFolder::Write(autosave, "copy");
            const std::size_t loads = editor_.loadedPaths.size();
            const std::size_t modals = static_cast<std::size_t>(dialogs_.ModalCount());
            frameMessages_.clear();
            const std::size_t asked = dialogs_.MessageBoxes().size();

            dialogs_.AnswerMessageBox(answer == Answer::Cancel ? platform::kIdCancel : platform::kIdYes);
            if (answer == Answer::YesThenNoName)
                dialogs_.CancelFileDialog();
            if (answer == Answer::YesThenFailure)
                editor_.saveResult = false;
            command.run(*view_, other);
            Pump();

            ASSERT_GT(dialogs_.MessageBoxes().size(), asked);
            EXPECT_EQ(dialogs_.MessageBoxes()[asked].type & platform::kMbButtonMask, platform::kMbYesNoCancel);
            EXPECT_EQ(dialogs_.MessageBoxes()[asked].text, path.empty() ? u"是否保存对 未命名 的更改？" : u"是否保存对 song 的更改？");
            if (answer == Answer::YesThenFailure) {
                EXPECT_EQ(Messages().back(), kSaveFailed);
            }
            EXPECT_TRUE(view_->HasScore());
            EXPECT_TRUE(view_->IsModified());
            EXPECT_EQ(view_->DocumentPath(), path);
            EXPECT_EQ(editor_.loadedPaths.size(), loads);
            EXPECT_EQ(static_cast<std::size_t>(dialogs_.ModalCount()), modals);  // no wizard
            EXPECT_TRUE(fs::exists(autosave));
            for (const auto& m : frameMessages_)
                EXPECT_NE(m.first, msg::kCloseConfirmed);
            EXPECT_EQ(dialogs_.PendingSteps(), 0u);
        }
    }
}

TEST_F(DocumentsTest, AnsweringNoGoesOnAndQuittingRemovesTheAutosaveCopy)
{
    NewScore();
    TempFolder::Write(view_->AutosavePath(), "copy");
    dialogs_.AnswerMessageBox(platform::kIdNo);
    view_->SendMessage(platform::kWmClose);
    Pump();
    EXPECT_FALSE(fs::exists(view_->AutosavePath()));
    ASSERT_FALSE(frameMessages_.empty());
    EXPECT_EQ(frameMessages_.back().first, msg::kCloseConfirmed);

    // Quitting left the score to the frame; closing it asks again, and No closes it.
    dialogs_.AnswerMessageBox(platform::kIdNo);
    view_->OnFileClose();
    EXPECT_FALSE(view_->HasScore());
    EXPECT_EQ(dialogs_.MessageBoxes().size(), 2u);
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("Larkspire简谱"));
    // An unmodified score closes without a question.
    Open(Write("song.exl"));
    view_->OnFileClose();
    EXPECT_FALSE(view_->HasScore());
    EXPECT_EQ(dialogs_.MessageBoxes().size(), 2u);
    EXPECT_FALSE(Enabled(brindle::cmd::kFileClose));
    EXPECT_FALSE(Enabled(brindle::cmd::kExportMidi));
}

TEST_F(DocumentsTest, FailedSaveSaysSoAndChangesNothing)
{
    const std::u16string song = Write("song.exl");
    Open(song);
    view_->MarkChanged();
    editor_.saveResult = false;
    EXPECT_FALSE(view_->OnFileSave());
    EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kSaveFailed)});
    EXPECT_TRUE(view_->IsModified());
    // Save As under a new name that cannot be written keeps the old name everywhere.
    dialogs_.ChooseFile(PathText(folder_ / "elsewhere.exl"));
    EXPECT_FALSE(view_->OnFileSaveAs());
    EXPECT_EQ(Messages().back(), kSaveFailed);
    EXPECT_EQ(view_->DocumentPath(), song);
    EXPECT_EQ(document_.GetTitle(), u"song");
    EXPECT_EQ(recent_->Entries(), std::vector<std::u16string>{song});
    EXPECT_TRUE(view_->IsModified());
}

TEST_F(DocumentsTest, ReadOnlyFileGivesItsMessageAndIsNotWritten)
{
    const std::u16string song = Write("song.exl");
    const std::u16string locked = Write("locked.exl");
    for (const std::u16string& path : {song, locked})
        fs::permissions(brindle::NativePath(path), fs::perms::owner_read | fs::perms::group_read);
    Open(song);
    view_->MarkChanged();
    EXPECT_FALSE(view_->OnFileSave());
    EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kReadOnly)});
    EXPECT_EQ(SaveCount(), 0);
    EXPECT_TRUE(view_->IsModified());

    dialogs_.ChooseFile(locked);
    EXPECT_FALSE(view_->OnFileSaveAs());
    EXPECT_EQ(Messages().back(), kReadOnly);
    EXPECT_EQ(SaveCount(), 0);
    EXPECT_EQ(view_->DocumentPath(), song);

    // Opened as ".EXL", saved through the dialog: Save compares the extension as it is.
    const std::u16string capital = Write("CAPITAL.EXL");
    dialogs_.AnswerMessageBox(platform::kIdNo);
    ASSERT_TRUE(view_->OpenDroppedFile(capital));
    ASSERT_TRUE(WaitIdle());
    view_->MarkChanged();
    dialogs_.ChooseFile(PathText(folder_ / "capital.exl"));
    ASSERT_TRUE(view_->OnFileSave());
    EXPECT_EQ(dialogs_.FileDialogs().size(), 2u);
    EXPECT_EQ(dialogs_.FileDialogs()[1].fileName, u"CAPITAL");
}

TEST_F(DocumentsTest, AutosaveWritesOnlyWithADocumentOpenAndNeverCountsAsASave)
{
    view_->SendMessage(msg::kAutosave);
    EXPECT_EQ(SaveCount(), 0);
    const std::u16string song = Write("song.exl");
    Open(song);
    view_->SendMessage(msg::kAutosave);
    ASSERT_EQ(SaveCount(), 1);
    EXPECT_EQ(editor_.saves[0].first, PathText(data_ / "~autosave.exl"));
    EXPECT_FALSE(view_->IsModified());
    view_->MarkChanged();
    view_->SendMessage(msg::kAutosave);
    EXPECT_EQ(SaveCount(), 2);
    EXPECT_TRUE(view_->IsModified());
    EXPECT_EQ(view_->DocumentPath(), song);
    // A failing copy says nothing: it is written again two minutes later.
    editor_.saveResult = false;
    view_->SendMessage(msg::kAutosave);
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(DocumentsTest, RecoveredCopyOpensUntitledAndModifiedBeforeTheCommandLineFile)
{
    TempFolder::Write(data_ / "~autosave.exl", std::string(kDocument) + "<!--autosave-->\n");
    const std::u16string song = Write("song.exl", std::string(kDocument) + "<!--song-->\n");
    ASSERT_TRUE(document_.OnOpenDocument(song));

    // Yes to the copy, then No to keeping it when the command line's file comes.
    dialogs_.AnswerMessageBox(platform::kIdYes);
    dialogs_.AnswerMessageBox(platform::kIdNo);
    editor_.HoldLoads();
    view_->SendMessage(msg::kStartUp);
    ASSERT_TRUE(PumpUntil([this] { return editor_.LoadStarted(); }));
    ASSERT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kRecovery)});
    EXPECT_EQ(dialogs_.MessageBoxes()[0].type & platform::kMbButtonMask, platform::kMbYesNo);
    editor_.Release();
    ASSERT_TRUE(PumpUntil([&] { return editor_.LoadCount() == 2 && !view_->m_bLoading; }, 10000));
    Pump();
    // The copy came first, the command line's file after it.
    EXPECT_NE(editor_.loadedTexts[0].find("<!--autosave-->"), std::string::npos);
    EXPECT_NE(editor_.loadedTexts[1].find("<!--song-->"), std::string::npos);
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 2u);
    EXPECT_EQ(dialogs_.MessageBoxes()[1].type & platform::kMbButtonMask, platform::kMbYesNoCancel);
    EXPECT_EQ(view_->DocumentPath(), song);
}

TEST_F(DocumentsTest, RecoveredCopyAsksForANameOnSave)
{
    TempFolder::Write(data_ / "~autosave.exl", kDocument);
    dialogs_.AnswerMessageBox(platform::kIdYes);
    view_->SendMessage(msg::kStartUp);
    ASSERT_TRUE(WaitIdle());
    EXPECT_TRUE(view_->HasScore());
    EXPECT_TRUE(view_->DocumentPath().empty());
    EXPECT_EQ(document_.GetTitle(), u"未命名");
    EXPECT_TRUE(view_->IsModified());
    EXPECT_TRUE(recent_->Entries().empty());
    dialogs_.CancelFileDialog();
    EXPECT_FALSE(view_->OnFileSave());
    EXPECT_EQ(dialogs_.FileDialogs().size(), 1u);
    EXPECT_EQ(SaveCount(), 0);

    // Declined, the copy stays where it is and nothing opens.
    view_->OnFileClose();  // Cancel (the default answer) keeps it
    dialogs_.AnswerMessageBox(platform::kIdNo);
    view_->OnFileClose();
    dialogs_.AnswerMessageBox(platform::kIdNo);
    view_->SendMessage(msg::kStartUp);
    Pump();
    EXPECT_FALSE(view_->HasScore());
    EXPECT_FALSE(view_->m_bLoading);
    EXPECT_TRUE(fs::exists(data_ / "~autosave.exl"));
}

TEST_F(DocumentsTest, DroppedFilesOpenTheFirstDocumentOnly)
{
    const std::u16string notes = Write("notes.txt");
    const std::u16string first = Write("first.exl");
    const std::u16string second = Write("second.EXL");
    view_->OnDropFiles({notes, first, second});
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(view_->DocumentPath(), first);
    EXPECT_EQ(editor_.loadedPaths.size(), 1u);
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());

    // No document among them: refused with its message, the score stays.
    view_->OnDropFiles({notes, Write("song.mid")});
    EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kUnsupported)});
    EXPECT_EQ(view_->DocumentPath(), first);

    // While playing, nothing happens.
    view_->m_bPlaying = true;
    view_->OnDropFiles({second});
    Pump();
    EXPECT_EQ(view_->DocumentPath(), first);
    view_->m_bPlaying = false;
}

TEST_F(DocumentsTest, FragmentsTravelUnderThePrivateTypeAndCutCopiesFirst)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    EXPECT_FALSE(Enabled(brindle::cmd::kEditCopy));
    Open(Write("song.exl"));

    // Nothing selected and the selection tool: nothing to copy.
    EXPECT_FALSE(Enabled(brindle::cmd::kEditCopy));
    EXPECT_FALSE(Enabled(brindle::cmd::kEditCut));
    EXPECT_FALSE(Enabled(brindle::cmd::kEditPaste));
    view_->OnEditCopy();
    EXPECT_EQ(clipboard->text(), QStringLiteral("before"));
    view_->SetMouseTool(brindle::kPictureCopyTool);
    EXPECT_TRUE(Enabled(brindle::cmd::kEditCopy));
    EXPECT_FALSE(Enabled(brindle::cmd::kEditCut));
    view_->SetMouseTool(brindle::kSelectTool);

    editor_.selection = true;
    EXPECT_TRUE(Enabled(brindle::cmd::kEditCopy));
    view_->OnEditCopy();
    const QMimeData* data = clipboard->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{QString::fromLatin1(brindle::kScoreFragmentMimeType)});
    const QByteArray bytes = data->data(QString::fromLatin1(brindle::kScoreFragmentMimeType));
    EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), editor_.fragment);
    EXPECT_TRUE(Enabled(brindle::cmd::kEditPaste));
    view_->OnEditPaste();
    ASSERT_EQ(editor_.pasted.size(), 1u);
    EXPECT_EQ(editor_.pasted[0], editor_.fragment);

    clipboard->setText(QStringLiteral("before"));
    editor_.ClearCalls();
    editor_.fragment = {'R', 'I', 'F', 'F', 9};
    view_->OnEditCut();
    EXPECT_EQ(editor_.cuts, 1);
    // Copied first, then deleted as the Delete key deletes.
    const std::vector<std::string> names = editor_.Names();
    const auto copied = std::find(names.begin(), names.end(), "CopySelection");
    const auto deleted = std::find(names.begin(), names.end(), "OnKeyDown");
    ASSERT_NE(copied, names.end());
    EXPECT_LT(copied, deleted);
    EXPECT_EQ(editor_.keys, (std::vector<std::pair<int, int>>{{platform::kVkDelete, 0}}));
    EXPECT_EQ(brindle::ScoreFragmentOnClipboard(), editor_.fragment);
}

TEST_F(DocumentsTest, WithATextBoxFocusedTheCommandsWorkOnItsText)
{
    Open(Write("song.exl"));
    editor_.selection = true;
    QLineEdit box;
    box.setText(QStringLiteral("茉莉花开"));
    box.show();
    box.activateWindow();
    box.setFocus();
    ASSERT_TRUE(PumpUntil([&] { return QApplication::focusWidget() == &box; }));
    box.setSelection(0, 2);
    EXPECT_TRUE(Enabled(brindle::cmd::kEditCopy));
    editor_.ClearCalls();
    view_->OnEditCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("茉莉"));
    view_->OnEditCut();
    EXPECT_EQ(box.text(), QStringLiteral("花开"));
    box.setCursorPosition(2);
    view_->OnEditPaste();
    EXPECT_EQ(box.text(), QStringLiteral("花开茉莉"));
    EXPECT_EQ(editor_.cuts, 0);
    EXPECT_TRUE(editor_.pasted.empty());
    for (const std::string& name : editor_.Names())
        EXPECT_NE(name, "CopySelection");
}

TEST_F(DocumentsTest, MidiExportProposesTheDocumentNameAndReportsFailure)
{
    Open(Write("song.exl"));
    const fs::path midi = folder_ / "song.mid";
    dialogs_.ChooseFile(PathText(folder_ / "song"));
    view_->OnExportMidi();
    ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs_.FileDialogs()[0].fileName, u"song");
    EXPECT_EQ(dialogs_.FileDialogs()[0].defaultExtension, u"mid");
    EXPECT_EQ(dialogs_.FileDialogs()[0].filter, u"Midi Files(*.mid)|*.mid||");
    ASSERT_TRUE(fs::exists(midi));
    EXPECT_EQ(TempFolder::Read(midi).substr(0, 4), "MThd");
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());

    dialogs_.ChooseFile(PathText(folder_ / "no" / "such" / "folder.mid"));
    view_->OnExportMidi();
    EXPECT_EQ(Messages(), std::vector<std::u16string>{u"导出MIDI文件失败！"});
    // Cancel: nothing.
    dialogs_.CancelFileDialog();
    view_->OnExportMidi();
    EXPECT_EQ(dialogs_.MessageBoxes().size(), 1u);
}

// The file dialogs start beside the document shown, else beside the newest document of
// the recent list whose folder is still there; never in the folder the program runs in.
TEST_F(DocumentsTest, FileDialogsStartWhereTheDocumentIs)
{
    fs::create_directories(folder_ / "歌曲" / "新");
    fs::create_directories(folder_ / "old");
    const std::u16string song = Write("歌曲/新/song.exl");
    const std::u16string gone = PathText(folder_ / "removed" / "x.exl");
    recent_->Add(Write("old/old.exl"));
    recent_->Add(gone);  // newest, but its folder is no longer there

    // No document yet: beside the newest recent document that can still be reached.
    dialogs_.CancelFileDialog();
    view_->OnFileOpen();
    ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs_.FileDialogs()[0].initialFolder, PathText(folder_ / "old"));

    // With a document: Open, Save As and both exports start in its folder.
    Open(song);
    const std::u16string beside = PathText(folder_ / "歌曲" / "新");
    using Command = std::function<void()>;
    const std::pair<const char*, Command> commands[] = {
        {"open", [this] { view_->OnFileOpen(); }},
        {"save as", [this] { view_->OnFileSaveAs(); }},
        {"MIDI export", [this] { view_->OnExportMidi(); }},
        {"picture export", [this] { view_->OnExportMetafile(); }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        const std::size_t before = dialogs_.FileDialogs().size();
        dialogs_.CancelFileDialog();
        command();
        ASSERT_EQ(dialogs_.FileDialogs().size(), before + 1);
        EXPECT_EQ(dialogs_.FileDialogs().back().initialFolder, beside);
    }
    EXPECT_EQ(dialogs_.FileDialogs().back().fileName, u"song");

    // An untitled score asks beside the document opened last.
    NewScore();
    dialogs_.CancelFileDialog();
    EXPECT_FALSE(view_->OnFileSaveAs());
    EXPECT_EQ(dialogs_.FileDialogs().back().initialFolder, beside);
    EXPECT_TRUE(dialogs_.FileDialogs().back().fileName.empty());
}

TEST_F(DocumentsTest, MetafileExportIsThePageInHundredthsOfAMillimetreWithItsOutline)
{
    Open(Write("song.exl"));
    dialogs_.ChooseFile(PathText(folder_ / "page"));
    view_->OnExportMetafile();
    ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
    EXPECT_EQ(dialogs_.FileDialogs()[0].fileName, u"song");
    EXPECT_EQ(dialogs_.FileDialogs()[0].defaultExtension, u"wmf");
    EXPECT_EQ(dialogs_.FileDialogs()[0].filter, u"Windows Metafile(*.wmf)|*.wmf||");
    const std::string bytes = TempFolder::Read(folder_ / "page.wmf");
    ASSERT_GT(bytes.size(), 88u);
    const emf_test::EmfFile emf(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_FALSE(emf.Records().empty());
    EXPECT_EQ(emf.Records().front().type, emf_test::EMR_HEADER);
    EXPECT_EQ(bytes.substr(40, 4), " EMF");
    // An A4 page: 21000 by 29700 up to the whole pixels of the page.
    const platform::Rect frame = emf.RectAt(24);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_NEAR(frame.right, 21000, 30);
    EXPECT_NEAR(frame.bottom, 29700, 30);
    // The editor drew the page (in black and white, which is off again afterwards) and the
    // outline runs along the edges.
    const std::vector<std::string> names = editor_.Names();
    EXPECT_NE(std::find(names.begin(), names.end(), "Draw"), names.end());
    EXPECT_FALSE(view_->DrawResources().IsBlackAndWhite());
    const QImage picture = emf_test::Play(emf, QSize(view_->PageWidth() + 4, view_->PageHeight() + 4));
    auto dark = [&](QRect area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
        return n;
    };
    EXPECT_GT(dark(QRect(0, 100, 2, 800)), 700);
    EXPECT_GT(dark(QRect(view_->PageWidth() - 2, 100, 3, 800)), 700);
    EXPECT_GT(dark(QRect(100, 0, 500, 2)), 450);
    EXPECT_EQ(dark(QRect(100, 100, 500, 800)), 0);
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());

    // A file that cannot be written says so.
    dialogs_.ChooseFile(PathText(folder_ / "no" / "such" / "page.wmf"));
    view_->OnExportMetafile();
    EXPECT_EQ(Messages(), std::vector<std::u16string>{std::u16string(kSaveFailed)});
}

}  // namespace
