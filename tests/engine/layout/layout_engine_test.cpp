// The layout engine on two-part scores measured with the fake painter: start times,
// position maps, the alignment of equal times across parts, and the room it adds.
//
// Fake metrics used below: a note digit is 120 wide; the spacing of a quarter is 4
// digits (480), of an eighth 2 (240), of a 16th 1 (120), of a half 8 (960); bar margins
// 200 and 200; a beat space 150; a plain barline 30 wide, one with a repeat mark 130.
#include <map>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/augmentation_dots.h"
#include "engine/model/barline.h"
#include "engine/model/grace_note_list.h"
#include "engine/model/note_styles.h"
#include "engine/model/symbol_mark.h"
#include "engine/model/time_signature.h"
#include "tests/engine/layout/layout_test_score.h"

namespace quaverly {
namespace {

using fakes::FakePainter;
using namespace layout_test;
namespace len = note_length;

std::vector<int> StartTimes(const Bar& bar)
{
    std::vector<int> times;
    for (const auto& note : bar.GetNotes())
        times.push_back(note->GetStartTime());
    return times;
}

std::map<int, int> ExtraWidths(const Bar& bar)
{
    std::map<int, int> widths;
    for (const ExtraWidth& extra : bar.GetPositionMap()->GetExtraWidths())
        widths[extra.time] += extra.width;
    return widths;
}

TEST(LayoutEngineTest, NothingHappensWithoutPainterScoreOrBars)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    AddNotes(*BarOf(*score, 0, 0), 4, len::kQuarter);
    const struct {
        const char* what;
        ScorePainter* painter;
        std::shared_ptr<Score> score;
        int first;
        int end;
    } cases[] = {
        {"no painter", nullptr, score, 0, 1},
        {"no score", &painter, nullptr, 0, 1},
        {"empty range", &painter, score, 0, 0},
        {"range after the bars", &painter, score, 1, 3},
        {"score without parts", &painter, std::make_shared<Score>(), 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LayoutColumnState state;
        state.painter = c.painter;
        state.score = c.score;
        state.firstBar = c.first;
        state.endBar = c.end;
        LayoutScore(state);
        EXPECT_EQ(BarOf(*score, 0, 0)->GetPositionMap(), nullptr);
    }
    // A range reaching before the first bar lays out what exists.
    Lay(score, painter, -3, 1);
    EXPECT_NE(BarOf(*score, 0, 0)->GetPositionMap(), nullptr);
}

TEST(LayoutEngineTest, PlainColumnGetsMapsAndOneWidth)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& a = *BarOf(*score, 0, 0);
    Bar& b = *BarOf(*score, 1, 0);
    AddNotes(a, 4, len::kQuarter);
    AddNotes(b, 2, len::kHalf);
    a.SetManualAdjust(0.25f);
    b.SetManualAdjust(0.5f);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(StartTimes(a), (std::vector<int>{0, 161280, 322560, 483840}));
    EXPECT_EQ(StartTimes(b), (std::vector<int>{0, 322560}));
    for (const Bar* bar : {&a, &b}) {
        const PositionMap& map = *bar->GetPositionMap();
        EXPECT_EQ(map.GetLength(), 645120);
        EXPECT_EQ(map.GetMeter(), (std::pair{4, 4}));
        EXPECT_EQ(map.GetLeftMargin(), 200);
        EXPECT_EQ(map.GetRightMargin(), 200);
        EXPECT_FLOAT_EQ(map.GetColumnAdjust(), 0.75f);
        // Beat spaces at the three inner beats, the left barline at the start.
        EXPECT_EQ(ExtraWidths(*bar), (std::map<int, int>{{0, 30}, {161280, 150}, {322560, 150},
                                                          {483840, 150}}));
        EXPECT_EQ(map.GetTotalExtent(), 1920 + 480);
        EXPECT_EQ(bar->GetRect(), (Rect{0, 0, 2800, 0}));
    }
    EXPECT_EQ(a.GetPositionMap()->GetSegments(),
              (std::vector<MapSegment>{{0, 161280, 0, 480},
                                       {161280, 161280, 480, 480},
                                       {322560, 161280, 960, 480},
                                       {483840, 161280, 1440, 480}}));
    EXPECT_EQ(b.GetPositionMap()->GetSegments(),
              (std::vector<MapSegment>{{0, 322560, 0, 960}, {322560, 322560, 960, 960}}));
}

TEST(LayoutEngineTest, ColumnWidthIsTheWidestBarOfTheColumn)
{
    FakePainter painter;
    auto score = MakeScore(2, 2);
    // Bar 1 of part A is overfull: five quarters, so five beats and four beat spaces.
    Bar& a = *BarOf(*score, 0, 1);
    AddNotes(a, 5, len::kQuarter);
    Bar& b = *BarOf(*score, 1, 1);
    AddNotes(b, 4, len::kQuarter);
    AddNotes(*BarOf(*score, 0, 0), 1, len::kWhole);
    AddNotes(*BarOf(*score, 1, 0), 1, len::kWhole);
    Lay(score, painter, 0, 2);

    EXPECT_EQ(a.GetPositionMap()->GetTotalExtent(), 5 * 480 + 30 + 4 * 150);
    EXPECT_EQ(b.GetPositionMap()->GetTotalExtent(), 4 * 480 + 30 + 4 * 150);
    EXPECT_EQ(a.GetRect(), (Rect{0, 0, 400 + 3030, 0}));
    EXPECT_EQ(b.GetRect(), a.GetRect());
    EXPECT_EQ(BarOf(*score, 0, 0)->GetRect().Width(), BarOf(*score, 1, 0)->GetRect().Width());
    EXPECT_EQ(BarOf(*score, 0, 0)->GetRect().Width(), 400 + 1920 + 30 + 450)
        << "each column has its own width";
}

TEST(LayoutEngineTest, EqualTimesShareTheirXAcrossParts)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& a = *BarOf(*score, 0, 0);
    Bar& b = *BarOf(*score, 1, 0);
    // Part A: eighth-note triplet, quarter, half. Part B: quarter, quarter, half.
    AddTuplet(a, 3, 2, len::kEighth);
    AddNote(a, len::kQuarter);
    AddNote(a, len::kHalf);
    AddNote(b, len::kQuarter);
    AddNote(b, len::kQuarter);
    AddNote(b, len::kHalf);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(StartTimes(a), (std::vector<int>{0, 53760, 107520, 161280, 322560}));
    // The triplet takes 3 eighth spacings (720) for its beat; part B's first quarter
    // is stretched to end where the triplet ends.
    EXPECT_EQ(b.GetPositionMap()->GetSegments()[0], (MapSegment{0, 161280, 0, 720}));
    for (const int time : {0, 161280, 322560, 645120})
        EXPECT_EQ(XOf(a, time), XOf(b, time)) << "time " << time;
    EXPECT_EQ(XOf(a, 161280), 200 + 720 + 30 + 150);
    EXPECT_EQ(a.GetRect().Width(), 3040);
}

TEST(LayoutEngineTest, ALongerSliceIsPushedAcrossAShorterSlicesEnd)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& a = *BarOf(*score, 0, 0);
    Bar& b = *BarOf(*score, 1, 0);
    // Part A's triplet ends at 161280, 720 into the bar; part B's dotted quarter
    // crosses that time and would end at 720 too (6 spacings), so it is pushed on by
    // the spacing of its remaining eighth (240).
    AddTuplet(a, 3, 2, len::kEighth);
    AddNote(a, len::kHalf);
    AddNote(a, len::kQuarter);
    AddNote(b, len::kQuarter, 1);
    AddNote(b, len::kEighth);
    AddNote(b, len::kHalf);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(b.GetPositionMap()->GetSegments()[0], (MapSegment{0, 241920, 0, 960}));
    EXPECT_EQ(XOf(b, 241920) - XOf(a, 161280), 240);

    // A longer slice that already ends further right keeps its width: part B's half
    // ends beyond part A's first quarter.
    auto other = MakeScore(2, 1);
    AddNotes(*BarOf(*other, 0, 0), 4, len::kQuarter);
    AddNotes(*BarOf(*other, 1, 0), 2, len::kHalf);
    Lay(other, painter, 0, 1);
    EXPECT_EQ(BarOf(*other, 1, 0)->GetPositionMap()->GetSegments()[0], (MapSegment{0, 322560, 0, 960}));
}

TEST(LayoutEngineTest, TupletsCompressTheirNotesInStartOrder)
{
    struct Case {
        const char* what;
        bool addSecondTupletFirst;
        std::vector<int> starts;
    };
    const Case cases[] = {
        {"tuplets listed in start order", false,
         {0, 53760, 107520, 161280, 215040, 268800, 322560}},
        {"tuplets listed out of order", true, {0, 53760, 107520, 161280, 215040, 268800, 322560}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePainter painter;
        auto score = MakeScore(2, 1);
        Bar& a = *BarOf(*score, 0, 0);
        auto first = std::make_shared<Tuplet>(3, 2);
        first->SetFirstNote(AddNote(a, len::kEighth));
        AddNotes(a, 2, len::kEighth);
        auto second = std::make_shared<Tuplet>(3, 2);
        second->SetFirstNote(AddNote(a, len::kEighth));
        AddNotes(a, 2, len::kEighth);
        AddNote(a, len::kHalf);
        if (c.addSecondTupletFirst) {
            a.AddTuplet(second);
            a.AddTuplet(first);
        } else {
            a.AddTuplet(first);
            a.AddTuplet(second);
        }
        AddNotes(*BarOf(*score, 1, 0), 4, len::kQuarter);
        Lay(score, painter, 0, 1);

        EXPECT_EQ(StartTimes(a), c.starts);
        ASSERT_EQ(first->GetNotes().size(), 2u);
        EXPECT_EQ(first->GetNotes()[1], a.GetNotes()[2]);
        ASSERT_EQ(second->GetNotes().size(), 2u);
        EXPECT_EQ(second->GetNotes()[1], a.GetNotes()[5]);
        EXPECT_EQ(a.GetNotes()[5]->GetTupletActual(), 3);
        EXPECT_EQ(a.GetNotes()[6]->GetTupletActual(), 0) << "the half is no tuplet note";
    }
}

TEST(LayoutEngineTest, TripletOfEighthsAndTheNoteAfterIt)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& a = *BarOf(*score, 0, 0);
    AddTuplet(a, 3, 2, len::kEighth);
    auto after = AddNote(a, len::kHalf, 2);  // a double-dotted half: two dashes, one dot
    AddNotes(*BarOf(*score, 1, 0), 4, len::kQuarter);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(StartTimes(a), (std::vector<int>{0, 53760, 107520, 161280}));
    ASSERT_EQ(after->GetExtensionGlyphs().size(), 2u);
    EXPECT_EQ(after->GetExtensionGlyphs()[0]->GetStartTime(), 161280 + 161280);
    EXPECT_EQ(after->GetExtensionGlyphs()[1]->GetStartTime(), 161280 + 2 * 161280);
    EXPECT_EQ(after->GetDotsElement()->GetStartTime(), 161280 + 403200);
}

TEST(LayoutEngineTest, AnOverfullTupletMovesTheNotesAfterItByTheTimeItSaves)
{
    // Eighth, eighth and quarter under 3:2 hold more than the tuplet's two eighths: it
    // stops after the quarter, and the quarter after it moves back by one eighth only.
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& a = *BarOf(*score, 0, 0);
    auto tuplet = std::make_shared<Tuplet>(3, 2);
    tuplet->SetFirstNote(AddNote(a, len::kEighth));
    AddNote(a, len::kEighth);
    AddNote(a, len::kQuarter);
    AddNote(a, len::kQuarter);
    a.AddTuplet(tuplet);
    AddNotes(*BarOf(*score, 1, 0), 4, len::kQuarter);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(StartTimes(a), (std::vector<int>{0, 53760, 107520, 241920}));
    EXPECT_EQ(tuplet->GetNotes().size(), 2u);
    EXPECT_EQ(a.GetNotes()[3]->GetTupletActual(), 0) << "the last quarter is no tuplet note";
}

TEST(LayoutEngineTest, NoBeatSpaceInsideATupletOfAnyPart)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    // A quarter-note triplet spans the beat at 161280 in part A.
    Bar& a = *BarOf(*score, 0, 0);
    AddTuplet(a, 3, 2, len::kQuarter);
    AddNote(a, len::kHalf);
    Bar& b = *BarOf(*score, 1, 0);
    AddNotes(b, 4, len::kQuarter);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(StartTimes(a), (std::vector<int>{0, 107520, 215040, 322560}));
    for (const Bar* bar : {&a, &b}) {
        const auto extras = ExtraWidths(*bar);
        EXPECT_EQ(extras.count(161280), 0u);
        EXPECT_EQ(extras.at(322560), 150);
        EXPECT_EQ(extras.at(483840), 150);
    }
}

TEST(LayoutEngineTest, BarLengthsFollowTheirNotes)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    Bar& overfull = *BarOf(*score, 0, 0);
    AddNotes(overfull, 5, len::kQuarter);
    Bar& empty = *BarOf(*score, 1, 0);
    Lay(score, painter, 0, 1);

    EXPECT_EQ(overfull.GetPositionMap()->GetLength(), 5 * 161280);
    EXPECT_EQ(empty.GetPositionMap()->GetLength(), 645120);
    // The empty bar is spaced by two half rests.
    EXPECT_EQ(empty.GetPositionMap()->GetSegments(),
              (std::vector<MapSegment>{{0, 322560, 0, 960}, {322560, 322560, 960, 960}}));
    // Beat spaces run over the beats of the longest bar.
    // ... and an empty bar has no free space for its right barline.
    EXPECT_EQ(ExtraWidths(empty).at(645120), 150 + 30);
    EXPECT_EQ(overfull.GetRect().Width(), empty.GetRect().Width());
}

TEST(LayoutEngineTest, AnOverfullBarEndingInsideABeatIsMappedToTheEndOfThatBeat)
{
    struct Case {
        const char* what;
        std::vector<int> notes;
        int beats;  // of the bar's map, in quarters
    };
    const Case cases[] = {
        {"four quarters and an eighth", {len::kQuarter, len::kQuarter, len::kQuarter, len::kQuarter, len::kEighth}, 5},
        {"four quarters and a 16th", {len::kQuarter, len::kQuarter, len::kQuarter, len::kQuarter, len::k16th}, 5},
        {"a whole and three eighths", {len::kWhole, len::kEighth, len::kEighth, len::kEighth}, 6},
        {"five quarters: a whole beat", {len::kQuarter, len::kQuarter, len::kQuarter, len::kQuarter, len::kQuarter}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePainter painter;
        auto score = MakeScore(1, 1);
        Bar& bar = *BarOf(*score, 0, 0);
        for (const int length : c.notes)
            AddNote(bar, length);
        Lay(score, painter, 0, 1);
        const PositionMap& map = *bar.GetPositionMap();
        EXPECT_EQ(map.GetLength(), c.beats * len::kQuarter);
        // The last note ends inside the map, not past its end.
        const auto& last = bar.GetNotes().back();
        EXPECT_LE(last->GetStartTime() + c.notes.back(), map.GetLength());
    }
}

TEST(LayoutEngineTest, MeterComesFromTheTableWhateverTheOrderOfItsRecords)
{
    FakePainter painter;
    auto score = MakeScore(2, 7);
    score->SetTimeSignature({4, 3, 4, 0});
    score->SetTimeSignature({2, 6, 8, 0});
    score->SetTimeSignature({0, 2, 4, 0});
    score->SetTimeSignature({6, 4, 1000, 0});  // no usable beat: counts as 4/4
    Lay(score, painter, 0, 7);

    const struct {
        int bar;
        std::pair<int, int> meter;
        int length;
    } expected[] = {
        {0, {2, 4}, 322560}, {1, {2, 4}, 322560}, {2, {6, 8}, 483840}, {3, {6, 8}, 483840},
        {4, {3, 4}, 483840}, {5, {3, 4}, 483840}, {6, {4, 4}, 645120},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.bar);
        for (int part = 0; part < 2; ++part) {
            const PositionMap& map = *BarOf(*score, part, e.bar)->GetPositionMap();
            EXPECT_EQ(map.GetMeter(), e.meter);
            EXPECT_EQ(map.GetLength(), e.length);
        }
    }
    // 6/8: beat spaces at each eighth boundary but none where no beat lies.
    const auto extras = ExtraWidths(*BarOf(*score, 0, 2));
    EXPECT_EQ(extras.at(80640), 150);
    EXPECT_EQ(extras.at(403200), 150);
}

TEST(LayoutEngineTest, MeterIsTheOneInForceNotTheSignatureABarHolds)
{
    FakePainter painter;
    auto score = MakeScore(2, 2);
    score->SetTimeSignature({0, 3, 4, 0});
    // Bar 1 holds a 4/4 element that the table does not have (yet): 3/4 stays in force.
    BarOf(*score, 0, 1)->SetTimeSignature(std::make_shared<TimeSignature>());
    Lay(score, painter, 0, 2);
    for (int part = 0; part < 2; ++part) {
        EXPECT_EQ(BarOf(*score, part, 1)->GetPositionMap()->GetMeter(), (std::pair{3, 4}));
        EXPECT_EQ(BarOf(*score, part, 1)->GetPositionMap()->GetLength(), 483840);
    }
}

TEST(LayoutEngineTest, PartsWithFewerBarsAreSkipped)
{
    FakePainter painter;
    auto score = MakeScore(2, 2);
    auto shortPart = score->GetChild(1)->GetChild(0);
    shortPart->RemoveChild(1);
    AddNotes(*BarOf(*score, 0, 1), 4, len::kQuarter);
    Lay(score, painter, 0, 2);
    EXPECT_EQ(BarOf(*score, 0, 1)->GetRect().Width(), 2800);
}

// Room that the engine adds for what stands around the notes. Part A's bar 1 holds four
// 16ths (no free space between them), two quarters and four 16ths; part B four
// quarters. Each case changes one thing and names the extra widths it adds to part B's
// map compared with the plain layout.
TEST(LayoutEngineTest, RoomForWhatStandsAroundTheNotes)
{
    using Change = void (*)(Bar& a, Bar& b);
    struct Case {
        const char* what;
        Change change;
        std::map<int, int> added;
    };
    const Case cases[] = {
        // The notes all have one pitch, so the plain 16th after a sharp shows a natural.
        {"a sharp, and the natural after it",
         [](Bar& a, Bar&) { a.GetNotes()[1]->SetAccidental(1); }, {{40320, 80}, {80640, 80}}},
        {"a sharp already in force shows nothing and needs nothing",
         [](Bar& a, Bar&) {
             a.GetNotes()[0]->SetAccidental(1);
             a.GetNotes()[1]->SetAccidental(1);
         },
         {{0, 80}, {80640, 80}}},
        // The free space after a bar's first note is no room before it.
        {"a sharp on the first note, free space after it",
         [](Bar&, Bar& b) { b.GetNotes()[0]->SetAccidental(1); }, {{0, 80}}},
        {"a natural of another pitch", [](Bar& a, Bar&) { a.GetNotes()[1]->SetAccidental(4);
                                           a.GetNotes()[1]->SetPitchCode(5); },
         {{40320, 80}}},
        {"a lyric wider than the note",
         [](Bar& a, Bar&) { a.GetNotes()[1]->SetLyricText(2, u"abcd"); },
         {{40320, 140}, {40321, 140}}},
        {"a lyric as narrow as the note",
         [](Bar& a, Bar&) { a.GetNotes()[1]->SetLyricText(0, u"a"); }, {}},
        {"a symbol on the left",
         [](Bar& a, Bar&) {
             auto symbol = std::make_shared<SymbolMark>();
             ExtendSymbol data;
             data.text = u"xy";
             data.placement = symbol_placement::kLeft;
             symbol->SetSymbolData(data);
             a.GetNotes()[1]->AddSymbol(symbol);
         },
         {{40320, 200}}},
        {"a symbol on the right and one above",
         [](Bar& a, Bar&) {
             for (const int placement : {symbol_placement::kRight, symbol_placement::kAbove}) {
                 auto symbol = std::make_shared<SymbolMark>();
                 ExtendSymbol data;
                 data.text = u"x";
                 data.placement = placement;
                 symbol->SetSymbolData(data);
                 a.GetNotes()[1]->AddSymbol(symbol);
             }
         },
         {{40321, 100}}},
        {"a grace note before",
         [](Bar& a, Bar&) {
             auto grace = CreateNote(4);
             grace->SetStyle(std::make_shared<GraceNoteStyle>());
             grace->SetDuration(len::kEighth);
             a.GetNotes()[1]->GetGraceListA()->AddNote(grace);
         },
         {{40320, 84 + 30}}},
        {"a grace note after",
         [](Bar& a, Bar&) {
             auto grace = CreateNote(4);
             grace->SetStyle(std::make_shared<GraceNoteStyle>());
             a.GetNotes()[1]->GetGraceListB()->AddNote(grace);
         },
         {{40321, 84 + 30}}},
        {"user offsets of notes at one time, summed over the parts",
         [](Bar& a, Bar& b) {
             a.GetNotes()[4]->SetOffset({50, 0});
             b.GetNotes()[1]->SetOffset({-20, 7});
         },
         {{161280, 30}}},
        {"a time signature starting here",
         [](Bar& a, Bar&) { a.SetTimeSignature(std::make_shared<TimeSignature>()); },
         {{0, 60 + 150}}},
        {"a repeat mark at the left barline",
         [](Bar& a, Bar&) { a.GetBarline(0)->SetMarkValue(2); }, {{0, 100}}},
        {"a repeat mark at the right barline",
         [](Bar& a, Bar&) { a.GetBarline(1)->SetMarkValue(1); }, {{645120, 100}}},
        {"only the first part's barlines are measured",
         [](Bar&, Bar& b) { b.GetBarline(1)->SetMarkValue(1); }, {}},
    };
    const auto build = [](Change change) {
        auto score = MakeScore(2, 2);
        Bar& a = *BarOf(*score, 0, 1);
        AddNotes(a, 4, len::k16th);
        AddNotes(a, 2, len::kQuarter);
        AddNotes(a, 4, len::k16th);
        Bar& b = *BarOf(*score, 1, 1);
        AddNotes(b, 4, len::kQuarter);
        if (change != nullptr)
            change(a, b);
        FakePainter painter;
        Lay(score, painter, 0, 2);
        return score;
    };
    const auto plain = build(nullptr);
    const std::map<int, int> plainWidths = ExtraWidths(*BarOf(*plain, 1, 1));
    EXPECT_EQ(plainWidths, (std::map<int, int>{{0, 30}, {161280, 150}, {322560, 150},
                                                {483840, 150}, {645120, 30}}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto score = build(c.change);
        std::map<int, int> added = ExtraWidths(*BarOf(*score, 1, 1));
        for (const auto& [time, width] : plainWidths) {
            added[time] -= width;
            if (added[time] == 0)
                added.erase(time);
        }
        EXPECT_EQ(added, c.added);
        EXPECT_EQ(ExtraWidths(*BarOf(*score, 0, 1)), ExtraWidths(*BarOf(*score, 1, 1)))
            << "every bar of the column gets the room";
    }
}

TEST(LayoutEngineTest, TimeSignatureSpaceOnlyAfterTheFirstBarAndForOneBarAlone)
{
    FakePainter painter;
    auto score = MakeScore(2, 3);
    for (int bar = 0; bar < 3; ++bar)
        BarOf(*score, 1, bar)->SetTimeSignature(std::make_shared<TimeSignature>());
    Lay(score, painter, 0, 3);
    EXPECT_EQ(ExtraWidths(*BarOf(*score, 0, 0)).at(0), 30) << "the first bar: barline only";
    EXPECT_EQ(ExtraWidths(*BarOf(*score, 0, 1)).at(0), 30 + 210);

    // Laying out one bar of a later line on its own adds the same room.
    Lay(score, painter, 2, 3);
    EXPECT_EQ(ExtraWidths(*BarOf(*score, 0, 2)).at(0), 30 + 210);
}

TEST(LayoutEngineTest, LayingOutAgainReplacesTheMaps)
{
    FakePainter painter;
    auto score = MakeScore(2, 1);
    AddNotes(*BarOf(*score, 0, 0), 4, len::kQuarter);
    Lay(score, painter, 0, 1);
    const auto before = BarOf(*score, 0, 0)->GetPositionMap();
    const int width = BarOf(*score, 0, 0)->GetRect().Width();
    Lay(score, painter, 0, 1);
    EXPECT_NE(BarOf(*score, 0, 0)->GetPositionMap(), before);
    EXPECT_EQ(BarOf(*score, 0, 0)->GetRect().Width(), width);
    EXPECT_EQ(BarOf(*score, 0, 0)->GetPositionMap()->GetExtraWidths(), before->GetExtraWidths());
}

}  // namespace
}  // namespace quaverly
