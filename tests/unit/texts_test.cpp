// The catalogue of texts in both languages, and the choice between them at start.
#include "app/tessera_app.h"
#include "tests/fakes/fake_app_services.h"
#include "tests/fakes/language_scope.h"
#include "texts/texts.h"

#include <doctest/doctest.h>

#include <cstring>
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

TEST_CASE("The language is chosen before the first box: the start-up refusals and help in English")
{
    struct Machine : FakeAppServices {
        CTesseraApp app{Services()};
    };
    struct Row {
        unsigned long platformId, build;
        bool admin;
        const char* refusal;
    };
    const Row rows[] = {
        {2, 1057, true, "On Windows NT, Tessera needs version 4.0 or later. It will close now."},
        {3, 1381, true, "This system is neither Windows 9x nor Windows NT. Tessera will close now."},
        {2, 7601, false,
         "You do not have administrator rights.\nTessera works only with administrator rights."},
    };
    for (const Row& row : rows) {
        CAPTURE(row.refusal);
        const LanguageScope restored(Language::kJapanese);
        Machine machine;
        machine.platform.codePage = 1252;
        machine.platform.version = {row.platformId, row.build};
        if (row.admin)
            machine.tokens.groups = {"S-1-5-32-544"};
        CHECK_FALSE(machine.app.InitInstance());
        REQUIRE(machine.boxes.shown.size() == 1);
        CHECK(machine.boxes.shown[0].text == row.refusal);
        CHECK(ChosenLanguage() == Language::kEnglish);
    }
    const LanguageScope english(Language::kEnglish);
    Machine machine;
    std::strcpy(machine.app.m_szModuleDir, "C:\\TOOLS\\");
    machine.shell.result = 2;  // ERROR_FILE_NOT_FOUND
    CHECK_FALSE(machine.app.OpenHelpFile(Text(TextId::kHelpFileName)));
    REQUIRE(machine.boxes.shown.size() == 1);
    CHECK(machine.boxes.shown[0].text ==
          "Could not open C:\\TOOLS\\help_en.htm. Check that the file exists.");
}
