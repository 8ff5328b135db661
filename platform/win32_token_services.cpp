#include "platform/win32_token_services.h"

#include <cstddef>
#include <windows.h>

static_assert(sizeof(TokenGroupEntry) == sizeof(SID_AND_ATTRIBUTES), "SID_AND_ATTRIBUTES layout");
static_assert(offsetof(TokenGroupList, groups) == offsetof(TOKEN_GROUPS, Groups), "TOKEN_GROUPS layout");

bool Win32TokenServices::OpenThreadToken(Handle* token)
{
    HANDLE handle = nullptr;
    const BOOL opened = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &handle);
    *token = handle;
    return opened != FALSE;
}

unsigned long Win32TokenServices::LastError()
{
    return ::GetLastError();
}

bool Win32TokenServices::OpenProcessToken(Handle* token)
{
    HANDLE handle = nullptr;
    const BOOL opened = ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &handle);
    *token = handle;
    return opened != FALSE;
}

bool Win32TokenServices::GetTokenGroups(Handle token, void* buffer, unsigned long size,
                                        unsigned long* needed)
{
    DWORD length = 0;
    const BOOL read = ::GetTokenInformation(token, TokenGroups, buffer, size, &length);
    *needed = length;
    return read != FALSE;
}

void Win32TokenServices::CloseToken(Handle token)
{
    ::CloseHandle(token);
}

bool Win32TokenServices::AllocateAdministratorsSid(Sid* sid)
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID built = nullptr;
    const BOOL allocated = ::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                                      DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                                      &built);
    *sid = built;
    return allocated != FALSE;
}

bool Win32TokenServices::EqualSid(Sid a, Sid b)
{
    return ::EqualSid(a, b) != FALSE;
}

void Win32TokenServices::FreeSid(Sid sid)
{
    ::FreeSid(sid);
}
