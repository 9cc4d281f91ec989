// Every kind of element the user can select, edited on the laid-out score the way the
// program hands the events over (a click to select, then Delete, a drag or Ctrl+arrow),
// with the real edit controller and queue: an edit that changes the score is one undo
// step, marks the document modified once, and undo and redo give back exactly the saved
// document before and after; after redo the page draws as the saved document does when
// it is opened again. An edit that no owner takes changes nothing and records nothing.
// Also: tied notes deleted in one undo step, a layout run that records nothing, and the
// opening time signature edited like any other.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "engine/layout/barline_view.h"
#include "engine/layout/layout_mark_view.h"
#include "engine/layout/page_node.h"
#include "engine/layout/part_group_view.h"
#include "engine/layout/system_start_line.h"
#include "engine/layout/tie_view_group.h"
#include "engine/model/accidental_sign.h"
#include "engine/model/bar_number_format.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/edit_mark.h"
#include "engine/model/expression_text.h"
#include "engine/model/extend_symbol.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/header_text.h"
#include "engine/model/key_signature.h"
#include "engine/model/lyric.h"
#include "engine/model/note_symbol.h"
#include "engine/model/part_group.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/tempo_mark.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "engine/model/tuplet.h"
#include "engine/xml/page_layout_result.h"
#include "tests/engine/editor/editor_ops_fixture.h"
#include "tests/engine/editor/pointer_gestures.h"
#include "tests/engine/editor/text_difference.h"

namespace quaverly {
namespace {

namespace fs = std::filesystem;
using fakes::PainterCall;
constexpr int kQuarter = note_length::kQuarter;
constexpr int kEighth = note_length::kQuarter / 2;

enum class Edit { kDelete, kDrag, kNudge };
struct ElementCase;

class ElementEditRoundTripTest : public editor_test::EditorOpsFixture {
public:
    using EditorOpsFixture::BarAt;
    using EditorOpsFixture::CursorOnBar;
    using EditorOpsFixture::Editor;
    using EditorOpsFixture::handle;
    using EditorOpsFixture::LineAt;
    using EditorOpsFixture::NoteAt;
    using EditorOpsFixture::Run;
    using EditorOpsFixture::Type;
    using EditorOpsFixture::TypeAll;

    ~ElementEditRoundTripTest() override
    {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }

    std::shared_ptr<TrackNode> Row(std::size_t line, int track = 0)
    {
        const auto system = LineAt(line);
        return system ? system->GetTrack(track) : nullptr;
    }

    // The document as saved.
    std::string Saved()
    {
        EXPECT_TRUE(handle->SaveMusicXml(path_.u16string(), PageLayoutResult{}));
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // What the first page draws, nothing selected.
    static std::vector<PainterCall> PageOf(api::ScoreEditor& editor, fakes::FakePainter& painter)
    {
        editor.OnButtonDown({-50000, -50000}, 0, 0);
        editor.OnButtonUp({-50000, -50000}, 0);
        editor.RunPendingCommands(&painter);
        painter.Clear();
        editor.Draw(&painter);
        return painter.DrawCalls();
    }
    std::vector<PainterCall> Page() { return PageOf(*handle, painter); }

    // The first page of the saved document opened in an editor of its own.
    std::vector<PainterCall> PageOfSavedDocument(
        const std::function<void(api::ScoreEditor&)>& show = {})
    {
        Saved();
        editor_test::EditorHandle other(create_quaverly_editor());
        other->SetPageContentSize(16000, editor_test::kHeading + 5 * editor_test::kLine + 100);
        PageLayoutResult info;
        EXPECT_TRUE(other->LoadMusicXml(path_.u16string(), info));
        if (show)
            show(*other);
        fakes::FakePainter otherPainter;
        return PageOf(*other, otherPainter);
    }

    // Empty when alike, else where they part.
    static std::string FirstDifference(const std::string& actual, const std::string& expected)
    {
        return editor_test::FirstLineDifference(actual, expected);
    }
    static std::string FirstDifference(const std::vector<PainterCall>& actual,
                                       const std::vector<PainterCall>& expected)
    {
        const std::size_t n = std::min(actual.size(), expected.size());
        for (std::size_t i = 0; i <= n; ++i) {
            if (i == n) {
                if (actual.size() == expected.size())
                    return {};
                return "call " + std::to_string(i) + ": " + std::to_string(actual.size()) +
                       " calls instead of " + std::to_string(expected.size());
            }
            if (!(actual[i] == expected[i])) {
                std::string text = "call " + std::to_string(i) + ": " + actual[i].name;
                for (int v : actual[i].ints)
                    text += " " + std::to_string(v);
                text += "\ninstead of: " + expected[i].name;
                for (int v : expected[i].ints)
                    text += " " + std::to_string(v);
                return text;
            }
        }
        return {};
    }

    // Makes the score with the case's element, selects the element with a click, edits
    // it and checks the steps, the notices, undo, redo and the page.
    void EditAndRoundTrip(const ElementCase& c, Edit edit);

    // Three quarters of one pitch and one of another in bar 1, typed from the cursor.
    void TypeBarOne()
    {
        CursorOnBar(1);
        TypeAll({3, 3, 3, 6});
    }

    // The notes of bar 1 selected: a click on the first, shift-clicks on the others.
    void SelectNotesOfBar(int bar, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i)
            NoteAt(bar, i)->Select();
    }

private:
    fs::path path_ = fs::temp_directory_path() /
                     ("brindle_round_trip_" + std::to_string(::getpid()) + ".exl");
};

using RoundTrip = ElementEditRoundTripTest;

const char* NameOf(Edit edit)
{
    switch (edit) {
        case Edit::kDelete:
            return "Delete";
        case Edit::kDrag:
            return "drag";
        case Edit::kNudge:
            return "Ctrl+arrow";
    }
    return "";
}

struct ElementCase {
    const char* name;
    int staves;
    std::function<void(RoundTrip&)> prepare;  // puts the element into the score
    std::function<std::shared_ptr<ScoreElement>(RoundTrip&)> find;  // the element on the page
    bool vertical;  // moved up and down only
    // The view switches the element needs to show, for every editor that draws the page.
    std::function<void(api::ScoreEditor&)> show;
    // Undo steps that each edit records: 1 for an edit that changes the score, 0 for
    // one that no owner takes.
    int deleteSteps, dragSteps, nudgeSteps;
    int dragDistance = 100;  // in two steps
};

void ElementEditRoundTripTest::EditAndRoundTrip(const ElementCase& c, Edit edit)
{
    NewScore(c.staves);
    TypeBarOne();
    c.prepare(*this);
    if (c.show)
        c.show(*handle);
    Run();
    Editor().ClearSelectedElements();
    Editor().history.Clear();
    const std::string before = Saved();
    auto element = c.find(*this);
    ASSERT_NE(element, nullptr);

    // A click selects the element and records nothing.
    const Point grab = editor_test::GrabPoint(*element);
    editor_test::DragThroughEditor(*handle, grab, {});
    Run();
    ASSERT_EQ(element->GetState(), element_state::kSelected);
    EXPECT_FALSE(handle->CanUndo());
    listener.codes.clear();

    const auto step = [&c](int d) { return c.vertical ? Point{0, d} : Point{d, 0}; };
    int steps = 0;
    switch (edit) {
        case Edit::kDelete:
            handle->OnKeyDown(key_code::kDelete, 0);
            steps = c.deleteSteps;
            break;
        case Edit::kDrag:
            editor_test::DragThroughEditor(*handle, grab, {step(c.dragDistance / 2), step(c.dragDistance - c.dragDistance / 2)});
            steps = c.dragSteps;
            break;
        case Edit::kNudge:
            handle->OnKeyDown(c.vertical ? key_code::kDown : key_code::kRight,
                              input_flag::kKeepSelection);
            steps = c.nudgeSteps;
            break;
    }
    // The document is marked modified by an edit, never by one that no owner takes.
    const auto modified = std::count(listener.codes.begin(), listener.codes.end(),
                                     EditorNoticeCode::DocumentModified);
    if (steps > 0) {
        EXPECT_GE(modified, 1);
        ASSERT_FALSE(listener.codes.empty());
        EXPECT_EQ(listener.codes.back(), EditorNoticeCode::DocumentModified);
    } else {
        EXPECT_EQ(modified, 0);
    }
    Run();
    const std::string after = Saved();
    EXPECT_EQ(Editor().history.UndoCount(), static_cast<std::size_t>(steps));
    if (steps == 0) {
        EXPECT_EQ(FirstDifference(after, before), "");
        EXPECT_EQ(FirstDifference(Page(), PageOfSavedDocument(c.show)), "");
        return;
    }
    EXPECT_NE(after, before);
    handle->Undo();
    Run();
    EXPECT_EQ(FirstDifference(Saved(), before), "") << "after undo";
    handle->Redo();
    Run();
    EXPECT_EQ(FirstDifference(Saved(), after), "") << "after redo";
    EXPECT_EQ(FirstDifference(Page(), PageOfSavedDocument(c.show)), "") << "page after redo";
}

TEST_F(ElementEditRoundTripTest, EveryElementEditIsOneStepThatUndoAndRedoGiveBackExactly)
{
    const ElementCase cases[] = {
        {"note", 1, [](RoundTrip&) {}, [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.NoteAt(1, 3); },
         false, {}, 1, 1, 1},
        {"rest", 1, [](RoundTrip& t) { t.CursorOnBar(2); t.Type(1); },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.NoteAt(2, 0); }, false, {}, 1, 1, 1},
        {"tie", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(1);
             t.handle->ToggleTie();
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.Row(1)->GetTieViews().at(0); },
         true, {}, 1, 1, 1},
        {"tuplet", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(2);
             t.TypeAll({2, 3, 4}, kEighth);
             t.SelectNotesOfBar(2, 3);
             t.handle->MakeTuplet(3, 2);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(2)->GetTuplets().at(0); },
         true, {}, 1, 1, 1},
        {"lyric", 1,
         [](RoundTrip& t) { t.handle->SetLyricText({0, 1, 0, kQuarter, u"春"}); },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.NoteAt(1, 1)->GetLyric(0); },
         false, {}, 1, 1, 1},
        {"dynamic mark", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(1, kQuarter);
             t.handle->SetDynamics(7);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(1)->GetDirections().at(0); },
         false, {}, 1, 1, 1},
        {"articulation", 1,
         [](RoundTrip& t) {
             t.NoteAt(1, 1)->Select();
             t.CursorOnBar(1);
             t.handle->AddArticulation(3);
             t.Run();
             t.NoteAt(1, 1)->Deselect();
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.NoteAt(1, 1)->GetOrnaments().at(0); },
         false, {}, 1, 1, 1},
        {"free symbol", 1,
         [](RoundTrip& t) {
             t.NoteAt(1, 1)->Select();
             ExtendSymbol symbol;
             symbol.name = u"延长";
             symbol.text = u"A";
             t.handle->AddOtherSymbol(symbol);
             t.Run();
             t.NoteAt(1, 1)->Deselect();
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.NoteAt(1, 1)->GetSymbols().at(0); },
         false, {}, 1, 1, 1},
        {"key signature", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(4);
             t.handle->SetKeySignature(3);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.LineAt(2)->GetKeySignatures().at(0);
         },
         false, {}, 1, 1, 1},
        {"time signature", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(4);
             t.handle->SetTimeSignature(3, 4);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(4)->GetTimeSignature(); },
         false, {}, 1, 1, 1},
        {"opening time signature", 1, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.LineAt(1)->GetTimeSignatures().at(0);
         },
         false, {}, 1, 1, 1},
        {"tempo mark", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(4);
             t.handle->SetTempo(kQuarter, 90);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.LineAt(2)->GetTempoMarks().at(0); },
         false, {}, 1, 1, 1},
        {"expression text", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(4);
             t.handle->SetTempoText(u"渐慢");
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.LineAt(2)->GetExpressionTexts().at(0);
         },
         false, {}, 1, 1, 1},
        {"title", 1, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.Editor().score->GetTitleText(); },
         false, {}, 1, 1, 1},
        {"instrument name", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(4);
             t.handle->SetInstrumentName(u"笛子", false);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetInstrumentName(); },
         false, {}, 1, 1, 1},
        {"page text", 1,
         [](RoundTrip& t) {
             PageTextData text;
             text.rect = {2000, 3000, 5000, 3600};
             text.text = u"附注";
             t.Editor().cursor.page = 0;
             t.handle->AddTextItem(text);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             const auto page = std::dynamic_pointer_cast<PageNode>(t.Editor().layout->GetChild(0));
             return page->GetPageTextViews().at(0);
         },
         false, {}, 1, 1, 1},
        {"part group", 3, [](RoundTrip& t) { t.handle->AddGrouping(part_group_type::kBracket); },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.LineAt(1)->GetPartGroupViews().at(0);
         },
         false, {}, 1, 1, 1},
        {"grace note", 1,
         [](RoundTrip& t) {
             t.NoteAt(1, 1)->Select();
             t.Type(6, note_length::k16th, 0, 0, 0, 1);
             t.Editor().ClearSelectedElements();
             t.NoteAt(1, 1)->Deselect();
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.NoteAt(1, 1)->GetGraceListA()->GetNotes().at(0);
         },
         false, {}, 1, 1, 1},
        {"chord note", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(1);
             t.Type(5);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.NoteAt(1, 0)->GetChordNotes()->GetNotes().at(0);
         },
         false, {}, 1, 1, 1},
        {"barline mark", 1,
         [](RoundTrip& t) {
             t.BarAt(5)->GetBarline(1)->GetMark()->SetValue(3);
             t.handle->Refresh();
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.BarAt(5)->GetBarlineMarkViews().at(0);
         },
         false, {}, 1, 1, 1},
        {"bar number", 1, [](RoundTrip& t) { t.handle->SetBarNumbering(BarNumberFormat{}); },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(4)->GetDecorator(); },
         false, {}, 1, 1, 1},
        {"line mark", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(1);
             t.handle->AddLineMark(0);
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.Row(1)->GetLineMarkViews().at(0);
         },
         false, {}, 1, 1, 1},
        {"line break mark", 1,
         [](RoundTrip& t) {
             const auto& start = t.LineAt(2)->GetBarlineViews().at(4);  // bar 6 begins
             start->Select();
             t.handle->InsertLineBreak();
             start->Deselect();
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.LineAt(2)->GetLineBreakMark(); },
         false, [](api::ScoreEditor& e) { e.ShowLineBreakMarks(true); }, 1, 0, 0},
        {"bars-per-line mark", 1,
         [](RoundTrip& t) {
             t.CursorOnBar(4);
             t.handle->SetBarsPerLine({3, false});
         },
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> {
             return t.LineAt(2)->GetBarsPerLineMark();
         },
         false, [](api::ScoreEditor& e) { e.ShowLineBreakMarks(true); }, 1, 0, 0},
        {"line start", 3, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.LineAt(1)->GetStartLines().at(0); },
         false, {}, 0, 0, 0},
        {"indent handle", 1, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.LineAt(2)->GetIndentMark(); },
         false, [](api::ScoreEditor& e) { e.ShowIndentMarks(true); }, 0, 1, 0},
        {"line-spacing handle", 1, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetSpacingMark(); },
         // Within what the page has to spare: every line of the part grows by it.
         true, [](api::ScoreEditor& e) { e.ShowLineSpacingMarks(true); }, 0, 1, 0, 16},
        {"line-position handle", 1, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.Row(2)->GetPositionMark(); },
         true, [](api::ScoreEditor& e) { e.ShowLinePositionMarks(true); }, 0, 1, 0},
        {"bar-width handle", 1, [](RoundTrip&) {},
         [](RoundTrip& t) -> std::shared_ptr<ScoreElement> { return t.BarAt(5)->GetWidthMark(); },
         false, [](api::ScoreEditor& e) { e.ShowBarWidthMarks(true); }, 0, 1, 0},
    };
    for (const ElementCase& c : cases) {
        for (const Edit edit : {Edit::kDelete, Edit::kDrag, Edit::kNudge}) {
            SCOPED_TRACE(std::string(c.name) + ", " + NameOf(edit));
            EditAndRoundTrip(c, edit);
        }
    }
}

// A tied note deleted: one undo step, after which the tie runs on to the next note of the
// same pitch; undo gives back the note in its place, the tie to it with the links both
// ways, and its tuplet; redo the deletion as it was.
TEST_F(ElementEditRoundTripTest, DeletingATiedNoteIsOneStepThatUndoReversesExactly)
{
    struct Case {
        const char* name;
        std::function<void(RoundTrip&)> type;  // the notes, the cursor then on the first tied one
        int startBar;
        std::size_t startIndex;
        int endBar;  // the deleted note: the first note of this bar after the start
        std::size_t endIndex;
        bool inTuplet;
    };
    const Case cases[] = {
        {"within a bar",
         [](RoundTrip& t) {
             t.CursorOnBar(1);
             t.TypeAll({3, 3, 3, 6});
             t.CursorOnBar(1);
         },
         1, 0, 1, 1, false},
        {"across a line break",
         [](RoundTrip& t) {
             t.CursorOnBar(3);
             t.TypeAll({6, 6, 6, 3, 3, 3});
             t.CursorOnBar(3, 3 * kQuarter);
         },
         3, 3, 4, 0, false},
        {"in a triplet",
         [](RoundTrip& t) {
             t.CursorOnBar(1);
             t.TypeAll({3, 3, 3}, kEighth);
             t.SelectNotesOfBar(1, 3);
             t.handle->MakeTuplet(3, 2);
             t.Run();
             t.Editor().ClearSelectedElements();
             t.CursorOnBar(1);
         },
         1, 0, 1, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        c.type(*this);
        handle->ToggleTie();
        Run();
        const auto a = NoteAt(c.startBar, c.startIndex);
        const auto b = NoteAt(c.endBar, c.endIndex);
        const auto next = NoteAt(c.endBar, c.endIndex + 1);
        ASSERT_TRUE(a && b && next);
        ASSERT_EQ(a->GetTiedTo(), b.get());
        const auto tie = PartAt(0)->GetTies().at(0);
        const auto tuplets = BarAt(c.endBar)->GetTuplets();
        ASSERT_EQ(tuplets.size(), c.inTuplet ? 1u : 0u);
        const auto members = [&tuplets] {
            return tuplets.empty() ? std::vector<std::shared_ptr<Note>>{}
                                   : tuplets.front()->GetNotes();
        };
        const auto membersBefore = members();
        const auto notesBefore = BarAt(c.endBar)->GetNotes();
        Editor().history.Clear();
        const std::string before = Saved();

        editor_test::DragThroughEditor(*handle, editor_test::GrabPoint(*b), {});
        Run();
        ASSERT_EQ(b->GetState(), element_state::kSelected);
        listener.codes.clear();
        handle->OnKeyDown(key_code::kDelete, 0);
        EXPECT_EQ(std::count(listener.codes.begin(), listener.codes.end(),
                             EditorNoticeCode::DocumentModified),
                  1);
        Run();
        EXPECT_EQ(Editor().history.UndoCount(), 1u);
        EXPECT_EQ(std::find(BarAt(c.endBar)->GetNotes().begin(), BarAt(c.endBar)->GetNotes().end(), b),
                  BarAt(c.endBar)->GetNotes().end());
        // The tie runs on to the note that follows.
        EXPECT_EQ(tie->GetEnd().note, next);
        EXPECT_EQ(a->GetTiedTo(), next.get());
        EXPECT_EQ(next->GetTiedFrom(), a.get());
        const std::string after = Saved();

        handle->Undo();
        Run();
        EXPECT_EQ(FirstDifference(Saved(), before), "") << "after undo";
        EXPECT_EQ(BarAt(c.endBar)->GetNotes(), notesBefore);
        EXPECT_EQ(tie->GetStart().note, a);
        EXPECT_EQ(tie->GetEnd().note, b);
        EXPECT_EQ(a->GetTiedTo(), b.get());
        EXPECT_EQ(b->GetTiedFrom(), a.get());
        EXPECT_EQ(next->GetTiedFrom(), nullptr);
        EXPECT_EQ(members(), membersBefore);
        EXPECT_EQ(b->GetTupletActual(), c.inTuplet ? 3 : 0);
        EXPECT_EQ(Editor().history.UndoCount(), 0u);

        handle->Redo();
        Run();
        EXPECT_EQ(FirstDifference(Saved(), after), "") << "after redo";
        EXPECT_EQ(a->GetTiedTo(), next.get());
        EXPECT_EQ(FirstDifference(Page(), PageOfSavedDocument()), "") << "page after redo";
    }
}

// Laying the score out only reads it: a tie left open with a note of its pitch next to it,
// within a bar and across a line break, stays open, and no run records or marks anything.
TEST_F(ElementEditRoundTripTest, ALayoutRunRecordsNothing)
{
    NewScore();
    CursorOnBar(1);
    TypeAll({3, 3, 5, 5});
    CursorOnBar(3);
    TypeAll({6, 6, 6, 2, 2});
    const auto part = PartAt(0);
    std::vector<std::shared_ptr<Tie>> open;
    for (const auto& [bar, index] : {std::pair{1, 0u}, std::pair{3, 3u}}) {
        auto tie = std::make_shared<Tie>();
        tie->SetStart({BarAt(bar), NoteAt(bar, index)});
        part->AddTie(tie);
        open.push_back(tie);
    }
    Editor().history.Clear();
    listener.codes.clear();
    const std::string before = Saved();

    for (const auto& relayout : std::vector<std::function<void()>>{
             [&] { handle->Refresh(); }, [&] { handle->Repaginate(); },
             [&] { handle->SetCurrentPage(0); }}) {
        relayout();
        Run();
        handle->Draw(&painter);
    }
    EXPECT_FALSE(handle->CanUndo());
    EXPECT_FALSE(handle->CanRedo());
    EXPECT_TRUE(listener.codes.empty());
    for (const auto& tie : open)
        EXPECT_EQ(tie->GetEnd().note, nullptr);
    EXPECT_EQ(NoteAt(1, 0)->GetTiedTo(), nullptr);
    EXPECT_EQ(NoteAt(3, 3)->GetTiedTo(), nullptr);
    EXPECT_EQ(FirstDifference(Saved(), before), "");
    // The open ties are drawn on the line of their start notes, and on no other.
    EXPECT_EQ(Row(1)->GetTieViews().size(), 2u);
    EXPECT_EQ(Row(2)->GetTieViews().size(), 0u);
}

// The time signature the first line shows at its start is deleted, dragged and nudged like
// the one inside a line.
TEST_F(ElementEditRoundTripTest, TheOpeningTimeSignatureIsEditedLikeAnyOther)
{
    NewScore();
    const auto signature = BarAt(0)->GetTimeSignature();
    ASSERT_NE(signature, nullptr);
    ASSERT_EQ(LineAt(1)->GetTimeSignatures().size(), 1u);
    ASSERT_EQ(LineAt(1)->GetTimeSignatures()[0], signature);
    const Point grab = editor_test::GrabPoint(*signature);

    editor_test::DragThroughEditor(*handle, grab, {{40, 0}, {60, 0}});
    Run();
    EXPECT_EQ(signature->GetOffset(), (Point{100, 0}));
    editor_test::DragThroughEditor(*handle, OffsetPoint(grab, {100, 0}), {});
    handle->OnKeyDown(key_code::kRight, input_flag::kKeepSelection);
    handle->OnKeyDown(key_code::kRight, input_flag::kKeepSelection);
    EXPECT_EQ(signature->GetOffset(), (Point{100, 0}));  // asked for, not yet moved
    Run();
    EXPECT_EQ(signature->GetOffset(), (Point{100 + 2 * kNudgeStep, 0}));
    EXPECT_EQ(Editor().history.UndoCount(), 3u);

    handle->OnKeyDown(key_code::kDelete, 0);
    Run();
    EXPECT_EQ(BarAt(0)->GetTimeSignature(), nullptr);
    EXPECT_TRUE(LineAt(1)->GetTimeSignatures().empty());
    EXPECT_EQ(Editor().history.UndoCount(), 4u);
    handle->Undo();
    Run();
    EXPECT_EQ(BarAt(0)->GetTimeSignature(), signature);
    ASSERT_EQ(LineAt(1)->GetTimeSignatures().size(), 1u);
    for (int i = 0; i < 3; ++i)
        handle->Undo();
    Run();
    EXPECT_EQ(signature->GetOffset(), (Point{0, 0}));
}

}  // namespace
}  // namespace quaverly
