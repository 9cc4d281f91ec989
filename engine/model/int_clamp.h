// Narrowing of values computed in a wider type: the result is held to the int range
// instead of wrapping around.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace quaverly {

inline constexpr int ClampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Truncates toward zero; NaN gives 0.
inline int TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    value = std::clamp(value, static_cast<double>(std::numeric_limits<int>::min()),
                       static_cast<double>(std::numeric_limits<int>::max()));
    return static_cast<int>(value);
}

}  // namespace quaverly
