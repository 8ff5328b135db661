#include "platform/win32_restart_services.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <vector>

namespace {
LUID ShutdownPrivilege()
{
    LUID luid = {};
    REQUIRE(::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
    return luid;
}

// The attributes of the shutdown privilege in the process token, or -1 when
// the token does not hold it.
long ShutdownPrivilegeAttributes()
{
    HANDLE token = nullptr;
    REQUIRE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token));
    DWORD size = 0;
    ::GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    const bool read = ::GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size);
    ::CloseHandle(token);
    REQUIRE(read);
    const LUID wanted = ShutdownPrivilege();
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
        if (entry.Luid.LowPart == wanted.LowPart && entry.Luid.HighPart == wanted.HighPart)
            return static_cast<long>(entry.Attributes);
    }
    return -1;
}

void DisableShutdownPrivilege()
{
    HANDLE token = nullptr;
    REQUIRE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES state = {};
    state.PrivilegeCount = 1;
    state.Privileges[0].Luid = ShutdownPrivilege();
    state.Privileges[0].Attributes = 0;
    const bool adjusted = ::AdjustTokenPrivileges(token, FALSE, &state, 0, nullptr, nullptr);
    ::CloseHandle(token);
    REQUIRE(adjusted);
}
}  // namespace

TEST_CASE("The privilege step enables the shutdown privilege of the process token")
{
    DisableShutdownPrivilege();
    REQUIRE(ShutdownPrivilegeAttributes() >= 0);
    REQUIRE((ShutdownPrivilegeAttributes() & SE_PRIVILEGE_ENABLED) == 0);
    CHECK(Win32RestartServices().EnableShutdownPrivilege());
    CHECK((ShutdownPrivilegeAttributes() & SE_PRIVILEGE_ENABLED) != 0);
}
