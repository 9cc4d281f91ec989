#include "engine/layout/line_mark_view_factory.h"

namespace quaverly {

namespace {

// A table of makers by kind and piece: whole, start, continued.
using Maker = std::shared_ptr<LineMarkView> (*)();

template <class View>
std::shared_ptr<LineMarkView> Make()
{
    return std::make_shared<View>();
}

template <int Kind>
constexpr Maker kPieces[3] = {&Make<LineMarkWholeViewOf<Kind>>, &Make<LineMarkStartViewOf<Kind>>,
                              &Make<LineMarkContinuedViewOf<Kind>>};

constexpr const Maker* kMakers[line_mark_kind::kCount] = {
    kPieces<line_mark_kind::kCresc>,       kPieces<line_mark_kind::kDecresc>,
    kPieces<line_mark_kind::kFlatSlur>,    kPieces<line_mark_kind::kSmoothSlur>,
    kPieces<line_mark_kind::kTrill>,       kPieces<line_mark_kind::kHighOctave>,
    kPieces<line_mark_kind::kLowOctave>,   kPieces<line_mark_kind::kFirstEnding>,
    kPieces<line_mark_kind::kSecondEnding>, nullptr,
    nullptr,                               nullptr,
    kPieces<line_mark_kind::kGlissando>,
};

}  // namespace

std::shared_ptr<LineMarkView> MakeLineMarkView(const LineMark* mark, int segment)
{
    if (!mark || segment < line_mark_segment::kWhole || segment > line_mark_segment::kEnd)
        return nullptr;
    const int kind = mark->GetKind();
    const LineMarkStyle* style = FindLineMarkStyle(kind);
    if (!style)
        return nullptr;
    switch (kind) {
    case line_mark_kind::kArpeggio:
    case line_mark_kind::kArpeggioUp:
    case line_mark_kind::kArpeggioDown:
        if (segment != line_mark_segment::kWhole)
            return nullptr;
        if (kind == line_mark_kind::kArpeggioUp)
            return std::make_shared<ArpeggioUpView>();
        if (kind == line_mark_kind::kArpeggioDown)
            return std::make_shared<ArpeggioDownView>();
        return std::make_shared<ArpeggioView>();
    default:
        break;
    }
    int piece = 2;
    if (segment == line_mark_segment::kWhole)
        piece = 0;
    else if (segment == line_mark_segment::kStart ||
             (segment == line_mark_segment::kMiddle && style->middleUsesStartClass))
        piece = 1;
    return kMakers[kind][piece]();
}

}  // namespace quaverly
