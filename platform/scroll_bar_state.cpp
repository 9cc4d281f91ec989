#include "platform/scroll_bar_state.h"

#include <cstdint>

namespace platform {

void ScrollBarState::Set(const ScrollInfo& info)
{
    if (info.mask & kSifRange) {
        min_ = info.min;
        max_ = std::max(info.min, info.max);
    }
    const std::int64_t length = static_cast<std::int64_t>(max_) - min_ + 1;
    if (info.mask & kSifPage)
        page_ = static_cast<unsigned>(std::min<std::int64_t>(info.page, length));
    else
        page_ = static_cast<unsigned>(std::min<std::int64_t>(page_, length));
    if (info.mask & kSifPos)
        pos_ = info.pos;
    pos_ = std::clamp(pos_, min_, MaxPosition());
    trackPos_ = pos_;
}

ScrollInfo ScrollBarState::Get() const
{
    return ScrollInfo{kSifAll, min_, max_, page_, pos_, trackPos_};
}

int ScrollBarState::MaxPosition() const
{
    const std::int64_t last = page_ == 0 ? max_ : static_cast<std::int64_t>(max_) - page_ + 1;
    return static_cast<int>(std::max<std::int64_t>(last, min_));
}

}  // namespace platform
