// "置換して終了": what a commit asks, schedules and answers, in the order the
// user meets it.
#include "framework/long_text_dlg.h"
#include "framework/message_box.h"
#include "res/resource.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/win32/dialog_harness.h"
#include "ui/tessera_dlg.h"

#include <doctest/doctest.h>

#include <regex>
#include <string>
#include <vector>

namespace {
const std::string kConfirm = "本当に置換を行ってもよろしいですか?";
const std::string kReport = "C:\\SRC\\A.DLL\n → C:\\SYS\\A.DLL\n再起動後に置換されます．\n\n";
const std::string kRestartPrompt =
    "ファイルの置換を完了するにはシステムの再起動が必要です．\n今すぐ再起動しますか?";
const std::string kNoPrivilege =
    "再起動に必要な特権が得られませんでした．\n自分で再起動を行ってください．";
const std::string kRestartFailed = "再起動に失敗しました．\n自分で再起動を行ってください．";

// The main dialog with a plan of one entry, C:\SRC\A.DLL for C:\SYS\A.DLL, on
// fake files; every box and restart step goes to one journal.
struct CommitStage {
    FakeFileSystem files;
    DialogTestApp test{&files};
    std::vector<std::string> journal;
    CTesseraDlg dialog{test.Dialog()};
    DialogScript script;

    CommitStage()
    {
        files.AddFile("C:\\SRC\\A.DLL");
        files.AddFile("C:\\SYS\\A.DLL");
        test.boxes.journal = &journal;
        test.restart.journal = &journal;
        script.Do([this] { EnterPair(dialog.m_hWnd, "C:\\SRC\\A.DLL", "C:\\SYS"); })
            .Then([this] { return dialog.m_list.GetItemCount() == 1; });
    }
    // Plays the script; "close" ends the journal when the dialog closed with IDOK.
    INT_PTR Run()
    {
        const INT_PTR result = script.RunModal(dialog);
        if (result == IDOK)
            journal.push_back("close");
        return result;
    }
};
}  // namespace

TEST_CASE("Replace and quit: confirm, schedule for the family, offer the restart, close")
{
    struct Row {
        std::string what;
        OsKind osKind;
        std::vector<int> answers;  // to the confirmation, the report and the restart prompt
        bool privilegeEnables;
        bool restartStarts;
        // Every box and restart step in order, then "close" when the dialog
        // closed with IDOK.
        std::vector<std::string> journal;
        std::vector<unsigned> styles;      // of the boxes, in order
        std::vector<std::string> changes;  // the file operations that change something
    };
    const std::string c = kConfirm, r = kReport, p = kRestartPrompt;
    const unsigned question = box::kYesNo | box::kIconQuestion;
    const unsigned prompt = question | box::kDefaultButton2;
    const std::vector<std::string> nt = {"copy C:\\SRC\\A.DLL > C:\\SYS\\A.DLL.new",
                                         "move C:\\SYS\\A.DLL > C:\\SYS\\A.DLL.old",
                                         "move C:\\SYS\\A.DLL.new > C:\\SYS\\A.DLL"};
    const std::vector<std::string> nine = {
        "copy C:\\SRC\\A.DLL > C:\\SYS\\A.NEW",
        "profile wininit.ini [rename] C:\\SYS\\A.OLD=C:\\SYS\\A.DLL",
        "profile wininit.ini [rename] C:\\SYS\\A.DLL=C:\\SYS\\A.NEW"};
    const std::vector<Row> rows = {
        {"No at the confirmation: the dialog stays", OS_NT, {IDNO}, true, true, {c}, {question}, {}},
        {"NT, No at the restart prompt", OS_NT, {IDYES, IDOK, IDNO}, true, true,
         {c, r, p, "close"}, {question, box::kOk, prompt}, nt},
        {"NT, restart requested", OS_NT, {IDYES, IDOK, IDYES}, true, true,
         {c, r, p, "EnableShutdownPrivilege", "RequestRestart", "close"}, {question, box::kOk, prompt},
         nt},
        {"NT, privilege refused", OS_NT, {IDYES, IDOK, IDYES}, false, true,
         {c, r, p, "EnableShutdownPrivilege", kNoPrivilege, "close"},
         {question, box::kOk, prompt, box::kOk}, nt},
        {"NT, restart refused", OS_NT, {IDYES, IDOK, IDYES}, true, false,
         {c, r, p, "EnableShutdownPrivilege", "RequestRestart", kRestartFailed, "close"},
         {question, box::kOk, prompt, box::kOk}, nt},
        {"9x, No at the restart prompt", OS_9X, {IDYES, IDOK, IDNO}, true, true,
         {c, r, p, "close"}, {question, box::kOk, prompt}, nine},
        {"9x, restart requested without a privilege step", OS_9X, {IDYES, IDOK, IDYES}, false, true,
         {c, r, p, "RequestRestart", "close"}, {question, box::kOk, prompt}, nine},
        {"9x, restart refused", OS_9X, {IDYES, IDOK, IDYES}, true, false,
         {c, r, p, "RequestRestart", kRestartFailed, "close"}, {question, box::kOk, prompt, box::kOk},
         nine},
        {"another platform: no scheduler, no report", OS_UNKNOWN, {IDYES, IDNO}, true, true,
         {c, p, "close"}, {question, prompt}, {}},
        {"another platform: the restart has no privilege step", static_cast<OsKind>(3), {IDYES, IDYES}, false, true,
         {c, p, "RequestRestart", "close"}, {question, prompt}, {}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.what);
        CommitStage stage;
        stage.test.app.m_nOsKind = row.osKind;
        for (int answer : row.answers)
            stage.test.boxes.Answer(answer);
        stage.test.restart.privilegeEnables = row.privilegeEnables;
        stage.test.restart.restartStarts = row.restartStarts;
        CTesseraDlg& dialog = stage.dialog;
        stage.script.Do([&] { PostClick(dialog.m_hWnd, IDOK); });
        if (row.journal.back() != "close") {
            stage.script.Then([&] { return !stage.journal.empty(); }).Do([&] {
                CHECK(dialog.m_list.GetItemCount() == 1);
                PostClick(dialog.m_hWnd, IDCANCEL);
            });
        }
        stage.Run();
        CHECK(stage.journal == row.journal);
        std::vector<unsigned> styles;
        for (const ShownBox& shown : stage.test.boxes.shown)
            styles.push_back(shown.style);
        CHECK(styles == row.styles);
        std::vector<std::string> changes;
        for (const std::string& entry : stage.files.log) {
            if (entry.rfind("status", 0) != 0 && entry.rfind("short", 0) != 0)
                changes.push_back(entry);
        }
        CHECK(changes == row.changes);
    }
}

TEST_CASE("After a No at the confirmation a second press asks again")
{
    CommitStage stage;
    for (int answer : {IDNO, IDYES, IDOK, IDNO})
        stage.test.boxes.Answer(answer);
    HWND& dialog = stage.dialog.m_hWnd;
    stage.script.Do([&] { PostClick(dialog, IDOK); })
        .Then([&] { return stage.journal.size() == 1; })
        .Do([&] { PostClick(dialog, IDOK); });
    CHECK(stage.Run() == IDOK);
    CHECK(stage.journal ==
          std::vector<std::string>{kConfirm, kConfirm, kReport, kRestartPrompt, "close"});
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

TEST_CASE("A report too tall for the screen is read in a window that scrolls, captioned as the "
          "boxes are, whose text follows the window's size")
{
    std::string report;
    for (int i = 1; i <= 40; ++i)
        report += "C:\\SRC\\F" + std::to_string(i) + ".DLL\n → C:\\SYS\\F.DLL\n再起動後に置換されます．\n\n";
    CHECK(MessageBoxFitsWorkArea(kReport.c_str()));
    CHECK_FALSE(MessageBoxFitsWorkArea(report.c_str()));
    // A line that cannot be broken widens the box beyond the screen.
    CHECK_FALSE(MessageBoxFitsWorkArea(std::string(4000, 'W').c_str()));
    DialogTestApp test;
    CLongTextDlg dialog({IDD_LONG_TEXT, IDC_LONG_TEXT}, report.c_str(), "SUMMARY");
    DialogScript script;
    script.Do([&] {
        HWND window = dialog.m_hWnd, edit = dialog.GetDlgItem(IDC_LONG_TEXT);
        CHECK(TextOf(window) == "TESSERA");
        CHECK(TextOf(edit) == std::regex_replace("SUMMARY\n\n" + report, std::regex("\n"), "\r\n"));
        CHECK((::GetWindowLongA(edit, GWL_STYLE) & WS_VSCROLL) != 0);
        RECT frame, before, after, button;
        ::GetWindowRect(window, &frame);
        ::GetWindowRect(edit, &before);
        ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + 120,
                       frame.bottom - frame.top + 90, SWP_NOMOVE | SWP_NOZORDER);
        ::GetWindowRect(edit, &after);
        ::GetWindowRect(dialog.GetDlgItem(IDOK), &button);
        CHECK(after.right - before.right == 120);
        CHECK(after.bottom - before.bottom == 90);
        CHECK(button.top > after.bottom);
        PostClick(window, IDOK);
    });
    CHECK(script.RunModal(dialog) == IDOK);
}
