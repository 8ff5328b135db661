#include "schedule/restart_journal.h"

#include "framework/path_text.h"

#include <cstdint>
#include <string_view>

namespace {
const char kHeading[] =
    "; Tessera: the replacements it scheduled, and what became of them at the restart.\r\n"
    "; Written by Tessera; see its help. A line that is changed is no longer read.\r\n";
const char kScheduled[] = "scheduled";
// The fields of each kind of line, its CRC not counted.
const size_t kScheduledFields = 13;
const size_t kToldFields = 4;

// The outcome words, by EntryOutcome; kPending has none.
const char* const kOutcomeWords[] = {"",
                                     "replaced",
                                     "not carried out",
                                     "target missing",
                                     "changed since",
                                     "put back",
                                     "cancelled"};

const unsigned long long kTicksPerSecond = 10000000;
const unsigned long long kSecondsPerDay = 86400;
// From 1601-01-01, where a FILETIME counts from, to 1970-01-01.
const long kDaysFrom1601To1970 = 134774;

// A byte at a time through a table made at the first call: every start reads
// the whole journal.
uint32_t Crc32(const char* bytes, size_t length)
{
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> entries(256);
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

// The fields of a line before its CRC, which must match.
struct Fields {
    std::string_view at[kScheduledFields];
    size_t count = 0;
};

// False unless line (without its line end) ends in a tab and the CRC of what
// precedes it, in upper-case hex, with at most kScheduledFields fields before.
bool TrustedFields(std::string_view line, Fields& fields)
{
    const size_t lastTab = line.rfind('\t');
    if (lastTab == std::string_view::npos || line.size() - lastTab - 1 != 8)
        return false;
    uint32_t written = 0;
    for (const char c : line.substr(lastTab + 1)) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return false;
        written = written << 4 | static_cast<uint32_t>(digit);
    }
    if (written != Crc32(line.data(), lastTab))
        return false;
    for (std::string_view rest = line.substr(0, lastTab);;) {
        if (fields.count == kScheduledFields)
            return false;
        const size_t tab = rest.find('\t');
        fields.at[fields.count++] = rest.substr(0, tab);
        if (tab == std::string_view::npos)
            return true;
        rest.remove_prefix(tab + 1);
    }
}

}  // namespace

std::string SealedJournalLine(const std::string& fields)
{
    std::string line = fields;
    const uint32_t crc = Crc32(line.data(), line.size());
    line += '\t';
    for (int shift = 28; shift >= 0; shift -= 4)
        line += "0123456789ABCDEF"[crc >> shift & 0xF];
    return line + "\r\n";
}

namespace {

// The numbers of text, read where form has a '0' (a digit each); its other
// characters must stand as they are, and each ends a number. False for any
// other text.
bool ReadForm(std::string_view text, std::string_view form, unsigned long* numbers)
{
    if (text.size() != form.size())
        return false;
    size_t number = 0;
    numbers[0] = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (form[i] != '0') {
            if (text[i] != form[i])
                return false;
            numbers[++number] = 0;
        } else if (text[i] < '0' || text[i] > '9') {
            return false;
        } else {
            numbers[number] = numbers[number] * 10 + static_cast<unsigned long>(text[i] - '0');
        }
    }
    return true;
}

// "YYYY-MM-DD hh:mm:ss.mmm", digits where digits stand.
bool IsStamp(std::string_view text)
{
    unsigned long numbers[7];
    return ReadForm(text, "0000-00-00 00:00:00.000", numbers);
}

// A decimal number written as the journal writes it: no sign, no leading zero.
bool ParseNumber(std::string_view text, unsigned long long& number)
{
    if (text.empty() || (text.size() > 1 && text[0] == '0'))
        return false;
    number = 0;
    for (const char c : text) {
        const unsigned long long digit = static_cast<unsigned long long>(c - '0');
        if (c < '0' || c > '9' || number > (~0ull - digit) / 10)
            return false;
        number = number * 10 + digit;
    }
    return true;
}

// Written digit by digit: the msvcrt of the oldest releases knows no %llu.
std::string NumberText(unsigned long long number)
{
    char digits[20];
    size_t at = sizeof digits;
    do {
        digits[--at] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    return std::string(digits + at, sizeof digits - at);
}

// The fields of a line, joined by tabs as they are added.
class LineText {
public:
    LineText& operator<<(std::string_view field)
    {
        if (m_fields++ != 0)
            m_text += '\t';
        m_text += field;
        return *this;
    }
    LineText& operator<<(const char* field) { return *this << std::string_view(field); }
    LineText& operator<<(unsigned long long number) { return *this << NumberText(number); }
    LineText& operator<<(const JournalFacts& facts)
    {
        return *this << facts.file.size << FileTimeText(facts.file.lastWrite)
                     << JournalVersionText(facts.version);
    }
    std::string Sealed() const { return SealedJournalLine(m_text); }

private:
    std::string m_text;
    int m_fields = 0;
};

bool ParseFacts(const Fields& fields, size_t first, JournalFacts& facts)
{
    facts.version = std::string(fields.at[first + 2]).c_str();
    return ParseNumber(fields.at[first], facts.file.size) &&
           ParseFileTimeText(fields.at[first + 1], facts.file.lastWrite) &&
           JournalVersionText(facts.version) == facts.version;
}

CString TextOf(std::string_view field)
{
    return CString(field.data(), static_cast<int>(field.size()));
}

bool ParseScheduled(const Fields& fields, JournalEntry& entry)
{
    if (fields.at[3] == "NT")
        entry.family = OS_NT;
    else if (fields.at[3] == "9x")
        entry.family = OS_9X;
    else
        return false;
    entry.names = ReplacementNames{TextOf(fields.at[4]), TextOf(fields.at[5]), TextOf(fields.at[6])};
    return !entry.names.target.IsEmpty() && !entry.names.staged.IsEmpty() &&
           !entry.names.backup.IsEmpty() && ParseFacts(fields, 7, entry.newFile) &&
           ParseFacts(fields, 10, entry.oldFile);
}

std::optional<EntryOutcome> OutcomeOfWord(std::string_view word)
{
    for (size_t i = 1; i < sizeof kOutcomeWords / sizeof kOutcomeWords[0]; ++i) {
        if (word == kOutcomeWords[i])
            return static_cast<EntryOutcome>(i);
    }
    return std::nullopt;
}

// A line as the reader takes it: the heading, a line not trusted, an entry
// scheduled, or what became of one. The plan and number name its entry.
struct ReadLine {
    enum Kind { kHeading, kUntrusted, kScheduled, kTold } kind = kUntrusted;
    std::string_view bytes;  // with its line end
    std::string_view plan;
    int number = 0;
};

struct Lines {
    std::vector<ReadLine> read;
    std::vector<JournalEntry> entries;  // of the scheduled lines, in their order

    // The entry plan and number name, when a line has scheduled it.
    JournalEntry* Find(std::string_view plan, int number)
    {
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            if (entry->number == number && std::string_view(entry->plan) == plan)
                return &*entry;
        }
        return nullptr;
    }
};

// Judges a trusted line's fields: the form of a scheduled or a told line, of
// an entry that is scheduled (by an earlier line for a told one, by none for
// a scheduled one).
void Judge(const Fields& fields, ReadLine& line, Lines& lines)
{
    unsigned long long number = 0;
    if ((fields.count != kScheduledFields && fields.count != kToldFields) ||
        !IsStamp(fields.at[0]) || !ParseNumber(fields.at[1], number) || number == 0 ||
        number > 1000000)
        return;
    line.plan = fields.at[0];
    line.number = static_cast<int>(number);
    JournalEntry* scheduled = lines.Find(line.plan, line.number);
    if (fields.count == kScheduledFields && fields.at[2] == kScheduled && !scheduled) {
        JournalEntry entry;
        entry.plan = TextOf(line.plan);
        entry.number = line.number;
        if (ParseScheduled(fields, entry)) {
            line.kind = ReadLine::kScheduled;
            lines.entries.push_back(entry);
        }
    } else if (fields.count == kToldFields && IsStamp(fields.at[3])) {
        if (const std::optional<EntryOutcome> outcome = OutcomeOfWord(fields.at[2])) {
            line.kind = ReadLine::kTold;
            // A told line of an entry dropped with its plan tells of nothing.
            if (scheduled)
                scheduled->told = *outcome;
        }
    }
}

// Every line of bytes, judged; a last line without its line end was torn in
// writing. An entry scheduled a second time is not trusted the second time.
Lines ReadLines(std::string_view bytes)
{
    Lines lines;
    while (!bytes.empty()) {
        const size_t newline = bytes.find('\n');
        ReadLine line;
        line.bytes = bytes.substr(0, newline == std::string_view::npos ? bytes.size() : newline + 1);
        bytes.remove_prefix(line.bytes.size());
        if (line.bytes[0] == ';') {
            line.kind = ReadLine::kHeading;
        } else if (newline != std::string_view::npos) {
            std::string_view text = line.bytes.substr(0, newline);
            if (!text.empty() && text.back() == '\r')
                text.remove_suffix(1);
            Fields fields;
            if (TrustedFields(text, fields))
                Judge(fields, line, lines);
        }
        lines.read.push_back(line);
    }
    return lines;
}

bool HasControlCharacter(const char* text)
{
    for (; *text != '\0'; ++text) {
        if (static_cast<unsigned char>(*text) < 0x20)
            return true;
    }
    return false;
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar, and back.
long DaysFromCivil(long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long>(dayOfEra) - 719468;
}

void CivilFromDays(long days, long& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    year = static_cast<long>(yearOfEra) + era * 400 + (month <= 2);
}
}  // namespace

CString FileTimeText(unsigned long long ticks)
{
    const unsigned long long seconds = ticks / kTicksPerSecond;
    const unsigned long long ofDay = seconds % kSecondsPerDay;
    long year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(static_cast<long>(seconds / kSecondsPerDay) - kDaysFrom1601To1970, year, month,
                  day);
    CString text;
    text.Format("%04d-%02d-%02dT%02d:%02d:%02d.%07dZ", static_cast<int>(year), month, day,
                static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
                static_cast<int>(ofDay % 60), static_cast<int>(ticks % kTicksPerSecond));
    return text;
}

// Read by its form, then by its fields.
bool ParseFileTimeText(std::string_view text, unsigned long long& ticks)
{
    // Year, month, day, hour, minute, second, fraction; a year may have five
    // digits.
    unsigned long n[8];
    if (!ReadForm(text, "0000-00-00T00:00:00.0000000Z", n) &&
        !ReadForm(text, "00000-00-00T00:00:00.0000000Z", n))
        return false;
    const unsigned long year = n[0], month = n[1], day = n[2], hour = n[3], minute = n[4],
                        second = n[5], fraction = n[6];
    // Only the very text the journal writes for a time reads as that time: a
    // date that exists, a year of five digits only past 9999, and a time that a
    // FILETIME can hold.
    if (year < 1601 || (text.size() == 29) != (year > 9999) || month < 1 || month > 12)
        return false;
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const unsigned char kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const unsigned long daysInMonth = kDays[month - 1] + (month == 2 && leap);
    if (day < 1 || day > daysInMonth || hour > 23 || minute > 59 || second > 59)
        return false;
    const long days = DaysFromCivil(static_cast<long>(year), static_cast<unsigned>(month),
                                    static_cast<unsigned>(day)) +
                      kDaysFrom1601To1970;
    const unsigned long long seconds = static_cast<unsigned long long>(days) * kSecondsPerDay +
                                       hour * 3600 + minute * 60 + second;
    if (seconds > (~0ull - fraction) / kTicksPerSecond)
        return false;
    ticks = seconds * kTicksPerSecond + fraction;
    return true;
}

bool SameWriteTime(unsigned long long a, unsigned long long b)
{
    const unsigned long long hour = 3600 * kTicksPerSecond;
    return a == b || (a > b ? a - b : b - a) == hour;
}

bool SameFacts(const FileFacts& now, const FileFacts& journaled)
{
    return now.size == journaled.size && SameWriteTime(now.lastWrite, journaled.lastWrite);
}

CString JournalStamp(const LocalTime& time)
{
    CString stamp;
    stamp.Format("%04d-%02d-%02d %02d:%02d:%02d.%03d", time.year, time.month, time.day, time.hour,
                 time.minute, time.second, time.milliseconds);
    return stamp;
}

// No trail byte of a double-byte character is below 0x40, so the bytes below
// 0x20 are characters of their own.
CString JournalVersionText(const char* version)
{
    std::string text = version;
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    }
    return text.c_str();
}

std::optional<std::string> ScheduledLine(const JournalEntry& entry)
{
    const ReplacementNames& names = entry.names;
    for (const CString* name : {&names.target, &names.staged, &names.backup}) {
        if (name->IsEmpty() || HasControlCharacter(*name))
            return std::nullopt;
    }
    return (LineText() << entry.plan << static_cast<unsigned long long>(entry.number) << kScheduled
                       << (entry.family == OS_9X ? "9x" : "NT") << names.target << names.staged
                       << names.backup << entry.newFile << entry.oldFile)
        .Sealed();
}

std::string ToldLine(const JournalEntry& entry, EntryOutcome outcome, const CString& when)
{
    return (LineText() << entry.plan << static_cast<unsigned long long>(entry.number)
                       << kOutcomeWords[static_cast<int>(outcome)] << when)
        .Sealed();
}

JournalContents ParseJournal(const std::string& bytes)
{
    Lines lines = ReadLines(bytes);
    JournalContents contents;
    for (const ReadLine& line : lines.read)
        contents.skipped += line.kind == ReadLine::kUntrusted;
    contents.entries = std::move(lines.entries);
    return contents;
}

std::string TrimmedJournal(const std::string& bytes, unsigned long budget)
{
    const Lines lines = ReadLines(bytes);
    // Each plan's bytes, the plans in the order their first entry was written.
    struct Plan {
        std::string_view stamp;
        unsigned long bytes;
        bool kept;
    };
    std::vector<Plan> plans;
    const auto planOf = [&plans](std::string_view stamp) -> Plan* {
        for (auto plan = plans.rbegin(); plan != plans.rend(); ++plan) {
            if (plan->stamp == stamp)
                return &*plan;
        }
        return nullptr;
    };
    for (const ReadLine& line : lines.read) {
        if (line.kind == ReadLine::kScheduled && !planOf(line.plan))
            plans.push_back({line.plan, 0, false});
    }
    // A told line counts with its plan wherever it stands.
    for (const ReadLine& line : lines.read) {
        Plan* plan = line.kind == ReadLine::kScheduled || line.kind == ReadLine::kTold
                         ? planOf(line.plan)
                         : nullptr;
        if (plan)
            plan->bytes += static_cast<unsigned long>(line.bytes.size());
    }
    unsigned long total = 0;
    for (auto plan = plans.rbegin(); plan != plans.rend() && total + plan->bytes <= budget; ++plan) {
        total += plan->bytes;
        plan->kept = true;
    }
    std::string trimmed;
    for (const ReadLine& line : lines.read) {
        const Plan* plan = line.kind == ReadLine::kScheduled || line.kind == ReadLine::kTold
                               ? planOf(line.plan)
                               : nullptr;
        if (plan && plan->kept)
            trimmed += line.bytes;
    }
    return trimmed;
}

bool AppendToJournal(JournalStore& store, const std::string& lines)
{
    unsigned long size = 0;
    if (!store.Size(size))
        return false;
    // A last line torn in writing would swallow the first line added.
    std::string before = size == 0 ? kHeading : "";
    std::string last;
    if (size != 0 && store.Read(1, last) && last != "\n")
        before = "\r\n";
    if (size + before.size() + lines.size() <= kJournalLimit)
        return store.Append(before + lines);
    std::string bytes;
    if (!store.Read(kJournalReadLimit, bytes))
        return false;
    const unsigned long budget = kJournalLimit / 4 * 3;
    const unsigned long needed = static_cast<unsigned long>(sizeof kHeading - 1 + lines.size());
    const unsigned long room = needed < budget ? budget - needed : 0;
    return store.Replace(kHeading + TrimmedJournal(bytes, room) + lines);
}

std::string NameAsQueued(const char* name)
{
    const PathPrefix prefix = PathPrefix::Read(name);
    if (prefix.kind != PathPrefix::kVerbatim && prefix.kind != PathPrefix::kDevice)
        return name;
    return (prefix.unc ? "\\\\" : "") + std::string(name + prefix.length);
}

void JournalCancelled(const JournalAccess& journal, const char* target, const char* staged)
{
    std::string bytes;
    if (!journal.store.Read(kJournalReadLimit, bytes))
        return;
    const JournalContents contents = ParseJournal(bytes);
    for (auto entry = contents.entries.rbegin(); entry != contents.entries.rend(); ++entry) {
        if (entry->told == EntryOutcome::kPending &&
            NameAsQueued(entry->names.target) == NameAsQueued(target) &&
            NameAsQueued(entry->names.staged) == NameAsQueued(staged)) {
            AppendToJournal(journal.store,
                            ToldLine(*entry, EntryOutcome::kCancelled,
                                     JournalStamp(journal.clock.Now())));
            return;
        }
    }
}
