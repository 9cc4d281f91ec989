#include "engine/layout/guide_line.h"

#include "engine/model/score_painter.h"

namespace quaverly {

GuideLine::GuideLine()
{
    SetColor(color_index::kGuideLine);
    SetNormalColor(color_index::kGuideLine);
}

void GuideLine::Draw(ScorePainter& painter)
{
    const Point at = GetChildOrigin();
    painter.DrawGuideLine2(at.x, at.y, GetRect().Height(), GetColor());
}

}  // namespace quaverly
