// UTF-16 to the ANSI code page with WideCharToMultiByte(CP_ACP), which Windows
// 95 and 98 implement in full.
#pragma once

#include "platform/wide_to_ansi.h"

class Win32WideToAnsi : public WideToAnsi {
public:
    bool Convert(const std::u16string& text, CString& ansi) const override;
};
