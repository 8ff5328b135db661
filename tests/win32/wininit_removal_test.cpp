#include "platform/win32_file_system_ops.h"
#include "tests/win32/test_folder.h"

#include <doctest/doctest.h>

// The 9x scheduler takes a lone backup line back by writing its key without a
// value.
TEST_CASE("A profile write without a value removes that key's line and keeps the others")
{
    Win32FileSystemOps files;
    TestFolder folder("removal");
    const std::string ini = folder / "wininit.ini";
    files.WriteProfileEntry("rename", "C:\\W\\A.OLD", "C:\\W\\A.DLL", ini.c_str());
    files.WriteProfileEntry("rename", "C:\\W\\B.OLD", "C:\\W\\B.DLL", ini.c_str());
    CHECK(files.WriteProfileEntry("rename", "C:\\W\\B.OLD", nullptr, ini.c_str()));
    CHECK(ReadFileBytes(ini) == "[rename]\r\nC:\\W\\A.OLD=C:\\W\\A.DLL\r\n");
}
