#include "plan/replacement_plan.h"
#include "schedule/replacement_names.h"
#include "tests/unit/plan_on_fake_files.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
const char kKernel[] = "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL";

// A replaced file asked to be put back, as the dialog asks: the backup named
// by the family's scheduler, then the rule.
AddDecision Restore(PlanOnFakeFiles& plan, OsKind family, const std::string& target)
{
    const KeptBackup kept = BackupKeptFor(family, target.c_str(), plan.files, plan.codePage);
    return DecideRestore(RestoreRequest{target.c_str(), kept.path, kept.isTarget}, plan.sources,
                         plan.targets, plan.files);
}
}  // namespace

TEST_CASE("Restore: the entry is the backup as the family's scheduler names it, and the file")
{
    struct Row {
        OsKind family;
        const char* target;
        const char* shortTarget;  // 9x: the short form, where it differs
        const char* backup;
    };
    const std::vector<Row> rows = {
        {OS_NT, kKernel, nullptr, "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL.old"},
        {OS_NT, "C:\\ソ\\FOO.DLL", nullptr, "C:\\ソ\\FOO.DLL.old"},
        {OS_9X, "C:\\WINDOWS\\SYSTEM\\FOO.DLL", nullptr, "C:\\WINDOWS\\SYSTEM\\FOO.OLD"},
        {OS_9X, "C:\\WINDOWS\\HOSTS", nullptr, "C:\\WINDOWS\\H.OLD"},
        {OS_9X, "C:\\Program Files\\Shell Extension.dll", "C:\\PROGRA~1\\SHELLE~1.DLL",
         "C:\\PROGRA~1\\SHELLE~1.OLD"},
        // Folders ending in a character whose second byte is 0x5C.
        {OS_9X, "C:\\表\\HOSTS", nullptr, "C:\\表\\H.OLD"},
        // Four bytes back is the middle of ソ: the name keeps itself.
        {OS_9X, "C:\\ソ\\AB", nullptr, "C:\\ソ\\AB.OLD"},
    };
    for (const Row& row : rows) {
        CAPTURE(std::string(row.target));
        PlanOnFakeFiles plan;
        plan.files.AddFile(row.target);
        plan.files.AddFile(row.backup);
        if (row.shortTarget)
            plan.files.SetShortPath(row.target, row.shortTarget);

        const AddDecision decision = Restore(plan, row.family, row.target);

        CHECK(decision.refusal == "");
        CHECK(decision.source == row.backup);
        CHECK(decision.target == row.target);
    }
}

TEST_CASE("Restore: each refusal is one message, and the first failing check gives it")
{
    const std::string longTarget = "C:\\" + std::string(248, 'X') + "\\FOO.DLL";
    REQUIRE(longTarget.size() == 259);
    struct Row {
        std::string name;
        OsKind family;
        std::string target;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"no such file", OS_NT, "C:\\WINDOWS\\SYSTEM\\GONE.DLL",
         "\"C:\\WINDOWS\\SYSTEM\\GONE.DLL\"はファイルではないようです。"},
        {"a folder", OS_NT, "C:\\WINDOWS\\SYSTEM\\COLOR",
         "\"C:\\WINDOWS\\SYSTEM\\COLOR\"はファイルではないようです。"},
        {"no backup", OS_NT, "C:\\WINDOWS\\SYSTEM\\GDI.EXE",
         "C:\\WINDOWS\\SYSTEM\\GDI.EXEのバックアップC:\\WINDOWS\\SYSTEM\\GDI.EXE.oldが見つかりません．"},
        {"no backup, 9x", OS_9X, "C:\\WINDOWS\\SYSTEM\\GDI.EXE",
         "C:\\WINDOWS\\SYSTEM\\GDI.EXEのバックアップC:\\WINDOWS\\SYSTEM\\GDI.OLDが見つかりません．"},
        {"a backup that is a folder", OS_NT, "C:\\WINDOWS\\SYSTEM\\USER.EXE",
         "\"C:\\WINDOWS\\SYSTEM\\USER.EXE.old\"はファイルではないようです。"},
        {"already a target of the plan", OS_NT, kKernel,
         std::string("置換先") + kKernel +
             "はすでにC:\\NEW\\KERNEL32.DLLで置きかえられることになっています．"},
        {"no short form on 9x", OS_9X, "C:\\WINDOWS\\SYSTEM\\VMM.VXD",
         "置換先ファイル(C:\\WINDOWS\\SYSTEM\\VMM.VXD)の情報が得られません．"
         "ファイルが存在するか確かめてください。"},
        // On 9x a file named .OLD is its own backup, in either letter case.
        {"its own backup on 9x", OS_9X, "C:\\WINDOWS\\SYSTEM\\FOO.OLD",
         "同じファイルで置き換えても無駄です．"},
        {"its own backup on 9x, lower case", OS_9X, "C:\\WINDOWS\\SYSTEM\\foo.old",
         "同じファイルで置き換えても無駄です．"},
        // The backup's name would not fit a list cell.
        {"a backup path over 259 bytes", OS_NT, longTarget,
         longTarget + "のバックアップ" + longTarget + ".oldが見つかりません．"},
    };
    const std::string system = "C:\\WINDOWS\\SYSTEM\\";
    const std::vector<std::string> files = {
        system + "GDI.EXE", system + "USER.EXE", system + "VMM.VXD",
        system + "FOO.OLD", system + "foo.old",  kKernel,
        system + "KERNEL32.DLL.old", longTarget, longTarget + ".old",
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        PlanOnFakeFiles plan;
        plan.files.AddDirectory("C:\\WINDOWS\\SYSTEM\\COLOR");
        for (const std::string& file : files)
            plan.files.AddFile(file);
        plan.files.AddDirectory("C:\\WINDOWS\\SYSTEM\\USER.EXE.old");
        plan.files.Fail(FakeFileSystem::kShortPath, "C:\\WINDOWS\\SYSTEM\\VMM.VXD");
        plan.Add("C:\\NEW\\KERNEL32.DLL", kKernel);
        // Planned too, but without a backup: the backup is looked for first.
        plan.Add("C:\\NEW\\GDI.EXE", "C:\\WINDOWS\\SYSTEM\\GDI.EXE");

        const AddDecision decision = Restore(plan, row.family, row.target);

        CHECK(std::string(decision.refusal) == row.message);
        CHECK(decision.source == "");
        CHECK(decision.target == "");
    }
}

// The scheduler, not the rule, renames the file at the restart: the name it
// moves the file to must be the backup the entry was built from.
TEST_CASE("Restore: committed, the family's scheduler moves the file onto the entry's source")
{
    const std::string kernel = kKernel;
    struct Row {
        OsKind family;
        PlanOnFakeFiles::Scheduler& scheduler;
        std::string backup;
        std::string backupRename;  // the file to its backup, as logged
    };
    const std::vector<Row> rows = {
        {OS_NT, ScheduleReplaceNt, kernel + ".old", "move " + kernel + " > " + kernel + ".old"},
        {OS_9X, ScheduleReplace9x, "C:\\WINDOWS\\SYSTEM\\KERNEL32.OLD",
         "profile wininit.ini [rename] C:\\WINDOWS\\SYSTEM\\KERNEL32.OLD=" + kernel},
    };
    for (const Row& row : rows) {
        CAPTURE(row.family);
        PlanOnFakeFiles plan;
        plan.files.AddFile(kernel);
        plan.files.AddFile(row.backup);
        const AddDecision decision = Restore(plan, row.family, kernel);
        REQUIRE(decision.source == row.backup.c_str());
        plan.Add(decision.source, decision.target);

        plan.ReportOf(row.scheduler);
        CHECK(std::count(plan.files.log.begin(), plan.files.log.end(), row.backupRename) == 1);
    }
}
