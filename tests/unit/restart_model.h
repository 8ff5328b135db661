// A model of one machine: its files, what its next restart will carry out,
// and that restart, for replaying whole plans through the real schedulers and
// the pending cancel. Files hold a number that stands for their bytes.
//
// Names resolve as the file system resolves them: "/" is "\", "." and ".."
// are taken out, ASCII case is folded, and a file or folder may be named by
// its short alias too. A rename gives the file the name written in the record,
// letter for letter, and no alias.
//
// The restart works as the session manager (NT) and the 9x start-up do: NT
// records in recording order, a rename onto an existing name only when marked
// '!', an empty destination deletes, and an operation that fails changes
// nothing; then the [rename] lines of wininit.ini in file order, where
// DEST=SOURCE replaces DEST and NUL=SOURCE deletes.
#pragma once

#include "platform/file_system_ops.h"
#include "platform/restart_queue_store.h"

#include <string>
#include <vector>

class ModelMachine : public FileSystemOps, public RestartQueueStore {
public:
    struct File {
        std::string folder;  // the long name of the folder it stands in: "C:" for the root
        std::string name;
        std::string alias;   // its short name where it has one apart from name
        bool isFolder;
        int bytes;

        std::string Path() const { return folder + "\\" + name; }
    };

    void AddFolder(const std::string& path, const std::string& alias = "");
    void AddFile(const std::string& path, int bytes, const std::string& alias = "");
    // The file or folder that path names now, or null.
    const File* Find(const std::string& path) const;
    // The bytes at path, or 0 when nothing is there.
    int BytesAt(const std::string& path) const;
    // path with every component that exists in its long spelling.
    std::string LongForm(const std::string& path) const;
    std::string ShortForm(const File& file) const;
    const std::vector<File>& Files() const { return m_files; }

    void Restart();

    bool GetStatus(const char* path, unsigned* mode) override;
    bool CopyWithoutOverwrite(const char* source, const char* destination) override;
    // As MoveFileExA with replace-existing and delay-until-reboot records it.
    bool MoveAtRestart(const char* from, const char* to) override;
    // As WritePrivateProfileStringA edits a file.
    bool WriteProfileEntry(const char* section, const char* key, const char* value,
                           const char* file) override;
    bool GetShortPath(const char* path, CString& shortPath) override;
    CString CanonicalName(const char* path) override;
    bool RemoveFile(const char* path) override;

    // PendingFileRenameOperations only; the second value stays empty.
    QueueResult ReadNtValue(NtQueueValue value, std::string& raw) override;
    QueueResult RewriteNtValue(NtQueueValue value, const std::string& read,
                               const std::string& rewritten) override;
    QueueResult ReadWininit(std::string& bytes) override;
    QueueResult RewriteWininit(const std::string& read, const std::string& rewritten) override;

    // Appends a record as another program's MoveFileEx would (to empty: a deletion).
    void QueueNt(const std::string& from, const std::string& to, bool replace);

    std::string ntValue;  // UTF-16LE, with the list's terminator once it holds a record
    std::string wininit;

private:
    // The file or folder named name in folder (a long name), or -1.
    int Child(const std::string& folder, const std::string& name) const;
    int IndexOf(const std::string& path) const;
    // The long name of the folder that would hold path, or "" when it does not exist.
    std::string FolderOf(const std::string& path) const;
    void Rename(const std::string& from, const std::string& to, bool replace);
    void Delete(const std::string& path);

    std::vector<File> m_files;
};
