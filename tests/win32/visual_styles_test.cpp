// The manifest that the program carries, and this test executable with it:
// the common controls 6 come from the side-by-side store, and they, not the
// system's older classes, draw the dialog's buttons and fields.
#include "framework/system_library.h"
#include "res/resource.h"
#include "tests/win32/dialog_harness.h"
#include "ui/tessera_dlg.h"

#include <doctest/doctest.h>

#include <cctype>
#include <string>

namespace {
std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string FileNameOf(HMODULE module)
{
    char name[MAX_PATH] = {};
    ::GetModuleFileNameA(module, name, MAX_PATH);
    return Lower(name);
}

bool OfUser32(HWND control)
{
    return reinterpret_cast<HMODULE>(::GetClassLongPtrA(control, GCLP_HMODULE)) ==
           ::GetModuleHandleA("USER32.DLL");
}
}  // namespace

TEST_CASE("COMCTL32 is the version 6 assembly the manifest names; other DLLs come from the system directory")
{
    const std::string comctl = FileNameOf(LoadSystemLibrary("COMCTL32.DLL"));
    CAPTURE(comctl);
    CHECK(comctl.find("\\winsxs\\") != std::string::npos);
    CHECK(comctl.find("_microsoft.windows.common-controls_") != std::string::npos);
    CHECK(comctl.find("_6.0.") != std::string::npos);
    CHECK(FileNameOf(::GetModuleHandleA("COMCTL32.DLL")) == comctl);

    char system[MAX_PATH] = {};
    ::GetSystemDirectoryA(system, MAX_PATH);
    CHECK(FileNameOf(LoadSystemLibrary("VERSION.DLL")) == Lower(system) + "\\version.dll");
}

TEST_CASE("The main dialog's buttons and fields are those of the common controls 6")
{
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] {
        for (const int id : {IDOK, IDCANCEL, IDC_ADD, IDC_SOURCE_EDIT, IDC_TARGET_EDIT}) {
            CAPTURE(id);
            CHECK_FALSE(OfUser32(::GetDlgItem(dialog.m_hWnd, id)));
        }
        PostClick(dialog.m_hWnd, IDCANCEL);
    });
    CHECK(script.RunModal(dialog) == IDCANCEL);
}
