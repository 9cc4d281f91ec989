// The StaveData of the library (internal).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "scoredata/staff_data_impl.h"
#include "scoredata/stave_data.h"

namespace tabulon {

class StaveDataImpl final : public StaveData {
public:
    StaveDataImpl() = default;
    ~StaveDataImpl() = default;

    int GetKind() const override;
    void SetKind(int kind) override;
    std::u16string GetName() const override;
    void SetName(const std::u16string& name) override;
    void AddStaff(int id, int unused) override;
    void RemoveStaff(int id) override;
    std::vector<int> GetStaffIds() const override;
    StaffData* GetStaff(int id) const override;
    void AddLyric(const LyricRecord& lyric) override;
    const std::vector<LyricRecord>& GetLyrics() const override;
    void Release() override;

private:
    std::u16string name_;
    int kind_ = 0;
    std::map<int, std::shared_ptr<StaffDataImpl>> staffs_;
    std::vector<LyricRecord> lyrics_;
};

}  // namespace tabulon
