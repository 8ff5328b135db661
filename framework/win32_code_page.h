// The ANSI code page of the running system, answered by the system itself.
#pragma once

#include "framework/code_page.h"

class Win32CodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char byte) const override;
};
