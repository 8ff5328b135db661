#include "schedule/restart_queue.h"

#include "framework/path_text.h"

namespace {
// Where one NT record lies, in UTF-16 code units: source [from, fromEnd),
// destination [to, toEnd), each followed by its NUL.
struct NtRecord {
    size_t from;
    size_t fromEnd;
    size_t to;
    size_t toEnd;

    // In bytes, from the source's first byte to the destination's NUL.
    size_t Offset() const { return 2 * from; }
    size_t Length() const { return 2 * (toEnd + 1 - from); }
};

class Utf16Units {
public:
    explicit Utf16Units(const std::string& raw) : m_raw(raw) {}
    size_t Count() const { return m_raw.size() / 2; }
    char16_t At(size_t index) const
    {
        return static_cast<char16_t>(static_cast<unsigned char>(m_raw[2 * index]) |
                                     static_cast<unsigned char>(m_raw[2 * index + 1]) << 8);
    }
    // The index of the NUL that ends the string starting at start, or Count().
    size_t EndOf(size_t start) const
    {
        size_t at = start;
        while (at < Count() && At(at) != 0)
            ++at;
        return at;
    }
    std::u16string Text(size_t start, size_t end) const
    {
        std::u16string text;
        for (size_t at = start; at < end; ++at)
            text += At(at);
        return text;
    }

private:
    const std::string& m_raw;
};

// Splits raw into its records without reading their texts, so that removals
// need no conversion.
QueueResult SplitNtRecords(const std::string& raw, std::vector<NtRecord>& records)
{
    if (raw.size() > kMaxQueueBytes)
        return QueueResult::kTooLarge;
    if (raw.empty())
        return QueueResult::kEmpty;
    if (raw.size() % 2 != 0)
        return QueueResult::kMalformed;
    const Utf16Units units(raw);
    size_t at = 0;
    // An empty source is no record: it is the NUL that ends the list.
    while (at < units.Count() && units.At(at) != 0) {
        NtRecord record;
        record.from = at;
        record.fromEnd = units.EndOf(at);
        record.to = record.fromEnd + 1;
        // A source without a destination, or a string without its NUL.
        if (record.to >= units.Count())
            return QueueResult::kMalformed;
        record.toEnd = units.EndOf(record.to);
        if (record.toEnd == units.Count())
            return QueueResult::kMalformed;
        records.push_back(record);
        at = record.toEnd + 1;
    }
    if (at == units.Count())
        return QueueResult::kMalformed;  // the list's own NUL is missing
    for (size_t rest = at + 1; rest < units.Count(); ++rest) {
        if (units.At(rest) != 0)
            return QueueResult::kMalformed;  // records beyond the end of the list
    }
    return records.empty() ? QueueResult::kEmpty : QueueResult::kOk;
}

// Newer Windows releases write *N (N digits) before a path.
size_t SkipNumberPrefix(const std::u16string& text, size_t at)
{
    if (at >= text.size() || text[at] != u'*')
        return at;
    size_t digits = at + 1;
    while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9')
        ++digits;
    return digits > at + 1 ? digits : at;
}

// The Win32 path a record names: without *N and \??\, and \??\UNC\server\share
// as \\server\share.
std::u16string WithoutPathPrefixes(const std::u16string& text, size_t at)
{
    at = SkipNumberPrefix(text, at);
    const PathPrefix prefix = PathPrefix::Read(text.c_str() + at);
    if (prefix.kind != PathPrefix::kObjects)
        return text.substr(at);
    return (prefix.unc ? u"\\\\" : u"") + text.substr(at + static_cast<size_t>(prefix.length));
}

QueuedOperation NtOperation(const Utf16Units& units, const NtRecord& record,
                            const WideToAnsi& converter)
{
    const std::u16string from = units.Text(record.from, record.fromEnd);
    const std::u16string to = units.Text(record.to, record.toEnd);
    // The '!' is taken before or after a *N.
    const size_t flag = SkipNumberPrefix(to, 0);
    const bool replacing = flag < to.size() && to[flag] == u'!';
    const std::u16string destination = WithoutPathPrefixes(to, replacing ? flag + 1 : 0);

    QueuedOperation operation;
    operation.kind = destination.empty() ? QueuedKind::kDelete
                     : replacing         ? QueuedKind::kRenameReplacing
                                         : QueuedKind::kRename;
    const bool fromExact = converter.Convert(WithoutPathPrefixes(from, 0), operation.from);
    const bool toExact = converter.Convert(destination, operation.to);
    operation.exactText = fromExact && toExact;
    operation.offset = record.Offset();
    operation.length = record.Length();
    return operation;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string Trimmed(const std::string& text, size_t begin, size_t end)
{
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

CString AnsiText(const std::string& bytes)
{
    return CString(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace

RestartQueue ParseNtQueue(const std::string& raw, const WideToAnsi& converter)
{
    RestartQueue queue;
    queue.raw = raw;
    std::vector<NtRecord> records;
    queue.result = SplitNtRecords(raw, records);
    if (queue.result != QueueResult::kOk)
        return queue;
    const Utf16Units units(raw);
    for (const NtRecord& record : records)
        queue.operations.push_back(NtOperation(units, record, converter));
    return queue;
}

// The delimiters (blanks, '=', ';', brackets) are found byte by byte: in code
// page 932 the blanks, '=' and ';' lie below 0x40, where no second byte of a
// double-byte character lies, and a ']' that is one only ends a name that
// already holds a lead byte, which is no "rename" either way.
RestartQueue ParseWininitQueue(const std::string& bytes)
{
    RestartQueue queue;
    queue.raw = bytes;
    if (bytes.size() > kMaxQueueBytes) {
        queue.result = QueueResult::kTooLarge;
        return queue;
    }
    // A NUL byte has no place in an ANSI text file; a UTF-16 one is full of them.
    if (bytes.find('\0') != std::string::npos) {
        queue.result = QueueResult::kMalformed;
        return queue;
    }
    bool inRename = false;
    for (size_t start = 0; start < bytes.size();) {
        const size_t newline = bytes.find('\n', start);
        const size_t end = newline == std::string::npos ? bytes.size() : newline;
        const size_t next = newline == std::string::npos ? bytes.size() : newline + 1;
        const std::string line = Trimmed(bytes, start, end);
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');
            inRename = close != std::string::npos &&
                       FoldAscii(Trimmed(line, 1, close)) == "RENAME";
        } else if (inRename && !line.empty() && line[0] != ';') {
            const size_t equals = line.find('=');
            if (equals == std::string::npos)
                return RestartQueue{QueueResult::kMalformed, {}, bytes};
            const std::string destination = Trimmed(line, 0, equals);
            const std::string source = Trimmed(line, equals + 1, line.size());
            if (destination.empty() || source.empty())
                return RestartQueue{QueueResult::kMalformed, {}, bytes};
            const bool deletes = FoldAscii(destination) == "NUL";
            queue.operations.push_back(QueuedOperation{
                deletes ? QueuedKind::kDelete : QueuedKind::kRenameReplacing, AnsiText(source),
                deletes ? CString() : AnsiText(destination), true, start, next - start});
        }
        start = next;
    }
    queue.result = queue.operations.empty() ? QueueResult::kEmpty : QueueResult::kOk;
    return queue;
}

RestartQueue ReadNtQueue(RestartQueueStore& store, NtQueueValue value, const WideToAnsi& converter)
{
    std::string raw;
    const QueueResult read = store.ReadNtValue(value, raw);
    if (read != QueueResult::kOk)
        return RestartQueue{read, {}, raw};
    return ParseNtQueue(raw, converter);
}

RestartQueue ReadWininitQueue(RestartQueueStore& store)
{
    std::string bytes;
    const QueueResult read = store.ReadWininit(bytes);
    if (read != QueueResult::kOk)
        return RestartQueue{read, {}, bytes};
    return ParseWininitQueue(bytes);
}

QueueResult RemoveRecords(const RestartQueue& queue, const std::vector<int>& records,
                          std::string& rewritten)
{
    if (!queue.WasRead())
        return queue.result;
    std::vector<bool> removed(queue.operations.size(), false);
    for (int record : records) {
        if (record < 0 || static_cast<size_t>(record) >= removed.size() ||
            removed[static_cast<size_t>(record)])
            return QueueResult::kNoSuchRecord;
        removed[static_cast<size_t>(record)] = true;
    }
    std::string kept;
    size_t copied = 0;
    for (size_t i = 0; i < removed.size(); ++i) {
        if (!removed[i])
            continue;
        const QueuedOperation& operation = queue.operations[i];
        kept.append(queue.raw, copied, operation.offset - copied);
        copied = operation.offset + operation.length;
    }
    kept.append(queue.raw, copied, std::string::npos);
    rewritten.swap(kept);
    return QueueResult::kOk;
}
