// Lists of texts, printed whole when a check on them fails.
#pragma once

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace doctest {
template <>
struct StringMaker<std::vector<std::string>> {
    static String convert(const std::vector<std::string>& items)
    {
        std::string text = "{";
        for (const std::string& item : items)
            text += "\n  \"" + item + "\"";
        return (text + "\n}").c_str();
    }
};
}  // namespace doctest
