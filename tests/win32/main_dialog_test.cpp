// The main dialog as it opens, its data exchange, its keys and its tooltip relay.
#include "res/resource.h"
#include "tests/fakes/language_scope.h"
#include "tests/win32/dialog_harness.h"
#include "ui/tessera_dlg.h"

#include <commctrl.h>

#include <doctest/doctest.h>

#include <vector>

namespace {
// Each text in Japanese and in English.
struct ExpectedTool {
    int id;
    const char* text[2];
};
const ExpectedTool kExpectedTools[] = {
    {1000, {"コピー元のファイル名を入力するか、エクスプローラ等からドラッグ&ドロップしてください",
            "Type the name of the new file, or drag and drop it here from Explorer"}},
    {1001, {"コピー先のフォルダ名を入力するか、エクスプローラ等からドラッグ&ドロップしてください",
            "Type the name of the target folder, or drag and drop it here from Explorer"}},
    {1004, {"置換元ファイルを選択します", "Choose the source file"}},
    {1005, {"置換先フォルダを選択します", "Choose the target folder"}},
    {1002, {"上に示された設定を追加します", "Add the pair above to the list"}},
    {1006, {"下で選択された設定を削除します", "Remove the pair selected below"}},
    {1008, {"置換ファイルのリストが表示されます", "The files to replace"}},
    {1010, {"ヘルプを表示します", "Show the help"}},
    {1007, {"ファイルのバージョン情報を表示します", "Show the program's version"}},
    {2, {"上記の設定を破棄して終了します", "Discard the list and quit"}},
    {1, {"置換の予約を行った後、再起動を問い合わせて終了します",
         "Schedule the replacements for the next restart, offer to restart now, and quit"}},
};

void CheckColumns(HWND list, int language)
{
    struct Column {
        const char* heading[2];
        int width;
    };
    const Column expected[] = {{{"置換元(上書きする側)", "Source (new file)"}, 195},
                               {{"Version", "Version"}, 70},
                               {{"置換先(上書きされる側)", "Target (file to replace)"}, 195},
                               {{"Version", "Version"}, 70}};
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    CHECK(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0) == 4);
    for (int i = 0; i < 4; ++i) {
        CAPTURE(i);
        char text[64] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        REQUIRE(::SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        CHECK(std::string(text) == expected[i].heading[language]);
        CHECK(column.cx == expected[i].width);
        CHECK((column.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_LEFT);
        CHECK(column.iSubItem == i);
    }
}

void CheckSystemMenu(HWND dialog, int language)
{
    const char* const pending[] = {"再起動待ちの操作(&P)...", "&Pending operations"};
    const char* const restore[] = {"バックアップから戻す(&R)...", "Restore a file from its &backup..."};
    const char* const history[] = {"置換の記録(&H)...", "Replacement &history"};
    HMENU menu = ::GetSystemMenu(dialog, FALSE);
    REQUIRE(menu != nullptr);
    // The entries come when the menu first opens, and only then.
    const int before = ::GetMenuItemCount(menu);
    for (int opened = 0; opened < 2; ++opened)
        ::SendMessageA(dialog, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    const int count = ::GetMenuItemCount(menu);
    REQUIRE(count == before + 6);
    CHECK((::GetMenuState(menu, count - 6, MF_BYPOSITION) & MF_SEPARATOR) != 0);
    CHECK(::GetMenuItemID(menu, count - 5) == IDM_PENDING);
    CHECK(::GetMenuItemID(menu, count - 4) == IDM_RESTORE);
    CHECK(::GetMenuItemID(menu, count - 3) == IDM_JOURNAL);
    CHECK((::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR) != 0);
    CHECK(::GetMenuItemID(menu, count - 1) == IDM_ABOUTBOX);
    char text[64] = {};
    ::GetMenuStringA(menu, count - 5, text, sizeof text, MF_BYPOSITION);
    CHECK(std::string(text) == pending[language]);
    ::GetMenuStringA(menu, count - 4, text, sizeof text, MF_BYPOSITION);
    CHECK(std::string(text) == restore[language]);
    ::GetMenuStringA(menu, count - 3, text, sizeof text, MF_BYPOSITION);
    CHECK(std::string(text) == history[language]);
    ::GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    CHECK(std::string(text) == "&About Tessera...");
}

void CheckToolTip(HWND dialog, HWND tip, int language)
{
    CHECK(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0) == 11);
    CHECK(::SendMessageA(tip, TTM_GETMAXTIPWIDTH, 0, 0) == 400);
    for (int i = 0; i < 11; ++i) {
        CAPTURE(i);
        // The ANSI query cuts texts at 80 bytes; the wide one gives them whole.
        WCHAR wide[1024] = {};
        TTTOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.lpszText = wide;
        REQUIRE(::SendMessageA(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)));
        CHECK((tool.uFlags & TTF_IDISHWND) != 0);
        CHECK(tool.hwnd == dialog);
        CHECK(reinterpret_cast<HWND>(tool.uId) == ::GetDlgItem(dialog, kExpectedTools[i].id));
        char text[2048] = {};
        ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        CHECK(std::string(text) == kExpectedTools[i].text[language]);
    }
}
}  // namespace

TEST_CASE("The main dialog opens as its template and initialisation give it, in either language")
{
    for (const Language language : {Language::kJapanese, Language::kEnglish}) {
        const int column = static_cast<int>(language);
        CAPTURE(column);
        const LanguageScope chosen(language);
        DialogTestApp test;
        CTesseraDlg dialog(test.Dialog());
        DialogScript script;
        script.Do([&] {
            HWND window = dialog.m_hWnd;
            CHECK(TextOf(window) == "Tessera");
            CHECK(dialog.m_list.m_hWnd == ::GetDlgItem(window, IDC_LIST));
            CHECK(::SendMessageA(dialog.m_list.m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) ==
                  LVS_EX_FULLROWSELECT);
            CheckColumns(dialog.m_list.m_hWnd, column);
            CHECK(dialog.m_list.GetItemCount() == 0);
            CheckSystemMenu(window, column);

            REQUIRE(dialog.m_hIcon != nullptr);
            CHECK(reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_BIG, 0)) == dialog.m_hIcon);
            CHECK(reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0)) == dialog.m_hIcon);
            CHECK(reinterpret_cast<HICON>(::SendMessageA(window, WM_QUERYDRAGICON, 0, 0)) == dialog.m_hIcon);

            CHECK(::SendMessageA(window, DM_GETDEFID, 0, 0) == MAKELONG(IDCANCEL, DC_HASDEFID));
            CHECK(TextOf(::GetDlgItem(window, IDC_OS_LABEL)).empty());
            CHECK(TextOf(::GetDlgItem(window, IDC_SOURCE_EDIT)).empty());
            CHECK(TextOf(::GetDlgItem(window, IDC_TARGET_EDIT)).empty());

            CHECK(dialog.m_editSource.m_hWnd == ::GetDlgItem(window, IDC_SOURCE_EDIT));
            CHECK(dialog.m_editTarget.m_hWnd == ::GetDlgItem(window, IDC_TARGET_EDIT));
            CHECK(dialog.m_editSource.m_bFolderMode == 0);
            CHECK(dialog.m_editTarget.m_bFolderMode == 1);
            // The tooltip is made when the mouse first comes.
            ::PostMessageA(window, WM_MOUSEMOVE, 0, 0);
        });
        script.Do([&] {
            CheckToolTip(dialog.m_hWnd, dialog.m_toolTip.m_hWnd, column);
            PostClick(dialog.m_hWnd, IDCANCEL);
        });
        CHECK(script.RunModal(dialog) == IDCANCEL);
    }
}

TEST_CASE("Field texts reach the bound strings only at UpdateData(TRUE), and go back at FALSE")
{
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] {
        HWND source = ::GetDlgItem(dialog.m_hWnd, IDC_SOURCE_EDIT);
        HWND target = ::GetDlgItem(dialog.m_hWnd, IDC_TARGET_EDIT);
        ::SetWindowTextA(source, "C:\\ソフト\\表示.DLL");
        ::SetWindowTextA(target, "C:\\WINDOWS\\SYSTEM");
        CHECK(dialog.m_strSource == "");
        CHECK(dialog.m_strTargetFolder == "");

        dialog.UpdateData(TRUE);
        CHECK(dialog.m_strSource == "C:\\ソフト\\表示.DLL");
        CHECK(dialog.m_strTargetFolder == "C:\\WINDOWS\\SYSTEM");
        CHECK(dialog.m_strOsLabel == "");

        dialog.m_strSource = "";  // any text passes, the empty one included
        dialog.m_strTargetFolder = "C:\\";
        dialog.UpdateData(FALSE);
        CHECK(TextOf(source).empty());
        CHECK(TextOf(target) == "C:\\");
        PostClick(dialog.m_hWnd, IDCANCEL);
    });
    script.RunModal(dialog);
}

TEST_CASE("Enter in a field, Escape and the close box all end the dialog with IDCANCEL")
{
    struct Row {
        std::string name;
        UINT message;
        WPARAM wParam;
        int control;  // where the message is posted; 0: the dialog
    };
    const std::vector<Row> rows = {
        {"Enter in the source field", WM_KEYDOWN, VK_RETURN, IDC_SOURCE_EDIT},
        {"Enter in the target field", WM_KEYDOWN, VK_RETURN, IDC_TARGET_EDIT},
        {"Escape", WM_KEYDOWN, VK_ESCAPE, IDC_SOURCE_EDIT},
        {"the close box", WM_SYSCOMMAND, SC_CLOSE, 0},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        DialogTestApp test;
        CTesseraDlg dialog(test.Dialog());
        DialogScript script;
        script.Do([&] {
            HWND target = row.control ? ::GetDlgItem(dialog.m_hWnd, row.control) : dialog.m_hWnd;
            ::SetFocus(target);
            ::PostMessageA(target, row.message, row.wParam, 0);
        });
        CHECK(script.RunModal(dialog) == IDCANCEL);
        CHECK(test.boxes.shown.empty());
        CHECK(test.restart.calls.empty());
    }
}

TEST_CASE("Every message the modal loop takes is relayed to the tooltip before it is handled")
{
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    static std::vector<std::string> events;  // the order in which the windows saw things
    static WNDPROC tipProc = nullptr, editProc = nullptr;
    events.clear();
    static HWND edit = nullptr, dialogWindow = nullptr;
    // Timer ticks, repaints and the mouse moves that Wine makes up when windows
    // appear are relayed too; only the messages posted below count.
    static const LPARAM kMark = MAKELPARAM(5, 7);
    struct Recorders {
        static bool Posted(const MSG& message)
        {
            return (message.hwnd == edit && message.message == WM_MOUSEMOVE && message.lParam == kMark) ||
                   (message.hwnd == edit && message.message == WM_CHAR) ||
                   (message.hwnd == dialogWindow && message.message == WM_NULL);
        }
        static LRESULT CALLBACK Tip(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        {
            if (message == TTM_RELAYEVENT && Posted(*reinterpret_cast<const MSG*>(lParam)))
                events.push_back("relay " + std::to_string(reinterpret_cast<const MSG*>(lParam)->message));
            return ::CallWindowProcA(tipProc, window, message, wParam, lParam);
        }
        static LRESULT CALLBACK Edit(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        {
            if (Posted(MSG{window, message, wParam, lParam, 0, {}}))
                events.push_back("edit " + std::to_string(message));
            return ::CallWindowProcA(editProc, window, message, wParam, lParam);
        }
    };
    script
        .Do([&] { ::PostMessageA(dialog.m_hWnd, WM_MOUSEMOVE, 0, 0); })  // makes the tooltip
        .Do([&] {
            edit = ::GetDlgItem(dialog.m_hWnd, IDC_TARGET_EDIT);
            dialogWindow = dialog.m_hWnd;
            tipProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                dialog.m_toolTip.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorders::Tip)));
            editProc = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Recorders::Edit)));
            events.clear();
            ::PostMessageA(edit, WM_MOUSEMOVE, 0, kMark);
            ::PostMessageA(edit, WM_CHAR, 'x', 0);
            ::PostMessageA(dialog.m_hWnd, WM_NULL, 0, 0);
        })
        .Do([&] {
            ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(editProc));
            ::SetWindowLongPtrA(dialog.m_toolTip.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(tipProc));
            const std::vector<std::string> expected = {
                "relay " + std::to_string(WM_MOUSEMOVE), "edit " + std::to_string(WM_MOUSEMOVE),
                "relay " + std::to_string(WM_CHAR), "edit " + std::to_string(WM_CHAR),
                "relay " + std::to_string(WM_NULL)};
            auto joined = [](const std::vector<std::string>& list) {
                std::string text;
                for (const std::string& item : list)
                    text += item + "; ";
                return text;
            };
            CHECK(joined(events) == joined(expected));
            CHECK(TextOf(edit) == "x");
            PostClick(dialog.m_hWnd, IDCANCEL);
        });
    script.RunModal(dialog);
}

TEST_CASE("Only the two path fields accept dropped files")
{
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] {
        const int ids[] = {IDC_SOURCE_EDIT, IDC_BROWSE_SOURCE, IDC_TARGET_EDIT, IDC_BROWSE_TARGET,
                           IDC_ADD, IDC_REMOVE, IDC_LIST, IDC_ABOUT, IDCANCEL, IDOK,
                           IDC_OS_LABEL, IDC_HELP_BUTTON};
        for (int id : ids) {
            CAPTURE(id);
            const LONG exStyle = ::GetWindowLongA(::GetDlgItem(dialog.m_hWnd, id), GWL_EXSTYLE);
            const bool accepts = (exStyle & WS_EX_ACCEPTFILES) != 0;
            CHECK(accepts == (id == IDC_SOURCE_EDIT || id == IDC_TARGET_EDIT));
        }
        CHECK((::GetWindowLongA(dialog.m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) == 0);
        PostClick(dialog.m_hWnd, IDCANCEL);
    });
    script.RunModal(dialog);
}

TEST_CASE("Minimised, the dialog paints its icon and still closes as usual")
{
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script
        .Do([&] { ::PostMessageA(dialog.m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0); })
        .Then([&] { return dialog.IsIconic() != FALSE; })
        .Do([&] {
            ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
            ::PostMessageA(dialog.m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        })
        .Then([&] { return !dialog.IsIconic(); })
        .Do([&] { ::PostMessageA(dialog.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); });
    CHECK(script.RunModal(dialog) == IDCANCEL);
}
