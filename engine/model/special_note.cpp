#include "engine/model/special_note.h"

namespace quaverly {

SpecialNote::SpecialNote()
{
    SetAxisMask(drag_axis::kX);
}

}  // namespace quaverly
