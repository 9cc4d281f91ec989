// Starting a program as a child process and reading its memory and CPU time from /proc.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace bench {

// A "Vm..." line of /proc/<pid>/status in megabytes; 0 when it cannot be read.
inline double StatusMegabytes(const std::string& pid, const char* field)
{
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::strtod(line.c_str() + key.size(), nullptr) / 1024.0;
    }
    return 0;
}

// User plus system CPU time of the process in clock ticks; -1 when it has ended.
inline long CpuTicks(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    if (!std::getline(stat, text))
        return -1;
    // The fields after the command name, which is in parentheses and may hold spaces.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long utime = 0;
    long stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14)
            utime = std::atol(field.c_str());
        if (i == 15) {
            stime = std::atol(field.c_str());
            break;
        }
    }
    return utime + stime;
}

// The environment of a run of the program offscreen, with its own home folder so that
// the user's settings and recent files stay out of it.
inline std::vector<std::pair<std::string, std::string>> OffscreenEnvironment(const std::string& home)
{
    return {{"QT_QPA_PLATFORM", "offscreen"},
            {"HOME", home},
            {"XDG_CONFIG_HOME", home + "/config"},
            {"XDG_DATA_HOME", home + "/data"},
            {"XDG_RUNTIME_DIR", home + "/runtime"}};
}

// Starts the program with the arguments and the environment added; its output goes to
// `log`. The child's id, or -1.
inline pid_t Spawn(const std::vector<std::string>& arguments,
                   const std::vector<std::pair<std::string, std::string>>& environment,
                   const std::string& log)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    for (const auto& [name, value] : environment)
        setenv(name.c_str(), value.c_str(), 1);
    if (FILE* out = std::fopen(log.c_str(), "a")) {
        dup2(fileno(out), STDOUT_FILENO);
        dup2(fileno(out), STDERR_FILENO);
    }
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
}

// A copy of the program beside its libraries and data folder, so that a run may keep
// settings of its own: the user's "no MIDI device" notices are switched off (the choice
// "do not remind me" stored), as nobody is there to answer them. The copied program.
inline std::string CopyProgram(const std::string& program, const std::filesystem::path& to)
{
    namespace fs = std::filesystem;
    const fs::path from = fs::path(program).parent_path();
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        const bool library = name.rfind("lib", 0) == 0 && name.find(".so") != std::string::npos;
        const bool data = name == "Tansy.ini" || name == "dtd" || name == "fonts" ||
                          name == "help" || name == "lists" || name == "settings" ||
                          name == "texture";
        if (library || data || entry.path() == fs::path(program))
            fs::copy(entry.path(), to / name,
                     fs::copy_options::recursive | fs::copy_options::copy_symlinks |
                         fs::copy_options::overwrite_existing);
    }
    const fs::path options = to / "settings" / "Option.ini";
    std::ifstream in(options);
    std::stringstream text;
    text << in.rdbuf();
    std::string ini = text.str();
    for (const char* key : {"Show In Notify=TRUE", "Show Out Notify=TRUE"}) {
        const std::size_t at = ini.find(key);
        if (at != std::string::npos)
            ini.replace(at + std::string(key).size() - 4, 4, "FALSE");
    }
    std::ofstream(options, std::ios::trunc) << ini;
    return (to / fs::path(program).filename()).string();
}

// User plus system CPU time of the ended children waited for so far, in milliseconds.
inline double ChildrenCpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Waits for the child's end; its exit status, or -1 after a signal.
inline int WaitForExit(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace bench
