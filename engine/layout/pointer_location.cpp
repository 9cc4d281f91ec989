#include "engine/layout/pointer_location.h"

#include <memory>

#include "engine/model/bar.h"
#include "engine/model/note.h"
#include "engine/model/note_time.h"

namespace quaverly {

namespace {

bool Holds(const Rect& rect, int x, int y)
{
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

int TimeAt(const ScoreElement& barElement, int x)
{
    const auto* bar = dynamic_cast<const Bar*>(&barElement);
    if (bar == nullptr)
        return 0;
    std::shared_ptr<Note> before;
    for (const auto& note : bar->GetNotes()) {
        if (!note)
            continue;
        const Rect placed = note->GetRect().Moved(note->GetAbsolutePoint());
        if (x < placed.left)
            return before ? GetNoteEndTime(before) : 0;
        if (x <= placed.right)
            return note->GetStartTime();
        before = note;
    }
    return before ? GetNoteEndTime(before) : 0;
}

}  // namespace

bool LocatePointer(int x, int y, const ScoreElement& root, int page, PointerLocation& location)
{
    const auto pageNode = root.GetChild(page);
    if (!pageNode)
        return false;
    const int systems = pageNode->GetChildCount();
    for (int i = 0; i < systems; ++i) {
        const auto system = pageNode->GetChild(i);
        const int tracks = system ? system->GetChildCount() : 0;
        for (int j = 0; j < tracks; ++j) {
            const auto track = system->GetChild(j);
            if (!track || !track->IsVisible())
                continue;
            const int bars = track->GetChildCount();
            for (int k = 0; k < bars; ++k) {
                const auto bar = track->GetChild(k);
                if (!bar || !Holds(bar->GetRect().Moved(bar->GetChildOrigin()), x, y))
                    continue;
                location = {i, j, k, TimeAt(*bar, x)};
                return true;
            }
        }
    }
    return false;
}

}  // namespace quaverly
