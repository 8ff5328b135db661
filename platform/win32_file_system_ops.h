// The file services over the Windows kernel and the run-time library.
#pragma once

#include "framework/win32_code_page.h"
#include "platform/file_system_ops.h"
#include "platform/win32_path_resolver.h"

#include <map>
#include <string>

class Win32FileSystemOps : public FileSystemOps {
public:
    bool GetStatus(const char* path, unsigned* mode) override;
    bool GetFacts(const char* path, FileFacts& facts) override;
    bool CopyWithoutOverwrite(const char* source, const char* destination) override;
    bool MoveAtRestart(const char* from, const char* to) override;
    bool WriteProfileEntry(const char* section, const char* key, const char* value,
                            const char* file) override;
    bool GetShortPath(const char* path, CString& shortPath) override;
    CString LongForm(const char* path) override;
    FileIdentity IdentityOf(const char* path) override;
    void BeginRun() override { m_paths.BeginRun(); }
    void EndRun() override;
    bool RemoveFile(const char* path) override;
    bool IsNetworkDrive(const char* root) override;
    bool DriveTarget(const char* drive, CString& target) override;
    bool RenameDenied(const char* path) override;
    bool IsProtectedFile(const char* path) override;

private:
    Win32CodePage m_codePage;
    Win32PathResolver m_paths{m_codePage};
    // Answers about drives, kept within a run: the entries of a plan lie on
    // a few drives, and Wine takes most of a millisecond for a drive's type.
    std::map<std::string, bool> m_networkDrives;
    std::map<std::string, CString> m_driveTargets;  // empty: no answer
};
