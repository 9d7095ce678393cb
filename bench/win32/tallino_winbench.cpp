// Start-up and memory of the Windows edition against a bare Win32 window, launched in turn.
//   tallino_winbench RUNS YARDSTICK.EXE PROGRAM.EXE...
// Start-up runs from CreateProcess to a visible top-level window of the new process that has
// also gone idle once (its first paint done); memory is the process's peak working set then.
// Each window is then closed as its close box would, and must end its process by itself.

// psapi.h takes its types from windows.h.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK findShown(HWND window, LPARAM lParam)
{
    auto *search = reinterpret_cast<Search *>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window))
        return TRUE;
    search->window = window;
    return FALSE;
}

double nowMs()
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / ticksPerMs;
}

struct Run {
    double ms;
    double mib;
};

bool launch(const wchar_t *exe, Run &run)
{
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    const double started = nowMs();
    if (!CreateProcessW(
            exe, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "%ls does not start: error %lu\n", exe, GetLastError());
        return false;
    }
    WaitForInputIdle(process.hProcess, 30000);
    Search search { process.dwProcessId, nullptr };
    // Polling, should the idle wait have returned before any window was shown.
    while (EnumWindows(findShown, reinterpret_cast<LPARAM>(&search)) && !search.window) {
        if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT || nowMs() - started > 30000)
            break;
    }
    run.ms = nowMs() - started;
    PROCESS_MEMORY_COUNTERS memory {};
    const bool measured = GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    run.mib = memory.PeakWorkingSetSize / 1048576.0;

    bool ended = false;
    if (search.window) {
        PostMessageW(search.window, WM_CLOSE, 0, 0);
        ended = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    }
    if (!ended)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.window || !measured || !ended)
        std::fprintf(stderr, "%ls: %s\n", exe,
            !search.window ? "no window shown"
                           : (!measured ? "no memory figures" : "did not end after WM_CLOSE"));
    return search.window && measured && ended;
}

const wchar_t *fileName(const wchar_t *path)
{
    for (const wchar_t *c = path; *c; ++c) {
        if (*c == L'/' || *c == L'\\')
            path = c + 1;
    }
    return path;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: tallino_winbench RUNS YARDSTICK.EXE PROGRAM.EXE...\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const int count = argc - 2;
    std::vector<std::vector<double>> ms(count), mib(count);
    // One launch each first, so that none pays alone for reading its files from disk.
    for (int i = -1; i < runs; ++i) {
        for (int p = 0; p < count; ++p) {
            Run run {};
            if (!launch(argv[2 + p], run))
                return 1;
            if (i >= 0) {
                ms[p].push_back(run.ms);
                mib[p].push_back(run.mib);
            }
        }
    }
    std::printf("%d runs each, interleaved, medians; ratios to the first\n", runs);
    for (int p = 0; p < count; ++p) {
        std::printf("  %-32ls %7.1f ms %5.2fx  %5.1f MiB %5.2fx\n", fileName(argv[2 + p]),
            median(ms[p]), median(ms[p]) / median(ms[0]), median(mib[p]),
            median(mib[p]) / median(mib[0]));
    }
    return 0;
}
