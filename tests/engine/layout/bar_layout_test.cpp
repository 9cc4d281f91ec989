// A bar's own layout after the layout engine has spaced its column: which accidentals
// it shows, and where its notes, lyrics, tuplet brackets, dynamics and marks go.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/barline_mark_view.h"
#include "engine/model/accidental_sign.h"
#include "engine/model/augmentation_dots.h"
#include "engine/model/barline.h"
#include "engine/model/barline_mark.h"
#include "engine/model/beam_group.h"
#include "engine/model/chord_note_list.h"
#include "engine/model/decorator.h"
#include "engine/model/dynamic_mark.h"
#include "engine/model/edit_mark.h"
#include "engine/model/lyric.h"
#include "engine/model/note_styles.h"
#include "engine/model/tie.h"
#include "engine/model/time_signature.h"
#include "tests/engine/layout/layout_test_score.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using namespace layout_test;
namespace len = note_length;

// Lays the column out and then the bars of both parts, as a line does.
void LayAndPlace(const std::shared_ptr<Score>& score, FakePainter& painter, Point origin)
{
    Lay(score, painter, 0, 1);
    for (int part = 0; part < 2; ++part) {
        const auto bar = BarOf(*score, part, 0);
        bar->SetOrigin(origin);
        bar->Layout(painter);
    }
}

std::vector<int> Shown(const Bar& bar)
{
    std::vector<int> shown;
    for (const auto& note : bar.GetNotes())
        shown.push_back(note->GetAccidentalSign()->GetAccidental());
    return shown;
}

TEST(BarLayoutTest, AccidentalsShownAlongTheBar)
{
    struct Case {
        const char* what;
        std::vector<int> written;
        std::vector<int> shown;
        int tiedNote = -1;  // tied from the note before it
    };
    const Case cases[] = {
        {"sharp, none, sharp", {1, 0, 1}, {1, 4, 1}},
        {"sharp, natural, sharp", {1, 4, 1}, {1, 4, 3}},
        {"flat, natural, flat", {-1, 4, -1}, {-1, 4, -3}},
        {"natural, none", {4, 0}, {4, 0}},
        {"sharp, sharp, double sharp", {1, 1, 2}, {1, 0, 2}},
        {"none, none", {0, 0}, {0, 0}},
        {"a tied note shows nothing", {1, 0, 1}, {1, 4, 0}, 2},
        {"and still counts as written", {1, 4, 4, 1}, {1, 4, 0, 3}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePainter painter;
        auto score = MakeScore(2, 1);
        Bar& bar = *BarOf(*score, 0, 0);
        for (const int accidental : c.written)
            AddNote(bar, len::kQuarter)->SetAccidental(accidental);
        AddNotes(*BarOf(*score, 1, 0), 4, len::kQuarter);
        Tie tie;
        if (c.tiedNote > 0) {
            tie.SetStart({nullptr, bar.GetNotes()[static_cast<std::size_t>(c.tiedNote - 1)]});
            tie.SetEnd({nullptr, bar.GetNotes()[static_cast<std::size_t>(c.tiedNote)]});
        }
        LayAndPlace(score, painter, {});
        EXPECT_EQ(Shown(bar), c.shown);
        // What is drawn is what is shown.
        painter.Clear();
        bar.Draw(painter);
        std::vector<int> drawn;
        for (const auto& call : painter.CallsNamed("DrawAccidental"))
            drawn.push_back(call.ints[2]);
        std::vector<int> expected = c.shown;
        std::erase(expected, 0);
        std::erase(drawn, 0);
        EXPECT_EQ(drawn, expected);
    }
}

TEST(BarLayoutTest, OtherPitchesAndSpecialNotesKeepTheirOwnAccidentals)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& bar = *BarOf(*score, 0, 0);
    AddNote(bar, len::kQuarter, 0, 4)->SetAccidental(1);
    AddNote(bar, len::kQuarter, 0, 5);  // another pitch: no natural
    auto high = AddNote(bar, len::kQuarter, 0, 4);
    high->SetOctave(1);  // the same degree an octave up is another pitch too
    auto special = AddNote(bar, len::kQuarter, 0, pitch_code::kFirstSpecial);
    special->SetAccidental(1);
    special->GetAccidentalSign()->SetAccidental(2);
    // A chord note shares the bar's table: after the sharp 3 of the first note, a plain
    // 3 in a chord shows a natural.
    auto chordNote = CreateNote(4);
    chordNote->SetStyle(std::make_shared<ChordNoteStyle>());
    bar.GetNotes()[1]->GetChordNotes()->AddNote(chordNote);
    AddNotes(*BarOf(*score, 1, 0), 4, len::kQuarter);
    LayAndPlace(score, painter, {});

    EXPECT_EQ(Shown(bar), (std::vector<int>{1, 0, 0, 2})) << "special notes are left alone";
    EXPECT_EQ(chordNote->GetAccidentalSign()->GetAccidental(), 4);
}

TEST(BarLayoutTest, ABarNeverSpacedStillLaysOutAndDraws)
{
    FakePainter painter;
    Bar bar;
    AddNote(bar, len::kQuarter)->SetLyricText(0, u"ab");
    AddTuplet(bar, 3, 2, len::kEighth);
    bar.GetBarline(1)->SetMarkValue(4);
    bar.Layout(painter);  // no position map: every time sits at x 0
    EXPECT_EQ(bar.GetNotes()[0]->GetPosition(), (Point{0, 230}));
    EXPECT_EQ(bar.GetBarlineMarkViews().size(), 1u);
    bar.Draw(painter);
    EXPECT_EQ(painter.Count("DrawJumpMark"), 1);
}

// Part A: an eighth-note triplet, a quarter and a half; part B: two quarters and a
// half. The column is 3040 wide and both parts put time 161280 at x 1100 (see the
// engine test). The bars start at (1000, 500).
class PlacedBarTest : public testing::Test {
protected:
    void SetUp() override
    {
        score = MakeScore(2, 1);
        a = BarOf(*score, 0, 0);
        b = BarOf(*score, 1, 0);
        tuplet = AddTuplet(*a, 3, 2, len::kEighth);
        AddNote(*a, len::kQuarter);
        AddNote(*a, len::kHalf);
        AddNotes(*b, 2, len::kQuarter);
        AddNote(*b, len::kHalf);
    }

    void Place() { LayAndPlace(score, painter, {1000, 500}); }

    FakePainter painter;
    std::shared_ptr<Score> score;
    std::shared_ptr<Bar> a;
    std::shared_ptr<Bar> b;
    std::shared_ptr<Tuplet> tuplet;
};

TEST_F(PlacedBarTest, NotesSitAtTheXOfTheirTimeCentredOnTheBarLine)
{
    a->GetNotes()[4]->GetDotsElement();  // made before the layout, which places it
    Place();
    ASSERT_EQ(a->GetRect().Width(), 3040);
    const struct {
        const Bar* bar;
        std::size_t note;
        Point position;
    } cases[] = {
        {a.get(), 0, {230, 230}},  {a.get(), 1, {470, 230}},  {a.get(), 2, {710, 230}},
        {a.get(), 3, {1100, 230}}, {a.get(), 4, {1730, 230}}, {b.get(), 0, {230, 230}},
        {b.get(), 1, {1100, 230}}, {b.get(), 2, {1730, 230}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        const auto& note = c.bar->GetNotes()[c.note];
        EXPECT_EQ(note->GetOrigin(), (Point{1000, 500}));
        EXPECT_EQ(note->GetPosition(), c.position);
        EXPECT_EQ(note->GetParent(), c.bar);
    }
    // The half's dash stands at the next beat, its dots element after its head.
    const auto& half = a->GetNotes()[4];
    ASSERT_EQ(half->GetExtensionGlyphs().size(), 1u);
    EXPECT_EQ(half->GetExtensionGlyphs()[0]->GetPosition(), (Point{XOf(*a, 483840), 230}));
    EXPECT_EQ(half->GetDotsElement()->GetPosition(), (Point{1730 + 120, 230}));
    // The triplet's eighths share one beam group.
    ASSERT_EQ(a->GetBeamGroups().size(), 1u);
    EXPECT_EQ(a->GetBeamGroups()[0]->GetNotes().size(), 3u);
}

TEST_F(PlacedBarTest, TupletBracketRunsFromTheFirstNoteToTheLastUnit)
{
    a->GetNotes()[0]->SetOctave(1);  // octave dots above raise the bracket's start
    Place();
    EXPECT_EQ(tuplet->GetBracketStart(), (Point{230 + 80, -60}));
    EXPECT_EQ(tuplet->GetBracketEnd(), (Point{710 + 40, 0}));
    EXPECT_EQ(tuplet->GetPosition(), (Point{0, 230}));
    painter.Clear();
    a->Draw(painter);
    const auto calls = painter.CallsNamed("DrawTuplet");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].ints, (std::vector<int>{1000 + 310, 500 + 230 - 60, 440, 3, 0}));
}

TEST_F(PlacedBarTest, LyricsAreCentredUnderTheirNotesWithTheVerseOffset)
{
    a->GetNotes()[3]->SetLyricText(1, u"abc");
    a->GetNotes()[0]->SetLyricText(0, u"a");
    a->SetVerseOffset(1, {10, 900});
    Place();
    ASSERT_EQ(a->GetRect().Width(), 3040) << "the lyric fits in the free space";
    EXPECT_EQ(a->GetNotes()[3]->GetLyric(1)->GetPosition(), (Point{1100 - 90 + 10, 900}));
    EXPECT_EQ(a->GetNotes()[0]->GetLyric(0)->GetPosition(), (Point{230 + 10, 0}));
    painter.Clear();
    a->Draw(painter);
    const auto calls = painter.CallsNamed("DrawLyric");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].ints[0], 1000 + 1020);
    EXPECT_EQ(calls[1].ints[1], 500 + 900);
}

// Notes make their lyrics when first asked for: one made after the layout (to open the
// in-place editor on an empty verse) is already where the next layout puts it.
TEST_F(PlacedBarTest, ALyricMadeAfterTheLayoutSitsWhereTheLayoutPutsIt)
{
    a->SetVerseOffset(2, {10, 900});
    Place();
    const auto& note = a->GetNotes()[3];
    ASSERT_EQ(note->GetLyricIfMade(2), nullptr);
    const auto lyric = note->GetLyric(2);
    const Point madeAt = lyric->GetAbsolutePoint();
    const Rect madeRect = lyric->GetRect();
    EXPECT_EQ(lyric->GetParent(), note.get());
    Place();
    EXPECT_EQ(lyric->GetAbsolutePoint(), madeAt);
    EXPECT_EQ(lyric->GetRect(), madeRect);
    EXPECT_EQ(lyric->GetParent(), note.get());
}

TEST_F(PlacedBarTest, DynamicsDecoratorTimeSignatureAndWidthHandle)
{
    auto dynamic = std::make_shared<DynamicMark>();
    dynamic->SetTimePosition(161280);
    dynamic->SetDynamicsCode(5);
    a->AddDirection(dynamic);
    auto decorator = std::make_shared<Decorator>();
    BarNumberFormat format;
    format.hOffset = 15;
    a->SetDecorator(decorator);
    decorator->SetProperties(format);
    auto signature = std::make_shared<TimeSignature>();
    a->SetTimeSignature(signature);
    auto placedElsewhere = std::make_shared<TimeSignature>();
    placedElsewhere->SetSystemPlaced(true);
    b->SetTimeSignature(placedElsewhere);
    Place();

    EXPECT_EQ(dynamic->GetPosition(), (Point{1100 + 60, 700 + 100}));
    EXPECT_EQ(decorator->GetPosition(), (Point{15, -500}));
    EXPECT_EQ(signature->GetPosition(), (Point{30, 50})) << "after the left barline, centred";
    EXPECT_EQ(a->GetWidthMark()->GetPosition(), (Point{3040, 0}));
    EXPECT_EQ(a->GetWidthMark()->GetOrigin(), (Point{1000, 500}));

    painter.Clear();
    a->Draw(painter);
    const auto names = painter.Names();
    const auto first = [&names](const char* name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    EXPECT_EQ(painter.CallsNamed("DrawDynamicMark")[0].ints,
              (std::vector<int>{1000 + 1160 - 100, 500 + 800, 5, 0}));
    EXPECT_EQ(painter.CallsNamed("DrawTimeSignature")[0].ints,
              (std::vector<int>{1030, 550, 4, 4, 0}));
    EXPECT_LT(first("DrawNote"), first("DrawTuplet"));
    EXPECT_LT(first("DrawTuplet"), first("DrawDynamicMark"));
    EXPECT_LT(first("DrawDynamicMark"), first("DrawBarIndex"));
    EXPECT_LT(first("DrawBarIndex"), first("DrawTimeSignature"));

    painter.Clear();
    b->Draw(painter);
    EXPECT_EQ(painter.Count("DrawTimeSignature"), 0) << "the line shows it";
}

TEST_F(PlacedBarTest, BarlineMarksGetViewsAtTheirBarline)
{
    struct Case {
        const char* what;
        int left;
        int right;
        bool leftView;
        bool rightView;
    };
    const Case cases[] = {
        {"no marks", 0, 0, false, false},
        {"values 1 and 2 show nothing", 1, 2, false, false},
        {"a mark at the right barline", 0, 7, false, true},
        {"marks at both barlines", 3, 8, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        a->GetBarline(0)->SetMarkValue(c.left);
        a->GetBarline(1)->SetMarkValue(c.right);
        a->GetBarline(1)->GetMark()->SetOffset({5, -5});
        Place();
        // The left view stands at the bar's start, the right one at its right edge.
        std::vector<Point> expected;
        if (c.leftView)
            expected.push_back({0, 0});
        if (c.rightView)
            expected.push_back({a->GetRect().Width(), 0});
        std::vector<Point> positions;
        for (const auto& view : a->GetBarlineMarkViews()) {
            positions.push_back(view->GetPosition());
            EXPECT_EQ(view->GetParent(), a.get());
            EXPECT_EQ(view->GetOrigin(), (Point{1000, 500}));
        }
        EXPECT_EQ(positions, expected);
        if (c.rightView) {
            const auto view = std::dynamic_pointer_cast<BarlineMarkView>(a->GetBarlineMarkViews().back());
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->GetModelElement(), a->GetBarline(1)->GetMark());
            EXPECT_EQ(view->GetOffset(), (Point{5, -5})) << "the mark's own offset";
        }
    }
}

TEST_F(PlacedBarTest, OtherMarksStandRightAlignedAndStackLeftwards)
{
    std::vector<std::shared_ptr<DynamicMark>> marks;
    for (const int time : {0, 161280, 161280}) {
        marks.push_back(std::make_shared<DynamicMark>());
        marks.back()->SetDynamicsCode(1);
        marks.back()->SetIndex(time);
        a->GetOtherMarks().push_back(marks.back());
    }
    Place();
    // Each is 200 wide, centred on its position: right edge at its position + 100.
    EXPECT_EQ(marks[2]->GetPosition().x, 1100 - 100);
    EXPECT_EQ(marks[1]->GetPosition().x, 1100 - 200 - 100);
    EXPECT_EQ(marks[0]->GetPosition().x, 230 - 100);
}

TEST_F(PlacedBarTest, MovingTheBarMovesEverythingItOwns)
{
    auto dynamic = std::make_shared<DynamicMark>();
    a->AddDirection(dynamic);
    a->GetBarline(1)->SetMarkValue(7);
    Place();
    a->SetPosition({400, 0});
    const Point origin{1400, 500};
    EXPECT_EQ(a->GetNotes()[3]->GetOrigin(), origin);
    EXPECT_EQ(tuplet->GetOrigin(), origin);
    EXPECT_EQ(dynamic->GetOrigin(), origin);
    EXPECT_EQ(a->GetBeamGroups()[0]->GetOrigin(), origin);
    EXPECT_EQ(a->GetBarlineMarkViews()[0]->GetOrigin(), origin);
    EXPECT_EQ(a->GetWidthMark()->GetOrigin(), origin);
    EXPECT_EQ(a->GetNotes()[3]->GetLyric(0)->GetOrigin(), origin);
}

}  // namespace
}  // namespace quaverly
