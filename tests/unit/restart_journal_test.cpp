#include "schedule/restart_journal.h"
#include "tests/fakes/fake_journal.h"

#include <doctest/doctest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {
const char kPlan[] = "2026-03-04 10:22:31.123";

JournalEntry EntryOf(const char* plan, int number, const char* target)
{
    return {plan, number, OS_NT, NtReplacementNames(target), {{4096, 133536836961234567ull}, "5.1.2600.0"},
            {{1024, 116444736000000000ull}, ""}};
}

std::string Scheduled(const JournalEntry& entry)
{
    const std::optional<std::string> line = ScheduledLine(entry);
    REQUIRE(line);
    return *line;
}
}  // namespace

TEST_CASE("A scheduled line and a told line, byte for byte")
{
    const JournalEntry entry = EntryOf(kPlan, 1, "C:\\ソフト\\A.DLL");
    CHECK(Scheduled(entry) ==
          "2026-03-04 10:22:31.123\t1\tscheduled\tNT\tC:\\ソフト\\A.DLL\tC:\\ソフト\\A.DLL.new\t"
          "C:\\ソフト\\A.DLL.old\t4096\t2024-02-29T12:34:56.1234567Z\t5.1.2600.0\t"
          "1024\t1970-01-01T00:00:00.0000000Z\t\tF53EB092\r\n");
    CHECK(ToldLine(entry, EntryOutcome::kReplaced, "2026-03-05 08:00:01.456") ==
          "2026-03-04 10:22:31.123\t1\treplaced\t2026-03-05 08:00:01.456\t9D44F7F0\r\n");
    CHECK(JournalStamp(LocalTime{2026, 3, 4, 9, 5, 7, 8}) == "2026-03-04 09:05:07.008");
}

TEST_CASE("What is written is read back, and the last told line of an entry counts")
{
    JournalEntry ninex = EntryOf(kPlan, 2, "C:\\WINDOWS\\FOO.DLL");
    ninex.family = OS_9X;
    ninex.names = {"C:\\WINDOWS\\FOO.DLL", "C:\\WINDOWS\\FOO.NEW", "C:\\WINDOWS\\FOO.OLD"};
    const JournalEntry nt = EntryOf(kPlan, 1, "C:\\SYS\\A.DLL");
    const JournalContents contents =
        ParseJournal("; a heading\r\n" + Scheduled(nt) + Scheduled(ninex) +
                     ToldLine(nt, EntryOutcome::kNotCarriedOut, kPlan) + ToldLine(nt, EntryOutcome::kCancelled, kPlan));
    CHECK(contents.skipped == 0);
    REQUIRE(contents.entries.size() == 2);
    const JournalEntry& first = contents.entries[0];
    CHECK((first.plan == kPlan && first.number == 1 && first.family == OS_NT &&
           first.names.staged == "C:\\SYS\\A.DLL.new" && first.told == EntryOutcome::kCancelled));
    CHECK((first.newFile.file.size == 4096 && first.newFile.file.lastWrite == 133536836961234567ull &&
           first.newFile.version == "5.1.2600.0" && first.oldFile.version == ""));
    CHECK((contents.entries[1].family == OS_9X && contents.entries[1].names.backup == "C:\\WINDOWS\\FOO.OLD" &&
           contents.entries[1].told == EntryOutcome::kPending));
}

TEST_CASE("A line that is torn, edited or of another form is skipped and trusts nothing")
{
    const JournalEntry entry = EntryOf(kPlan, 1, "C:\\SYS\\A.DLL");
    const std::string good = Scheduled(entry);
    std::string edited = good;
    edited[good.find("4096")] = '8';
    std::string lowerCrc = good;
    for (size_t i = good.size() - 10; i < good.size() - 2; ++i)
        lowerCrc[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowerCrc[i])));
    const std::string time = "2024-02-29T12:34:56.1234567Z";
    const std::string facts = "4096\t" + time + "\t\t1024\t" + time + "\t";
    const std::string names = "C:\\B\tC:\\B.new\tC:\\B.old\t";
    // Lines with a sound CRC, so that only their form is judged.
    const auto sealed = [](const std::string& fields) { return SealedJournalLine(kPlan + fields); };
    struct Row {
        const char* what;
        std::string line;
    };
    const std::vector<Row> rows = {
        {"torn: no line end", good.substr(0, good.size() - 2)},
        {"torn: cut in the middle", good.substr(0, 40) + "\r\n"},
        {"a byte changed by hand", edited},
        {"the CRC in lower case", lowerCrc},
        {"no CRC at all", "hello world\r\n"},
        {"an empty line", "\r\n"},
        {"garbage bytes", std::string("\x81\x00\xFF\t\t\t\r\n", 8)},
        {"too few fields", sealed("\t3\tscheduled\tNT\t" + names)},
        {"a plan that is no time", SealedJournalLine("yesterday\t3\tscheduled\tNT\t" + names + facts)},
        {"a number with a leading zero", sealed("\t03\tscheduled\tNT\t" + names + facts)},
        {"number zero", sealed("\t0\tscheduled\tNT\t" + names + facts)},
        {"another family", sealed("\t3\tscheduled\tNT4\t" + names + facts)},
        {"an empty name", sealed("\t3\tscheduled\tNT\t\tC:\\B.new\tC:\\B.old\t" + facts)},
        {"a size with a sign", sealed("\t3\tscheduled\tNT\t" + names + "+" + facts)},
        {"the 30th of February", sealed("\t3\tscheduled\tNT\t" + names + "1\t2023-02-30T00:00:00.0000000Z\t\t1\t" + time + "\t")},
        {"a time without its Z", sealed("\t3\tscheduled\tNT\t" + names + "1\t2023-02-28T00:00:00.0000000\t\t1\t" + time + "\t")},
        {"an outcome unknown", sealed("\t1\tvanished\t" + std::string(kPlan))},
        {"a told line without its time", sealed("\t1\treplaced\tlater")},
        {"scheduled as an outcome", sealed("\t1\tscheduled\t" + std::string(kPlan))},
        {"the same entry written twice", good},
    };
    for (const Row& row : rows) {
        INFO(row.what);
        const JournalContents contents = ParseJournal(good + row.line);
        CHECK(contents.skipped == 1);
        REQUIRE(contents.entries.size() == 1);
        CHECK(contents.entries[0].newFile.file.size == 4096);
        CHECK(contents.entries[0].told == EntryOutcome::kPending);
    }
    // The same forms, sound, are trusted; an untrusted line takes nothing after it.
    CHECK(ParseJournal(sealed("\t3\tscheduled\tNT\t" + names + "1\t2023-02-28T00:00:00.0000000Z\t\t1\t" + time +
                              "\t")).entries.size() == 1);
    const JournalContents after = ParseJournal("garbage\r\n" + good);
    CHECK((after.skipped == 1 && after.entries.size() == 1));
}

TEST_CASE("File times read back only from the very text written for them")
{
    CHECK(FileTimeText(0) == "1601-01-01T00:00:00.0000000Z");
    CHECK(FileTimeText(116444736000000000ull) == "1970-01-01T00:00:00.0000000Z");
    CHECK(FileTimeText(133536836961234567ull) == "2024-02-29T12:34:56.1234567Z");
    for (unsigned long long ticks : {0ull, 1ull, 116444736000000000ull, 133536836961234567ull,
                                     0x7FFFFFFFFFFFFFFFull, ~0ull}) {
        unsigned long long read = 0;
        CHECK(ParseFileTimeText(static_cast<const char*>(FileTimeText(ticks)), read));
        CHECK(read == ticks);
    }
    unsigned long long ignored = 0;
    for (const char* text : {"2023-02-29T00:00:00.0000000Z", "2024-13-01T00:00:00.0000000Z",
                             "2024-02-29T24:00:00.0000000Z", "2024-02-29T12:34:56.123456Z",
                             "2024-02-29T12:34:56.1234567Z ", "1600-12-31T23:59:59.9999999Z",
                             "2024-2-29T12:34:56.1234567Z", ""})
        CHECK_FALSE(ParseFileTimeText(text, ignored));
}

TEST_CASE("One content's write times: equal, or an hour apart as FAT shows them across daylight saving")
{
    const unsigned long long hour = 36000000000ull;
    CHECK((SameWriteTime(5 * hour, 5 * hour) && SameWriteTime(5 * hour, 6 * hour) &&
           SameWriteTime(6 * hour, 5 * hour)));
    CHECK_FALSE((SameWriteTime(5 * hour, 7 * hour) || SameWriteTime(5 * hour, 5 * hour + 1)));
}

TEST_CASE("Version texts and names: a control character cannot stand in a line")
{
    CHECK(JournalVersionText("1.0\t(beta)\r\n") == "1.0 (beta)  ");
    JournalEntry entry = EntryOf(kPlan, 1, "C:\\SYS\\A.DLL");
    entry.newFile.version = "1.0\tbeta";
    const JournalContents contents = ParseJournal(Scheduled(entry));
    REQUIRE(contents.entries.size() == 1);
    CHECK(contents.entries[0].newFile.version == "1.0 beta");
    entry.names.target = "C:\\SYS\\A\tB.DLL";
    CHECK_FALSE(ScheduledLine(entry));
}

TEST_CASE("TrimmedJournal keeps the newest plans that fit, each with its told lines")
{
    const JournalEntry a1 = EntryOf("2026-01-01 00:00:00.000", 1, "C:\\A1.DLL");
    const JournalEntry a2 = EntryOf("2026-01-01 00:00:00.000", 2, "C:\\A2.DLL");
    const JournalEntry b1 = EntryOf("2026-02-01 00:00:00.000", 1, "C:\\B1.DLL");
    const JournalEntry c1 = EntryOf("2026-03-01 00:00:00.000", 1, "C:\\C1.DLL");
    const std::string toldA = ToldLine(a1, EntryOutcome::kReplaced, kPlan);
    const std::string toldB = ToldLine(b1, EntryOutcome::kChanged, kPlan);
    const std::string bytes = Scheduled(a1) + Scheduled(a2) + Scheduled(b1) + toldA + "torn" +
                              "\r\n" + Scheduled(c1) + toldB;
    const unsigned long bAndC = static_cast<unsigned long>(
        Scheduled(b1).size() + toldB.size() + Scheduled(c1).size());
    CHECK(TrimmedJournal(bytes, bAndC) == Scheduled(b1) + Scheduled(c1) + toldB);
    CHECK(TrimmedJournal(bytes, bAndC - 1) == Scheduled(c1));
    CHECK(TrimmedJournal(bytes, 0).empty());
}

TEST_CASE("Appending: a heading for a new file, a line end after a torn line, the oldest plans dropped past the limit")
{
    FakeJournalStore store;
    const std::string line = Scheduled(EntryOf(kPlan, 1, "C:\\SYS\\A.DLL"));
    CHECK(AppendToJournal(store, line));
    CHECK(store.bytes.rfind("; Tessera", 0) == 0);
    store.bytes += "torn";
    CHECK(AppendToJournal(store, ToldLine(EntryOf(kPlan, 1, "C:\\SYS\\A.DLL"), EntryOutcome::kReplaced, kPlan)));
    CHECK(ParseJournal(store.bytes).entries[0].told == EntryOutcome::kReplaced);
    store.bytes.append(kJournalLimit, 'x');
    CHECK(AppendToJournal(store, Scheduled(EntryOf("2026-05-05 00:00:00.000", 1, "C:\\B.DLL"))));
    CHECK(store.replaced == 1);
    CHECK(store.bytes.size() <= kJournalLimit / 4 * 3);
    CHECK(ParseJournal(store.bytes).entries.size() == 2);
    store.writable = false;
    CHECK_FALSE(AppendToJournal(store, line));
    store.readable = false;
    CHECK_FALSE(AppendToJournal(store, line));
}
