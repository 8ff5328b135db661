#include "schedule/schedulers.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/unit/plan_on_fake_files.h"
#include "tests/unit/string_lists.h"

#include <doctest/doctest.h>

#include <functional>
#include <string>
#include <vector>

namespace {
const char kSource[] = "D:\\新しい\\FOO.DLL";
const char kTarget[] = "C:\\WINDOWS\\SYSTEM\\FOO.DLL";
const char kStaged[] = "C:\\WINDOWS\\SYSTEM\\FOO.DLL.new";
const char kBackup[] = "C:\\WINDOWS\\SYSTEM\\FOO.DLL.old";
const std::string kHeader = std::string(kSource) + "\n → " + kTarget + "\n";
}  // namespace

TEST_CASE("The success text is the exact code page 932 bytes")
{
    PlanOnFakeFiles plan;
    plan.Add(kSource, kTarget);
    const std::string successText =
        "\x8D\xC4\x8B\x4E\x93\xAE\x8C\xE3\x82\xC9\x92\x75\x8A\xB7\x82\xB3\x82\xEA\x82\xDC\x82\xB7"
        "\x81\x44\n";
    CHECK(plan.ReportOf(ScheduleReplaceNt) == kHeader + successText + "\n");
}

TEST_CASE("NT entry: each step that fails gives its own outcome, nothing after it is tried, and an unused copy is deleted")
{
    struct Row {
        const char* what;
        std::function<void(FakeFileSystem&)> arrange;
        std::string outcome;
        std::vector<std::string> log;
    };
    const std::string copy = std::string("copy ") + kSource + " > " + kStaged;
    const std::string backup = std::string("move ") + kTarget + " > " + kBackup;
    const std::string replace = std::string("move ") + kStaged + " > " + kTarget;
    const std::string renameBack = std::string("move ") + kBackup + " > " + kTarget;
    // A copy that no recorded rename uses is deleted again.
    const std::string removal = std::string("remove ") + kStaged;
    const std::vector<Row> rows = {
        {"every step succeeds",
         [](FakeFileSystem&) {},
         "再起動後に置換されます．\n",
         {copy, backup, replace}},
        {"a staged copy from an earlier run",
         [](FakeFileSystem& f) { f.AddFile(kStaged); },
         std::string(kSource) + "を" + kStaged + "にコピーするのに失敗しました．\n" + kStaged +
             "がすでにある可能性があります．\n",
         {copy}},
        {"the backup rename is refused",
         [](FakeFileSystem& f) { f.FailMutatingCall(2); },
         std::string(kTarget) +
             "を再起動後にバックアップするのに失敗しました．\n原因不明のエラーです．\n",
         {copy, backup, removal}},
        {"the backup rename is refused and the copy cannot be deleted",
         [](FakeFileSystem& f) {
             f.FailMutatingCall(2);
             f.Fail(FakeFileSystem::kRemove);
         },
         std::string(kTarget) +
             "を再起動後にバックアップするのに失敗しました．\n原因不明のエラーです．\n" +
             "置換用のコピー" + kStaged + "を削除できませんでした．自分で削除してください．\n",
         {copy, backup, removal}},
        // The fake queue holds no backup record to take out again (the
        // restart model's machine does): the rename back keeps the target.
        {"the replacing rename is refused",
         [](FakeFileSystem& f) { f.FailMutatingCall(3); },
         std::string(kStaged) + "を再起動後に置換するのに失敗しました．\n原因不明のエラーです．\n",
         {copy, backup, replace, renameBack, removal}},
        {"the replacing rename and the rename back are refused",
         [](FakeFileSystem& f) {
             f.FailMutatingCall(3);
             f.FailMutatingCall(4);
         },
         std::string(kStaged) + "を再起動後に置換するのに失敗しました．\n原因不明のエラーです．\n" +
             "再起動後に" + kBackup + "を" + kTarget + "に戻してください．\n",
         {copy, backup, replace, renameBack, removal}},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.what));
        PlanOnFakeFiles plan;
        plan.Add(kSource, kTarget);
        row.arrange(plan.files);
        CHECK(plan.ReportOf(ScheduleReplaceNt) == kHeader + row.outcome + "\n");
        CHECK(plan.files.log == row.log);
    }
}

TEST_CASE("A failed entry does not stop the next: a stale staged copy, then a success; "
          "the summary counts one of each")
{
    PlanOnFakeFiles plan;
    plan.Add("D:\\A\\KERNEL32.DLL", "C:\\WINNT\\SYSTEM32\\KERNEL32.DLL");
    plan.Add("D:\\A\\HOSTS", "C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS");
    plan.files.AddFile("C:\\WINNT\\SYSTEM32\\KERNEL32.DLL.new");
    CHECK(
        plan.ReportOf(ScheduleReplaceNt) ==
        "D:\\A\\KERNEL32.DLL\n"
        " → C:\\WINNT\\SYSTEM32\\KERNEL32.DLL\n"
        "D:\\A\\KERNEL32.DLLをC:\\WINNT\\SYSTEM32\\KERNEL32.DLL.newにコピーするのに失敗しました．\n"
        "C:\\WINNT\\SYSTEM32\\KERNEL32.DLL.newがすでにある可能性があります．\n"
        "\n"
        "D:\\A\\HOSTS\n"
        " → C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS\n"
        "再起動後に置換されます．\n"
        "\n");
    CHECK(plan.summary == "1件の置換を予約し、1件は予約しませんでした．");
    // A target without an extension keeps its whole name before the suffixes.
    CHECK(plan.files.log == std::vector<std::string>{
                                "copy D:\\A\\KERNEL32.DLL > C:\\WINNT\\SYSTEM32\\KERNEL32.DLL.new",
                                "copy D:\\A\\HOSTS > C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS.new",
                                "move C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS > "
                                "C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS.old",
                                "move C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS.new > "
                                "C:\\WINNT\\SYSTEM32\\DRIVERS\\ETC\\HOSTS",
                            });
}

TEST_CASE("The NT names keep the target's letter case and long form, with ソ in the folder")
{
    PlanOnFakeFiles plan;
    plan.Add("D:\\ソフト\\Long Library.dll", "C:\\ソフト\\Long Library.dll");
    plan.files.SetShortPath("C:\\ソフト\\Long Library.dll", "C:\\ソフト\\LONGLI~1.DLL");
    plan.ReportOf(ScheduleReplaceNt);
    CHECK(plan.files.log ==
          std::vector<std::string>{
              "copy D:\\ソフト\\Long Library.dll > C:\\ソフト\\Long Library.dll.new",
              "move C:\\ソフト\\Long Library.dll > C:\\ソフト\\Long Library.dll.old",
              "move C:\\ソフト\\Long Library.dll.new > C:\\ソフト\\Long Library.dll",
          });
}

TEST_CASE("An empty plan touches nothing and still shows one empty report box")
{
    PlanOnFakeFiles plan;
    FakeMessageBoxes boxes;
    ScheduleReplaceNt(plan.sources, plan.targets, plan.Services(boxes));
    ScheduleReplace9x(plan.sources, plan.targets, plan.Services(boxes));
    CHECK(plan.files.log.empty());
    REQUIRE(boxes.shown.size() == 2);
    for (const ShownBox& shown : boxes.shown) {
        CHECK(shown.text.empty());
        CHECK(shown.style == box::kOk);
    }
}
