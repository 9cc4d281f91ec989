// The expression-word list: the tempo and expression words that the tempo-mark dialog
// and the new-score wizard offer, in section "EXPRESSION STYLE" under "Count" and
// "Item 0", "Item 1", ...
#pragma once

#include <memory>
#include <string>

#include "app/settings/profile_file.h"

namespace brindle {

class ExpressionStyleList {
public:
    static constexpr std::u16string_view kSectionName = u"EXPRESSION STYLE";

    ExpressionStyleList() = default;

    void SetFile(std::shared_ptr<ProfileFile> file) { file_ = std::move(file); }

    // Most words a list may hold: far more than any dialog shows, and a bound for a
    // count that a damaged file gives.
    static constexpr int kMaxCount = 1024;

    // Number of words, bounded to 0 .. kMaxCount; 0 without a file.
    int GetCount() const;
    // Word at an index; empty when missing.
    std::u16string GetItem(int index) const;

private:
    std::shared_ptr<ProfileFile> file_;
};

}  // namespace brindle
