// A file's version text ("FileVersion" of its version record), as the version
// column shows it, asked for without any message box: judging what became of
// a replacement must not interrupt anyone.
#pragma once

#include "framework/cstring.h"

class FileVersionTexts {
public:
    virtual ~FileVersionTexts() = default;
    // False when the file has no version text that can be read.
    virtual bool VersionTextOf(const char* path, CString& text) = 0;
};
