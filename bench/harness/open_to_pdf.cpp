// The whole process from start to a printed PDF: the program's application object is
// started offscreen with the benchmark score named on the command line, as the program
// itself starts, opens it on its worker threads, lays it out and prints every page into
// a PDF file with the print command's page loop, then ends. The harness runs that as a
// fresh process several times for 100 and 400 bars and reports the median wall time
// from start to exit, the time of each phase and the peak resident memory of the
// process, laid out and after printing; and the same process started without a score.
// The phases: "to main" from the start of the process to its first line (loading and
// linking the libraries, static set-up), "started" the toolkit and the program's window,
// "laid out" the document opened on the workers and laid out, "printed" every page
// printed, "ended" the program's own end (ExitInstance), and "exit" the rest, from there
// until the process is gone (the toolkit's and the libraries' teardown). The child's
// figures count from its first line; the parent hands it the moment it started it.
//
//   harness_open_to_pdf [runs]
//   harness_open_to_pdf --run <document or -> <pdf or -> <report> [spawned]  (one run, the
//         child; "-" for no document, or for no printing; `spawned`: the steady clock's
//         nanoseconds when the parent started it)
//   harness_open_to_pdf --save <bars> <document>   (only saves the benchmark score)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QPdfWriter>
#include <QThread>

#include "app/shell/brindle_app.h"
#include "app/shell/brindle_view.h"
#include "bench/bench_folder.h"
#include "bench/benchmark_document.h"
#include "bench/harness/harness_report.h"
#include "bench/harness/process_probe.h"
#include "platform/dialog_service.h"
#include "platform/scripted_dialog_service.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How long the run without a score gives the start-up tasks before it ends the program.
constexpr int kStartUpWaitMs = 500;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the event loop until `done` or the limit; false at the limit.
template <class Done>
bool PumpUntil(const Done& done, int limitMs)
{
    const auto start = Clock::now();
    while (!done()) {
        if (MillisecondsSince(start) > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}

// Nanoseconds of the steady clock, which is the same for every process of the machine.
long long SteadyNanoseconds(Clock::time_point at)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

// One run in this process. "-" for no document: the program is started, its start-up
// tasks run, and it ends. `spawned` (nanoseconds of the steady clock, 0 when unknown)
// gives the time the process took to reach its first line.
int RunOnce(const std::string& document, const std::string& pdf, const std::string& report,
            long long spawned)
{
    const auto start = Clock::now();
    const double toMain = spawned > 0 ? static_cast<double>(SteadyNanoseconds(start) - spawned) / 1e6 : 0;
    int argc = 1;
    char name[] = "brindle";
    char* argv[] = {name, nullptr};
    QApplication qapp(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brindle"));
    // Questions the start-up may ask (devices, an autosaved copy) take their default
    // answers instead of waiting for a user.
    platform::ScriptedDialogService dialogs;
    platform::ScopedDialogService scoped(dialogs);

    std::vector<std::u16string> arguments;
    if (document != "-")
        arguments.push_back(fs::path(document).u16string());
    brindle::CBrindleApp app;
    if (!app.InitInstance(arguments))
        return 2;
    const double started = MillisecondsSince(start);
    brindle::CBrindleView* view = app.GetActiveView();
    std::ofstream out(report);
    out << "main_ms " << toMain << "\n";
    out << "started_ms " << started << "\n";
    const std::string self = std::to_string(::getpid());
    if (document == "-") {
        // The start-up tasks wait for the window to be up: give them a moment.
        PumpUntil([] { return false; }, kStartUpWaitMs);
        out << "peak_mb " << bench::StatusMegabytes(self, "VmHWM") << "\n";
        app.ExitInstance();
        out << "ended_ms " << MillisecondsSince(start) << "\n";
        return 0;
    }
    if (view == nullptr ||
        !PumpUntil([view] { return view->HasScore() && !view->m_bLoading; }, 60000))
        return 3;
    const double laidOut = MillisecondsSince(start);
    out << "laid_out_ms " << laidOut << "\n";
    out << "peak_laid_out_mb " << bench::StatusMegabytes(self, "VmHWM") << "\n";
    if (pdf == "-") {
        // Opened and laid out only.
        app.ExitInstance();
        return 0;
    }
    int pages = 0;
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        pages = view->PrintPages(writer);
    }
    const double printed = MillisecondsSince(start);
    out << "printed_ms " << printed << "\n";
    out << "pages " << pages << "\n";
    out << "peak_mb " << bench::StatusMegabytes(self, "VmHWM") << "\n";
    app.ExitInstance();
    out << "ended_ms " << MillisecondsSince(start) << "\n";
    return pages > 0 ? 0 : 4;
}

std::map<std::string, double> ReadReport(const fs::path& report)
{
    std::map<std::string, double> values;
    std::ifstream in(report);
    std::string key;
    double value = 0;
    while (in >> key >> value)
        values[key] = value;
    return values;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if ((argc == 5 || argc == 6) && std::string(argv[1]) == "--run")
        return RunOnce(argv[2], argv[3], argv[4], argc == 6 ? std::atoll(argv[5]) : 0);
    if (argc == 4 && std::string(argv[1]) == "--save")
        return bench::SaveBenchmarkDocument(argv[3], std::max(1, std::atoi(argv[2]))) ? 0 : 1;

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const bench::BenchFolder folder("brindle-open-to-pdf");
    const std::string home = (folder / "home").string();
    fs::create_directories(home + "/runtime");
    const auto environment = bench::OffscreenEnvironment(home);
    const std::string self = fs::canonical("/proc/self/exe").string();
    const std::string log = (folder / "runs.log").string();

    struct Case {
        const char* label;
        int bars;  // 0: no score
    };
    for (const Case& c : {Case{"no score", 0}, Case{"100 bars", 100}, Case{"400 bars", 400}}) {
        std::string document = "-";
        if (c.bars > 0) {
            document = (folder / ("score" + std::to_string(c.bars) + ".exl").c_str()).string();
            if (!bench::SaveBenchmarkDocument(document, c.bars)) {
                std::fprintf(stderr, "the benchmark score was not saved\n");
                return 1;
            }
        }
        const std::string pdf = (folder / "score.pdf").string();
        const std::string report = (folder / "report.txt").string();
        std::map<std::string, std::vector<double>> values;
        std::vector<double> wall;
        std::vector<double> cpu;
        // The first run warms the file system caches and is not counted.
        for (int run = 0; run <= runs; ++run) {
            fs::remove(report);
            const double cpuBefore = bench::ChildrenCpuMilliseconds();
            const auto start = Clock::now();
            const pid_t pid = bench::Spawn(
                {self, "--run", document, pdf, report, std::to_string(SteadyNanoseconds(start))},
                environment, log);
            const int status = bench::WaitForExit(pid);
            const double ms = MillisecondsSince(start);
            const double cpuMs = bench::ChildrenCpuMilliseconds() - cpuBefore;
            if (status != 0) {
                std::fprintf(stderr, "run %d of %s ended with %d (see %s)\n", run, c.label,
                             status, log.c_str());
                return 1;
            }
            if (run == 0)
                continue;
            wall.push_back(ms);
            cpu.push_back(cpuMs);
            const auto reported = ReadReport(report);
            for (const auto& [key, value] : reported)
                values[key].push_back(value);
            // From the program's end to the process's: what the parent saw less what the
            // child counted.
            if (reported.count("main_ms") && reported.count("ended_ms"))
                values["exit_ms"].push_back(ms - reported.at("main_ms") - reported.at("ended_ms"));
        }
        const auto median = [&values](const char* key) { return Median(values[key]); };
        if (c.bars == 0) {
            std::printf("no score: start to exit %.0f ms (median of %d; %.0f ms CPU): to main %.0f ms, "
                        "then started %.0f ms, ended %.0f ms (of which %.0f ms waiting for the "
                        "start-up tasks), exit %.0f ms; peak resident %.1f MB\n",
                        Median(wall), runs, Median(cpu), median("main_ms"), median("started_ms"),
                        median("ended_ms"), static_cast<double>(kStartUpWaitMs), median("exit_ms"), median("peak_mb"));
            bench::WriteFigure("program_peak_mb_no_score", median("peak_mb"));
            continue;
        }
        const double pdfKb = fs::exists(pdf) ? static_cast<double>(fs::file_size(pdf)) / 1024.0 : 0;
        std::printf("%s: start to exit %.0f ms (median of %d; %.0f ms CPU): to main %.0f ms, then "
                    "started %.0f ms, laid out %.0f ms, printed %.0f ms (%.0f pages, %.0f KB), "
                    "ended %.0f ms, exit %.0f ms; peak resident %.1f MB laid out, %.1f MB printed\n",
                    c.label, Median(wall), runs, Median(cpu), median("main_ms"), median("started_ms"),
                    median("laid_out_ms"), median("printed_ms"), median("pages"), pdfKb,
                    median("ended_ms"), median("exit_ms"), median("peak_laid_out_mb"), median("peak_mb"));
        const std::string bars = std::to_string(c.bars);
        bench::WriteFigure(("open_to_pdf_ms_" + bars).c_str(), Median(wall));
        bench::WriteFigure(("open_to_pdf_cpu_ms_" + bars).c_str(), Median(cpu));
        bench::WriteFigure(("program_peak_mb_laid_out_" + bars).c_str(), median("peak_laid_out_mb"));
        bench::WriteFigure(("program_peak_mb_printed_" + bars).c_str(), median("peak_mb"));
    }
    return 0;
}
