#include "platform/os_kind.h"
#include "schedule/pending_replacements.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_queue_store.h"
#include "tests/fakes/fake_wide_to_ansi.h"
#include "tests/unit/string_lists.h"
#include "tests/fakes/utf16_bytes.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace std::literals;

namespace {
// PendingFileRenameOperations: a deletion; Tessera's pair for A.DLL; pairs
// that look like one but are not Tessera's (another backup name; a backup
// rename that does not replace); a backup rename whose replacing rename
// stands in the second value.
const std::vector<std::string> kNtParts = {
    Utf16(u"\\??\\C:\\TEMP\\SETUP.TMP\0\0"sv),
    Utf16(u"\\??\\C:\\SYS\\A.DLL\0!\\??\\C:\\SYS\\A.DLL.old\0"sv),
    Utf16(u"\\??\\C:\\SYS\\A.DLL.new\0!\\??\\C:\\SYS\\A.DLL\0"sv),
    Utf16(u"\\??\\C:\\APP\\B.DLL\0!\\??\\C:\\APP\\B.DLL.bak\0"sv),
    Utf16(u"\\??\\C:\\APP\\B.DLL.new\0!\\??\\C:\\APP\\B.DLL\0"sv),
    Utf16(u"\\??\\C:\\APP\\C.DLL\0\\??\\C:\\APP\\C.DLL.old\0"sv),
    Utf16(u"\\??\\C:\\APP\\C.DLL.new\0!\\??\\C:\\APP\\C.DLL\0"sv),
    Utf16(u"\\??\\C:\\SYS\\E.DLL\0!\\??\\C:\\SYS\\E.DLL.old\0"sv),
    Utf16(u"\0"sv),
};
const std::string kNtSecond = Utf16(u"\\??\\C:\\SYS\\E.DLL.new\0!\\??\\C:\\SYS\\E.DLL\0\0"sv);

// wininit.ini: a deletion, Tessera's lines for FOO.DLL, the two lines of a
// replacement in the other order, and Tessera's lines for a short name in a
// folder named ソ (0x83 0x5C).
const std::vector<std::string> kWininitParts = {
    "[rename]\r\n",
    "NUL=C:\\TEMP\\SETUP.TMP\r\n",
    "C:\\WINDOWS\\SYSTEM\\FOO.OLD=C:\\WINDOWS\\SYSTEM\\FOO.DLL\r\n",
    "C:\\WINDOWS\\SYSTEM\\FOO.DLL=C:\\WINDOWS\\SYSTEM\\FOO.NEW\r\n",
    "C:\\APP\\BAR.DLL=C:\\APP\\BAR.NEW\r\n",
    "C:\\APP\\BAR.OLD=C:\\APP\\BAR.DLL\r\n",
    "C:\\ソ\\TOOL.OLD=C:\\ソ\\TOOL.DLL\r\n",
    "C:\\ソ\\TOOL.DLL=C:\\ソ\\TOOL.NEW\r\n",
};

std::string Joined(const std::vector<std::string>& parts, const std::set<size_t>& left = {})
{
    std::string bytes;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!left.count(i))
            bytes += parts[i];
    }
    return bytes;
}

struct Machine {
    FakeRestartQueueStore store;
    FakeWideToAnsi wideToAnsi;
    FakeFileSystem files;
    FakeCodePage932 codePage;
    FakeMessageBoxes boxes;

    Machine()
    {
        store.ntValues[NtQueueValue::kPendingFileRenameOperations] = {QueueResult::kOk,
                                                                      Joined(kNtParts)};
        store.ntValues[NtQueueValue::kPendingFileRenameOperations2] = {QueueResult::kOk, kNtSecond};
        store.wininit = {QueueResult::kOk, Joined(kWininitParts)};
        files.AddFile("C:\\SYS\\A.DLL.new");
        files.AddFile("C:\\WINDOWS\\SYSTEM\\FOO.NEW");
    }
    PendingServices Services() { return {store, wideToAnsi, files, codePage, boxes}; }
    PendingList Read(OsKind osKind) { return ReadPendingList(osKind, Services()); }
};

// kind|from|to|state@store:operation; a Tessera row's kind is "tessera" and
// its state "staged" or "missing", a single operation's kind that of QueuedKind.
std::vector<std::string> Rows(const PendingList& list)
{
    static const char* const kKinds[] = {"rename", "replacing", "delete"};
    std::vector<std::string> rows;
    for (const PendingRow& row : list.rows)
        rows.push_back(std::string(row.tessera ? "tessera" : kKinds[static_cast<int>(row.kind)]) +
                       "|" + std::string(row.from) + "|" + std::string(row.to) + "|" +
                       (row.tessera ? (row.stagedExists ? "staged" : "missing") : "") + "@" +
                       std::to_string(row.store) + ":" + std::to_string(row.operation));
    return rows;
}
}  // namespace

TEST_CASE("Tessera's consecutive pairs become one row each; every other operation is one row")
{
    Machine machine;
    const PendingList nt = machine.Read(OS_NT);
    CHECK(Rows(nt) == std::vector<std::string>{
                          "delete|C:\\TEMP\\SETUP.TMP||@0:0",
                          "tessera|C:\\SYS\\A.DLL.new|C:\\SYS\\A.DLL|staged@0:1",
                          "replacing|C:\\APP\\B.DLL|C:\\APP\\B.DLL.bak|@0:3",
                          "replacing|C:\\APP\\B.DLL.new|C:\\APP\\B.DLL|@0:4",
                          "rename|C:\\APP\\C.DLL|C:\\APP\\C.DLL.old|@0:5",
                          "replacing|C:\\APP\\C.DLL.new|C:\\APP\\C.DLL|@0:6",
                          "replacing|C:\\SYS\\E.DLL|C:\\SYS\\E.DLL.old|@0:7",
                          "replacing|C:\\SYS\\E.DLL.new|C:\\SYS\\E.DLL|@1:0",
                      });
    CHECK(FormatText(PendingStatus(nt)) == "再起動待ちの項目は8件です．");

    CHECK(Rows(machine.Read(OS_9X)) ==
          std::vector<std::string>{
              "delete|C:\\TEMP\\SETUP.TMP||@0:0",
              "tessera|C:\\WINDOWS\\SYSTEM\\FOO.NEW|C:\\WINDOWS\\SYSTEM\\FOO.DLL|staged@0:1",
              "replacing|C:\\APP\\BAR.NEW|C:\\APP\\BAR.DLL|@0:3",
              "replacing|C:\\APP\\BAR.DLL|C:\\APP\\BAR.OLD|@0:4",
              "tessera|C:\\ソ\\TOOL.NEW|C:\\ソ\\TOOL.DLL|missing@0:5",
          });
}

TEST_CASE("A store that cannot be read leaves the list empty and says which and why")
{
    Machine machine;
    machine.store.ntValues[NtQueueValue::kPendingFileRenameOperations2] = {QueueResult::kMalformed,
                                                                           ""};
    machine.store.wininit = {QueueResult::kTooLarge, ""};
    for (const PendingList& list : {machine.Read(OS_NT), machine.Read(OS_9X)})
        CHECK(list.rows.empty());
    CHECK(FormatText(PendingStatus(machine.Read(OS_NT))) ==
          "PendingFileRenameOperations2の内容が正しくないため、一覧を表示できません．");
    CHECK(FormatText(PendingStatus(machine.Read(OS_9X))) == "wininit.iniが大きすぎるため、一覧を表示できません．");
    machine.store.wininit = {QueueResult::kSystemError, ""};
    CHECK(FormatText(PendingStatus(machine.Read(OS_9X))) == "wininit.iniを読み込めなかったため、一覧を表示できません．");
    machine.store.wininit = {QueueResult::kEmpty, ""};
    CHECK(FormatText(PendingStatus(machine.Read(OS_9X))) == "再起動待ちの操作はありません．");
}

TEST_CASE("Cancel asks, takes the row's two records out of the listed bytes, then the staged copy")
{
    const std::string askA = "? C:\\SYS\\A.DLLの置換の予約を取り消しますか?\n置換用のコピーC:\\SYS\\A.DLL.newも削除します．";
    const std::string ntWithoutA = Joined(kNtParts, {1, 2});
    struct Case {
        OsKind osKind;
        size_t row;
        int answer;
        QueueResult rewriteResult;
        bool removeFails;
        CancelResult result;
        std::vector<std::string> boxes;  // "?": the question, "!": an error
        std::string written;             // what the rewrite was asked to write; "": none asked
        bool removes;                    // the staged copy's deletion is asked for
    };
    const Case cases[] = {
        {OS_NT, 1, box::kAnswerYes, QueueResult::kOk, false, CancelResult::kCancelled, {askA},
         ntWithoutA, true},
        {OS_9X, 4, box::kAnswerYes, QueueResult::kOk, false, CancelResult::kCancelled,
         {"? C:\\ソ\\TOOL.DLLの置換の予約を取り消しますか?"}, Joined(kWininitParts, {6, 7}), false},
        {OS_NT, 1, box::kAnswerNo, QueueResult::kOk, false, CancelResult::kDeclined, {askA}, "",
         false},
        {OS_NT, 1, box::kAnswerYes, QueueResult::kChanged, false, CancelResult::kChanged,
         {askA, "! 再起動待ちの操作が、一覧を読み込んだ後に変更されています．\n"
                "何も取り消していません．一覧を読み込み直します．"}, ntWithoutA, false},
        {OS_NT, 1, box::kAnswerYes, QueueResult::kSystemError, false, CancelResult::kNotRewritten,
         {askA, "! PendingFileRenameOperationsを書き換えるのに失敗しました．\n"
                "置換の予約は取り消されていません．"}, ntWithoutA, false},
        {OS_NT, 1, box::kAnswerYes, QueueResult::kOk, true, CancelResult::kStagedLeft,
         {askA, "! 置換の予約は取り消しましたが、C:\\SYS\\A.DLL.newを削除するのに失敗しました．\n"
                "自分で削除してください．"}, ntWithoutA, true},
        {OS_NT, 2, box::kAnswerYes, QueueResult::kOk, false, CancelResult::kDeclined, {}, "",
         false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.boxes);
        Machine machine;
        const PendingList list = machine.Read(c.osKind);
        machine.boxes.Answer(c.answer);
        machine.store.rewriteResult = c.rewriteResult;
        if (c.removeFails)
            machine.files.Fail(FakeFileSystem::kRemove);
        machine.files.log.clear();
        CHECK(CancelPendingReplacement(list, c.row, machine.Services()) == c.result);

        std::vector<std::string> boxes;
        for (const ShownBox& shown : machine.boxes.shown) {
            const bool question = shown.style == (box::kYesNo | box::kIconQuestion);
            const char* mark = question ? "? " : shown.style == box::kIconHand ? "! " : "";
            boxes.push_back(mark + shown.text);
        }
        CHECK(boxes == c.boxes);
        REQUIRE(machine.store.rewrites.size() == (c.written.empty() ? 0u : 1u));
        for (const FakeRestartQueueStore::Rewrite& rewrite : machine.store.rewrites) {
            CHECK(rewrite.store == (c.osKind == OS_NT ? "nt 0" : "wininit"));
            CHECK(rewrite.read == list.stores[0].queue.raw);
            CHECK(rewrite.rewritten == c.written);
        }
        const std::string removal = "remove " + std::string(list.rows[c.row].from);
        CHECK(std::count(machine.files.log.begin(), machine.files.log.end(), removal) ==
              (c.removes ? 1 : 0));
    }
}

TEST_CASE("Pairs are recognised through any spelling; a cancel keeps a staged copy another pair still needs")
{
    // Two commits of one file, through its long and its short folder name,
    // with one staged copy between them.
    const std::vector<std::string> parts = {
        Utf16(u"\\??\\C:\\Program Files\\X\\B.DLL\0!\\??\\C:\\Program Files\\X\\B.DLL.old\0"sv),
        Utf16(u"\\??\\C:\\Program Files\\X\\B.DLL.new\0!\\??\\C:\\Program Files\\X\\B.DLL\0"sv),
        Utf16(u"\\??\\C:\\PROGRA~1\\X\\B.DLL\0!\\??\\C:\\Program Files\\X\\B.DLL.old\0"sv),
        Utf16(u"\\??\\C:\\PROGRA~1\\X\\B.DLL.new\0!\\??\\C:\\PROGRA~1\\X\\B.DLL\0"sv),
        // Names that cannot be read (shares without their share names) make no pair.
        Utf16(u"\\??\\UNC\\H\0!\\??\\UNC\\H.old\0\\??\\UNC\\H.new\0!\\??\\UNC\\H\0"sv),
        Utf16(u"\0"sv),
    };
    Machine machine;
    machine.store.ntValues.clear();
    machine.store.ntValues[NtQueueValue::kPendingFileRenameOperations] = {QueueResult::kOk,
                                                                          Joined(parts)};
    machine.files.AddAlias("C:\\PROGRA~1", "C:\\Program Files");
    machine.files.AddFile("C:\\Program Files\\X\\B.DLL.new");
    const PendingList list = machine.Read(OS_NT);
    CHECK(Rows(list) ==
          std::vector<std::string>{
              "tessera|C:\\Program Files\\X\\B.DLL.new|C:\\Program Files\\X\\B.DLL|staged@0:0",
              "tessera|C:\\PROGRA~1\\X\\B.DLL.new|C:\\PROGRA~1\\X\\B.DLL|missing@0:2",
              "replacing|\\\\H|\\\\H.old|@0:4",
              "replacing|\\\\H.new|\\\\H|@0:5",
          });
    CHECK(CancelPendingReplacement(list, 0, machine.Services()) == CancelResult::kCancelled);
    CHECK(machine.boxes.Texts() ==
          std::vector<std::string>{"C:\\Program Files\\X\\B.DLLの置換の予約を取り消しますか?"});
    CHECK(machine.files.entries.count("C:\\Program Files\\X\\B.DLL.new") == 1);
}
