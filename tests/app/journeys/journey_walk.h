// A seeded random walk through the program over the actions of the scripted journeys,
// with what must hold checked every few steps, and the minimiser that finds the
// shortest prefix of a failing walk that still fails.
//
// A walk is a list of steps drawn from the seed before it runs; each step's numbers are
// read against the score as it stands when the step runs (a bar number modulo the bars
// there are), so any prefix or part of a walk runs as well as the whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace journeys {

class JourneyDriver;

struct WalkStep {
    int kind = 0;
    int a = 0;
    int b = 0;
    int c = 0;
    std::string Describe() const;
};

struct WalkFailure {
    std::size_t step = 0;  // index of the step after which the check failed
    std::string message;
};

class JourneyWalk {
public:
    // Steps per episode: each episode starts from a new score and ends with undoing and
    // redoing all its steps.
    static constexpr std::size_t kEpisode = 40;

    static std::vector<WalkStep> Draw(std::uint32_t seed, std::size_t count);

    // Runs the steps in a fresh program, checking every `every` steps and at each episode's
    // end; the first failure, if any.
    static std::optional<WalkFailure> Run(const std::vector<WalkStep>& steps, std::size_t every);

    // The shortest prefix of `steps` that fails, knowing that the walk failed after
    // `failure.step`: the failing episode alone, checked after every step.
    static std::vector<WalkStep> ShortestFailingPrefix(const std::vector<WalkStep>& steps, const WalkFailure& failure,
                                                       std::size_t every);

    // The text of a failure for the report: the seed, the message and the steps.
    static std::string Report(std::uint32_t seed, const WalkFailure& failure, const std::vector<WalkStep>& prefix);

private:
    static void Perform(JourneyDriver& driver, const WalkStep& step);
};

}  // namespace journeys
