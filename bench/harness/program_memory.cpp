// The peak resident memory of the program itself: the built program (a copy of it with
// its data folder, whose start-up notices are switched off) is started offscreen, once without a score and once with the 400-bar benchmark score named on
// its command line; when its CPU time has stood still for a second (started, the score
// opened and laid out) the peak is read from /proc and the program is ended.
//
//   harness_program_memory [bars] [program]
#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "bench/bench_folder.h"
#include "bench/benchmark_document.h"
#include "bench/harness/harness_report.h"
#include "bench/harness/process_probe.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Settled {
    double peakMb = 0;
    double cpuSeconds = 0;
    bool ok = false;
};

// Waits until the process has used no CPU for `quiet` (after it used some), or the limit.
Settled WaitUntilSettled(pid_t pid, std::chrono::milliseconds quiet, std::chrono::seconds limit)
{
    const std::string id = std::to_string(pid);
    const auto end = std::chrono::steady_clock::now() + limit;
    long last = -1;
    auto stillSince = std::chrono::steady_clock::now();
    Settled settled;
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
        const long ticks = bench::CpuTicks(pid);
        if (ticks < 0)
            return settled;  // ended
        const auto now = std::chrono::steady_clock::now();
        if (ticks != last) {
            last = ticks;
            stillSince = now;
        } else if (ticks > 0 && now - stillSince >= quiet) {
            settled.peakMb = bench::StatusMegabytes(id, "VmHWM");
            settled.cpuSeconds = static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
            settled.ok = true;
            return settled;
        }
    }
    return settled;
}

}  // namespace

int main(int argc, char** argv)
{
    const int bars = argc > 1 ? std::max(1, std::atoi(argv[1])) : 400;
    const bench::BenchFolder folder("brindle-program-memory");
    const std::string program =
        bench::CopyProgram(argc > 2 ? argv[2] : BRINDLE_PROGRAM, folder / "program");
    const std::string home = (folder / "home").string();
    fs::create_directories(home + "/runtime");
    const std::string document = (folder / "score.exl").string();
    if (!bench::SaveBenchmarkDocument(document, bars)) {
        std::fprintf(stderr, "the benchmark score was not saved\n");
        return 1;
    }
    const std::string log = (folder / "program.log").string();
    for (const bool withScore : {false, true}) {
        std::vector<std::string> arguments = {program};
        if (withScore)
            arguments.push_back(document);
        const pid_t pid = bench::Spawn(arguments, bench::OffscreenEnvironment(home), log);
        const Settled settled = WaitUntilSettled(pid, 1000ms, 120s);
        kill(pid, SIGTERM);
        bench::WaitForExit(pid);
        if (!settled.ok) {
            std::fprintf(stderr, "the program did not settle\n");
            return 1;
        }
        if (withScore) {
            std::printf("program with the %d-bar score laid out: peak resident %.1f MB "
                        "(%.2f s CPU)\n", bars, settled.peakMb, settled.cpuSeconds);
            bench::WriteFigure(("program_peak_mb_" + std::to_string(bars)).c_str(), settled.peakMb);
        } else {
            std::printf("program with no score: peak resident %.1f MB (%.2f s CPU)\n",
                        settled.peakMb, settled.cpuSeconds);
            bench::WriteFigure("program_peak_mb_empty", settled.peakMb);
        }
    }
    return 0;
}
