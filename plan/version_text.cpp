#include "plan/version_text.h"

#include "texts/texts.h"

#include <cstdint>
#include <memory>
#include <new>

namespace {
const int kWorkingBuffer = kVersionTextLimit + 1;

// The record as read: every value taken from it must lie wholly inside.
struct RecordBlock {
    const unsigned char* start;
    unsigned long size;

    // Bytes from value to the block's end, or 0 when value lies elsewhere.
    unsigned long BytesFrom(const void* value) const
    {
        // Compared as addresses: value may point anywhere at all.
        const auto at = reinterpret_cast<std::uintptr_t>(value);
        const auto first = reinterpret_cast<std::uintptr_t>(start);
        if (at < first || at - first >= size)
            return 0;
        return static_cast<unsigned long>(size - (at - first));
    }
};

// Copies a NUL-terminated text into buffer when it fits; reads no more than
// limit bytes of source.
bool CopyBounded(const char* source, unsigned long limit, char (&buffer)[kWorkingBuffer])
{
    for (unsigned long i = 0; i < limit && i < sizeof buffer; ++i) {
        buffer[i] = source[i];
        if (source[i] == '\0')
            return true;
    }
    return false;
}

// The first entry of the record's translation table as the sub-block path of
// its "FileVersion"; false when the record has no complete entry.
bool FileVersionSubBlock(VersionRecords& records, const RecordBlock& record, CString& subBlock)
{
    const void* table = nullptr;
    unsigned length = 0;
    // The reported length is consulted so that a table too short for one entry
    // is never read beyond its end.
    if (!records.Query(record.start, "\\VarFileInfo\\Translation", &table, &length) ||
        length < 4 || record.BytesFrom(table) < 4)
        return false;
    // Each entry is two little-endian words: language, then code page.
    const auto* entry = static_cast<const unsigned char*>(table);
    const unsigned language = entry[0] | entry[1] << 8;
    const unsigned codePage = entry[2] | entry[3] << 8;
    subBlock.Format("\\StringFileInfo\\%04x%04x\\FileVersion", language, codePage);
    return true;
}
}  // namespace

VersionLookup ReadFileVersionText(const char* path, CString& text, VersionRecords& records)
{
    char workingPath[kWorkingBuffer];
    if (!CopyBounded(path, sizeof workingPath, workingPath))
        return VersionLookup::kNone;
    unsigned long handle = 0;
    const unsigned long size = records.GetSize(workingPath, &handle);
    if (size == 0)
        return VersionLookup::kNone;
    const std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[size]);
    if (!block || !records.Read(workingPath, handle, size, block.get()))
        return VersionLookup::kNone;
    const RecordBlock record{block.get(), size};

    CString subBlock;
    if (!FileVersionSubBlock(records, record, subBlock))
        return VersionLookup::kNoTranslation;
    const void* value = nullptr;
    unsigned length = 0;
    if (!records.Query(record.start, subBlock, &value, &length))
        return VersionLookup::kNone;
    char versionText[kWorkingBuffer];
    if (!CopyBounded(static_cast<const char*>(value), record.BytesFrom(value), versionText))
        return VersionLookup::kNone;
    text = versionText;
    return VersionLookup::kFound;
}

bool GetFileVersionText(const char* path, CString& text, VersionRecords& records,
                        MessageBoxes& boxes)
{
    const VersionLookup lookup = ReadFileVersionText(path, text, records);
    if (lookup == VersionLookup::kNoTranslation)
        boxes.ShowFromDialog(Text(TextId::kVersionUnreadable), Text(TextId::kVersionCaption),
                             box::kOk);
    return lookup == VersionLookup::kFound;
}
