// The "FileVersion" text of a file's version record, in the first language
// and code page that the record lists.
#pragma once

#include "framework/cstring.h"
#include "platform/message_boxes.h"
#include "platform/version_records.h"

// text receives the version text verbatim and is left untouched on failure.
// A record without a translation table is reported through the main dialog's
// own box; every other failure is silent.
bool GetFileVersionText(const char* path, CString& text, VersionRecords& records,
                        MessageBoxes& boxes);
