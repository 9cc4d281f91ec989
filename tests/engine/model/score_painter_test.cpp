// The drawing interface keeps its 157 operations in their fixed slot order: the host's
// drawing device is written against that order.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/model/score_painter.h"
#include "tests/support/fake_painter.h"

namespace quaverly {
namespace {

// The vtable slot of a virtual member function, read from the pointer-to-member
// representation of the Itanium C++ ABI (virtual: 1 + byte offset into the vtable).
template <class Pmf>
std::ptrdiff_t SlotOf(Pmf pmf)
{
    struct Representation {
        std::uintptr_t ptr;
        std::ptrdiff_t adjustment;
    };
    static_assert(sizeof(Pmf) == sizeof(Representation));
    Representation rep;
    std::memcpy(&rep, &pmf, sizeof rep);
    EXPECT_EQ(rep.ptr % sizeof(void*), 1u) << "not a virtual function";
    return static_cast<std::ptrdiff_t>((rep.ptr - 1) / sizeof(void*));
}

struct Slot {
    const char* name;
    std::ptrdiff_t slot;
};

#define SLOT(op) Slot{#op, SlotOf(&ScorePainter::op)}

TEST(ScorePainterTest, DeclaresEveryOperationInSlotOrder)
{
    const std::vector<Slot> expected = {
        SLOT(DrawPageEdge), SLOT(DrawFrameRect), SLOT(DrawOpenFrameRect),
        SLOT(DrawFrameRect2), SLOT(DrawTrackBaseLine), SLOT(DrawThinVerticalLine),
        SLOT(DrawGuideLine), SLOT(DrawGuideLine2), SLOT(GetBarLineExtent),
        SLOT(MeasureBarLine), SLOT(DrawBarLine), SLOT(DrawRepeatBarLine),
        SLOT(MeasureJumpMark), SLOT(GetJumpMarkOffset), SLOT(DrawJumpMark),
        SLOT(GetFlatSlurHeight), SLOT(GetFlatSlurOffset), SLOT(DrawFlatSlurStart),
        SLOT(DrawFlatSlurEnd), SLOT(DrawFlatSlur), SLOT(GetFlatSlurHeight2),
        SLOT(MeasureTupletNumber), SLOT(DrawTuplet), SLOT(GetSlurEndSize),
        SLOT(DrawSmoothSlur), SLOT(GetSlurEndSize2), SLOT(DrawSmoothSlurSegment),
        SLOT(GetNoteSize), SLOT(DrawNote), SLOT(MeasureDots), SLOT(DrawDots),
        SLOT(GetOctaveDotInterval), SLOT(DrawOctaveDots), SLOT(MeasureAccidental),
        SLOT(DrawAccidental), SLOT(GetLegerInterval), SLOT(DrawLegerLine),
        SLOT(GetChordNoteInterval), SLOT(GetChordNoteSize), SLOT(DrawChordNote),
        SLOT(MeasureChordDots), SLOT(DrawChordDots), SLOT(GetChordOctaveDotInterval),
        SLOT(DrawChordOctaveDots), SLOT(MeasureChordAccidental), SLOT(DrawChordAccidental),
        SLOT(GetChordLegerInterval), SLOT(DrawChordLegerLine), SLOT(GetGraceNoteInterval),
        SLOT(GetGraceNoteSize), SLOT(DrawGraceNote), SLOT(MeasureGraceAccidental),
        SLOT(DrawGraceAccidental), SLOT(MeasureGraceDots), SLOT(DrawGraceDots),
        SLOT(GetGraceOctaveDotInterval), SLOT(DrawGraceOctaveDots),
        SLOT(GetGraceLegerInterval), SLOT(DrawGraceLegerLine), SLOT(DrawCommaMark),
        SLOT(DrawDashMark), SLOT(MeasureKeySignature), SLOT(DrawKeySignature),
        SLOT(MeasureTimeSignature), SLOT(DrawTimeSignature), SLOT(MeasureTempoMark),
        SLOT(DrawTempoMark), SLOT(MeasureTitle), SLOT(DrawTitle), SLOT(MeasureSubtitle),
        SLOT(DrawSubtitle), SLOT(MeasurePoetText), SLOT(DrawPoetText),
        SLOT(MeasureComposerText), SLOT(DrawComposerText), SLOT(MeasureExpressionText),
        SLOT(DrawExpressionText), SLOT(MeasureDefaultFontText), SLOT(DrawDefaultFontText),
        SLOT(MeasureLyric), SLOT(DrawLyric), SLOT(MeasureInstrumentName),
        SLOT(DrawInstrumentName), SLOT(MeasureEditMarkA), SLOT(DrawEditMarkA),
        SLOT(GetEditMarkSize), SLOT(MeasureEditMarkB), SLOT(DrawEditCursor),
        SLOT(MeasureEditMarkC), SLOT(DrawEditMarkC), SLOT(MeasureEditMarkD),
        SLOT(DrawEditMarkD), SLOT(MeasureEditMarkE), SLOT(DrawEditMarkE),
        SLOT(MeasureEditMarkF), SLOT(DrawEditMarkF), SLOT(MeasureEditMarkG),
        SLOT(DrawNumberedEditMark), SLOT(GetBarLineHeight), SLOT(GetMetric99),
        SLOT(GetMetric100), SLOT(GetMetric101), SLOT(GetMetric102), SLOT(GetMetric103),
        SLOT(GetMetric104), SLOT(GetMetric105), SLOT(GetMetric106), SLOT(GetMetric107),
        SLOT(GetMetric108), SLOT(GetMetric109), SLOT(GetMetric110), SLOT(GetMetric111),
        SLOT(GetDynamicMarkOffset), SLOT(MeasureDynamicMark), SLOT(DrawDynamicMark),
        SLOT(DrawBarIndex), SLOT(MeasureBarIndex), SLOT(GetWedgeLineWidth),
        SLOT(GetWedgeOffset), SLOT(GetWedgeOffset2), SLOT(GetWedgeSpread),
        SLOT(DrawCrescendoStart), SLOT(DrawCrescendoEnd), SLOT(DrawCrescendo),
        SLOT(DrawDecrescendoStart), SLOT(DrawDecrescendoEnd), SLOT(DrawDecrescendo),
        SLOT(DrawTrillLine), SLOT(DrawTrillLineContinued), SLOT(DrawHighOctaveStart),
        SLOT(DrawHighOctaveEnd), SLOT(DrawHighOctave), SLOT(DrawLowOctaveStart),
        SLOT(DrawLowOctaveEnd), SLOT(DrawLowOctave), SLOT(DrawFirstEndingStart),
        SLOT(DrawEndingEnd), SLOT(DrawFirstEnding), SLOT(DrawSecondEndingStart),
        SLOT(DrawEndingEnd2), SLOT(DrawSecondEnding), SLOT(DrawCurve), SLOT(DrawArpeggio),
        SLOT(DrawArpeggioUpwards), SLOT(DrawArpeggioDownwards), SLOT(DrawGlissando),
        SLOT(GetNoteSymbolSpacing), SLOT(GetNoteSymbolOffset), SLOT(MeasureNoteSymbol),
        SLOT(DrawNoteSymbol), SLOT(DrawExtendSymbol), SLOT(MeasureExtendSymbol),
        SLOT(DrawPageText), SLOT(GetSmallMarkSize), SLOT(GetNoteSpacing),
        SLOT(GetCloseSpacing), SLOT(GetSpacingParam),
    };

    ASSERT_EQ(expected.size(), 157u);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i].slot, static_cast<std::ptrdiff_t>(i)) << expected[i].name;
}

// A first operation added by a derived class lands right after the interface's last
// slot, so the interface has exactly 157 slots (no destructor slots either).
struct Extended : ScorePainter {
    virtual void Extra() = 0;

protected:
    ~Extended() = default;
};

TEST(ScorePainterTest, HasExactly157Slots)
{
    EXPECT_EQ(SlotOf(&Extended::Extra), 157);
}

TEST(FakePainterTest, RecordsNameIntsAndText)
{
    fakes::FakePainter painter;
    painter.DrawOpenFrameRect({1, 2, 3, 4}, true, false, 34);
    const Size size = painter.MeasureLyric(u"ab");
    painter.DrawLyric(10, 20, u"ab", 1);

    EXPECT_EQ(size, (Size{2 * fakes::fake_metrics::kCharWidth, fakes::fake_metrics::kLyricHeight}));
    const std::vector<fakes::PainterCall> expected = {
        {"DrawOpenFrameRect", {1, 2, 3, 4, 1, 0, 34}, u""},
        {"MeasureLyric", {}, u"ab"},
        {"DrawLyric", {10, 20, 1}, u"ab"},
    };
    EXPECT_EQ(painter.Calls(), expected);
    ASSERT_EQ(painter.DrawCalls().size(), 2u);
    EXPECT_EQ(painter.Count("MeasureLyric"), 1);
}

TEST(FakePainterTest, EmptyTextMeasuresAsOneCharacter)
{
    fakes::FakePainter painter;
    EXPECT_EQ(painter.MeasureTitle(u"").cx, fakes::fake_metrics::kCharWidth);
    EXPECT_EQ(painter.MeasureDots(0), (Size{0, 0}));
    EXPECT_EQ(painter.MeasureAccidental(0).cx, 0);
}

}  // namespace
}  // namespace quaverly
