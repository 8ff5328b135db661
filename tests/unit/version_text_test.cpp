#include "plan/version_text.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_version_records.h"

#include <doctest/doctest.h>

#include <map>
#include <string>
#include <vector>

namespace {
const char kFile[] = "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL";
const char kTranslation[] = "\\VarFileInfo\\Translation";
const char kJapaneseVersion[] = "\\StringFileInfo\\041104b0\\FileVersion";
const char kEnglishVersion[] = "\\StringFileInfo\\040904b0\\FileVersion";
const std::string kJapanese = FakeVersionRecords::Translations({{0x0411, 0x04B0}});

struct Lookup {
    FakeVersionRecords records;
    FakeMessageBoxes boxes;
    CString text = "untouched";
    bool found = false;

    void Run(const std::string& path = kFile)
    {
        found = GetFileVersionText(path.c_str(), text, records, boxes);
    }
    void CheckNothingFound()
    {
        CHECK_FALSE(found);
        CHECK(text == "untouched");
    }
};
}  // namespace

TEST_CASE("The text comes verbatim from the first translation's string table")
{
    struct Case {
        std::vector<std::pair<unsigned, unsigned>> translations;
        std::map<std::string, std::string> strings;
        const char* queried;  // the sub-block path of the version text
        const char* text;     // nullptr: nothing found
    };
    const Case cases[] = {
        {{{0x0411, 0x04B0}}, {{kJapaneseVersion, "1, 0, 0, 0"}}, kJapaneseVersion, "1, 0, 0, 0"},
        // Four lower-case hexadecimal digits each, with leading zeros.
        {{{0x0009, 0x04E4}},
         {{"\\StringFileInfo\\000904e4\\FileVersion", " 4.00.950 "}},
         "\\StringFileInfo\\000904e4\\FileVersion",
         " 4.00.950 "},
        {{{0x0411, 0x04B0}, {0x0409, 0x04B0}},
         {{kJapaneseVersion, "6.1"}, {kEnglishVersion, "6.2"}},
         kJapaneseVersion,
         "6.1"},
        // Only the first translation counts, even where another has the text.
        {{{0x0411, 0x04B0}, {0x0409, 0x04B0}}, {{kEnglishVersion, "6.2"}}, kJapaneseVersion, nullptr},
        {{{0x0411, 0x04B0}}, {{kEnglishVersion, "6.2"}}, kJapaneseVersion, nullptr},
    };
    for (const Case& c : cases) {
        const std::string queriedText = c.queried;
        CAPTURE(queriedText);
        Lookup lookup;
        std::map<std::string, std::string> values = c.strings;
        values[kTranslation] = FakeVersionRecords::Translations(c.translations);
        lookup.records.AddRecord(kFile, values);
        lookup.Run();
        CHECK(lookup.records.queries == std::vector<std::string>{kTranslation, c.queried});
        CHECK(lookup.boxes.shown.empty());
        if (c.text) {
            CHECK(lookup.found);
            CHECK(lookup.text == c.text);
        } else {
            lookup.CheckNothingFound();
        }
    }
}

TEST_CASE("A file without a record, or with an unreadable one, yields nothing silently")
{
    Lookup lookup;
    lookup.Run("C:\\README.TXT");
    lookup.CheckNothingFound();
    CHECK(lookup.records.queries.empty());

    lookup.records.AddRecord(kFile, {{kTranslation, kJapanese}, {kJapaneseVersion, "1"}});
    lookup.records.FailRead(kFile);
    lookup.Run();
    lookup.CheckNothingFound();
    CHECK(lookup.records.queries.empty());
    CHECK(lookup.boxes.shown.empty());
}

TEST_CASE("A record without a usable translation table is reported in the dialog's Error box")
{
    struct Case {
        std::string name;
        std::map<std::string, std::string> values;
    };
    const Case cases[] = {
        {"no table", {{kJapaneseVersion, "1, 0, 0, 0"}}},
        {"empty table", {{kTranslation, ""}, {kJapaneseVersion, "1, 0, 0, 0"}}},
        {"half an entry", {{kTranslation, kJapanese.substr(0, 2)}, {kJapaneseVersion, "1"}}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        Lookup lookup;
        lookup.records.AddRecord(kFile, c.values);
        lookup.Run();
        lookup.CheckNothingFound();
        REQUIRE(lookup.boxes.shown.size() == 1);
        CHECK(lookup.boxes.shown[0].text == "Unable to get translation type");
        CHECK(lookup.boxes.shown[0].caption == "Error");
        CHECK(lookup.boxes.shown[0].style == box::kOk);
        CHECK(lookup.records.queries == std::vector<std::string>{kTranslation});
    }
}

TEST_CASE("Paths and texts beyond the 255-byte working buffers yield nothing and overrun nothing")
{
    const std::string path255 = "C:\\" + std::string(248, 'X') + ".DLL";
    const std::string path256 = "C:\\" + std::string(249, 'X') + ".DLL";
    REQUIRE(path255.size() == 255);
    REQUIRE(path256.size() == 256);
    const std::string text255(255, '9');
    const std::string text256(256, '9');

    SUBCASE("Path")
    {
        Lookup lookup;
        for (const std::string& path : {path255, path256})
            lookup.records.AddRecord(path, {{kTranslation, kJapanese}, {kJapaneseVersion, "1"}});
        lookup.Run(path256);
        lookup.CheckNothingFound();
        // The overlong path is not looked up at all, not even cut short.
        CHECK(lookup.records.sized.empty());
        lookup.Run(path255);
        CHECK(lookup.found);
        CHECK(lookup.records.sized == std::vector<std::string>{path255});
    }
    SUBCASE("Text")
    {
        Lookup lookup;
        lookup.records.AddRecord(kFile, {{kTranslation, kJapanese}, {kJapaneseVersion, text256}});
        lookup.Run();
        lookup.CheckNothingFound();
        lookup.records.AddRecord(kFile, {{kTranslation, kJapanese}, {kJapaneseVersion, text255}});
        lookup.Run();
        CHECK(lookup.found);
        CHECK(lookup.text == text255.c_str());
    }
    SUBCASE("A text that runs to the end of the record without its NUL")
    {
        Lookup lookup;
        lookup.records.AddRecord(kFile, {{kTranslation, kJapanese}, {kJapaneseVersion, "1.0"}});
        lookup.records.PlaceAtBlockEnd(kFile, kJapaneseVersion);
        lookup.Run();
        lookup.CheckNothingFound();
        CHECK(lookup.boxes.shown.empty());
    }
}
