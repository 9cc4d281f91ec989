// The tie and line-mark pieces that each row of the hand-laid score shows: whole ties,
// ties cut at a line end, open ties left open, the end an open tie would find, the whole, start,
// middle and end pieces of line marks, selection carried into new views, and marks and
// ties that point at bars the part does not have.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/line_mark_view_factory.h"
#include "engine/layout/tie_view_group.h"
#include "engine/layout/track_mark_views.h"
#include "engine/model/note.h"
#include "engine/model/tie.h"
#include "tests/engine/layout/hand_laid_score.h"
#include "tests/support/fake_painter.h"
#include "tests/support/recording_element.h"

namespace quaverly {
namespace {

using namespace quaverly::testing;
using fakes::FakePainter;
using fakes::PainterCall;
using fakes::RecordingElement;
namespace k = line_mark_kind;
namespace seg = line_mark_segment;
namespace m = fakes::fake_metrics;
namespace id = notification_id;

constexpr int kNoteY = (m::kBarLineHeight - m::kNoteSize.cy) / 2;
constexpr int kTwoThirds = 2 * m::kNoteSize.cx / 3;
constexpr int kOneThird = m::kNoteSize.cx / 3;

// The hand-laid part with four quarter notes in every bar (pitch code 3 unless a test
// changes it), placed where the bar's layout would put them, and one row per two bars.
struct Score {
    std::shared_ptr<Part> part = MakeHandLaidPart();
    std::vector<std::shared_ptr<RecordingElement>> rows;
    std::vector<TrackMarkViews> views;
    FakePainter painter;

    Score()
    {
        for (int b = 0; b < kBarCount; ++b) {
            for (int i = 0; i < 4; ++i) {
                auto note = std::make_shared<Note>();
                note->SetPitchCode(3);
                note->SetStartTime(i * kQuarter);
                note->SetPosition({TimeX(i * kQuarter), kNoteY});
                Bar(b)->AddNote(note);
            }
        }
        for (int r = 0; r < kBarCount / kBarsPerRow; ++r) {
            auto row = std::make_shared<RecordingElement>("row" + std::to_string(r), nullptr);
            row->HandleNotifications(1);
            row->SetOrigin({1000, 2000 + 3000 * r});
            rows.push_back(row);
            TrackMarkViews track;
            track.SetPart(part);
            track.SetBarRange(r * kBarsPerRow, (r + 1) * kBarsPerRow);
            views.push_back(std::move(track));
        }
    }

    std::shared_ptr<quaverly::Bar> Bar(int b) const
    {
        return std::dynamic_pointer_cast<quaverly::Bar>(part->GetChild(b));
    }
    std::shared_ptr<Note> NoteAt(int b, int i) const { return Bar(b)->GetNotes().at(i); }
    NoteAnchor Anchor(int b, int i) const { return {Bar(b), NoteAt(b, i)}; }

    std::shared_ptr<Tie> AddTie(int b, int i, int endBar = -1, int endIndex = -1)
    {
        auto tie = std::make_shared<Tie>();
        tie->SetStart(Anchor(b, i));
        if (endBar >= 0)
            tie->SetEnd(Anchor(endBar, endIndex));
        part->AddTie(tie);
        return tie;
    }

    std::shared_ptr<LineMark> AddMark(int kind, int bar, int position, int duration)
    {
        auto mark = CreateLineMark(kind);
        mark->SetBar(bar);
        mark->SetTimePosition(position);
        mark->SetDuration(duration);
        part->AddLineMark(mark);
        return mark;
    }

    void BuildTies(int r) { views[r].BuildTieViews(*rows[r], painter); }
    void BuildMarks(int r) { views[r].BuildLineMarkViews(*rows[r], painter); }

    std::vector<PainterCall> DrawTies(int r)
    {
        painter.Clear();
        for (const auto& view : views[r].GetTieViews())
            view->Draw(painter);
        return painter.DrawCalls();
    }
};

Point RowPoint(int r)
{
    return {1000, 2000 + 3000 * r};
}

TEST(TrackTieViewsTest, ATieWithinARowIsOneWholeTieFromTwoThirdsToOneThirdOfTheNotes)
{
    Score score;
    score.AddTie(0, 1, 0, 2);
    score.BuildTies(0);
    ASSERT_EQ(score.views[0].GetTieViews().size(), 1u);
    const auto& view = score.views[0].GetTieViews()[0];
    EXPECT_TRUE(std::dynamic_pointer_cast<TieView>(view));
    const int from = TimeX(kQuarter) + kTwoThirds;
    EXPECT_EQ(view->GetPosition(), (Point{from, kNoteY}));
    EXPECT_EQ(view->GetLength(), TimeX(2 * kQuarter) + kOneThird - from);
    EXPECT_EQ(view->GetRect(), (Rect{0, -m::kFlatSlurHeight, view->GetLength(), 0}));
    EXPECT_EQ(view->GetOrigin(), RowPoint(0));
    EXPECT_EQ(view->GetParent(), score.rows[0].get());
    EXPECT_EQ(score.DrawTies(0),
              (std::vector<PainterCall>{{"DrawFlatSlur",
                                         {1000 + from, 2000 + kNoteY, view->GetLength(), 0},
                                         u""}}));
    score.BuildTies(1);
    EXPECT_TRUE(score.views[1].GetTieViews().empty());
}

TEST(TrackTieViewsTest, ATieAcrossALineBreakIsAStartPieceAndAnEndPiece)
{
    // Each piece is at least as long as a tie is high, so that it shows as half of a
    // bracket, bend and top, and never as a tick: the start piece runs to the right end
    // of its bar (past it, where the note stands closer to it than that), the end piece
    // from the row's left edge (from before it, where the note stands that close).
    struct Case {
        int startNote;
        int endNote;
        int startLength;
        int endX;
        int endLength;
    };
    const int lastReach = kBarWidth - (TimeX(3 * kQuarter) + kTwoThirds);
    static_assert(kBarWidth - (TimeX(3 * kQuarter) + kTwoThirds) < m::kFlatSlurHeight);
    static_assert(TimeX(0) + kOneThird < m::kFlatSlurHeight);
    const Case cases[] = {
        {3, 0, m::kFlatSlurHeight, TimeX(0) + kOneThird - m::kFlatSlurHeight, m::kFlatSlurHeight},
        {1, 2, kBarWidth - (TimeX(kQuarter) + kTwoThirds), 0, TimeX(2 * kQuarter) + kOneThird},
    };
    ASSERT_LT(lastReach, m::kFlatSlurHeight);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "from note " << c.startNote << " to note " << c.endNote);
        Score score;
        auto tie = score.AddTie(1, c.startNote, 2, c.endNote);
        tie->SetOffset({0, -15});
        score.BuildTies(0);
        score.BuildTies(1);
        ASSERT_EQ(score.views[0].GetTieViews().size(), 1u);
        ASSERT_EQ(score.views[1].GetTieViews().size(), 1u);
        const auto& start = score.views[0].GetTieViews()[0];
        const auto& end = score.views[1].GetTieViews()[0];
        EXPECT_TRUE(std::dynamic_pointer_cast<TieStartView>(start));
        EXPECT_TRUE(std::dynamic_pointer_cast<TieEndView>(end));
        const int from = kBarWidth + TimeX(c.startNote * kQuarter) + kTwoThirds;
        EXPECT_EQ(start->GetPosition(), (Point{from, kNoteY}));
        EXPECT_EQ(start->GetLength(), c.startLength);
        EXPECT_EQ(end->GetPosition(), (Point{c.endX, kNoteY}));
        EXPECT_EQ(end->GetLength(), c.endLength);
        EXPECT_EQ(score.DrawTies(0),
                  (std::vector<PainterCall>{{"DrawFlatSlurStart",
                                             {1000 + from, 2000 + kNoteY - 15, c.startLength, 0},
                                             u""}}));
        EXPECT_EQ(score.DrawTies(1),
                  (std::vector<PainterCall>{{"DrawFlatSlurEnd",
                                             {1000 + c.endX, 5000 + kNoteY - 15, c.endLength, 0},
                                             u""}}));
        score.BuildTies(2);
        EXPECT_TRUE(score.views[2].GetTieViews().empty());
    }
}

TEST(TrackTieViewsTest, EachRowFindsItsTiesAgainAfterTiesAreAddedMovedOrRemoved)
{
    Score score;
    auto first = score.AddTie(0, 1, 0, 2);
    auto later = score.AddTie(4, 0, 4, 1);
    const auto tiesOn = [&score](int r) {
        score.BuildTies(r);
        std::vector<const Tie*> ties;
        for (const auto& view : score.views[r].GetTieViews())
            ties.push_back(view->GetTie().get());
        return ties;
    };
    EXPECT_EQ(tiesOn(0), (std::vector<const Tie*>{first.get()}));
    EXPECT_EQ(tiesOn(2), (std::vector<const Tie*>{later.get()}));

    // Given other notes: the row of its new bars shows it, the old row no longer.
    first->SetStart(score.Anchor(2, 1));
    first->SetEnd(score.Anchor(2, 2));
    EXPECT_TRUE(tiesOn(0).empty());
    EXPECT_EQ(tiesOn(1), (std::vector<const Tie*>{first.get()}));

    // A tie added later and one removed; the row keeps the part's order.
    auto added = score.AddTie(2, 3, 3, 0);
    EXPECT_EQ(tiesOn(1), (std::vector<const Tie*>{first.get(), added.get()}));
    score.part->RemoveTie(first);
    EXPECT_EQ(tiesOn(1), (std::vector<const Tie*>{added.get()}));
    EXPECT_EQ(tiesOn(2), (std::vector<const Tie*>{later.get()}));
}

TEST(TrackTieViewsTest, ATieIsLiftedOverTheOctaveDotsOfItsStartNote)
{
    Score score;
    score.NoteAt(0, 1)->SetOctave(2);
    score.AddTie(0, 1, 0, 2);
    score.BuildTies(0);
    EXPECT_EQ(score.views[0].GetTieViews().at(0)->GetPosition().y,
              kNoteY - 2 * m::kOctaveDotInterval);
}

TEST(TrackTieViewsTest, AnOpenTieWouldEndOnTheNextNoteOfTheSamePitch)
{
    struct Case {
        const char* name;
        int startBar, startIndex;
        int nextPitch;
        int endBar, endIndex;  // -1: stays open
    };
    const Case cases[] = {
        {"next note in the bar", 0, 1, 3, 0, 2},
        {"first note of the next bar", 1, 3, 3, 2, 0},
        {"another pitch", 0, 1, 5, -1, -1},
        {"last bar of the part", 5, 3, 3, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Score score;
        const bool nextInBar = c.startIndex < 3;
        score.NoteAt(nextInBar ? c.startBar : std::min(c.startBar + 1, kBarCount - 1),
                     nextInBar ? c.startIndex + 1 : 0)
            ->SetPitchCode(c.nextPitch);
        auto tie = score.AddTie(c.startBar, c.startIndex);
        const NoteAnchor end = FindOpenTieEnd(*score.part, *tie);
        if (c.endBar < 0) {
            EXPECT_FALSE(end.note);
        } else {
            EXPECT_EQ(end.note, score.NoteAt(c.endBar, c.endIndex));
            EXPECT_EQ(end.owner, score.Bar(c.endBar));
        }
        // Only found: the tie itself stays open.
        EXPECT_FALSE(tie->GetEnd().note);
        EXPECT_EQ(score.NoteAt(c.startBar, c.startIndex)->GetTiedTo(), nullptr);
    }
}

TEST(TrackTieViewsTest, AnOpenTieIsDrawnTwiceTheNoteHeightLong)
{
    Score score;
    score.NoteAt(0, 2)->SetPitchCode(6);
    score.AddTie(0, 1);
    score.BuildTies(0);
    ASSERT_EQ(score.views[0].GetTieViews().size(), 1u);
    EXPECT_TRUE(std::dynamic_pointer_cast<TieView>(score.views[0].GetTieViews()[0]));
    EXPECT_EQ(score.views[0].GetTieViews()[0]->GetLength(), 2 * m::kNoteSize.cy);
}

// Building the views only reads the score: an open tie whose next note has its pitch is
// drawn open on its own row, shows on no other row, and nobody is told anything.
TEST(TrackTieViewsTest, BuildingTheViewsLeavesAnOpenTieOpen)
{
    Score score;
    std::vector<std::shared_ptr<RecordingElement>> barParents;
    for (int b : {1, 2}) {
        auto parent = std::make_shared<RecordingElement>("bar", nullptr);
        parent->HandleNotifications(1);
        score.Bar(b)->SetParent(parent.get());
        barParents.push_back(parent);
    }
    auto tie = score.AddTie(1, 3);
    ASSERT_TRUE(FindOpenTieEnd(*score.part, *tie).note);
    for (int row : {0, 1}) {
        score.BuildTies(row);
        score.BuildTies(row);
    }
    EXPECT_FALSE(tie->GetEnd().note);
    EXPECT_EQ(score.NoteAt(1, 3)->GetTiedTo(), nullptr);
    ASSERT_EQ(score.views[0].GetTieViews().size(), 1u);
    EXPECT_TRUE(std::dynamic_pointer_cast<TieView>(score.views[0].GetTieViews()[0]));
    EXPECT_EQ(score.views[0].GetTieViews()[0]->GetLength(), 2 * m::kNoteSize.cy);
    EXPECT_TRUE(score.views[1].GetTieViews().empty());
    for (const auto& parent : barParents)
        EXPECT_TRUE(parent->ReceivedRecords().empty());
    for (const auto& row : score.rows)
        EXPECT_TRUE(row->ReceivedRecords().empty());
}

TEST(TrackTieViewsTest, ATieFromABarOutsideThePartTiesNothing)
{
    Score score;
    auto stray = std::make_shared<quaverly::Bar>(9);
    auto first = std::make_shared<Note>();
    first->SetPitchCode(3);
    auto second = std::make_shared<Note>();
    second->SetPitchCode(3);
    second->SetStartTime(kQuarter);
    stray->AddNote(first);
    stray->AddNote(second);
    auto tie = std::make_shared<Tie>();
    tie->SetStart({stray, first});
    EXPECT_FALSE(FindOpenTieEnd(*score.part, *tie).note);
    score.part->AddTie(tie);
    score.BuildTies(0);  // shows in no row
    EXPECT_TRUE(score.views[0].GetTieViews().empty());
}

TEST(TrackTieViewsTest, HasBarInRangeComparesTheBarsOfTheRange)
{
    Score score;
    EXPECT_TRUE(score.views[1].HasBarInRange(score.Bar(2).get()));
    EXPECT_TRUE(score.views[1].HasBarInRange(score.Bar(3).get()));
    EXPECT_FALSE(score.views[1].HasBarInRange(score.Bar(4).get()));
    EXPECT_FALSE(score.views[1].HasBarInRange(nullptr));
    quaverly::Bar other(2);
    EXPECT_FALSE(score.views[1].HasBarInRange(&other));
}

TEST(TieViewTest, DeletingAsksForTheRemovalAndTellsBothBars)
{
    Score score;
    auto tie = score.AddTie(1, 3, 2, 0);
    std::vector<std::shared_ptr<RecordingElement>> parents;
    for (int b : {1, 2}) {
        auto parent = std::make_shared<RecordingElement>("bar", nullptr);
        parent->HandleNotifications(1);
        score.Bar(b)->SetParent(parent.get());
        parents.push_back(parent);
    }
    score.BuildTies(0);
    const auto view = score.views[0].GetTieViews().at(0);
    view->DeleteSelected();
    ASSERT_EQ(score.rows[0]->ReceivedRecords().size(), 1u);
    EXPECT_EQ(score.rows[0]->ReceivedRecords()[0].id, id::kTieDelete);
    EXPECT_EQ(score.rows[0]->ReceivedRecords()[0].sender, view.get());
    EXPECT_FALSE(score.rows[0]->ReceivedRecords()[0].payload.element);
    for (const auto& parent : parents) {
        ASSERT_EQ(parent->ReceivedRecords().size(), 1u);
        EXPECT_EQ(parent->ReceivedRecords()[0].id, id::kTrackTiesChanged);
    }

    // A tie within one bar tells that bar once.
    Score one;
    one.AddTie(0, 1, 0, 2);
    auto parent = std::make_shared<RecordingElement>("bar", nullptr);
    parent->HandleNotifications(1);
    one.Bar(0)->SetParent(parent.get());
    one.BuildTies(0);
    one.views[0].GetTieViews().at(0)->DeleteSelected();
    EXPECT_EQ(parent->ReceivedRecords().size(), 1u);
}

TEST(TieViewTest, ASelectedViewMovesTheTieOffsetAndDragsOnlyUpAndDown)
{
    Score score;
    auto tie = score.AddTie(0, 1, 0, 2);
    score.BuildTies(0);
    const auto view = score.views[0].GetTieViews().at(0);
    EXPECT_EQ(view->GetAxisMask(), drag_axis::kY);
    view->SetOffset({0, 40});
    EXPECT_EQ(tie->GetOffset(), (Point{0, 0}));
    view->Select();
    view->SetOffset({0, 60});
    EXPECT_EQ(view->GetOffset(), (Point{0, 60}));
    EXPECT_EQ(tie->GetOffset(), (Point{0, 60}));
}

// --- Line marks ---

constexpr int kLongRun = 3 * kQuarter + 2 * kWhole + 2 * kQuarter;  // bar 1 q .. bar 4 half

TEST(TrackLineMarkViewsTest, EachRowShowsThePieceOfTheMarkThatFallsIntoItsBars)
{
    struct Case {
        const char* name;
        int kind, bar, position, duration;
        int segments[3];  // per row; -1 no view
        const char* classes[3];
    };
    const Case cases[] = {
        {"inside one row", k::kCresc, 0, kQuarter, 2 * kQuarter, {0, -1, -1},
         {"CrescWholeView", nullptr, nullptr}},
        {"over two rows", k::kCresc, 1, kQuarter, kWhole, {1, 3, -1},
         {"CrescStartView", "CrescContinuedView", nullptr}},
        {"over three rows", k::kDecresc, 1, kQuarter, kLongRun, {1, 2, 3},
         {"DecrescStartView", "DecrescContinuedView", "DecrescContinuedView"}},
        {"glissando over three rows", k::kGlissando, 1, kQuarter, kLongRun, {1, 2, 3},
         {"GlissandoStartView", "GlissandoStartView", "GlissandoEndView"}},
        // Ending at time 0 of bar 4, the first bar after the middle row: the middle row
        // shows a middle piece, the last row no empty end piece.
        {"ending at the next row's first bar", k::kTrill, 1, kQuarter,
         3 * kQuarter + 2 * kWhole, {1, 2, -1},
         {"TrillStartView", "TrillContinuedView", nullptr}},
        // Ending at time 0 of bar 2, the first bar of row 1: nothing of it lies there.
        {"ending where the next row starts", k::kHighOctave, 0, 0, 2 * kWhole, {1, -1, -1},
         {"HighOctaveStartView", nullptr, nullptr}},
        {"past the last bar", k::kLowOctave, 3, 0, 100 * kWhole, {-1, 1, 3},
         {nullptr, "LowOctaveStartView", "LowOctaveContinuedView"}},
        {"arpeggio across rows", k::kArpeggio, 1, 0, kWhole, {-1, -1, -1},
         {nullptr, nullptr, nullptr}},
        {"arpeggio in a row", k::kArpeggioUp, 4, 0, kQuarter, {-1, -1, 0},
         {nullptr, nullptr, "ArpeggioUpView"}},
        {"negative bar", k::kCresc, -1, 0, kWhole, {-1, -1, -1}, {nullptr, nullptr, nullptr}},
        {"bar past the part", k::kCresc, kBarCount, 0, kQuarter, {-1, -1, -1},
         {nullptr, nullptr, nullptr}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Score score;
        const auto mark = score.AddMark(c.kind, c.bar, c.position, c.duration);
        for (int r = 0; r < 3; ++r) {
            SCOPED_TRACE(r);
            score.BuildMarks(r);
            const auto& views = score.views[r].GetLineMarkViews();
            if (c.segments[r] < 0) {
                EXPECT_TRUE(views.empty());
                continue;
            }
            ASSERT_EQ(views.size(), 1u);
            const auto& view = views[0];
            EXPECT_EQ(view->GetSegment(), c.segments[r]);
            EXPECT_STREQ(view->GetClassName(), c.classes[r]);
            EXPECT_EQ(view->GetLineMark(), mark);
            EXPECT_EQ(view->GetPart(), score.part);
            EXPECT_EQ(view->GetFirstBar(), 2 * r);
            EXPECT_EQ(view->GetEndBar(), 2 * r + 2);
            EXPECT_EQ(view->GetOrigin(), RowPoint(r));
            EXPECT_EQ(view->GetParent(), score.rows[r].get());
        }
    }
}

TEST(TrackLineMarkViewsTest, AMarkPastTheLastBarEndsAtItsRightEdge)
{
    Score score;
    score.AddMark(k::kLowOctave, 5, 0, 100 * kWhole);
    score.BuildMarks(2);
    EXPECT_EQ(score.views[2].GetLineMarkViews().at(0)->GetEndPoint().x, 2 * kBarWidth);
}

TEST(TrackLineMarkViewsTest, ASelectedMarkComesBackSelectedAndOffsetAfterALayout)
{
    Score score;
    auto mark = score.AddMark(k::kFlatSlur, 0, 0, kQuarter);
    auto other = score.AddMark(k::kCresc, 0, 0, kQuarter);
    mark->SetState(element_state::kSelected);
    mark->SetOffset({12, -34});
    score.BuildMarks(0);
    score.BuildMarks(0);  // every layout makes new views
    const auto& views = score.views[0].GetLineMarkViews();
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0]->GetState(), element_state::kSelected);
    EXPECT_EQ(views[0]->GetColor(), color_index::kSelected);
    EXPECT_EQ(views[0]->GetOffset(), (Point{12, -34}));
    EXPECT_EQ(views[1]->GetState(), element_state::kNormal);
    EXPECT_EQ(views[1]->GetLineMark(), other);
}

TEST(TrackLineMarkViewsTest, ATieAndACrescendoAcrossALineBreakShowEndAndStartPieces)
{
    Score score;
    score.AddTie(1, 3, 2, 0);
    score.AddMark(k::kCresc, 1, 2 * kQuarter, 4 * kQuarter);  // to the half of bar 2
    for (int r : {0, 1}) {
        score.BuildTies(r);
        score.BuildMarks(r);
    }
    std::vector<std::string> first, second;
    for (int r : {0, 1}) {
        score.painter.Clear();
        for (const auto& view : score.views[r].GetTieViews())
            view->Draw(score.painter);
        for (const auto& view : score.views[r].GetLineMarkViews())
            view->Draw(score.painter);
        (r == 0 ? first : second) = score.painter.Names();
    }
    EXPECT_EQ(first, (std::vector<std::string>{"DrawFlatSlurStart", "DrawCrescendoStart"}));
    EXPECT_EQ(second, (std::vector<std::string>{"DrawFlatSlurEnd", "DrawCrescendoEnd"}));

    // The crescendo's start piece runs to the right edge of row 0, its end piece from
    // the left edge of row 1 to the half of bar 2.
    const auto& start = score.views[0].GetLineMarkViews().at(0);
    const auto& end = score.views[1].GetLineMarkViews().at(0);
    const int below = m::kWedgeOffset.y + m::kBarLineHeight;
    score.painter.Clear();
    start->Draw(score.painter);
    end->Draw(score.painter);
    EXPECT_EQ(score.painter.DrawCalls(),
              (std::vector<PainterCall>{
                  {"DrawCrescendoStart",
                   {1000 + kBarWidth + TimeX(2 * kQuarter), 2000 + below, 1000 + 2 * kBarWidth,
                    2000 + below, 0},
                   u""},
                  {"DrawCrescendoEnd",
                   {1000, 5000 + below, 1000 + TimeX(2 * kQuarter), 5000 + below, 0},
                   u""}}));
}

TEST(TrackLineMarkViewsTest, ARowWithoutAPartBuildsNothing)
{
    TrackMarkViews views;
    RecordingElement row("row", nullptr);
    FakePainter painter;
    views.BuildTieViews(row, painter);
    views.BuildLineMarkViews(row, painter);
    EXPECT_TRUE(views.GetTieViews().empty());
    EXPECT_TRUE(views.GetLineMarkViews().empty());
}

}  // namespace
}  // namespace quaverly
