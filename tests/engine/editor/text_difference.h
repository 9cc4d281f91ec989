// Where two saved documents part: for test messages that show the first line that differs.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace quaverly::editor_test {

// Empty when the two texts (saved documents) are alike, else the first line that differs
// in each, after the last few lines that are alike.
inline std::string FirstLineDifference(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return {};
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string lineA;
    std::string lineE;
    std::vector<std::string> before;  // the last lines alike, for context
    for (int number = 1;; ++number) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA)
            lineA = "(end)";
        if (!moreE)
            lineE = "(end)";
        if (lineA != lineE || (!moreA && !moreE)) {
            std::string context;
            for (const auto& line : before)
                context += line + "\n";
            return context + "line " + std::to_string(number) + ": " + lineA +
                   "\ninstead of: " + lineE;
        }
        before.push_back(lineA);
        if (before.size() > 8)
            before.erase(before.begin());
    }
}

}  // namespace quaverly::editor_test
