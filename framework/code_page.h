// The system's ANSI code page, as far as path handling needs it.
#pragma once

class CodePage {
public:
    virtual ~CodePage() = default;
    // True when byte starts a double-byte character. Its second byte may then be
    // 0x5C (code page 932: ソ is 0x83 0x5C), which is no backslash.
    virtual bool IsLeadByte(unsigned char byte) const = 0;
};
