#include "scoredata/note_values.h"

#include <algorithm>
#include <bit>

namespace tabulon::note_values {

namespace {

int HighestBit(std::uint64_t bits) { return 63 - std::countl_zero(bits); }

}  // namespace

bool IsNoteValue(std::int64_t length)
{
    if (length < 5040 || length > 1290240 || (length * 2) % 5040 != 0)
        return false;
    // One set bit, or two adjacent ones (a single-dotted value).
    auto units = static_cast<std::uint64_t>(length * 2 / 5040);
    units >>= std::countr_zero(units);
    return units == 1 || units == 3;
}

WrittenValue PlainValue(std::int64_t length)
{
    WrittenValue written{5040, 0};
    if (length <= 0)
        return written;
    const auto units = static_cast<std::uint64_t>(length * 4 / 5040);  // 1/512 whole
    if (units == 0)
        return written;
    const int bit = std::min(HighestBit(units), 15);
    written.value = std::clamp<std::int32_t>(1260 << bit, 5040, 1290240);
    written.dotted = std::popcount(units) > 1 ? 1 : 0;
    return written;
}

std::int32_t TripletValue(std::int64_t length)
{
    if (length > 645120)
        return 645120;
    const auto units = static_cast<std::uint64_t>(std::max<std::int64_t>(length, 0) * 12 / 5040);
    if (units == 0)
        return 630;
    return 630 << std::min(HighestBit(units), 15);
}

bool IsTripletShaped(std::int64_t length, std::int32_t grid)
{
    if (length <= 0)
        return false;
    const auto units = static_cast<std::uint64_t>(length * 12 / 5040);
    if (units == 0 || units > 0xFFFF || std::popcount(units) != 1)
        return false;
    return TripletValue(length) > grid;
}

std::vector<std::int64_t> SplitUnits(std::int64_t units)
{
    std::vector<std::int64_t> values;
    std::int64_t left = units;
    while (left > 0) {
        const auto bits = static_cast<std::uint64_t>(left);
        std::int64_t take = static_cast<std::int64_t>(std::bit_floor(bits));
        if (take >= 2 && take + take / 2 <= left)
            take += take / 2;
        values.push_back(take);
        left -= take;
    }
    return values;
}

std::vector<std::int64_t> JoinParts(const std::vector<std::int64_t>& parts, std::int64_t unit)
{
    if (parts.size() < 2)
        return parts;
    if (parts.size() == 2) {
        if (parts[0] * 2 == unit && parts[1] * 2 == unit && IsNoteValue(unit))
            return {unit};
        if (parts[0] * 2 == unit && parts[1] == unit && unit > 80640 && IsNoteValue(unit * 3 / 2))
            return {unit * 3 / 2};
    }
    std::vector<std::int64_t> joined;
    std::int64_t run = 0;  // 0: no run open
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::int64_t part = parts[i];
        const bool last = i + 1 == parts.size();
        if (run > 0 && (part == unit || last) && IsNoteValue(run + part)) {
            run += part;
            continue;
        }
        if (run > 0)
            joined.push_back(run);
        run = 0;
        if (part == unit && IsNoteValue(part))
            run = part;
        else
            joined.push_back(part);
    }
    if (run > 0)
        joined.push_back(run);
    return joined;
}

}  // namespace tabulon::note_values
