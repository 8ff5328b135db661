#include "framework/resources.h"

#include "framework/language.h"

namespace {
const void* LoadInLanguage(HINSTANCE instance, LPCSTR type, LPCSTR name)
{
    HRSRC found = ::FindResourceExA(instance, type, name, ResourceLanguageId());
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    return loaded ? ::LockResource(loaded) : nullptr;
}
}  // namespace

LPCDLGTEMPLATEA DialogTemplate(HINSTANCE instance, UINT id)
{
    return static_cast<LPCDLGTEMPLATEA>(LoadInLanguage(instance, RT_DIALOG, MAKEINTRESOURCEA(id)));
}

// Strings are kept sixteen to a block, block n + 1 holding the strings
// 16 n to 16 n + 15, each as its length in UTF-16 units and then its units.
CString ResourceString(HINSTANCE instance, UINT id)
{
    const auto* units = static_cast<const WCHAR*>(
        LoadInLanguage(instance, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1)));
    if (!units)
        return CString();
    for (UINT i = 0; i < id % 16; ++i)
        units += 1 + *units;
    const int length = *units++;
    if (length == 0)
        return CString();
    char text[512] = {};
    const int written = ::WideCharToMultiByte(CP_ACP, 0, units, length, text, sizeof text - 1,
                                              nullptr, nullptr);
    text[written > 0 ? written : 0] = '\0';
    return CString(text);
}
