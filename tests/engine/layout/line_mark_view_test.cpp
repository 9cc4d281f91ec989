// Line-mark views on the hand-laid rows: for every kind and piece the class the factory
// makes, the painter call and its points, the hit test and the handles; the rectangles
// of smooth slurs and arpeggios; where marks end at a bar start; sloped pieces across
// rows; offsets; deletion; and marks with values that must not overflow.
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>

#include "engine/layout/line_mark_view_factory.h"
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

constexpr Point kRowOrigin{1000, 2000};
constexpr int kHalfNote = m::kNoteSize.cx / 2;
constexpr int kNoHandleAxes = kNoHandle;

// One mark that lies wholly in row [0, 2), and one that starts at the quarter of bar 1
// and ends at the half of bar 4, so it has a start, a middle and an end piece.
struct Span {
    int bar, position, duration;
    BarRange row;
    int startX, endX;  // relative to the view
};
const Span kSpans[4] = {
    {0, kQuarter, 2 * kQuarter, {0, 2}, TimeX(kQuarter), TimeX(3 * kQuarter)},
    {1, kQuarter, 3 * kQuarter + 2 * kWhole + 2 * kQuarter, {0, 2}, kBarWidth + TimeX(kQuarter),
     2 * kBarWidth},
    {1, kQuarter, 3 * kQuarter + 2 * kWhole + 2 * kQuarter, {2, 4}, 0, 2 * kBarWidth},
    {1, kQuarter, 3 * kQuarter + 2 * kWhole + 2 * kQuarter, {4, 6}, 0, TimeX(2 * kQuarter)},
};

struct Laid {
    std::shared_ptr<Part> part;
    std::shared_ptr<LineMark> mark;
    std::shared_ptr<RecordingElement> row;
    std::shared_ptr<LineMarkView> view;
};

// Makes and lays out the view the way a row does.
Laid LayOut(FakePainter& painter, std::shared_ptr<LineMark> mark, int segment, BarRange row,
            std::shared_ptr<Part> part = MakeHandLaidPart())
{
    Laid laid{part, mark, std::make_shared<RecordingElement>("row", nullptr), nullptr};
    laid.row->HandleNotifications(1);
    laid.view = MakeLineMarkView(mark.get(), segment);
    if (!laid.view)
        return laid;
    laid.view->SetSegment(segment);
    laid.view->SetOrigin(kRowOrigin);
    laid.view->SetPart(part);
    laid.view->SetLineMark(mark);
    laid.view->SetBarRange(row.first, row.end);
    laid.view->SetOffset(mark->GetOffset());
    laid.view->SetParent(laid.row.get());
    laid.view->Layout(painter);
    return laid;
}

Laid LayOutSpan(FakePainter& painter, int kind, int segment)
{
    const Span& span = kSpans[segment];
    auto mark = CreateLineMark(kind);
    mark->SetBar(span.bar);
    mark->SetTimePosition(span.position);
    mark->SetDuration(span.duration);
    return LayOut(painter, mark, segment, span.row);
}

struct PieceCase {
    int kind;
    int segment;
    const char* className;
    const char* op;
    int placementY;  // the view's position y
    LineMarkHit hit;
    int endAxes;
    int bulgeAxes;
};

constexpr int kBelow = m::kWedgeOffset.y + m::kBarLineHeight;
constexpr int kAbove = -m::kWedgeOffset.y;
constexpr int kEnding = -m::kWedgeOffset.y - 150;
constexpr int kSlurY = -m::kWedgeOffset2.y;
constexpr auto kLine = LineMarkHit::kSlopeLine;
constexpr auto kRect = LineMarkHit::kRectangle;
constexpr auto kNever = LineMarkHit::kNever;
constexpr int kX = drag_axis::kX;
constexpr int kY = drag_axis::kY;
constexpr int kXY = drag_axis::kBoth;
constexpr int kNo = kNoHandleAxes;

const PieceCase kPieces[] = {
    {k::kCresc, seg::kWhole, "CrescWholeView", "DrawCrescendo", kBelow, kLine, kX, kNo},
    {k::kCresc, seg::kStart, "CrescStartView", "DrawCrescendoStart", kBelow, kLine, kNo, kNo},
    {k::kCresc, seg::kMiddle, "CrescContinuedView", "DrawCrescendoEnd", kBelow, kNever, kX, kNo},
    {k::kCresc, seg::kEnd, "CrescContinuedView", "DrawCrescendoEnd", kBelow, kNever, kX, kNo},
    {k::kDecresc, seg::kWhole, "DecrescWholeView", "DrawDecrescendo", kBelow, kLine, kX, kNo},
    {k::kDecresc, seg::kStart, "DecrescStartView", "DrawDecrescendoStart", kBelow, kLine, kNo,
     kNo},
    {k::kDecresc, seg::kMiddle, "DecrescContinuedView", "DrawDecrescendoEnd", kBelow, kNever,
     kX, kNo},
    {k::kDecresc, seg::kEnd, "DecrescContinuedView", "DrawDecrescendoEnd", kBelow, kNever, kX,
     kNo},
    {k::kFlatSlur, seg::kWhole, "FlatSlurWholeView", "DrawFlatSlur", kSlurY, kRect, kX, kNo},
    {k::kFlatSlur, seg::kStart, "FlatSlurStartView", "DrawFlatSlurStart", kSlurY, kRect, kNo,
     kNo},
    {k::kFlatSlur, seg::kMiddle, "FlatSlurContinuedView", "DrawFlatSlurEnd", kSlurY, kNever, kX,
     kNo},
    {k::kFlatSlur, seg::kEnd, "FlatSlurContinuedView", "DrawFlatSlurEnd", kSlurY, kNever, kX,
     kNo},
    {k::kSmoothSlur, seg::kWhole, "SmoothSlurWholeView", "DrawCurve", kSlurY, kRect, kXY, kXY},
    {k::kSmoothSlur, seg::kStart, "SmoothSlurStartView", "DrawCurve", kSlurY, kRect, kNo, kXY},
    {k::kSmoothSlur, seg::kMiddle, "SmoothSlurContinuedView", "DrawCurve", kSlurY, kNever, kXY,
     kNo},
    {k::kSmoothSlur, seg::kEnd, "SmoothSlurContinuedView", "DrawCurve", kSlurY, kNever, kXY,
     kNo},
    {k::kTrill, seg::kWhole, "TrillWholeView", "DrawTrillLine", kAbove, kLine, kX, kNo},
    {k::kTrill, seg::kStart, "TrillStartView", "DrawTrillLine", kAbove, kLine, kNo, kNo},
    {k::kTrill, seg::kMiddle, "TrillContinuedView", "DrawTrillLineContinued", kAbove, kNever, kX,
     kNo},
    {k::kTrill, seg::kEnd, "TrillContinuedView", "DrawTrillLineContinued", kAbove, kNever, kX,
     kNo},
    {k::kHighOctave, seg::kWhole, "HighOctaveWholeView", "DrawHighOctave", kAbove, kLine, kX,
     kNo},
    {k::kHighOctave, seg::kStart, "HighOctaveStartView", "DrawHighOctaveStart", kAbove, kLine,
     kNo, kNo},
    {k::kHighOctave, seg::kMiddle, "HighOctaveContinuedView", "DrawHighOctaveEnd", kAbove,
     kNever, kX, kNo},
    {k::kHighOctave, seg::kEnd, "HighOctaveContinuedView", "DrawHighOctaveEnd", kAbove, kNever,
     kX, kNo},
    {k::kLowOctave, seg::kWhole, "LowOctaveWholeView", "DrawLowOctave", kBelow, kLine, kX, kNo},
    {k::kLowOctave, seg::kStart, "LowOctaveStartView", "DrawLowOctaveStart", kBelow, kLine, kNo,
     kNo},
    {k::kLowOctave, seg::kMiddle, "LowOctaveContinuedView", "DrawLowOctaveEnd", kBelow, kNever,
     kX, kNo},
    {k::kLowOctave, seg::kEnd, "LowOctaveContinuedView", "DrawLowOctaveEnd", kBelow, kNever, kX,
     kNo},
    {k::kFirstEnding, seg::kWhole, "FirstEndingWholeView", "DrawFirstEnding", kEnding, kLine, kX,
     kNo},
    {k::kFirstEnding, seg::kStart, "FirstEndingStartView", "DrawFirstEndingStart", kEnding,
     kLine, kNo, kNo},
    {k::kFirstEnding, seg::kMiddle, "FirstEndingContinuedView", "DrawEndingEnd", kEnding, kNever,
     kX, kNo},
    {k::kFirstEnding, seg::kEnd, "FirstEndingContinuedView", "DrawEndingEnd", kEnding, kNever,
     kX, kNo},
    {k::kSecondEnding, seg::kWhole, "SecondEndingWholeView", "DrawSecondEnding", kEnding, kLine,
     kX, kNo},
    {k::kSecondEnding, seg::kStart, "SecondEndingStartView", "DrawSecondEndingStart", kEnding,
     kLine, kNo, kNo},
    {k::kSecondEnding, seg::kMiddle, "SecondEndingContinuedView", "DrawEndingEnd2", kEnding,
     kNever, kX, kNo},
    {k::kSecondEnding, seg::kEnd, "SecondEndingContinuedView", "DrawEndingEnd2", kEnding, kNever,
     kX, kNo},
    {k::kArpeggio, seg::kWhole, "ArpeggioView", "DrawArpeggio", kAbove, kRect, kY, kNo},
    {k::kArpeggioUp, seg::kWhole, "ArpeggioUpView", "DrawArpeggioUpwards", kAbove, kRect, kY,
     kNo},
    {k::kArpeggioDown, seg::kWhole, "ArpeggioDownView", "DrawArpeggioDownwards", kAbove, kRect,
     kY, kNo},
    {k::kGlissando, seg::kWhole, "GlissandoWholeView", "DrawGlissando", kAbove, kLine, kXY, kNo},
    {k::kGlissando, seg::kStart, "GlissandoStartView", "DrawGlissando", kAbove, kLine, kNo, kNo},
    {k::kGlissando, seg::kMiddle, "GlissandoStartView", "DrawGlissando", kAbove, kLine, kNo,
     kNo},
    {k::kGlissando, seg::kEnd, "GlissandoEndView", "DrawGlissando", kAbove, kNever, kXY, kNo},
};

bool IsArpeggio(int kind)
{
    return kind == k::kArpeggio || kind == k::kArpeggioUp || kind == k::kArpeggioDown;
}

// The call the piece must make, from the span's points and the kind's shape.
PainterCall ExpectedDraw(const PieceCase& c)
{
    const Span& span = kSpans[c.segment];
    const int x1 = kRowOrigin.x + span.startX;
    const int x2 = kRowOrigin.x + span.endX;
    const int y = kRowOrigin.y + c.placementY;
    if (c.kind == k::kFlatSlur) {
        const int length = span.endX - span.startX - (c.segment == seg::kStart ? kHalfNote : 0);
        return {c.op, {x1 + kHalfNote, y, length, 0}, u""};
    }
    if (c.kind == k::kSmoothSlur) {
        // The bulge of a new smooth slur lies 300 above its ends.
        return {c.op,
                {x1 + kHalfNote, y, kRowOrigin.x + (span.startX + span.endX) / 2 + kHalfNote,
                 y - 300, x2 + kHalfNote, y, 0},
                u""};
    }
    if (IsArpeggio(c.kind))
        return {c.op, {x1, y, x1, y + 500, 0}, u""};
    return {c.op, {x1, y, x2, y, 0}, u""};
}

// A point on the drawn piece.
Point PointOnPiece(const PieceCase& c)
{
    const Span& span = kSpans[c.segment];
    const int y = kRowOrigin.y + c.placementY;
    if (IsArpeggio(c.kind))
        return {kRowOrigin.x + span.startX + 50, y + 250};
    const int x = kRowOrigin.x + (span.startX + span.endX) / 2;
    // The flat slur's bracket: its line the slur's height over the start point.
    if (c.kind == k::kFlatSlur)
        return {x, y - m::kFlatSlurHeight};
    return {x, c.kind == k::kSmoothSlur ? y - 150 : y + 50};
}

TEST(LineMarkViewTest, EveryKindAndPieceDrawsWithItsOperationAtItsPlacement)
{
    for (const PieceCase& c : kPieces) {
        SCOPED_TRACE(c.className + std::string(" segment ") + std::to_string(c.segment));
        FakePainter painter;
        const Laid laid = LayOutSpan(painter, c.kind, c.segment);
        ASSERT_TRUE(laid.view);
        EXPECT_STREQ(laid.view->GetClassName(), c.className);
        EXPECT_EQ(laid.view->GetPosition(), (Point{m::kWedgeOffset.x, c.placementY}));
        painter.Clear();
        laid.view->Draw(painter);
        // The handles are not drawn until they are shown (colour index 1).
        EXPECT_EQ(painter.DrawCalls(), std::vector<PainterCall>{ExpectedDraw(c)});
    }
}

TEST(LineMarkViewTest, WholeAndStartPiecesHitPerTheirKindAndContinuedPiecesNever)
{
    for (const PieceCase& c : kPieces) {
        SCOPED_TRACE(c.className + std::string(" segment ") + std::to_string(c.segment));
        FakePainter painter;
        const Laid laid = LayOutSpan(painter, c.kind, c.segment);
        ASSERT_TRUE(laid.view);
        EXPECT_EQ(laid.view->GetPieceStyle().hit, c.hit);
        const Point on = PointOnPiece(c);
        EXPECT_EQ(laid.view->HitTest(on), c.hit != kNever);
        EXPECT_FALSE(laid.view->HitTest({on.x, on.y + 1000}));
        const int startX = kRowOrigin.x + kSpans[c.segment].startX;
        EXPECT_FALSE(laid.view->HitTest({startX - 200, on.y}));
    }
}

TEST(LineMarkViewTest, HandlesFollowTheTableAndSitAtTheEndPoint)
{
    for (const PieceCase& c : kPieces) {
        SCOPED_TRACE(c.className + std::string(" segment ") + std::to_string(c.segment));
        FakePainter painter;
        const Laid laid = LayOutSpan(painter, c.kind, c.segment);
        ASSERT_TRUE(laid.view);
        const auto& end = laid.view->GetEndHandle();
        const auto& bulge = laid.view->GetBulgeHandle();
        EXPECT_EQ(end ? end->GetAxisMask() : kNo, c.endAxes);
        EXPECT_EQ(bulge ? bulge->GetAxisMask() : kNo, c.bulgeAxes);
        if (end) {
            EXPECT_EQ(end->GetParent(), laid.view.get());
            EXPECT_EQ(end->GetOrigin(), kRowOrigin);
            Point expected = OffsetPoint(laid.view->GetPosition(), laid.view->GetEndPoint());
            if (IsArpeggio(c.kind))  // centred below the line's lower end
                expected = OffsetPoint(expected, {-m::kEditMarkESize.cx / 2, m::kEditMarkESize.cy});
            EXPECT_EQ(end->GetPosition(), expected);
            EXPECT_EQ(end->GetRect(), (Rect{0, -30, 60, 30}));
        }
        if (bulge) {
            // Over the middle of the piece, at the height of the bulge.
            const Span& span = kSpans[c.segment];
            EXPECT_EQ(bulge->GetPosition(),
                      (Point{span.startX + (span.endX - span.startX) / 2 - 30, -300 - 30}));
            EXPECT_EQ(bulge->GetParent(), laid.view.get());
        }
    }
}

TEST(LineMarkViewTest, AShownHandleIsDrawnAfterTheMark)
{
    FakePainter painter;
    const Laid laid = LayOutSpan(painter, k::kCresc, seg::kWhole);
    laid.view->GetEndHandle()->SetColor(color_index::kSelected);
    painter.Clear();
    laid.view->Draw(painter);
    EXPECT_EQ(painter.Names(), (std::vector<std::string>{"DrawCrescendo", "DrawEditMarkE"}));
    const int handleX = kRowOrigin.x + TimeX(3 * kQuarter);
    EXPECT_EQ(painter.DrawCalls()[1].ints,
              (std::vector<int>{handleX, kRowOrigin.y + kBelow - 30, color_index::kSelected}));
}

TEST(LineMarkViewTest, TheFactoryMakesTheNamedClasses)
{
    struct Case {
        int kind, segment;
        const std::type_info& type;
    };
    const Case cases[] = {
        {k::kCresc, seg::kWhole, typeid(CrescWholeView)},
        {k::kCresc, seg::kStart, typeid(CrescStartView)},
        {k::kCresc, seg::kMiddle, typeid(CrescContinuedView)},
        {k::kSmoothSlur, seg::kEnd, typeid(SmoothSlurContinuedView)},
        {k::kSecondEnding, seg::kEnd, typeid(SecondEndingContinuedView)},
        {k::kArpeggioUp, seg::kWhole, typeid(ArpeggioUpView)},
        {k::kGlissando, seg::kMiddle, typeid(GlissandoStartView)},
        {k::kGlissando, seg::kEnd, typeid(GlissandoEndView)},
    };
    for (const Case& c : cases) {
        auto mark = CreateLineMark(c.kind);
        const auto view = MakeLineMarkView(mark.get(), c.segment);
        ASSERT_TRUE(view);
        const LineMarkView& shown = *view;
        EXPECT_EQ(typeid(shown), c.type) << c.kind << "/" << c.segment;
    }
    auto up = CreateLineMark(k::kArpeggioDown);
    EXPECT_TRUE(std::dynamic_pointer_cast<ArpeggioView>(MakeLineMarkView(up.get(), 0)));
}

TEST(LineMarkViewTest, TheFactoryMakesNothingForUnknownKindsSegmentsAndArpeggioPieces)
{
    auto mark = CreateLineMark(k::kCresc);
    for (int kind : {-1, 13, 1000, std::numeric_limits<int>::min()}) {
        mark->SetKind(kind);
        EXPECT_FALSE(MakeLineMarkView(mark.get(), 0)) << kind;
    }
    mark->SetKind(k::kCresc);
    for (int segment : {-1, 4, 99})
        EXPECT_FALSE(MakeLineMarkView(mark.get(), segment)) << segment;
    for (int kind : {k::kArpeggio, k::kArpeggioUp, k::kArpeggioDown}) {
        auto arpeggio = CreateLineMark(kind);
        for (int segment : {1, 2, 3})
            EXPECT_FALSE(MakeLineMarkView(arpeggio.get(), segment)) << kind << "/" << segment;
    }
    EXPECT_FALSE(MakeLineMarkView(nullptr, 0));
}

TEST(LineMarkViewTest, AMarkEndingAtABarStartEndsAtTheEdgeExceptSlursAtTheFirstNote)
{
    struct Case {
        int kind;
        int endX;
    };
    const Case cases[] = {
        {k::kCresc, kBarWidth},              // the left edge of bar 1
        {k::kTrill, kBarWidth},
        {k::kGlissando, kBarWidth},
        {k::kFlatSlur, kBarWidth + TimeX(0)},  // the first note of bar 1
        {k::kSmoothSlur, kBarWidth + TimeX(0)},
    };
    for (const Case& c : cases) {
        FakePainter painter;
        auto mark = CreateLineMark(c.kind);
        mark->SetDuration(kWhole);  // from time 0 of bar 0 to time 0 of bar 1
        const Laid laid = LayOut(painter, mark, seg::kWhole, {0, 2});
        EXPECT_EQ(laid.view->GetEndPoint().x, c.endX) << c.kind;
    }
}

TEST(LineMarkViewTest, SmoothSlurAndArpeggioRectanglesFollowTheSignOfTheRadian)
{
    struct Case {
        int kind;
        float radian;
        Rect rect;
        Point endPoint;
    };
    const int length = TimeX(3 * kQuarter) - TimeX(kQuarter);
    const int x = TimeX(kQuarter);
    const int half = m::kWedgeSpread / 2;
    const Case cases[] = {
        // Over the middle of the notes, where the curve is drawn.
        {k::kSmoothSlur, -300.0f, {kHalfNote, -300, kHalfNote + length, 0}, {x + length, 0}},
        {k::kSmoothSlur, 50.0f, {kHalfNote, 0, kHalfNote + length, 50}, {x + length, 0}},
        {k::kArpeggio, 500.0f, {-half, 0, half, 500}, {x, 500}},
        {k::kArpeggio, -500.0f, {-half, -500, half, 0}, {x, -500}},
        {k::kArpeggioDown, -20.0f, {-half, -20, half, 0}, {x, -20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.kind << " " << c.radian);
        FakePainter painter;
        const Laid laid = LayOutSpan(painter, c.kind, seg::kWhole);
        laid.mark->SetRadian(c.radian);
        laid.view->Layout(painter);
        EXPECT_EQ(laid.view->GetRect(), c.rect);
        EXPECT_EQ(laid.view->GetEndPoint(), c.endPoint);
    }

    // An upward arpeggio's handle sits above its upper end.
    FakePainter painter;
    const Laid up = LayOutSpan(painter, k::kArpeggio, seg::kWhole);
    up.mark->SetRadian(-500.0f);
    up.view->Layout(painter);
    EXPECT_EQ(up.view->GetEndHandle()->GetPosition(),
              (Point{x - 30, kAbove - 500 - m::kEditMarkESize.cy}));
}

TEST(LineMarkViewTest, TheSmoothSlurBulgeIsDrawnAtTheStartHeightPlusTheRadian)
{
    FakePainter painter;
    const Laid laid = LayOutSpan(painter, k::kSmoothSlur, seg::kWhole);
    laid.mark->SetOffset({0, 40});
    laid.mark->SetRadian(-200.0f);
    laid.view->Layout(painter);
    painter.Clear();
    laid.view->Draw(painter);
    const int y = kRowOrigin.y + 40;
    const std::vector<int> ints = painter.CallsNamed("DrawCurve").at(0).ints;
    EXPECT_EQ(ints[1], y);
    EXPECT_EQ(ints[3], y - 200);  // absolute, not the bare radian
    EXPECT_EQ(ints[5], y);
}

TEST(LineMarkViewTest, ARectangleIsTakenFromThePointsOfTheSameLayout)
{
    FakePainter painter;
    auto mark = CreateLineMark(k::kCresc);
    mark->SetTimePosition(kQuarter);
    mark->SetDuration(2 * kQuarter);
    auto view = MakeLineMarkView(mark.get(), seg::kWhole);
    view->SetPart(MakeHandLaidPart());
    view->SetLineMark(mark);
    view->SetBarRange(0, 2);
    view->Layout(painter);  // the first layout of a fresh view
    EXPECT_EQ(view->GetRect(), (Rect{0, 0, 500, m::kWedgeSpread}));
}

TEST(LineMarkViewTest, ASlopedMarkContinuesOnTheNextRowsAtTheHeightItReached)
{
    // A glissando from the quarter of bar 1 to the half of bar 4, rising 1 in 10.
    const float radian = -0.1f;
    const int run2 = kBarWidth - TimeX(kQuarter);  // to the left edge of bar 2
    const int run4 = (kBarWidth - TimeX(kQuarter)) + 2 * kBarWidth + TimeX(0);
    struct Case {
        int segment;
        Point start, end;
    };
    const Case cases[] = {
        {seg::kStart, {kBarWidth + TimeX(kQuarter), 0},
         {2 * kBarWidth, static_cast<int>(radian * (kBarWidth - TimeX(kQuarter)))}},
        {seg::kMiddle, {0, static_cast<int>(radian * (run2 + TimeX(0)))},
         {2 * kBarWidth,
          static_cast<int>(radian * (run2 + TimeX(0))) + static_cast<int>(radian * 2 * kBarWidth)}},
        {seg::kEnd, {0, static_cast<int>(radian * run4)},
         {TimeX(2 * kQuarter),
          static_cast<int>(radian * run4) + static_cast<int>(radian * TimeX(2 * kQuarter))}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.segment);
        FakePainter painter;
        const Span& span = kSpans[c.segment];
        auto mark = CreateLineMark(k::kGlissando);
        mark->SetBar(span.bar);
        mark->SetTimePosition(span.position);
        mark->SetDuration(span.duration);
        mark->SetRadian(radian);
        const Laid laid = LayOut(painter, mark, c.segment, span.row);
        EXPECT_EQ(laid.view->GetStartPoint(), c.start);
        EXPECT_EQ(laid.view->GetEndPoint(), c.end);
    }
}

TEST(LineMarkViewTest, TheMarkOffsetMovesTheViewButEdgesStayPut)
{
    FakePainter painter;
    auto mark = CreateLineMark(k::kCresc);
    mark->SetBar(1);
    mark->SetTimePosition(kQuarter);
    mark->SetDuration(2 * kWhole);
    mark->SetOffset({70, -20});
    const Laid laid = LayOut(painter, mark, seg::kStart, {0, 2});
    EXPECT_EQ(laid.view->GetOffset(), (Point{70, -20}));
    EXPECT_EQ(laid.view->GetStartPoint().x, kBarWidth + TimeX(kQuarter));
    // The end stays at the row's right edge whatever the offset.
    EXPECT_EQ(laid.view->GetEndPoint().x, 2 * kBarWidth - 70);
    painter.Clear();
    laid.view->Draw(painter);
    EXPECT_EQ(painter.DrawCalls().at(0).ints,
              (std::vector<int>{kRowOrigin.x + 70 + kBarWidth + TimeX(kQuarter),
                                kRowOrigin.y + kBelow - 20, kRowOrigin.x + 2 * kBarWidth,
                                kRowOrigin.y + kBelow - 20, 0}));
}

TEST(LineMarkViewTest, ASlopeLineHitsWithinTheRectangleHeightOfTheSlopedLine)
{
    FakePainter painter;
    auto mark = CreateLineMark(k::kGlissando);
    mark->SetTimePosition(kQuarter);
    mark->SetDuration(2 * kQuarter);
    mark->SetRadian(0.5f);
    const Laid laid = LayOut(painter, mark, seg::kWhole, {0, 2});
    const int x0 = kRowOrigin.x + TimeX(kQuarter);
    const int y0 = kRowOrigin.y + kAbove;
    EXPECT_TRUE(laid.view->HitTest({x0 + 200, y0 + 100 + 199}));
    EXPECT_FALSE(laid.view->HitTest({x0 + 200, y0 + 100 + 200}));
    EXPECT_TRUE(laid.view->HitTest({x0 + 500, y0 + 250}));   // the end, included
    EXPECT_FALSE(laid.view->HitTest({x0 + 501, y0 + 250}));
}

TEST(LineMarkViewTest, DeletingSendsTheMarkAndItsPart)
{
    FakePainter painter;
    const Laid laid = LayOutSpan(painter, k::kTrill, seg::kWhole);
    laid.view->DeleteSelected();
    ASSERT_EQ(laid.row->ReceivedRecords().size(), 1u);
    const auto& record = laid.row->ReceivedRecords()[0];
    EXPECT_EQ(record.id, notification_id::kLineMarkDelete);
    EXPECT_EQ(record.sender, laid.view.get());
    EXPECT_EQ(record.payload.lineMark, laid.mark);
    EXPECT_EQ(record.payload.part, laid.part);
}

TEST(LineMarkViewTest, SettingTheOriginMovesTheHandlesToo)
{
    FakePainter painter;
    const Laid laid = LayOutSpan(painter, k::kSmoothSlur, seg::kWhole);
    laid.view->SetOrigin({5, 6});
    EXPECT_EQ(laid.view->GetEndHandle()->GetOrigin(), (Point{5, 6}));
    EXPECT_EQ(laid.view->GetBulgeHandle()->GetOrigin(), (Point{5, 6}));
}

TEST(LineMarkViewTest, WildRadiansAndBarsNeverOverflow)
{
    const float radians[] = {std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), 3.0e38f, -3.0e38f};
    for (int kind = 0; kind < k::kCount; ++kind) {
        for (float radian : radians) {
            for (int segment = 0; segment < 4; ++segment) {
                FakePainter painter;
                auto mark = CreateLineMark(kind);
                const Span& span = kSpans[segment];
                mark->SetBar(span.bar);
                mark->SetTimePosition(span.position);
                mark->SetDuration(span.duration);
                mark->SetRadian(radian);
                const Laid laid = LayOut(painter, mark, segment, span.row);
                if (!laid.view)
                    continue;
                laid.view->Draw(painter);
                laid.view->HitTest({kRowOrigin.x + 500, kRowOrigin.y});
                const Rect rect = laid.view->GetRect();
                EXPECT_LE(rect.top, rect.bottom);
            }
        }
    }
    // A mark whose bars lie outside the part draws at defined places.
    for (int bar : {-5, 6, std::numeric_limits<int>::max()}) {
        FakePainter painter;
        auto mark = CreateLineMark(k::kCresc);
        mark->SetBar(bar);
        mark->SetDuration(std::numeric_limits<int>::max());
        const Laid laid = LayOut(painter, mark, seg::kWhole, {0, 2});
        laid.view->Draw(painter);
        EXPECT_EQ(painter.Count("DrawCrescendo"), 1);
    }
}

}  // namespace
}  // namespace quaverly
