#include "engine/model/note_time.h"

#include <cstdint>

#include "engine/model/int_clamp.h"
#include "engine/model/note.h"

namespace quaverly {

namespace {

std::int64_t DottedLength64(std::int64_t base, int dots)
{
    std::int64_t length = base;
    const std::int64_t magnitude = base < 0 ? -base : base;
    // Dot k adds base / 2^k; once 2^k exceeds the base every further share is 0.
    for (int k = 1; k <= dots && k < 62; ++k) {
        const std::int64_t divisor = std::int64_t{1} << k;
        if (divisor > magnitude)
            break;
        length += base / divisor;
    }
    return length;
}

}  // namespace

int GetDottedLength(int base, int dots)
{
    return ClampToInt(DottedLength64(base, dots));
}

int GetPlayedLength(int base, int dots, int tupletActual, int tupletNormal)
{
    const std::int64_t dotted = DottedLength64(base, dots);
    if (tupletActual <= 0 || tupletNormal <= 0)
        return ClampToInt(dotted);
    return ClampToInt(std::int64_t{tupletNormal} * dotted / tupletActual);
}

int GetNoteDuration(const Note* note)
{
    if (note == nullptr)
        return 0;
    return GetPlayedLength(note->GetDuration(), note->GetDots(), note->GetTupletActual(),
                           note->GetTupletNormal());
}

int GetNoteEndTime(const std::shared_ptr<Note>& note)
{
    if (!note)
        return 0;
    return ClampToInt(std::int64_t{note->GetStartTime()} + GetNoteDuration(note.get()));
}

}  // namespace quaverly
