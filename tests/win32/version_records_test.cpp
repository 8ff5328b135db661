#include "plan/version_text.h"
#include "platform/win32_version_records.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/win32/test_folder.h"

#include <windows.h>

#include <doctest/doctest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
// The system's version services, noting the sub-block paths asked for.
class NotingVersionRecords : public VersionRecords {
public:
    unsigned long GetSize(const char* path, unsigned long* handle) override
    {
        return m_system.GetSize(path, handle);
    }
    bool Read(const char* path, unsigned long handle, unsigned long size, void* block) override
    {
        return m_system.Read(path, handle, size, block);
    }
    bool Query(const void* block, const char* subBlock, const void** value,
               unsigned* length) override
    {
        queries.push_back(subBlock);
        return m_system.Query(block, subBlock, value, length);
    }

    std::vector<std::string> queries;

private:
    Win32VersionRecords m_system;
};

std::string SystemFile(const char* name)
{
    char folder[MAX_PATH];
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

// What a record holds besides the lookup's own road: its translation table and
// the version numbers of its fixed part, read straight from the record.
struct RecordFacts {
    std::string firstTranslation;  // as the sub-block path names it
    std::string fixedVersion;      // "major.minor.build.revision"
};

RecordFacts FactsOf(const std::string& path)
{
    Win32VersionRecords records;
    RecordFacts facts;
    unsigned long handle = 0;
    const unsigned long size = records.GetSize(path.c_str(), &handle);
    std::vector<unsigned char> block(size);
    if (size == 0 || !records.Read(path.c_str(), handle, size, block.data()))
        return facts;
    const void* value = nullptr;
    unsigned length = 0;
    char text[64];
    if (records.Query(block.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* words = static_cast<const WORD*>(value);
        std::snprintf(text, sizeof text, "%04x%04x", words[0], words[1]);
        facts.firstTranslation = text;
    }
    if (records.Query(block.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS),
                      LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS),
                      LOWORD(fixed->dwFileVersionLS));
        facts.fixedVersion = text;
    }
    return facts;
}

// Wine takes its own VERSION.DLL whatever lies beside a program; for the probe
// it is told to prefer another one, as Windows would take one planted in a
// searched folder.
class PreferPlantedVersionDll {
public:
    PreferPlantedVersionDll()
    {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &m_key,
                          nullptr);
        static const char kOrder[] = "native,builtin";
        ::RegSetValueExA(m_key, "version", 0, REG_SZ, reinterpret_cast<const BYTE*>(kOrder),
                         sizeof kOrder);
    }
    ~PreferPlantedVersionDll()
    {
        ::RegCloseKey(m_key);
        ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr const char* kKey =
        "Software\\Wine\\AppDefaults\\version_dll_probe.exe\\DllOverrides";
    HKEY m_key = nullptr;
};

// Runs program with its argument and answers its exit code, or -1 when it
// could not be run.
long ExitCodeOf(const std::string& program, const std::string& argument)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + program + "\" " + argument;
    if (!::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return static_cast<long>(code);
}
}  // namespace

TEST_CASE("Version texts of PE files built with windres, by their first translation only")
{
    const char kJapaneseQuery[] = "\\StringFileInfo\\041104b0\\FileVersion";
    struct Case {
        const char* file;
        bool found;
        const char* text;
        std::vector<std::string> queries;
        bool errorBox;
    };
    const Case cases[] = {
        // The record stores its table as 041104B0; the lower-case query finds it.
        {"version_japanese.dll", true, "1, 0, 0, 0",
         {"\\VarFileInfo\\Translation", kJapaneseQuery}, false},
        {"version_no_translation.dll", false, "", {"\\VarFileInfo\\Translation"}, true},
        // The second translation has a FileVersion; it is never looked at.
        {"version_two_translations.dll", false, "",
         {"\\VarFileInfo\\Translation", kJapaneseQuery}, false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.file);
        NotingVersionRecords records;
        FakeMessageBoxes boxes;
        CString text;
        CHECK(GetFileVersionText((ExecutableFolder() + c.file).c_str(), text, records, boxes) ==
              c.found);
        CHECK(text == c.text);
        CHECK(records.queries == c.queries);
        if (c.errorBox) {
            REQUIRE(boxes.shown.size() == 1);
            CHECK(boxes.shown[0].text == "Unable to get translation type");
            CHECK(boxes.shown[0].caption == "Error");
            CHECK(boxes.shown[0].style == box::kOk);
        } else {
            CHECK(boxes.shown.empty());
        }
    }
}

TEST_CASE("A Wine DLL's version text is found under the translation its record lists first")
{
    const std::string kernel = SystemFile("kernel32.dll");
    const RecordFacts facts = FactsOf(kernel);
    REQUIRE(facts.firstTranslation.size() == 8);
    REQUIRE_FALSE(facts.fixedVersion.empty());
    NotingVersionRecords records;
    FakeMessageBoxes boxes;
    CString text;
    CHECK(GetFileVersionText(kernel.c_str(), text, records, boxes));
    CHECK(records.queries.back() == "\\StringFileInfo\\" + facts.firstTranslation + "\\FileVersion");
    // Wine writes its version string from the same numbers as the fixed part.
    CHECK(text == facts.fixedVersion.c_str());
    CHECK(boxes.shown.empty());
}

TEST_CASE("A plain text file has no record: no text, no message")
{
    TestFolder folder("表");
    WriteFileBytes(folder / "README.TXT", "no version record here\r\n");
    NotingVersionRecords records;
    FakeMessageBoxes boxes;
    CString text;
    CHECK_FALSE(GetFileVersionText((folder / "README.TXT").c_str(), text, records, boxes));
    CHECK(text == "");
    CHECK(records.queries.empty());
    CHECK(boxes.shown.empty());
}

TEST_CASE("VERSION.DLL comes from the system folder, never from beside the program")
{
    const std::string probe = ExecutableFolder() + "planted\\version_dll_probe.exe";
    PreferPlantedVersionDll preferPlanted;
    // A load by name takes the decoy beside the program...
    CHECK(ExitCodeOf(probe, "by-name") == 1);
    // ...the version services do not.
    CHECK(ExitCodeOf(probe, "") == 0);
}
