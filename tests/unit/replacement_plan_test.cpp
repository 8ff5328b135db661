#include "plan/replacement_plan.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_drive_c.h"
#include "tests/fakes/plan_entries.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {
// The rules over a few files on drive C:, and the entries accepted so far.
struct Plan {
    FakeDriveC files;
    FakeCodePage932 codePage;
    PlanEntries entries{files, codePage};
};

// A path of length bytes on C: that ends in name.
std::string LongPath(size_t length, const std::string& name)
{
    return "C:\\" + std::string(length - 4 - name.size(), 'X') + "\\" + name;
}
}  // namespace

TEST_CASE("Each refusal is one message, and the first failing check gives it")
{
    struct Case {
        const char* source;
        const char* folder;
        const char* message;
    };
    const Case cases[] = {
        // Empty source and folder together: only the source is asked for.
        {"", "", "置換元のファイルを指定してください．"},
        {"", kSystem, "置換元のファイルを指定してください．"},
        {kNewKernel, "", "置換先のフォルダを指定してください．"},
        // The source is checked before the target, which is missing too.
        {"C:\\NEW\\GONE.DLL", kSystem, "置換元ファイル(C:\\NEW\\GONE.DLL)の情報が得られません．"},
        {"C:\\NEW\\DRIVERS", kSystem, "\"C:\\NEW\\DRIVERS\"はファイルではないようです。"},
        {"C:\\NEW\\ONLY.DLL", kSystem,
         "置換先ファイル(C:\\WINDOWS\\SYSTEM\\ONLY.DLL)の情報が得られません．"
         "ファイルが存在するか確かめてください。"},
        {"C:\\NEW\\COLOR", kSystem, "\"C:\\WINDOWS\\SYSTEM\\COLOR\"はファイルではないようです。"},
        {kOldKernel, kSystem, "同じファイルで置き換えても無駄です．"},
        {kOldKernel, "C:\\WINDOWS\\SYSTEM\\", "同じファイルで置き換えても無駄です．"},
        // The pair already planned, and another source of the same name.
        {kNewUser, "C:\\WINDOWS\\SYSTEM\\",
         "置換先C:\\WINDOWS\\SYSTEM\\USER32.DLLはすでにC:\\NEW\\USER32.DLLで置きかえられることになっています．"},
        {"C:\\OTHER\\USER32.DLL", kSystem,
         "置換先C:\\WINDOWS\\SYSTEM\\USER32.DLLはすでにC:\\NEW\\USER32.DLLで置きかえられることになっています．"},
    };
    for (const Case& c : cases) {
        const std::string sourceText = c.source;
        CAPTURE(sourceText);
        const std::string folderText = c.folder;
        CAPTURE(folderText);
        Plan plan;
        plan.files.AddFile("C:\\NEW\\ONLY.DLL");
        plan.files.AddDirectory("C:\\NEW\\DRIVERS");
        plan.files.AddFile("C:\\NEW\\COLOR");
        plan.files.AddDirectory("C:\\WINDOWS\\SYSTEM\\COLOR");
        plan.files.AddFile("C:\\OTHER\\USER32.DLL");
        REQUIRE(plan.entries.Append(kNewUser, kSystem));

        const AddDecision decision = plan.entries.Add(c.source, c.folder);

        CHECK(RefusalText(decision) == c.message);
        CHECK(decision.source == "");
        CHECK(decision.target == "");
    }
}

TEST_CASE("The target is the folder as typed, one backslash, and the source's file name")
{
    struct Case {
        const char* source;
        const char* folder;
        const char* target;
    };
    const Case cases[] = {
        {kNewKernel, kSystem, kOldKernel},
        {kNewKernel, "C:\\WINDOWS\\SYSTEM\\", kOldKernel},
        {kNewKernel, "C:\\", "C:\\KERNEL32.DLL"},
        // Folders ending in a character whose second byte is 0x5C.
        {kNewKernel, "C:\\表", "C:\\表\\KERNEL32.DLL"},
        {kNewKernel, "C:\\ソ", "C:\\ソ\\KERNEL32.DLL"},
        {kNewKernel, "C:\\ソ\\", "C:\\ソ\\KERNEL32.DLL"},
        {"C:\\ソフト\\表.DLL", kSystem, "C:\\WINDOWS\\SYSTEM\\表.DLL"},
        {"C:\\NEW\\ARCHIVE.TAR.GZ", kSystem, "C:\\WINDOWS\\SYSTEM\\ARCHIVE.TAR.GZ"},
        {"C:\\NEW\\README", kSystem, "C:\\WINDOWS\\SYSTEM\\README"},
        {kNewKernel, "\\\\SERVER\\SHARE", "\\\\SERVER\\SHARE\\KERNEL32.DLL"},
        // Nothing is trimmed or normalised.
        {kNewKernel, "C:\\WINDOWS\\.\\SYSTEM ", "C:\\WINDOWS\\.\\SYSTEM \\KERNEL32.DLL"},
        {kNewKernel, "c:/windows/system/", "c:/windows/system/\\KERNEL32.DLL"},
    };
    for (const Case& c : cases) {
        const std::string folderText = c.folder;
        CAPTURE(folderText);
        Plan plan;
        plan.files.AddFile(c.source);
        plan.files.AddFile(c.target);
        const AddDecision decision = plan.entries.Add(c.source, c.folder);
        CHECK(RefusalText(decision) == "");
        CHECK(decision.source == c.source);
        CHECK(decision.target == c.target);
    }
}

TEST_CASE("Comparisons are byte-exact: a target differing only in letter case is another entry")
{
    Plan plan;
    plan.files.AddFile("C:\\Windows\\System\\KERNEL32.DLL");
    REQUIRE(plan.entries.Append(kNewKernel, kSystem));
    const AddDecision decision = plan.entries.Add(kNewKernel, "C:\\Windows\\System");
    CHECK(RefusalText(decision) == "");
    CHECK(decision.target == "C:\\Windows\\System\\KERNEL32.DLL");
}

TEST_CASE("Paths longer than a list cell are refused whole; up to 259 bytes are taken whole")
{
    const std::string source259 = LongPath(259, "KERNEL32.DLL");
    const std::string source260 = LongPath(260, "KERNEL32.DLL");
    REQUIRE(source259.size() == 259);
    REQUIRE(source260.size() == 260);
    const std::string target259 = LongPath(259, "GDI.EXE");
    const std::string target260 = LongPath(260, "GDI.EXE");
    const std::string folder259 = target259.substr(0, target259.size() - 8);
    const std::string folder260 = target260.substr(0, target260.size() - 8);

    Plan plan;
    for (const std::string& path : {source259, source260, target259, target260})
        plan.files.AddFile(path);

    CHECK(RefusalText(plan.entries.Add(source260, kSystem)) ==
          "置換元ファイル(" + source260 + ")の情報が得られません．");
    CHECK(RefusalText(plan.entries.Add(kNewGdi, folder260)) ==
          "置換先ファイル(" + target260 + ")の情報が得られません．ファイルが存在するか確かめてください。");

    const AddDecision longSource = plan.entries.Add(source259, kSystem);
    CHECK(RefusalText(longSource) == "");
    CHECK(longSource.source == source259.c_str());
    CHECK(longSource.target == kOldKernel);
    const AddDecision longTarget = plan.entries.Add(kNewGdi, folder259);
    CHECK(RefusalText(longTarget) == "");
    CHECK(longTarget.target == target259.c_str());
}

TEST_CASE("Remove gives back the source and the target's folder; adding them again gives the same target")
{
    struct Case {
        const char* folder;
        const char* target;
        const char* shownFolder;  // the folder field after the remove
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\", kOldKernel, kSystem},
        {kSystem, kOldKernel, kSystem},
        {"C:\\表", "C:\\表\\KERNEL32.DLL", "C:\\表"},
        {"C:\\ソ\\", "C:\\ソ\\KERNEL32.DLL", "C:\\ソ"},
        // A bare root keeps its backslash.
        {"C:\\", "C:\\KERNEL32.DLL", "C:\\"},
        {"\\\\SERVER\\SHARE", "\\\\SERVER\\SHARE\\KERNEL32.DLL", "\\\\SERVER\\SHARE"},
        {"C:\\WINDOWS/", "C:\\WINDOWS/\\KERNEL32.DLL", "C:\\WINDOWS/"},
    };
    for (const Case& c : cases) {
        const std::string folderText = c.folder;
        CAPTURE(folderText);
        Plan plan;
        plan.files.AddFile(c.target);
        const AddDecision added = plan.entries.Add(kNewKernel, c.folder);
        REQUIRE(added.target == c.target);

        const PlanFields fields = DecideRemove(added.source, added.target, plan.codePage);
        CHECK(fields.source == kNewKernel);
        CHECK(fields.targetFolder == c.shownFolder);

        const AddDecision again =
            plan.entries.Add(std::string(fields.source), std::string(fields.targetFolder));
        CHECK(RefusalText(again) == "");
        CHECK(again.target == c.target);
    }
}
