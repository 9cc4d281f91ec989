#pragma once

// Long tests run their counts in full in the ordinary build and a fraction of them in the
// sanitizer builds, which run several times slower, so each still fits its time limit.

#include <algorithm>

namespace testsupport {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kUnderSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool kUnderSanitizer = true;
#else
inline constexpr bool kUnderSanitizer = false;
#endif
#else
inline constexpr bool kUnderSanitizer = false;
#endif

// `count` in the ordinary build, `count / divisor` (at least 1) under a sanitizer.
constexpr int ScaledCount(int count, int divisor = 8)
{
    return kUnderSanitizer ? std::max(1, count / divisor) : count;
}

}  // namespace testsupport
