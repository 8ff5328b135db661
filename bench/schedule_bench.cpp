// How much the NT scheduler costs over what the job cannot avoid: schedules
// 200 files of 1 MiB with the real file services, journaling each pair, and a
// message-box fake, and in the same run copies the same files with plain
// CopyFileA to the same staged names, records the same 400 renames with plain
// MoveFileExA, and does both by hand file by file, as the scheduler orders
// them; prints the times, the scheduler's own work (its time outside the
// copies and the recording calls) and the ratio of the scheduler to the copies
// and the renames. It also times one open and close of each target, which the
// check that a target may be renamed needs at the least, to show what that
// alone costs on this host (under Wine, two calls to the server). The rounds
// alternate which goes first, so that neither always meets the disk cache the
// other left behind; medians and best rounds are compared (on a busy machine
// the best round is the least disturbed one).
//   schedule_bench [FOLDER]   (default: a folder under the temporary folder)
// Run it in a Wine prefix of its own: every round records renames for the next
// restart, and removes them all again afterwards.
#include "framework/win32_code_page.h"
#include "platform/win32_file_system_ops.h"
#include "platform/win32_journal_store.h"
#include "platform/win32_restart_queue_store.h"
#include "platform/win32_wide_to_ansi.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_message_boxes.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {
const int kFileCount = 200;
const DWORD kFileSize = 1024 * 1024;
const int kRounds = 9;
const DWORD kMoveAtRestart = MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT;

struct Plan {
    CStringArray sources;
    CStringArray targets;
    std::string journal;  // the journal's file, beside the folders
};

bool WriteFileOfSize(const char* path, DWORD size, unsigned seed)
{
    std::vector<unsigned char> bytes(size);
    for (DWORD i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<unsigned char>(seed >> 16);
    }
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), size, &written, nullptr) && written == size;
    ::CloseHandle(file);
    return ok;
}

// Sources of kFileSize bytes and small targets, F000.DLL to F199.DLL.
bool MakePlan(const std::string& root, Plan& plan)
{
    plan.journal = root + "\\TESSERA.LOG";
    const std::string sources = root + "\\sources";
    const std::string targets = root + "\\targets";
    ::CreateDirectoryA(root.c_str(), nullptr);
    ::CreateDirectoryA(sources.c_str(), nullptr);
    ::CreateDirectoryA(targets.c_str(), nullptr);
    for (int i = 0; i < kFileCount; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "\\F%03d.DLL", i);
        plan.sources.Add((sources + name).c_str());
        plan.targets.Add((targets + name).c_str());
        if (!WriteFileOfSize(plan.sources[i], kFileSize, i + 1) ||
            !WriteFileOfSize(plan.targets[i], 4096, i + 1000))
            return false;
    }
    return true;
}

double Now()
{
    LARGE_INTEGER counter;
    LARGE_INTEGER frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

CString Staged(const CString& target)
{
    return target + ".new";
}

// Removes the staged copies and the renames recorded for the next restart, so
// that every measurement starts from the same state.
void Reset(const Plan& plan)
{
    for (int i = 0; i < kFileCount; ++i)
        ::DeleteFileA(Staged(plan.targets[i]));
    ::DeleteFileA(plan.journal.c_str());
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                        0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueA(key, "PendingFileRenameOperations");
    ::RegCloseKey(key);
}

// The real file services, timing the copies and the recording calls.
class TimedFileSystemOps : public Win32FileSystemOps {
public:
    bool CopyWithoutOverwrite(const char* source, const char* destination) override
    {
        const double start = Now();
        const bool copied = Win32FileSystemOps::CopyWithoutOverwrite(source, destination);
        unavoidable += Now() - start;
        return copied;
    }
    bool MoveAtRestart(const char* from, const char* to) override
    {
        const double start = Now();
        const bool recorded = Win32FileSystemOps::MoveAtRestart(from, to);
        unavoidable += Now() - start;
        return recorded;
    }

    double unavoidable = 0;
};

struct SchedulerTimes {
    double total;
    double ownWork;
};

SchedulerTimes TimeScheduler(const Plan& plan)
{
    TimedFileSystemOps files;
    Win32CodePage codePage;
    FakeMessageBoxes boxes;
    const double start = Now();
    Win32RestartQueueStore queue;
    Win32WideToAnsi wideToAnsi;
    Win32JournalStore store(plan.journal.c_str());
    Win32Clock clock;
    const JournalAccess journal{store, clock};
    ScheduleReplaceNt(plan.sources, plan.targets,
                      SchedulerServices{files, codePage, boxes, queue, wideToAnsi, &journal});
    const double seconds = Now() - start;
    const std::string& report = boxes.shown.at(0).text;
    if (std::count(report.begin(), report.end(), '\n') != 4 * kFileCount)
        std::fputs("schedule_bench: the report is not one scheduled block per file\n", stderr);
    return SchedulerTimes{seconds, seconds - files.unavoidable};
}

double TimeCopies(const Plan& plan)
{
    const double start = Now();
    for (int i = 0; i < kFileCount; ++i) {
        if (!::CopyFileA(plan.sources[i], Staged(plan.targets[i]), TRUE))
            std::fprintf(stderr, "schedule_bench: copy %d failed\n", i);
    }
    return Now() - start;
}

// The scheduler's work beyond the copies: two renames per file recorded.
double TimeRenamesAlone(const Plan& plan)
{
    const double start = Now();
    for (int i = 0; i < kFileCount; ++i) {
        const CString& target = plan.targets[i];
        ::MoveFileExA(target, target + ".old", kMoveAtRestart);
        ::MoveFileExA(Staged(target), target, kMoveAtRestart);
    }
    return Now() - start;
}

// What the rename check of every target costs at the least: one open with
// DELETE access, and its close.
double TimeOpensAlone(const Plan& plan)
{
    const double start = Now();
    for (int i = 0; i < kFileCount; ++i) {
        const HANDLE file = ::CreateFileA(plan.targets[i], DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            ::CloseHandle(file);
    }
    return Now() - start;
}

// The job by hand, file by file as the scheduler orders it: the copy, then
// its two renames.
double TimeJobByHand(const Plan& plan)
{
    const double start = Now();
    for (int i = 0; i < kFileCount; ++i) {
        const CString& target = plan.targets[i];
        ::CopyFileA(plan.sources[i], Staged(target), TRUE);
        ::MoveFileExA(target, target + ".old", kMoveAtRestart);
        ::MoveFileExA(Staged(target), target, kMoveAtRestart);
    }
    return Now() - start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Best(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

void PrintRow(const char* what, const std::vector<double>& seconds)
{
    std::printf("%-34s %.3f s   %.3f s\n", what, Median(seconds), Best(seconds));
}
}  // namespace

int main(int argc, char** argv)
{
    std::string root;
    if (argc > 1) {
        root = argv[1];
    } else {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "tessera-bench";
    }
    Plan plan;
    if (!MakePlan(root, plan)) {
        std::fputs("schedule_bench: cannot write the files\n", stderr);
        return 1;
    }
    Reset(plan);
    TimeCopies(plan);  // brings the sources into the cache
    Reset(plan);

    std::vector<double> scheduler;
    std::vector<double> ownWork;
    std::vector<double> copies;
    std::vector<double> renames;
    std::vector<double> byHand;
    std::vector<double> opens;
    for (int round = 0; round < kRounds; ++round) {
        SchedulerTimes times{};
        if (round % 2 == 0) {
            times = TimeScheduler(plan);
            Reset(plan);
            copies.push_back(TimeCopies(plan));
        } else {
            copies.push_back(TimeCopies(plan));
            Reset(plan);
            times = TimeScheduler(plan);
        }
        scheduler.push_back(times.total);
        ownWork.push_back(times.ownWork);
        Reset(plan);
        renames.push_back(TimeRenamesAlone(plan));
        Reset(plan);
        byHand.push_back(TimeJobByHand(plan));
        Reset(plan);
        opens.push_back(TimeOpensAlone(plan));
        std::printf("round %d: scheduler %.3f s (own work %.3f s), CopyFileA %.3f s, "
                    "renames alone %.3f s, by hand %.3f s\n",
                    round + 1, scheduler.back(), ownWork.back(), copies.back(), renames.back(),
                    byHand.back());
    }
    std::printf("%d files of %lu KiB, %d rounds:      median    best\n", kFileCount,
                kFileSize / 1024, kRounds);
    PrintRow("ScheduleReplaceNt", scheduler);
    PrintRow("  its own work", ownWork);
    PrintRow("CopyFileA", copies);
    PrintRow("the 400 recorded renames alone", renames);
    PrintRow("copies and renames by hand", byHand);
    PrintRow("one open and close per target", opens);
    std::printf("%-34s %.3f     %.3f     (goal: at most 1.10)\n", "ratio to copies + renames",
                Median(scheduler) / (Median(copies) + Median(renames)),
                Best(scheduler) / (Best(copies) + Best(renames)));
    std::printf("%-34s %.3f     %.3f\n", "ratio to the job by hand",
                Median(scheduler) / Median(byHand), Best(scheduler) / Best(byHand));
    // The least ratio a scheduler that checks every target can reach here.
    std::printf("%-34s %.3f     %.3f\n", "the job with those opens alone",
                (Median(copies) + Median(renames) + Median(opens)) /
                    (Median(copies) + Median(renames)),
                (Best(copies) + Best(renames) + Best(opens)) / (Best(copies) + Best(renames)));
    return 0;
}
