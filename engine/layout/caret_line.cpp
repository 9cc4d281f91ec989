#include "engine/layout/caret_line.h"

#include "engine/model/score_painter.h"

namespace quaverly {

CaretLine::CaretLine()
{
    SetColor(color_index::kCaretLine);
    SetNormalColor(color_index::kCaretLine);
}

void CaretLine::Draw(ScorePainter& painter)
{
    const Point at = GetChildOrigin();
    painter.DrawGuideLine(at.x, at.y, painter.GetBarLineHeight(), GetColor());
}

}  // namespace quaverly
