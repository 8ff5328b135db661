#include "framework/win32_code_page.h"

#include <windows.h>

bool Win32CodePage::IsLeadByte(unsigned char byte) const
{
    return ::IsDBCSLeadByte(byte) != FALSE;
}
