// UTF-16 to ANSI as a table: ASCII passes as it is, the characters a test
// lists become the ANSI bytes it gives them, and any other becomes '?' and
// makes the conversion inexact, as WideCharToMultiByte's default character does.
#pragma once

#include "platform/wide_to_ansi.h"

#include <map>
#include <string>

class FakeWideToAnsi : public WideToAnsi {
public:
    bool Convert(const std::u16string& text, CString& ansi) const override
    {
        std::string bytes;
        bool exact = true;
        for (char16_t unit : text) {
            const auto listed = characters.find(unit);
            if (unit < 0x80) {
                bytes += static_cast<char>(unit);
            } else if (listed != characters.end()) {
                bytes += listed->second;
            } else {
                bytes += '?';
                exact = false;
            }
        }
        ansi = CString(bytes.data(), static_cast<int>(bytes.size()));
        return exact;
    }

    std::map<char16_t, std::string> characters;
};
