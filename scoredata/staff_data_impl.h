// The StaffData of the library (internal).
#pragma once

#include <string>
#include <vector>

#include "scoredata/staff_data.h"

namespace tabulon {

class StaffDataImpl final : public StaffData {
public:
    // standalone: made by create_staff_data and destroyed through Release; otherwise
    // owned by a stave, and Release leaves it alone.
    explicit StaffDataImpl(bool standalone) : standalone_(standalone) {}
    ~StaffDataImpl() = default;

    std::u16string GetName() const override;
    void SetName(const std::u16string& name) override;
    void SetProgram(int program) override;
    int GetProgram() const override;
    void SetChannel(int channel) override;
    int GetChannel() const override;
    const std::vector<NoteRecord>& GetNotes() const override;
    void AddNote(const NoteRecord& note) override;
    void RemoveNote(const NoteRecord& note) override;
    const std::vector<TieChain>& GetTieChains() const override;
    void AddTieChain(const TieChain& chain) override;
    void RemoveTieChain(const TieChain& chain) override;
    const std::vector<TupletGroup>& GetTupletGroups() const override;
    void AddTupletGroup(const TupletGroup& group) override;
    void RemoveTupletGroup(const TupletGroup& group) override;
    void Release() override;

private:
    bool standalone_;
    std::u16string name_;
    int program_ = 0;
    int channel_ = 0;
    std::vector<NoteRecord> notes_;
    std::vector<TupletGroup> tupletGroups_;
    std::vector<TieChain> tieChains_;
};

}  // namespace tabulon
