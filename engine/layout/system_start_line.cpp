#include "engine/layout/system_start_line.h"

#include "engine/model/score_painter.h"

namespace quaverly {

SystemStartLine::SystemStartLine()
{
    SetAxisMask(0);
}

void SystemStartLine::AppendTrack(std::shared_ptr<ScoreElement> track)
{
    if (track)
        tracks_.push_back(std::move(track));
}

void SystemStartLine::Layout(ScorePainter& painter)
{
    if (tracks_.empty())
        return;
    const ScoreElement& first = *tracks_.front();
    const ScoreElement& last = *tracks_.back();
    SetPosition(OffsetPoint(first.GetPosition(), first.GetOffset()));
    const int bottom =
        last.GetPosition().y + last.GetOffset().y + painter.GetBarLineHeight();
    SetRect({0, 0, 0, bottom - GetPosition().y});
}

void SystemStartLine::Draw(ScorePainter& painter)
{
    if (tracks_.empty())
        return;
    const Point at = GetAbsolutePoint();
    painter.DrawThinVerticalLine(at.x, at.y, GetRect().Height(), GetColor());
}

}  // namespace quaverly
