// Drives a running program from outside, as a user's clicks would: finds its
// windows, reads and sets texts, presses buttons and answers message boxes.
// Runs under Wine beside the program; texts are bytes of the ANSI code page.
//
//   window_driver wait TITLE [MS]          wait for a dialog captioned TITLE
//   window_driver gone TITLE [MS]          wait until no such dialog is left
//   window_driver controls TITLE           one line per control: id, class, style, text
//   window_driver text TITLE ID            the text of a control
//   window_driver settext TITLE ID TEXT    replace a control's text
//   window_driver addpairs TITLE ID1 ID2 BUTTON TEXT1 TEXT2 [TEXT1 TEXT2...]
//                                          per pair of texts: settext ID1 TEXT1, settext
//                                          ID2 TEXT2, click BUTTON (a plan of many pairs)
//   window_driver click TITLE ID           press a button; waits up to a second for its work
//   window_driver close TITLE              close the dialog as its close box does
//   window_driver syscommand TITLE ID      choose the entry ID (0x20 or 32) of its system menu
//   window_driver openfile TITLE PATH      type PATH into the name field of a file dialog and
//                                          press Open; waits until the dialog has gone
//   window_driver msgbox CAPTION [MS]      wait for a message box; print its text
//   window_driver answer CAPTION ID        press button ID of that message box; waits until
//                                          the box has gone
//   window_driver rows TITLE ID            the rows of a list view, cells joined by tabs,
//                                          a selected row marked by a last cell "*"
//   window_driver select TITLE ID ROW      select a row of a list view, as a click does
//   window_driver shortpath PATH           the 8.3 form of a path, as Windows gives it
//   window_driver aliases FOLDER           per entry of FOLDER: its 8.3 alias (or its name where
//                                          it has none), a tab, and its long name in UTF-8: the
//                                          way to a name that the code page cannot write
//   window_driver drivetype ROOT           the type GetDriveTypeA gives ROOT ("N:\\"): 4 network
//   window_driver deletelater PATH         another program's record: delete PATH at the next
//                                          restart (MoveFileExA with no new name)
//   window_driver pointer X Y              move the mouse pointer to screen point X,Y
//   window_driver columns TITLE ID         per column of a list view: its width, and the
//                                          width of its widest heading or cell text
//   window_driver tipwidth TITLE           the wrap width of the tooltip the dialog owns
//   window_driver rect TITLE [ID]          a dialog's or a control's screen rectangle:
//                                          left top right bottom
//   window_driver screen                   the screen's width and height
//   window_driver cramped TITLE POINTS FACE WIDTH
//                                          one line per button or label whose text, in the
//                                          font of the dialog's template (FACE at POINTS, the
//                                          dialog WIDTH units wide), does not fit on one line
//                                          within it: id, text width, room, text
//
// Exit status: 0 done, 1 not found in time, 2 bad usage.
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
const int kMessageBoxTextId = 0xFFFF;
const int kFileNameFieldId = 0x47C;  // cmb13 of the Explorer-style file dialog

// The whole text, however long (a report of many entries).
std::string TextOf(HWND window)
{
    DWORD_PTR length = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::vector<char> buffer(length + 1);
    ::SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                          SMTO_ABORTIFHUNG, 5000, &length);
    return std::string(buffer.data(), length);
}

std::string ClassOf(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsMessageBox(HWND window)
{
    return ::GetDlgItem(window, kMessageBoxTextId) != nullptr;
}

struct Search {
    const char* title;
    bool messageBox;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    if (!::IsWindowVisible(window) || ClassOf(window) != "#32770")
        return TRUE;
    // A dialog is told by its caption alone: a classic template's unnamed
    // controls also carry the id of a message box's text.
    if (TextOf(window) != search->title || (search->messageBox && !IsMessageBox(window)))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND Find(const char* title, bool messageBox)
{
    Search search = {title, messageBox, nullptr};
    ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const char* title, bool messageBox, int milliseconds)
{
    for (int waited = 0;; waited += 50) {
        if (HWND window = Find(title, messageBox))
            return window;
        if (waited >= milliseconds)
            return nullptr;
        ::Sleep(50);
    }
}

// Waits until window has been destroyed; false when it outlives the time.
bool WaitGone(HWND window, int milliseconds)
{
    for (int waited = 0; ::IsWindow(window); waited += 20) {
        if (waited >= milliseconds)
            return false;
        ::Sleep(20);
    }
    return true;
}

BOOL CALLBACK MatchFileNameField(HWND control, LPARAM found)
{
    if (::GetDlgCtrlID(control) != kFileNameFieldId)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = control;
    return FALSE;
}

// Types path into the file dialog's name field and presses Open, as a user
// does; a bare name is taken in the folder the dialog shows.
int OpenFile(HWND dialog, const char* path)
{
    HWND field = nullptr;
    ::EnumChildWindows(dialog, &MatchFileNameField, reinterpret_cast<LPARAM>(&field));
    if (!field)
        return 1;
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    return WaitGone(dialog, 10000) ? 0 : 1;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM parent)
{
    if (::GetParent(control) != reinterpret_cast<HWND>(parent))
        return TRUE;
    std::printf("%d\t%s\t%08lx\t%s\n", ::GetDlgCtrlID(control), ClassOf(control).c_str(),
                static_cast<unsigned long>(::GetWindowLongA(control, GWL_STYLE)),
                TextOf(control).c_str());
    return TRUE;
}

// The font of a dialog whose template names FACE at POINTS, made here: a
// font handle of another process cannot be used in this one.
struct Cramped {
    HWND dialog;
    HFONT font;
};

// A button or label whose text needs more than one line of it: the text would
// be cut off or wrap out of sight. A push button keeps its edges and focus
// rectangle clear of the text.
BOOL CALLBACK PrintCramped(HWND control, LPARAM data)
{
    const auto* search = reinterpret_cast<const Cramped*>(data);
    if (::GetParent(control) != search->dialog)
        return TRUE;
    const std::string kind = ClassOf(control);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    const bool button = kind == "Button";
    if ((!button && kind != "Static") || (!button && (style & SS_TYPEMASK) == SS_ICON))
        return TRUE;
    const std::string text = TextOf(control);
    if (text.empty())
        return TRUE;
    RECT room;
    ::GetClientRect(control, &room);
    int width = room.right - room.left;
    if (button)
        width -= 2 * (::GetSystemMetrics(SM_CXEDGE) + 2);
    HDC context = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(context, search->font);
    RECT needed = {0, 0, 0, 0};
    const UINT prefix = !button && (style & SS_NOPREFIX) ? DT_NOPREFIX : 0;
    ::DrawTextA(context, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | prefix);
    ::SelectObject(context, old);
    ::ReleaseDC(nullptr, context);
    if (needed.right > width)
        std::printf("%d\t%ld\t%d\t%s\n", ::GetDlgCtrlID(control), needed.right, width,
                    text.c_str());
    return TRUE;
}

// The font is the dialog's when the dialog's width in pixels is its width in
// dialog units at this font's base units, as the dialog manager computes them
// (the base units of another process's dialog cannot be asked for).
bool IsDialogFont(HWND dialog, HFONT font, int templateWidth)
{
    HDC context = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(context, font);
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size = {};
    ::GetTextExtentPoint32A(context, letters, 52, &size);
    ::SelectObject(context, old);
    ::ReleaseDC(nullptr, context);
    RECT client;
    ::GetClientRect(dialog, &client);
    return client.right == ::MulDiv(templateWidth, (size.cx / 26 + 1) / 2, 4);
}

int PrintCrampedControls(HWND dialog, int points, const char* face, int templateWidth)
{
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, screen);
    Cramped search = {dialog, ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                            DEFAULT_PITCH | FF_DONTCARE, face)};
    if (!search.font || !IsDialogFont(dialog, search.font, templateWidth)) {
        std::printf("-\t-\t-\t%s at %d points is not the dialog's font\n", face, points);
    } else {
        ::EnumChildWindows(dialog, &PrintCramped, reinterpret_cast<LPARAM>(&search));
    }
    if (search.font)
        ::DeleteObject(search.font);
    return 0;
}

HANDLE OpenOwnerOf(HWND window)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    return ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                         processId);
}

// Memory lent to the process of a list view, for what its messages point to:
// a structure, then room for a text.
class LentMemory {
public:
    explicit LentMemory(HWND list) : m_list(list), m_process(OpenOwnerOf(list))
    {
        if (m_process)
            m_base = static_cast<char*>(::VirtualAllocEx(
                m_process, nullptr, kStructureRoom + kTextRoom, MEM_COMMIT, PAGE_READWRITE));
    }
    ~LentMemory()
    {
        if (m_base)
            ::VirtualFreeEx(m_process, m_base, 0, MEM_RELEASE);
        if (m_process)
            ::CloseHandle(m_process);
    }
    bool Lent() const { return m_base != nullptr; }
    char* Text() const { return m_base + kStructureRoom; }

    // Sends message with a copy of structure, lent, as its lParam.
    template <typename Structure>
    LRESULT Send(UINT message, WPARAM wParam, const Structure& structure)
    {
        static_assert(sizeof structure <= kStructureRoom, "room for the structure");
        ::WriteProcessMemory(m_process, m_base, &structure, sizeof structure, nullptr);
        return ::SendMessageA(m_list, message, wParam, reinterpret_cast<LPARAM>(m_base));
    }
    // Leaves the text of a cell at Text().
    void FetchCell(int row, int column)
    {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = Text();
        item.cchTextMax = static_cast<int>(kTextRoom);
        Send(LVM_GETITEMTEXTA, row, item);
    }
    std::string ReadText() const
    {
        char text[kTextRoom] = {};
        ::ReadProcessMemory(m_process, Text(), text, kTextRoom - 1, nullptr);
        return text;
    }

private:
    static const SIZE_T kStructureRoom = 256;
    static const SIZE_T kTextRoom = 1024;
    HWND m_list;
    HANDLE m_process;
    char* m_base = nullptr;
};

int ColumnCount(HWND list)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
}

int RowCount(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

// Reads the rows of a list view in another process through memory lent to it.
int PrintRows(HWND list)
{
    LentMemory memory(list);
    if (!memory.Lent())
        return 1;
    const int rows = RowCount(list);
    const int columns = ColumnCount(list);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            memory.FetchCell(row, column);
            std::printf("%s%s", column ? "\t" : "", memory.ReadText().c_str());
        }
        const UINT state = static_cast<UINT>(::SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED));
        std::printf("%s\n", state & LVIS_SELECTED ? "\t*" : "");
    }
    return 0;
}

// Per column: its width, and the widest of its heading and cell texts as the
// list measures them in its own font.
int PrintColumns(HWND list)
{
    LentMemory memory(list);
    if (!memory.Lent())
        return 1;
    const auto measure = [&] {
        return static_cast<int>(::SendMessageA(list, LVM_GETSTRINGWIDTHA, 0,
                                               reinterpret_cast<LPARAM>(memory.Text())));
    };
    const int rows = RowCount(list);
    const int columns = ColumnCount(list);
    for (int column = 0; column < columns; ++column) {
        LVCOLUMNA heading = {};
        heading.mask = LVCF_TEXT;
        heading.pszText = memory.Text();
        heading.cchTextMax = 1024;
        memory.Send(LVM_GETCOLUMNA, column, heading);
        int widest = measure();
        for (int row = 0; row < rows; ++row) {
            memory.FetchCell(row, column);
            const int width = measure();
            if (width > widest)
                widest = width;
        }
        std::printf("%d\t%d\n", static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)),
                    widest);
    }
    return 0;
}

int SelectRow(HWND list, int row)
{
    LentMemory memory(list);
    if (!memory.Lent())
        return 1;
    LVITEMA item = {};
    item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    return memory.Send(LVM_SETITEMSTATE, row, item) ? 0 : 1;
}

struct OwnedTip {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwnedTip(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<OwnedTip*>(data);
    if (ClassOf(window) != TOOLTIPS_CLASSA || ::GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->found = window;
    return FALSE;
}

int PrintRect(HWND window)
{
    RECT rect;
    if (!::GetWindowRect(window, &rect))
        return 1;
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "window_driver: see the head of window_driver.cpp\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    // Texts go out byte for byte: no CR added before a line feed.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::strcmp(argv[1], "screen") == 0) {
        std::printf("%d %d\n", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (argc < 3)
        return Usage();
    const std::string command = argv[1];
    const char* title = argv[2];
    const int timeout = argc > 3 ? std::atoi(argv[3]) : 10000;

    if (command == "shortpath") {
        char shortPath[MAX_PATH];
        const DWORD length = ::GetShortPathNameA(title, shortPath, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return 1;
        std::printf("%s", shortPath);
        return 0;
    }
    if (command == "deletelater")
        return ::MoveFileExA(title, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) ? 0 : 1;
    if (command == "aliases") {
        WIN32_FIND_DATAW found;
        std::wstring pattern(title, title + std::strlen(title));  // ASCII
        const HANDLE search = ::FindFirstFileW((pattern + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 1;
        do {
            char alias[MAX_PATH] = {}, name[3 * MAX_PATH] = {};
            ::WideCharToMultiByte(CP_ACP, 0, *found.cAlternateFileName ? found.cAlternateFileName
                                                                       : found.cFileName,
                                  -1, alias, MAX_PATH, nullptr, nullptr);
            ::WideCharToMultiByte(CP_UTF8, 0, found.cFileName, -1, name, sizeof name, nullptr,
                                  nullptr);
            std::printf("%s\t%s\n", alias, name);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return 0;
    }
    if (command == "drivetype") {
        std::printf("%u\n", ::GetDriveTypeA(title));
        return 0;
    }
    if (command == "pointer" && argc > 3) {
        // Wine moves the X pointer only when its server thinks the pointer is
        // elsewhere; a new server thinks it is at 0,0, wherever X has it. A
        // step beside the point first makes the move real.
        const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
        return ::SetCursorPos(x + 1, y + 1) && ::SetCursorPos(x, y) ? 0 : 1;
    }
    if (command == "wait")
        return WaitFor(title, false, timeout) ? 0 : 1;
    if (command == "gone") {
        for (int waited = 0; Find(title, false); waited += 50) {
            if (waited >= timeout)
                return 1;
            ::Sleep(50);
        }
        return 0;
    }
    if (command == "msgbox") {
        HWND box = WaitFor(title, true, timeout);
        if (!box)
            return 1;
        std::printf("%s", TextOf(::GetDlgItem(box, kMessageBoxTextId)).c_str());
        return 0;
    }
    if (command == "answer" && argc > 3) {
        HWND box = WaitFor(title, true, 10000);
        if (!box)
            return 1;
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, std::atoi(argv[3]))));
        // Return only when the box has gone, so that the next wait finds the next box.
        return WaitGone(box, 10000) ? 0 : 1;
    }

    HWND dialog = WaitFor(title, false, 10000);
    if (!dialog)
        return 1;
    if (command == "controls") {
        ::EnumChildWindows(dialog, &PrintControl, reinterpret_cast<LPARAM>(dialog));
        return 0;
    }
    if (command == "cramped" && argc > 5)
        return PrintCrampedControls(dialog, std::atoi(argv[3]), argv[4], std::atoi(argv[5]));
    if (command == "close") {
        ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (command == "tipwidth") {
        // The tooltip is made when the mouse first comes.
        ::PostMessageA(dialog, WM_MOUSEMOVE, 0, 0);
        OwnedTip search = {dialog, nullptr};
        for (int wait = 0; wait < 100 && !search.found; ++wait) {
            ::Sleep(wait ? 50 : 0);
            ::EnumWindows(&MatchOwnedTip, reinterpret_cast<LPARAM>(&search));
        }
        if (!search.found)
            return 1;
        std::printf("%d\n", static_cast<int>(::SendMessageA(search.found, TTM_GETMAXTIPWIDTH, 0, 0)));
        return 0;
    }
    if (command == "rect" && argc == 3)
        return PrintRect(dialog);
    if (argc < 4)
        return Usage();
    if (command == "openfile")
        return OpenFile(dialog, argv[3]);
    if (command == "syscommand") {
        ::PostMessageA(dialog, WM_SYSCOMMAND, std::strtoul(argv[3], nullptr, 0), 0);
        return 0;
    }
    HWND control = ::GetDlgItem(dialog, std::atoi(argv[3]));
    if (!control)
        return 1;
    if (command == "text") {
        std::printf("%s", TextOf(control).c_str());
        return 0;
    }
    if (command == "click") {
        // Sent, so that what the button does is done before the next command;
        // a button that opens a modal box keeps its handler running past the
        // timeout, and the box is then waited for by name.
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(std::atoi(argv[3]), BN_CLICKED),
                              reinterpret_cast<LPARAM>(control), SMTO_NORMAL, 1000, &result);
        return 0;
    }
    if (command == "addpairs" && argc > 7 && argc % 2 == 0) {
        const int button = std::atoi(argv[5]);
        for (int i = 6; i < argc; i += 2) {
            DWORD_PTR result = 0;
            ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[i]));
            ::SetDlgItemTextA(dialog, std::atoi(argv[4]), argv[i + 1]);
            ::SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                                  reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)),
                                  SMTO_NORMAL, 1000, &result);
        }
        return 0;
    }
    if (command == "settext" && argc > 4) {
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
        return 0;
    }
    if (command == "rect")
        return PrintRect(control);
    if (command == "rows")
        return PrintRows(control);
    if (command == "columns")
        return PrintColumns(control);
    if (command == "select" && argc > 4)
        return SelectRow(control, std::atoi(argv[4]));
    return Usage();
}
