// The "FileVersion" text of a file's version record, in the first language
// and code page that the record lists.
#pragma once

#include "framework/cstring.h"
#include "platform/message_boxes.h"
#include "platform/version_records.h"
#include "platform/version_texts.h"

// The path and the version text each pass through a working buffer of 256
// bytes. A longer path or text is not shortened (that would name another file
// or show a wrong version): the lookup then yields nothing, silently.
const int kVersionTextLimit = 255;

// text receives the version text verbatim and is left untouched on failure.
// A record without a translation table (or one too short to hold an entry) is
// reported through the main dialog's own box; every other failure is silent.
bool GetFileVersionText(const char* path, CString& text, VersionRecords& records,
                        MessageBoxes& boxes);

enum class VersionLookup {
    kFound,
    kNone,           // no record, or no version text in it
    kNoTranslation,  // a record without a translation table
};

// The same lookup without any box: what it found, and text as above.
VersionLookup ReadFileVersionText(const char* path, CString& text, VersionRecords& records);

// The version texts of files, asked of their records without any box.
class RecordVersionTexts : public FileVersionTexts {
public:
    explicit RecordVersionTexts(VersionRecords& records) : m_records(records) {}
    bool VersionTextOf(const char* path, CString& text) override
    {
        return ReadFileVersionText(path, text, m_records) == VersionLookup::kFound;
    }

private:
    VersionRecords& m_records;
};
