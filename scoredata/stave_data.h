// One stave of the score data: its name and kind, one or two staffs keyed by integer
// identifiers, and its lyrics. A stave belongs to its ScoreData.
#pragma once

#include <string>
#include <vector>

#include "scoredata/score_records.h"
#include "scoredata/staff_data.h"

namespace tabulon {

class StaveData {
public:
    virtual int GetKind() const = 0;
    virtual void SetKind(int kind) = 0;
    virtual std::u16string GetName() const = 0;
    virtual void SetName(const std::u16string& name) = 0;
    // Creates an empty staff under the identifier when there is none. The second value
    // is not used (callers pass the staff's index or the stave kind).
    virtual void AddStaff(int id, int unused) = 0;
    // Removes and destroys the staff when there is one.
    virtual void RemoveStaff(int id) = 0;
    // The identifiers in ascending order.
    virtual std::vector<int> GetStaffIds() const = 0;
    // The staff under the identifier, or null (nothing is created).
    virtual StaffData* GetStaff(int id) const = 0;
    virtual void AddLyric(const LyricRecord& lyric) = 0;
    virtual const std::vector<LyricRecord>& GetLyrics() const = 0;
    // A stave goes with its score (RemoveStave, Clear, Release): this does nothing.
    virtual void Release() = 0;

protected:
    StaveData() = default;
    StaveData(const StaveData&) = delete;
    StaveData& operator=(const StaveData&) = delete;
    ~StaveData() = default;
};

}  // namespace tabulon
