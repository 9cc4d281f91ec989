#include "scoredata/staff_data_impl.h"

#include <new>

namespace tabulon {

std::u16string StaffDataImpl::GetName() const { return name_; }
void StaffDataImpl::SetName(const std::u16string& name) { name_ = name; }
void StaffDataImpl::SetProgram(int program) { program_ = program; }
int StaffDataImpl::GetProgram() const { return program_; }
void StaffDataImpl::SetChannel(int channel) { channel_ = channel; }
int StaffDataImpl::GetChannel() const { return channel_; }

const std::vector<NoteRecord>& StaffDataImpl::GetNotes() const { return notes_; }
void StaffDataImpl::AddNote(const NoteRecord& note) { notes_.push_back(note); }
void StaffDataImpl::RemoveNote(const NoteRecord&) {}

const std::vector<TieChain>& StaffDataImpl::GetTieChains() const { return tieChains_; }
void StaffDataImpl::AddTieChain(const TieChain& chain) { tieChains_.push_back(chain); }
void StaffDataImpl::RemoveTieChain(const TieChain&) {}

const std::vector<TupletGroup>& StaffDataImpl::GetTupletGroups() const
{
    return tupletGroups_;
}

void StaffDataImpl::AddTupletGroup(const TupletGroup& group) { tupletGroups_.push_back(group); }
void StaffDataImpl::RemoveTupletGroup(const TupletGroup&) {}

void StaffDataImpl::Release()
{
    if (standalone_)
        delete this;
}

}  // namespace tabulon

tabulon::StaffData* create_staff_data()
{
    return new (std::nothrow) tabulon::StaffDataImpl(true);
}
