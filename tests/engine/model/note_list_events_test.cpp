// Records from grace and chord notes on their way up through their list and the owning
// note: which id reaches the bar and which grace note, chord note, list or mark it
// names. A dragged grace note moves itself, never its list or its owner; a dragged list
// moves the list.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/chord_note_list.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_symbol.h"
#include "engine/model/note_time.h"
#include "engine/model/symbol_mark.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace id = notification_id;
namespace len = note_length;

// A note at origin (1000, 2000), position (50, 30) under a bar that takes every record,
// with one grace note before it, one after it and one chord note; each of the three
// carries a mark and a free symbol (placed above it, clear of the notes).
struct Tree {
    Tree()
    {
        bar->HandleNotifications(0);
        owner->SetPitchCode(5);
        bar->AppendChild(owner);
        owner->SetOrigin({1000, 2000});
        owner->SetPosition({50, 30});
        Dress(graceA, std::make_shared<GraceNoteStyle>());
        Dress(graceB, std::make_shared<GraceNoteStyle>());
        Dress(chord, std::make_shared<ChordNoteStyle>());
        owner->GetGraceListA()->AddNote(graceA);
        owner->GetGraceListB()->AddNote(graceB);
        owner->GetChordNotes()->AddNote(chord);
        bar->Layout(painter);
        bar->ClearReceived();
    }

    static void Dress(const std::shared_ptr<Note>& note, std::shared_ptr<const NoteStyle> style)
    {
        note->SetPitchCode(3);
        note->SetDuration(len::kEighth);
        note->SetStyle(std::move(style));
        note->AddOrnament(std::make_shared<NoteSymbol>(1, 1));
        note->AddSymbol(std::make_shared<SymbolMark>());
    }

    // A point inside a note's symbol.
    static Point Inside(const Note& note)
    {
        const Rect r = note.GetRect().Moved(note.GetChildOrigin());
        return {r.left + 10, r.top + 10};
    }

    FakePainter painter;
    std::shared_ptr<RecordingElement> bar = std::make_shared<RecordingElement>("bar", nullptr);
    std::shared_ptr<Note> owner = std::make_shared<Note>();
    std::shared_ptr<Note> graceA = std::make_shared<Note>();
    std::shared_ptr<Note> graceB = std::make_shared<Note>();
    std::shared_ptr<Note> chord = std::make_shared<Note>();
};

// What the bar should have seen: the ids in order (selection notices 1055-1058 left
// out unless asked for), and the payload of the first record with the id `checked`.
struct Expected {
    std::vector<int> ids{};
    int checked = 0;
    ScoreElement* element = nullptr;
    ScoreElement* owner = nullptr;
    ScoreElement* note = nullptr;
    Point oldOffset{};
    Point newOffset{};
    bool withSelection = false;
};

struct Case {
    std::string name;
    std::function<Expected(Tree&)> run;
};

void Drag(Tree& t, Point from, Point to)
{
    int handled = 0;
    t.bar->OnButtonDown(from, 0, handled);
    t.bar->OnPointerMove({(from.x + to.x) / 2, (from.y + to.y) / 2}, 0);
    t.bar->OnPointerMove(to, 0);
    t.bar->OnButtonUp(to, 0);
}

TEST(NoteListEventsTest, RecordsNameTheGraceOrChordNoteAndItsList)
{
    const std::vector<Case> cases = {
        {"a grace note before asks to be deleted",
         [](Tree& t) {
             t.graceA->DeleteSelected();
             return Expected{.ids = {id::kNoteGoingAway, id::kGraceNoteDelete},
                             .checked = id::kGraceNoteDelete,
                             .element = t.graceA.get(),
                             .owner = t.owner->GetGraceListA().get()};
         }},
        {"a grace note after asks to be deleted",
         [](Tree& t) {
             t.graceB->DeleteSelected();
             return Expected{.ids = {id::kNoteGoingAway, id::kGraceNoteDelete},
                             .checked = id::kGraceNoteDelete,
                             .element = t.graceB.get(),
                             .owner = t.owner->GetGraceListB().get()};
         }},
        {"a chord note asks to be deleted",
         [](Tree& t) {
             t.chord->DeleteSelected();
             return Expected{.ids = {id::kNoteGoingAway, id::kChordNoteDelete},
                             .checked = id::kChordNoteDelete,
                             .element = t.chord.get(),
                             .owner = t.owner->GetChordNotes().get()};
         }},
        {"a chord note's mark deleted",
         [](Tree& t) {
             t.chord->GetOrnaments()[0]->DeleteSelected();
             return Expected{.ids = {id::kChordNoteSymbolDelete},
                             .checked = id::kChordNoteSymbolDelete,
                             .element = t.chord->GetOrnaments()[0].get(),
                             .note = t.chord.get()};
         }},
        {"a chord note's symbol deleted",
         [](Tree& t) {
             t.chord->GetSymbols()[0]->DeleteSelected();
             return Expected{.ids = {id::kChordNoteSymbolMarkDelete},
                             .checked = id::kChordNoteSymbolMarkDelete,
                             .element = t.chord->GetSymbols()[0].get(),
                             .note = t.chord.get()};
         }},
        {"a grace note's symbol deleted",
         [](Tree& t) {
             t.graceB->GetSymbols()[0]->DeleteSelected();
             return Expected{.ids = {id::kGraceNoteSymbolMarkDelete},
                             .checked = id::kGraceNoteSymbolMarkDelete,
                             .element = t.graceB->GetSymbols()[0].get(),
                             .note = t.graceB.get()};
         }},
        {"a grace note's mark deleted names the grace note, not the owner",
         [](Tree& t) {
             t.graceA->GetOrnaments()[0]->DeleteSelected();
             return Expected{.ids = {id::kChordNoteSymbolDelete},
                             .checked = id::kChordNoteSymbolDelete,
                             .element = t.graceA->GetOrnaments()[0].get(),
                             .note = t.graceA.get()};
         }},
        {"a chord note nudged",
         [](Tree& t) {
             t.chord->NudgeRight();
             return Expected{.ids = {id::kChordNoteRelease},
                             .checked = id::kChordNoteRelease,
                             .element = t.chord.get(),
                             .newOffset = {kNudgeStep, 0}};
         }},
        {"a grace note nudged moves the grace note",
         [](Tree& t) {
             t.graceA->NudgeUp();
             return Expected{.ids = {id::kChordNoteRelease},
                             .checked = id::kChordNoteRelease,
                             .element = t.graceA.get(),
                             .newOffset = {0, -kNudgeStep}};
         }},
        {"a chord note dragged",
         [](Tree& t) {
             const Point from = Tree::Inside(*t.chord);
             Drag(t, from, {from.x + 8, from.y - 6});
             // The chord note's generic release report goes up unanswered, as a note's
             // does; its own offset change follows.
             return Expected{.ids = {id::kChordNoteDrag, id::kChordNoteDrag, id::kMoveRequest,
                                     id::kChordNoteRelease},
                             .checked = id::kChordNoteRelease,
                             .element = t.chord.get(),
                             .newOffset = {8, -6}};
         }},
        {"a grace note dragged moves the grace note, never its list or its owner",
         [](Tree& t) {
             const Point from = Tree::Inside(*t.graceA);
             Drag(t, from, {from.x + 8, from.y - 6});
             return Expected{.ids = {id::kChordNoteDrag, id::kChordNoteDrag, id::kChordNoteRelease},
                             .checked = id::kChordNoteRelease,
                             .element = t.graceA.get(),
                             .newOffset = {8, -6}};
         }},
        {"a grace list dragged by its mark moves the list along x",
         [](Tree& t) {
             const auto& list = t.owner->GetGraceListB();
             const Rect strip = list->GetRect().Moved(list->GetAbsolutePoint());
             const Point from{strip.left + 5, strip.top + 5};
             Drag(t, from, {from.x + 12, from.y + 9});
             return Expected{.ids = {id::kGraceListDrag, id::kGraceListDrag, id::kGraceListRelease},
                             .checked = id::kGraceListRelease,
                             .element = list.get(),
                             .newOffset = {12, 0}};
         }},
        {"a grace list nudged",
         [](Tree& t) {
             t.owner->GetGraceListA()->NudgeLeft();
             return Expected{.ids = {id::kGraceListRelease},
                             .checked = id::kGraceListRelease,
                             .element = t.owner->GetGraceListA().get(),
                             .newOffset = {-kNudgeStep, 0}};
         }},
        {"a grace note's lyric dragged moves the lyric",
         [](Tree& t) {
             t.graceA->SetLyricText(0, u"la");
             auto lyric = t.graceA->GetLyric(0);
             lyric->MoveBy({5, 7}, 0);
             return Expected{.ids = {id::kMoveDragStep},
                             .checked = id::kMoveDragStep,
                             .element = lyric.get(),
                             .newOffset = {5, 7}};
         }},
        {"a grace note's mark nudged moves the mark",
         [](Tree& t) {
             auto mark = t.graceB->GetOrnaments()[0];
             mark->NudgeDown();
             return Expected{.ids = {id::kMoveRequest},
                             .checked = id::kMoveRequest,
                             .element = mark.get(),
                             .newOffset = {0, kNudgeStep}};
         }},
        {"a grace note selected",
         [](Tree& t) {
             t.graceB->Select();
             return Expected{.ids = {id::kNoteSelected, id::kNoteSelectedInfo},
                             .checked = id::kNoteSelected,
                             .element = t.graceB.get(),
                             .withSelection = true};
         }},
        {"a chord note selected and deselected",
         [](Tree& t) {
             t.chord->Select();
             t.chord->Deselect();
             return Expected{.ids = {id::kNoteSelected, id::kNoteSelectedInfo, id::kNoteDeselected},
                             .checked = id::kNoteDeselected,
                             .element = t.chord.get(),
                             .withSelection = true};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tree tree;
        const Expected e = c.run(tree);

        std::vector<int> ids;
        const RecordingElement::Received* checked = nullptr;
        for (const auto& record : tree.bar->ReceivedRecords()) {
            const bool selection =
                record.id >= id::kNoteSelectedInfo && record.id <= id::kSelectionChanged;
            if (record.id == id::kSelectionChanged || (selection && !e.withSelection))
                continue;
            ids.push_back(record.id);
            EXPECT_EQ(record.sender, tree.owner.get());
            if (record.id == e.checked && checked == nullptr)
                checked = &record;
        }
        EXPECT_EQ(ids, e.ids);
        ASSERT_NE(checked, nullptr);
        ASSERT_TRUE(checked->hasPayload);
        EXPECT_EQ(checked->payload.element.get(), e.element);
        EXPECT_EQ(checked->payload.owner.get(), e.owner);
        EXPECT_EQ(checked->payload.note.get(), e.note);
        EXPECT_EQ(checked->payload.oldOffset, e.oldOffset);
        EXPECT_EQ(checked->payload.newOffset, e.newOffset);
    }
}

TEST(NoteListEventsTest, DraggingAGraceNoteLeavesItsListAndOwnerInPlace)
{
    Tree tree;
    const auto& list = tree.owner->GetGraceListA();
    const Point from = Tree::Inside(*tree.graceA);
    Drag(tree, from, {from.x + 8, from.y - 6});
    EXPECT_EQ(tree.graceA->GetOffset(), (Point{8, -6}));
    EXPECT_EQ(list->GetOffset(), Point{});
    EXPECT_EQ(tree.owner->GetOffset(), Point{});
}

TEST(NoteListEventsTest, KeysReachTheNotesOfTheLists)
{
    Tree tree;
    tree.chord->Select();
    tree.bar->ClearReceived();
    // The Delete key reaches the selected chord note through the owner and its list.
    tree.bar->OnKeyDown(key_code::kDelete, 0);
    std::vector<int> ids;
    for (const auto& record : tree.bar->ReceivedRecords())
        ids.push_back(record.id);
    EXPECT_EQ(ids, (std::vector<int>{id::kNoteGoingAway, id::kChordNoteDelete}));
}

}  // namespace
}  // namespace quaverly
