#include "tests/fakes/fake_app_services.h"

#include <doctest/doctest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
const char kFailureTail[] = "を起動できませんでした。ファイルが存在するかどうか確かめてください。";

// Only the shell and the boxes matter to the help launcher.
struct HelpMachine : FakeAppServices {
    CTesseraApp app{Services()};

    explicit HelpMachine(const char* moduleDir) { std::strcpy(app.m_szModuleDir, moduleDir); }
};
}  // namespace

TEST_CASE("Only a missing file and a missing association are reported, with the full path")
{
    struct Row {
        int shellResult;
        bool reported;
    };
    const std::vector<Row> rows = {
        {2, true},    // ERROR_FILE_NOT_FOUND
        {31, true},   // SE_ERR_NOASSOC
        {0, false},   // out of memory
        {3, false},   // path not found
        {5, false},   // access denied
        {8, false},   // not enough memory
        {26, false},  // sharing violation
        {32, false},  // DLL not found: still no success, still silent
        {33, false},  // success
        {42, false},
    };
    for (const Row& row : rows) {
        CAPTURE(row.shellResult);
        HelpMachine machine("C:\\TOOLS\\");
        machine.shell.result = row.shellResult;
        CHECK(machine.app.OpenHelpFile("help.htm") == !row.reported);
        CHECK(machine.shell.opened == std::vector<std::string>{"C:\\TOOLS\\help.htm"});
        if (row.reported) {
            REQUIRE(machine.boxes.shown.size() == 1);
            CHECK(machine.boxes.shown[0].text == std::string("C:\\TOOLS\\help.htm") + kFailureTail);
            CHECK(machine.boxes.shown[0].style == box::kIconHand);
            CHECK(machine.boxes.shown[0].caption == "");
        } else {
            CHECK(machine.boxes.shown.empty());
        }
    }
}

TEST_CASE("The path is the module folder followed directly by the name, bytes unchanged")
{
    struct Row {
        const char* moduleDir;
        const char* name;
        const char* path;
    };
    const std::vector<Row> rows = {
        {"C:\\", "help.htm", "C:\\help.htm"},
        {"C:\\ソフト\\表示\\", "help.htm", "C:\\ソフト\\表示\\help.htm"},
        {"\\\\SERVER\\TOOLS\\", "readme.txt", "\\\\SERVER\\TOOLS\\readme.txt"},
    };
    for (const Row& row : rows) {
        HelpMachine machine(row.moduleDir);
        machine.shell.result = Shell::kFileNotFound;
        machine.app.OpenHelpFile(row.name);
        CHECK(machine.shell.opened == std::vector<std::string>{row.path});
        REQUIRE(machine.boxes.shown.size() == 1);
        CHECK(machine.boxes.shown[0].text == std::string(row.path) + kFailureTail);
    }
}
