#include "engine/model/pitch_speller.h"

#include <array>
#include <cstdint>

namespace quaverly {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b)
{
    return a - FloorDiv(a, b) * b;
}

constexpr std::array<int, 12> kDegree = {0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 6, 6};
constexpr std::array<int, 12> kAccidental = {0, -1, 0, -1, 0, 0, 1, 0, 1, 0, -1, 0};

}  // namespace

SpelledPitch PitchSpeller::Spell(int key) const
{
    const std::int64_t tonic = FloorMod(std::int64_t{fifths_} * 7 + 60, 12);
    const std::int64_t distance = std::int64_t{key} - tonic;
    std::int64_t octave = FloorDiv(distance, 12);
    if (fifths_ < 0)
        ++octave;
    const auto step = static_cast<std::size_t>(FloorMod(distance, 12));
    return {kDegree[step], static_cast<int>(octave), kAccidental[step]};
}

}  // namespace quaverly
