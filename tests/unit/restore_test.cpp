#include "plan/replacement_plan.h"
#include "schedule/replacement_names.h"
#include "tests/fakes/plan_entries.h"
#include "tests/unit/plan_on_fake_files.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
const std::string kSystem = "C:\\WINDOWS\\SYSTEM\\";
const std::string kKernel = kSystem + "KERNEL32.DLL";

// A replaced file asked to be put back, as the dialog asks: the backup named
// by the family's scheduler, then the rule.
AddDecision Restore(PlanOnFakeFiles& plan, OsKind family, const std::string& target)
{
    const KeptBackup kept = BackupKeptFor(family, target.c_str(), plan.files, plan.codePage);
    return DecideRestore(RestoreRequest{target.c_str(), kept.path, kept.isTarget}, plan.sources,
                         plan.targets, plan.files);
}
}  // namespace

TEST_CASE("Restore: the backup as the family's scheduler names it, or the first check that fails")
{
    const std::string longTarget = "C:\\" + std::string(248, 'X') + "\\FOO.DLL";  // 259 bytes
    struct Row {
        OsKind family;
        std::string target;
        std::string source;   // the backup that becomes the entry's source
        std::string refusal;  // or the message that refuses the entry
    };
    const std::vector<Row> rows = {
        {OS_NT, kSystem + "FOO.DLL", kSystem + "FOO.DLL.old", ""},
        {OS_9X, kSystem + "FOO.DLL", kSystem + "FOO.OLD", ""},
        {OS_9X, "C:\\WINDOWS\\HOSTS", "C:\\WINDOWS\\H.OLD", ""},
        {OS_9X, "C:\\Program Files\\Shell Extension.dll", "C:\\PROGRA~1\\SHELLE~1.OLD", ""},
        // Folders ending in a character whose second byte is 0x5C; four bytes
        // back from the end of AB is the middle of ソ, so AB keeps its name.
        {OS_9X, "C:\\表\\HOSTS", "C:\\表\\H.OLD", ""},
        {OS_9X, "C:\\ソ\\AB", "C:\\ソ\\AB.OLD", ""},

        {OS_NT, kSystem + "GONE.DLL", "", "\"" + kSystem + "GONE.DLL\"はファイルではないようです。"},
        {OS_NT, kSystem + "COLOR", "", "\"" + kSystem + "COLOR\"はファイルではないようです。"},
        // GDI.EXE is planned too: the backup is looked for first.
        {OS_NT, kSystem + "GDI.EXE", "",
         kSystem + "GDI.EXEのバックアップ" + kSystem + "GDI.EXE.oldが見つかりません．"},
        {OS_9X, kSystem + "GDI.EXE", "",
         kSystem + "GDI.EXEのバックアップ" + kSystem + "GDI.OLDが見つかりません．"},
        {OS_NT, kSystem + "USER.EXE", "", "\"" + kSystem + "USER.EXE.old\"はファイルではないようです。"},
        {OS_NT, kKernel, "",
         "置換先" + kKernel + "はすでにC:\\NEW\\KERNEL32.DLLで置きかえられることになっています．"},
        {OS_9X, kSystem + "VMM.VXD", "",
         "置換先ファイル(" + kSystem + "VMM.VXD)の情報が得られません．ファイルが存在するか確かめてください。"},
        // On 9x a file named .OLD is its own backup, in either letter case.
        {OS_9X, kSystem + "FOO.OLD", "", "同じファイルで置き換えても無駄です．"},
        {OS_9X, kSystem + "foo.old", "", "同じファイルで置き換えても無駄です．"},
        // The backup's name would not fit a list cell.
        {OS_NT, longTarget, "", longTarget + "のバックアップ" + longTarget + ".oldが見つかりません．"},
    };
    const std::vector<std::string> files = {
        kKernel, kKernel + ".old", kSystem + "FOO.DLL", kSystem + "FOO.DLL.old",
        kSystem + "FOO.OLD", kSystem + "foo.old", kSystem + "GDI.EXE", kSystem + "USER.EXE",
        kSystem + "VMM.VXD", "C:\\WINDOWS\\HOSTS", "C:\\WINDOWS\\H.OLD", "C:\\表\\HOSTS",
        "C:\\表\\H.OLD", "C:\\ソ\\AB", "C:\\ソ\\AB.OLD", "C:\\Program Files\\Shell Extension.dll",
        "C:\\PROGRA~1\\SHELLE~1.OLD", longTarget, longTarget + ".old",
    };
    for (const Row& row : rows) {
        CAPTURE(row.target);
        PlanOnFakeFiles plan;
        for (const std::string& file : files)
            plan.files.AddFile(file);
        plan.files.AddDirectory(kSystem + "COLOR");
        plan.files.AddDirectory(kSystem + "USER.EXE.old");
        plan.files.SetShortPath("C:\\Program Files\\Shell Extension.dll",
                                "C:\\PROGRA~1\\SHELLE~1.DLL");
        plan.files.Fail(FakeFileSystem::kShortPath, kSystem + "VMM.VXD");
        plan.Add("C:\\NEW\\KERNEL32.DLL", kKernel.c_str());
        plan.Add("C:\\NEW\\GDI.EXE", (kSystem + "GDI.EXE").c_str());

        const AddDecision decision = Restore(plan, row.family, row.target);

        CHECK(RefusalText(decision) == row.refusal);
        CHECK(std::string(decision.source) == row.source);
        CHECK(std::string(decision.target) == (row.source.empty() ? "" : row.target));
    }
}

// The scheduler, not the rule, renames the file at the restart: the name it
// moves the file to must be the backup the entry was built from.
TEST_CASE("Restore: committed, the family's scheduler moves the file onto the entry's source")
{
    struct Row {
        OsKind family;
        PlanOnFakeFiles::Scheduler& scheduler;
        std::string backup;
        std::string backupRename;  // the file to its backup, as logged
    };
    const std::vector<Row> rows = {
        {OS_NT, ScheduleReplaceNt, kKernel + ".old", "move " + kKernel + " > " + kKernel + ".old"},
        {OS_9X, ScheduleReplace9x, kSystem + "KERNEL32.OLD",
         "profile wininit.ini [rename] " + kSystem + "KERNEL32.OLD=" + kKernel},
    };
    for (const Row& row : rows) {
        CAPTURE(row.family);
        PlanOnFakeFiles plan;
        plan.files.AddFile(kKernel);
        plan.files.AddFile(kKernel + ".old");
        plan.files.AddFile(kSystem + "KERNEL32.OLD");
        const AddDecision decision = Restore(plan, row.family, kKernel);
        REQUIRE(std::string(decision.source) == row.backup);
        plan.Add(decision.source, decision.target);

        plan.ReportOf(row.scheduler);
        CHECK(std::count(plan.files.log.begin(), plan.files.log.end(), row.backupRename) == 1);
    }
}
