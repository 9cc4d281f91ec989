// A group of radio buttons exchanged as the index of the one checked. The dialogs' radio
// buttons do not always carry consecutive ids (a group's second button may have any id),
// so a group is named by the list of its buttons' ids.
#pragma once

#include <initializer_list>
#include <vector>

namespace platform {
class DataExchange;
class DialogBase;
}  // namespace platform

namespace brindle {

class RadioGroup {
public:
    RadioGroup(std::initializer_list<int> ids) : ids_(ids) {}

    const std::vector<int>& Ids() const { return ids_; }
    int FirstId() const { return ids_.empty() ? 0 : ids_.front(); }

    // Loading checks button `value` and clears the others; saving gives the index of the
    // button checked, -1 for none.
    void Exchange(platform::DataExchange& dx, int& value) const;
    // The index of the button checked in `dialog`; -1 for none.
    int Checked(const platform::DialogBase& dialog) const;
    void Check(platform::DialogBase& dialog, int value) const;

private:
    std::vector<int> ids_;
};

}  // namespace brindle
