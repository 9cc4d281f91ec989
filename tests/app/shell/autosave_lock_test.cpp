// The autosave slots of running copies, with a second process as the other copy: its
// slot stays its own while it runs and is free again once it has been killed.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "../../platform/temp_folder.h"
#include "app/shell/autosave_lock.h"

namespace {

namespace fs = std::filesystem;
using brindle::AutosaveLock;

TEST(AutosaveLock, AKilledCopyLeavesItsSlotAndItsFileToTheNextCopy)
{
    TempFolder folder;
    const fs::path first = folder.Path() / "~autosave.exl";
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        // The other copy: takes the first slot, says so, and runs until it is killed.
        AutosaveLock held;
        const char answer = held.Acquire(first) && held.Slot() == 0 ? 'y' : 'n';
        (void)!::write(ready[1], &answer, 1);
        for (;;)
            ::pause();
    }
    char answer = 0;
    ASSERT_EQ(::read(ready[0], &answer, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(answer, 'y');
    std::ofstream(first) << "the other copy's score";

    {
        AutosaveLock mine;
        ASSERT_TRUE(mine.Acquire(first));
        EXPECT_EQ(mine.Slot(), 1);
        EXPECT_EQ(mine.AutosavePath(), folder.Path() / "~autosave1.exl");
        EXPECT_EQ(mine.LockPath(), folder.Path() / "~autosave1.lock");
        // A second lock of this process is a copy of its own too.
        AutosaveLock third;
        ASSERT_TRUE(third.Acquire(first));
        EXPECT_EQ(third.Slot(), 2);
    }
    std::ifstream pid(folder.Path() / "~autosave.lock");
    int written = 0;
    pid >> written;
    EXPECT_EQ(written, other);

    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    AutosaveLock next;
    ASSERT_TRUE(next.Acquire(first));
    EXPECT_EQ(next.Slot(), 0);
    EXPECT_EQ(next.AutosavePath(), first);
    EXPECT_TRUE(fs::exists(first));
    // Given up, the slot is free at once; the files stay.
    next.Release();
    EXPECT_TRUE(next.AutosavePath().empty());
    EXPECT_TRUE(fs::exists(folder.Path() / "~autosave.lock"));
    AutosaveLock again;
    ASSERT_TRUE(again.Acquire(first));
    EXPECT_EQ(again.Slot(), 0);
}

TEST(AutosaveLock, AFolderThatCannotBeWrittenGivesNoSlot)
{
    AutosaveLock lock;
    EXPECT_FALSE(lock.Acquire("/proc/no-such-folder/~autosave.exl"));
    EXPECT_EQ(lock.Slot(), -1);
    EXPECT_TRUE(lock.AutosavePath().empty());
}

}  // namespace
