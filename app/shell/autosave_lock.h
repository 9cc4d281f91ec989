// Which running copy of the program an autosave copy belongs to. Beside each copy lies a
// lock file that its owner keeps locked for as long as it runs and that names the
// owner's process id. A copy takes the first slot no running copy holds: the first
// "~autosave.exl" with "~autosave.lock", then "~autosave1.exl" with "~autosave1.lock"
// and so on. An autosave copy found in the slot just taken was left by a program that
// is no longer running; the copies of the other slots belong to running programs and
// are neither offered nor touched.
//
// The lock goes with the process: a program that is killed leaves its slot free.
#pragma once

#include <filesystem>

namespace brindle {

class AutosaveLock {
public:
    static constexpr int kMaxSlots = 16;

    AutosaveLock() = default;
    ~AutosaveLock();
    AutosaveLock(const AutosaveLock&) = delete;
    AutosaveLock& operator=(const AutosaveLock&) = delete;

    // Takes the first free slot for the autosave copy `first` names (the first slot's
    // copy); a slot held already in another folder is given up first. False when no
    // slot could be taken (a folder that cannot be written, every slot in use).
    bool Acquire(const std::filesystem::path& first);
    // Gives the slot up; the files stay.
    void Release();

    // True while a slot for `first` is held.
    bool Holds(const std::filesystem::path& first) const { return fd_ >= 0 && first_ == first; }
    // The autosave copy of the slot held; empty when none is.
    std::filesystem::path AutosavePath() const { return fd_ >= 0 ? autosave_ : std::filesystem::path(); }
    std::filesystem::path LockPath() const { return fd_ >= 0 ? lock_ : std::filesystem::path(); }
    int Slot() const { return fd_ >= 0 ? slot_ : -1; }

    // The copy and the lock file of slot `slot` for the first slot's copy `first`.
    static std::filesystem::path SlotCopy(const std::filesystem::path& first, int slot);
    static std::filesystem::path SlotLock(const std::filesystem::path& first, int slot);

private:
    int fd_ = -1;
    int slot_ = -1;
    std::filesystem::path first_;
    std::filesystem::path autosave_;
    std::filesystem::path lock_;
};

}  // namespace brindle
