#include "tests/win32/test_folder.h"

#include <windows.h>

#include <cstdio>

namespace {
std::string TempFolder()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return temp;
}
}  // namespace

TestFolder::TestFolder(const std::string& name) : TestFolder(name, TempFolder()) {}

TestFolder::TestFolder(const std::string& name, const std::string& parent)
{
    static int serial = 0;
    char unique[64];
    std::snprintf(unique, sizeof unique, "tessera-%lu-%d", ::GetCurrentProcessId(), ++serial);
    const std::string base = parent + unique;
    ::CreateDirectoryA(base.c_str(), nullptr);
    m_path = base + "\\" + name;
    ::CreateDirectoryA(m_path.c_str(), nullptr);
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string ReadFileBytes(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return std::string();
    std::string bytes;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ExecutableFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}
