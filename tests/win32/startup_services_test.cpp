#include "app/tessera_app.h"
#include "app/win32_startup_services.h"
#include "framework/win32_code_page.h"
#include "platform/win32_token_services.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_services.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_startup_platform.h"
#include "tests/win32/test_folder.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <string>

namespace {
// Runs program and answers what it printed.
std::string OutputOf(const std::string& program)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    ::CreatePipe(&read, &write, &inherit, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\"";
    std::string output;
    if (::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                         nullptr, &startup, &process)) {
        ::CloseHandle(write);
        write = nullptr;
        char chunk[512];
        DWORD got = 0;
        while (::ReadFile(read, chunk, sizeof chunk, &got, nullptr) && got > 0)
            output.append(chunk, got);
        ::WaitForSingleObject(process.hProcess, 10000);
        ::CloseHandle(process.hProcess);
        ::CloseHandle(process.hThread);
    }
    if (write)
        ::CloseHandle(write);
    ::CloseHandle(read);
    return output;
}
}  // namespace

TEST_CASE("The executable's folder is found in a folder whose name holds 0x5C bytes")
{
    TestFolder folder("ソフト");
    const std::string probe = folder / "PROBE.EXE";
    REQUIRE(::CopyFileA((ExecutableFolder() + "module_dir_probe.exe").c_str(), probe.c_str(), FALSE));
    CHECK(OutputOf(probe) == folder.Path() + "\\");
}

TEST_CASE("Under Wine the process token lists Administrators and the platform is NT")
{
    Win32StartupLibraries libraries;
    Win32SystemFacts facts;
    FakeStartupPlatform mainDialog;
    Win32TokenServices tokens;
    FakeMessageBoxes boxes;
    Win32CodePage codePage;
    FakeRestartServices restart;
    FakeShell shell;
    CTesseraApp app(
        AppServices{libraries, facts, mainDialog, tokens, boxes, codePage, restart, shell});
    CHECK(app.IsAdmin());
    const PlatformVersion version = facts.GetVersion();
    CHECK(version.platformId == 2);
    CHECK(version.buildNumber >= 1381);
}
