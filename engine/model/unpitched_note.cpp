#include "engine/model/unpitched_note.h"

namespace quaverly {

SpecialNote::SpecialNote()
{
    SetAxisMask(drag_axis::kX);
}

}  // namespace quaverly
