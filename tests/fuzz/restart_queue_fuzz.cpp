// Properties of the restart queue's parsers, its record removal, the
// reading of paths into root and names, and the journal's reader and trimming
// that hold for any input. A failed property aborts, which libFuzzer and the
// corpus replay both report as a crash.
//
// Input: byte 0 says what is fuzzed, byte 1 which records are removed, the
// rest is the text (for paths, byte 1 is not used).
//   byte 0, bits 0-1: 0 an NT queue (UTF-16LE), 1 wininit.ini, 2 two paths
//     separated by a NUL byte, 3 the journal (byte 1 then picks the byte of a
//     line that is changed and the budget it is trimmed to);
//   bits 2-3: 0 a valid list of records to remove, 1 one named twice,
//     2 with -1, 3 with one past the last;
//   bit 4: the list in descending order.
//   byte 1: record i is removed when bit i % 8 is set.
#include "framework/path_text.h"
#include "schedule/restart_journal.h"
#include "schedule/restart_queue.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_wide_to_ansi.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "Property violated: %s\n", property);
        std::abort();
    }
}

const std::string kNtPrefix = "\\??\\";

// Code page 932 for the two characters whose second byte is 0x5C that the
// seeds use (ソ, 表); any other beyond ASCII makes the text inexact.
const WideToAnsi& Converter()
{
    static const FakeWideToAnsi converter = [] {
        FakeWideToAnsi table;
        table.characters[u'ソ'] = "\x83\x5C";
        table.characters[u'表'] = "\x95\x5C";
        return table;
    }();
    return converter;
}

struct QueueFormat {
    RestartQueue (*parse)(const std::string& raw);
    // What makes the bytes of one record a queue of that record alone.
    std::string before;
    std::string after;
    // What the format itself says about where records lie and what they hold.
    void (*checkRecords)(const RestartQueue& queue);
};

// The UTF-16 string that starts at byte offset of raw.
std::u16string NtString(const std::string& raw, size_t offset)
{
    std::u16string text;
    for (size_t at = offset; at + 1 < raw.size() && (raw[at] != 0 || raw[at + 1] != 0); at += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(raw[at]) |
                                      static_cast<unsigned char>(raw[at + 1]) << 8);
    return text;
}

// The string unit for unit, ASCII as it is and any other unit as 0x80, so that
// prefixes are matched on the units themselves, not on what they convert to.
std::string AsciiSkeleton(const std::u16string& text)
{
    std::string skeleton;
    for (char16_t unit : text)
        skeleton += unit < 0x80 ? static_cast<char>(unit) : '\x80';
    return skeleton;
}

// Whether the text from unit at on is the one parsed; after \??\UNC, the
// parsed text begins with a second backslash (\\server\share).
bool IsTextFrom(const std::u16string& text, size_t at, bool share, const CString& parsed)
{
    CString ansi;
    Converter().Convert(text.substr(at), ansi);
    return (share ? "\\" + ansi : ansi) == parsed;
}

// The records lie end to end from the first byte, and after them come only
// the list's NUL and NULs that pad it: nothing is passed over unread. The
// texts are the strings less their prefixes (*N, then \??\; in the
// destination a '!' before or after the *N; \??\UNC read as \\), and the '!'
// makes a rename replacing.
// The length of a "*N" at text[at] (0 where none stands).
size_t CountPrefix(const std::string& text, size_t at)
{
    size_t end = at < text.size() && text[at] == '*' ? at + 1 : at;
    while (end > at && end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    return end > at + 1 ? end - at : 0;
}

// The length of a "\??\" at text[at], with "UNC" when a backslash follows
// it (then unc is set); 0 where none stands.
size_t DevicePrefix(const std::string& text, size_t at, bool& unc)
{
    unc = false;
    if (text.compare(at, 4, "\\??\\") != 0)
        return 0;
    unc = text.size() > at + 7 && FoldAscii(text.substr(at + 4, 3)) == "UNC" &&
          text[at + 7] == '\\';
    return unc ? 7 : 4;
}

// Read by hand rather than by a regular expression, whose matcher recurses
// once for each character and overflows the stack on a long string.
void CheckNtRecords(const RestartQueue& queue)
{
    size_t end = 0;
    for (const QueuedOperation& operation : queue.operations) {
        Require(operation.offset == end, "NT records lie end to end from the first byte");
        end += operation.length;
        const std::u16string from = NtString(queue.raw, operation.offset);
        const std::u16string to = NtString(queue.raw, operation.offset + 2 * from.size() + 2);
        const std::string fromSkeleton = AsciiSkeleton(from);
        const std::string toSkeleton = AsciiSkeleton(to);
        bool unc = false;
        size_t at = CountPrefix(fromSkeleton, 0);
        at += DevicePrefix(fromSkeleton, at, unc);
        Require(IsTextFrom(from, at, unc, operation.from),
                "an NT source's text is its string less its prefixes");
        at = CountPrefix(toSkeleton, 0);
        const bool replacing = at < toSkeleton.size() && toSkeleton[at] == '!';
        if (replacing)
            at += 1 + CountPrefix(toSkeleton, at + 1);
        at += DevicePrefix(toSkeleton, at, unc);
        Require(IsTextFrom(to, at, unc, operation.to),
                "an NT destination's text is its string less its prefixes");
        const QueuedKind kind = at == toSkeleton.size() ? QueuedKind::kDelete
                                : replacing             ? QueuedKind::kRenameReplacing
                                                        : QueuedKind::kRename;
        Require(kind == operation.kind, "an NT record without a destination deletes, '!' replaces");
    }
    if (!queue.WasRead() || queue.raw.empty())
        return;
    const std::string rest = queue.raw.substr(end);
    Require(rest.size() >= 2 && rest.size() % 2 == 0 &&
                rest.find_first_not_of('\0') == std::string::npos,
            "only the list's NUL and padding NULs follow the NT records");
}

// Blanks around a wininit.ini field, and the line end, are not part of it.
std::string Trimmed(const std::string& text)
{
    const char* const kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(kBlanks) + 1 - first);
}

// Each record is one whole line, destination=source, and a record only in
// [rename].
void CheckWininitRecords(const RestartQueue& queue)
{
    for (const QueuedOperation& operation : queue.operations) {
        const std::string line = queue.raw.substr(operation.offset, operation.length);
        const size_t newline = line.find('\n');
        Require(operation.offset == 0 || queue.raw[operation.offset - 1] == '\n',
                "a wininit record starts a line");
        Require(newline == std::string::npos
                    ? operation.offset + operation.length == queue.raw.size()
                    : newline + 1 == line.size(),
                "a wininit record ends with its line");
        Require(operation.kind != QueuedKind::kRename, "a wininit record replaces or deletes");
        const size_t equals = line.find('=');
        Require(equals != std::string::npos, "a wininit record has its '='");
        const std::string destination = Trimmed(line.substr(0, equals));
        std::string folded = destination;
        for (char& c : folded)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const bool deletes = folded == "NUL";
        Require(deletes == (operation.kind == QueuedKind::kDelete) &&
                    (deletes || operation.to == destination.c_str()),
                "a wininit destination stands before the first '=', NUL deletes");
        Require(operation.from == Trimmed(line.substr(equals + 1)).c_str(),
                "a wininit source stands after the first '='");
        Require(ParseWininitQueue("[Other]\n" + line).result == QueueResult::kEmpty,
                "a line outside [rename] is no record");
    }
}

const QueueFormat kNt = {[](const std::string& raw) { return ParseNtQueue(raw, Converter()); },
                         "", std::string(2, '\0'), CheckNtRecords};
const QueueFormat kWininit = {ParseWininitQueue, "[rename]\n", "", CheckWininitRecords};

bool SameOperation(const QueuedOperation& a, const QueuedOperation& b)
{
    return a.kind == b.kind && a.from == b.from && a.to == b.to && a.exactText == b.exactText;
}

std::string RecordBytes(const RestartQueue& queue, const QueuedOperation& operation)
{
    return queue.raw.substr(operation.offset, operation.length);
}

void CheckRemoval(const RestartQueue& queue, const QueueFormat& format, uint8_t control,
                  uint8_t selection)
{
    std::vector<int> records;
    std::vector<QueuedOperation> kept;
    std::vector<bool> keepByte(queue.raw.size(), true);
    for (size_t i = 0; i < queue.operations.size(); ++i) {
        const QueuedOperation& operation = queue.operations[i];
        if ((selection >> (i % 8) & 1) == 0) {
            kept.push_back(operation);
            continue;
        }
        records.push_back(static_cast<int>(i));
        std::fill_n(keepByte.begin() + static_cast<long>(operation.offset), operation.length,
                    false);
    }
    if (control & 0x10)
        std::reverse(records.begin(), records.end());
    const std::string untouched = "untouched";
    std::string rewritten = untouched;

    if (!queue.WasRead()) {
        Require(RemoveRecords(queue, records, rewritten) == queue.result && rewritten == untouched,
                "a queue that was not read refuses removals and leaves the output alone");
        return;
    }
    switch (control >> 2 & 3) {
    case 1:
        if (records.empty())
            records.push_back(0);
        records.push_back(records.front());
        break;
    case 2: records.push_back(-1); break;
    case 3: records.push_back(static_cast<int>(queue.operations.size())); break;
    default: break;
    }
    if ((control >> 2 & 3) != 0) {
        Require(RemoveRecords(queue, records, rewritten) == QueueResult::kNoSuchRecord &&
                    rewritten == untouched,
                "an invalid list of records gives kNoSuchRecord and leaves the output alone");
        return;
    }

    Require(RemoveRecords(queue, records, rewritten) == QueueResult::kOk, "a valid removal is done");
    std::string expected;
    for (size_t at = 0; at < queue.raw.size(); ++at) {
        if (keepByte[at])
            expected += queue.raw[at];
    }
    Require(rewritten == expected, "removal cuts out exactly the records' bytes, keeps the rest");

    const RestartQueue again = format.parse(rewritten);
    Require(again.result == (kept.empty() ? QueueResult::kEmpty : QueueResult::kOk) &&
                again.operations.size() == kept.size(),
            "the rewritten queue holds the records not removed");
    for (size_t i = 0; i < kept.size(); ++i) {
        Require(SameOperation(again.operations[i], kept[i]) &&
                    RecordBytes(again, again.operations[i]) == RecordBytes(queue, kept[i]),
                "the records not removed keep their order, meaning and bytes");
    }
}

void CheckQueue(const std::string& raw, const QueueFormat& format, uint8_t control,
                uint8_t selection)
{
    const RestartQueue queue = format.parse(raw);
    Require(queue.raw == raw, "the queue keeps the bytes it parsed");
    Require(queue.result == QueueResult::kOk || queue.result == QueueResult::kEmpty ||
                queue.result == QueueResult::kMalformed || queue.result == QueueResult::kTooLarge,
            "a parse gives kOk, kEmpty, kMalformed or kTooLarge");
    Require((queue.result == QueueResult::kTooLarge) == (raw.size() > kMaxQueueBytes),
            "kTooLarge exactly for more than kMaxQueueBytes");
    Require((queue.result == QueueResult::kOk) == !queue.operations.empty(),
            "operations exactly when the result is kOk");

    size_t end = 0;
    for (const QueuedOperation& operation : queue.operations) {
        Require(operation.length > 0 && operation.offset >= end &&
                    operation.offset + operation.length <= raw.size(),
                "records lie in the bytes, in order, apart");
        end = operation.offset + operation.length;
        Require((operation.kind == QueuedKind::kDelete) == operation.to.IsEmpty(),
                "a deletion, and only a deletion, has no destination");

        const std::string alone = format.before + RecordBytes(queue, operation) + format.after;
        const RestartQueue single = format.parse(alone);
        Require(single.result == QueueResult::kOk && single.operations.size() == 1 &&
                    SameOperation(single.operations[0], operation) &&
                    single.operations[0].offset == format.before.size() &&
                    single.operations[0].length == operation.length,
                "a record parsed alone is the same operation");
    }
    format.checkRecords(queue);
    CheckRemoval(queue, format, control, selection);
}

bool SameSteps(const PathSteps& a, const PathSteps& b)
{
    if (a.root != b.root || a.names.size() != b.names.size())
        return false;
    for (size_t i = 0; i < a.names.size(); ++i) {
        if (a.names[i] != b.names[i])
            return false;
    }
    return true;
}

// A path read as root and names: the names are whole, with no separator and
// none empty; the root is the path's own beginning and ends in a backslash;
// the root alone, and the path put back together, read the same; a prefix
// \\?\ before a drive adds nothing but itself to the root. A path that
// cannot be read has neither root nor names, and does not begin with a drive.
void CheckSteps(const std::string& path, const CodePage& codePage)
{
    const PathSteps steps = PathSteps::Split(path.c_str(), codePage);
    if (!steps.Readable()) {
        const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && path[2] == '\\';
        Require(steps.names.empty() && !steps.share && !drive,
                "a path that cannot be read has no names and no drive");
        return;
    }
    for (const CString& name : steps.names) {
        Require(!name.IsEmpty() && FindFirstBackslash(name, codePage) < 0,
                "a name is whole, without a backslash");
    }
    const std::string root(steps.root);
    Require(root.back() == '\\' && path.compare(0, root.size() - 1, root, 0, root.size() - 1) == 0,
            "the root is the path's beginning, ending in a backslash");
    Require(SameSteps(PathSteps::Split(root.c_str(), codePage), PathSteps{steps.root, {}}),
            "the root alone reads the same");
    const CString whole = steps.Leading(steps.names.size());
    Require(SameSteps(PathSteps::Split(whole, codePage), steps), "the path put together reads the same");
    if (root.size() == 3 && !steps.Drive().IsEmpty()) {
        const PathSteps verbatim = PathSteps::Split(("\\\\?\\" + path).c_str(), codePage);
        Require(verbatim.root == CString("\\\\?\\") + steps.root &&
                    SameSteps(PathSteps{steps.root, verbatim.names}, steps),
                "\\\\?\\ before a drive is part of the root only");
    }
}

void CheckPaths(const std::string& text)
{
    const FakeCodePage932 codePage;
    const std::string a = text.c_str();
    CheckSteps(a, codePage);
    if (text.size() > a.size())
        CheckSteps(text.c_str() + a.size() + 1, codePage);
}
std::string Written(JournalEntry entry)
{
    const EntryOutcome told = entry.told;
    entry.told = EntryOutcome::kPending;
    const std::optional<std::string> line = ScheduledLine(entry);
    Require(line.has_value(), "an entry read can be written");
    return told == EntryOutcome::kPending ? *line : *line + ToldLine(entry, told, entry.plan);
}

// The journal's reader trusts only what its writer writes: an entry read is
// written again to lines that read back as it, a line with any one byte
// changed reads as nothing, and trimming keeps whole plans of trusted lines,
// each entry as it was, within the budget.
void CheckJournal(const std::string& bytes, uint8_t selection)
{
    const JournalContents contents = ParseJournal(bytes);
    std::string all;
    for (const JournalEntry& entry : contents.entries) {
        const std::string lines = Written(entry);
        all += lines;
        Require(Written(ParseJournal(lines).entries.at(0)) == lines, "an entry written again reads back as itself");
        std::string line = lines.substr(0, lines.find('\n') + 1);
        line[selection % line.size()] ^= static_cast<char>(1 + selection % 127);
        Require(ParseJournal(line).entries.empty(), "a line with one byte changed is not trusted");
    }
    const unsigned long budget = static_cast<unsigned long>(bytes.size() * (selection + 1) / 256);
    const std::string trimmed = TrimmedJournal(bytes, budget);
    const JournalContents kept = ParseJournal(trimmed);
    Require(trimmed.size() <= budget && kept.skipped == 0, "trimming keeps trusted lines within the budget");
    for (const JournalEntry& entry : kept.entries) {
        const auto samePlan = [&](const JournalEntry& other) { return other.plan == entry.plan; };
        Require(all.find(Written(entry)) != std::string::npos &&
                    std::count_if(kept.entries.begin(), kept.entries.end(), samePlan) ==
                        std::count_if(contents.entries.begin(), contents.entries.end(), samePlan),
                "trimming keeps whole plans, each entry as it was");
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
    switch (data[0] & 3) {
    case 0: CheckQueue(text, kNt, data[0], data[1]); break;
    case 1: CheckQueue(text, kWininit, data[0], data[1]); break;
    case 2: CheckPaths(text); break;
    default: CheckJournal(text, data[1]); break;
    }
    return 0;
}
