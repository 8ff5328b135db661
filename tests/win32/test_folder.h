// A fresh folder for one test (under the Windows temporary folder unless a
// parent is given), and small
// file helpers for checking real files byte for byte.
#pragma once

#include <string>

class TestFolder {
public:
    // name may hold double-byte characters; it is made unique per process.
    explicit TestFolder(const std::string& name);
    // parent ends in a backslash.
    TestFolder(const std::string& name, const std::string& parent);
    const std::string& Path() const { return m_path; }
    // Path of an entry in the folder: Path() + "\\" + name.
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);  // "" when it cannot be read
bool Exists(const std::string& path);
// The folder the running test executable lies in, with a trailing backslash.
std::string ExecutableFolder();
