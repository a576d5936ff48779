// Start-to-exit times of two programs, started alternately with CreateProcess:
//   zelvo_bench PROGRAM YARDSTICK [RUNS]
// Prints the median of each in milliseconds and their ratio, one "name=value" a line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Milliseconds from CreateProcess to the process's end; negative when it could not start.
double RunOnce(const std::string& path) {
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
    WaitForSingleObject(info.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
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
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM YARDSTICK [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1], yardstick = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 41;
    // Warm-up: the first starts load the system DLLs into the file cache.
    for (int i = 0; i < 3; ++i) {
        if (RunOnce(program) < 0 || RunOnce(yardstick) < 0) {
            std::fprintf(stderr, "cannot start %s or %s\n", program.c_str(), yardstick.c_str());
            return 1;
        }
    }
    std::vector<double> programTimes, yardstickTimes;
    for (int i = 0; i < runs; ++i) {
        // Alternating, and swapping which goes first, so that drifts hit both alike.
        if (i % 2) {
            programTimes.push_back(RunOnce(program));
            yardstickTimes.push_back(RunOnce(yardstick));
        } else {
            yardstickTimes.push_back(RunOnce(yardstick));
            programTimes.push_back(RunOnce(program));
        }
    }
    const double p = Median(programTimes), y = Median(yardstickTimes);
    std::printf("runs=%d\nprogram_median_ms=%.3f\nyardstick_median_ms=%.3f\nratio=%.3f\n", runs, p,
                y, p / y);
    return 0;
}
