// Lookup and removal in the lists of shared pointers that the model keeps (vectors or
// arrays of std::shared_ptr), by the object an entry holds.
#pragma once

#include <algorithm>
#include <utility>

namespace quaverly {

// The first entry holding the object, or an empty pointer.
template <class List, class T>
typename List::value_type FindEntry(const List& list, const T* object)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [object](const auto& entry) { return entry.get() == object; });
    return found == list.end() ? nullptr : *found;
}

// Removes the first entry holding the object and returns it; an empty pointer when it is
// absent.
template <class List, class T>
typename List::value_type TakeEntry(List& list, const T* object)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [object](const auto& entry) { return entry.get() == object; });
    if (found == list.end())
        return nullptr;
    typename List::value_type taken = std::move(*found);
    list.erase(found);
    return taken;
}

}  // namespace quaverly
