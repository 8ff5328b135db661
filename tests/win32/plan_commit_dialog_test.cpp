// The dialog's buttons wired to the plan rules and the commit flow: rows and
// fields as the user sees them, and what a commit asks, schedules and answers.
#include "res/resource.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/win32/dialog_harness.h"
#include "tests/win32/test_folder.h"
#include "ui/tessera_dlg.h"

#include <commctrl.h>

#include <doctest/doctest.h>

#include <array>
#include <vector>

namespace {
std::array<std::string, 4> Row(CTesseraDlg& dialog, int row)
{
    std::array<std::string, 4> cells;
    for (int column = 0; column < 4; ++column)
        cells[column] = std::string(dialog.m_list.GetItemText(row, column));
    return cells;
}

std::vector<std::string> Entries(const CStringArray& array)
{
    std::vector<std::string> entries;
    for (int i = 0; i < array.GetSize(); ++i)
        entries.push_back(std::string(array[i]));
    return entries;
}

void EnterPair(CTesseraDlg& dialog, const std::string& source, const std::string& folder)
{
    ::SetDlgItemTextA(dialog.m_hWnd, IDC_SOURCE_EDIT, source.c_str());
    ::SetDlgItemTextA(dialog.m_hWnd, IDC_TARGET_EDIT, folder.c_str());
    PostClick(dialog.m_hWnd, IDC_ADD);
}

const char kConfirm[] = "本当に置換を行ってもよろしいですか?";
const char kRestartPrompt[] =
    "ファイルの置換を完了するにはシステムの再起動が必要です．\n今すぐ再起動しますか?";
}  // namespace

TEST_CASE("Add shows a row with both version texts; remove gives the pair back to the fields")
{
    DialogTestApp test;
    TestFolder sources("新版");
    TestFolder system("ソ");
    // The test executable carries the program's version record.
    for (const std::string& folder : {sources.Path(), system.Path()}) {
        REQUIRE(::CopyFileA((ExecutableFolder() + "win32_tests.exe").c_str(),
                            (folder + "\\A.DLL").c_str(), FALSE));
        WriteFileBytes(folder + "\\B.SYS", "no version record");
        WriteFileBytes(folder + "\\C.SYS", "no version record");
    }
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    auto rows = [&](int count) { return [&dialog, count] { return dialog.m_list.GetItemCount() == count; }; };
    script.Do([&] { EnterPair(dialog, sources / "A.DLL", system.Path()); })
        .Then(rows(1))
        .Do([&] {
            CHECK(Row(dialog, 0) == std::array<std::string, 4>{sources / "A.DLL", "1, 0, 0, 0",
                                                               system / "A.DLL", "1, 0, 0, 0"});
            EnterPair(dialog, sources / "B.SYS", system.Path() + "\\");
        })
        .Then(rows(2))
        .Do([&] { EnterPair(dialog, sources / "C.SYS", system.Path()); })
        .Then(rows(3))
        .Do([&] {
            CHECK(Row(dialog, 1) == std::array<std::string, 4>{sources / "B.SYS", "", system / "B.SYS", ""});
            dialog.m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
            ::SetDlgItemTextA(dialog.m_hWnd, IDC_SOURCE_EDIT, "typed, then replaced");
            PostClick(dialog.m_hWnd, IDC_REMOVE);
        })
        .Then(rows(2))
        .Do([&] {
            CHECK(dialog.m_list.GetNextItem(-1, LVNI_SELECTED) == 1);  // the former third row
            CHECK(Row(dialog, 1)[0] == sources / "C.SYS");
            CHECK(TextOf(::GetDlgItem(dialog.m_hWnd, IDC_SOURCE_EDIT)) == sources / "B.SYS");
            CHECK(TextOf(::GetDlgItem(dialog.m_hWnd, IDC_TARGET_EDIT)) == system.Path());
            CHECK(Entries(dialog.m_sources) == std::vector<std::string>{sources / "A.DLL", sources / "C.SYS"});
            CHECK(Entries(dialog.m_targets) == std::vector<std::string>{system / "A.DLL", system / "C.SYS"});
            CHECK(test.boxes.shown.empty());
            EnterPair(dialog, "", system.Path());
        })
        .Then([&] { return !test.boxes.shown.empty(); })
        .Do([&] {
            CHECK(test.boxes.Texts() == std::vector<std::string>{"置換元のファイルを指定してください．"});
            CHECK(dialog.m_list.GetItemCount() == 2);
            PostClick(dialog.m_hWnd, IDCANCEL);
        });
    CHECK(script.RunModal(dialog) == IDCANCEL);
}

TEST_CASE("Replace and quit: confirm, schedule for the family, offer the restart, close")
{
    const std::string report = "C:\\SRC\\A.DLL\n → C:\\SYS\\A.DLL\n再起動後に置換されます．\n\n";
    struct Case {
        std::string name;
        int osKind;
        std::vector<int> answers;  // to the confirmation, the report and the restart prompt
        int result;                // what DoModal answers
        std::vector<std::string> boxes;
        std::vector<std::string> changes;  // the file operations that change something
        std::vector<std::string> restartCalls;
    };
    const std::vector<Case> cases = {
        {"NT, yes and yes", OS_NT, {IDYES, IDOK, IDYES}, IDOK, {kConfirm, report, kRestartPrompt},
         {"copy C:\\SRC\\A.DLL > C:\\SYS\\A.DLL.new", "move C:\\SYS\\A.DLL > C:\\SYS\\A.DLL.old",
          "move C:\\SYS\\A.DLL.new > C:\\SYS\\A.DLL"},
         {"EnableShutdownPrivilege", "RequestRestart"}},
        {"9x, yes, then no restart", OS_9X, {IDYES, IDOK, IDNO}, IDOK, {kConfirm, report, kRestartPrompt},
         {"copy C:\\SRC\\A.DLL > C:\\SYS\\A.NEW",
          "profile wininit.ini [rename] C:\\SYS\\A.OLD=C:\\SYS\\A.DLL",
          "profile wininit.ini [rename] C:\\SYS\\A.DLL=C:\\SYS\\A.NEW"},
         {}},
        {"no at the confirmation: the dialog stays", OS_NT, {IDNO}, IDCANCEL, {kConfirm}, {}, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        FakeFileSystem files;
        files.AddFile("C:\\SRC\\A.DLL");
        files.AddFile("C:\\SYS\\A.DLL");
        DialogTestApp test(&files);
        test.app.m_nOsKind = c.osKind;
        for (int answer : c.answers)
            test.boxes.Answer(answer);
        CTesseraDlg dialog(test.Dialog());
        DialogScript script;
        script.Do([&] { EnterPair(dialog, "C:\\SRC\\A.DLL", "C:\\SYS"); })
            .Then([&] { return dialog.m_list.GetItemCount() == 1; })
            .Do([&] { PostClick(dialog.m_hWnd, IDOK); });
        if (c.result == IDCANCEL) {
            script.Then([&] { return !test.boxes.shown.empty(); }).Do([&] {
                CHECK(dialog.m_list.GetItemCount() == 1);
                PostClick(dialog.m_hWnd, IDCANCEL);
            });
        }
        CHECK(script.RunModal(dialog) == c.result);
        CHECK(test.boxes.Texts() == c.boxes);
        std::vector<std::string> changes;
        for (const std::string& entry : files.log) {
            if (entry.rfind("status", 0) != 0 && entry.rfind("short", 0) != 0)
                changes.push_back(entry);
        }
        CHECK(changes == c.changes);
        CHECK(test.restart.calls == c.restartCalls);
    }
}

TEST_CASE("Replace and quit with an empty plan closes at once, asking nothing")
{
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] { PostClick(dialog.m_hWnd, IDOK); });
    CHECK(script.RunModal(dialog) == IDOK);
    CHECK(test.boxes.shown.empty());
    CHECK(test.restart.calls.empty());
}
