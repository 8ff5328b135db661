#include "framework/drop_files.h"

#include "framework/system_library.h"

#include <shellapi.h>

CStringArray DroppedFileNames(HDROP drop)
{
    CStringArray names;
    // The shell is loaded only when a drop comes.
    const auto dragQueryFile =
        SystemFunction<decltype(&::DragQueryFileA)>("SHELL32.DLL", "DragQueryFileA");
    const auto dragFinish = SystemFunction<decltype(&::DragFinish)>("SHELL32.DLL", "DragFinish");
    if (!dragQueryFile || !dragFinish)
        return names;
    const WORD count = static_cast<WORD>(dragQueryFile(drop, 0xFFFFFFFF, nullptr, 0));
    for (UINT i = 0; i < count; ++i) {
        const WORD size = static_cast<WORD>(dragQueryFile(drop, i, nullptr, 0) + 1);
        if (size == 0)  // a name of 65535 bytes: no block can hold it with its NUL
            continue;
        auto* block = static_cast<char*>(::LocalAlloc(LMEM_ZEROINIT, size));
        if (!block)
            continue;
        dragQueryFile(drop, i, block, size);
        names.Add(block);
        ::LocalFree(block);
    }
    dragFinish(drop);
    return names;
}
