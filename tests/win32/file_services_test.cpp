#include "framework/path_text.h"
#include "framework/win32_code_page.h"
#include "platform/win32_file_system_ops.h"
#include "platform/win32_journal_store.h"
#include "schedule/replacement_names.h"
#include "tests/win32/test_folder.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {
// The pending renames, as pairs of (from, to) texts as the registry holds them.
std::vector<std::string> PendingRenames()
{
    HKEY key;
    std::vector<std::string> items;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                        0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return items;
    DWORD size = 0;
    if (::RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) ==
        ERROR_SUCCESS) {
        std::string data(size, '\0');
        ::RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                           reinterpret_cast<BYTE*>(&data[0]), &size);
        for (size_t at = 0; at < data.size() && data[at] != '\0';) {
            const std::string item = data.c_str() + at;
            items.push_back(item);
            at += item.size() + 1;
        }
    }
    ::RegCloseKey(key);
    return items;
}
}  // namespace

TEST_CASE("File status tells regular files from folders; a missing path fails")
{
    Win32FileSystemOps files;
    TestFolder folder("ソフト");
    WriteFileBytes(folder / "表.DLL", "x");
    unsigned mode = 0;
    REQUIRE(files.GetStatus(folder.Path().c_str(), &mode));
    CHECK((mode & FileSystemOps::kModeDirectory) != 0);
    CHECK((mode & FileSystemOps::kModeRegular) == 0);
    REQUIRE(files.GetStatus((folder / "表.DLL").c_str(), &mode));
    CHECK((mode & FileSystemOps::kModeRegular) != 0);
    CHECK_FALSE(files.GetStatus((folder / "MISSING.DLL").c_str(), &mode));

    // A folder whose name ends in a character with 0x5C as its second byte.
    TestFolder trailing("表");
    REQUIRE(files.GetStatus(trailing.Path().c_str(), &mode));
    CHECK(mode == FileSystemOps::kModeDirectory);
}

TEST_CASE("Copy without overwrite makes a new file and never replaces one")
{
    Win32FileSystemOps files;
    TestFolder folder("copy");
    WriteFileBytes(folder / "NEW.DLL", "new content");
    WriteFileBytes(folder / "OLD.DLL", "old content");
    CHECK(files.CopyWithoutOverwrite((folder / "NEW.DLL").c_str(), (folder / "COPY.DLL").c_str()));
    CHECK(ReadFileBytes(folder / "COPY.DLL") == "new content");
    CHECK_FALSE(files.CopyWithoutOverwrite((folder / "NEW.DLL").c_str(), (folder / "OLD.DLL").c_str()));
    CHECK(ReadFileBytes(folder / "OLD.DLL") == "old content");
    CHECK_FALSE(files.CopyWithoutOverwrite((folder / "GONE.DLL").c_str(), (folder / "X.DLL").c_str()));
}

TEST_CASE("The journal's file: in the Windows folder; appended, read from its end, replaced whole")
{
    char windows[MAX_PATH];
    REQUIRE(::GetWindowsDirectoryA(windows, MAX_PATH) > 0);
    CHECK(Win32JournalStore().Location() == CString(windows) + "\\TESSERA.LOG");
    TestFolder folder("journal");
    Win32JournalStore store((folder / "TESSERA.LOG").c_str());
    unsigned long size = 1;
    std::string bytes = "left over";
    CHECK((store.Size(size) && size == 0 && store.Read(1024, bytes) && bytes.empty()));
    CHECK((store.Append("first line\r\n") && store.Append("second line\r\n")));
    CHECK((store.Size(size) && size == 25 && store.Read(13, bytes) && bytes == "second line\r\n"));
    CHECK(store.Replace("kept\r\n"));
    CHECK((ReadFileBytes(folder / "TESSERA.LOG") == "kept\r\n" && !Exists(folder / "TESSERA.LO~")));
    // A folder where the journal should be: nothing can be written.
    Win32JournalStore blocked(folder.Path().c_str());
    CHECK_FALSE((blocked.Append("x\r\n") || blocked.Size(size)));
}

TEST_CASE("Move at restart records the rename, replacing, and moves nothing now")
{
    Win32FileSystemOps files;
    TestFolder folder("ソ");
    WriteFileBytes(folder / "A.DLL", "a");
    REQUIRE(files.MoveAtRestart((folder / "A.DLL").c_str(), (folder / "A.DLL.old").c_str()));
    CHECK(Exists(folder / "A.DLL"));
    CHECK_FALSE(Exists(folder / "A.DLL.old"));
    const std::vector<std::string> pending = PendingRenames();
    REQUIRE(pending.size() >= 2);
    CHECK(pending[pending.size() - 2] == "\\??\\" + (folder / "A.DLL"));
    CHECK(pending[pending.size() - 1] == "!\\??\\" + (folder / "A.DLL.old"));
}

TEST_CASE("Profile writes append new keys in order, replace existing ones in place, remove without a value")
{
    Win32FileSystemOps files;
    TestFolder folder("profile");
    const std::string ini = folder / "wininit.ini";
    files.WriteProfileEntry("rename", "C:\\W\\FOO.OLD", "C:\\W\\FOO.DLL", ini.c_str());
    files.WriteProfileEntry("rename", "C:\\W\\FOO.DLL", "C:\\W\\FOO.NEW", ini.c_str());
    files.WriteProfileEntry("rename", "C:\\W\\FOO.OLD", "C:\\W\\BAR.DLL", ini.c_str());
    CHECK(ReadFileBytes(ini) ==
          "[rename]\r\nC:\\W\\FOO.OLD=C:\\W\\BAR.DLL\r\nC:\\W\\FOO.DLL=C:\\W\\FOO.NEW\r\n");
    // The 9x scheduler takes a lone backup line back this way.
    CHECK(files.WriteProfileEntry("rename", "C:\\W\\FOO.OLD", nullptr, ini.c_str()));
    CHECK(ReadFileBytes(ini) == "[rename]\r\nC:\\W\\FOO.DLL=C:\\W\\FOO.NEW\r\n");
}

TEST_CASE("Short paths: 8.3 names stay, long names shorten, missing files fail")
{
    Win32FileSystemOps files;
    TestFolder folder("short");
    WriteFileBytes(folder / "FOO.DLL", "x");
    WriteFileBytes(folder / "a long library name.dll", "x");
    CString shortPath;
    std::string shortFolder;
    {
        CString folderShort;
        REQUIRE(files.GetShortPath(folder.Path().c_str(), folderShort));
        shortFolder = static_cast<const char*>(folderShort);
    }
    REQUIRE(files.GetShortPath((folder / "FOO.DLL").c_str(), shortPath));
    CHECK(std::string(shortPath) == shortFolder + "\\FOO.DLL");
    REQUIRE(files.GetShortPath((folder / "a long library name.dll").c_str(), shortPath));
    CHECK(std::string(shortPath).find('~') != std::string::npos);
    CHECK_FALSE(files.GetShortPath((folder / "MISSING.DLL").c_str(), shortPath));
}

TEST_CASE("Path split and exact comparison with the system's own lead bytes")
{
    const PathParts parts = PathParts::Split("C:\\ソフト\\表示\\X.EXE", Win32CodePage());
    CHECK(parts.directory == "\\ソフト\\表示\\");
    CHECK(parts.fileName == "X");
    CHECK(FileSystemOps::CompareExact("C:\\A.DLL", "c:\\a.dll") != 0);
    CHECK(FileSystemOps::CompareExact("C:\\A.DLL", "C:\\A.DLL") == 0);
}

namespace {
// The 8.3 alias of a path that the code page cannot write; aliases are ASCII.
std::string AliasOf(const wchar_t* path)
{
    wchar_t alias[MAX_PATH] = {};
    REQUIRE(::GetShortPathNameW(path, alias, MAX_PATH) > 0);
    char narrow[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, alias, -1, narrow, MAX_PATH, nullptr, nullptr);
    return narrow;
}
}  // namespace

TEST_CASE("One file has one identity on every road to it; a sibling or a name a letter apart is another")
{
    // tests/win32/make_roads.sh makes T:\, \\localhost\acc and C:\roads\link
    // lead to C:\roads\sub.
    Win32FileSystemOps files;
    const std::string sub = "C:\\roads\\sub";
    const std::string sib = "C:\\roads\\sib";
    for (const char* name : {"X.DLL", "Y.DLL", "Long Target Name.dll", "ＸＸ.DLL", "ΣΣ.DLL", "ДД.DLL"})
        WriteFileBytes(sub + "\\" + name, "x");
    WriteFileBytes(sib + "\\X.DLL", "x");
    char shortName[MAX_PATH] = {};
    REQUIRE(::GetShortPathNameA((sub + "\\Long Target Name.dll").c_str(), shortName, MAX_PATH) > 0);
    const std::string alias = shortName;
    REQUIRE(alias != sub + "\\Long Target Name.dll");

    // make_roads.sh makes C:\roads\Ünï and C:\roads\sub\ßeta.dll beside
    // their best-fit twins Uni and seta.dll.
    const std::string unwritableFolder = AliasOf(L"C:\\roads\\\u00DCn\u00EF");
    const std::string unwritableFile = AliasOf(L"C:\\roads\\sub\\\u00DFeta.dll");

    struct Row {
        std::string a;
        std::string b;
        bool same;
    };
    const Row rows[] = {
        {sub + "\\X.DLL", "T:\\X.DLL", true},
        {sub + "\\LINKED.DLL", sub + "\\SYMBOLIC.DLL", true},
        {sub + "\\LINKED.DLL", sub + "\\inner\\HARD.DLL", true},
        {unwritableFolder + "\\X.DLL", "C:\\roads\\Uni\\X.DLL", false},
        {unwritableFile, sub + "\\seta.dll", false},
        {sub + "\\X.DLL", "\\\\localhost\\acc\\X.DLL", true},
        {sub + "\\X.DLL", "C:\\roads\\link\\X.DLL", true},
        {sub + "\\X.DLL", "\\\\?\\" + sub + "\\X.DLL", true},
        {sub + "\\X.DLL", "\\\\.\\" + sub + "\\X.DLL", true},
        {sub + "\\X.DLL", "\\\\?\\T:\\X.DLL", true},
        {sub + "\\X.DLL", "c:\\ROADS\\sub\\..\\SUB/x.dll", true},
        {sub + "\\X.DLL.new", "T:\\x.dll.NEW", true},  // a name not there yet
        {sub + "\\Long Target Name.dll", alias, true},
        {sub + "\\Long Target Name.dll", "\\\\?\\" + alias, true},
        {sub + "\\ＸＸ.DLL", "T:\\ｘｘ.dll", true},
        {sub + "\\ΣΣ.DLL", sub + "\\σσ.DLL", true},
        {sub + "\\ДД.DLL", "\\\\localhost\\acc\\дд.DLL", true},
        {"T:\\", sub, true},
        {"C:\\roads\\link", sub, true},
        {"\\\\localhost", sib + "\\X.DLL", true},  // cannot be read: may be any file
        {sub + "\\X.DLL", sib + "\\X.DLL", false},
        {sub + "\\X.DLL", "T:\\Y.DLL", false},
        {sub + "\\X.DLL", sub + "\\X.DLL.old", false},
        {sub + "\\ＸＸ.DLL", sub + "\\ＸＹ.DLL", false},
        {sub + "\\ΣΣ.DLL", sub + "\\ΣΤ.DLL", false},
        {sub, sib, false},
        {"T:\\", sib, false},
    };
    const auto check = [&files, &rows] {
        for (const Row& row : rows) {
            CAPTURE(row.a);
            CAPTURE(row.b);
            CHECK(IsSameFile(files.IdentityOf(row.a.c_str()), files.IdentityOf(row.b.c_str())) ==
                  row.same);
        }
    };
    check();
    // Wine shows a Unix symbolic link as a reparse point, as Windows shows its own.
    CHECK(files.IdentityOf("C:\\roads\\link").link);
    CHECK_FALSE(files.IdentityOf(sub.c_str()).link);
    // A link to a file shows as a plain file, but its open arrives elsewhere.
    CHECK(files.IdentityOf((sub + "\\SYMBOLIC.DLL").c_str()).link);
    CHECK_FALSE(files.IdentityOf((sub + "\\inner\\HARD.DLL").c_str()).link);
    CHECK_FALSE(files.IdentityOf("T:\\X.DLL").link);
    CHECK(files.IdentityOf(unwritableFile.c_str()).nameOutsideCodePage);
    CHECK_FALSE(files.IdentityOf((unwritableFolder + "\\X.DLL").c_str()).nameOutsideCodePage);
    CHECK_FALSE(files.IdentityOf((sub + "\\seta.dll").c_str()).nameOutsideCodePage);
    // A rewritten path keeps the alias of a name the code page cannot write.
    for (const std::string& path : {unwritableFolder + "\\X.DLL", unwritableFile})
        CHECK(std::string(files.LongForm(path.c_str())) == path);
    SUBCASE("within a run, where folders are looked up once")
    {
        const FileSystemRun run(files);
        check();
        check();
    }
}

TEST_CASE("The long form names every existing component by its long name, on any road, with any prefix")
{
    Win32FileSystemOps files;
    const std::string sub = "C:\\roads\\sub";
    WriteFileBytes(sub + "\\Long Target Name.dll", "x");
    char shortName[MAX_PATH] = {};
    REQUIRE(::GetShortPathNameA((sub + "\\Long Target Name.dll").c_str(), shortName, MAX_PATH) > 0);
    const std::string alias = shortName;
    const std::string rows[][2] = {
        {alias, sub + "\\Long Target Name.dll"},
        // GetLongPathNameA leaves a \\?\ path as it is.
        {"\\\\?\\" + alias, "\\\\?\\" + sub + "\\Long Target Name.dll"},
        {"C:\\ROADS\\SUB\\..\\sub\\long target name.DLL", sub + "\\Long Target Name.dll"},
        {"T:\\Long Target Name.dll", "T:\\Long Target Name.dll"},
        // A name not there yet keeps its tail as given.
        {alias + ".new", sub + "\\" + alias.substr(sub.size() + 1) + ".new"},
        // A path that cannot be read stays as it is: \\?\UNC\ would be a share.
        {"\\\\?\\UNC", "\\\\?\\UNC"},
    };
    for (const auto& row : rows) {
        CAPTURE(row[0]);
        CHECK(std::string(files.LongForm(row[0].c_str())) == row[1]);
    }
}

TEST_CASE("What the restart meets, as Windows answers it: network drives, letters that stand for folders, files in use, long names")
{
    // tests/win32/make_roads.sh makes N:\ a network drive and T:\ a second
    // letter for C:\roads\sub.
    Win32FileSystemOps files;
    const Win32CodePage codePage;
    CHECK_FALSE(files.IsNetworkDrive("C:\\"));
    CHECK_FALSE(files.IsNetworkDrive("T:\\"));
    CHECK(files.IsNetworkDrive("N:\\"));

    CString device;
    REQUIRE(files.DriveTarget("C:", device));
    CHECK(std::string(device).rfind("\\Device\\", 0) == 0);
    // Wine's dosdevices links stand for a device once the machine knows them,
    // never for a folder: they last through a restart.
    if (files.DriveTarget("T:", device))
        CHECK(std::string(device).rfind("\\??\\", 0) != 0);
    CString atRestart;
    CHECK(PathAtRestart("T:\\X.DLL", files, codePage, atRestart));
    CHECK(std::string(atRestart) == "T:\\X.DLL");
    // A letter made as subst makes it lasts only as long as this session.
    REQUIRE(::DefineDosDeviceA(0, "S:", "C:\\roads\\sub"));
    REQUIRE(files.DriveTarget("S:", device));
    CHECK(std::string(device) == "\\??\\C:\\roads\\sub");
    CHECK(PathAtRestart("S:\\X.DLL", files, codePage, atRestart));
    CHECK(std::string(atRestart) == "C:\\roads\\sub\\X.DLL");
    ::DefineDosDeviceA(DDD_REMOVE_DEFINITION, "S:", nullptr);

    // A file in use may still be renamed at the restart; that is why it is
    // replaced this way. (Wine lets root open every file for deletion, so a
    // file that denies it cannot be made here.)
    const std::string inUse = "C:\\roads\\sub\\IN USE.DLL";
    WriteFileBytes(inUse, "x");
    const HANDLE held = ::CreateFileA(inUse.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    REQUIRE(held != INVALID_HANDLE_VALUE);
    CHECK_FALSE(files.RenameDenied(inUse.c_str()));
    ::CloseHandle(held);
    CHECK_FALSE(files.RenameDenied(inUse.c_str()));
    CHECK_FALSE(files.RenameDenied("C:\\roads\\sub\\MISSING.DLL"));
    // Wine's sfc.dll answers that no file is protected.
    CHECK_FALSE(files.IsProtectedFile("C:\\windows\\system32\\kernel32.dll"));

    // MoveFileExA takes its source through a buffer of MAX_PATH characters and
    // their NUL: a longer source name is not recorded.
    const std::string longSource = "C:\\roads\\" + std::string(242, 'L') + "\\X.DLL.new";
    REQUIRE(longSource.size() == 261);
    CHECK_FALSE(files.MoveAtRestart(longSource.c_str(), "C:\\roads\\X.DLL"));
}
