// The shell's open action as a scripted result; records the paths opened.
#pragma once

#include "platform/shell.h"

#include <string>
#include <vector>

class FakeShell : public Shell {
public:
    int OpenDocument(const char* path) override
    {
        opened.push_back(path);
        return result;
    }

    int result = 42;  // success
    std::vector<std::string> opened;
};
