// A brace or bracket over a range of parts. It only holds its values; the systems draw
// it through a part-group view, and the edit commands move its bounds.
#pragma once

#include <memory>

#include "engine/model/score_element.h"

namespace quaverly {

namespace part_group_type {
inline constexpr int kBrace = 0;
inline constexpr int kBracket = 1;
}  // namespace part_group_type

class PartGroup : public ScoreElement {
public:
    PartGroup() = default;  // a brace over part 0

    void SetType(int type) { type_ = type; }
    int GetType() const { return type_; }
    // The first and the last part the group covers (both included), as indices in
    // track order.
    void SetFirstPart(int part) { firstPart_ = part; }
    int GetFirstPart() const { return firstPart_; }
    void SetLastPart(int part) { lastPart_ = part; }
    int GetLastPart() const { return lastPart_; }
    // Whether the first bound (or the last) may move to the part: an index of a part
    // that keeps the first bound at or before the last one.
    bool CanMoveBound(bool first, int part) const
    {
        return part >= 0 && (first ? part <= lastPart_ : part >= firstPart_);
    }
    // An element bound to the group (empty until set); the group does nothing with it.
    void SetBoundElement(std::shared_ptr<ScoreElement> element) { bound_ = std::move(element); }
    const std::shared_ptr<ScoreElement>& GetBoundElement() const { return bound_; }

private:
    int type_ = part_group_type::kBrace;
    std::shared_ptr<ScoreElement> bound_;
    int firstPart_ = 0;
    int lastPart_ = 0;
};

}  // namespace quaverly
