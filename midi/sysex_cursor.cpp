#include "midi/sysex_cursor.h"

#include <utility>

namespace midi {

SysExCursor::SysExCursor(const std::vector<MidiByteRecord>& records, Callback callback)
    : records_(records), callback_(std::move(callback))
{
}

bool SysExCursor::Advance(int tick)
{
    const auto size = static_cast<std::ptrdiff_t>(records_.size());
    while (index_ + 1 < size && records_[static_cast<std::size_t>(index_ + 1)].tick <= tick) {
        ++index_;
        callback_(records_[static_cast<std::size_t>(index_)]);
    }
    return index_ + 1 < size;
}

void SysExCursor::Seek(int tick)
{
    const auto size = static_cast<std::ptrdiff_t>(records_.size());
    while (index_ + 1 < size && records_[static_cast<std::size_t>(index_ + 1)].tick < tick) {
        ++index_;
        callback_(records_[static_cast<std::size_t>(index_)]);
    }
}

}  // namespace midi
