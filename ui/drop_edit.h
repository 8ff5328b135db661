// CDropEdit: a path field that takes a file or a folder dropped from the
// shell. A dropped shortcut counts as the item it points to; the field accepts
// only its own kind of item and silently ignores everything else.
#pragma once

#include "framework/controls.h"
#include "platform/file_system_ops.h"

#include <shellapi.h>

class CDropEdit : public CEdit {
public:
    // files: where a dropped path's kind (file or folder) is asked.
    explicit CDropEdit(FileSystemOps& files) : m_files(files) {}

    // The path stored in the shell link at path, or "" when path is no link
    // (or none that stores a file-system path).
    CString ResolveShortcut(const char* path);

    BOOL m_bFolderMode = 0;  // 0: accepts regular files; non-zero: directories

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTA* creation);
    void OnDropFiles(HDROP drop);

private:
    FileSystemOps& m_files;
};
