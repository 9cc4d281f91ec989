// The id of a process that has ended: a child made for it, gone and reaped.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace shell_test {

inline long EndedProcessId()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return static_cast<long>(child);
}

}  // namespace shell_test
