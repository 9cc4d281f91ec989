#include "scoredata/stave_data_impl.h"

#include "scoredata/id_map.h"

namespace tabulon {

int StaveDataImpl::GetKind() const { return kind_; }
void StaveDataImpl::SetKind(int kind) { kind_ = kind; }
std::u16string StaveDataImpl::GetName() const { return name_; }
void StaveDataImpl::SetName(const std::u16string& name) { name_ = name; }

void StaveDataImpl::AddStaff(int id, int /*unused*/)
{
    if (!staffs_.contains(id))
        staffs_.emplace(id, std::make_shared<StaffDataImpl>(false));
}

void StaveDataImpl::RemoveStaff(int id) { staffs_.erase(id); }

std::vector<int> StaveDataImpl::GetStaffIds() const { return detail::IdsOf(staffs_); }
StaffData* StaveDataImpl::GetStaff(int id) const { return detail::FindById(staffs_, id); }

void StaveDataImpl::AddLyric(const LyricRecord& lyric) { lyrics_.push_back(lyric); }
const std::vector<LyricRecord>& StaveDataImpl::GetLyrics() const { return lyrics_; }

// Staves are owned by their score, which destroys them.
void StaveDataImpl::Release() {}

}  // namespace tabulon
