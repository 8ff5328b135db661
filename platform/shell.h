// Opening a document with the program the shell associates with its type.
#pragma once

class Shell {
public:
    static constexpr int kFileNotFound = 2;   // ERROR_FILE_NOT_FOUND
    static constexpr int kNoAssociation = 31; // SE_ERR_NOASSOC

    virtual ~Shell() = default;
    // ShellExecuteA(NULL, "open", path, NULL, NULL, SW_SHOW); above 32 is success.
    virtual int OpenDocument(const char* path) = 0;
};
