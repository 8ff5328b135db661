#include "schedule/journal_review.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_journal.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_queue_store.h"
#include "tests/fakes/fake_wide_to_ansi.h"
#include "tests/fakes/language_scope.h"
#include "tests/fakes/utf16_bytes.h"
#include "tests/unit/plan_on_fake_files.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

using namespace std::literals;

namespace {
const unsigned long long kHour = 36000000000ull;
const JournalFacts kNew = {{4096, 900 * kHour}, "2.0"};
const JournalFacts kOld = {{1024, 800 * kHour}, "1.0"};
const char kPlan[] = "2026-03-01 09:00:00.000";

// A machine after a restart: its files, its queue and its journal.
struct Machine {
    FakeFileSystem files;
    FakeVersionTexts versions;
    FakeRestartQueueStore queue;
    FakeWideToAnsi wideToAnsi;
    FakeCodePage932 codePage;
    FakeMessageBoxes boxes;
    FakeJournalStore journal;
    FakeClock clock;

    JournalServices Services()
    {
        return {journal, clock, files, versions, queue, wideToAnsi, codePage, boxes};
    }

    // A file with the facts and the version text of facts.
    void Put(const std::string& path, const JournalFacts& facts)
    {
        files.AddFile(path);
        files.facts[path] = facts.file;
        if (!facts.version.IsEmpty())
            versions.texts[path] = static_cast<const char*>(facts.version);
    }

    // Entry number of the plan, journaled: target replaced by a file of kNew
    // facts, the old one of kOld facts.
    JournalEntry Journal(const std::string& target, int number = 1)
    {
        const JournalEntry entry{kPlan, number, OS_NT, NtReplacementNames(target.c_str()), kNew, kOld};
        journal.bytes += *ScheduledLine(entry);
        return entry;
    }

    std::vector<EntryOutcome> Told()
    {
        std::vector<EntryOutcome> told;
        for (const JournalEntry& entry : ParseJournal(journal.bytes).entries)
            told.push_back(entry.told);
        return told;
    }
};

const char kTarget[] = "C:\\SYS\\T.DLL";
const std::string kStaged = kTarget + ".new"s;
const std::string kBackup = kTarget + ".old"s;

// What lies at the target, the staged copy's and the backup's names: '-'
// nothing, 'N' the new file, 'O' the old one, 'H' the new one an hour off (as
// FAT shows it once daylight saving has begun), 'V' the new size and time with
// another version text, 'X' another file, 'D' a folder.
struct Arrangement {
    const char* files;
    EntryOutcome outcome;
    bool stagedIsCopy;
};
const Arrangement kArrangements[] = {
    {"N-O", EntryOutcome::kReplaced, false},       {"N--", EntryOutcome::kReplaced, false},
    {"H--", EntryOutcome::kReplaced, false},       {"ON-", EntryOutcome::kNotCarriedOut, true},
    {"O--", EntryOutcome::kNotCarriedOut, false},  {"OX-", EntryOutcome::kNotCarriedOut, false},
    {"--O", EntryOutcome::kTargetMissing, false},  {"X-O", EntryOutcome::kChanged, false},
    {"V--", EntryOutcome::kChanged, false},        {"D--", EntryOutcome::kChanged, false},
    {"O-N", EntryOutcome::kPutBack, false},        {"O-O", EntryOutcome::kPutBack, false},
};

void Arrange(Machine& machine, const char* files)
{
    const std::string names[] = {kTarget, kStaged, kBackup};
    for (int i = 0; i < 3; ++i) {
        switch (files[i]) {
        case 'N': machine.Put(names[i], kNew); break;
        case 'O': machine.Put(names[i], kOld); break;
        case 'H': machine.Put(names[i], {{4096, 901 * kHour}, "2.0"}); break;
        case 'V': machine.Put(names[i], {{4096, 900 * kHour}, "2.1"}); break;
        case 'X': machine.Put(names[i], {{5000, 950 * kHour}, "3.0"}); break;
        case 'D': machine.files.AddDirectory(names[i]); break;
        default: break;
        }
    }
}

std::string RecordedMoves(const FakeFileSystem& files)
{
    std::string moves;
    for (const std::string& line : files.log)
        moves += line.rfind("status ", 0) == 0 || line.rfind("short ", 0) == 0 ? "" : line + "\n";
    return moves;
}
}  // namespace

TEST_CASE("Each outcome is judged from the files' size, time and version text")
{
    for (const Arrangement& row : kArrangements) {
        INFO(row.files);
        Machine machine;
        const JournalEntry entry = machine.Journal(kTarget);
        Arrange(machine, row.files);
        const Judgement judgement = JudgeEntry(entry, machine.files, machine.versions);
        CHECK(judgement.outcome == row.outcome);
        CHECK(judgement.stagedIsCopy == row.stagedIsCopy);
    }
}

TEST_CASE("An entry whose renames still wait, or a queue that cannot be read, is not judged")
{
    for (const bool readable : {true, false}) {
        CAPTURE(readable);
        Machine machine;
        machine.Journal(kTarget);
        machine.Put(kTarget, kOld);
        machine.Put(kStaged, kNew);
        machine.queue.ntValues[NtQueueValue::kPendingFileRenameOperations] =
            readable ? FakeRestartQueueStore::Answer{QueueResult::kOk,
                                                     Utf16(u"\\??\\C:\\SYS\\T.DLL.new\0!\\??\\C:\\SYS\\T.DLL\0\0"sv)}
                     : FakeRestartQueueStore::Answer{QueueResult::kMalformed, "x"};
        TellWhatTheRestartDid(OS_NT, machine.Services());
        CHECK(machine.boxes.shown.empty());
        CHECK(machine.journal.appends.empty());
        CHECK(machine.Told() == std::vector<EntryOutcome>{EntryOutcome::kPending});
    }
    // 9x: the line that puts the staged copy in place waits in wininit.ini.
    Machine machine;
    machine.journal.bytes = *ScheduledLine(
        JournalEntry{kPlan, 1, OS_9X, {kTarget, "C:\\SYS\\T.NEW", "C:\\SYS\\T.OLD"}, kNew, kOld});
    machine.queue.wininit = {QueueResult::kOk, "[rename]\r\nC:\\SYS\\T.DLL=C:\\SYS\\T.NEW\r\n"};
    TellWhatTheRestartDid(OS_9X, machine.Services());
    CHECK(machine.journal.appends.empty());
}

// The box's exact Japanese text is read in the end-to-end journal road, as
// is a quiet start when every entry was replaced.
TEST_CASE("One box tells every entry but the replaced; No records nothing; each is told once")
{
    Machine machine;
    for (const char* name : {"A", "B", "C", "D"})
        machine.Journal("C:\\SYS\\"s + name + ".DLL", name[0] - 'A' + 1);
    machine.Put("C:\\SYS\\A.DLL", kOld);
    machine.Put("C:\\SYS\\A.DLL.new", kNew);
    machine.Put("C:\\SYS\\B.DLL.old", kOld);
    machine.Put("C:\\SYS\\C.DLL", {{1, 1}, ""});
    machine.Put("C:\\SYS\\D.DLL", kNew);
    machine.journal.bytes = "garbage\r\n" + machine.journal.bytes + "torn line";
    machine.boxes.Answer(box::kAnswerNo);
    TellWhatTheRestartDid(OS_NT, machine.Services());
    REQUIRE(machine.boxes.shown.size() == 1);
    CHECK(machine.boxes.shown[0].style == (box::kYesNo | box::kIconQuestion));
    CHECK(machine.boxes.shown[0].mayScroll);
    CHECK(machine.boxes.shown[0].summary ==
          "前回の再起動で、Tesseraが予約した置換のうち3件が予定どおりに行われていません．");
    const std::string& text = machine.boxes.shown[0].text;
    for (const char* told :
         {"3件", "未実行: C:\\SYS\\A.DLL\n", "置換先なし: C:\\SYS\\B.DLL (元のファイルはC:\\SYS\\B.DLL.old)\n",
          "その後変更: C:\\SYS\\C.DLL\n", "1件について"})
        CHECK(text.find(told) != std::string::npos);
    CHECK(text.find("D.DLL") == std::string::npos);
    CHECK(machine.Told() ==
          std::vector<EntryOutcome>{EntryOutcome::kNotCarriedOut, EntryOutcome::kTargetMissing,
                                    EntryOutcome::kChanged, EntryOutcome::kReplaced});
    CHECK(RecordedMoves(machine.files).empty());
    TellWhatTheRestartDid(OS_NT, machine.Services());
    CHECK(machine.boxes.shown.size() == 1);
}

TEST_CASE("Told in the window that scrolls, the question is asked in a box of its own")
{
    const LanguageScope language(Language::kEnglish);
    Machine machine;
    machine.Journal("C:\\SYS\\A.DLL", 1);
    machine.Put("C:\\SYS\\A.DLL", kOld);
    machine.Put("C:\\SYS\\A.DLL.new", kNew);
    machine.boxes.Answer(box::kAnswerOk);  // what the window that scrolls answers
    machine.boxes.Answer(box::kAnswerNo);
    TellWhatTheRestartDid(OS_NT, machine.Services());
    REQUIRE(machine.boxes.shown.size() == 2);
    CHECK(machine.boxes.shown[1].text ==
          "Record the renames again where the staged copy is still there (1)?\n"
          "They take effect at the next restart (restart, do not shut down).");
    CHECK(machine.boxes.shown[1].style == (box::kYesNo | box::kIconQuestion));
    CHECK(RecordedMoves(machine.files).empty());
}

TEST_CASE("Many entries: the first lines, then how many more; unwritable, told again next time")
{
    const LanguageScope language(Language::kEnglish);
    Machine machine;
    for (int i = 1; i <= kToldLines + 2; ++i) {
        machine.Journal("C:\\SYS\\F" + std::to_string(i) + ".DLL", i);
        machine.Put("C:\\SYS\\F" + std::to_string(i) + ".DLL", {{1, 1}, ""});
    }
    machine.journal.writable = false;
    TellWhatTheRestartDid(OS_NT, machine.Services());
    // Nothing to record again: an OK box.
    CHECK(machine.boxes.shown.at(0).style == (box::kOk | box::kIconExclamation));
    const std::string& text = machine.boxes.shown.at(0).text;
    CHECK(text.find("Changed since: C:\\SYS\\F10.DLL\n... and 2 more (the journal "
                    "C:\\WINDOWS\\TESSERA.LOG lists them all)\n") != std::string::npos);
    CHECK(text.find("F11.DLL") == std::string::npos);
    CHECK(text.find("\nThe journal C:\\WINDOWS\\TESSERA.LOG cannot be written, so this will be told "
                    "again at the next start.\n") != std::string::npos);
}

TEST_CASE("Recorded again: a changed staged copy is refused and kept, a refused entry's copy deleted")
{
    const LanguageScope language(Language::kEnglish);
    Machine machine;
    const JournalEntry changed = machine.Journal("C:\\SYS\\A.DLL", 1);
    const JournalEntry queued = machine.Journal("C:\\SYS\\B.DLL", 2);
    machine.Put("C:\\SYS\\A.DLL", kOld);
    machine.Put("C:\\SYS\\A.DLL.new", {{9, 9}, ""});
    machine.Put("C:\\SYS\\B.DLL", kOld);
    machine.Put("C:\\SYS\\B.DLL.new", kNew);
    // Another program has queued the deletion of B since.
    machine.queue.ntValues[NtQueueValue::kPendingFileRenameOperations] = {
        QueueResult::kOk, Utf16(u"\\??\\C:\\SYS\\B.DLL\0\0\0"sv)};
    RecordAgain(OS_NT, {changed, queued},
                SchedulerServices{machine.files, machine.codePage, machine.boxes, machine.queue,
                                  machine.wideToAnsi});
    REQUIRE(machine.boxes.shown.size() == 1);
    CHECK(machine.boxes.shown[0].text ==
          "Source: C:\\SYS\\A.DLL.new\nTarget: C:\\SYS\\A.DLL\n"
          "No replacement is scheduled: C:\\SYS\\A.DLL.new is no longer the staged copy that "
          "Tessera made.\n\n"
          "Source: C:\\SYS\\B.DLL.new\nTarget: C:\\SYS\\B.DLL\n"
          "No replacement is scheduled: C:\\SYS\\B.DLL is already in a pending operation.\n\n");
    CHECK(RecordedMoves(machine.files) == "remove C:\\SYS\\B.DLL.new\n");
}

// A journal that cannot be written, and the report's line, are seen end to end.
TEST_CASE("A commit journals each pair it scheduled, with the facts of its staged copy and target")
{
    PlanOnFakeFiles plan;
    plan.Add("D:\\NEW\\A.DLL", "C:\\SYS\\A.DLL");
    plan.Add("D:\\NEW\\B.DLL", "C:\\SYS\\B.DLL");
    plan.files.AddFile("C:\\SYS\\A.DLL.new");  // a stale copy: A is refused
    plan.files.facts["D:\\NEW\\B.DLL"] = kNew.file;
    plan.files.facts["C:\\SYS\\B.DLL"] = kOld.file;
    CStringArray sources;
    CStringArray targets;
    sources.Add("9.9");
    sources.Add("2.0");
    targets.Add("");
    targets.Add("1.0");
    const PlanVersionTexts versionTexts{sources, targets};
    Machine machine;
    const JournalAccess journal{machine.journal, machine.clock};
    SchedulerServices services = plan.Services(machine.boxes);
    services.journal = &journal;
    services.versions = &versionTexts;
    ScheduleReplaceNt(plan.sources, plan.targets, services);
    const JournalContents contents = ParseJournal(machine.journal.bytes);
    REQUIRE(contents.entries.size() == 1);
    const JournalEntry& entry = contents.entries[0];
    CHECK((entry.plan == "2026-03-04 10:22:31.123" && entry.number == 2 &&
           entry.names.staged == "C:\\SYS\\B.DLL.new"));
    CHECK((entry.newFile.file.size == kNew.file.size && entry.newFile.file.lastWrite == kNew.file.lastWrite &&
           entry.newFile.version == "2.0" && entry.oldFile.file.size == kOld.file.size &&
           entry.oldFile.version == "1.0"));
}

// The rows and their texts are read end to end in both languages.
TEST_CASE("The history: newest first, cancelled as told, pending while the renames wait; its status")
{
    const LanguageScope language(Language::kEnglish);
    Machine machine;
    const JournalEntry cancelled = machine.Journal("C:\\SYS\\A.DLL", 1);
    machine.Journal("C:\\SYS\\B.DLL", 2);
    machine.journal.bytes += ToldLine(cancelled, EntryOutcome::kCancelled, kPlan) + "torn";
    machine.queue.ntValues[NtQueueValue::kPendingFileRenameOperations] = {
        QueueResult::kOk, Utf16(u"\\??\\C:\\SYS\\B.DLL.new\0!\\??\\C:\\SYS\\B.DLL\0\0"sv)};
    const History history = ReadHistory(OS_NT, machine.Services());
    REQUIRE(history.rows.size() == 2);
    CHECK((history.rows[0].entry == 1 && history.rows[0].outcome == EntryOutcome::kPending));
    CHECK((history.rows[1].entry == 0 && history.rows[1].outcome == EntryOutcome::kCancelled));
    CHECK(FormatText(HistoryStatus(history)) ==
          "Entries in C:\\WINDOWS\\TESSERA.LOG: 2 (1 unreadable lines skipped).");
    machine.journal.readable = false;
    CHECK(FormatText(HistoryStatus(ReadHistory(OS_NT, machine.Services()))) ==
          "C:\\WINDOWS\\TESSERA.LOG could not be read, so the history cannot be shown.");
    machine.journal.readable = true;
    machine.journal.bytes.clear();
    CHECK(FormatText(HistoryStatus(ReadHistory(OS_NT, machine.Services()))) ==
          "C:\\WINDOWS\\TESSERA.LOG holds no entries.");
}
