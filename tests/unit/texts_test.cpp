// The catalogue of texts in both languages, and the choice between them.
#include "app/tessera_app.h"
#include "schedule/schedule_report.h"
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

TEST_CASE("Code page 932 gives Japanese, every other code page English; the resources follow")
{
    struct Row {
        unsigned codePage;
        Language language;
        unsigned short resources;
    };
    const Row rows[] = {
        {932, Language::kJapanese, 0x0411}, {1252, Language::kEnglish, 0x0409},
        {936, Language::kEnglish, 0x0409},  {949, Language::kEnglish, 0x0409},
        {950, Language::kEnglish, 0x0409},  {65001, Language::kEnglish, 0x0409},
        {0, Language::kEnglish, 0x0409},
    };
    for (const Row& row : rows) {
        CAPTURE(row.codePage);
        const LanguageScope chosen(LanguageForCodePage(row.codePage));
        CHECK(ChosenLanguage() == row.language);
        CHECK(ResourceLanguageId() == row.resources);
    }
    CHECK(ChosenLanguage() == Language::kJapanese);
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

TEST_CASE("The English report: a block's header points with \" -> \", outcomes in English")
{
    const LanguageScope english(Language::kEnglish);
    ScheduleReport report;
    report.AddBlock("C:\\src\\A.DLL", "C:\\T\\A.DLL", outcome::Scheduled());
    report.AddBlock("C:\\src\\B.DLL", "C:\\T\\B.DLL",
                    outcome::LongFileName("C:\\T\\LONGNAME.DLL", "C:\\T\\LONGNA~1.DLL"));
    FakeMessageBoxes boxes;
    report.Show(boxes);
    REQUIRE(boxes.shown.size() == 1);
    CHECK(boxes.shown[0].text ==
          "C:\\src\\A.DLL\n -> C:\\T\\A.DLL\nWill be replaced at the next restart.\n\n"
          "C:\\src\\B.DLL\n -> C:\\T\\B.DLL\n"
          "C:\\T\\LONGNAME.DLL has a long file name, which the Windows 9x start-up cannot replace "
          "(it knows only the short name C:\\T\\LONGNA~1.DLL).\n"
          "No replacement is scheduled. Start in MS-DOS mode and copy the new file over "
          "C:\\T\\LONGNA~1.DLL.\n\n");
}
