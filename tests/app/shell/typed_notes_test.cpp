// Notes typed into the score view and played on a MIDI keyboard reach the engine's own
// editor: keys from the program's shortcut file, pressed faster than the layout runs,
// all go into the score in order, each after the previous one's commands ran. The
// window after typing is kept as a picture to look at. A crescendo added under the
// typed notes and stretched by its handle shows the same after undo and redo as the
// saved document shows when it is opened again.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/shell/view_listeners.h"
#include "engine/editor/new_score_settings.h"
#include "engine/editor/score_editor.h"
#include "engine/layout/line_mark_view.h"
#include "engine/layout/track_node.h"
#include "engine/xml/page_layout_result.h"
#include "engine/model/edit_mark.h"
#include "engine/model/line_mark.h"
#include "engine/model/part.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/element_path.h"
#include "engine/model/note.h"
#include "platform/font_resources.h"
#include "view_input_fixture.h"
#include "tests/support/specimen_folder.h"

namespace view_input_test {
namespace {

// Passes every notice on to the view's listener and keeps its code.
class NoticeLog final : public quaverly::EditorListener {
public:
    explicit NoticeLog(quaverly::EditorListener* next) : next_(next) {}
    void Notify(const quaverly::EditorNotice& notice) override
    {
        codes.push_back(notice.code);
        next_->Notify(notice);
    }
    std::vector<int> codes;

private:
    quaverly::EditorListener* next_;
};

class TypedNotesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(platform::AddFontResource(std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "fonts" / "Tansy.ttc"), 5);
        editor_ = static_cast<quaverly::ScoreEditor*>(create_quaverly_editor());
        ASSERT_NE(editor_, nullptr);
        view_ = std::make_unique<InputView>();
        view_->UseEditor(editor_);
        view_->resize(900, 700);
        view_->show();
        view_->Create();
        view_->InitialUpdate();
        shell_test::Pump();

        quaverly::NewScoreSettings settings;
        settings.title = u"小星星";
        settings.staves.push_back({0, false, 0});
        settings.barsPerLine = 4;
        editor_->NewDocument(settings);
        view_->SetPageInfo(brindle::PageInfo{});
        view_->ApplyPageInfo();
        view_->ShowScore();
        Settle();
        log_ = std::make_unique<NoticeLog>(view_->EditorListenerAdapter());
        editor_->SetListener(log_.get());
        // The program's own keys: 1-7 the degrees, 0 the rest.
        view_->LoadKeyCommands((std::filesystem::path(BRINDLE_SOURCE_DIR) / "data" / "settings" / "Shortcut.ini").u16string());
    }

    void TearDown() override
    {
        view_.reset();
        editor_->Destroy();
    }

    void Settle()
    {
        for (int i = 0; i < 200; ++i) {
            shell_test::Pump();
            if (view_->PendingRenders() > 0)
                (void)view_->viewport()->grab();
            else if (view_->QueuedInputCount() == 0 && !view_->IsEditorBusy())
                return;
        }
    }

    std::shared_ptr<quaverly::Bar> BarAt(int bar)
    {
        return std::dynamic_pointer_cast<quaverly::Bar>(quaverly::GetElementAtPath3(*editor_->score, 0, 0, bar));
    }

    std::vector<int> CodesOf(int bar)
    {
        std::vector<int> codes;
        if (const auto found = BarAt(bar))
            for (const auto& note : found->GetNotes())
                codes.push_back(note->GetPitchCode());
        return codes;
    }

    quaverly::ScoreEditor* editor_ = nullptr;
    std::unique_ptr<InputView> view_;
    std::unique_ptr<NoticeLog> log_;
};

TEST_F(TypedNotesTest, NotesTypedFasterThanTheLayoutAllGoInInOrderOneAtATime)
{
    // "1 1 5 5 | 6 6 5 -": every key pressed before the window paints once.
    for (int key : {'1', '1', '5', '5', '6', '6'})
        view_->Key(key);
    view_->OnCommand(172);  // a half note for the last one
    view_->Key('5');
    EXPECT_EQ(view_->QueuedInputCount(), 7u);
    Settle();
    EXPECT_EQ(CodesOf(0), (std::vector<int>{2, 2, 6, 6}));
    EXPECT_EQ(CodesOf(1), (std::vector<int>{7, 7, 6}));
    ASSERT_EQ(BarAt(1)->GetNotes().size(), 3u);
    EXPECT_EQ(BarAt(1)->GetNotes()[2]->GetDuration(), 322560);

    // Between two inputs the editor always reported its commands run.
    int busy = 0;
    bool ranSinceBusy = true;
    for (int code : log_->codes) {
        if (code == quaverly::EditorNoticeCode::InputBusy) {
            EXPECT_TRUE(ranSinceBusy) << "input " << busy << " went in before the last one was laid out";
            ++busy;
            ranSinceBusy = false;
        } else if (code == quaverly::EditorNoticeCode::PendingCommandsRun) {
            ranSinceBusy = true;
        }
    }
    EXPECT_EQ(busy, 7);

    const QImage window = view_->viewport()->grab().toImage();
    const std::filesystem::path folder = test_support::SpecimenFolder();
    const std::filesystem::path file = folder / "typed_notes.png";
    window.save(QString::fromStdString(file.string()));
    std::cout << "typed notes picture: " << file.string() << "\n";
}

TEST_F(TypedNotesTest, APressWithThePointerToolPutsTheChosenNoteInTheBarUnderIt)
{
    view_->OnCommand(32843);  // notes with the pointer
    view_->OnCommand(150);    // Re
    // The second bar of the first line, as the layout placed it (score units).
    const auto bar = quaverly::GetElementAtPath4(*editor_->layout, 0, 1, 0, 1);
    ASSERT_NE(bar, nullptr);
    const quaverly::Rect r = bar->GetRect().Moved(bar->GetChildOrigin());
    const platform::Point at = view_->ScoreToWindow(r.left + r.Width() / 4, (r.top + r.bottom) / 2);
    view_->Press(at.x, at.y);
    view_->Release(at.x, at.y);
    Settle();
    EXPECT_EQ(CodesOf(0), std::vector<int>{});
    EXPECT_EQ(CodesOf(1), std::vector<int>{3});
}

TEST_F(TypedNotesTest, AMidiChordBecomesOneNoteWithItsChordNotes)
{
    auto* midi = view_->MidiInListenerAdapter();
    ASSERT_NE(midi, nullptr);
    for (std::uint32_t message : {0x00503C90u, 0x00504090u, 0x00504390u, 0x00404080u, 0x00004390u, 0x00003C90u}) {
        const brindle::MidiInMessage record{brindle::kMidiInData, message, 0};
        midi->OnMidiIn(&record);
    }
    Settle();
    ASSERT_EQ(BarAt(0)->GetNotes().size(), 1u);
    const auto& note = BarAt(0)->GetNotes()[0];
    // C, E, G in C major: the lowest is the main note, a 1; the others ride on it.
    EXPECT_EQ(note->GetPitchCode(), 2);
    ASSERT_NE(note->GetChordNotes(), nullptr);
    EXPECT_EQ(note->GetChordNotes()->GetNotes().size(), 2u);
}

TEST_F(TypedNotesTest, ACrescendoStretchedByItsHandleShowsItsLengthAgainAfterUndoAndRedo)
{
    for (int key : {'1', '2', '3', '4'})
        view_->Key(key);
    Settle();
    ASSERT_TRUE(editor_->PlaceCursorOnBar(0));
    editor_->cursor.timeInBar = 0;
    view_->OnCommand(32818);  // 渐强, from the line palette
    Settle();
    const auto part = std::dynamic_pointer_cast<quaverly::Part>(quaverly::GetElementAtPath2(*editor_->score, 0, 0));
    ASSERT_NE(part, nullptr);
    ASSERT_EQ(part->GetLineMarks().size(), 1u);
    const auto mark = part->GetLineMarks().front();
    const int added = mark->GetDuration();

    const auto view = [this]() -> std::shared_ptr<quaverly::LineMarkView> {
        const auto row = std::dynamic_pointer_cast<quaverly::TrackNode>(
            quaverly::GetElementAtPath3(*editor_->layout, 0, 1, 0));
        return row && !row->GetLineMarkViews().empty() ? row->GetLineMarkViews().front() : nullptr;
    };
    const auto window = [this](quaverly::Point p) { return view_->ScoreToWindow(p.x, p.y); };
    // Selected by a press on its line, which shows its end handle.
    ASSERT_NE(view(), nullptr);
    const quaverly::Point start = view()->GetAbsolutePoint();
    const quaverly::Point onLine{start.x + view()->GetStartPoint().x + 100, start.y + view()->GetStartPoint().y};
    ASSERT_TRUE(view()->HitTest(onLine));
    view_->Press(window(onLine).x, window(onLine).y);
    view_->Release(window(onLine).x, window(onLine).y);
    Settle();
    ASSERT_NE(view(), nullptr);
    const auto& handle = *view()->GetEndHandle();
    ASSERT_EQ(handle.GetColor(), 1);
    const quaverly::Point at = handle.GetAbsolutePoint();
    const quaverly::Rect r = handle.GetRect();
    const platform::Point grip = window({at.x + r.right - 1, at.y + (r.top + r.bottom) / 2});
    // The right handle dragged about 300 pixels to the right.
    view_->Press(grip.x, grip.y);
    for (int dx = 30; dx <= 300; dx += 30)
        view_->Move(grip.x + dx, grip.y);
    view_->Release(grip.x + 300, grip.y);
    Settle();
    const int dragged = mark->GetDuration();
    ASSERT_GT(dragged, added);

    for (int i = 0; i < 2; ++i) {
        editor_->Undo();
        Settle();
    }
    EXPECT_TRUE(part->GetLineMarks().empty());
    for (int i = 0; i < 2; ++i) {
        editor_->Redo();
        Settle();
    }
    ASSERT_EQ(part->GetLineMarks().size(), 1u);
    EXPECT_EQ(mark->GetDuration(), dragged);
    ASSERT_NE(view(), nullptr);
    EXPECT_EQ(view()->GetLineMark(), mark);

    // A press on the empty paper below the music leaves nothing selected; the cursor
    // goes back where an opened document has it.
    const platform::Point paper = window({start.x, start.y + 12000});
    view_->Press(paper.x, paper.y);
    view_->Release(paper.x, paper.y);
    editor_->cursor = {0, 1, 0, 0, 0};
    Settle();
    const QImage redone = view_->viewport()->grab().toImage();

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path file = std::filesystem::path(folder.path().toStdString()) / "渐强.exl";
    quaverly::ScoreFileInfo info;
    info.tempo = 96;
    info.page = {u"A4", 1, 297, 210, 15, 25, 10, 25};
    ASSERT_TRUE(editor_->SaveMusicXml(file.u16string(), info));
    ASSERT_TRUE(editor_->LoadMusicXml(file.u16string(), info));
    Settle();
    const auto opened = std::dynamic_pointer_cast<quaverly::Part>(quaverly::GetElementAtPath2(*editor_->score, 0, 0));
    ASSERT_NE(opened, nullptr);
    ASSERT_EQ(opened->GetLineMarks().size(), 1u);
    EXPECT_EQ(opened->GetLineMarks().front()->GetDuration(), dragged);
    const QImage reopened = view_->viewport()->grab().toImage();
    ASSERT_EQ(redone.size(), reopened.size());
    int differing = 0;
    for (int y = 0; y < redone.height(); ++y)
        for (int x = 0; x < redone.width(); ++x)
            differing += redone.pixel(x, y) != reopened.pixel(x, y) ? 1 : 0;
    // Both windows are kept to look at.
    redone.save(QString::fromStdString((test_support::SpecimenFolder() / "line_mark_redone.png").string()));
    reopened.save(QString::fromStdString((test_support::SpecimenFolder() / "line_mark_reopened.png").string()));
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace view_input_test
