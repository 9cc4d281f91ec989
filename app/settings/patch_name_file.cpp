#include "app/settings/patch_name_file.h"

#include <QLocale>
#include <algorithm>

namespace brindle {

PatchNameFile::PatchNameFile(std::shared_ptr<ProfileFile> file) : PatchNameFile(std::move(file), SystemDefaultLangId())
{
}

PatchNameFile::PatchNameFile(std::shared_ptr<ProfileFile> file, int languageId) : file_(std::move(file))
{
    if (!file_)
        file_ = std::make_shared<ProfileFile>();
    SelectSections(languageId);
}

void PatchNameFile::SelectSections(int languageId)
{
    if (languageId == kTaiwanLanguageId) {
        patchSection_ = u"PATCH SECTION 1028";
        percussionSection_ = u"PERCUSSION SECTION 1028";
    } else {
        patchSection_ = u"PATCH SECTION";
        percussionSection_ = u"PERCUSSION SECTION";
    }
}

std::u16string PatchNameFile::ItemKey(int index)
{
    return u"Item " + ProfileFile::FormatInt(index);
}

int PatchNameFile::GetPatchCount() const
{
    return std::clamp(file_->ReadInt(patchSection_, u"Patch Count", 0), 0, kMaxItems);
}

std::u16string PatchNameFile::GetPatchName(int index) const
{
    return file_->ReadString(patchSection_, ItemKey(index), u"");
}

int PatchNameFile::GetPercussionCount() const
{
    return std::clamp(file_->ReadInt(percussionSection_, u"Percussion Count", 0), 0,
                      kMaxItems - GetPercussionOffset());
}

int PatchNameFile::GetPercussionOffset() const
{
    return std::clamp(file_->ReadInt(percussionSection_, u"Percussion Offset", 0), 0, kMaxItems - 1);
}

std::u16string PatchNameFile::GetPercussionName(int index) const
{
    return file_->ReadString(percussionSection_, ItemKey(index), u"");
}

int PatchNameFile::SystemDefaultLangId()
{
    const QLocale locale = QLocale::system();
    if (locale.language() != QLocale::Chinese)
        return 1033;
    switch (locale.territory()) {
    case QLocale::Taiwan:
        return 1028;
    case QLocale::HongKong:
        return 3076;
    case QLocale::Singapore:
        return 4100;
    case QLocale::Macau:
        return 5124;
    default:
        return 2052;
    }
}

}  // namespace brindle
