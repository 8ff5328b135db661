#include "platform/win32_wide_to_ansi.h"

#include <windows.h>

bool Win32WideToAnsi::Convert(const std::u16string& text, CString& ansi) const
{
    ansi.Empty();
    if (text.empty())
        return true;
    // WCHAR is 16 bits wide on Windows, but another type than char16_t.
    const std::wstring wide(text.begin(), text.end());
    const int length = static_cast<int>(wide.size());
    const int needed =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    std::string bytes(static_cast<size_t>(needed), '\0');
    if (::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &bytes[0], needed, nullptr,
                              nullptr) != needed)
        return false;
    ansi = CString(bytes.data(), needed);
    // A look-alike (best-fit) character is written without any sign; only the
    // way back shows whether the text came through whole.
    const int backLength = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), needed, nullptr, 0);
    if (backLength != length)
        return false;
    std::wstring back(static_cast<size_t>(backLength), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), needed, &back[0], backLength);
    return back == wide;
}
