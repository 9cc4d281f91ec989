// One rule for every element that finishes a drag at the button release: only a release
// that ends a press the element saw finishes anything. A second release after a
// finished drag, or a release after a command moved a selected element, reports
// nothing. One table over every class that overrides the release.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/chord_note_list.h"
#include "engine/model/duration_dash.h"
#include "engine/model/edit_mark.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/lyric.h"
#include "engine/model/note.h"
#include "engine/model/note_styles.h"
#include "engine/model/note_time.h"
#include "engine/model/rest.h"
#include "engine/model/unpitched_note.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using fakes::RecordingElement;
namespace id = notification_id;
namespace len = note_length;

// One element under a top that takes every record, laid out, with nothing recorded yet.
struct Subject {
    std::shared_ptr<RecordingElement> top;
    std::shared_ptr<ScoreElement> tree;  // what the top holds
    EditableElement* element = nullptr;  // the element pressed, dragged and released
};

// The middle of the element's rectangle where it is drawn.
Point Inside(const ScoreElement& element)
{
    const Rect r = element.GetRect().Moved(element.GetAbsolutePoint());
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

Subject Attach(FakePainter& painter, std::shared_ptr<ScoreElement> tree, EditableElement* element)
{
    Subject s{std::make_shared<RecordingElement>("top", nullptr), std::move(tree), element};
    s.top->HandleNotifications(0);
    s.top->AppendChild(s.tree);
    s.tree->SetOrigin({1000, 2000});
    s.tree->SetPosition({50, 30});
    s.top->Layout(painter);
    s.top->ClearReceived();
    return s;
}

// A note standing alone, or the owner of the element a case presses.
template <class Kind>
std::shared_ptr<Kind> MakeNote(int pitchCode)
{
    auto note = std::make_shared<Kind>();
    note->SetPitchCode(pitchCode);
    note->SetDuration(len::kEighth);
    return note;
}

struct Case {
    std::string name;
    std::function<Subject(FakePainter&)> make;
    std::vector<int> finished;  // what the release of the drag reports
};

// Selection notices and move steps are left out: the table is about the release.
std::vector<int> ReleaseIds(const RecordingElement& top)
{
    std::vector<int> ids;
    for (const auto& record : top.ReceivedRecords()) {
        const int i = record.id;
        const bool selection = i >= id::kNoteSelectedInfo && i <= id::kSelectionChanged;
        if (!selection)
            ids.push_back(i);
    }
    return ids;
}

const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        {"a plain editable element (a lyric)",
         [](FakePainter& p) {
             auto lyric = std::make_shared<Lyric>();
             lyric->SetText(u"la");
             return Attach(p, lyric, lyric.get());
         },
         {id::kMoveRequest}},
        {"a note",
         [](FakePainter& p) {
             auto note = MakeNote<Note>(3);
             return Attach(p, note, note.get());
         },
         {id::kMoveRequest, id::kNoteOffsetChange}},
        {"a rest",
         [](FakePainter& p) {
             auto rest = MakeNote<Rest>(pitch_code::kRest);
             return Attach(p, rest, rest.get());
         },
         {id::kMoveRequest, id::kNoteOffsetChange}},
        {"an unpitched note",
         [](FakePainter& p) {
             auto special = MakeNote<SpecialNote>(pitch_code::kFirstSpecial);
             return Attach(p, special, special.get());
         },
         {id::kMoveRequest, id::kNoteOffsetChange}},
        {"a continuation dash",
         [](FakePainter& p) {
             auto owner = MakeNote<Note>(3);
             owner->SetDuration(len::kHalf);
             Subject s = Attach(p, owner, owner->GetExtensionGlyphs().at(0).get());
             s.element->SetPosition({300, 30});  // where the bar puts it, clear of the note
             return s;
         },
         {id::kMoveRequest}},
        {"a chord note",
         [](FakePainter& p) {
             auto owner = MakeNote<Note>(3);
             auto chord = MakeNote<Note>(5);
             chord->SetStyle(std::make_shared<ChordNoteStyle>());
             owner->GetChordNotes()->AddNote(chord);
             return Attach(p, owner, chord.get());
         },
         {id::kMoveRequest, id::kChordNoteRelease}},
        {"a grace note",
         [](FakePainter& p) {
             auto owner = MakeNote<Note>(3);
             auto grace = MakeNote<Note>(5);
             grace->SetStyle(std::make_shared<GraceNoteStyle>());
             owner->GetGraceListA()->AddNote(grace);
             return Attach(p, owner, grace.get());
         },
         {id::kChordNoteRelease}},
        {"a grace list, by its mark",
         [](FakePainter& p) {
             auto owner = MakeNote<Note>(3);
             auto grace = MakeNote<Note>(5);
             grace->SetStyle(std::make_shared<GraceNoteStyle>());
             owner->GetGraceListB()->AddNote(grace);
             return Attach(p, owner, owner->GetGraceListB().get());
         },
         {id::kGraceListRelease}},
        {"an edit mark",
         [](FakePainter& p) {
             auto mark = std::make_shared<LayoutMarkA>();
             Subject s = Attach(p, mark, mark.get());
             mark->SetVisible(true);
             return s;
         },
         {id::kHandleReleased}},
        {"another kind of edit mark",
         [](FakePainter& p) {
             auto mark = std::make_shared<BarWidthMark>();
             Subject s = Attach(p, mark, mark.get());
             mark->SetVisible(true);
             return s;
         },
         {id::kHandleReleased}},
    };
    return cases;
}

TEST(StrayReleaseTest, OnlyAReleaseThatEndsAPressFinishesADrag)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        Subject s = c.make(painter);
        const Point from = Inside(*s.element);
        const Point to{from.x + 9, from.y + 6};

        int handled = 0;
        s.top->OnButtonDown(from, 0, handled);
        ASSERT_EQ(s.element->GetState(), element_state::kSelected);
        s.top->OnPointerMove(to, 0);
        s.top->ClearReceived();
        s.top->OnButtonUp(to, 0);
        EXPECT_EQ(ReleaseIds(*s.top), c.finished) << "the release of the drag";

        s.top->ClearReceived();
        s.top->OnButtonUp(to, 0);
        EXPECT_TRUE(s.top->ReceivedRecords().empty()) << "a second release";

        // The recorded move undone by a command: the element is still selected.
        s.element->SetOffset({});
        s.top->OnButtonUp(to, 0);
        EXPECT_TRUE(s.top->ReceivedRecords().empty()) << "a release after an undo";
    }
}

TEST(StrayReleaseTest, AReleaseAfterACommandMovedASelectedElementReportsNothing)
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.name);
        FakePainter painter;
        Subject s = c.make(painter);
        const Point at = Inside(*s.element);
        s.element->Select();
        s.element->SetOffset({kNudgeStep, 0});
        s.top->ClearReceived();

        s.top->OnButtonUp(at, 0);
        EXPECT_TRUE(s.top->ReceivedRecords().empty());

        // The next press and release that the element sees work as ever.
        int handled = 0;
        const Point moved = Inside(*s.element);
        s.top->OnButtonDown(moved, 0, handled);
        s.top->OnPointerMove({moved.x + 9, moved.y}, 0);
        s.top->ClearReceived();
        s.top->OnButtonUp({moved.x + 9, moved.y}, 0);
        EXPECT_EQ(ReleaseIds(*s.top), c.finished);
    }
}

}  // namespace
}  // namespace quaverly
