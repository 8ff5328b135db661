// Drops onto the two path fields, with real drop data and real shell links.
#include "res/resource.h"
#include "tests/win32/dialog_harness.h"
#include "tests/win32/test_folder.h"
#include "ui/tessera_dlg.h"

#include <doctest/doctest.h>

#include <vector>

namespace {
const char kTyped[] = "typed by hand";

struct Files {
    TestFolder folder{"drops"};
    std::string file = folder / "NEW.DLL";
    std::string second = folder / "OTHER.SYS";
    std::string sub = folder / "ソフト";  // 0x83 0x5C: no separator inside
    std::string fileInSub = sub + "\\表示.DLL";
    std::string linkToFile = folder / "file.lnk";
    std::string linkToFolder = folder / "folder.lnk";
    std::string linkToGone = folder / "gone.lnk";
    std::string linkToComputer = folder / "computer.lnk";
    std::string notALink = folder / "plain.lnk";

    Files()
    {
        WriteFileBytes(file, "new");
        WriteFileBytes(second, "other");
        ::CreateDirectoryA(sub.c_str(), nullptr);
        WriteFileBytes(fileInSub, "sub");
        WriteFileBytes(notALink, "not a shell link");
        const std::string gone = folder / "GONE.DLL";
        WriteFileBytes(gone, "soon gone");
        REQUIRE(MakeShortcut(linkToFile, file));
        REQUIRE(MakeShortcut(linkToFolder, sub));
        REQUIRE(MakeShortcut(linkToGone, gone));
        ::DeleteFileA(gone.c_str());
        REQUIRE(MakeShortcutToComputer(linkToComputer));
    }
};
}  // namespace

TEST_CASE("A drop puts the first item's path into its field only when the kind fits")
{
    DialogTestApp test;
    Files files;
    const std::string overlong = "C:\\" + std::string(300, 'x') + ".dll";
    struct Row {
        std::string name;
        int field;
        std::vector<std::string> items;
        std::string expected;  // the field's text afterwards
    };
    const std::vector<Row> rows = {
        {"a file onto the source field", IDC_SOURCE_EDIT, {files.file}, files.file},
        {"a file whose folder holds 0x5C bytes", IDC_SOURCE_EDIT, {files.fileInSub}, files.fileInSub},
        {"a folder onto the source field", IDC_SOURCE_EDIT, {files.sub}, kTyped},
        {"a folder onto the target field", IDC_TARGET_EDIT, {files.sub}, files.sub},
        {"a file onto the target field", IDC_TARGET_EDIT, {files.file}, kTyped},
        {"a drive's root onto the target field", IDC_TARGET_EDIT, {"C:\\"}, "C:\\"},
        {"several files: the first counts", IDC_SOURCE_EDIT, {files.second, files.file}, files.second},
        {"the wrong kind first, a fitting item after it", IDC_SOURCE_EDIT, {files.sub, files.file}, kTyped},
        {"a fitting folder after a file", IDC_TARGET_EDIT, {files.file, files.sub}, kTyped},
        {"a shortcut to a file onto the source field", IDC_SOURCE_EDIT, {files.linkToFile}, files.file},
        {"a shortcut to a folder onto the target field", IDC_TARGET_EDIT, {files.linkToFolder}, files.sub},
        {"a shortcut to a folder onto the source field", IDC_SOURCE_EDIT, {files.linkToFolder}, kTyped},
        {"a shortcut whose target is gone", IDC_SOURCE_EDIT, {files.linkToGone}, kTyped},
        {"a shortcut to a shell object: the link file itself", IDC_SOURCE_EDIT, {files.linkToComputer},
         files.linkToComputer},
        {"a shortcut to a shell object onto the target field", IDC_TARGET_EDIT, {files.linkToComputer}, kTyped},
        {"a file named .lnk that is no shell link", IDC_SOURCE_EDIT, {files.notALink}, files.notALink},
        {"something that does not exist", IDC_SOURCE_EDIT, {files.folder / "MISSING.DLL"}, kTyped},
        {"a path longer than any buffer", IDC_SOURCE_EDIT, {overlong}, kTyped},
        {"an empty drop", IDC_SOURCE_EDIT, {}, kTyped},
    };

    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] {
        for (const Row& row : rows) {
            CAPTURE(row.name);
            HWND field = ::GetDlgItem(dialog.m_hWnd, row.field);
            ::SetWindowTextA(field, kTyped);
            HDROP drop = MakeDrop(row.items);
            ::SendMessageA(field, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
            CHECK(TextOf(field) == row.expected);
            // The drop data has been released.
            CHECK(::GlobalFlags(drop) == GMEM_INVALID_HANDLE);
        }
        PostClick(dialog.m_hWnd, IDCANCEL);
    });
    script.RunModal(dialog);
    CHECK(test.boxes.shown.empty());
}

TEST_CASE("A dropped path reaches the bound string only at the next UpdateData(TRUE)")
{
    DialogTestApp test;
    Files files;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] {
        HWND source = ::GetDlgItem(dialog.m_hWnd, IDC_SOURCE_EDIT);
        ::SetWindowTextA(source, kTyped);
        dialog.UpdateData(TRUE);
        ::SendMessageA(source, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({files.file})), 0);
        CHECK(TextOf(source) == files.file);
        CHECK(dialog.m_strSource == kTyped);
        dialog.UpdateData(TRUE);
        CHECK(dialog.m_strSource == files.file.c_str());
        PostClick(dialog.m_hWnd, IDCANCEL);
    });
    script.RunModal(dialog);
}

TEST_CASE("ResolveShortcut answers a link's stored path and nothing for anything else")
{
    DialogTestApp test;
    Files files;
    CDropEdit edit(test.files);
    CHECK(edit.ResolveShortcut(files.linkToFile.c_str()) == files.file.c_str());
    CHECK(edit.ResolveShortcut(files.linkToFolder.c_str()) == files.sub.c_str());
    CHECK(edit.ResolveShortcut(files.linkToGone.c_str()) == (files.folder / "GONE.DLL").c_str());
    CHECK(edit.ResolveShortcut(files.linkToComputer.c_str()) == "");
    CHECK(edit.ResolveShortcut(files.notALink.c_str()) == "");
    CHECK(edit.ResolveShortcut(files.file.c_str()) == "");
    CHECK(edit.ResolveShortcut("") == "");
    // More bytes than the wide buffer has characters, though each would fit.
    CHECK(edit.ResolveShortcut(("C:\\" + std::string(400, 'x') + ".lnk").c_str()) == "");
}

TEST_CASE("A field that creates its own window accepts drops from its creation on")
{
    DialogTestApp test;
    Files files;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] {
        CDropEdit own(test.files);
        const RECT place = {10, 10, 200, 30};
        REQUIRE(own.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, place, &dialog, 4000));
        CHECK((::GetWindowLongA(own.m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0);
        ::SendMessageA(own.m_hWnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({files.file})), 0);
        CHECK(TextOf(own.m_hWnd) == files.file);
        ::DestroyWindow(own.m_hWnd);
        CHECK(own.m_hWnd == nullptr);
        PostClick(dialog.m_hWnd, IDCANCEL);
    });
    script.RunModal(dialog);
}
