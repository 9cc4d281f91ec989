// Milliseconds of a steady clock as a 32-bit count, as the view stamps its changes,
// builds and saves with; only differences and order between stamps matter.
#pragma once

#include <chrono>
#include <cstdint>

namespace brindle {

inline std::uint32_t GetTickCount()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace brindle
