// The "FileVersion" text of a file's version record, in the first language
// and code page that the record lists.
#pragma once

#include "framework/cstring.h"
#include "platform/message_boxes.h"
#include "platform/version_records.h"

// The path and the version text each pass through a working buffer of 256
// bytes. A longer path or text is not shortened (that would name another file
// or show a wrong version): the lookup then yields nothing, silently.
const int kVersionTextLimit = 255;

// text receives the version text verbatim and is left untouched on failure.
// A record without a translation table (or one too short to hold an entry) is
// reported through the main dialog's own box; every other failure is silent.
bool GetFileVersionText(const char* path, CString& text, VersionRecords& records,
                        MessageBoxes& boxes);
