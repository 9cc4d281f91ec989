// The line-mark view classes, one per kind and piece, and the factory that picks one.
//
// Each class is its piece base (whole, start or continued) bound to one kind; the
// drawing operation, placement, hit test and handle axes come from the kind's style
// row, so the classes add nothing but their identity. The arpeggio views are whole
// pieces only, the upward and downward ones built on the plain one.
#pragma once

#include <memory>

#include "engine/layout/line_mark_continued_view.h"
#include "engine/layout/line_mark_start_view.h"
#include "engine/layout/line_mark_whole_view.h"
#include "engine/model/line_mark.h"

namespace quaverly {

template <int Kind>
class LineMarkWholeViewOf final : public LineMarkWholeView {
    static_assert(Kind >= 0 && Kind < line_mark_kind::kCount);

public:
    LineMarkWholeViewOf() : LineMarkWholeView(Kind) {}
};

template <int Kind>
class LineMarkStartViewOf final : public LineMarkStartView {
    static_assert(Kind >= 0 && Kind < line_mark_kind::kCount);

public:
    LineMarkStartViewOf() : LineMarkStartView(Kind) {}
};

template <int Kind>
class LineMarkContinuedViewOf final : public LineMarkContinuedView {
    static_assert(Kind >= 0 && Kind < line_mark_kind::kCount);

public:
    LineMarkContinuedViewOf() : LineMarkContinuedView(Kind) {}
};

using CrescWholeView = LineMarkWholeViewOf<line_mark_kind::kCresc>;
using CrescStartView = LineMarkStartViewOf<line_mark_kind::kCresc>;
using CrescContinuedView = LineMarkContinuedViewOf<line_mark_kind::kCresc>;
using DecrescWholeView = LineMarkWholeViewOf<line_mark_kind::kDecresc>;
using DecrescStartView = LineMarkStartViewOf<line_mark_kind::kDecresc>;
using DecrescContinuedView = LineMarkContinuedViewOf<line_mark_kind::kDecresc>;
using FlatSlurWholeView = LineMarkWholeViewOf<line_mark_kind::kFlatSlur>;
using FlatSlurStartView = LineMarkStartViewOf<line_mark_kind::kFlatSlur>;
using FlatSlurContinuedView = LineMarkContinuedViewOf<line_mark_kind::kFlatSlur>;
using SmoothSlurWholeView = LineMarkWholeViewOf<line_mark_kind::kSmoothSlur>;
using SmoothSlurStartView = LineMarkStartViewOf<line_mark_kind::kSmoothSlur>;
using SmoothSlurContinuedView = LineMarkContinuedViewOf<line_mark_kind::kSmoothSlur>;
using TrillWholeView = LineMarkWholeViewOf<line_mark_kind::kTrill>;
using TrillStartView = LineMarkStartViewOf<line_mark_kind::kTrill>;
using TrillContinuedView = LineMarkContinuedViewOf<line_mark_kind::kTrill>;
using HighOctaveWholeView = LineMarkWholeViewOf<line_mark_kind::kHighOctave>;
using HighOctaveStartView = LineMarkStartViewOf<line_mark_kind::kHighOctave>;
using HighOctaveContinuedView = LineMarkContinuedViewOf<line_mark_kind::kHighOctave>;
using LowOctaveWholeView = LineMarkWholeViewOf<line_mark_kind::kLowOctave>;
using LowOctaveStartView = LineMarkStartViewOf<line_mark_kind::kLowOctave>;
using LowOctaveContinuedView = LineMarkContinuedViewOf<line_mark_kind::kLowOctave>;
using FirstEndingWholeView = LineMarkWholeViewOf<line_mark_kind::kFirstEnding>;
using FirstEndingStartView = LineMarkStartViewOf<line_mark_kind::kFirstEnding>;
using FirstEndingContinuedView = LineMarkContinuedViewOf<line_mark_kind::kFirstEnding>;
using SecondEndingWholeView = LineMarkWholeViewOf<line_mark_kind::kSecondEnding>;
using SecondEndingStartView = LineMarkStartViewOf<line_mark_kind::kSecondEnding>;
using SecondEndingContinuedView = LineMarkContinuedViewOf<line_mark_kind::kSecondEnding>;
using GlissandoWholeView = LineMarkWholeViewOf<line_mark_kind::kGlissando>;
using GlissandoStartView = LineMarkStartViewOf<line_mark_kind::kGlissando>;
using GlissandoEndView = LineMarkContinuedViewOf<line_mark_kind::kGlissando>;

// A vertical line at the mark's start; its radian is the line's length.
class ArpeggioView : public LineMarkWholeView {
public:
    ArpeggioView() : LineMarkWholeView(line_mark_kind::kArpeggio) {}

protected:
    explicit ArpeggioView(int kind) : LineMarkWholeView(kind) {}
};

class ArpeggioUpView final : public ArpeggioView {
public:
    ArpeggioUpView() : ArpeggioView(line_mark_kind::kArpeggioUp) {}
};

class ArpeggioDownView final : public ArpeggioView {
public:
    ArpeggioDownView() : ArpeggioView(line_mark_kind::kArpeggioDown) {}
};

// A new view of the class for the mark's kind and the segment (line_mark_segment), not
// yet bound to anything; the caller stores the segment in it. Empty for a null mark, a
// kind outside 0-12, a segment outside 0-3 and an arpeggio piece other than a whole one.
std::shared_ptr<LineMarkView> MakeLineMarkView(const LineMark* mark, int segment);

}  // namespace quaverly
