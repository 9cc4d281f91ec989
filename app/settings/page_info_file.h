// The page-size file: one section per paper, in the order the dialogs offer them, with
// "Name", "Width", "Height", "Left", "Top", "Right", "Bottom" (mm) and "Default" (the
// paper preselected). Missing numbers read as 0, not as the defaults of PageInfo.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/settings/page_info.h"
#include "app/settings/profile_file.h"

namespace brindle {

class PageInfoFile {
public:
    PageInfoFile() = default;

    void SetFile(std::shared_ptr<ProfileFile> file) { file_ = std::move(file); }

    // Reads the list of papers (section names in file order) and returns its length.
    int Load();
    int GetPaperCount() const { return static_cast<int>(sections_.size()); }

    // The paper of a loaded index, always portrait. An index outside the loaded list
    // gives an empty record: no name, all numbers 0, portrait.
    PageInfo GetPaper(int index) const;
    // "Default" of the paper; false for an index outside the list.
    bool IsDefault(int index) const;

private:
    const std::u16string* Section(int index) const;

    std::shared_ptr<ProfileFile> file_;
    std::vector<std::u16string> sections_;
};

}  // namespace brindle
