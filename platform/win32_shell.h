#pragma once

#include "platform/shell.h"

class Win32Shell : public Shell {
public:
    int OpenDocument(const char* path) override;
};
