#include "app/settings/expression_style_list.h"

#include <algorithm>

#include "app/settings/patch_name_file.h"

namespace brindle {

int ExpressionStyleList::GetCount() const
{
    return file_ ? std::clamp(file_->ReadInt(kSectionName, u"Count", 0), 0, kMaxCount) : 0;
}

std::u16string ExpressionStyleList::GetItem(int index) const
{
    return file_ ? file_->ReadString(kSectionName, PatchNameFile::ItemKey(index), u"") : std::u16string();
}

}  // namespace brindle
