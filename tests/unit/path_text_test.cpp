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

TEST_CASE("A full path reads as its root and its names, whatever form its root takes")
{
    struct Row {
        const char* path;
        const char* root;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"C:\\WINDOWS\\SYSTEM\\FOO.DLL", "C:\\", {"WINDOWS", "SYSTEM", "FOO.DLL"}},
        {"C:\\", "C:\\", {}},
        {"\\\\server\\share\\X\\", "\\\\server\\share\\", {"X"}},
        {"\\\\server\\share", "\\\\server\\share\\", {}},
        {"\\\\?\\C:\\W\\X.DLL", "\\\\?\\C:\\", {"W", "X.DLL"}},
        {"\\\\.\\C:\\W", "\\\\.\\C:\\", {"W"}},
        {"\\\\?\\unc\\host\\share\\W", "\\\\?\\unc\\host\\share\\", {"W"}},
        {"\\\\.\\UnC\\host\\share", "\\\\.\\UnC\\host\\share\\", {}},
        // ソ and 表 end in the byte 0x5C; a doubled backslash makes no empty name.
        {"C:\\ソ\\\\表\\X", "C:\\", {"ソ", "表", "X"}},
        // Paths that cannot be read: no root, no names.
        {"\\\\server", "", {}},
        {"W\\X", "", {}},
        {"\\C:\\X", "", {}},
        {"C:X", "", {}},
        {"1:\\X", "", {}},
        {"\\\\\\share\\X", "", {}},
        {"\\\\.\\UNC", "", {}},      // \\.\UNC\ would be a share's prefix
        {"\\\\?\\\\X", "", {}},
        {"\\\\s\\h\x83", "", {}},  // a backslash after it would complete the lead byte
        {"\\??\\C:\\X", "", {}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.path);
        const PathSteps steps = PathSteps::Split(row.path, kCp932);
        CHECK(std::string(steps.root) == row.root);
        std::vector<std::string> names(steps.names.begin(), steps.names.end());
        CHECK(names == row.names);
    }
    const PathSteps steps = PathSteps::Split("\\\\?\\C:\\W\\ソ\\X.DLL", kCp932);
    CHECK(std::string(steps.Leading(0)) == "\\\\?\\C:\\");
    CHECK(std::string(steps.Leading(2)) == "\\\\?\\C:\\W\\ソ");
}
