// The add and remove buttons of the main dialog: what the user sees in the
// rows, the fields and the boxes, and the entries behind the rows.
#include "res/resource.h"
#include "tests/fakes/fake_drive_c.h"
#include "tests/fakes/fake_version_records.h"
#include "tests/win32/dialog_harness.h"
#include "tests/win32/test_folder.h"
#include "ui/tessera_dlg.h"

#include <commctrl.h>

#include <doctest/doctest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace {
const UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

using Cells = std::array<std::string, 4>;

Cells Row(CTesseraDlg& dialog, int row)
{
    Cells cells;
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

std::string Field(CTesseraDlg& dialog, int id)
{
    return TextOf(::GetDlgItem(dialog.m_hWnd, id));
}

int SelectedRow(CTesseraDlg& dialog)
{
    return dialog.m_list.GetNextItem(-1, LVNI_SELECTED);
}

std::string VersionRecord(FakeVersionRecords& records, const char* path, const char* version)
{
    records.AddRecord(path, {{"\\VarFileInfo\\Translation",
                              FakeVersionRecords::Translations({{0x0411, 0x04B0}})},
                             {"\\StringFileInfo\\041104b0\\FileVersion", version}});
    return version;
}

// Boxes that note, as each of the dialog's own shows, how far the add has
// come, once told how to tell.
struct WitnessBoxes : FakeMessageBoxes {
    int ShowFromDialog(const char* text, const char* caption, unsigned style) override
    {
        if (moment)
            moments.push_back(moment());
        return FakeMessageBoxes::ShowFromDialog(text, caption, style);
    }

    std::function<std::string()> moment;
    std::vector<std::string> moments;
};

// The main dialog over drive C: and version records of the test's making.
struct FakeMachine {
    FakeDriveC files;
    FakeVersionRecords records;
    DialogTestApp test{&files, &records};
    WitnessBoxes boxes;
    CTesseraDlg dialog{DialogServices{test.files, test.codePage, test.versions, boxes, test.queue,
                                      test.wideToAnsi}};
    DialogScript script;

    // Steps that type a pair, press add and wait until the list has rows rows.
    DialogScript& Add(const std::string& source, const std::string& folder, int rows)
    {
        return script.Do([this, source, folder] { EnterPair(dialog.m_hWnd, source, folder); })
            .Then([this, rows] { return dialog.m_list.GetItemCount() == rows; });
    }
    // Plays the script with a last step that cancels the dialog.
    void Run()
    {
        script.Do([this] { PostClick(dialog.m_hWnd, IDCANCEL); });
        CHECK(script.RunModal(dialog) == IDCANCEL);
    }
};

// The list view refuses new rows while g_refuseRows is set.
WNDPROC g_listProc = nullptr;
bool g_refuseRows = false;

LRESULT CALLBACK RefusingList(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_INSERTITEMA && g_refuseRows)
        return -1;
    return ::CallWindowProcA(g_listProc, window, message, wParam, lParam);
}
}  // namespace

TEST_CASE("Add shows a row with both version texts; remove gives the pair back to the fields")
{
    DialogTestApp test;
    // Both folders end in a character whose second byte is 0x5C.
    TestFolder sources("表");
    TestFolder system("ソ");
    // The test executable carries the program's version record.
    for (const std::string& folder : {sources.Path(), system.Path()}) {
        REQUIRE(::CopyFileA((ExecutableFolder() + "win32_tests.exe").c_str(),
                            (folder + "\\A.DLL").c_str(), FALSE));
        WriteFileBytes(folder + "\\C.SYS", "no version record");
    }
    // The first translation of this record has no FileVersion.
    REQUIRE(::CopyFileA((ExecutableFolder() + "version_two_translations.dll").c_str(),
                        (sources / "B.SYS").c_str(), FALSE));
    WriteFileBytes(system / "B.SYS", "no version record");
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    auto rows = [&](int count) { return [&dialog, count] { return dialog.m_list.GetItemCount() == count; }; };
    script.Do([&] { EnterPair(dialog.m_hWnd, sources / "A.DLL", system.Path()); })
        .Then(rows(1))
        .Do([&] {
            CHECK(Row(dialog, 0) == Cells{sources / "A.DLL", "1, 0, 0, 0", system / "A.DLL", "1, 0, 0, 0"});
            EnterPair(dialog.m_hWnd, sources / "B.SYS", system.Path() + "\\");
        })
        .Then(rows(2))
        .Do([&] { EnterPair(dialog.m_hWnd, sources / "C.SYS", system.Path()); })
        .Then(rows(3))
        .Do([&] {
            CHECK(Row(dialog, 1) == Cells{sources / "B.SYS", "", system / "B.SYS", ""});
            // The focus on the first row, the selection on the second.
            dialog.m_list.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
            dialog.m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
            ::SetDlgItemTextA(dialog.m_hWnd, IDC_SOURCE_EDIT, "typed, then replaced");
            PostClick(dialog.m_hWnd, IDC_REMOVE);
        })
        .Then(rows(2))
        .Do([&] {
            // The former third row takes the selection and the focus.
            CHECK(SelectedRow(dialog) == 1);
            CHECK(dialog.m_list.GetItemState(1, kSelectedAndFocused) == kSelectedAndFocused);
            CHECK(Row(dialog, 1)[0] == sources / "C.SYS");
            CHECK(Field(dialog, IDC_SOURCE_EDIT) == sources / "B.SYS");
            CHECK(Field(dialog, IDC_TARGET_EDIT) == system.Path());
            CHECK(Entries(dialog.m_sources) == std::vector<std::string>{sources / "A.DLL", sources / "C.SYS"});
            CHECK(Entries(dialog.m_targets) == std::vector<std::string>{system / "A.DLL", system / "C.SYS"});
            // Added again straight from the fields: the same target.
            PostClick(dialog.m_hWnd, IDC_ADD);
        })
        .Then(rows(3))
        .Do([&] {
            CHECK(Row(dialog, 2) == Cells{sources / "B.SYS", "", system / "B.SYS", ""});
            CHECK(test.boxes.shown.empty());
            PostClick(dialog.m_hWnd, IDCANCEL);
        });
    CHECK(script.RunModal(dialog) == IDCANCEL);
}

TEST_CASE("Each refusal shows its one box and changes nothing: no lookup, no row, the fields as typed")
{
    struct Case {
        const char* source;
        const char* folder;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"", "", "置換元のファイルを指定してください．"},
        {kNewKernel, "C:\\NOWHERE",
         "置換先ファイル(C:\\NOWHERE\\KERNEL32.DLL)の情報が得られません．ファイルが存在するか確かめてください。"},
        {kNewUser, "C:\\WINDOWS\\SYSTEM\\",
         "置換先C:\\WINDOWS\\SYSTEM\\USER32.DLLはすでにC:\\NEW\\USER32.DLLで置きかえられることになっています．"},
    };
    FakeMachine machine;
    CTesseraDlg& dialog = machine.dialog;
    machine.Add(kNewUser, kSystem, 1);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        machine.script.Do([&] { EnterPair(dialog.m_hWnd, c.source, c.folder); })
            .Then([&machine, i] { return machine.boxes.shown.size() == i + 1; })
            .Do([&] {
                CAPTURE(c.message);
                CHECK(machine.boxes.shown.back().text == c.message);
                CHECK(machine.boxes.shown.back().caption == "");
                CHECK(machine.boxes.shown.back().style == box::kOk);
                CHECK(Entries(dialog.m_sources) == std::vector<std::string>{kNewUser});
                CHECK(Entries(dialog.m_targets) == std::vector<std::string>{kOldUser});
                CHECK(dialog.m_list.GetItemCount() == 1);
                CHECK(Row(dialog, 0) == Cells{kNewUser, "", kOldUser, ""});
                CHECK(machine.records.sized == std::vector<std::string>{kNewUser, kOldUser});
                CHECK(Field(dialog, IDC_SOURCE_EDIT) == c.source);
                CHECK(Field(dialog, IDC_TARGET_EDIT) == c.folder);
            });
    }
    machine.Run();
    CHECK(machine.boxes.shown.size() == cases.size());
}

TEST_CASE("An accepted pair is appended at the end, its versions looked up source first, the fields kept")
{
    FakeMachine machine;
    CTesseraDlg& dialog = machine.dialog;
    const std::string newVersion = VersionRecord(machine.records, kNewKernel, "4.10.2222");
    const std::string oldVersion = VersionRecord(machine.records, kOldKernel, "4.10.1998");
    // A path as long as a cell holds is shown whole.
    const std::string longSource = "C:\\" + std::string(259 - 4 - 7, 'X') + "\\GDI.EXE";
    REQUIRE(longSource.size() == 259);
    machine.files.AddFile(longSource);
    machine.Add(kNewUser, kSystem, 1);
    machine.Add(kNewKernel, "C:\\WINDOWS\\SYSTEM\\", 2).Do([&] {
        CHECK(Row(dialog, 0) == Cells{kNewUser, "", kOldUser, ""});
        CHECK(Row(dialog, 1) == Cells{kNewKernel, newVersion, kOldKernel, oldVersion});
        CHECK(Field(dialog, IDC_SOURCE_EDIT) == kNewKernel);
        CHECK(Field(dialog, IDC_TARGET_EDIT) == "C:\\WINDOWS\\SYSTEM\\");
    });
    machine.Add(longSource, "C:\\", 3).Do([&] {
        CHECK(Row(dialog, 2) == Cells{longSource, "", kOldGdi, ""});
    });
    machine.Run();
    CHECK(machine.boxes.shown.empty());
    CHECK(Entries(dialog.m_sources) == std::vector<std::string>{kNewUser, kNewKernel, longSource});
    CHECK(Entries(dialog.m_targets) == std::vector<std::string>{kOldUser, kOldKernel, kOldGdi});
    // A path beyond the lookup's 255-byte working buffer is not looked up.
    CHECK(machine.records.sized ==
          std::vector<std::string>{kNewUser, kOldUser, kNewKernel, kOldKernel, kOldGdi});
}

TEST_CASE("Failed version lookups leave empty cells; only a missing translation table speaks")
{
    SUBCASE("Both files without a translation table: two boxes, the source's first, the entry already in")
    {
        FakeMachine machine;
        CTesseraDlg& dialog = machine.dialog;
        machine.records.AddRecord(kNewKernel, {{"\\StringFileInfo\\041104b0\\FileVersion", "2"}});
        machine.records.AddRecord(kOldKernel, {{"\\StringFileInfo\\041104b0\\FileVersion", "1"}});
        machine.boxes.moment = [&] {
            return std::to_string(machine.records.sized.size()) + " lookups, " +
                   std::to_string(dialog.m_sources.GetSize()) + " entries, " +
                   std::to_string(dialog.m_list.GetItemCount()) + " rows";
        };
        machine.Add(kNewKernel, kSystem, 1).Do([&] {
            CHECK(Row(dialog, 0) == Cells{kNewKernel, "", kOldKernel, ""});
        });
        machine.Run();
        CHECK(machine.boxes.moments == std::vector<std::string>{"1 lookups, 1 entries, 0 rows",
                                                                "2 lookups, 1 entries, 0 rows"});
        REQUIRE(machine.boxes.shown.size() == 2);
        for (const ShownBox& shown : machine.boxes.shown) {
            CHECK(shown.text == "Unable to get translation type");
            CHECK(shown.caption == "Error");
            CHECK(shown.style == box::kOk);
        }
        CHECK(Entries(dialog.m_targets) == std::vector<std::string>{kOldKernel});
    }
    SUBCASE("No record and no FileVersion are silent")
    {
        FakeMachine machine;
        machine.records.AddRecord(kOldKernel, {{"\\VarFileInfo\\Translation",
                                                FakeVersionRecords::Translations({{0x0411, 0x04B0}})}});
        machine.Add(kNewKernel, kSystem, 1).Do([&] {
            CHECK(Row(machine.dialog, 0) == Cells{kNewKernel, "", kOldKernel, ""});
        });
        machine.Run();
        CHECK(machine.boxes.shown.empty());
    }
}

TEST_CASE("An entry whose row cannot be inserted is taken back out")
{
    FakeMachine machine;
    CTesseraDlg& dialog = machine.dialog;
    machine.Add(kNewUser, kSystem, 1)
        .Do([&] {
            g_listProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                dialog.m_list.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingList)));
            g_refuseRows = true;
            EnterPair(dialog.m_hWnd, kNewKernel, kSystem);
        })
        // The lookups come before the row.
        .Then([&] { return machine.records.sized.size() == 4; })
        .Do([&] {
            g_refuseRows = false;
            CHECK(dialog.m_list.GetItemCount() == 1);
            CHECK(Entries(dialog.m_sources) == std::vector<std::string>{kNewUser});
            CHECK(Entries(dialog.m_targets) == std::vector<std::string>{kOldUser});
        });
    // The next pair gets the next row, beside its own entry.
    machine.Add(kNewGdi, "C:\\", 2).Do([&] {
        CHECK(Row(dialog, 1) == Cells{kNewGdi, "", kOldGdi, ""});
        CHECK(Entries(dialog.m_sources) == std::vector<std::string>{kNewUser, kNewGdi});
    });
    machine.Run();
    CHECK(machine.boxes.shown.empty());
}

TEST_CASE("Remove with nothing selected keeps what was typed; remove of the last row selects nothing")
{
    FakeMachine machine;
    CTesseraDlg& dialog = machine.dialog;
    machine.Add(kNewKernel, kSystem, 1);
    machine.Add(kNewGdi, "C:\\", 2)
        .Do([&] {
            ::SetDlgItemTextA(dialog.m_hWnd, IDC_SOURCE_EDIT, "C:\\HALF TYPED");
            ::SetDlgItemTextA(dialog.m_hWnd, IDC_TARGET_EDIT, "D:\\");
            ::SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED), 0);
            CHECK(Field(dialog, IDC_SOURCE_EDIT) == "C:\\HALF TYPED");
            CHECK(Field(dialog, IDC_TARGET_EDIT) == "D:\\");
            CHECK(dialog.m_list.GetItemCount() == 2);
            CHECK(Entries(dialog.m_sources) == std::vector<std::string>{kNewKernel, kNewGdi});

            dialog.m_list.SetItemState(1, kSelectedAndFocused, kSelectedAndFocused);
            PostClick(dialog.m_hWnd, IDC_REMOVE);
        })
        .Then([&] { return dialog.m_list.GetItemCount() == 1; })
        .Do([&] {
            CHECK(SelectedRow(dialog) == -1);
            CHECK(Row(dialog, 0) == Cells{kNewKernel, "", kOldKernel, ""});
            CHECK(Entries(dialog.m_sources) == std::vector<std::string>{kNewKernel});
            CHECK(Entries(dialog.m_targets) == std::vector<std::string>{kOldKernel});
            // A root folder keeps its backslash.
            CHECK(Field(dialog, IDC_SOURCE_EDIT) == kNewGdi);
            CHECK(Field(dialog, IDC_TARGET_EDIT) == "C:\\");
        });
    machine.Run();
    CHECK(machine.boxes.shown.empty());
}
