#include "framework/win32_code_page.h"
#include "platform/win32_file_system_ops.h"
#include "tests/fakes/plan_entries.h"
#include "tests/win32/test_folder.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <string>

namespace {
// The rules over the real file services and code page.
struct RealPlan {
    Win32FileSystemOps files;
    Win32CodePage codePage;
    PlanEntries entries{files, codePage};
};

void CopyFixture(const char* fixture, const std::string& to)
{
    REQUIRE(::CopyFileA((ExecutableFolder() + fixture).c_str(), to.c_str(), FALSE));
}
}  // namespace

TEST_CASE("Folders whose names end in a 0x5C second byte get their separator and give it back")
{
    REQUIRE(::GetACP() == 932);
    TestFolder sources("表");
    TestFolder system("ソ");
    const std::string source = sources / "TESSERA.DLL";
    const std::string target = system / "TESSERA.DLL";
    CopyFixture("version_japanese.dll", source);
    CopyFixture("version_japanese.dll", target);

    RealPlan plan;
    const AddDecision added = plan.entries.Add(source, system.Path());
    CHECK(RefusalText(added) == "");
    CHECK(added.target == target.c_str());

    const PlanFields fields = DecideRemove(added.source, added.target, plan.codePage);
    CHECK(fields.source == source.c_str());
    CHECK(fields.targetFolder == system.Path().c_str());
    CHECK(plan.entries.Add(std::string(fields.source), std::string(fields.targetFolder)).target ==
          target.c_str());
}

TEST_CASE("The real file services decide the refusals")
{
    TestFolder sources("表");
    TestFolder system("ソ");
    CopyFixture("version_two_translations.dll", sources / "A.DLL");
    CopyFixture("version_two_translations.dll", sources / "ONLY.DLL");
    CopyFixture("version_japanese.dll", system / "A.DLL");
    ::CreateDirectoryA((system / "SUB").c_str(), nullptr);
    ::CreateDirectoryA((sources / "SUB").c_str(), nullptr);

    RealPlan plan;
    REQUIRE(plan.entries.Append(sources / "A.DLL", system.Path() + "\\"));

    struct Case {
        std::string source;
        std::string folder;
        std::string message;
    };
    const Case cases[] = {
        {sources / "GONE.DLL", system.Path(),
         "置換元ファイル(" + (sources / "GONE.DLL") + ")の情報が得られません．"},
        {sources / "SUB", system.Path(), "\"" + (sources / "SUB") + "\"はファイルではないようです。"},
        {sources / "ONLY.DLL", system.Path(),
         "置換先ファイル(" + (system / "ONLY.DLL") +
             ")の情報が得られません．ファイルが存在するか確かめてください。"},
        {system / "A.DLL", system.Path(), "同じファイルで置き換えても無駄です．"},
        {sources / "A.DLL", system.Path(),
         "置換先" + (system / "A.DLL") + "はすでに" + (sources / "A.DLL") +
             "で置きかえられることになっています．"},
    };
    for (const Case& c : cases) {
        CAPTURE(c.source);
        CHECK(RefusalText(plan.entries.Add(c.source, c.folder)) == c.message);
    }
}
