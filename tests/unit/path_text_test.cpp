#include "framework/path_text.h"
#include "tests/fakes/fake_code_page.h"

#include <doctest/doctest.h>

namespace {
const FakeCodePage932 kCp932;

void CheckSplit(const char* path, const char* drive, const char* directory, const char* name,
                const char* extension)
{
    CAPTURE(path);
    const PathParts parts = PathParts::Split(path, kCp932);
    CHECK(parts.drive == drive);
    CHECK(parts.directory == directory);
    CHECK(parts.fileName == name);
    CHECK(parts.extension == extension);
}
}  // namespace

TEST_CASE("Split takes a path apart like _splitpath, multibyte-aware")
{
    CheckSplit("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL", "C:", "\\WINDOWS\\SYSTEM\\", "KERNEL32", ".DLL");
    CheckSplit("C:\\X", "C:", "\\", "X", "");
    CheckSplit("C:\\", "C:", "\\", "", "");
    CheckSplit("X.TAR.GZ", "", "", "X.TAR", ".GZ");
    CheckSplit("C:\\DIR.D\\NAME", "C:", "\\DIR.D\\", "NAME", "");
    CheckSplit("\\\\SERVER\\SHARE\\A.DLL", "", "\\\\SERVER\\SHARE\\", "A", ".DLL");
    // The second bytes of ソ and 表 are 0x5C; neither is a separator.
    CheckSplit("C:\\ソフト\\表示\\X.EXE", "C:", "\\ソフト\\表示\\", "X", ".EXE");
    CheckSplit("C:\\表\\ソ", "C:", "\\表\\", "ソ", "");
}

TEST_CASE("Backslash searches skip the second byte of a double-byte character")
{
    CHECK(FindLastBackslash("C:\\TOOLS\\X.EXE", kCp932) == 8);
    CHECK(FindLastBackslash("C:\\ソ", kCp932) == 2);
    CHECK(FindLastBackslash("ソ", kCp932) == -1);
    CHECK(FindLastBackslash("", kCp932) == -1);

    CHECK(EndsWithBackslash("C:\\", kCp932));
    CHECK(EndsWithBackslash("C:\\ソ\\", kCp932));
    CHECK_FALSE(EndsWithBackslash("C:\\表", kCp932));
    CHECK_FALSE(EndsWithBackslash("C:\\ソ", kCp932));
    CHECK_FALSE(EndsWithBackslash("", kCp932));
}

TEST_CASE("Character boundaries follow lead bytes")
{
    const char* text = "A表B";  // 41 95 5C 42
    CHECK(IsCharacterBoundary(text, 0, kCp932));
    CHECK(IsCharacterBoundary(text, 1, kCp932));
    CHECK_FALSE(IsCharacterBoundary(text, 2, kCp932));
    CHECK(IsCharacterBoundary(text, 3, kCp932));
    CHECK(IsCharacterBoundary(text, 4, kCp932));
    // Half-width katakana are single bytes.
    CHECK(IsCharacterBoundary("\xB1\xB2", 1, kCp932));
}

TEST_CASE("Paths compare as the file system compares them, multibyte-aware")
{
    struct Row {
        const char* a;
        const char* b;
        bool same;
    };
    const Row rows[] = {
        {"\\??\\C:\\WINDOWS\\SYSTEM\\FOO.DLL", "c:\\windows\\system\\foo.dll", true},
        {"C:\\Program Files\\App\\Setup.exe", "\\??\\c:\\PROGRAM FILES\\app\\SETUP.EXE", true},
        {"C:\\FOO.DLL", "C:\\FOO.DLL.old", false},
        {"C:\\ソ\\new.dll", "C:\\ソ\\NEW.DLL", true},
        // ア is 0x83 0x41 and ヂ is 0x83 0x61: a folded second byte would join them.
        {"C:\\ア\\X", "C:\\ヂ\\X", false},
        // Full-width letters are left as they are.
        {"C:\\Ａ", "C:\\ａ", false},
        {"C:\\\x83", "C:\\\x83", true},
    };
    for (const Row& row : rows) {
        CAPTURE(row.a);
        CAPTURE(row.b);
        CHECK(IsSamePath(row.a, row.b, kCp932) == row.same);
        CHECK(IsSamePath(row.b, row.a, kCp932) == row.same);
    }
}
