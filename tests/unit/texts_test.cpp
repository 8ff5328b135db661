// The catalogue of texts in both languages.
#include "texts/texts.h"

#include <doctest/doctest.h>

#include <string>

namespace {
// The conversions of a format, in order: "%s", "%d", ... ("%%" is a percent
// sign, no conversion).
std::string Conversions(const char* text)
{
    std::string found;
    for (const char* c = text; *c; ++c) {
        if (*c != '%')
            continue;
        ++c;
        if (*c == '\0')
            return found + "%<end>";
        if (*c != '%')
            found += std::string("%") + *c;
    }
    return found;
}
}  // namespace

TEST_CASE("Every text has both languages: the same conversions in the same order, English in ASCII")
{
    REQUIRE(TextCount() > 0);
    for (int i = 0; i < TextCount(); ++i) {
        const TextId id = static_cast<TextId>(i);
        const std::string japanese = Text(id, Language::kJapanese);
        const std::string english = Text(id, Language::kEnglish);
        CAPTURE(i);
        CAPTURE(english);
        CHECK_FALSE(japanese.empty());
        CHECK_FALSE(english.empty());
        CHECK(Conversions(japanese.c_str()) == Conversions(english.c_str()));
        for (const char c : english)
            CHECK(static_cast<unsigned char>(c) < 0x80);
        // Conversions beyond %s and %d would read arguments no caller passes.
        for (const char c : Conversions(english.c_str()))
            CHECK((c == '%' || c == 's' || c == 'd'));
    }
}
