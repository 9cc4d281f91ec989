#include "app/settings/page_info_file.h"

namespace brindle {

namespace {

PageInfo EmptyPaper()
{
    PageInfo paper;
    paper.width = paper.height = 0;
    paper.left = paper.top = paper.right = paper.bottom = 0;
    paper.portrait = true;
    return paper;
}

}  // namespace

int PageInfoFile::Load()
{
    sections_ = file_ ? file_->GetSectionNames() : std::vector<std::u16string>{};
    return GetPaperCount();
}

const std::u16string* PageInfoFile::Section(int index) const
{
    if (!file_ || index < 0 || static_cast<std::size_t>(index) >= sections_.size())
        return nullptr;
    return &sections_[static_cast<std::size_t>(index)];
}

PageInfo PageInfoFile::GetPaper(int index) const
{
    PageInfo paper = EmptyPaper();
    const std::u16string* section = Section(index);
    if (!section)
        return paper;
    const ProfileSnapshot file = file_->Snapshot();
    paper.name = file.ReadString(*section, u"Name", u"");
    paper.height = file.ReadInt(*section, u"Height", 0);
    paper.width = file.ReadInt(*section, u"Width", 0);
    paper.bottom = file.ReadInt(*section, u"Bottom", 0);
    paper.top = file.ReadInt(*section, u"Top", 0);
    paper.left = file.ReadInt(*section, u"Left", 0);
    paper.right = file.ReadInt(*section, u"Right", 0);
    return paper;
}

bool PageInfoFile::IsDefault(int index) const
{
    const std::u16string* section = Section(index);
    return section && file_->ReadBool(*section, u"Default", false);
}

}  // namespace brindle
