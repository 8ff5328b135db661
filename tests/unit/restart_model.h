// A model of one machine: its files and folders, the roads that lead to them,
// what its next restart will carry out, and that restart, for replaying whole
// plans through the real schedulers and the pending cancel. Files hold a
// number that stands for their bytes.
//
// Names resolve as Windows resolves them, as untidily: a folder may be reached
// through a second drive letter, a share, a folder link, or a path under the
// \\?\ and \\.\ prefixes; "/" is "\" and "." and ".." are taken out (but under
// \\?\); letters fold in either case, ASCII, full-width, Greek and Cyrillic
// alike; a file or folder may be named by a short alias, with or without a
// '~'. A rename gives the file the name written in the record, letter for
// letter, and no alias; folders may be renamed too, and take what they hold
// with them.
//
// A file may have two names. A hard link is a second name of one file (one
// identity, one content): a rename moves only its own name, a deletion takes
// only its own name away. A symbolic link to a file, as mklink makes it, is a
// name that leads to another file's name, looked up on every use: its
// identity is that file's, and it is reported as a link. Its rename moves the
// link itself as Windows does, or, as Wine does, the file it leads to; each
// link does one or the other. Deleting a link, or renaming onto it, takes the
// link away, never the file.
//
// A long name may hold characters that code page 932 cannot write (kOutside
// marks each, followed by its best-fit ASCII look-alike); such a file or
// folder always has a short alias. No ANSI spelling reaches that long name:
// its best-fit spelling reaches whatever has that name (a twin, or nothing),
// only the alias reaches the file. The restart reads UTF-16 and reaches it by
// its real name. LongForm keeps the spelling given for such a name, and a
// rename by the alias leaves the file with the alias as its name.
//
// The restart works as the session manager (NT) and the 9x start-up do: NT
// records in recording order, a rename onto an existing name only when marked
// '!', an empty destination deletes, and an operation that fails changes
// nothing; then the [rename] lines of wininit.ini in file order, where
// DEST=SOURCE replaces DEST and NUL=SOURCE deletes, names read as short names
// only (the 9x start-up runs before long names exist). The restart runs
// before the network and outside the session: shares, network drives and
// letters that subst made lead nowhere then. It renames as the system, which
// a file that denies deletion refuses. MoveFileExA records no source name
// longer than 260 characters (a double-byte character counts once), and the
// queue's stores answer kTooLarge, unread, past kMaxQueueBytes.
#pragma once

#include "platform/file_system_ops.h"
#include "platform/restart_queue_store.h"
#include "platform/wide_to_ansi.h"

#include <map>
#include <string>
#include <vector>

class ModelMachine : public FileSystemOps, public RestartQueueStore {
public:
    struct File {
        int parent;         // the folder it stands in; -1 for a drive's root
        std::string name;   // its long name; a root's is its drive, "C:"
        std::string alias;  // its short name where it has one apart from name
        bool isFolder;
        int bytes;
        std::string link = std::string();  // a link: the path it leads to, looked up on every use
        bool gone = false;  // deleted, or replaced by a rename
        bool denied = false;  // refuses deletion to the administrators and the system
        bool guarded = false;  // Windows File Protection guards it
        int self = -1;  // the file this is a name of: its own index, or its first name's
        bool renameMovesTarget = false;  // a link whose rename moves what it leads to (Wine)
        // Kept by the machine: name and short name with their letters folded.
        std::string foldedName = std::string();
        std::string foldedShortName = std::string();
    };
    // How the rename of a symbolic link to a file behaves.
    enum class LinkRename {
        kMovesLink,    // Windows: the link itself takes the new name
        kMovesTarget,  // Wine: the file it leads to takes the new name
    };
    // Written in a stored long name before the best-fit look-alike of each
    // character that code page 932 lacks: "\x7FUn\x7Fi" is "Ünï".
    static constexpr char kOutside = '\x7F';
    // name as the ANSI listing writes it, each character the code page lacks
    // by its look-alike ("Ünï" as "Uni").
    static std::string BestFit(const std::string& name);
    // True when name holds a character the code page cannot write.
    static bool Unwritable(const std::string& name);
    // The characters of a path in code page 932, a double-byte one counted once.
    static size_t Characters(const std::string& path);
    enum class RoadKind {
        kDriveLetter,   // a second letter that stays, as Wine's dosdevices links do
        kSubst,         // made by subst in this session: gone at the restart
        kNetworkDrive,  // a letter that Windows calls remote: gone at the restart
        kShare,         // \\HOST\SHARE: gone at the restart
    };

    ModelMachine();

    // Parents must exist; a name is added under the spelling given for it.
    int AddFolder(const std::string& path, const std::string& alias = "");
    int AddFile(const std::string& path, int bytes, const std::string& alias = "");
    // A symbolic link at path that leads to whatever target names when it is
    // used: a folder's link, or a file's whose rename behaves as how says.
    void AddLink(const std::string& path, const std::string& target,
                 LinkRename how = LinkRename::kMovesLink);
    // A second name at path for the file at existing, on the same volume.
    int AddHardLink(const std::string& path, const std::string& existing);
    // Another root for a folder: a drive letter ("T:") or a share ("\\HOST\SHARE").
    void AddRoad(const std::string& root, const std::string& folder, RoadKind kind);
    void Deny(const std::string& path) { m_files[static_cast<size_t>(Find(path))].denied = true; }
    void Guard(const std::string& path) { m_files[static_cast<size_t>(Find(path))].guarded = true; }

    // The file or folder that path names now, a link followed, or -1.
    int Find(const std::string& path) const;
    // The name that path names now, a link not followed, or -1.
    int FindName(const std::string& path) const;
    const File& At(int index) const { return m_files[static_cast<size_t>(index)]; }
    // The file that the name at index is a name of (hard links share it).
    int SelfOf(int index) const { return At(index).self; }
    bool IsLink(int index) const { return index >= 0 && !At(index).link.empty(); }
    // Names made so far, gone ones included: indices below it stay the same
    // names in a copy of the machine.
    int Count() const { return static_cast<int>(m_files.size()); }
    // The bytes at path, or 0 when no file is there.
    int BytesAt(const std::string& path) const;
    // Its one true name: drive, then the long names of the folders down to it.
    std::string PathOf(int index) const;
    // Its name in short names only, as the 9x start-up knows it.
    std::string ShortPathOf(int index) const;
    // Every file and folder that exists, by index.
    std::vector<int> Existing() const;

    void Restart();

    bool GetStatus(const char* path, unsigned* mode) override;
    bool GetFacts(const char* path, FileFacts& facts) override;
    bool CopyWithoutOverwrite(const char* source, const char* destination) override;
    // As MoveFileExA with replace-existing and delay-until-reboot records it.
    bool MoveAtRestart(const char* from, const char* to) override;
    // As WritePrivateProfileStringA edits a file.
    bool WriteProfileEntry(const char* section, const char* key, const char* value,
                           const char* file) override;
    bool GetShortPath(const char* path, CString& shortPath) override;
    CString LongForm(const char* path) override;
    FileIdentity IdentityOf(const char* path) override;
    bool RemoveFile(const char* path) override;
    bool IsNetworkDrive(const char* root) override;
    bool DriveTarget(const char* drive, CString& target) override;
    bool RenameDenied(const char* path) override;
    bool IsProtectedFile(const char* path) override;

    // PendingFileRenameOperations only; the second value stays empty. Either
    // store answers kTooLarge, unread, past kMaxQueueBytes.
    QueueResult ReadNtValue(NtQueueValue value, std::string& raw) override;
    QueueResult RewriteNtValue(NtQueueValue value, const std::string& read,
                               const std::string& rewritten) override;
    QueueResult ReadWininit(std::string& bytes) override;
    QueueResult RewriteWininit(const std::string& read, const std::string& rewritten) override;

    // Appends a record as another program's MoveFileExW would (to empty: a
    // deletion); names may hold characters the code page lacks.
    void QueueNt(const std::string& from, const std::string& to, bool replace);
    // How the queue's UTF-16 reads in code page 932, for the schedulers.
    const WideToAnsi& Converter() const { return m_converter; }

    std::string ntValue;  // UTF-16LE, with the list's terminator once it holds a record
    std::string wininit;
    // The one record the machine fails to write (a full or locked registry,
    // a read-only WININIT.INI), counted from the first: 0 for none.
    int failingRecord = 0;
    int recordsWritten = 0;

    // A path read as Windows reads it (in restart_model.cpp).
    struct Parsed;

private:
    struct Road {
        int folder;
        RoadKind kind;
    };
    // How far path resolves: the last folder reached and the components that
    // lead on from it, the first of which did not resolve (none when all did).
    struct Walk {
        int reached = -1;   // -1 when the root leads nowhere
        int found = -1;     // what the whole path names, or -1
        std::vector<std::string> rest;
    };
    Walk Resolve(const std::string& path, bool restart, bool shortNamesOnly = false) const;
    Walk Resolve(const Parsed& parsed, bool restart, bool shortNamesOnly = false) const;
    // The child of folder (a link leads on) named name, long names first.
    int Child(int folder, const std::string& name, bool shortNamesOnly) const;
    // index, or where the link at index leads (-1 when nowhere).
    int Followed(int index) const;
    bool IsFolder(int index) const { return index >= 0 && At(index).isFolder; }
    // The folder that holds the name walked to, or would hold it; -1 when
    // there is none.
    int FolderOf(const Walk& walk) const;
    int AddAt(const std::string& path, File file);
    int Push(File file);
    // Gives the name at index its long name, and keeps its foldings.
    void SetName(int index, const std::string& name, const std::string& alias);
    bool Rename(const std::string& from, const std::string& to, bool replace, bool nineX);
    void Delete(const std::string& path, bool nineX);

    std::vector<File> m_files;
    std::vector<int> m_roots;                  // the names without a folder: drives
    std::vector<std::vector<int>> m_children;  // each name's folder's names, by index
    std::map<std::string, Road> m_roads;  // by folded root
    // WideCharToMultiByte in code page 932 for the machine's characters:
    // ASCII and the double-byte ones it uses pass; any other becomes '?' and
    // makes the conversion inexact.
    class Converter932 : public WideToAnsi {
    public:
        bool Convert(const std::u16string& text, CString& ansi) const override;
    };
    Converter932 m_converter;
};
