#include "ui/drop_edit.h"

#include "framework/drop_files.h"

#include <objbase.h>
#include <shlobj.h>

LRESULT CDropEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}

// Fields that come from a dialog template are subclassed after their creation
// and accept drops through WS_EX_ACCEPTFILES; this serves a field that creates
// its own window.
int CDropEdit::OnCreate(CREATESTRUCTA* creation)
{
    if (DefWindowProc(WM_CREATE, 0, reinterpret_cast<LPARAM>(creation)) == -1)
        return -1;
    // What DragAcceptFiles does, without loading the shell for it.
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, ::GetWindowLongA(m_hWnd, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    return 0;
}

void CDropEdit::OnDropFiles(HDROP drop)
{
    // Every item is read, but the first whose name could be read decides.
    const CStringArray names = DroppedFileNames(drop);
    if (names.GetSize() == 0)
        return;
    CString path = names[0];
    const CString target = ResolveShortcut(path);
    if (!target.IsEmpty())
        path = target;

    unsigned mode = 0;
    if (!m_files.GetStatus(path, &mode))
        return;
    const bool accepted = (mode & FileSystemOps::kModeDirectory)
                              ? m_bFolderMode != 0
                              : (mode & FileSystemOps::kModeRegular) && m_bFolderMode == 0;
    if (accepted)
        SetWindowText(path);
}

// The link is read, not resolved: its stored path is taken as it stands, even
// when the target has gone, and no search or window is started.
CString CDropEdit::ResolveShortcut(const char* path)
{
    CString result;
    IShellLinkA* link = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&link))))
        return result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        // A path that does not fit the wide buffer is taken for no link.
        WCHAR widePath[MAX_PATH];
        if (::MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) != 0 &&
            SUCCEEDED(file->Load(widePath, STGM_READ))) {
            char stored[MAX_PATH] = {};
            WIN32_FIND_DATAA found;
            link->GetPath(stored, MAX_PATH, &found, SLGP_UNCPRIORITY);
            stored[MAX_PATH - 1] = '\0';
            result = stored;
        }
        file->Release();
    }
    link->Release();
    return result;
}
