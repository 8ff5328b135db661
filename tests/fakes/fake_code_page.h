// Code page 932 as a table of lead bytes: 0x81-0x9F and 0xE0-0xFC.
#pragma once

#include "framework/code_page.h"

class FakeCodePage932 : public CodePage {
public:
    bool IsLeadByte(unsigned char byte) const override;
};
