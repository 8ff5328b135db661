#include "app/win32_startup_services.h"

#include "framework/module_path.h"
#include "framework/system_library.h"

#include <commctrl.h>
#include <objbase.h>

namespace {
// The list view and the tooltip classes come from the common controls, loaded
// from the system (the version 6 assembly where the manifest is read) rather
// than through the import table, so that no COMCTL32.DLL beside the
// executable is ever taken.
void RegisterCommonControls()
{
    const auto initEx =
        SystemFunction<decltype(&::InitCommonControlsEx)>("COMCTL32.DLL", "InitCommonControlsEx");
    if (initEx) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        initEx(&classes);
        // Version 6 also draws the dialogs' buttons, fields and labels. The
        // flag is asked for on its own: earlier versions do not know it.
        INITCOMMONCONTROLSEX standard = {sizeof standard, ICC_STANDARD_CLASSES};
        initEx(&standard);
        return;
    }
    // The first releases of the library register every class at once.
    const auto init =
        SystemFunction<decltype(&::InitCommonControls)>("COMCTL32.DLL", "InitCommonControls");
    if (init)
        init();
}
}  // namespace

void Win32StartupLibraries::SetUpLibraries()
{
    RestrictDllSearch();
    RegisterCommonControls();
    ::CoInitialize(nullptr);
}

void Win32StartupLibraries::ReleaseLibraries()
{
    ::CoUninitialize();
}

CString Win32SystemFacts::ModulePath()
{
    return ModuleFilePath();
}

PlatformVersion Win32SystemFacts::GetVersion()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148
    ::GetVersionExA(&info);
    return PlatformVersion{info.dwPlatformId, info.dwBuildNumber};
}

bool Win32SystemFacts::RunsUnderWow64()
{
#ifdef _WIN64
    return false;
#else
    // Windows releases without IsWow64Process have no 64-bit edition.
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = ModuleFunction<IsWow64ProcessFunction>(
        ::GetModuleHandleA("KERNEL32.DLL"), "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process && isWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

unsigned Win32SystemFacts::AnsiCodePage()
{
    return ::GetACP();
}
