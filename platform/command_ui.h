// What an update handler is given for one command: it says whether the command is
// enabled and whether it shows as checked. The menu items, toolbar buttons and shortcuts
// of the command all follow what it says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class CommandUI {
public:
    explicit CommandUI(int id) : id_(id) {}

    int Id() const { return id_; }

    void Enable(bool on = true) { enabled_ = on; }
    // 0 unchecked, 1 checked; 2 (indeterminate) shows as checked.
    void SetCheck(int check = 1) { checked_ = check != 0; }
    void SetText(std::u16string_view text) { text_ = std::u16string(text); }

    const std::optional<bool>& Enabled() const { return enabled_; }
    const std::optional<bool>& Checked() const { return checked_; }
    const std::optional<std::u16string>& Text() const { return text_; }

private:
    int id_;
    std::optional<bool> enabled_;
    std::optional<bool> checked_;
    std::optional<std::u16string> text_;
};

}  // namespace platform
