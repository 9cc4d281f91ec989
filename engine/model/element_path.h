// Safe walks along index paths through the element tree. Part p, bar b is child b of
// child 0 of child p of the score, so GetElementAtPath3(score, p, 0, b) reaches it; a
// note is one step further. Any index outside 0..count-1 on the way gives an empty
// pointer, never an element.
#pragma once

#include <memory>

#include "engine/model/score_element.h"

namespace quaverly {

std::shared_ptr<ScoreElement> GetElementAtPath2(const ScoreElement& root, int a, int b);
std::shared_ptr<ScoreElement> GetElementAtPath3(const ScoreElement& root, int a, int b,
                                                int c);
std::shared_ptr<ScoreElement> GetElementAtPath4(const ScoreElement& root, int a, int b,
                                                int c, int d);

// The same from a shared pointer; an empty root gives an empty result.
std::shared_ptr<ScoreElement> GetElementAtPath2(
    const std::shared_ptr<const ScoreElement>& root, int a, int b);
std::shared_ptr<ScoreElement> GetElementAtPath3(
    const std::shared_ptr<const ScoreElement>& root, int a, int b, int c);
std::shared_ptr<ScoreElement> GetElementAtPath4(
    const std::shared_ptr<const ScoreElement>& root, int a, int b, int c, int d);

}  // namespace quaverly
