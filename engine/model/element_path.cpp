#include "engine/model/element_path.h"

namespace quaverly {

namespace {

std::shared_ptr<ScoreElement> Step(const std::shared_ptr<ScoreElement>& from, int i)
{
    return from ? from->GetChild(i) : nullptr;
}

}  // namespace

std::shared_ptr<ScoreElement> GetElementAtPath2(const ScoreElement& root, int a, int b)
{
    return Step(root.GetChild(a), b);
}

std::shared_ptr<ScoreElement> GetElementAtPath3(const ScoreElement& root, int a, int b,
                                                int c)
{
    return Step(GetElementAtPath2(root, a, b), c);
}

std::shared_ptr<ScoreElement> GetElementAtPath4(const ScoreElement& root, int a, int b,
                                                int c, int d)
{
    return Step(GetElementAtPath3(root, a, b, c), d);
}

std::shared_ptr<ScoreElement> GetElementAtPath2(
    const std::shared_ptr<const ScoreElement>& root, int a, int b)
{
    return root ? GetElementAtPath2(*root, a, b) : nullptr;
}

std::shared_ptr<ScoreElement> GetElementAtPath3(
    const std::shared_ptr<const ScoreElement>& root, int a, int b, int c)
{
    return root ? GetElementAtPath3(*root, a, b, c) : nullptr;
}

std::shared_ptr<ScoreElement> GetElementAtPath4(
    const std::shared_ptr<const ScoreElement>& root, int a, int b, int c, int d)
{
    return root ? GetElementAtPath4(*root, a, b, c, d) : nullptr;
}

}  // namespace quaverly
