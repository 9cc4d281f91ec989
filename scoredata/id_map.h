// Helpers for the maps from ids to owned parts that ScoreData and StaveData keep
// (internal).
#pragma once

#include <map>
#include <memory>
#include <vector>

namespace tabulon::detail {

// The ids in ascending order.
template <typename Part>
std::vector<int> IdsOf(const std::map<int, std::shared_ptr<Part>>& parts)
{
    std::vector<int> ids;
    ids.reserve(parts.size());
    for (const auto& [id, part] : parts)
        ids.push_back(id);
    return ids;
}

// The part under the id, or null; nothing is created.
template <typename Part>
Part* FindById(const std::map<int, std::shared_ptr<Part>>& parts, int id)
{
    const auto found = parts.find(id);
    return found == parts.end() ? nullptr : found->second.get();
}

}  // namespace tabulon::detail
