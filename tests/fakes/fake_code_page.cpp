#include "tests/fakes/fake_code_page.h"

bool FakeCodePage932::IsLeadByte(unsigned char byte) const
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
