// Pointer gestures on the elements of a laid-out score, handed to the editor the way the
// view passes them on.
#pragma once

#include <vector>

#include "engine/editor/editor_interface.h"
#include "engine/layout/line_mark_view.h"
#include "engine/model/note.h"
#include "engine/model/page_text.h"
#include "engine/model/page_text_view.h"
#include "engine/model/score_element.h"
#include "engine/model/tuplet.h"

namespace quaverly::editor_test {

// The middle of an element's rectangle, where the pointer grabs it.
inline Point MiddleOf(const ScoreElement& element)
{
    const Rect r = element.GetRect();
    return OffsetPoint(element.GetAbsolutePoint(), {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

// Where the pointer grabs the element: a page text by its text's box, a note by its
// rectangle laid out with its offset in it, a tuplet by the middle of its bracket, a
// line-mark piece a little after its start, anything else by the middle of its rectangle.
inline Point GrabPoint(const ScoreElement& element)
{
    if (const auto* piece = dynamic_cast<const LineMarkView*>(&element))
        return OffsetPoint(OffsetPoint(element.GetAbsolutePoint(), piece->GetStartPoint()), {50, 0});
    if (const auto* tuplet = dynamic_cast<const Tuplet*>(&element)) {
        const Point at = element.GetAbsolutePoint();
        const Point start = tuplet->GetBracketStart();
        return {at.x + (start.x + tuplet->GetBracketEnd().x) / 2,
                at.y + start.y - tuplet->GetBracketHeight() / 2};
    }
    if (const auto* view = dynamic_cast<const PageTextView*>(&element)) {
        const Rect r = view->GetPageText()->GetTextData().rect.Moved(element.GetAbsolutePoint());
        return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    if (dynamic_cast<const Note*>(&element) != nullptr) {
        const Rect r = element.GetRect().Moved(element.GetChildOrigin());
        return Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    return MiddleOf(element);
}

// Press, move by each step and release through the editor; nothing is drawn in between,
// so none of the steps' queued commands has run when the button comes up.
inline void DragThroughEditor(api::ScoreEditor& editor, Point from, const std::vector<Point>& steps)
{
    editor.OnButtonDown(from, 0, 0);
    Point at = from;
    for (Point step : steps) {
        at = OffsetPoint(at, step);
        editor.OnPointerMove(at, 0);
    }
    editor.OnButtonUp(at, 0);
}

}  // namespace quaverly::editor_test
