#include "app/tessera_app.h"
#include "tests/fakes/fake_app_services.h"
#include "tests/fakes/language_scope.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// "Windows NTの場合はVer4.0以上でしか動作しません。終了します。", byte by byte.
const char kRefusalOldNt[] =
    "Windows NT\x82\xCC\x8F\xEA\x8D\x87\x82\xCDVer4.0\x88\xC8\x8F\xE3\x82\xC5\x82\xB5\x82\xA9"
    "\x93\xAE\x8D\xEC\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42\x8F\x49\x97\xB9\x82\xB5\x82\xDC"
    "\x82\xB7\x81\x42";
const char kRefusalPlatform[] = "OSがWindows9xかWindows NTではありません。終了します。";
const char kRefusalNotAdmin[] =
    "Administrator権限がありません。\nこのプログラムはAdministrator権限がないと動作しません。";

struct Machine : FakeAppServices {
    CTesseraApp app{Services()};

    Machine() { tokens.groups = {"S-1-1-0", "S-1-5-32-544", "S-1-5-11"}; }

    // Runs the application as the executable's entry does.
    void Run() { AfxRunApplication(app); }
};
}  // namespace

TEST_CASE("Platform classification: the two families pass, everything else is refused")
{
    struct Row {
        unsigned long platformId;
        unsigned long build;
        int osKind;
        const char* refusal;  // null: the main dialog runs
        unsigned codePage = 932;  // any other gives the English texts
    };
    const std::vector<Row> rows = {
        {2, 1380, OS_UNKNOWN, kRefusalOldNt},
        {2, 1057, OS_UNKNOWN, kRefusalOldNt},
        {2, 1057, OS_UNKNOWN,
         "On Windows NT, Tessera needs version 4.0 or later. It will close now.", 1252},
        {2, 1381, OS_NT, nullptr},
        {2, 7601, OS_NT, nullptr},
        {2, 0xFFFFFFFFul, OS_NT, nullptr},  // the comparison is unsigned
        {1, 0, OS_9X, nullptr},
        {1, 0x040A08AE, OS_9X, nullptr},
        {0, 1381, OS_UNKNOWN, kRefusalPlatform},
        {3, 1381, OS_UNKNOWN, kRefusalPlatform},
        {3, 1381, OS_UNKNOWN,
         "This system is neither Windows 9x nor Windows NT. Tessera will close now.", 936},
    };
    for (const Row& row : rows) {
        CAPTURE(row.platformId);
        CAPTURE(row.build);
        CAPTURE(row.codePage);
        const LanguageScope restored(Language::kJapanese);
        Machine machine;
        machine.platform.codePage = row.codePage;
        machine.platform.version = {row.platformId, row.build};
        CHECK_FALSE(machine.app.InitInstance());
        CHECK(machine.app.m_nOsKind == row.osKind);
        const bool dialogRan = machine.platform.calls.back() == "RunMainDialog";
        CHECK(dialogRan == (row.refusal == nullptr));
        if (row.refusal) {
            REQUIRE(machine.boxes.shown.size() == 1);
            CHECK(machine.boxes.shown[0].text == row.refusal);
            CHECK(machine.boxes.shown[0].style == box::kOk);
            CHECK(machine.boxes.shown[0].caption == "");
        } else {
            CHECK(machine.boxes.shown.empty());
        }
    }
}

TEST_CASE("The 9x family runs without any administrator test")
{
    Machine machine;
    machine.platform.version = {1, 950};
    machine.tokens.groups.clear();
    machine.app.InitInstance();
    CHECK(machine.tokens.calls.empty());
    CHECK(machine.platform.calls.back() == "RunMainDialog");
    // What the last restart did is told on the family that passed the gate.
    CHECK(machine.platform.calls.end()[-2] == "TellWhatTheRestartDid 9x");
}

TEST_CASE("Start-up steps run in order and the libraries are released exactly once")
{
    SUBCASE("main dialog, after what the last restart did")
    {
        Machine machine;
        machine.Run();
        CHECK(machine.platform.calls ==
              std::vector<std::string>{"SetUpLibraries", "ModulePath", "GetVersion",
                                       "TellWhatTheRestartDid NT", "RunMainDialog",
                                       "ReleaseLibraries"});
    }
    SUBCASE("each refusal")
    {
        for (int refusal = 1; refusal <= 3; ++refusal) {
            CAPTURE(refusal);
            Machine machine;
            if (refusal == 1)
                machine.platform.version = {2, 1000};
            if (refusal == 2)
                machine.platform.version = {0, 0};
            if (refusal == 3)
                machine.tokens.groups = {"S-1-1-0"};
            machine.Run();
            CHECK(machine.platform.calls == std::vector<std::string>{"SetUpLibraries", "ModulePath",
                                                                      "GetVersion",
                                                                      "ReleaseLibraries"});
            CHECK(machine.boxes.shown.size() == 1);
        }
    }
}

TEST_CASE("A 32-bit program under WOW64 is refused after the classification, before the token")
{
    const std::string refusal =
        "64ビット版のWindowsでは動作しません。TESSERA64.EXEを使用してください。終了します。";
    SUBCASE("NT and 9x alike: one refusal, no token asked, libraries released")
    {
        for (unsigned long platformId : {2ul, 1ul}) {
            CAPTURE(platformId);
            Machine machine;
            machine.platform.wow64 = true;
            machine.platform.version = {platformId, 7601};
            machine.Run();
            REQUIRE(machine.boxes.shown.size() == 1);
            CHECK(machine.boxes.shown[0].text == refusal);
            CHECK(machine.boxes.shown[0].style == box::kOk);
            CHECK(machine.tokens.calls.empty());
            CHECK(machine.platform.calls.back() == "ReleaseLibraries");
            CHECK(std::count(machine.platform.calls.begin(), machine.platform.calls.end(),
                             "RunMainDialog") == 0);
        }
    }
    SUBCASE("an unsupported platform is refused as such first")
    {
        Machine machine;
        machine.platform.wow64 = true;
        machine.platform.version = {2, 1057};
        machine.Run();
        REQUIRE(machine.boxes.shown.size() == 1);
        CHECK(machine.boxes.shown[0].text == kRefusalOldNt);
    }
}

TEST_CASE("The module folder keeps everything up to the last backslash character")
{
    struct Row {
        const char* path;
        const char* folder;
    };
    const std::vector<Row> rows = {
        {"C:\\X.EXE", "C:\\"},
        {"C:\\TOOLS\\X.EXE", "C:\\TOOLS\\"},
        {"C:\\ソフト\\X.EXE", "C:\\ソフト\\"},
        {"C:\\ソ\\表\\TESSERA.EXE", "C:\\ソ\\表\\"},
    };
    for (const Row& row : rows) {
        Machine machine;
        machine.platform.modulePath = row.path;
        machine.app.InitInstance();
        CHECK(std::string(machine.app.m_szModuleDir) == row.folder);
    }
}

TEST_CASE("IsAdmin: the thread's token, else the process's, must list Administrators")
{
    SUBCASE("a thread without a token of its own falls back to the process token")
    {
        Machine machine;
        CHECK(machine.app.IsAdmin());
        CHECK(machine.tokens.calls[0] == "OpenThreadToken");
        CHECK(machine.tokens.calls[1] == "OpenProcessToken");
    }
    SUBCASE("an impersonating thread's own token decides")
    {
        Machine machine;
        machine.tokens.threadTokenError = 0;
        CHECK(machine.app.IsAdmin());
        CHECK(std::count(machine.tokens.calls.begin(), machine.tokens.calls.end(),
                         "OpenProcessToken") == 0);
    }
    SUBCASE("any other error opening the thread token refuses without the process token")
    {
        Machine machine;
        machine.tokens.threadTokenError = 5;  // access denied
        CHECK_FALSE(machine.app.IsAdmin());
        CHECK(machine.tokens.calls == std::vector<std::string>{"OpenThreadToken"});
    }
    SUBCASE("the process token cannot be opened")
    {
        Machine machine;
        machine.tokens.processTokenOpens = false;
        CHECK_FALSE(machine.app.IsAdmin());
    }
    SUBCASE("the groups cannot be read: the token is still closed")
    {
        Machine machine;
        machine.tokens.groupsReadable = false;
        CHECK_FALSE(machine.app.IsAdmin());
        CHECK(machine.tokens.openTokens == 0);
    }
    SUBCASE("the administrators identifier cannot be built")
    {
        Machine machine;
        machine.tokens.sidAllocates = false;
        CHECK_FALSE(machine.app.IsAdmin());
        CHECK(machine.tokens.openTokens == 0);
    }
    SUBCASE("not listed, and an empty list")
    {
        Machine machine;
        machine.tokens.groups = {"S-1-1-0", "S-1-5-32-545"};
        CHECK_FALSE(machine.app.IsAdmin());
        machine.tokens.groups.clear();
        CHECK_FALSE(machine.app.IsAdmin());
        CHECK(machine.tokens.liveSids == 0);
    }
    SUBCASE("a hundred groups, far more than 1024 bytes, are all read")
    {
        Machine machine;
        machine.tokens.groups.clear();
        for (int i = 0; i < 99; ++i)
            machine.tokens.groups.push_back("S-1-5-21-1-2-3-" + std::to_string(1000 + i));
        machine.tokens.groups.push_back("S-1-5-32-544");
        CHECK(machine.app.IsAdmin());
        CHECK(machine.tokens.openTokens == 0);
        CHECK(machine.tokens.liveSids == 0);
    }
    SUBCASE("the search stops at the first match")
    {
        Machine machine;
        machine.tokens.groups = {"S-1-5-32-544", "S-1-5-32-544", "S-1-1-0"};
        CHECK(machine.app.IsAdmin());
        CHECK(std::count(machine.tokens.calls.begin(), machine.tokens.calls.end(), "EqualSid") == 1);
    }
}
