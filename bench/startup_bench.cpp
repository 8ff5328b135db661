// Start-up time of TESSERA.EXE against two others: the yardstick, which does
// the duties of every start (COM, the common controls, a dialog with a list
// view), and a minimal dialog program. The time from starting a program until
// its dialog is visible, over starts that take the three in turn, with medians
// and their ratios.
//
//   startup_bench TESSERA.EXE Tessera YARDSTICK.EXE Yardstick MINIMAL.EXE Minimal [STARTS]
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
    // The owner first: under Wine each question about another process's
    // window is a call to the server, which the program being timed is
    // waiting on too, so the other windows are asked no more than that.
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !::IsWindowVisible(window))
        return TRUE;
    char caption[64] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    if (std::strcmp(caption, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
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
void PrintRatio(const char* program, const char* yardstick, double ratio, const char* note)
{
    const std::string label = std::string(program) + " / " + yardstick + ":";
    std::printf("%-30s%.2f (%s)\n", label.c_str(), ratio, note);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 7) {
        std::fprintf(stderr, "usage: startup_bench PROGRAM CAPTION YARDSTICK CAPTION MINIMAL "
                             "CAPTION [STARTS]\n");
        return 2;
    }
    const int starts = argc > 7 ? std::atoi(argv[7]) : 20;
    const int kPrograms = 3;  // Tessera, the yardstick, the minimal dialog
    std::vector<double> times[kPrograms];
    // Take the three in turn so that any drift of the machine falls on all alike.
    for (int i = 0; i < starts; ++i) {
        for (int p = 0; p < kPrograms; ++p) {
            const double time = TimeOneStart(argv[1 + 2 * p], argv[2 + 2 * p]);
            if (time < 0) {
                std::fprintf(stderr, "start %d: %s did not show its dialog\n", i + 1, argv[2 + 2 * p]);
                return 1;
            }
            times[p].push_back(time);
        }
    }
    double medians[kPrograms];
    for (int p = 0; p < kPrograms; ++p)
        medians[p] = Median(times[p]);
    std::printf("starts of each:               %d\n", starts);
    std::printf("median to visible dialog:     %s %.1f ms, %s %.1f ms, %s %.1f ms\n", argv[2],
                medians[0], argv[4], medians[1], argv[6], medians[2]);
    PrintRatio(argv[4], argv[6], medians[1] / medians[2], "the duties of every start");
    PrintRatio(argv[2], argv[4], medians[0] / medians[1], "goal: at most 1.05");
    PrintRatio(argv[2], argv[6], medians[0] / medians[2], "goal: at most 1.2");
    return 0;
}
