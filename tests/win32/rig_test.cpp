#include <windows.h>

#include <doctest/doctest.h>

TEST_CASE("Wine runs in the Japanese locale: ANSI code page 932")
{
    CHECK(::GetACP() == 932);
    CHECK(::IsDBCSLeadByte(0x83));
    CHECK_FALSE(::IsDBCSLeadByte(0x5C));
}
