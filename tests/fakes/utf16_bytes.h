// Registry values as the NT family stores them: UTF-16LE bytes.
#pragma once

#include <string>
#include <string_view>

// The UTF-16LE bytes of units.
inline std::string Utf16(std::u16string_view units)
{
    std::string bytes;
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
