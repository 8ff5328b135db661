// The two browse buttons, with the real common dialogs answered by the script.
#include "res/resource.h"
#include "tests/win32/dialog_harness.h"
#include "tests/win32/test_folder.h"
#include "ui/tessera_dlg.h"

#include <doctest/doctest.h>

#include <vector>

namespace {
const char kSourceTitle[] = "置換元のファイルを選択してください";
const int kFileNameField = 0x47C;   // cmb13 of the Explorer-style dialog
const int kFileTypeList = 0x470;    // cmb1
const int kFolderTitle = 0x3742;    // the text above the folder tree
const int kFolderTree = 0x3741;

struct FindChild {
    int id;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM data)
{
    auto* search = reinterpret_cast<FindChild*>(data);
    char name[64] = {};
    ::GetClassNameA(child, name, sizeof name);
    if (::GetDlgCtrlID(child) != search->id || std::string(name) != search->className)
        return TRUE;
    search->found = child;
    return FALSE;
}

HWND Descendant(HWND window, int id, const char* className)
{
    FindChild search = {id, className, nullptr};
    ::EnumChildWindows(window, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of the folder tree's selected item, "" when none is selected.
std::string SelectedFolder(HWND browser)
{
    HWND tree = Descendant(browser, kFolderTree, "SysTreeView32");
    char text[MAX_PATH] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!item.hItem || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return text;
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

// Types into both fields, presses a browse button, lets answer deal with the
// dialog that opens, and checks both fields and members once it has closed.
struct BrowseRun {
    int button;
    std::string typedSource;
    std::string typedTarget;
    std::function<void(HWND)> answer;
    std::string expectedSource;
    std::string expectedTarget;

    void Play()
    {
        DialogTestApp test;
        CTesseraDlg dialog(test.Dialog());
        DialogScript script;
        HWND browser = nullptr;
        script
            .Do([&] {
                ::SetDlgItemTextA(dialog.m_hWnd, IDC_SOURCE_EDIT, typedSource.c_str());
                ::SetDlgItemTextA(dialog.m_hWnd, IDC_TARGET_EDIT, typedTarget.c_str());
                PostClick(dialog.m_hWnd, button);
            })
            .Then([&] { return (browser = FindOwnedDialog(dialog.m_hWnd)) != nullptr; })
            .Do([&] {
                CHECK_FALSE(::IsWindowEnabled(dialog.m_hWnd));
                answer(browser);
            })
            .Then([&] { return FindOwnedDialog(dialog.m_hWnd) == nullptr; })
            .Do([&] {
                CHECK(TextOf(::GetDlgItem(dialog.m_hWnd, IDC_SOURCE_EDIT)) == expectedSource);
                CHECK(TextOf(::GetDlgItem(dialog.m_hWnd, IDC_TARGET_EDIT)) == expectedTarget);
                CHECK(std::string(dialog.m_strSource) == expectedSource);
                CHECK(std::string(dialog.m_strTargetFolder) == expectedTarget);
                PostClick(dialog.m_hWnd, IDCANCEL);
            });
        script.RunModal(dialog);
        CHECK(test.boxes.shown.empty());
    }
};
}  // namespace

TEST_CASE("The source browser offers two filters, and its choice replaces only the source field")
{
    DialogTestApp test;
    TestFolder folder("browse source");
    const std::string chosen = folder / "新しい.DLL";
    WriteFileBytes(chosen, "new");

    SUBCASE("confirmed")
    {
        BrowseRun run{IDC_BROWSE_SOURCE, "typed source", "typed target", [&](HWND browser) {
                          CHECK(TextOf(browser) == kSourceTitle);
                          HWND types = ::GetDlgItem(browser, kFileTypeList);
                          CHECK(ComboEntries(types) == std::vector<std::string>{
                                                           "システムファイル (exe;com;sys;dll;vxd)",
                                                           "すべてのファイル (*.*)"});
                          CHECK(::SendMessageA(types, CB_GETCURSEL, 0, 0) == 0);
                          // The read-only box is hidden.
                          CHECK_FALSE(::IsWindowVisible(::GetDlgItem(browser, 0x410)));
                          HWND name = Descendant(browser, kFileNameField, "Edit");
                          REQUIRE(name != nullptr);
                          ::SetWindowTextA(name, chosen.c_str());
                          PostClick(browser, IDOK);
                      },
                      chosen, "typed target"};
        run.Play();
    }
    SUBCASE("cancelled")
    {
        BrowseRun run{IDC_BROWSE_SOURCE, "typed source", "typed target",
                      [](HWND browser) { PostClick(browser, IDCANCEL); }, "typed source",
                      "typed target"};
        run.Play();
    }
}

TEST_CASE("The folder browser preselects the field's folder and gives back the confirmed one")
{
    DialogTestApp test;
    // The browser's tree leaves out hidden folders, and the temporary folder
    // lies under one: the folder to preselect must be reachable in the tree.
    TestFolder folder("ソフト", "C:\\");
    // Confirms only once the tree shows the expected folder selected: without
    // the preselection the browser would give back some other folder, or none.
    auto confirmOn = [](const std::string& selected) {
        return [selected](HWND browser) {
            CHECK(TextOf(::GetDlgItem(browser, kFolderTitle)) == "置換先のフォルダを選択してください");
            CHECK(SelectedFolder(browser).find(selected) != std::string::npos);
            PostClick(browser, IDOK);
        };
    };
    auto cancel = [](HWND browser) { PostClick(browser, IDCANCEL); };
    struct Row {
        std::string name;
        std::string typed;
        std::function<void(HWND)> answer;
        std::string expected;
    };
    // Under Wine the first folder browser of a process may list the drive
    // without a folder made moments before it; the cancelled rows come first
    // so that the confirmed ones meet a settled listing.
    const std::vector<Row> rows = {
        {"cancelled: the typed text stays", folder.Path(), cancel, folder.Path()},
        {"cancelled with a text that names no folder", "no such folder", cancel, "no such folder"},
        {"a folder, confirmed as preselected: no trailing backslash", folder.Path(),
         confirmOn("ソフト"), folder.Path()},
        {"the same folder typed with a trailing backslash", folder.Path() + "\\",
         confirmOn("ソフト"), folder.Path()},
        {"a drive's root keeps its backslash", "C:\\", confirmOn("(C:)"), "C:\\"},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        BrowseRun run{IDC_BROWSE_TARGET, "typed source", row.typed, row.answer, "typed source",
                      row.expected};
        run.Play();
    }
}
