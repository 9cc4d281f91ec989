#include "app/shell/autosave_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>

namespace brindle {

namespace fs = std::filesystem;

namespace {

fs::path SlotName(const fs::path& first, int slot, const char* extension)
{
    std::string name = first.stem().string();
    if (slot > 0)
        name += std::to_string(slot);
    return first.parent_path() / (name + extension);
}

}  // namespace

AutosaveLock::~AutosaveLock() { Release(); }

fs::path AutosaveLock::SlotCopy(const fs::path& first, int slot)
{
    return SlotName(first, slot, first.has_extension() ? first.extension().string().c_str() : "");
}

fs::path AutosaveLock::SlotLock(const fs::path& first, int slot) { return SlotName(first, slot, ".lock"); }

bool AutosaveLock::Acquire(const fs::path& first)
{
    if (Holds(first))
        return true;
    Release();
    for (int slot = 0; slot < kMaxSlots; ++slot) {
        const fs::path lock = SlotLock(first, slot);
        const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0)
            continue;  // not a file this copy may lock (a link, a folder that cannot be written)
        // A lock of its own open file: a second view of this process counts as another copy.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            continue;
        }
        // The owner's process id, for whoever looks at the folder.
        const std::string pid = std::to_string(::getpid()) + "\n";
        if (::ftruncate(fd, 0) == 0)
            (void)!::pwrite(fd, pid.data(), pid.size(), 0);
        fd_ = fd;
        slot_ = slot;
        first_ = first;
        autosave_ = SlotCopy(first, slot);
        lock_ = lock;
        return true;
    }
    return false;
}

void AutosaveLock::Release()
{
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    fd_ = -1;
    slot_ = -1;
    first_.clear();
    autosave_.clear();
    lock_.clear();
}

}  // namespace brindle
