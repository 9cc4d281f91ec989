// What the harnesses report: percentiles of a sample, and figures as lines
// "figure <name> <value>" on standard output, which scripts/bench collects.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace bench {

struct Percentiles {
    double median = 0;
    double p99 = 0;
    double max = 0;

    // Nearest-rank percentiles; an empty sample gives zeros.
    static Percentiles Of(std::vector<double> sample)
    {
        Percentiles p;
        if (sample.empty())
            return p;
        std::sort(sample.begin(), sample.end());
        const auto rank = [&sample](double fraction) {
            const auto n = static_cast<double>(sample.size());
            const auto index = static_cast<std::size_t>(std::ceil(fraction * n));
            return sample[std::min(sample.size() - 1, index > 0 ? index - 1 : 0)];
        };
        p.median = rank(0.5);
        p.p99 = rank(0.99);
        p.max = sample.back();
        return p;
    }
};

inline void WriteFigure(const char* name, double value)
{
    std::printf("figure %s %.3f\n", name, value);
    std::fflush(stdout);
}

}  // namespace bench
