// The edit controller turns the records that reach the top of the tree into undo steps,
// steps that only run, and notices: for each kind of delete, drag, nudge and selection,
// how many undo steps it makes, what undo and redo restore, and which notices go out.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/editor/edit_controller.h"
#include "engine/editor/score_editor.h"
#include "engine/model/bar.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_factory.h"
#include "engine/model/note_styles.h"
#include "engine/model/page_text.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/tie.h"
#include "tests/engine/commands/command_test_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_listener.h"

namespace quaverly {
namespace {

namespace id = notification_id;
using command_test::BarAt;
using command_test::PartAt;
using Codes = std::vector<int>;

class EditControllerTest : public testing::Test {
public:
    void SetUp() override
    {
        editor.listener = &listener;
        command_test::FillScore(editor, 1, 2);
        bar = BarAt(editor, 0, 0);
        note = CreateNote(1);
        bar->AddNote(note);
        grace = CreateNote(2);
        note->GetGraceListA()->AddNote(grace);
        chord = CreateNote(3);
        note->GetChordNotes()->AddNote(chord);
        dynamic = std::make_shared<DynamicMark>();
        bar->AddDirection(dynamic);
        pageText = std::make_shared<PageText>();
        editor.score->AddPageText(pageText);
        second = CreateNote(1);
        second->SetStartTime(kTicksPerQuarter);
        bar->AddNote(second);
        tie = std::make_shared<Tie>();
        tie->SetStart({bar, note});
        tie->SetEnd({bar, second});
        PartAt(editor, 0)->AddTie(tie);
        note->SetLyricText(0, u"啊");
    }

    void Send(int code, NotificationPayload& payload)
    {
        ElementNotification record{code, &payload, nullptr};
        editor.controller->Notify(record);
    }
    void Run() { editor.RunPendingCommands(painter); }
    // The notices without the end-of-run notice 22.
    Codes Notices() const
    {
        Codes codes;
        for (int code : listener.codes) {
            if (code != EditorNoticeCode::PendingCommandsRun) {
                codes.push_back(code);
            }
        }
        return codes;
    }

    ScoreEditor editor;
    fakes::FakePainter painter;
    fakes::RecordingListener listener;
    std::shared_ptr<Bar> bar;
    std::shared_ptr<Note> note;
    std::shared_ptr<Note> grace;
    std::shared_ptr<Note> chord;
    std::shared_ptr<DynamicMark> dynamic;
    std::shared_ptr<PageText> pageText;
    std::shared_ptr<Note> second;
    std::shared_ptr<Tie> tie;
};

template <class List, class Item>
bool Holds(const List& list, const std::shared_ptr<Item>& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

struct EditCase {
    std::string name;
    std::function<void(EditControllerTest&)> send;  // sends the records of the edit
    std::function<bool(EditControllerTest&)> done;  // the edit's result is in the model
    std::size_t steps;                              // undo steps it made
    Codes notices;
};

TEST_F(EditControllerTest, EachEditIsOneUndoStepThatUndoesAndRedoes)
{
    const std::vector<EditCase> cases = {
        {"delete note",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.bar = t.bar;
             p.note = t.note;
             t.Send(id::kNoteDelete, p);
         },
         [](EditControllerTest& t) { return !Holds(t.bar->GetNotes(), t.note); }, 1, {1, 3}},
        {"delete a tied note",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.bar = t.bar;
             p.note = t.note;
             t.Send(id::kNoteDelete, p);
         },
         [](EditControllerTest& t) {
             return !Holds(t.bar->GetNotes(), t.note) && t.second->GetTiedFrom() == nullptr &&
                    PartAt(t.editor, 0)->GetTies().empty();
         },
         1, {1, 3}},
        {"delete tie",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.tie;
             p.note = t.note;
             p.owner = t.bar;
             p.part = PartAt(t.editor, 0);
             t.Send(id::kTieDelete, p);
         },
         [](EditControllerTest& t) {
             return PartAt(t.editor, 0)->GetTies().empty() && t.note->GetTiedTo() == nullptr;
         },
         1, {1, 3}},
        {"delete lyric",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.note->GetLyric(0);
             t.Send(id::kLyricDelete, p);
         },
         [](EditControllerTest& t) { return t.note->GetLyric(0)->GetText().empty(); }, 1, {1, 3}},
        {"delete grace note",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.grace;
             p.owner = t.note->GetGraceListA();
             t.Send(id::kGraceNoteDelete, p);
         },
         [](EditControllerTest& t) { return t.note->GetGraceListA()->GetNotes().empty(); }, 1,
         {1, 3}},
        {"delete the only chord note",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.chord;
             p.owner = t.note->GetChordNotes();
             p.note = t.note;
             t.Send(id::kChordNoteDelete, p);
         },
         [](EditControllerTest& t) {
             return t.note->GetChordNotes()->GetNotes().empty() && !t.chord->IsChordMember();
         },
         1, {1, 3}},
        {"delete dynamic",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.dynamic;
             p.bar = t.bar;
             t.Send(id::kDynamicMarkDelete, p);
         },
         [](EditControllerTest& t) { return t.bar->GetDirections().empty(); }, 1, {1, 3}},
        {"delete page text",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.pageText;
             t.Send(id::kPageTextDelete, p);
         },
         [](EditControllerTest& t) { return t.editor.score->GetPageTexts().empty(); }, 1, {1, 3}},
        {"nudge",
         [](EditControllerTest& t) {
             NotificationPayload p;
             p.element = t.dynamic;
             p.oldOffset = {0, 0};
             p.newOffset = {31, 0};
             t.Send(id::kMoveRequest, p);
         },
         [](EditControllerTest& t) { return t.dynamic->GetOffset() == Point{31, 0}; }, 1,
         {1, 3}},
        {"drag a note and release it",
         [](EditControllerTest& t) {
             for (int x : {10, 20, 30}) {
                 NotificationPayload step;
                 step.note = t.note;
                 step.oldOffset = {x - 10, 0};
                 step.newOffset = {x, 0};
                 t.Send(id::kNoteOffsetDrag, step);
             }
             NotificationPayload release;
             release.note = t.note;
             release.oldOffset = {0, 0};  // the offset before the drag, as the view reports it
             release.newOffset = {30, 0};
             t.Send(id::kNoteOffsetChange, release);
         },
         [](EditControllerTest& t) { return t.note->GetOffset() == Point{30, 0}; }, 1,
         {1, 1, 1, 1, 3}},
        {"two nudges bracketed into one step",
         [](EditControllerTest& t) {
             NotificationPayload none;
             t.Send(id::kBeginGroup, none);
             for (int x : {31, 62}) {
                 NotificationPayload p;
                 p.element = t.dynamic;
                 p.oldOffset = {x - 31, 0};
                 p.newOffset = {x, 0};
                 t.Send(id::kMoveRequest, p);
             }
             t.Send(id::kEndGroup, none);
         },
         [](EditControllerTest& t) { return t.dynamic->GetOffset() == Point{62, 0}; }, 1,
         {1, 3, 1, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        editor.ResetDocument();  // a fresh document for each case
        SetUp();
        editor.history.Clear();
        listener.codes.clear();
        const Point noteOffset = note->GetOffset();
        const auto style = note->GetStyle();

        c.send(*this);
        EXPECT_EQ(Notices(), c.notices);
        Run();
        EXPECT_TRUE(c.done(*this));
        EXPECT_EQ(editor.history.UndoCount(), c.steps);

        editor.Undo();
        Run();
        EXPECT_FALSE(c.done(*this));
        EXPECT_EQ(note->GetTiedTo(), second.get());  // every undo leaves the tie whole
        EXPECT_EQ(note->GetOffset(), noteOffset);
        EXPECT_EQ(note->GetStyle(), style);
        editor.Redo();
        Run();
        EXPECT_TRUE(c.done(*this));
    }
}

TEST_F(EditControllerTest, DeletingTheOnlyChordNoteMakesTheNotePlainInTheSameStep)
{
    NotificationPayload p;
    p.element = chord;
    p.owner = note->GetChordNotes();
    p.note = note;
    Send(id::kChordNoteDelete, p);
    Run();
    EXPECT_NE(dynamic_cast<const NormalNoteStyle*>(note->GetStyle().get()), nullptr);
    EXPECT_EQ(editor.history.UndoCount(), 1u);
}

TEST_F(EditControllerTest, SelectionClicksAndDragStepsDoNotMarkTheDocument)
{
    struct Case {
        const char* name;
        int code;
        Codes notices;
    };
    const std::vector<Case> cases = {
        {"selection", id::kSelectionChanged, {1}},
        {"drag step of an element", id::kMoveDragStep, {1}},
        {"bar double click", id::kBarDoubleClicked, {1}},
        {"bar press", id::kBarSelected, {}},
        {"note going away", id::kNoteGoingAway, {}},
        {"handle press", id::kHandlePressed, {}},
        {"nudge without an element", id::kMoveRequest, {}},
        {"note drag step", id::kNoteDragStep, {1}},
        {"unknown id", 1099, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        listener.codes.clear();
        NotificationPayload p;
        Send(c.code, p);
        Run();
        EXPECT_EQ(Notices(), c.notices);
        EXPECT_EQ(editor.history.UndoCount(), 0u);
    }
}

TEST_F(EditControllerTest, SelectedNotesJoinAndLeaveTheSelectionList)
{
    NotificationPayload p;
    p.note = note;
    Send(id::kNoteSelected, p);
    ASSERT_EQ(editor.selectedElements.size(), 1u);
    EXPECT_EQ(editor.selectedElements[0], note);
    Send(id::kNoteDeselected, p);
    EXPECT_TRUE(editor.selectedElements.empty());
    EXPECT_TRUE(Notices().empty());
}

// A user symbol deleted from a note: one step, with or without a block selection (whose
// bars are measured again with the note's line).
TEST_F(EditControllerTest, DeletingANotesSymbolIsOneStepWithOrWithoutABlock)
{
    for (const bool block : {false, true}) {
        SCOPED_TRACE(block);
        editor.history.Clear();
        auto symbol = std::make_shared<SymbolMark>();
        note->AddSymbol(symbol);
        editor.layout->GetSelection()->Clear();
        if (block) {
            editor.layout->GetSelection()->SetFirst(0, 1);
            editor.layout->GetSelection()->Extend(0, 0);
        }
        NotificationPayload p;
        p.element = symbol;
        p.note = note;
        Send(id::kSymbolMarkDelete, p);
        Run();
        EXPECT_TRUE(note->GetSymbols().empty());
        EXPECT_EQ(editor.history.UndoCount(), 1u);
        editor.Undo();
        Run();
        EXPECT_EQ(note->GetSymbols(), std::vector<std::shared_ptr<SymbolMark>>{symbol});
        note->RemoveSymbol(symbol.get());
    }
}

// A chord or grace note comes named by its list: the list holds that note, not the note
// it hangs on, so deselecting it leaves a selected main note in the list.
TEST_F(EditControllerTest, AChordNoteJoinsTheSelectionListItself)
{
    NotificationPayload main;
    main.note = note;
    Send(id::kNoteSelected, main);
    NotificationPayload own;
    own.element = chord;
    own.note = note;
    Send(id::kNoteSelected, own);
    EXPECT_EQ(editor.selectedElements,
              (std::vector<std::shared_ptr<ScoreElement>>{note, chord}));
    Send(id::kNoteDeselected, own);
    EXPECT_EQ(editor.selectedElements, (std::vector<std::shared_ptr<ScoreElement>>{note}));
}

TEST(EditControllerHandlers, EveryIdHasExactlyOneHandler)
{
    using H = EditController::Handler;
    struct Range {
        int first;
        int last;
        H handler;
    };
    // The ids each handler owns; every id not listed has none.
    const std::vector<Range> owned = {
        {4, 9, H::kForward},        {12, 12, H::kStructure},     {13, 13, H::kForward},
        {1001, 1028, H::kEdit},     {1030, 1046, H::kStructure}, {1047, 1050, H::kLineMark},
        {1055, 1055, H::kStructure}, {1056, 1057, H::kEditor},   {1058, 1067, H::kStructure},
        {1071, 1071, H::kEditor},   {1072, 1075, H::kStructure},
    };
    for (int code = 0; code <= 1100; ++code) {
        H expected = H::kNone;
        for (const auto& r : owned) {
            if (code >= r.first && code <= r.last) {
                expected = r.handler;
            }
        }
        EXPECT_EQ(EditController::HandlerOf(code), expected) << code;
    }
}

TEST_F(EditControllerTest, EditRequestsGoToTheListenerUnchanged)
{
    NotificationPayload p;
    p.text = u"标题";
    for (int code : {4, 9, 12, 13}) {
        listener.codes.clear();
        Send(code, p);
        EXPECT_EQ(Notices(), Codes{code});
    }
}

}  // namespace
}  // namespace quaverly
