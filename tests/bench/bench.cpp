// Start-up times of two programs, started alternately with CreateProcess:
//   zelvo_bench [--window] PROGRAM YARDSTICK [RUNS]
// Measures from CreateProcess to the process's end, or with --window to the first visible
// top-level window of the process, which is then ended; in that mode each run also waits until
// the updaters it started (ZDrvs.exe) have ended, so that they weigh on no other run. Prints the
// median of each in milliseconds and their ratio, and the spread of the ratios of each pair of
// runs (minimum, median, maximum), one "name=value" a line.
#include "harness.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char kStartedUpdater[] = "ZDrvs.exe";
constexpr DWORD kWindowTimeoutMs = 20000;

// Polls until the process shows a top-level window; false when it ended or the time ran out.
// Polled every millisecond, as the time is the figure.
bool WaitForVisibleWindow(const PROCESS_INFORMATION& info) {
    const DWORD start = GetTickCount();
    while (!zelvo::testing::HasVisibleWindow(info.dwProcessId)) {
        if (WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0 ||
            GetTickCount() - start > kWindowTimeoutMs)
            return false;
    }
    return true;
}

// Milliseconds from CreateProcess to the process's end (or its window); negative on failure.
double RunOnce(const std::string& path, bool untilWindow) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string commandLine = "\"" + path + "\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info))
        return -1;
    bool reached = true;
    if (untilWindow) {
        reached = WaitForVisibleWindow(info);
        QueryPerformanceCounter(&end);
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, INFINITE);
        zelvo::testing::WaitUntilNoProcess(kStartedUpdater, kWindowTimeoutMs);
    } else {
        WaitForSingleObject(info.hProcess, INFINITE);
        QueryPerformanceCounter(&end);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!reached)
        return -1;
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    const bool untilWindow = argc > 1 && std::strcmp(argv[1], "--window") == 0;
    if (untilWindow) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: zelvo_bench [--window] PROGRAM YARDSTICK [RUNS]\n");
        return 2;
    }
    const std::string program = argv[1], yardstick = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 51;
    // Warm-up: the first starts load the system DLLs into the file cache.
    for (int i = 0; i < 3; ++i) {
        if (RunOnce(program, untilWindow) < 0 || RunOnce(yardstick, untilWindow) < 0) {
            std::fprintf(stderr, "cannot start %s or %s\n", program.c_str(), yardstick.c_str());
            return 1;
        }
    }
    std::vector<double> programTimes, yardstickTimes;
    for (int i = 0; i < runs; ++i) {
        // Alternating, and swapping which goes first, so that drifts hit both alike.
        if (i % 2) {
            programTimes.push_back(RunOnce(program, untilWindow));
            yardstickTimes.push_back(RunOnce(yardstick, untilWindow));
        } else {
            yardstickTimes.push_back(RunOnce(yardstick, untilWindow));
            programTimes.push_back(RunOnce(program, untilWindow));
        }
    }
    // Each pair ran side by side in time: its ratio is spared the drifts of a loaded machine.
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i)
        ratios.push_back(programTimes[i] / yardstickTimes[i]);
    std::sort(ratios.begin(), ratios.end());
    const double p = Median(programTimes), y = Median(yardstickTimes);
    std::printf("runs=%d\nprogram_median_ms=%.3f\nyardstick_median_ms=%.3f\nratio=%.3f\n"
                "pair_ratio_min=%.3f\npair_ratio_median=%.3f\npair_ratio_max=%.3f\n",
                runs, p, y, p / y, ratios.front(), Median(ratios), ratios.back());
    return 0;
}
