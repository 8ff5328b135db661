#include "schedule/replacement_names.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/unit/plan_on_fake_files.h"
#include "tests/unit/string_lists.h"

#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
std::string WininitLine(const std::string& key, const std::string& value)
{
    return "profile wininit.ini [rename] " + key + "=" + value;
}
}  // namespace

TEST_CASE(
    "9x names: the last four bytes give way to .NEW and .OLD while the name keeps a character")
{
    struct Row {
        const char* shortTarget;
        const char* staged;  // the backup is the same with .OLD
    };
    const std::vector<Row> rows = {
        {"C:\\WINDOWS\\SYSTEM\\FOO.DLL", "C:\\WINDOWS\\SYSTEM\\FOO.NEW"},
        {"C:\\WINDOWS\\HOSTS", "C:\\WINDOWS\\H.NEW"},
        {"C:\\BIN\\UTIL.PL", "C:\\BIN\\UTI.NEW"},
        {"C:\\WINDOWS\\ABCDE", "C:\\WINDOWS\\A.NEW"},
        {"C:\\D\\表示.DLL", "C:\\D\\表示.NEW"},
        {"C:\\D\\表X.AB", "C:\\D\\表.NEW"},
        // The cut would reach the folder: the extension alone is dropped.
        {"C:\\WINDOWS\\ABC", "C:\\WINDOWS\\ABC.NEW"},
        {"C:\\WINDOWS\\ABCD", "C:\\WINDOWS\\ABCD.NEW"},
        {"C:\\D\\A.B", "C:\\D\\A.NEW"},
        {"C:\\D\\AB.C", "C:\\D\\AB.NEW"},
        {"C:\\DIR.EXT\\AB", "C:\\DIR.EXT\\AB.NEW"},
        {"ABC", "ABC.NEW"},
        // ソ ends with 0x5C, which is no backslash.
        {"C:\\ソ\\ソ", "C:\\ソ\\ソ.NEW"},
        {"C:\\ソ\\ABC", "C:\\ソ\\ABC.NEW"},
        // The cut would leave the lead byte of a double-byte character behind.
        {"C:\\D\\ソABC", "C:\\D\\ソABC.NEW"},
        {"C:\\D\\A表.BC", "C:\\D\\A表.NEW"},
        {"C:\\D\\AB表XYZ", "C:\\D\\AB表XYZ.NEW"},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.shortTarget));
        const ReplacementNames names = NineXReplacementNames(row.shortTarget, FakeCodePage932());
        CHECK(names.target == row.shortTarget);
        CHECK(names.staged == row.staged);
        const std::string staged = row.staged;
        CHECK(names.backup == (staged.substr(0, staged.size() - 4) + ".OLD").c_str());
    }
}

TEST_CASE("9x entry: the short target names everything, two wininit lines in their order")
{
    PlanOnFakeFiles plan;
    plan.Add("D:\\新しい版\\SHELLEXT.DLL", "C:\\Program Files\\Shell Extension\\SHELLEXT.DLL");
    plan.files.SetShortPath("C:\\Program Files\\Shell Extension\\SHELLEXT.DLL",
                            "C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.DLL");
    CHECK(plan.ReportOf(ScheduleReplace9x) ==
          "D:\\新しい版\\SHELLEXT.DLL\n"
          " → C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.DLL\n"
          "再起動後に置換されます．\n"
          "\n");
    CHECK(plan.files.log ==
          std::vector<std::string>{
              "short C:\\Program Files\\Shell Extension\\SHELLEXT.DLL",
              "copy D:\\新しい版\\SHELLEXT.DLL > C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.NEW",
              WininitLine("C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.OLD", "C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.DLL"),
              WininitLine("C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.DLL", "C:\\PROGRA~1\\SHELLE~1\\SHELLEXT.NEW"),
          });
}

TEST_CASE("9x entry: each step that fails gives its own outcome; a lone backup line is removed")
{
    const char* source = "A:\\FOO.DLL";
    const std::string target = "C:\\WINDOWS\\SYSTEM\\FOO.DLL";
    const std::string staged = "C:\\WINDOWS\\SYSTEM\\FOO.NEW";
    const std::string backup = "C:\\WINDOWS\\SYSTEM\\FOO.OLD";
    struct Row {
        const char* what;
        std::function<void(FakeFileSystem&)> arrange;
        std::string outcome;
        std::vector<std::string> log;  // after the short path
    };
    const std::string copy = std::string("copy ") + source + " > " + staged;
    const std::string backupLine = WininitLine(backup, target);
    const std::string replaceLine = WininitLine(target, staged);
    const std::string removal = "profile wininit.ini [rename] " + backup + " removed";
    // A copy that no line uses is deleted again.
    const std::string unstage = "remove " + staged;
    const std::string replaceFailed =
        staged + "を再起動後に置換するのに失敗しました．\n原因不明のエラーです．\n";
    const std::vector<Row> rows = {
        {"a NEW file from an earlier run",
         [&](FakeFileSystem& f) { f.AddFile(staged); },
         std::string(source) + "を" + staged + "にコピーするのに失敗しました．\n" + staged +
             "がすでにある可能性があります．\n",
         {copy}},
        {"the backup line is not written",
         [](FakeFileSystem& f) { f.FailMutatingCall(2); },
         target + "を再起動後にバックアップするのに失敗しました．\n原因不明のエラーです．\n",
         {copy, backupLine, unstage}},
        {"the replacing line is not written",
         [](FakeFileSystem& f) { f.FailMutatingCall(3); },
         replaceFailed,
         {copy, backupLine, replaceLine, removal, unstage}},
        {"neither the replacing line nor the removal is written",
         [](FakeFileSystem& f) {
             f.FailMutatingCall(3);
             f.FailMutatingCall(4);
         },
         replaceFailed + "再起動後に" + backup + "を" + target + "に戻してください．\n",
         {copy, backupLine, replaceLine, removal, unstage}},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.what));
        PlanOnFakeFiles plan;
        plan.Add(source, target.c_str());
        row.arrange(plan.files);
        CHECK(plan.ReportOf(ScheduleReplace9x) ==
              std::string(source) + "\n → " + target + "\n" + row.outcome + "\n");
        std::vector<std::string> expected = {"short " + target};
        expected.insert(expected.end(), row.log.begin(), row.log.end());
        CHECK(plan.files.log == expected);
    }
}

TEST_CASE("FOO.DLL and FOO.EXE share their base: the second is refused before its copy")
{
    PlanOnFakeFiles plan;
    plan.Add("A:\\FOO.DLL", "C:\\APP\\FOO.DLL");
    plan.Add("A:\\FOO.EXE", "C:\\APP\\FOO.EXE");
    CHECK(plan.ReportOf(ScheduleReplace9x) ==
          "A:\\FOO.DLL\n"
          " → C:\\APP\\FOO.DLL\n"
          "再起動後に置換されます．\n"
          "\n"
          "A:\\FOO.EXE\n"
          " → C:\\APP\\FOO.EXE\n"
          "C:\\APP\\FOO.NEWは再起動時の処理にすでに予約されているため置換は予約されていません．\n"
          "\n");
    CHECK(plan.files.log == std::vector<std::string>{
                                "short C:\\APP\\FOO.DLL",
                                "short C:\\APP\\FOO.EXE",
                                "copy A:\\FOO.DLL > C:\\APP\\FOO.NEW",
                                WininitLine("C:\\APP\\FOO.OLD", "C:\\APP\\FOO.DLL"),
                                WininitLine("C:\\APP\\FOO.DLL", "C:\\APP\\FOO.NEW"),
                            });
}

TEST_CASE("A target without a short form: nothing copied or written, reported as not found")
{
    PlanOnFakeFiles plan;
    plan.Add("A:\\GONE.DLL", "C:\\WINDOWS\\SYSTEM\\Gone Library.dll");
    plan.Add("A:\\HOSTS", "C:\\WINDOWS\\HOSTS");
    plan.files.Fail(FakeFileSystem::kShortPath, "C:\\WINDOWS\\SYSTEM\\Gone Library.dll");
    CHECK(plan.ReportOf(ScheduleReplace9x) ==
          "A:\\GONE.DLL\n"
          " → C:\\WINDOWS\\SYSTEM\\Gone Library.dll\n"
          "C:\\WINDOWS\\SYSTEM\\Gone Library.dllが見つかりませんでした．\n"
          "置換は予約されていません．\n"
          "\n"
          "A:\\HOSTS\n"
          " → C:\\WINDOWS\\HOSTS\n"
          "再起動後に置換されます．\n"
          "\n");
    CHECK(plan.files.log == std::vector<std::string>{
                                "short C:\\WINDOWS\\SYSTEM\\Gone Library.dll",
                                "short C:\\WINDOWS\\HOSTS",
                                "copy A:\\HOSTS > C:\\WINDOWS\\H.NEW",
                                WininitLine("C:\\WINDOWS\\H.OLD", "C:\\WINDOWS\\HOSTS"),
                                WininitLine("C:\\WINDOWS\\HOSTS", "C:\\WINDOWS\\H.NEW"),
                            });
}
