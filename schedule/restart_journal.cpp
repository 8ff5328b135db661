#include "schedule/restart_journal.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>

namespace {
const char kHeading[] =
    "; Tessera: the replacements it scheduled, and what became of them at the restart.\r\n"
    "; Written by Tessera; see its help. A line that is changed is no longer read.\r\n";
const char kScheduled[] = "scheduled";
const int kScheduledFields = 14;
const int kToldFields = 5;

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
const long long kDaysFrom1601To1970 = 134774;

uint32_t Crc32(const char* bytes, size_t length)
{
    static const auto table = [] {
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

// The fields of a line with its CRC, which must match; none otherwise.
std::optional<std::vector<std::string>> TrustedFields(const std::string& line)
{
    const size_t lastTab = line.rfind('\t');
    if (lastTab == std::string::npos || line.size() - lastTab - 1 != 8)
        return std::nullopt;
    unsigned long written = 0;
    for (size_t i = lastTab + 1; i < line.size(); ++i) {
        const char c = line[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return std::nullopt;
        written = written << 4 | static_cast<unsigned long>(digit);
    }
    if (written != Crc32(line.data(), lastTab))
        return std::nullopt;
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return fields;
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

bool AllDigits(const std::string& text, size_t from, size_t count)
{
    if (from + count > text.size())
        return false;
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// "YYYY-MM-DD hh:mm:ss.mmm", digits where digits stand.
bool IsStamp(const std::string& text)
{
    return text.size() == 23 && AllDigits(text, 0, 4) && text[4] == '-' && AllDigits(text, 5, 2) &&
           text[7] == '-' && AllDigits(text, 8, 2) && text[10] == ' ' && AllDigits(text, 11, 2) &&
           text[13] == ':' && AllDigits(text, 14, 2) && text[16] == ':' &&
           AllDigits(text, 17, 2) && text[19] == '.' && AllDigits(text, 20, 3);
}

// A decimal number written as the journal writes it: no sign, no leading zero.
bool ParseNumber(const std::string& text, unsigned long long& number)
{
    if (text.empty() || text.size() > 20 || (text.size() > 1 && text[0] == '0') ||
        !AllDigits(text, 0, text.size()))
        return false;
    number = 0;
    for (const char c : text) {
        const unsigned long long digit = static_cast<unsigned long long>(c - '0');
        if (number > (~0ull - digit) / 10)
            return false;
        number = number * 10 + digit;
    }
    return true;
}

// Written digit by digit: the msvcrt of the oldest releases knows no %llu.
std::string NumberText(unsigned long long number, size_t width = 1)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + number % 10));
        number /= 10;
    } while (number != 0 || digits.size() < width);
    return digits;
}

// The digits of text from *at on, at least least and at most most of them;
// *at then stands after them.
bool ReadDigits(const char* text, size_t* at, size_t least, size_t most, unsigned long long& value)
{
    value = 0;
    size_t count = 0;
    while (count < most && text[*at] >= '0' && text[*at] <= '9') {
        value = value * 10 + static_cast<unsigned long long>(text[(*at)++] - '0');
        ++count;
    }
    return count >= least;
}

bool ReadCharacter(const char* text, size_t* at, char expected)
{
    if (text[*at] != expected)
        return false;
    ++*at;
    return true;
}

bool ParseFacts(const std::vector<std::string>& fields, size_t first, JournalFacts& facts)
{
    facts.version = fields[first + 2].c_str();
    return ParseNumber(fields[first], facts.file.size) &&
           ParseFileTimeText(fields[first + 1].c_str(), facts.file.lastWrite) &&
           JournalVersionText(facts.version) == facts.version;
}

std::string FactsText(const JournalFacts& facts)
{
    return NumberText(facts.file.size) + '\t' + std::string(FileTimeText(facts.file.lastWrite)) +
           '\t' + std::string(JournalVersionText(facts.version));
}

std::string Key(const std::string& plan, int number)
{
    return plan + '#' + NumberText(static_cast<unsigned>(number));
}

// One line of the file: its bytes with the line end, and its fields when it
// can be trusted.
struct Line {
    std::string bytes;
    std::optional<std::vector<std::string>> fields;
    bool heading;
};

// The lines of bytes; a last line without its line end was torn in writing.
std::vector<Line> SplitLines(const std::string& bytes)
{
    std::vector<Line> lines;
    for (size_t start = 0; start < bytes.size();) {
        const size_t newline = bytes.find('\n', start);
        const size_t end = newline == std::string::npos ? bytes.size() : newline + 1;
        Line line{bytes.substr(start, end - start), std::nullopt, bytes[start] == ';'};
        if (newline != std::string::npos && !line.heading) {
            std::string text = bytes.substr(start, newline - start);
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
            line.fields = TrustedFields(text);
        }
        lines.push_back(std::move(line));
        start = end;
    }
    return lines;
}

bool IsScheduledLine(const std::vector<std::string>& fields)
{
    return fields.size() == kScheduledFields && fields[2] == kScheduled;
}

// The plan and number a trusted line speaks of, when it has the form of one.
std::optional<std::string> LineKey(const std::vector<std::string>& fields)
{
    unsigned long long number = 0;
    if ((fields.size() != kScheduledFields && fields.size() != kToldFields) ||
        !IsStamp(fields[0]) || !ParseNumber(fields[1], number) || number == 0 ||
        number > 1000000)
        return std::nullopt;
    return Key(fields[0], static_cast<int>(number));
}

std::optional<EntryOutcome> OutcomeOfWord(const std::string& word)
{
    for (size_t i = 1; i < sizeof kOutcomeWords / sizeof kOutcomeWords[0]; ++i) {
        if (word == kOutcomeWords[i])
            return static_cast<EntryOutcome>(i);
    }
    return std::nullopt;
}

std::optional<JournalEntry> ParseScheduled(const std::vector<std::string>& fields)
{
    JournalEntry entry;
    entry.plan = fields[0].c_str();
    entry.number = std::stoi(fields[1]);
    if (fields[3] == "NT")
        entry.family = OS_NT;
    else if (fields[3] == "9x")
        entry.family = OS_9X;
    else
        return std::nullopt;
    entry.names = ReplacementNames{fields[4].c_str(), fields[5].c_str(), fields[6].c_str()};
    if (entry.names.target.IsEmpty() || entry.names.staged.IsEmpty() ||
        entry.names.backup.IsEmpty() || !ParseFacts(fields, 7, entry.newFile) ||
        !ParseFacts(fields, 10, entry.oldFile))
        return std::nullopt;
    return entry;
}

// A line as the reader takes it: the heading, a line not trusted, an entry
// scheduled, or what became of one.
struct ReadLine {
    enum Kind { kHeading, kUntrusted, kScheduled, kTold } kind;
    std::string bytes;  // with its line end
    std::string plan;
    std::string key;
    std::optional<JournalEntry> entry;  // of a scheduled line
    EntryOutcome outcome = EntryOutcome::kPending;  // of a told line
};

// Every line of bytes, judged; an entry scheduled a second time is not
// trusted the second time.
std::vector<ReadLine> ReadLines(const std::string& bytes)
{
    std::vector<ReadLine> read;
    std::set<std::string> scheduled;
    for (Line& line : SplitLines(bytes)) {
        ReadLine judged;
        judged.kind = line.heading ? ReadLine::kHeading : ReadLine::kUntrusted;
        judged.bytes = std::move(line.bytes);
        const std::optional<std::string> key =
            line.fields ? LineKey(*line.fields) : std::optional<std::string>();
        if (key) {
            const std::vector<std::string>& fields = *line.fields;
            judged.plan = fields[0];
            judged.key = *key;
            if (IsScheduledLine(fields)) {
                judged.entry = ParseScheduled(fields);
                if (judged.entry && scheduled.insert(*key).second)
                    judged.kind = ReadLine::kScheduled;
            } else if (fields.size() == kToldFields && IsStamp(fields[3])) {
                if (const std::optional<EntryOutcome> outcome = OutcomeOfWord(fields[2])) {
                    judged.kind = ReadLine::kTold;
                    judged.outcome = *outcome;
                }
            }
        }
        read.push_back(std::move(judged));
    }
    return read;
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
long long DaysFromCivil(long long year, unsigned month, unsigned day)
{
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void CivilFromDays(long long days, long long& year, unsigned& month, unsigned& day)
{
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned monthFromMarch = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthFromMarch + 2) / 5 + 1;
    month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2);
}
}  // namespace

CString FileTimeText(unsigned long long ticks)
{
    const unsigned long long seconds = ticks / kTicksPerSecond;
    const unsigned long long ofDay = seconds % kSecondsPerDay;
    long long year = 0;
    unsigned month = 0;
    unsigned day = 0;
    CivilFromDays(static_cast<long long>(seconds / kSecondsPerDay) - kDaysFrom1601To1970, year,
                  month, day);
    const std::string text = NumberText(static_cast<unsigned long long>(year), 4) + '-' +
                             NumberText(month, 2) + '-' + NumberText(day, 2) + 'T' +
                             NumberText(ofDay / 3600, 2) + ':' + NumberText(ofDay / 60 % 60, 2) +
                             ':' + NumberText(ofDay % 60, 2) + '.' +
                             NumberText(ticks % kTicksPerSecond, 7) + 'Z';
    return text.c_str();
}

// Read by its fields, then written again: only the very text the journal
// writes for a time reads as that time.
bool ParseFileTimeText(const char* text, unsigned long long& ticks)
{
    unsigned long long year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    unsigned long long fraction = 0;
    size_t at = 0;
    if (!ReadDigits(text, &at, 4, 5, year) || !ReadCharacter(text, &at, '-') ||
        !ReadDigits(text, &at, 2, 2, month) || !ReadCharacter(text, &at, '-') ||
        !ReadDigits(text, &at, 2, 2, day) || !ReadCharacter(text, &at, 'T') ||
        !ReadDigits(text, &at, 2, 2, hour) || !ReadCharacter(text, &at, ':') ||
        !ReadDigits(text, &at, 2, 2, minute) || !ReadCharacter(text, &at, ':') ||
        !ReadDigits(text, &at, 2, 2, second) || !ReadCharacter(text, &at, '.') ||
        !ReadDigits(text, &at, 7, 7, fraction) || !ReadCharacter(text, &at, 'Z') ||
        text[at] != '\0' || year < 1601 || month < 1 || month > 12 || day < 1 || day > 31 ||
        hour > 23 || minute > 59 || second > 59)
        return false;
    const long long days = DaysFromCivil(static_cast<long long>(year), static_cast<unsigned>(month),
                                         static_cast<unsigned>(day)) +
                           kDaysFrom1601To1970;
    const unsigned long long seconds = static_cast<unsigned long long>(days) * kSecondsPerDay +
                                       hour * 3600 + minute * 60 + second;
    if (seconds > (~0ull - fraction) / kTicksPerSecond)
        return false;
    ticks = seconds * kTicksPerSecond + fraction;
    return FileTimeText(ticks) == text;
}

bool SameWriteTime(unsigned long long a, unsigned long long b)
{
    const unsigned long long hour = 3600 * kTicksPerSecond;
    return a == b || (a > b ? a - b : b - a) == hour;
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
    return SealedJournalLine(std::string(entry.plan) + '\t' + NumberText(static_cast<unsigned>(entry.number)) + '\t' +
                   kScheduled + '\t' + (entry.family == OS_9X ? "9x" : "NT") + '\t' +
                   std::string(names.target) + '\t' + std::string(names.staged) + '\t' +
                   std::string(names.backup) + '\t' + FactsText(entry.newFile) + '\t' +
                   FactsText(entry.oldFile));
}

std::string ToldLine(const JournalEntry& entry, EntryOutcome outcome, const CString& when)
{
    return SealedJournalLine(std::string(entry.plan) + '\t' + NumberText(static_cast<unsigned>(entry.number)) + '\t' +
                   kOutcomeWords[static_cast<int>(outcome)] + '\t' + std::string(when));
}

JournalContents ParseJournal(const std::string& bytes)
{
    JournalContents contents;
    std::map<std::string, size_t> byKey;
    for (ReadLine& line : ReadLines(bytes)) {
        switch (line.kind) {
        case ReadLine::kUntrusted: ++contents.skipped; break;
        case ReadLine::kScheduled:
            byKey.emplace(line.key, contents.entries.size());
            contents.entries.push_back(std::move(*line.entry));
            break;
        case ReadLine::kTold: {
            // A told line of an entry dropped with its plan tells of nothing.
            const auto entry = byKey.find(line.key);
            if (entry != byKey.end())
                contents.entries[entry->second].told = line.outcome;
            break;
        }
        default: break;
        }
    }
    return contents;
}

std::string TrimmedJournal(const std::string& bytes, unsigned long budget)
{
    const std::vector<ReadLine> lines = ReadLines(bytes);
    // Each plan's lines, the plans in the order their first entry was written.
    std::vector<std::string> plans;
    std::map<std::string, unsigned long> planBytes;
    for (const ReadLine& line : lines) {
        if (line.kind != ReadLine::kScheduled && line.kind != ReadLine::kTold)
            continue;
        if (line.kind == ReadLine::kScheduled && !planBytes.count(line.plan))
            plans.push_back(line.plan);
        planBytes[line.plan] += static_cast<unsigned long>(line.bytes.size());
    }
    std::set<std::string> kept;
    unsigned long total = 0;
    for (auto plan = plans.rbegin(); plan != plans.rend(); ++plan) {
        if (total + planBytes[*plan] > budget)
            break;
        total += planBytes[*plan];
        kept.insert(*plan);
    }
    std::string trimmed;
    for (const ReadLine& line : lines) {
        if ((line.kind == ReadLine::kScheduled || line.kind == ReadLine::kTold) &&
            kept.count(line.plan))
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
    const std::string text = name;
    if (text.rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\" + text.substr(7);
    if (text.rfind("\\\\?\\", 0) == 0 || text.rfind("\\\\.\\", 0) == 0)
        return text.substr(4);
    return text;
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
