// UTF-16 text turned into the system's ANSI code page, to be shown and to be
// set beside the program's own narrow paths.
#pragma once

#include "framework/cstring.h"

#include <string>

class WideToAnsi {
public:
    virtual ~WideToAnsi() = default;
    // ansi receives text in the ANSI code page. False when some character has
    // no exact ANSI form: ansi then holds a stand-in (the code page's default
    // character, or a look-alike) that is fit only to be shown.
    virtual bool Convert(const std::u16string& text, CString& ansi) const = 0;
};
