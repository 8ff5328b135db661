// The UTF-16LE bytes of a text, as the registry holds an NT restart queue.
#pragma once

#include <string>
#include <string_view>

inline std::string Utf16(std::u16string_view units)
{
    std::string bytes;
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}
