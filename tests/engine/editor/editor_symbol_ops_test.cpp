// Marks through the exported factory: articulations and free symbols on the selected
// notes and bar lines, dynamics, page texts, bar-line styles, repeats and jump marks at
// their targets, line breaks, line marks, grouping signs and bar numbers.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/barline_view.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/extend_symbol.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/line_mark.h"
#include "engine/model/page_text.h"
#include "engine/model/part_group.h"
#include "tests/engine/editor/editor_ops_fixture.h"

namespace quaverly {
namespace {

using Codes = std::vector<int>;
using editor_test::kChanged;
constexpr int kQuarter = note_length::kQuarter;

class EditorSymbolOpsTest : public editor_test::EditorOpsFixture {
protected:
    // Bar-line view `view` of music line `line` (1 is the first), selected.
    std::shared_ptr<BarlineView> SelectView(std::size_t line, std::size_t view)
    {
        const auto node = LineAt(line);
        const auto& views = node->GetBarlineViews();
        EXPECT_LT(view, views.size());
        views.at(view)->Select();
        return views.at(view);
    }
};

TEST_F(EditorSymbolOpsTest, ArticulationsGoOnEverySelectedNoteGraceAndChordNotesToo)
{
    NewScore();
    CursorOnBar(0);
    TypeAll({2, 3});
    CursorOnBar(0);
    Type(4);  // a chord note on the 1
    NoteAt(0, 0)->Select();
    Type(6, note_length::k16th, 0, 0, 0, 1);  // a grace note before it
    const auto main = NoteAt(0, 0);
    const auto chord = main->GetChordNotes()->GetNotes().at(0);
    const auto grace = main->GetGraceListA()->GetNotes().at(0);
    main->Deselect();
    chord->Select();
    grace->Select();
    NoteAt(0, 1)->Select();
    CursorOnBar(0);
    listener.codes.clear();

    handle->AddArticulation(5);  // a code without a symbol of its own
    EXPECT_TRUE(listener.codes.empty());
    handle->AddArticulation(3);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    EXPECT_TRUE(main->GetOrnaments().empty());
    EXPECT_EQ(chord->GetOrnaments().size(), 1u);
    EXPECT_EQ(grace->GetOrnaments().size(), 1u);
    EXPECT_EQ(NoteAt(0, 1)->GetOrnaments().size(), 1u);
    handle->Undo();
    Run();
    EXPECT_TRUE(chord->GetOrnaments().empty());
    EXPECT_TRUE(NoteAt(0, 1)->GetOrnaments().empty());

    // Selected notes off the cursor's line get nothing.
    CursorOnBar(4);
    listener.codes.clear();
    handle->AddArticulation(3);
    EXPECT_TRUE(listener.codes.empty());
}

TEST_F(EditorSymbolOpsTest, AFreeSymbolGoesOnSelectedNotesAndBarLines)
{
    NewScore(2);
    CursorOnBar(0);
    Type(2);
    NoteAt(0, 0)->Select();
    SelectView(1, 1);  // the end of bar 0
    ExtendSymbol symbol;
    symbol.name = u"延长";
    symbol.text = u"A";
    handle->AddOtherSymbol(symbol);
    Run();
    ASSERT_EQ(NoteAt(0, 0)->GetSymbols().size(), 1u);
    EXPECT_EQ(BarAt(0)->GetBarline(1)->GetSymbols().size(), 1u);
    EXPECT_TRUE(BarAt(0, 1)->GetBarline(1)->GetSymbols().empty());  // on the top row only
    handle->Undo();
    Run();
    EXPECT_TRUE(NoteAt(0, 0)->GetSymbols().empty());
    EXPECT_TRUE(BarAt(0)->GetBarline(1)->GetSymbols().empty());
}

TEST_F(EditorSymbolOpsTest, DynamicsGoAtTheCursorAndNeedABar)
{
    NewScore();
    Editor().cursor = {0, 30, 0, 0, 0};
    EXPECT_FALSE(handle->SetDynamics(7));
    EXPECT_TRUE(listener.codes.empty());
    CursorOnBar(2, kQuarter);
    EXPECT_TRUE(handle->SetDynamics(7));
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    ASSERT_EQ(BarAt(2)->GetDirections().size(), 1u);
    EXPECT_EQ(BarAt(2)->GetDirections()[0]->GetDynamicsCode(), 7);
    EXPECT_EQ(BarAt(2)->GetDirections()[0]->GetTimePosition(), kQuarter);
    handle->Undo();
    Run();
    EXPECT_TRUE(BarAt(2)->GetDirections().empty());
}

TEST_F(EditorSymbolOpsTest, APageTextNeedsAPageOfTheLayout)
{
    NewScore();
    PageTextData text;
    text.text = u"前奏";
    text.rect = {100, 100, 3000, 800};
    for (const int page : {1, 5, -1}) {
        Editor().cursor.page = page;
        handle->AddTextItem(text);
    }
    EXPECT_TRUE(listener.codes.empty());
    Editor().cursor.page = 0;
    handle->AddTextItem(text);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    ASSERT_EQ(Editor().score->GetPageTexts().size(), 1u);
    EXPECT_EQ(Editor().score->GetPageTexts()[0]->GetPage(), 0);
    EXPECT_EQ(Editor().score->GetPageTexts()[0]->GetTextData().text, u"前奏");
    handle->Undo();
    Run();
    EXPECT_TRUE(Editor().score->GetPageTexts().empty());
}

TEST_F(EditorSymbolOpsTest, BarLineStylesAndMarksLandOnTheirTargets)
{
    // Line 2 shows bars 4-7: views 0-7 are the start and end of each bar in turn.
    enum { kStart = 0, kEnd = 1 };
    struct Case {
        const char* name;
        std::size_t selected;  // view of line 2
        int style;
        int mark;  // -1: SetBarline
        int bar;   // the target's bar and side
        int side;
        bool handled;
    };
    const Case cases[] = {
        {"double on an end", 3, 5, -1, 5, kEnd, true},
        {"double on a start goes to the end before", 2, 5, -1, 4, kEnd, true},
        {"final on a start goes to the end before", 4, 6, -1, 5, kEnd, true},
        {"start-repeat style on an end goes to the start after", 3, 7, -1, 6, kStart, true},
        {"single on a start stays", 0, 1, -1, 4, kStart, true},
        {"double on the line's first start has no target", 0, 5, -1, 4, kStart, false},
        {"start repeat on an end", 3, 7, 1, 6, kStart, true},
        {"start repeat on a start", 4, 7, 1, 6, kStart, true},
        {"end repeat on a start", 4, 6, 2, 5, kEnd, true},
        {"end repeat on an end", 3, 6, 2, 5, kEnd, true},
        {"D.C. on a start", 4, 1, 3, 5, kEnd, true},
        {"To Coda on a start", 4, 1, 7, 5, kEnd, true},
        {"Coda on an end", 3, 1, 6, 6, kStart, true},
        {"Segno on a start stays", 4, 1, 8, 6, kStart, true},
        {"Fine on an end stays", 3, 1, 5, 5, kEnd, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore(2);
        CursorOnBar(4);
        SelectView(2, c.selected);
        listener.codes.clear();
        const int oldType = BarAt(c.bar)->GetBarline(c.side)->GetType();
        const bool handled =
            c.mark < 0 ? handle->SetBarline(c.style) : handle->AddJumpMark(c.style, c.mark);
        EXPECT_EQ(handled, c.handled);
        if (!c.handled) {
            EXPECT_TRUE(listener.codes.empty());
            continue;
        }
        // The last notices are the change's; the moved selection repaints before them.
        ASSERT_GE(listener.codes.size(), 2u);
        EXPECT_EQ(Codes(listener.codes.end() - 2, listener.codes.end()), kChanged);
        Run();
        for (const int part : {0, 1}) {
            EXPECT_EQ(BarAt(c.bar, part)->GetBarline(c.side)->GetType(), c.style);
            EXPECT_EQ(BarAt(c.bar, part)->GetBarline(c.side)->GetMarkValue(),
                      c.mark < 0 ? 0 : c.mark);
        }
        handle->Undo();
        Run();
        EXPECT_EQ(BarAt(c.bar)->GetBarline(c.side)->GetType(), oldType);
        EXPECT_EQ(BarAt(c.bar)->GetBarline(c.side)->GetMarkValue(), 0);
    }
}

TEST_F(EditorSymbolOpsTest, APlainStyleTakesARepeatOffTheBarLine)
{
    NewScore();
    CursorOnBar(4);
    SelectView(2, 3);
    handle->AddJumpMark(6, 2);
    Run();
    ASSERT_EQ(BarAt(5)->GetBarline(1)->GetMarkValue(), 2);
    SelectView(2, 3);
    handle->SetBarline(1);
    Run();
    EXPECT_EQ(BarAt(5)->GetBarline(1)->GetType(), 1);
    EXPECT_EQ(BarAt(5)->GetBarline(1)->GetMarkValue(), 0);
    handle->Undo();
    Run();
    EXPECT_EQ(BarAt(5)->GetBarline(1)->GetMarkValue(), 2);
}

TEST_F(EditorSymbolOpsTest, ALineBreakGoesAtTheSelectedBarLine)
{
    struct Case {
        const char* name;
        std::size_t line;
        std::size_t view;
        int bar;  // where a line begins now
    };
    const Case cases[] = {
        {"the end of bar 5", 2, 3, 6},
        {"the start of bar 5", 2, 2, 5},
        {"the end of the last bar", 5, 7, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewScore();
        EXPECT_FALSE(handle->InsertLineBreak());  // nothing selected
        SelectView(c.line, c.view);
        listener.codes.clear();
        EXPECT_TRUE(handle->InsertLineBreak());
        EXPECT_EQ(listener.codes, kChanged);
        Run();
        EXPECT_EQ(Editor().score->GetLineBreaks().count(c.bar), 1u);
        bool begins = c.bar == handle->GetBarCount();
        for (std::size_t i = 1; i < Editor().lines.size(); ++i)
            begins = begins || LineAt(i)->GetBarRange().first == c.bar;
        EXPECT_TRUE(begins);
        handle->Undo();
        Run();
        EXPECT_TRUE(Editor().score->GetLineBreaks().empty());
    }
}

TEST_F(EditorSymbolOpsTest, ALineBreakAtThePagesFirstBarMarksTheLastLineOfThePageBefore)
{
    NewScore();
    handle->SetLinesOnPage(2);
    Run();
    ASSERT_GE(Editor().layout->GetChildCount(), 2);
    const auto page = Editor().layout->GetChild(1);
    std::size_t first = 0;
    while (first < Editor().lines.size() && Editor().lines[first]->GetParent() != page.get())
        ++first;
    ASSERT_GT(first, 0u);
    ASSERT_LT(first, Editor().lines.size());
    SelectView(first, 0);  // the start of the page's first bar
    const int bar = LineAt(first)->GetBarRange().first;
    ASSERT_TRUE(handle->InsertLineBreak());
    Run();
    ASSERT_EQ(Editor().score->GetLineBreaks().count(bar), 1u);
    const auto before = LineAt(first - 1);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->GetBarRange().end, bar);
    EXPECT_TRUE(before->GetLineBreakMark());
}

TEST_F(EditorSymbolOpsTest, LineMarksStartAtTheCursorAndSlursStretchOverTheSelection)
{
    NewScore();
    CursorOnBar(1);
    TypeAll({2, 3, 4, 5, 6, 7});  // bar 1 full, bar 2 half full
    struct Case {
        const char* name;
        int kind;
        std::vector<std::pair<int, std::size_t>> selected;  // bar, note
        int bar;
        int time;
        int duration;
    };
    const Case cases[] = {
        {"crescendo at the cursor", 0, {}, 2, kQuarter, kQuarter},
        {"slur over notes of two bars", 3, {{1, 1}, {2, 1}, {1, 3}}, 1, kQuarter, 4 * kQuarter},
        {"slur with one note stays at the cursor", 2, {{1, 2}}, 2, kQuarter, kQuarter},
        {"ending to the end of the bar", 7, {}, 2, kQuarter, 3 * kQuarter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editor().ClearSelectedElements();
        for (const auto& [bar, index] : c.selected)
            NoteAt(bar, index)->Select();
        CursorOnBar(2, kQuarter);
        listener.codes.clear();
        handle->AddLineMark(c.kind);
        EXPECT_EQ(listener.codes, kChanged);
        Run();
        ASSERT_EQ(PartAt(0)->GetLineMarks().size(), 1u);
        const auto mark = PartAt(0)->GetLineMarks()[0];
        EXPECT_EQ(mark->GetKind(), c.kind);
        EXPECT_EQ(mark->GetBar(), c.bar);
        EXPECT_EQ(mark->GetTimePosition(), c.time);
        EXPECT_EQ(mark->GetDuration(), c.duration);
        EXPECT_EQ(mark->GetOffset(), (Point{0, 0}));
        handle->Undo();
        Run();
        EXPECT_TRUE(PartAt(0)->GetLineMarks().empty());
        // Redone, the same mark comes back over the same span.
        handle->Redo();
        Run();
        ASSERT_EQ(PartAt(0)->GetLineMarks().size(), 1u);
        EXPECT_EQ(PartAt(0)->GetLineMarks()[0], mark);
        EXPECT_EQ(mark->GetBar(), c.bar);
        EXPECT_EQ(mark->GetTimePosition(), c.time);
        EXPECT_EQ(mark->GetDuration(), c.duration);
        handle->Undo();
        Run();
        EXPECT_TRUE(PartAt(0)->GetLineMarks().empty());
    }
    listener.codes.clear();
    handle->AddLineMark(13);
    Editor().cursor = {0, 30, 0, 0, 0};
    handle->AddLineMark(0);
    EXPECT_TRUE(listener.codes.empty());
}

TEST_F(EditorSymbolOpsTest, ALineMarkLikeOneAlreadyThereIsNotAddedAgain)
{
    NewScore();
    CursorOnBar(2, kQuarter);
    handle->AddLineMark(1);
    Run();
    const std::size_t steps = Editor().history.UndoCount();
    listener.codes.clear();
    handle->AddLineMark(1);  // the same mark at the same place
    EXPECT_TRUE(listener.codes.empty());
    Run();
    EXPECT_EQ(PartAt(0)->GetLineMarks().size(), 1u);
    EXPECT_EQ(Editor().history.UndoCount(), steps);
    CursorOnBar(2, 2 * kQuarter);  // elsewhere it is a mark of its own
    handle->AddLineMark(1);
    Run();
    EXPECT_EQ(PartAt(0)->GetLineMarks().size(), 2u);
}

TEST_F(EditorSymbolOpsTest, AGroupingSignSpansTheCursorsPart)
{
    NewScore(2);
    const std::size_t groups = Editor().score->GetPartGroups().size();
    Editor().cursor.track = 1;
    handle->AddGrouping(part_group_type::kBracket);
    EXPECT_EQ(listener.codes, kChanged);
    Run();
    ASSERT_EQ(Editor().score->GetPartGroups().size(), groups + 1);
    const auto group = Editor().score->GetPartGroups().back();
    EXPECT_EQ(group->GetType(), part_group_type::kBracket);
    EXPECT_EQ(group->GetFirstPart(), 1);
    EXPECT_EQ(group->GetLastPart(), 1);
    handle->Undo();
    Run();
    EXPECT_EQ(Editor().score->GetPartGroups().size(), groups);
    Editor().cursor.track = 2;  // no such part
    handle->AddGrouping(part_group_type::kBrace);
    handle->AddGrouping(9);
    Run();
    EXPECT_EQ(Editor().score->GetPartGroups().size(), groups);
}

TEST_F(EditorSymbolOpsTest, BarNumbersAtLineStartsOrEveryNthBar)
{
    NewScore();
    const auto numbers = [this] {
        std::vector<std::pair<int, int>> shown;  // bar, number
        for (int b = 0; b < handle->GetBarCount(); ++b)
            if (const auto& decorator = BarAt(b)->GetDecorator())
                shown.emplace_back(b, decorator->GetProperties().index);
        return shown;
    };
    using Shown = std::vector<std::pair<int, int>>;
    struct Case {
        const char* name;
        BarNumberFormat format;
        Shown shown;
    };
    BarNumberFormat lineStarts;
    lineStarts.format = 0;
    BarNumberFormat everyFifth;
    everyFifth.format = 1;
    everyFifth.interval = 5;
    BarNumberFormat shiftedAndCut = lineStarts;
    shiftedAndCut.countFrom = 4;  // bar 4 counts as the first
    shiftedAndCut.firstNumber = 0;
    shiftedAndCut.lastNumber = 8;
    const Case cases[] = {
        {"line starts", lineStarts, {{0, 1}, {4, 5}, {8, 9}, {12, 13}, {16, 17}}},
        {"every fifth bar", everyFifth, {{4, 5}, {9, 10}, {14, 15}, {19, 20}}},
        {"counted from bar 4 up to 9", shiftedAndCut, {{4, 1}, {8, 5}, {12, 9}}},
    };
    Shown before;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        handle->SetBarNumbering(c.format);
        EXPECT_EQ(listener.codes, kChanged);
        Run();
        EXPECT_EQ(numbers(), c.shown);
        // The numbers before come back with one undo step, and go again with redo.
        handle->Undo();
        Run();
        EXPECT_EQ(numbers(), before);
        handle->Redo();
        Run();
        EXPECT_EQ(numbers(), c.shown);
        before = c.shown;
    }
    BarNumberFormat noInterval = everyFifth;
    noInterval.interval = 0;
    handle->SetBarNumbering(noInterval);
    EXPECT_TRUE(listener.codes.empty());
}

}  // namespace
}  // namespace quaverly
