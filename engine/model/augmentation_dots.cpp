#include "engine/model/augmentation_dots.h"

#include <utility>

#include "engine/model/note_styles.h"

namespace quaverly {

AugmentationDots::AugmentationDots()
    : style_(SharedNormalNoteStyle())
{
}

AugmentationDots::AugmentationDots(std::shared_ptr<const NoteStyle> style)
    : style_(style ? std::move(style) : SharedNormalNoteStyle())
{
}

void AugmentationDots::SetCount(int count)
{
    count_ = count;
    drawnCount_ = count;
}

void AugmentationDots::SetStyle(std::shared_ptr<const NoteStyle> style)
{
    if (style)
        style_ = std::move(style);
}

void AugmentationDots::Layout(ScorePainter& painter)
{
    const Size size = style_->MeasureDots(painter, count_);
    SetRect({0, 0, size.cx, size.cy});
}

void AugmentationDots::Draw(ScorePainter& painter)
{
    if (!IsVisible())
        return;
    const Point at = GetAbsolutePoint();
    style_->DrawDots(painter, at.x, at.y, drawnCount_, GetColor());
}

}  // namespace quaverly
