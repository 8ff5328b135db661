// Before they stage an entry the schedulers look at what the next restart
// cannot do, and at what it will already carry out: each case here renamed a
// healthy file away at the restart, lost its backup or its long name, or was
// reported as scheduled while the restart would not carry it out, before
// they did.
#include "schedule/schedulers.h"
#include "tests/fakes/utf16_bytes.h"
#include "tests/unit/plan_on_fake_files.h"
#include "tests/unit/string_lists.h"

#include <doctest/doctest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace std::literals;

namespace {
const std::string kNotScheduled = "は再起動時の処理にすでに予約されているため置換は予約されていません．\n";
const std::string kNoBackup = "をバックアップに使えないため置換は予約されていません．\n";

void QueueNt(PlanOnFakeFiles& plan, std::u16string_view records)
{
    plan.queue.ntValues[NtQueueValue::kPendingFileRenameOperations] = {
        QueueResult::kOk, Utf16(records) + Utf16(u"\0"sv)};
}

std::string Repeated(const std::string& text, size_t count)
{
    std::string repeated;
    while (count-- > 0)
        repeated += text;
    return repeated;
}

void QueueWininit(PlanOnFakeFiles& plan, const std::string& section)
{
    plan.queue.wininit = {QueueResult::kOk, "[rename]\r\n" + section};
}

// The calls that change something: records, profile lines, deletions.
std::vector<std::string> Changes(const std::vector<std::string>& log)
{
    std::vector<std::string> changes;
    for (const std::string& call : log) {
        if (call.rfind("move ", 0) == 0 || call.rfind("profile ", 0) == 0 ||
            call.rfind("remove ", 0) == 0)
            changes.push_back(call);
    }
    return changes;
}

// The plan's one entry was refused with outcome: nothing copied, nothing recorded.
void CheckRefused(PlanOnFakeFiles& plan, PlanOnFakeFiles::Scheduler& scheduler,
                  const std::string& header, const std::string& outcome)
{
    CHECK(plan.ReportOf(scheduler) == header + outcome + "\n");
    for (const std::string& call : plan.files.log)
        CHECK((call.rfind("status ", 0) == 0 || call.rfind("short ", 0) == 0));
}
}  // namespace

TEST_CASE("NT: any queued operation on the target, staged or backup name, or on a folder on the way, refuses the entry")
{
    struct Row {
        std::u16string_view records;
        const char* named;  // the entry's name that the queue holds
    };
    const std::vector<Row> rows = {
        // A first commit's records, whose T.new the user has since deleted.
        {u"\\??\\C:\\W\\T.DLL\0!\\??\\C:\\W\\T.DLL.old\0"
         u"\\??\\C:\\W\\T.DLL.new\0!\\??\\C:\\W\\T.DLL\0"sv,
         "C:\\W\\T.DLL"},
        {u"\\??\\c:\\w\\t.dll.old\0\0"sv, "C:\\W\\T.DLL.old"},  // a deletion, other case
        {u"*1\\??\\C:\\W\\T.DLL.NEW\0*1\\??\\C:\\X\\Y\0"sv, "C:\\W\\T.DLL.new"},
        {u"\\??\\C:\\X\\SETUP.TMP\0!\\??\\C:\\W\\T.DLL\0"sv, "C:\\W\\T.DLL"},
        // Another road to the folder (T: stands for C:\W here).
        {u"\\??\\t:\\T.DLL.OLD\0\0"sv, "C:\\W\\T.DLL.old"},
        // The folder moved away at the restart, another put in its place.
        {u"\\??\\C:\\W\0\\??\\C:\\W.BAK\0\\??\\C:\\W.INS\0\\??\\C:\\W\0"sv, "C:\\W"},
        // A name the code page cannot write (ς) may be any name in its folder.
        {u"\\??\\C:\\W\\\u03C2.DLL\0\0"sv, "C:\\W\\T.DLL"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.named);
        PlanOnFakeFiles plan;
        plan.files.AddAlias("T:", "C:\\W");
        plan.Add("A:\\T.DLL", "C:\\W\\T.DLL");
        QueueNt(plan, row.records);
        CheckRefused(plan, ScheduleReplaceNt, "A:\\T.DLL\n → C:\\W\\T.DLL\n",
                     row.named + kNotScheduled);
    }
    SUBCASE("another program's operation on other files changes nothing")
    {
        PlanOnFakeFiles plan;
        plan.Add("A:\\T.DLL", "C:\\W\\T.DLL");
        QueueNt(plan, u"\\??\\C:\\W\\T.DLL.bak\0!\\??\\C:\\W\\U.DLL\0"
                      u"\\??\\C:\\WX\0\\??\\C:\\WY\0\\??\\C:\\V\\\u03C2.DLL\0\0"sv);
        CHECK(plan.ReportOf(ScheduleReplaceNt) ==
              "A:\\T.DLL\n → C:\\W\\T.DLL\n再起動後に置換されます．\n\n");
    }
}

TEST_CASE("NT: a folder under the backup name would make the restart skip the backup")
{
    PlanOnFakeFiles plan;
    plan.Add("A:\\T.DLL", "C:\\W\\T.DLL");
    plan.files.AddDirectory("C:\\W\\T.DLL.old");
    CheckRefused(plan, ScheduleReplaceNt, "A:\\T.DLL\n → C:\\W\\T.DLL\n",
                 "C:\\W\\T.DLL.old" + kNoBackup);
}

TEST_CASE("9x: a line keyed by the short target, or a target named .OLD, is refused")
{
    SUBCASE("another installer's line for the target")
    {
        PlanOnFakeFiles plan;
        plan.Add("A:\\FOO.DLL", "C:\\WINDOWS\\FOO.DLL");
        QueueWininit(plan, "C:\\WINDOWS\\FOO.DLL=C:\\WINDOWS\\SETUP\\FOO.DLL\r\n");
        CheckRefused(plan, ScheduleReplace9x, "A:\\FOO.DLL\n → C:\\WINDOWS\\FOO.DLL\n",
                     "C:\\WINDOWS\\FOO.DLL" + kNotScheduled);
    }
    SUBCASE("a backup name equal to the target would destroy it")
    {
        PlanOnFakeFiles plan;
        plan.Add("A:\\LOG.OLD", "C:\\WINDOWS\\LOG.OLD");
        CheckRefused(plan, ScheduleReplace9x, "A:\\LOG.OLD\n → C:\\WINDOWS\\LOG.OLD\n",
                     "C:\\WINDOWS\\LOG.OLD" + kNoBackup);
    }
}

TEST_CASE("A queue that cannot be read, or a queued name that cannot, refuses every entry")
{
    for (bool malformed : {true, false}) {
        PlanOnFakeFiles plan;
        plan.Add("A:\\T.DLL", "C:\\W\\T.DLL");
        if (malformed)
            plan.queue.ntValues[NtQueueValue::kPendingFileRenameOperations2] = {QueueResult::kMalformed, ""};
        else
            QueueNt(plan, u"\\??\\UNC\\HOST\0\0"sv);  // a share without its share name
        CheckRefused(plan, ScheduleReplaceNt, "A:\\T.DLL\n → C:\\W\\T.DLL\n",
                     "再起動時の処理の予約を読み取れないため置換は予約されていません．\n");
    }
}

TEST_CASE("9x: a key that appears in the section during the run stops the pair's lines and deletes its copy")
{
    // Read for the guard and for the decision before any copy (empty both
    // times), then again just before the lines.
    struct ChangingStore : FakeRestartQueueStore {
        QueueResult ReadWininit(std::string& bytes) override
        {
            bytes = ++reads <= 2 ? "" : "[rename]\r\nC:\\W\\FOO.OLD=C:\\X\\OTHER\r\n";
            return bytes.empty() ? QueueResult::kEmpty : QueueResult::kOk;
        }
        int reads = 0;
    };
    PlanOnFakeFiles plan;
    ChangingStore store;
    plan.Add("A:\\FOO.DLL", "C:\\W\\FOO.DLL");
    FakeMessageBoxes boxes;
    ScheduleReplace9x(plan.sources, plan.targets,
                      SchedulerServices{plan.files, plan.codePage, boxes, store, plan.wideToAnsi});
    REQUIRE(boxes.shown.size() == 1);
    CHECK(boxes.shown[0].text ==
          "A:\\FOO.DLL\n → C:\\W\\FOO.DLL\nC:\\W\\FOO.OLD" + kNotScheduled + "\n");
    CHECK(plan.files.log == std::vector<std::string>{"short C:\\W\\FOO.DLL",
                                                     "copy A:\\FOO.DLL > C:\\W\\FOO.NEW",
                                                     "remove C:\\W\\FOO.NEW"});
}

TEST_CASE("Entries of one plan whose names meet: the backup that would overwrite another target is refused before its copy")
{
    struct Row {
        PlanOnFakeFiles::Scheduler* scheduler;
        std::vector<const char*> targets;
        std::string report;
        std::vector<std::string> changes;  // records, profile lines and deletions, in order
    };
    const std::string scheduled = "再起動後に置換されます．\n";
    const Row rows[] = {
        {ScheduleReplaceNt,
         {"C:\\W\\X.DLL", "C:\\W\\X.DLL.old"},
         "A:\\X.DLL\n → C:\\W\\X.DLL\nC:\\W\\X.DLL.old" + kNotScheduled + "\n" +
             "A:\\X.DLL.old\n → C:\\W\\X.DLL.old\n" + scheduled + "\n",
         {"move C:\\W\\X.DLL.old > C:\\W\\X.DLL.old.old",
          "move C:\\W\\X.DLL.old.new > C:\\W\\X.DLL.old"}},
        {ScheduleReplaceNt,
         {"C:\\W\\X.DLL.old", "C:\\W\\X.DLL"},
         "A:\\X.DLL.old\n → C:\\W\\X.DLL.old\n" + scheduled + "\n" +
             "A:\\X.DLL\n → C:\\W\\X.DLL\nC:\\W\\X.DLL.old" + kNotScheduled + "\n",
         {"move C:\\W\\X.DLL.old > C:\\W\\X.DLL.old.old",
          "move C:\\W\\X.DLL.old.new > C:\\W\\X.DLL.old"}},
        {ScheduleReplace9x,
         {"C:\\W\\FOO.DLL", "C:\\W\\FOO.OLD"},
         "A:\\FOO.DLL\n → C:\\W\\FOO.DLL\nC:\\W\\FOO.OLD" + kNotScheduled + "\n" +
             "A:\\FOO.OLD\n → C:\\W\\FOO.OLD\nC:\\W\\FOO.OLD" + kNoBackup + "\n",
         {}},
        {ScheduleReplace9x,
         {"C:\\W\\H.OLD", "C:\\W\\HOSTS"},
         "A:\\H.OLD\n → C:\\W\\H.OLD\nC:\\W\\H.OLD" + kNoBackup + "\n" +
             "A:\\HOSTS\n → C:\\W\\HOSTS\nC:\\W\\H.OLD" + kNotScheduled + "\n",
         {}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.report);
        PlanOnFakeFiles plan;
        for (const char* target : row.targets) {
            plan.Add((std::string("A:") + std::strrchr(target, '\\')).c_str(), target);
            plan.files.AddFile(target);
        }
        CHECK(plan.ReportOf(*row.scheduler) == row.report);
        CHECK(Changes(plan.files.log) == row.changes);
    }
}

TEST_CASE("Two spellings of one file are one name; an NT target named by its alias keeps its long name")
{
    SUBCASE("the queue holds the first commit's records under the long name")
    {
        PlanOnFakeFiles plan;
        plan.files.AddAlias("C:\\PROGRA~1", "C:\\Program Files");
        plan.Add("A:\\B.DLL", "C:\\PROGRA~1\\X\\..\\X/B.DLL");
        QueueNt(plan, u"\\??\\C:\\Program Files\\X\\B.DLL\0!\\??\\C:\\Program Files\\X\\B.DLL.old\0"sv);
        CheckRefused(plan, ScheduleReplaceNt, "A:\\B.DLL\n → C:\\PROGRA~1\\X\\..\\X/B.DLL\n",
                     "C:\\Program Files\\X\\B.DLL" + kNotScheduled);
    }
    SUBCASE("the renames name the long file, the report the typed one")
    {
        PlanOnFakeFiles plan;
        plan.files.AddAlias("C:\\W\\LONGNA~1.DLL", "C:\\W\\LongName.dll");
        plan.Add("D:\\NEW\\LONGNA~1.DLL", "C:\\W\\LONGNA~1.DLL");
        CHECK(plan.ReportOf(ScheduleReplaceNt) ==
              "D:\\NEW\\LONGNA~1.DLL\n → C:\\W\\LONGNA~1.DLL\n再起動後に置換されます．\n\n");
        CHECK(Changes(plan.files.log) ==
              std::vector<std::string>{"move C:\\W\\LongName.dll > C:\\W\\LongName.dll.old",
                                       "move C:\\W\\LongName.dll.new > C:\\W\\LongName.dll"});
    }
}

TEST_CASE("What the restart cannot do refuses the entry before anything is staged; a protected file is warned of")
{
    const std::string kDoubleByteTarget =
        "C:\\" + Repeated("表", 59) + "\\" + std::string(133, 'X') + ".DLL";
    REQUIRE(kDoubleByteTarget.size() == 259);
    const std::string longFolder = "C:\\" + std::string(247, 'L');
    const std::string refused = "置換は予約されていません．";
    const auto tooLong = [&](const std::string& name) {
        return name + "は259文字を超えるため、再起動時の処理では扱えません．\n" + refused +
               "途中のフォルダの名前を短くしてから、もう一度追加してください．\n";
    };
    const auto onNetwork = [&](const std::string& path) {
        return path + "はネットワーク上にあるため、再起動時の処理からは見えません．\n" + refused +
               "そのファイルのあるコンピュータでTesseraを実行してください．\n";
    };
    const auto denied = [&](const std::string& name) {
        return name + "は管理者にもシステムにも削除の権限がないため、再起動時に名前を変えられません．\n" +
               refused + "所有者を変えて管理者にフル コントロールを与えてから(takeown /f \"" + name +
               "\" /a と icacls \"" + name + "\" /grant *S-1-5-32-544:F)、もう一度追加してください．\n";
    };
    struct Row {
        PlanOnFakeFiles::Scheduler* scheduler;
        std::string target;
        std::function<void(FakeFileSystem&)> machine;
        std::string header;  // the target as the block names it
        std::string outcome;
        std::vector<std::string> records;  // "move" lines and profile lines, in order
    };
    const auto nt = [](const std::string& target) {
        return std::vector<std::string>{"move " + target + " > " + target + ".old",
                                        "move " + target + ".new > " + target};
    };
    const std::string scheduled = "再起動後に置換されます．\n";
    const std::vector<Row> rows = {
        {ScheduleReplaceNt, "C:\\W\\T.DLL", [](FakeFileSystem&) {}, "C:\\W\\T.DLL", scheduled,
         nt("C:\\W\\T.DLL")},
        // A target of 256 bytes: its staged copy is the first name too long.
        {ScheduleReplaceNt, longFolder + "\\X.DLL", [](FakeFileSystem&) {}, longFolder + "\\X.DLL",
         tooLong(longFolder + "\\X.DLL.new"), {}},
        // Short to type, too long once spelled as the restart must spell it.
        {ScheduleReplaceNt, "C:\\LLLLLL~1\\LongName.dll",
         [&](FakeFileSystem& f) { f.AddAlias("C:\\LLLLLL~1", longFolder); },
         "C:\\LLLLLL~1\\LongName.dll", tooLong(longFolder + "\\LongName.dll"), {}},
        {ScheduleReplaceNt, "\\\\HOST\\SHARE\\T.DLL", [](FakeFileSystem&) {}, "\\\\HOST\\SHARE\\T.DLL",
         onNetwork("\\\\HOST\\SHARE\\T.DLL"), {}},
        {ScheduleReplaceNt, "N:\\T.DLL", [](FakeFileSystem& f) { f.networkDrives.insert("N:\\"); },
         "N:\\T.DLL", onNetwork("N:\\T.DLL"), {}},
        // A letter that subst made: the records name the folder it stands for.
        {ScheduleReplaceNt, "S:\\T.DLL",
         [](FakeFileSystem& f) {
             f.driveTargets["S:"] = "\\??\\C:\\W";
             f.AddAlias("S:", "C:\\W");
         },
         "S:\\T.DLL", scheduled, nt("C:\\W\\T.DLL")},
        {ScheduleReplaceNt, "U:\\T.DLL",
         [](FakeFileSystem& f) {
             f.driveTargets["U:"] = "\\??\\UNC\\HOST\\SHARE\\W";
             f.AddAlias("U:", "\\\\HOST\\SHARE\\W");
         },
         "U:\\T.DLL",
         onNetwork("\\\\HOST\\SHARE\\W\\T.DLL"), {}},
        {ScheduleReplaceNt, "U:\\T.DLL",
         [](FakeFileSystem& f) {
             f.driveTargets["U:"] = "\\??\\unc\\HOST\\SHARE\\W";
             f.AddAlias("U:", "\\\\HOST\\SHARE\\W");
         },
         "U:\\T.DLL", onNetwork("\\\\HOST\\SHARE\\W\\T.DLL"), {}},
        {ScheduleReplaceNt, "V:\\T.DLL",
         [](FakeFileSystem& f) { f.driveTargets["V:"] = "\\??\\Volume{5}\\W"; }, "V:\\T.DLL",
         "V:\\T.DLLのドライブV:が指す場所を確かめられないため、再起動時に見つかるか分かりません．\n" +
             refused + "ドライブの指す実際のフォルダで指定し直してください．\n",
         {}},
        // Entered with '/', read whole through its long form.
        {ScheduleReplaceNt, "C:/W/T.DLL", [](FakeFileSystem&) {}, "C:/W/T.DLL", scheduled, nt("C:\\W\\T.DLL")},
        // A path that cannot be read as a root and names: a folder of the current drive.
        {ScheduleReplaceNt, "\\C:\\T.DLL", [](FakeFileSystem&) {}, "\\C:\\T.DLL",
         "\\C:\\T.DLLが見つかりませんでした．\n" + refused + "\n", {}},
        {ScheduleReplace9x, "\\C:\\T.DLL", [](FakeFileSystem&) {}, "\\C:\\T.DLL",
         "\\C:\\T.DLLが見つかりませんでした．\n" + refused + "\n", {}},
        {ScheduleReplaceNt, "C:\\W\\T.DLL", [](FakeFileSystem& f) { f.deniedFiles.insert("C:\\W\\T.DLL"); },
         "C:\\W\\T.DLL", denied("C:\\W\\T.DLL"), {}},
        // The backup rename would have to replace the old backup.
        {ScheduleReplaceNt, "C:\\W\\T.DLL",
         [](FakeFileSystem& f) {
             f.AddFile("C:\\W\\T.DLL.old");
             f.deniedFiles.insert("C:\\W\\T.DLL.old");
         },
         "C:\\W\\T.DLL", denied("C:\\W\\T.DLL.old"), {}},
        {ScheduleReplaceNt, "C:\\W\\T.DLL", [](FakeFileSystem& f) { f.protectedFiles.insert("C:\\W\\T.DLL"); },
         "C:\\W\\T.DLL",
         scheduled + "C:\\W\\T.DLLはWindowsファイル保護の対象のため、再起動後にWindowsが元のファイルに"
                     "戻すことがあります．再起動後にファイルのバージョンを確かめてください．\n",
         nt("C:\\W\\T.DLL")},
        // 200 characters, 259 bytes: its staged copy's 204 characters and 263
        // bytes still fit, as the restart counts.
        {ScheduleReplaceNt, kDoubleByteTarget, [](FakeFileSystem&) {}, kDoubleByteTarget, scheduled,
         nt(kDoubleByteTarget)},
        {ScheduleReplaceNt, "C:\\W\\T.DLL", [](FakeFileSystem& f) { f.links.insert("C:\\W\\T.DLL.old"); },
         "C:\\W\\T.DLL",
         "C:\\W\\T.DLL.oldはシンボリック リンクなどの再解析ポイントのため、再起動時の名前の変更が何を動かすか"
         "確かではありません．\n" + refused + "リンクの指す先のファイルを置換先として指定してください．\n",
         {}},
        {ScheduleReplaceNt, "C:\\W\\T.DLL",
         [](FakeFileSystem& f) { f.namesOutsideCodePage.insert("C:\\W\\T.DLL"); }, "C:\\W\\T.DLL",
         "C:\\W\\T.DLLの本来の名前にはこのシステムのコード ページで書けない文字があるため、再起動後に"
         "新しいファイルにその名前を付けられません．\n" + refused + "\n",
         {}},
        // The folder a subst letter stands for holds no such file.
        {ScheduleReplaceNt, "S:\\T.DLL", [](FakeFileSystem& f) { f.driveTargets["S:"] = "\\??\\C:\\W"; },
         "S:\\T.DLL",
         "C:\\W\\T.DLLが追加時に確かめたファイルに行き着かないため置換は予約されていません．\n", {}},
        {ScheduleReplace9x, "C:\\WINDOWS\\foo.dll",
         [](FakeFileSystem& f) { f.SetShortPath("C:\\WINDOWS\\foo.dll", "C:\\WINDOWS\\FOO.DLL"); },
         "C:\\WINDOWS\\FOO.DLL", scheduled,
         {"profile wininit.ini [rename] C:\\WINDOWS\\FOO.OLD=C:\\WINDOWS\\FOO.DLL",
          "profile wininit.ini [rename] C:\\WINDOWS\\FOO.DLL=C:\\WINDOWS\\FOO.NEW"}},
        {ScheduleReplace9x, "C:\\WINDOWS\\LongTargetName.dll",
         [](FakeFileSystem& f) {
             f.SetShortPath("C:\\WINDOWS\\LongTargetName.dll", "C:\\WINDOWS\\LONGTA~1.DLL");
             f.AddAlias("C:\\WINDOWS\\LONGTA~1.DLL", "C:\\WINDOWS\\LongTargetName.dll");
         },
         "C:\\WINDOWS\\LONGTA~1.DLL",
         "C:\\WINDOWS\\LongTargetName.dllは長いファイル名のため、9x系の起動処理では置き換えられません"
         "(短い名前C:\\WINDOWS\\LONGTA~1.DLLしか扱えません)．\n" +
             refused + "MS-DOSモードで起動し、C:\\WINDOWS\\LONGTA~1.DLLに上書きコピーしてください．\n",
         {}},
        {ScheduleReplace9x, "\\\\HOST\\SHARE\\FOO.DLL", [](FakeFileSystem&) {}, "\\\\HOST\\SHARE\\FOO.DLL",
         onNetwork("\\\\HOST\\SHARE\\FOO.DLL"), {}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.outcome);
        PlanOnFakeFiles plan;
        plan.Add("A:\\T.DLL", row.target.c_str());
        row.machine(plan.files);
        CHECK(plan.ReportOf(*row.scheduler) == "A:\\T.DLL\n → " + row.header + "\n" + row.outcome + "\n");
        std::vector<std::string> records;
        bool copied = false;
        for (const std::string& call : plan.files.log) {
            copied = copied || call.rfind("copy ", 0) == 0;
            if (call.rfind("move ", 0) == 0 || call.rfind("profile ", 0) == 0)
                records.push_back(call);
        }
        CHECK(records == row.records);
        CHECK(copied == !row.records.empty());
    }
}

TEST_CASE("Renames that would make the queue too large to read are refused before their copy")
{
    // What is queued leaves room for one entry's renames, not for two: NT's
    // take 146 bytes of UTF-16, 9x's lines 46 bytes (and 10 for a header).
    const std::string refused =
        "再起動時の処理の予約が読み取れる大きさを超えてしまうため置換は予約されていません．\n";
    const std::string scheduled = "再起動後に置換されます．\n";
    for (PlanOnFakeFiles::Scheduler* scheduler : {ScheduleReplaceNt, ScheduleReplace9x}) {
        PlanOnFakeFiles plan;
        plan.Add("A:\\T.DLL", "C:\\W\\T.DLL");
        plan.Add("A:\\U.DLL", "C:\\W\\U.DLL");
        if (scheduler == ScheduleReplaceNt) {
            const std::u16string deletion = u"\\??\\C:\\Z\\" +
                                            std::u16string((kMaxQueueBytes - 150) / 2 - 14, u'A') +
                                            u"\0\0"s;
            QueueNt(plan, deletion);
        } else {
            QueueWininit(plan, "NUL=C:\\Z\\" + std::string(kMaxQueueBytes - 91, 'A') + "\r\n");
        }
        CHECK(plan.ReportOf(*scheduler) == "A:\\T.DLL\n → C:\\W\\T.DLL\n" + scheduled + "\n" +
                                               "A:\\U.DLL\n → C:\\W\\U.DLL\n" + refused + "\n");
        for (const std::string& call : plan.files.log) {
            if (call.rfind("short ", 0) != 0)
                CHECK(call.find("U.") == std::string::npos);
        }
    }
}
