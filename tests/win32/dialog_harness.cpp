#include "tests/win32/dialog_harness.h"

#include "res/resource.h"

#include <objbase.h>
#include <shlobj.h>

#include <doctest/doctest.h>

#include <cstring>

namespace {
DialogScript* g_playing = nullptr;

struct WindowSearch {
    std::string caption;
    HWND owner;
    HWND found;
};

bool IsDialogWindow(HWND window)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    return ::IsWindowVisible(window) && std::strcmp(name, "#32770") == 0;
}

BOOL CALLBACK MatchCaption(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (!IsDialogWindow(window) || TextOf(window) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchOwner(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    if (!IsDialogWindow(window) || ::GetWindow(window, GW_OWNER) != search->owner)
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    if (IsDialogWindow(window))
        PostClick(window, IDCANCEL);
    return TRUE;
}

// Saves link through its file interface; releases what it took, in reverse order.
bool SaveLink(IShellLinkA* link, const std::string& linkPath)
{
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        saved = ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH) != 0 &&
                SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    return saved;
}

IShellLinkA* NewLink()
{
    IShellLinkA* link = nullptr;
    ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                       reinterpret_cast<void**>(&link));
    return link;
}
}  // namespace

DialogTestApp::DialogTestApp(FileSystemOps* files, VersionRecords* versions)
    : files(files ? *files : systemFiles),
      versions(versions ? *versions : systemVersions),
      app(AppServices{platform, platform, platform, tokens, boxes, codePage, restart, shell})
{
    app.m_hInstance = ::GetModuleHandleA(nullptr);
    app.m_strAppName = "TESSERA";
    std::strcpy(app.m_szModuleDir, "C:\\TOOLS\\");
    app.m_nOsKind = OS_NT;
    ::CoInitialize(nullptr);
}

DialogTestApp::~DialogTestApp()
{
    ::CoUninitialize();
}

DialogScript& DialogScript::Then(Step step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

DialogScript& DialogScript::Do(std::function<void()> action)
{
    return Then([action] {
        action();
        return true;
    });
}

INT_PTR DialogScript::RunModal(CDialog& dialog, int timeoutMs)
{
    AfxGetApp()->m_pMainWnd = &dialog;
    m_next = 0;
    m_timedOut = false;
    m_deadline = ::GetTickCount() + static_cast<DWORD>(timeoutMs);
    g_playing = this;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, &DialogScript::Tick);
    const INT_PTR result = dialog.DoModal();
    ::KillTimer(nullptr, timer);
    g_playing = nullptr;
    AfxGetApp()->m_pMainWnd = nullptr;
    CHECK_MESSAGE(!m_timedOut, "the script timed out at step " << m_next);
    CHECK_MESSAGE(m_next == m_steps.size(), "the dialog closed before step " << m_next);
    return result;
}

void CALLBACK DialogScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_playing)
        g_playing->Play();
}

// A step that opens a modal window returns only when that window closes; the
// ticks that fire inside its loop must not start the next step meanwhile.
void DialogScript::Play()
{
    if (m_playing)
        return;
    if (static_cast<LONG>(::GetTickCount() - m_deadline) > 0) {
        m_timedOut = true;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
        return;
    }
    if (m_next >= m_steps.size())
        return;
    m_playing = true;
    try {
        if (m_steps[m_next]())
            ++m_next;
    } catch (...) {
        // A failed REQUIRE ends the script; the test reports it.
        m_deadline = ::GetTickCount();
    }
    m_playing = false;
}

HWND FindThreadDialog(const std::string& caption)
{
    WindowSearch search = {caption, nullptr, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindOwnedDialog(HWND owner)
{
    WindowSearch search = {std::string(), owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), &MatchOwner, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void PostClick(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void EnterPair(HWND dialog, const std::string& source, const std::string& folder)
{
    ::SetDlgItemTextA(dialog, IDC_SOURCE_EDIT, source.c_str());
    ::SetDlgItemTextA(dialog, IDC_TARGET_EDIT, folder.c_str());
    PostClick(dialog, IDC_ADD);
}

HDROP MakeDrop(const std::vector<std::string>& paths)
{
    size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = FALSE;
    char* names = reinterpret_cast<char*>(header + 1);
    for (const std::string& path : paths) {
        std::memcpy(names, path.c_str(), path.size() + 1);
        names += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

bool MakeShortcut(const std::string& linkPath, const std::string& target)
{
    IShellLinkA* link = NewLink();
    if (!link)
        return false;
    const bool made = SUCCEEDED(link->SetPath(target.c_str())) && SaveLink(link, linkPath);
    link->Release();
    return made;
}

bool MakeShortcutToComputer(const std::string& linkPath)
{
    IShellLinkA* link = NewLink();
    if (!link)
        return false;
    LPITEMIDLIST computer = nullptr;
    bool made = false;
    if (SUCCEEDED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer))) {
        made = SUCCEEDED(link->SetIDList(computer)) && SaveLink(link, linkPath);
        ::CoTaskMemFree(computer);
    }
    link->Release();
    return made;
}

std::string TextOf(HWND window)
{
    return std::string(GetWindowTextOf(window));
}
