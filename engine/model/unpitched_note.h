// SpecialNote: one of the four unpitched symbols (pitch codes 10 to 13). It behaves as a
// note but is dragged along x only.
#pragma once

#include "engine/model/note.h"

namespace quaverly {

class SpecialNote : public Note {
public:
    SpecialNote();
};

}  // namespace quaverly
