// Help from the button and F1 in both dialogs, the About box from its button
// and the system menu, and the help launcher with the real shell.
#include "app/about_box_dlg.h"
#include "platform/win32_shell.h"
#include "res/resource.h"
#include "tests/fakes/language_scope.h"
#include "tests/win32/dialog_harness.h"
#include "tests/win32/test_folder.h"
#include "ui/tessera_dlg.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace {
const char kAboutCaption[] = "About Tessera";
const char kHelpPath[] = "C:\\TOOLS\\help.htm";

// F1 as the keyboard gives it: the system turns it into WM_HELP for the
// window with the focus, which passes it up to its dialog.
void PressF1(HWND dialog, HWND focus)
{
    ::SetForegroundWindow(dialog);
    ::SetFocus(focus);
    ::keybd_event(VK_F1, 0, 0, 0);
    ::keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
}

std::vector<std::string> Opened(const DialogTestApp& test)
{
    return test.shell.opened;
}

// A file type whose "open" runs command, registered for the life of the object.
class FileType {
public:
    FileType(const std::string& extension, const std::string& command) : m_extension(extension)
    {
        SetDefault(m_extension, kProgId);
        SetDefault(std::string(kProgId) + "\\shell\\open\\command", command);
    }
    ~FileType()
    {
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell\\open\\command").c_str());
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell\\open").c_str());
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kProgId) + "\\shell").c_str());
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kProgId);
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, m_extension.c_str());
    }

private:
    static constexpr const char* kProgId = "TesseraTestHelp";
    static void SetDefault(const std::string& key, const std::string& value)
    {
        HKEY handle = nullptr;
        REQUIRE(::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &handle, nullptr) == ERROR_SUCCESS);
        ::RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(handle);
    }
    std::string m_extension;
};
}  // namespace

TEST_CASE("The help button and F1 open the help document of the language beside the executable; "
          "the dialogs stay open")
{
    const std::pair<Language, const char*> documents[] = {{Language::kJapanese, kHelpPath},
                                                         {Language::kEnglish, "C:\\TOOLS\\help_en.htm"}};
    for (const auto& document : documents) {
        const LanguageScope chosen(document.first);
        DialogTestApp test;
        CTesseraDlg dialog(test.Dialog());
        DialogScript script;
        HWND about = nullptr;
        script
            .Do([&] { PostClick(dialog.m_hWnd, IDC_HELP_BUTTON); })
            .Then([&] { return Opened(test).size() == 1; })
            .Do([&] { PressF1(dialog.m_hWnd, ::GetDlgItem(dialog.m_hWnd, IDC_LIST)); })
            .Then([&] { return Opened(test).size() == 2; })
            .Do([&] { PostClick(dialog.m_hWnd, IDC_ABOUT); })
            .Then([&] { return (about = FindThreadDialog(kAboutCaption)) != nullptr; })
            .Do([&] { PressF1(about, ::GetDlgItem(about, IDOK)); })
            .Then([&] { return Opened(test).size() == 3; })
            .Do([&] {
                CHECK(FindThreadDialog(kAboutCaption) == about);
                PostClick(about, IDOK);
            })
            .Then([&] { return FindThreadDialog(kAboutCaption) == nullptr; })
            .Do([&] {
                CHECK(::IsWindowVisible(dialog.m_hWnd));
                PostClick(dialog.m_hWnd, IDCANCEL);
            });
        script.RunModal(dialog);
        CHECK(Opened(test) == std::vector<std::string>(3, document.second));
        CHECK(test.boxes.shown.empty());
    }
}

TEST_CASE("A help file the shell cannot open is reported with its full path; the dialog stays")
{
    DialogTestApp test;
    test.shell.result = Shell::kFileNotFound;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    script.Do([&] { PostClick(dialog.m_hWnd, IDC_HELP_BUTTON); })
        .Then([&] { return !test.boxes.shown.empty(); })
        .Do([&] { PostClick(dialog.m_hWnd, IDCANCEL); });
    CHECK(script.RunModal(dialog) == IDCANCEL);
    REQUIRE(test.boxes.shown.size() == 1);
    CHECK(test.boxes.shown[0].text ==
          "C:\\TOOLS\\help.htmを起動できませんでした。ファイルが存在するかどうか確かめてください。");
    CHECK(test.boxes.shown[0].style == MB_ICONHAND);
}

TEST_CASE("The About box opens from its button and from system commands 0x10 and 0x1F")
{
    struct Row {
        std::string name;
        UINT message;
        WPARAM wParam;
    };
    const std::vector<Row> rows = {
        {"the About button", WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED)},
        {"the About button again: a new run", WM_COMMAND, MAKEWPARAM(IDC_ABOUT, BN_CLICKED)},
        {"the system menu entry", WM_SYSCOMMAND, IDM_ABOUTBOX},
        {"the entry with the low four bits set", WM_SYSCOMMAND, 0x1F},
    };
    DialogTestApp test;
    CTesseraDlg dialog(test.Dialog());
    DialogScript script;
    int runs = 0;
    HWND about = nullptr;
    for (const Row& row : rows) {
        script.Do([&dialog, row] { ::PostMessageA(dialog.m_hWnd, row.message, row.wParam, 0); })
            .Then([&] { return (about = FindThreadDialog(kAboutCaption)) != nullptr; })
            .Do([&, row] {
                CAPTURE(row.name);
                ++runs;
                CHECK(::GetWindow(about, GW_OWNER) == dialog.m_hWnd);
                CHECK_FALSE(::IsWindowEnabled(dialog.m_hWnd));
                PostClick(about, IDOK);
            })
            .Then([&] {
                return FindThreadDialog(kAboutCaption) == nullptr && ::IsWindowEnabled(dialog.m_hWnd);
            });
    }
    script.Do([&] { PostClick(dialog.m_hWnd, IDCANCEL); });
    CHECK(script.RunModal(dialog) == IDCANCEL);
    CHECK(runs == 4);
}

TEST_CASE("The About box shows its template: caption, texts, icon and a default OK")
{
    DialogTestApp test;
    CAboutBoxDlg about;
    DialogScript script;
    script.Do([&] {
        HWND box = about.m_hWnd;
        CHECK(TextOf(box) == kAboutCaption);
        std::vector<std::string> texts;
        for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            texts.push_back(TextOf(child));
        CHECK(texts.size() == 8);
        CHECK(std::find(texts.begin(), texts.end(), "Tessera for Windows Version 1.00") != texts.end());
        CHECK(::SendMessageA(box, DM_GETDEFID, 0, 0) == MAKELONG(IDOK, DC_HASDEFID));
        HWND icon = ::GetWindow(box, GW_CHILD);
        CHECK(::SendMessageA(icon, STM_GETICON, 0, 0) != 0);
        ::PostMessageA(box, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    CHECK(script.RunModal(about) == IDCANCEL);
}

TEST_CASE("No text of any dialog is cut off by its control, in either language; the English "
          "dialogs have the Japanese ones' controls, with texts in ASCII")
{
    DialogTestApp test;
    for (int dialogId : {IDD_MAIN, IDD_ABOUTBOX, IDD_PENDING, IDD_JOURNAL}) {
        CAPTURE(dialogId);
        std::vector<std::string> controls[2];  // id and class of each, per language
        for (const Language language : {Language::kJapanese, Language::kEnglish}) {
            CAPTURE(static_cast<int>(language));
            const LanguageScope chosen(language);
            CDialog dialog(dialogId);
            DialogScript script;
            script.Do([&] {
                for (HWND child = ::GetWindow(dialog.m_hWnd, GW_CHILD); child;
                     child = ::GetWindow(child, GW_HWNDNEXT)) {
                    char className[32] = {};
                    ::GetClassNameA(child, className, sizeof className);
                    controls[static_cast<int>(language)].push_back(
                        std::to_string(::GetDlgCtrlID(child)) + " " + className);
                    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
                    const bool isText = std::string(className) == "Static" && (style & SS_TYPEMASK) != SS_ICON;
                    const bool isButton = std::string(className) == "Button";
                    const std::string text = TextOf(child);
                    if ((!isText && !isButton) || text.empty())
                        continue;
                    CAPTURE(text);
                    // The English dialogs are shown only where the code page is
                    // not 932; there their font is another, and the screen-fit
                    // run measures them (under 932 a Japanese font stands in).
                    if (language == Language::kEnglish) {
                        WCHAR wide[256] = {};
                        ::GetWindowTextW(child, wide, 256);
                        CHECK(std::all_of(wide, wide + lstrlenW(wide), [](WCHAR c) { return c < 0x80; }));
                        continue;
                    }
                    HDC context = ::GetDC(child);
                    HGDIOBJ old = ::SelectObject(
                        context, reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0)));
                    SIZE extent = {};
                    ::GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
                    ::SelectObject(context, old);
                    ::ReleaseDC(child, context);
                    RECT client;
                    ::GetClientRect(child, &client);
                    // A button's frame takes a few pixels on each side.
                    const int room = client.right - (isButton ? 6 : 0);
                    CHECK(extent.cx <= room);
                    CHECK(extent.cy <= client.bottom);
                }
                PostClick(dialog.m_hWnd, IDCANCEL);
            });
            script.RunModal(dialog);
        }
        CHECK(controls[1] == controls[0]);
        CHECK(!controls[0].empty());
    }
}

TEST_CASE("The help launcher with the real shell: missing file, type without a program, success")
{
    DialogTestApp test;
    Win32Shell shell;
    CTesseraApp app{AppServices{test.platform, test.platform, test.platform, test.tokens, test.boxes,
                                test.codePage, test.restart, shell}};
    TestFolder folder("ヘルプ表示");
    const std::string directory = folder.Path() + "\\";
    std::strcpy(app.m_szModuleDir, directory.c_str());
    WriteFileBytes(folder / "notes.tesseranoprogram", "no program opens this");
    WriteFileBytes(folder / "notes.tesserahelp", "a program that ends at once opens this");
    FileType helpType(".tesserahelp", "\"" + ExecutableFolder() + "module_dir_probe.exe\" \"%1\"");
    const char* tail = "を起動できませんでした。ファイルが存在するかどうか確かめてください。";

    CHECK_FALSE(app.OpenHelpFile("help.htm"));
    CHECK_FALSE(app.OpenHelpFile("notes.tesseranoprogram"));
    CHECK(app.OpenHelpFile("notes.tesserahelp"));
    REQUIRE(test.boxes.shown.size() == 2);
    CHECK(test.boxes.shown[0].text == directory + "help.htm" + tail);
    CHECK(test.boxes.shown[1].text == directory + "notes.tesseranoprogram" + tail);
    CHECK(test.boxes.shown[0].style == MB_ICONHAND);
    CHECK(test.boxes.shown[1].style == MB_ICONHAND);
}
