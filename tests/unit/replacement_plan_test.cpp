#include "plan/replacement_plan.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_version_records.h"
#include "tests/fakes/plan_harness.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {
const char kSystem[] = "C:\\WINDOWS\\SYSTEM";
const char kNewKernel[] = "C:\\NEW\\KERNEL32.DLL";
const char kOldKernel[] = "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL";
const char kNewUser[] = "C:\\NEW\\USER32.DLL";
const char kOldUser[] = "C:\\WINDOWS\\SYSTEM\\USER32.DLL";
const char kNewGdi[] = "C:\\NEW\\GDI.EXE";
const char kOldGdi[] = "C:\\GDI.EXE";

struct FakeServices {
    FakeFileSystem fakeFiles;
    FakeVersionRecords records;
};

// The plan over fake services, with a few files on drive C:. The services are
// the first base, so that they exist before the harness refers to them.
struct PlanFixture : FakeServices, PlanHarness {
    PlanFixture() : PlanHarness(fakeFiles, records)
    {
        for (const char* file : {kNewKernel, kOldKernel, kNewUser, kOldUser, kNewGdi, kOldGdi})
            fakeFiles.AddFile(file);
    }
};

// A path of length bytes on C: that ends in name.
std::string LongPath(size_t length, const std::string& name)
{
    return "C:\\" + std::string(length - 4 - name.size(), 'X') + "\\" + name;
}
}  // namespace

TEST_CASE("Each refusal shows its one message and changes nothing")
{
    struct Case {
        const char* source;
        const char* folder;
        const char* message;
    };
    const Case cases[] = {
        // Empty source and folder together: only the source is asked for.
        {"", "", "置換元のファイルを指定してください．"},
        {"", kSystem, "置換元のファイルを指定してください．"},
        {kNewKernel, "", "置換先のフォルダを指定してください．"},
        // The source is checked before the target, which is missing too.
        {"C:\\NEW\\GONE.DLL", kSystem, "置換元ファイル(C:\\NEW\\GONE.DLL)の情報が得られません．"},
        {"C:\\NEW\\DRIVERS", kSystem, "\"C:\\NEW\\DRIVERS\"はファイルではないようです。"},
        {"C:\\NEW\\ONLY.DLL", kSystem,
         "置換先ファイル(C:\\WINDOWS\\SYSTEM\\ONLY.DLL)の情報が得られません．"
         "ファイルが存在するか確かめてください。"},
        {"C:\\NEW\\COLOR", kSystem, "\"C:\\WINDOWS\\SYSTEM\\COLOR\"はファイルではないようです。"},
        {kOldKernel, kSystem, "同じファイルで置き換えても無駄です．"},
        {kOldKernel, "C:\\WINDOWS\\SYSTEM\\", "同じファイルで置き換えても無駄です．"},
        // The pair already planned, and another source of the same name.
        {kNewUser, "C:\\WINDOWS\\SYSTEM\\",
         "置換先C:\\WINDOWS\\SYSTEM\\USER32.DLLはすでにC:\\NEW\\USER32.DLLで置きかえられることになっています．"},
        {"C:\\OTHER\\USER32.DLL", kSystem,
         "置換先C:\\WINDOWS\\SYSTEM\\USER32.DLLはすでにC:\\NEW\\USER32.DLLで置きかえられることになっています．"},
    };
    for (const Case& c : cases) {
        const std::string sourceText = c.source;
        CAPTURE(sourceText);
        const std::string folderText = c.folder;
        CAPTURE(folderText);
        PlanFixture fixture;
        fixture.fakeFiles.AddFile("C:\\NEW\\ONLY.DLL");
        fixture.fakeFiles.AddDirectory("C:\\NEW\\DRIVERS");
        fixture.fakeFiles.AddFile("C:\\NEW\\COLOR");
        fixture.fakeFiles.AddDirectory("C:\\WINDOWS\\SYSTEM\\COLOR");
        fixture.fakeFiles.AddFile("C:\\OTHER\\USER32.DLL");
        fixture.Add(kNewUser, kSystem);
        fixture.dialog.log.clear();

        fixture.Add(c.source, c.folder);

        REQUIRE(fixture.boxes.shown.size() == 1);
        CHECK(fixture.boxes.shown[0].text == c.message);
        CHECK(fixture.boxes.shown[0].caption == "");
        CHECK(fixture.boxes.shown[0].style == box::kOk);
        CHECK(fixture.Sources() == std::vector<std::string>{kNewUser});
        CHECK(fixture.Targets() == std::vector<std::string>{kOldUser});
        CHECK(fixture.RowsMatchEntries());
        // Only the fields were read: no lookup, no row, nothing written back.
        CHECK(fixture.dialog.log == std::vector<std::string>{"save"});
        CHECK(fixture.dialog.sourceField == c.source);
        CHECK(fixture.dialog.folderField == c.folder);
    }
}

TEST_CASE("The target is the folder as typed, one backslash, and the source's file name")
{
    struct Case {
        const char* source;
        const char* folder;
        const char* target;
    };
    const Case cases[] = {
        {kNewKernel, kSystem, kOldKernel},
        {kNewKernel, "C:\\WINDOWS\\SYSTEM\\", kOldKernel},
        {kNewKernel, "C:\\", "C:\\KERNEL32.DLL"},
        // Folders ending in a character whose second byte is 0x5C.
        {kNewKernel, "C:\\表", "C:\\表\\KERNEL32.DLL"},
        {kNewKernel, "C:\\ソ", "C:\\ソ\\KERNEL32.DLL"},
        {kNewKernel, "C:\\ソ\\", "C:\\ソ\\KERNEL32.DLL"},
        {"C:\\ソフト\\表.DLL", kSystem, "C:\\WINDOWS\\SYSTEM\\表.DLL"},
        {"C:\\NEW\\ARCHIVE.TAR.GZ", kSystem, "C:\\WINDOWS\\SYSTEM\\ARCHIVE.TAR.GZ"},
        {"C:\\NEW\\README", kSystem, "C:\\WINDOWS\\SYSTEM\\README"},
        {kNewKernel, "\\\\SERVER\\SHARE", "\\\\SERVER\\SHARE\\KERNEL32.DLL"},
        // Nothing is trimmed or normalised.
        {kNewKernel, "C:\\WINDOWS\\.\\SYSTEM ", "C:\\WINDOWS\\.\\SYSTEM \\KERNEL32.DLL"},
        {kNewKernel, "c:/windows/system/", "c:/windows/system/\\KERNEL32.DLL"},
    };
    for (const Case& c : cases) {
        const std::string folderText = c.folder;
        CAPTURE(folderText);
        PlanFixture fixture;
        fixture.fakeFiles.AddFile(c.source);
        fixture.fakeFiles.AddFile(c.target);
        fixture.Add(c.source, c.folder);
        CHECK(fixture.boxes.Texts().empty());
        CHECK(fixture.Targets() == std::vector<std::string>{c.target});
    }
}

TEST_CASE("Comparisons are byte-exact: a target differing only in letter case is another entry")
{
    PlanFixture fixture;
    fixture.fakeFiles.AddFile("C:\\Windows\\System\\KERNEL32.DLL");
    fixture.Add(kNewKernel, kSystem);
    fixture.Add(kNewKernel, "C:\\Windows\\System");
    CHECK(fixture.boxes.Texts().empty());
    CHECK(fixture.Targets() ==
          std::vector<std::string>{kOldKernel, "C:\\Windows\\System\\KERNEL32.DLL"});
}

TEST_CASE("An accepted pair is appended at the end and its row filled cell by cell")
{
    PlanFixture fixture;
    fixture.records.AddRecord(kNewKernel, {{"\\VarFileInfo\\Translation",
                                            FakeVersionRecords::Translations({{0x0411, 0x04B0}})},
                                           {"\\StringFileInfo\\041104b0\\FileVersion", "4.10.2222"}});
    fixture.records.AddRecord(kOldKernel, {{"\\VarFileInfo\\Translation",
                                            FakeVersionRecords::Translations({{0x0411, 0x04B0}})},
                                           {"\\StringFileInfo\\041104b0\\FileVersion", "4.10.1998"}});
    fixture.Add(kNewUser, kSystem);
    fixture.dialog.log.clear();

    fixture.Add(kNewKernel, "C:\\WINDOWS\\SYSTEM\\");

    CHECK(fixture.boxes.Texts().empty());
    CHECK(fixture.Sources() == std::vector<std::string>{kNewUser, kNewKernel});
    CHECK(fixture.Targets() == std::vector<std::string>{kOldUser, kOldKernel});
    CHECK(fixture.dialog.log == std::vector<std::string>{
                                    "save",
                                    std::string("version ") + kNewKernel,
                                    std::string("version ") + kOldKernel,
                                    std::string("insert 1 ") + kNewKernel,
                                    "cell 1 1 4.10.2222",
                                    std::string("cell 1 2 ") + kOldKernel,
                                    "cell 1 3 4.10.1998",
                                });
    CHECK(fixture.dialog.rows[0][1] == "");
    CHECK(fixture.dialog.rows[0][3] == "");
    CHECK(fixture.RowsMatchEntries());
    // The fields keep their texts for the next pair.
    CHECK(fixture.dialog.sourceField == kNewKernel);
    CHECK(fixture.dialog.folderField == "C:\\WINDOWS\\SYSTEM\\");
}

TEST_CASE("Failed version lookups leave empty cells; only a missing translation table speaks")
{
    SUBCASE("Both files without a translation table: two boxes, the source's first")
    {
        PlanFixture fixture;
        fixture.records.AddRecord(kNewKernel, {{"\\StringFileInfo\\041104b0\\FileVersion", "2"}});
        fixture.records.AddRecord(kOldKernel, {{"\\StringFileInfo\\041104b0\\FileVersion", "1"}});
        fixture.Add(kNewKernel, kSystem);
        CHECK(fixture.dialog.log == std::vector<std::string>{
                                        "save",
                                        std::string("version ") + kNewKernel + " +box",
                                        std::string("version ") + kOldKernel + " +box",
                                        std::string("insert 0 ") + kNewKernel,
                                        "cell 0 1 ",
                                        std::string("cell 0 2 ") + kOldKernel,
                                        "cell 0 3 ",
                                    });
        REQUIRE(fixture.boxes.shown.size() == 2);
        for (const ShownBox& shown : fixture.boxes.shown) {
            CHECK(shown.text == "Unable to get translation type");
            CHECK(shown.caption == "Error");
            CHECK(shown.style == box::kOk);
        }
        // The entry was appended before the lookups and stays.
        CHECK(fixture.Targets() == std::vector<std::string>{kOldKernel});
    }
    SUBCASE("No record and no FileVersion are silent")
    {
        PlanFixture fixture;
        fixture.records.AddRecord(kOldKernel, {{"\\VarFileInfo\\Translation",
                                                FakeVersionRecords::Translations({{0x0411, 0x04B0}})}});
        fixture.Add(kNewKernel, kSystem);
        CHECK(fixture.boxes.shown.empty());
        REQUIRE(fixture.dialog.rows.size() == 1);
        CHECK(fixture.dialog.rows[0][1] == "");
        CHECK(fixture.dialog.rows[0][3] == "");
    }
}

TEST_CASE("An entry whose row cannot be inserted is taken back out")
{
    PlanFixture fixture;
    fixture.Add(kNewUser, kSystem);
    fixture.dialog.insertFails = true;
    fixture.Add(kNewKernel, kSystem);
    CHECK(fixture.Sources() == std::vector<std::string>{kNewUser});
    CHECK(fixture.Targets() == std::vector<std::string>{kOldUser});
    CHECK(fixture.RowsMatchEntries());
}

TEST_CASE("Paths longer than a list cell are refused whole; up to 259 bytes are taken whole")
{
    const std::string source259 = LongPath(259, "KERNEL32.DLL");
    const std::string source260 = LongPath(260, "KERNEL32.DLL");
    REQUIRE(source259.size() == 259);
    REQUIRE(source260.size() == 260);
    const std::string target259 = LongPath(259, "GDI.EXE");
    const std::string target260 = LongPath(260, "GDI.EXE");
    const std::string folder259 = target259.substr(0, target259.size() - 8);
    const std::string folder260 = target260.substr(0, target260.size() - 8);

    PlanFixture fixture;
    for (const std::string& path : {source259, source260, target259, target260})
        fixture.fakeFiles.AddFile(path);

    fixture.Add(source260, kSystem);
    fixture.Add(kNewGdi, folder260);
    CHECK(fixture.boxes.Texts() ==
          std::vector<std::string>{"置換元ファイル(" + source260 + ")の情報が得られません．",
                                   "置換先ファイル(" + target260 +
                                       ")の情報が得られません．ファイルが存在するか確かめてください。"});
    CHECK(fixture.sources.GetSize() == 0);

    fixture.boxes.shown.clear();
    fixture.Add(source259, kSystem);
    fixture.Add(kNewGdi, folder259);
    CHECK(fixture.boxes.Texts().empty());
    CHECK(fixture.Sources() == std::vector<std::string>{source259, kNewGdi});
    CHECK(fixture.Targets() == std::vector<std::string>{kOldKernel, target259});
    CHECK(fixture.RowsMatchEntries());
}

TEST_CASE("Remove of the middle of three selects the row that followed and refills the fields")
{
    PlanFixture fixture;
    fixture.Add(kNewKernel, kSystem);
    fixture.Add(kNewUser, "C:\\WINDOWS\\SYSTEM\\");
    fixture.Add(kNewGdi, "C:\\");
    fixture.dialog.sourceField = "typed but not added";
    fixture.dialog.selected = 1;
    fixture.dialog.log.clear();

    fixture.Remove();

    CHECK(fixture.dialog.log ==
          std::vector<std::string>{"save", "delete 1", "select 1", "load"});
    CHECK(fixture.dialog.selected == 1);
    CHECK(fixture.Sources() == std::vector<std::string>{kNewKernel, kNewGdi});
    CHECK(fixture.Targets() == std::vector<std::string>{kOldKernel, kOldGdi});
    CHECK(fixture.RowsMatchEntries());
    CHECK(fixture.dialog.sourceField == kNewUser);
    CHECK(fixture.dialog.folderField == kSystem);
}

TEST_CASE("Remove of the last row leaves no row selected; a root folder keeps its backslash")
{
    PlanFixture fixture;
    fixture.Add(kNewKernel, kSystem);
    fixture.Add(kNewGdi, "C:\\");
    fixture.dialog.selected = 1;
    fixture.dialog.log.clear();
    fixture.Remove();
    CHECK(fixture.dialog.log == std::vector<std::string>{"save", "delete 1", "load"});
    CHECK(fixture.dialog.selected == -1);
    CHECK(fixture.Sources() == std::vector<std::string>{kNewKernel});
    CHECK(fixture.RowsMatchEntries());
    CHECK(fixture.dialog.sourceField == kNewGdi);
    CHECK(fixture.dialog.folderField == "C:\\");
}

TEST_CASE("Remove with nothing selected changes nothing and keeps what was typed")
{
    PlanFixture fixture;
    fixture.Add(kNewKernel, kSystem);
    fixture.dialog.sourceField = "C:\\HALF TYPED";
    fixture.dialog.folderField = "D:\\";
    fixture.dialog.log.clear();
    fixture.Remove();
    CHECK(fixture.dialog.log == std::vector<std::string>{"save", "load"});
    CHECK(fixture.dialog.sourceField == "C:\\HALF TYPED");
    CHECK(fixture.dialog.folderField == "D:\\");
    CHECK(fixture.Sources() == std::vector<std::string>{kNewKernel});
    CHECK(fixture.RowsMatchEntries());
}

TEST_CASE("Removing an entry and adding it again gives the same target")
{
    struct Case {
        const char* folder;
        const char* target;
        const char* shownFolder;  // the folder field after the remove
    };
    const Case cases[] = {
        {"C:\\WINDOWS\\SYSTEM\\", kOldKernel, kSystem},
        {"C:\\表", "C:\\表\\KERNEL32.DLL", "C:\\表"},
        {"C:\\ソ\\", "C:\\ソ\\KERNEL32.DLL", "C:\\ソ"},
        {"C:\\", "C:\\KERNEL32.DLL", "C:\\"},
        {"\\\\SERVER\\SHARE", "\\\\SERVER\\SHARE\\KERNEL32.DLL", "\\\\SERVER\\SHARE"},
        {"C:\\WINDOWS/", "C:\\WINDOWS/\\KERNEL32.DLL", "C:\\WINDOWS/"},
    };
    for (const Case& c : cases) {
        const std::string folderText = c.folder;
        CAPTURE(folderText);
        PlanFixture fixture;
        fixture.fakeFiles.AddFile(c.target);
        fixture.Add(kNewKernel, c.folder);
        fixture.dialog.selected = 0;
        fixture.Remove();
        CHECK(fixture.dialog.sourceField == kNewKernel);
        CHECK(fixture.dialog.folderField == c.shownFolder);
        CHECK(fixture.sources.GetSize() == 0);
        fixture.Add(fixture.dialog.sourceField, fixture.dialog.folderField);
        CHECK(fixture.boxes.Texts().empty());
        CHECK(fixture.Targets() == std::vector<std::string>{c.target});
    }
}
