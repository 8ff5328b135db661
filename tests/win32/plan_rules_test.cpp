#include "platform/win32_file_system_ops.h"
#include "platform/win32_version_records.h"
#include "tests/fakes/plan_harness.h"
#include "tests/win32/test_folder.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <array>
#include <string>
#include <vector>

namespace {
struct SystemServices {
    Win32FileSystemOps systemFiles;
    Win32VersionRecords records;
};

// The rules over the real file and version services.
struct RealPlan : SystemServices, PlanHarness {
    RealPlan() : PlanHarness(systemFiles, records) {}
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
    plan.Add(source, system.Path());
    CHECK(plan.boxes.Texts().empty());
    CHECK(plan.Targets() == std::vector<std::string>{target});
    REQUIRE(plan.dialog.rows.size() == 1);
    CHECK(plan.dialog.rows[0] ==
          std::array<std::string, 4>{source, "1, 0, 0, 0", target, "1, 0, 0, 0"});

    plan.dialog.selected = 0;
    plan.Remove();
    CHECK(plan.dialog.sourceField == source);
    CHECK(plan.dialog.folderField == system.Path());
    plan.Add(plan.dialog.sourceField, plan.dialog.folderField);
    CHECK(plan.Targets() == std::vector<std::string>{target});
    CHECK(plan.RowsMatchEntries());
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
    plan.Add(sources / "A.DLL", system.Path() + "\\");
    REQUIRE(plan.boxes.Texts().empty());
    // A file without FileVersion in its first translation shows an empty cell.
    CHECK(plan.dialog.rows[0][1] == "");
    CHECK(plan.dialog.rows[0][3] == "1, 0, 0, 0");

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
        plan.boxes.shown.clear();
        plan.Add(c.source, c.folder);
        CHECK(plan.boxes.Texts() == std::vector<std::string>{c.message});
        CHECK(plan.sources.GetSize() == 1);
    }
}
