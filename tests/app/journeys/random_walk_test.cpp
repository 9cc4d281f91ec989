// Seeded random walks through the program over the scripted journeys' actions, the
// checks every few steps; a failure names its seed and the shortest failing prefix.
// JOURNEY_STEPS sets the steps of each walk; the sanitizer builds walk an eighth of the
// usual steps unless it is set (it can set longer runs there).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "journey_walk.h"
#include "tests/support/sanitizer_scale.h"

namespace {

using journeys::JourneyWalk;

std::size_t StepsPerWalk()
{
    if (const char* steps = std::getenv("JOURNEY_STEPS"))
        if (const long n = std::strtol(steps, nullptr, 10); n > 0)
            return static_cast<std::size_t>(n);
    return static_cast<std::size_t>(testsupport::ScaledCount(500));
}

class RandomWalkTest : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(RandomWalkTest, EveryCheckHoldsAlongTheWalk)
{
    constexpr std::size_t kEvery = 8;
    const std::uint32_t seed = GetParam();
    const auto steps = JourneyWalk::Draw(seed, StepsPerWalk());
    const auto failure = JourneyWalk::Run(steps, kEvery);
    if (failure)
        FAIL() << JourneyWalk::Report(seed, *failure, JourneyWalk::ShortestFailingPrefix(steps, *failure, kEvery));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomWalkTest, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u, 17u));

}  // namespace
