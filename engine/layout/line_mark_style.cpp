#include "engine/layout/line_mark_style.h"

#include "engine/model/editable_element.h"
#include "engine/model/line_mark.h"
#include "engine/model/score_painter.h"

namespace quaverly {

namespace {

using P = ScorePainter;
using Shape = LineMarkShape;
using Place = LineMarkPlacement;
using Hit = LineMarkHit;
constexpr int kX = drag_axis::kX;
constexpr int kY = drag_axis::kY;
constexpr int kXY = drag_axis::kBoth;
constexpr int kNo = kNoHandle;

constexpr LineMarkPieceStyle Line(const char* name, LineMarkLineOp op, Hit hit, int axes)
{
    return {name, op, nullptr, hit, axes, kNo};
}

constexpr LineMarkPieceStyle Slur(const char* name, LineMarkSlurOp op, Hit hit, int axes)
{
    return {name, nullptr, op, hit, axes, kNo};
}

constexpr LineMarkPieceStyle Curve(const char* name, Hit hit, int axes, int bulgeAxes)
{
    return {name, nullptr, nullptr, hit, axes, bulgeAxes};
}

constexpr LineMarkPieceStyle kNone{};

// The straight kinds: whole and start pieces hit along the line, continued pieces never;
// the start piece has no handle, the others drag their end along x.
constexpr LineMarkStyle Straight(int kind, Place place, const char* whole, LineMarkLineOp w,
                                 const char* start, LineMarkLineOp s,
                                 const char* continued, LineMarkLineOp c)
{
    return {kind,
            Shape::kStraight,
            place,
            true,
            false,
            Line(whole, w, Hit::kSlopeLine, kX),
            Line(start, s, Hit::kSlopeLine, kNo),
            Line(continued, c, Hit::kNever, kX)};
}

constexpr LineMarkStyle Arpeggio(int kind, const char* name, LineMarkLineOp op)
{
    return {kind, Shape::kArpeggio, Place::kArpeggio, true, false,
            Line(name, op, Hit::kRectangle, kY), kNone, kNone};
}

const LineMarkStyle kStyles[line_mark_kind::kCount] = {
    Straight(line_mark_kind::kCresc, Place::kBelow, "CrescWholeView", &P::DrawCrescendo,
             "CrescStartView", &P::DrawCrescendoStart, "CrescContinuedView",
             &P::DrawCrescendoEnd),
    Straight(line_mark_kind::kDecresc, Place::kBelow, "DecrescWholeView",
             &P::DrawDecrescendo, "DecrescStartView", &P::DrawDecrescendoStart,
             "DecrescContinuedView", &P::DrawDecrescendoEnd),
    {line_mark_kind::kFlatSlur, Shape::kFlatSlur, Place::kSlur, false, false,
     // Drawn flat in the box of its bracket, whatever its radian: hit in that box.
     Slur("FlatSlurWholeView", &P::DrawFlatSlur, Hit::kRectangle, kX),
     Slur("FlatSlurStartView", &P::DrawFlatSlurStart, Hit::kRectangle, kNo),
     Slur("FlatSlurContinuedView", &P::DrawFlatSlurEnd, Hit::kNever, kX)},
    {line_mark_kind::kSmoothSlur, Shape::kSmoothSlur, Place::kSlur, false, false,
     Curve("SmoothSlurWholeView", Hit::kRectangle, kXY, kXY),
     Curve("SmoothSlurStartView", Hit::kRectangle, kNo, kXY),
     Curve("SmoothSlurContinuedView", Hit::kNever, kXY, kNo)},
    Straight(line_mark_kind::kTrill, Place::kAbove, "TrillWholeView", &P::DrawTrillLine,
             "TrillStartView", &P::DrawTrillLine, "TrillContinuedView",
             &P::DrawTrillLineContinued),
    Straight(line_mark_kind::kHighOctave, Place::kAbove, "HighOctaveWholeView",
             &P::DrawHighOctave, "HighOctaveStartView", &P::DrawHighOctaveStart,
             "HighOctaveContinuedView", &P::DrawHighOctaveEnd),
    Straight(line_mark_kind::kLowOctave, Place::kBelow, "LowOctaveWholeView",
             &P::DrawLowOctave, "LowOctaveStartView", &P::DrawLowOctaveStart,
             "LowOctaveContinuedView", &P::DrawLowOctaveEnd),
    Straight(line_mark_kind::kFirstEnding, Place::kEnding, "FirstEndingWholeView",
             &P::DrawFirstEnding, "FirstEndingStartView", &P::DrawFirstEndingStart,
             "FirstEndingContinuedView", &P::DrawEndingEnd),
    Straight(line_mark_kind::kSecondEnding, Place::kEnding, "SecondEndingWholeView",
             &P::DrawSecondEnding, "SecondEndingStartView", &P::DrawSecondEndingStart,
             "SecondEndingContinuedView", &P::DrawEndingEnd2),
    Arpeggio(line_mark_kind::kArpeggio, "ArpeggioView", &P::DrawArpeggio),
    Arpeggio(line_mark_kind::kArpeggioUp, "ArpeggioUpView", &P::DrawArpeggioUpwards),
    Arpeggio(line_mark_kind::kArpeggioDown, "ArpeggioDownView", &P::DrawArpeggioDownwards),
    // The glissando drags its end freely; its middle pieces are start pieces.
    {line_mark_kind::kGlissando, Shape::kStraight, Place::kAbove, true, true,
     Line("GlissandoWholeView", &P::DrawGlissando, Hit::kSlopeLine, kXY),
     Line("GlissandoStartView", &P::DrawGlissando, Hit::kSlopeLine, kNo),
     Line("GlissandoEndView", &P::DrawGlissando, Hit::kNever, kXY)},
};

}  // namespace

const LineMarkStyle* FindLineMarkStyle(int kind)
{
    if (kind < 0 || kind >= line_mark_kind::kCount)
        return nullptr;
    return &kStyles[kind];
}

const LineMarkStyle& LineMarkStyleOf(int kind)
{
    const LineMarkStyle* style = FindLineMarkStyle(kind);
    return style ? *style : kStyles[0];
}

}  // namespace quaverly
