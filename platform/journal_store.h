// Where the journal of Tessera's replacements is kept: one text file in the
// system's Windows folder, as raw bytes. What the bytes mean is for
// schedule/restart_journal.h to say.
#pragma once

#include "framework/cstring.h"

#include <string>

// The file's name, after the program; an 8.3 name, which every family writes.
constexpr char kJournalFileName[] = "TESSERA.LOG";

class JournalStore {
public:
    virtual ~JournalStore() = default;
    // The file's full path, as texts name it.
    virtual CString Location() = 0;
    // bytes receives the file's last limit bytes (all of a smaller file; none
    // of an absent one). False when it is there but cannot be read.
    virtual bool Read(unsigned long limit, std::string& bytes) = 0;
    // size receives the file's size (0 when absent); false when unknown.
    virtual bool Size(unsigned long& size) = 0;
    // Adds bytes at the end, making the file when it is absent; false unless
    // every byte was written.
    virtual bool Append(const std::string& bytes) = 0;
    // Replaces the whole file with bytes; the old content stays whole until
    // the new one is complete.
    virtual bool Replace(const std::string& bytes) = 0;
};
