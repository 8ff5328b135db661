// File services over a table of paths. Every call is logged in order; any
// operation can be told to fail, for one path or for all, or the n-th call of
// all can be told to fail.
#pragma once

#include "platform/file_system_ops.h"
#include "tests/fakes/fake_path_names.h"

#include <map>
#include <set>
#include <string>
#include <vector>

class FakeFileSystem : public FileSystemOps {
public:
    enum Operation { kStatus, kCopy, kMoveAtRestart, kWriteProfile, kShortPath, kRemove };

    void AddFile(const std::string& path) { entries[path] = kModeRegular; }
    void AddDirectory(const std::string& path) { entries[path] = kModeDirectory; }
    // Without a mapping a path is its own short form. The short form also
    // leads to the path, as an alias of each name that differs.
    void SetShortPath(const std::string& path, const std::string& shortPath);
    // LongForm and IdentityOf resolve "/", "." and ".." and these short
    // aliases (or other roads: "T:" for "C:\\W").
    void AddAlias(const std::string& alias, const std::string& longName)
    {
        aliases.Add(alias, longName);
    }
    void Fail(Operation operation, const std::string& path = std::string());
    // The n-th call (from 1) of the mutating operations (copy, move, profile write)
    // fails; may be told for several n.
    void FailMutatingCall(int n) { m_failingMutations.insert(n); }

    bool GetStatus(const char* path, unsigned* mode) override;
    // A file's facts from the table (none listed: all zero); a copy takes its
    // source's. Not logged.
    bool GetFacts(const char* path, FileFacts& facts) override;
    bool CopyWithoutOverwrite(const char* source, const char* destination) override;
    bool MoveAtRestart(const char* from, const char* to) override;
    bool WriteProfileEntry(const char* section, const char* key, const char* value,
                            const char* file) override;
    bool GetShortPath(const char* path, CString& shortPath) override;
    // Queries of the tables, not logged: the folder is the resolved path's,
    // its text folded; what exists (any spelling of it) is itself by its
    // resolved path; links and names the code page cannot write are told
    // by their resolved paths.
    CString LongForm(const char* path) override;
    FileIdentity IdentityOf(const char* path) override;
    bool RemoveFile(const char* path) override;

    // What the restart will meet: the roots of network drives ("N:\\"), what
    // QueryDosDeviceA answers for a drive ("S:" -> "\\??\\C:\\W"), files that
    // refuse deletion, files that Windows File Protection guards. Not logged.
    bool IsNetworkDrive(const char* root) override { return networkDrives.count(root) != 0; }
    bool DriveTarget(const char* drive, CString& target) override;
    bool RenameDenied(const char* path) override { return deniedFiles.count(path) != 0; }
    bool IsProtectedFile(const char* path) override { return protectedFiles.count(path) != 0; }

    std::set<std::string> networkDrives;
    std::map<std::string, std::string> driveTargets;
    std::set<std::string> deniedFiles;
    std::set<std::string> protectedFiles;
    std::set<std::string> links;
    std::set<std::string> namesOutsideCodePage;
    std::map<std::string, unsigned> entries;
    std::map<std::string, FileFacts> facts;
    std::map<std::string, std::string> shortPaths;
    AliasTable aliases;
    // "copy A > B", "move A > B", "profile F [S] K=V", "profile F [S] K removed",
    // "status P", "short P", "remove P"
    std::vector<std::string> log;

private:
    bool Fails(Operation operation, const char* path);
    bool NextMutationFails();
    std::set<std::pair<Operation, std::string>> m_failures;
    int m_mutations = 0;
    std::set<int> m_failingMutations;
};
