// The version-record services (GetFileVersionInfoSizeA, GetFileVersionInfoA,
// VerQueryValueA), one call each.
#pragma once

class VersionRecords {
public:
    virtual ~VersionRecords() = default;
    // Bytes the file's version record needs, 0 when it has none or cannot be
    // read; handle receives the value to pass on to Read.
    virtual unsigned long GetSize(const char* path, unsigned long* handle) = 0;
    // Reads the record into block, which holds size bytes.
    virtual bool Read(const char* path, unsigned long handle, unsigned long size, void* block) = 0;
    // Points value at the value named by subBlock inside block.
    virtual bool Query(const void* block, const char* subBlock, const void** value,
                       unsigned* length) = 0;
};
