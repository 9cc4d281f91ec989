// A part laid out by hand for the drawing-device tests of row views: 4/4 bars of one
// width in rows of a few bars, each with four quarter-note digits spread over the bar,
// and line marks placed on it as a file would place them.
#pragma once

#include <functional>
#include <memory>

#include "engine/model/bar.h"
#include "engine/model/line_mark.h"
#include "engine/model/note.h"
#include "engine/model/part.h"
#include "engine/model/position_map.h"
#include "engine/model/score_painter.h"

namespace painter_test {

inline constexpr int kHandBarWidth = 6000;
inline constexpr int kHandBarMargin = 300;
inline constexpr int kHandQuarter = 161280;

// `barCount` bars, `barsPerRow` to a row; the n-th digit of every bar sounds `pitchOf(n)`.
inline std::shared_ptr<quaverly::Part> HandLaidPart(quaverly::ScorePainter& painter, int barCount, int barsPerRow,
                                                    const std::function<int(int)>& pitchOf)
{
    using namespace quaverly;
    auto part = std::make_shared<Part>();
    for (int i = 0; i < barCount; ++i) {
        auto map = std::make_shared<PositionMap>();
        map->SetMeter(4, 4);
        map->SetLeftMargin(kHandBarMargin);
        map->AddSegment({0, 4 * kHandQuarter, 0, kHandBarWidth - kHandBarMargin});
        auto bar = std::make_shared<Bar>(i);
        bar->SetPositionMap(map);
        bar->SetRect({0, 0, kHandBarWidth, painter.GetBarLineHeight()});
        bar->SetPosition({(i % barsPerRow) * kHandBarWidth, 0});
        const Size note = painter.GetNoteSize();
        for (int n = 0; n < 4; ++n) {
            auto digit = std::make_shared<Note>();
            digit->SetPitchCode(pitchOf(n));
            digit->SetStartTime(n * kHandQuarter);
            digit->SetPosition({kHandBarMargin + n * (kHandBarWidth - kHandBarMargin) / 4,
                                (painter.GetBarLineHeight() - note.cy) / 2});
            bar->AddNote(digit);
        }
        part->AppendChild(bar);
    }
    return part;
}

// A line mark of `kind` from `position` in `bar` for `duration`, added to the part; a
// radian of 0 keeps the mark's own.
inline std::shared_ptr<quaverly::LineMark> AddHandMark(quaverly::Part& part, int kind, int bar, int position, int duration, float radian)
{
    auto mark = quaverly::CreateLineMark(kind);
    mark->SetBar(bar);
    mark->SetTimePosition(position);
    mark->SetDuration(duration);
    if (radian != 0.0f)
        mark->SetRadian(radian);
    part.AddLineMark(mark);
    return mark;
}

}  // namespace painter_test
