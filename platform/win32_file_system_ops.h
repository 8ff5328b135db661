// The file services over the Windows kernel and the run-time library.
#pragma once

#include "platform/file_system_ops.h"

class Win32FileSystemOps : public FileSystemOps {
public:
    bool GetStatus(const char* path, unsigned* mode) override;
    bool CopyWithoutOverwrite(const char* source, const char* destination) override;
    bool MoveAtRestart(const char* from, const char* to) override;
    bool WriteProfileEntry(const char* section, const char* key, const char* value,
                            const char* file) override;
    bool GetShortPath(const char* path, CString& shortPath) override;
    CString CanonicalName(const char* path) override;
    bool RemoveFile(const char* path) override;
};
