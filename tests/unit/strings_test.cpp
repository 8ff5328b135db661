#include "framework/cstring.h"
#include "framework/cstringarray.h"

#include <doctest/doctest.h>

TEST_CASE("Narrow literals are code page 932 bytes")
{
    CHECK(CString("ソフト表示") == "\x83\x5C\x83\x74\x83\x67\x95\x5C\x8E\xA6");
    CHECK(CString("→") == "\x81\xA8");
}

TEST_CASE("CString formats, compares byte-wise and concatenates")
{
    CString text;
    text.Format("%s\n → %s\n", "C:\\A.DLL", "C:\\WINDOWS\\A.DLL");
    CHECK(text == "C:\\A.DLL\n \x81\xA8 C:\\WINDOWS\\A.DLL\n");
    CHECK(text.GetLength() == 30);

    CString longText;
    longText.Format("%s%s", std::string(300, 'x').c_str(), "END");
    CHECK(longText.GetLength() == 303);

    CHECK(CString("C:\\A.DLL") != "c:\\a.dll");
    CHECK(CString("C:\\A.DLL").Compare("C:\\A.DLL") == 0);
    CHECK((CString("C:\\") + "X" + CString(".DLL")) == "C:\\X.DLL");
    CHECK(CString("ABCDEF").Left(2) == "AB");
    CHECK(CString("ABCDEF").Mid(4) == "EF");
    CHECK(CString("ABC").Left(10) == "ABC");
    CHECK(CString().IsEmpty());
    CHECK(CString(nullptr).IsEmpty());
}

TEST_CASE("CStringArray keeps order; RemoveAt moves later items down")
{
    CStringArray items;
    items.Add("a");
    items.Add("b");
    items.Add("c");
    items.RemoveAt(1);
    REQUIRE(items.GetSize() == 2);
    CHECK(items[0] == "a");
    CHECK(items[1] == "c");
}
