// The document commands in the whole program offscreen, with the engine's own editor and
// the shipped data: a score survives an abnormal end through the autosave copy, a saved
// score opens again, a file dropped on the window opens, and the MIDI channels of a
// loaded score are known again->
#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include <cstdlib>
#include <algorithm>
#include <filesystem>
#include <tuple>
#include <iostream>
#include <memory>
#include <string>

#include "../../platform/temp_folder.h"
#include "../mididev/fake_midi_backend.h"
#include "app/dialogs/new_score_wizard.h"
#include "app/dialogs/wizard_info_page.h"
#include "app/dialogs/wizard_staff_page.h"
#include "app/shell/brindle_app.h"
#include "app/shell/brindle_doc.h"
#include "app/shell/brindle_view.h"
#include "app/shell/command_ids.h"
#include "app/shell/document_paths.h"
#include "app/shell/main_frame.h"
#include "app/shell/recent_file_list.h"
#include "engine/editor/editor_interface.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/layout_root.h"
#include "engine/layout/selection_range.h"
#include "engine/xml/xml_reader.h"
#include "app/shell/document_loader.h"
#include "app/shell/own_strings.h"
#include "scoredata/score_data.h"
#include "platform/command_manager.h"
#include "platform/dialog_base.h"
#include "platform/scripted_dialog_service.h"
#include "app_test_setup.h"
#include "score_documents.h"
#include "shell_fakes.h"
#include "tests/support/emf_player.h"
#include "tests/support/specimen_folder.h"

namespace {

namespace fs = std::filesystem;
using brindle::CBrindleApp;
using shell_test::Pump;
using shell_test::PumpUntil;

class DocumentsProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data_ = shell_test::CopyDataFolder(folder_.Path(), {"fonts", "settings", "lists", "dtd", "help"});
    }

    CBrindleApp::Options Options(unsigned autosaveInterval = 120000)
    {
        CBrindleApp::Options o = shell_test::TestAppOptions(folder_.Path(), data_, &backend_);
        o.autosaveInterval = autosaveInterval;
        return o;
    }

    // The wizard answered with a title and a staff type, finished on its first page.
    void AnswerWizard(std::u16string title, int staffType)
    {
        dialogs_.AnswerModal([title, staffType](platform::DialogBase& dialog) {
            auto& wizard = static_cast<brindle::CNewScoreWizard&>(dialog);
            static_cast<brindle::CWizardInfoPage*>(wizard.GetPage(0))->SetDlgItemText(brindle::CWizardInfoPage::kIdTitle, title);
            static_cast<brindle::CWizardStaffPage*>(wizard.GetPage(1))->StaffTypeList()->setCurrentRow(staffType);
            wizard.ClickButton(platform::kIdOk);
        });
    }

    static bool Loaded(CBrindleApp& app)
    {
        return PumpUntil([&] { return app.GetActiveView()->HasScore() && !app.GetActiveView()->m_bLoading; }, 15000);
    }

    // The program started on the fixture's data folder, its dialogs answered by the script.
    std::unique_ptr<CBrindleApp> Start(const std::vector<std::u16string>& arguments = {},
                                       unsigned autosaveInterval = 120000)
    {
        auto app = std::make_unique<CBrindleApp>(Options(autosaveInterval));
        if (!app->InitInstance(arguments))
            ADD_FAILURE() << "the program did not start";
        Pump();
        // The start-up's reminders come and go before the test goes on.
        if (!PumpUntil([&] { return !app->GetActiveView()->IsCheckingMidiOut(); }))
            ADD_FAILURE() << "the output's opening at start-up did not end";
        return app;
    }

    TempFolder folder_;
    fs::path data_;
    mididev_test::FakeMidiBackend backend_;
    platform::ScriptedDialogService dialogs_;
    platform::ScopedDialogService scoped_{dialogs_};
};

TEST_F(DocumentsProgramTest, AfterAnAbnormalEndTheAutosaveCopyComesBackIntact)
{
    const fs::path autosave = data_ / "~autosave.exl";
    {
        const auto app = Start({}, 100);
        // Before a score is open the autosave timer writes nothing.
        PumpUntil([] { return false; }, 300);
        EXPECT_FALSE(fs::exists(autosave));
        AnswerWizard(u"茉莉花", 2);
        ASSERT_TRUE(app->GetMainWnd()->Commands().Execute(brindle::cmd::kFileNew));
        ASSERT_TRUE(PumpUntil([&] { return fs::exists(autosave); }, 5000));
        ASSERT_EQ(app->GetActiveView()->Editor()->GetTitle(), u"茉莉花");
        // The program ends without closing: the copy stays behind.
        app->ExitInstance();
    }
    ASSERT_TRUE(fs::exists(autosave));

    dialogs_.AnswerMessageBox(platform::kIdYes);
    const auto again = Start();
    ASSERT_TRUE(Loaded(*again));
    ASSERT_EQ(dialogs_.MessageBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.MessageBoxes()[0].text, u"上一次程序非正常退出，是否需要打开程序为你自动保存的文件");
    brindle::CBrindleView* view = again->GetActiveView();
    EXPECT_EQ(view->Editor()->GetTitle(), u"茉莉花");
    EXPECT_EQ(view->Editor()->GetPartCount(), 2);
    EXPECT_GT(view->Editor()->GetLastPageIndex(), 0);
    EXPECT_TRUE(view->DocumentPath().empty());
    EXPECT_EQ(again->GetDocument()->GetTitle(), u"未命名");
    EXPECT_TRUE(view->IsModified());
    EXPECT_TRUE(again->RecentFiles()->Entries().empty());

    // Closing normally removes the copy.
    dialogs_.AnswerMessageBox(platform::kIdNo);
    again->GetMainWnd()->Commands().Execute(brindle::cmd::kAppExit);
    Pump();
    EXPECT_FALSE(fs::exists(autosave));
}

TEST_F(DocumentsProgramTest, SavedScoreOpensAgainWithItsPartsAndChannels)
{
    // The XML reader (and the libraries behind it) is loaded by the first document read,
    // not by starting, making or saving a score: seen unless an earlier test of this
    // process read one.
    const bool readerLoadedBefore = quaverly::XmlReader::IsLoaded();
    const auto app = Start();
    brindle::CBrindleView* view = app->GetActiveView();
    auto& commands = app->GetMainWnd()->Commands();
    AnswerWizard(u"在那遥远的地方", 3);
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileNew));
    const fs::path file = folder_ / "遥远.exl";
    dialogs_.ChooseFile(brindle::PathText(file));
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileSave));
    ASSERT_TRUE(fs::exists(file));
    EXPECT_FALSE(view->IsModified());
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileClose));
    EXPECT_FALSE(view->HasScore());
    EXPECT_EQ(view->Editor()->GetPartCount(), 0);
    EXPECT_EQ(view->UsedChannels(), std::vector<bool>(16, false));
    if (!readerLoadedBefore) {
        EXPECT_FALSE(quaverly::XmlReader::IsLoaded());
    }

    // Opened from the recent-file list: the same score, its channels known again->
    ASSERT_EQ(app->RecentFiles()->Entries(), std::vector<std::u16string>{brindle::PathText(file)});
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileMru1));
    ASSERT_TRUE(Loaded(*app));
    EXPECT_EQ(view->Editor()->GetTitle(), u"在那遥远的地方");
    EXPECT_EQ(view->Editor()->GetPartCount(), 3);
    EXPECT_GT(view->Editor()->GetLastPageIndex(), 0);
    EXPECT_EQ(app->GetDocument()->GetTitle(), u"遥远");
    EXPECT_FALSE(view->IsModified());
    EXPECT_TRUE(quaverly::XmlReader::IsLoaded());
    std::vector<bool> channels(16, false);
    channels[0] = channels[1] = channels[2] = true;
    EXPECT_EQ(view->UsedChannels(), channels);
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(DocumentsProgramTest, ChannelsOfALoadedScoreComeFromItsParts)
{
    const fs::path file = folder_ / "channels.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(file, {u"声部", 1, 96, 5, {}}));
    const auto app = Start({brindle::PathText(file)});
    ASSERT_TRUE(Loaded(*app));
    std::vector<bool> channels(16, false);
    channels[5] = true;
    EXPECT_EQ(app->GetActiveView()->UsedChannels(), channels);
    EXPECT_EQ(app->GetActiveView()->CurrentTempo(), 96);
}

// The devices are opened while the score named on the command line loads: their
// reminders still show, and the score is already on its way when they do.
TEST_F(DocumentsProgramTest, DeviceRemindersShowWhileTheNamedScoreLoads)
{
    const fs::path file = folder_ / "named.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(file, {u"声部", 1, 96, 5, {}}));
    // No input chosen and an output port that is not there: both reminders apply.
    TempFolder::Write(data_ / "settings" / "Option.ini", "[MIDI DEVICE]\nMidi In Device=-1\nMidi Out Device=5\n");
    std::unique_ptr<CBrindleApp> app;
    std::vector<int> shown;
    std::vector<bool> scoreUnderWay;
    for (int i = 0; i < 2; ++i) {
        dialogs_.AnswerModal([&](platform::DialogBase& notice) {
            shown.push_back(notice.TemplateId());
            brindle::CBrindleView* view = app->GetActiveView();
            scoreUnderWay.push_back(view->m_bLoading || view->HasScore());
            notice.ClickButton(platform::kIdOk);  // on without the device
        });
    }
    app = std::make_unique<CBrindleApp>(Options());
    ASSERT_TRUE(app->InitInstance({brindle::PathText(file)}));
    ASSERT_TRUE(Loaded(*app));
    // The output's reminder follows once its opening has failed on its worker.
    ASSERT_TRUE(PumpUntil([&] { return !app->GetActiveView()->IsCheckingMidiOut(); }));
    EXPECT_EQ(shown, (std::vector<int>{240, 239}));
    EXPECT_EQ(scoreUnderWay, (std::vector<bool>{true, true}));
    EXPECT_EQ(app->GetActiveView()->CurrentTempo(), 96);
}

TEST_F(DocumentsProgramTest, AFileDroppedOnTheWindowOpens)
{
    const fs::path file = folder_ / "dropped.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(file, {u"拖进来的", 2, 96, -1, {}}));
    const auto app = Start();
    brindle::CMainFrame* frame = app->GetMainWnd();
    frame->show();
    Pump();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((folder_ / "notes.txt").string())),
                  QUrl::fromLocalFile(QString::fromStdString(file.string()))});
    const QPointF at(frame->width() / 2.0, frame->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &drop);
    ASSERT_TRUE(Loaded(*app));
    EXPECT_EQ(app->GetActiveView()->DocumentPath(), brindle::PathText(file));
    EXPECT_EQ(app->GetActiveView()->Editor()->GetTitle(), u"拖进来的");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("dropped - Larkspire简谱"));
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(DocumentsProgramTest, MidiExportWritesTheScoresTracks)
{
    const auto app = Start();
    auto& commands = app->GetMainWnd()->Commands();
    AnswerWizard(u"歌", 2);
    ASSERT_TRUE(commands.Execute(brindle::cmd::kFileNew));
    const fs::path midi = folder_ / "歌.mid";
    dialogs_.ChooseFile(brindle::PathText(folder_ / "歌"));
    ASSERT_TRUE(commands.Execute(brindle::cmd::kExportMidi));
    const std::string bytes = TempFolder::Read(midi);
    ASSERT_GE(bytes.size(), 14u);
    EXPECT_EQ(bytes.substr(0, 4), "MThd");
    std::size_t tracks = 0;
    for (std::size_t at = bytes.find("MTrk"); at != std::string::npos; at = bytes.find("MTrk", at + 4))
        ++tracks;
    EXPECT_GE(tracks, 2u);
    EXPECT_TRUE(dialogs_.MessageBoxes().empty());
}

TEST_F(DocumentsProgramTest, MetafileOfAPageShowsTheScore)
{
    const auto app = Start();
    const fs::path document = folder_ / "茉莉花.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(document, {u"茉莉花", 2, 96, -1, shell_test::kJasmine}));
    ASSERT_TRUE(app->GetActiveView()->OpenScoreFile(brindle::PathText(document)));
    ASSERT_TRUE(Loaded(*app));
    auto& commands = app->GetMainWnd()->Commands();
    dialogs_.ChooseFile(brindle::PathText(folder_ / "page"));
    ASSERT_TRUE(commands.Execute(brindle::cmd::kExportMetafile));
    const std::string bytes = TempFolder::Read(folder_ / "page.wmf");
    ASSERT_FALSE(bytes.empty());
    const emf_test::EmfFile emf(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    brindle::CBrindleView* view = app->GetActiveView();
    const QImage picture = emf_test::Play(emf, QSize(view->PageWidth() + 4, view->PageHeight() + 4));
    // Ink inside the margins: the title and the staves.
    int ink = 0;
    for (int y = 60; y < view->PageHeight() - 60; ++y)
        for (int x = 40; x < view->PageWidth() - 40; ++x)
            ink += qGray(picture.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(ink, 500);

    // For people to look at (and to open in other programs).
    const fs::path specimens = test_support::SpecimenFolder();
    std::error_code error;
    EXPECT_TRUE(picture.save(QString::fromStdString((specimens / "metafile_page.png").string())));
    fs::copy_file(folder_ / "page.wmf", specimens / "metafile_page.emf", fs::copy_options::overwrite_existing, error);
    fs::copy_file(document, specimens / "jasmine.exl", fs::copy_options::overwrite_existing, error);
    std::cout << "metafile page: " << (specimens / "metafile_page.emf").string() << "\n";
}

// The notes of some bars, as the score-data record gives them: bar, offset, pitch.
std::vector<std::tuple<int, int, int>> NotesIn(quaverly::api::ScoreEditor& editor, int firstBar, int lastBar)
{
    std::vector<std::tuple<int, int, int>> notes;
    const brindle::ScoreDataPtr score = brindle::ExportScore(editor);
    for (int id : score->GetStaveIds())
        for (int staff : score->GetStave(id)->GetStaffIds())
            for (const tabulon::NoteRecord& note : score->GetStave(id)->GetStaff(staff)->GetNotes())
                if (note.bar >= firstBar && note.bar <= lastBar)
                    notes.emplace_back(note.bar, note.offset, note.pitch);
    std::sort(notes.begin(), notes.end());
    return notes;
}

TEST_F(DocumentsProgramTest, ABlockCutFromOneScorePastesIntoAnother)
{
    const fs::path from = folder_ / "from.exl";
    const fs::path to = folder_ / "to.exl";
    ASSERT_TRUE(shell_test::WriteScoreDocument(from, {u"甲", 1, 96, -1, shell_test::kJasmine}));
    ASSERT_TRUE(shell_test::WriteScoreDocument(to, {u"乙", 1, 96, -1, {}}));
    brindle::RegisterOwnStrings();
    struct Side {
        quaverly::api::ScoreEditor* editor = create_quaverly_editor();
        brindle::CBrindleView view;
        ~Side()
        {
            view.WaitForDocumentWorker();
            view.UseEditor(nullptr);
            quaverly::api::DestroyEditor(editor);
        }
    };
    Side a;
    Side b;
    for (auto [side, file] : {std::pair{&a, from}, std::pair{&b, to}}) {
        side->view.UseEditor(side->editor);
        side->view.SetDataFolder(brindle::PathText(data_));
        side->view.resize(800, 600);
        side->view.Create();
        side->view.InitialUpdate();
        Pump();
        ASSERT_TRUE(side->view.OpenScoreFile(brindle::PathText(file)));
        ASSERT_TRUE(PumpUntil([&] { return side->view.HasScore(); }, 10000));
    }
    const auto melody = NotesIn(*a.editor, 0, 1);
    ASSERT_EQ(melody.size(), 8u);
    EXPECT_TRUE(NotesIn(*b.editor, 0, 1).empty());

    // Bars 1 and 2 selected as a double click and a Ctrl+click select them.
    auto& editor = *static_cast<quaverly::ScoreEditor*>(a.editor);
    editor.layout->GetSelection()->SetFirst(0, 0);
    editor.layout->GetSelection()->Extend(0, 1);
    ASSERT_TRUE(a.view.CanCut());
    a.view.OnEditCut();
    (void)a.view.viewport()->grab();
    EXPECT_TRUE(NotesIn(*a.editor, 0, 1).empty());
    EXPECT_EQ(NotesIn(*a.editor, 2, 2).size(), 3u);  // the bar after the block stays

    ASSERT_TRUE(b.view.CanPaste());
    b.view.OnEditPaste();
    (void)b.view.viewport()->grab();
    EXPECT_EQ(NotesIn(*b.editor, 0, 1), melody);
}

}  // namespace
