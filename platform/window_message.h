// Window messages as the program's windows exchange them: a message number with two
// parameters, the way the desktop packs them, and the numbers the framework itself uses.
// Private messages of the program start at kWmUser.
#pragma once

#include <cstdint>

namespace platform {

using MessageId = std::uint32_t;
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

struct WindowMessage {
    MessageId message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

inline constexpr MessageId kWmClose = 0x0010;
inline constexpr MessageId kWmSetCursor = 0x0020;
inline constexpr MessageId kWmTimer = 0x0113;
inline constexpr MessageId kWmUser = 0x0400;

// Hit codes of kWmSetCursor: where the pointer is.
inline constexpr int kHtClient = 1;
inline constexpr int kHtHScroll = 6;
inline constexpr int kHtVScroll = 7;

}  // namespace platform
