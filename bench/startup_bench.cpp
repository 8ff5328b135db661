// Start-up time of TESSERA.EXE against a minimal dialog program: the time from
// starting a program until its dialog is visible, over alternating starts,
// with medians and their ratio.
//
//   startup_bench TESSERA.EXE Tessera MINIMAL.EXE Minimal [STARTS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
struct Search {
    DWORD processId;
    const char* caption;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char caption[64] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (owner == search->processId && ::IsWindowVisible(window) &&
        std::strcmp(caption, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// One start: milliseconds until the dialog is visible, then it is closed and
// the program's end awaited. Negative when the dialog never showed.
double TimeOneStart(const char* program, const char* caption)
{
    std::string commandLine = std::string("\"") + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER started, shown;
    ::QueryPerformanceCounter(&started);
    if (!::CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return -1;
    Search search = {process.dwProcessId, caption, nullptr};
    for (int polls = 0; !search.found && polls < 20000; ++polls) {
        ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            ::Sleep(1);
    }
    ::QueryPerformanceCounter(&shown);
    if (search.found)
        ::PostMessageA(search.found, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return search.found ? Seconds(started, shown) * 1000.0 : -1;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM CAPTION YARDSTICK CAPTION [STARTS]\n");
        return 2;
    }
    const int starts = argc > 5 ? std::atoi(argv[5]) : 20;
    std::vector<double> program, yardstick;
    // Alternate the two so that any drift of the machine falls on both alike.
    for (int i = 0; i < starts; ++i) {
        const double a = TimeOneStart(argv[1], argv[2]);
        const double b = TimeOneStart(argv[3], argv[4]);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "start %d: a dialog did not show\n", i + 1);
            return 1;
        }
        program.push_back(a);
        yardstick.push_back(b);
    }
    const double programMedian = Median(program);
    const double yardstickMedian = Median(yardstick);
    std::printf("starts of each:               %d\n", starts);
    std::printf("median to visible dialog:     %s %.1f ms, %s %.1f ms\n", argv[2], programMedian,
                argv[4], yardstickMedian);
    std::printf("ratio:                        %.2f (goal: at most 1.2)\n",
                programMedian / yardstickMedian);
    return 0;
}
