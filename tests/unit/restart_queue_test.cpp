#include "schedule/restart_queue.h"
#include "tests/fakes/fake_restart_queue_store.h"
#include "tests/fakes/fake_wide_to_ansi.h"
#include "tests/fakes/utf16_bytes.h"

#include <doctest/doctest.h>

#include <string>
#include <string_view>
#include <vector>

using namespace std::literals;

namespace {
// Records as MoveFileExW(MOVEFILE_DELAY_UNTIL_REBOOT) writes them: Tessera's
// two for FOO.DLL (both with MOVEFILE_REPLACE_EXISTING), a deletion, a *1
// rename of a newer release, a code page 932 path and one that code page 932
// cannot write.
const std::u16string_view kBackup =
    u"\\??\\C:\\WINDOWS\\SYSTEM\\FOO.DLL\0!\\??\\C:\\WINDOWS\\SYSTEM\\FOO.DLL.old\0"sv;
const std::u16string_view kReplace =
    u"\\??\\C:\\WINDOWS\\SYSTEM\\FOO.DLL.new\0!\\??\\C:\\WINDOWS\\SYSTEM\\FOO.DLL\0"sv;
const std::u16string_view kDelete = u"\\??\\C:\\WINDOWS\\TEMP\\~INS0001.TMP\0\0"sv;
const std::u16string_view kStarred =
    u"*1\\??\\C:\\Program Files\\App\\setup.tmp\0*1\\??\\C:\\Program Files\\App\\Setup.exe\0"sv;
const std::u16string_view kKatakana = u"\\??\\C:\\ソ\\New.dll\0!\\??\\C:\\ソ\\Old.dll\0"sv;
const std::u16string_view kAccented = u"\\??\\C:\\Caf\u00E9\\A.DLL\0\\??\\C:\\B.DLL\0"sv;
const std::u16string_view kEnd = u"\0"sv;

const std::string kQueue = Utf16(kBackup) + Utf16(kReplace) + Utf16(kDelete) + Utf16(kStarred) +
                           Utf16(kKatakana) + Utf16(kAccented) + Utf16(kEnd);

struct Expected {
    QueuedKind kind;
    const char* from;
    const char* to;
    bool exactText;
    std::string record;  // its bytes, which occur once in the store's bytes
};

void CheckOperations(const RestartQueue& queue, const std::string& raw,
                     const std::vector<Expected>& expected)
{
    REQUIRE(queue.result == QueueResult::kOk);
    REQUIRE(queue.operations.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        CAPTURE(i);
        const QueuedOperation& operation = queue.operations[i];
        CHECK(operation.kind == expected[i].kind);
        CHECK(operation.from == expected[i].from);
        CHECK(operation.to == expected[i].to);
        CHECK(operation.exactText == expected[i].exactText);
        CHECK(operation.offset == raw.find(expected[i].record));
        CHECK(operation.length == expected[i].record.size());
    }
}

FakeWideToAnsi Cp932Converter()
{
    FakeWideToAnsi converter;
    converter.characters[u'ソ'] = "\x83\x5C";
    return converter;
}
}  // namespace

TEST_CASE("NT records: kind, texts without prefixes, and the bytes of each pair")
{
    const RestartQueue queue = ParseNtQueue(kQueue, Cp932Converter());
    CheckOperations(
        queue, kQueue,
        {{QueuedKind::kRenameReplacing, "C:\\WINDOWS\\SYSTEM\\FOO.DLL",
          "C:\\WINDOWS\\SYSTEM\\FOO.DLL.old", true, Utf16(kBackup)},
         {QueuedKind::kRenameReplacing, "C:\\WINDOWS\\SYSTEM\\FOO.DLL.new",
          "C:\\WINDOWS\\SYSTEM\\FOO.DLL", true, Utf16(kReplace)},
         {QueuedKind::kDelete, "C:\\WINDOWS\\TEMP\\~INS0001.TMP", "", true, Utf16(kDelete)},
         {QueuedKind::kRename, "C:\\Program Files\\App\\setup.tmp",
          "C:\\Program Files\\App\\Setup.exe", true, Utf16(kStarred)},
         // ソ is 0x83 0x5C in the ANSI text.
         {QueuedKind::kRenameReplacing, "C:\\\x83\x5C\\New.dll", "C:\\\x83\x5C\\Old.dll", true,
          Utf16(kKatakana)},
         {QueuedKind::kRename, "C:\\Caf?\\A.DLL", "C:\\B.DLL", false, Utf16(kAccented)}});
    // The records lie end to end, and only the list's NUL follows them.
    CHECK(queue.operations.back().offset + queue.operations.back().length + 2 == kQueue.size());
}

TEST_CASE("Absent, empty, malformed and oversized queues give their result and no records")
{
    const std::string pair = Utf16(u"\\??\\C:\\A\0\\??\\C:\\B\0"sv);
    struct Row {
        const char* what;
        bool nt;  // else wininit.ini
        std::string bytes;
        QueueResult result;
    };
    const Row rows[] = {
        {"no bytes", true, "", QueueResult::kEmpty},
        {"only the list's NUL", true, Utf16(kEnd), QueueResult::kEmpty},
        {"NULs after the list's NUL", true, pair + Utf16(u"\0\0"sv), QueueResult::kOk},
        {"odd byte count", true, pair + Utf16(kEnd) + "A", QueueResult::kMalformed},
        {"source without destination", true, Utf16(u"\\??\\C:\\A\0"sv), QueueResult::kMalformed},
        {"three strings", true, pair + Utf16(u"\\??\\C:\\C\0"sv), QueueResult::kMalformed},
        {"no NUL after the last string", true, pair + Utf16(u"\\??\\C:\\C\0\\??\\C:\\D"sv),
         QueueResult::kMalformed},
        {"no NUL after the list", true, pair, QueueResult::kMalformed},
        {"records after the list's NUL", true, pair + Utf16(kEnd) + pair + Utf16(kEnd),
         QueueResult::kMalformed},
        {"NT, over the bound", true, std::string(kMaxQueueBytes + 2, '\0'), QueueResult::kTooLarge},
        {"NT, at the bound", true, std::string(kMaxQueueBytes, '\0'), QueueResult::kEmpty},
        {"empty file", false, "", QueueResult::kEmpty},
        {"no [rename]", false, "[windows]\r\nA=B\r\n", QueueResult::kEmpty},
        {"an empty [rename]", false, "[rename]\r\n; nothing\r\n", QueueResult::kEmpty},
        {"a line without '='", false, "[rename]\r\nC:\\X.DLL\r\n", QueueResult::kMalformed},
        {"no destination", false, "[rename]\r\n=C:\\X.DLL\r\n", QueueResult::kMalformed},
        {"no source", false, "[rename]\r\nNUL=\r\n", QueueResult::kMalformed},
        {"a NUL byte", false, "[rename]\r\nNUL=C:\\X\0.DLL\r\n"s, QueueResult::kMalformed},
        {"wininit, over the bound", false, std::string(kMaxQueueBytes + 1, ' '),
         QueueResult::kTooLarge},
        {"wininit, at the bound", false, std::string(kMaxQueueBytes, ' '), QueueResult::kEmpty},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        const RestartQueue queue =
            row.nt ? ParseNtQueue(row.bytes, FakeWideToAnsi()) : ParseWininitQueue(row.bytes);
        CHECK(queue.result == row.result);
        CHECK(queue.operations.size() == (row.result == QueueResult::kOk ? 1u : 0u));
    }
}

TEST_CASE("Removing NT records keeps every other byte in order and the list's NUL")
{
    struct Row {
        std::vector<int> records;
        QueueResult result;
        std::string rewritten;
    };
    const std::string untouched = "untouched";
    const Row rows[] = {
        {{1, 0},
         QueueResult::kOk,
         Utf16(kDelete) + Utf16(kStarred) + Utf16(kKatakana) + Utf16(kAccented) + Utf16(kEnd)},
        {{3, 5},
         QueueResult::kOk,
         Utf16(kBackup) + Utf16(kReplace) + Utf16(kDelete) + Utf16(kKatakana) + Utf16(kEnd)},
        {{0, 1, 2, 3, 4, 5}, QueueResult::kOk, Utf16(kEnd)},
        {{}, QueueResult::kOk, kQueue},
        {{6}, QueueResult::kNoSuchRecord, untouched},
        {{-1}, QueueResult::kNoSuchRecord, untouched},
        {{2, 2}, QueueResult::kNoSuchRecord, untouched},
    };
    for (const Row& row : rows) {
        std::string rewritten = untouched;
        CHECK(RemoveRecords(ParseNtQueue(kQueue, FakeWideToAnsi()), row.records, rewritten) ==
              row.result);
        CHECK(rewritten == row.rewritten);
    }
    std::string rewritten = untouched;
    CHECK(RemoveRecords(ParseNtQueue(kQueue.substr(1), FakeWideToAnsi()), {0}, rewritten) ==
          QueueResult::kMalformed);
    CHECK(rewritten == untouched);
}

namespace {
const std::string kDeleteA = "NUL=C:\\WINDOWS\\TEMP\\A.TMP\r\n";
const std::string kDeleteB = "nul=C:\\WINDOWS\\TEMP\\B.TMP\r\n";
const std::string kRename = "C:\\WINDOWS\\SYSTEM\\FOO.OLD=C:\\WINDOWS\\SYSTEM\\FOO.DLL\r\n";
const std::string kKatakanaLine = " C:\\ソ\\FOO.DLL = C:\\ソ\\FOO.NEW\n";
const std::string kHead = "[Settings]\r\nNUL=C:\\KEEP.TMP\r\n[ Rename ]\r\n";
const std::string kComment = "; scheduled by Tessera\r\n\r\n";
const std::string kTail = "[Other]\r\nX=Y";
const std::string kWininit =
    kHead + kDeleteA + kDeleteB + kComment + kRename + kKatakanaLine + kTail;
}  // namespace

TEST_CASE("wininit.ini: the [rename] lines in order, repeated NUL keys, each with its bytes")
{
    CheckOperations(ParseWininitQueue(kWininit), kWininit,
                    {{QueuedKind::kDelete, "C:\\WINDOWS\\TEMP\\A.TMP", "", true, kDeleteA},
                     {QueuedKind::kDelete, "C:\\WINDOWS\\TEMP\\B.TMP", "", true, kDeleteB},
                     {QueuedKind::kRenameReplacing, "C:\\WINDOWS\\SYSTEM\\FOO.DLL",
                      "C:\\WINDOWS\\SYSTEM\\FOO.OLD", true, kRename},
                     {QueuedKind::kRenameReplacing, "C:\\\x83\x5C\\FOO.NEW",
                      "C:\\\x83\x5C\\FOO.DLL", true, kKatakanaLine}});

    std::string rewritten;
    CHECK(RemoveRecords(ParseWininitQueue(kWininit), {2, 0}, rewritten) == QueueResult::kOk);
    CHECK(rewritten == kHead + kDeleteB + kComment + kKatakanaLine + kTail);
    CHECK(RemoveRecords(ParseWininitQueue(kWininit), {4}, rewritten) == QueueResult::kNoSuchRecord);
}

TEST_CASE("Reading through the store parses what it gives and passes on what it refuses")
{
    FakeRestartQueueStore store;
    store.ntValues[NtQueueValue::kPendingFileRenameOperations2] = {QueueResult::kOk, kQueue};
    store.wininit = {QueueResult::kOk, kWininit};
    const auto readNt = [&store](NtQueueValue value) {
        return ReadNtQueue(store, value, FakeWideToAnsi());
    };
    CHECK(readNt(NtQueueValue::kPendingFileRenameOperations).result == QueueResult::kEmpty);
    CHECK(readNt(NtQueueValue::kPendingFileRenameOperations2).operations.size() == 6);
    CHECK(readNt(NtQueueValue::kPendingFileRenameOperations2).raw == kQueue);
    CHECK(ReadWininitQueue(store).operations.size() == 4);
    for (QueueResult refusal : {QueueResult::kEmpty, QueueResult::kTooLarge,
                                QueueResult::kMalformed, QueueResult::kSystemError}) {
        store.ntValues[NtQueueValue::kPendingFileRenameOperations2] = {refusal, ""};
        store.wininit = {refusal, ""};
        CHECK(readNt(NtQueueValue::kPendingFileRenameOperations2).result == refusal);
        CHECK(ReadWininitQueue(store).result == refusal);
    }
}
