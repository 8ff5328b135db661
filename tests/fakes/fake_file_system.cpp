#include "tests/fakes/fake_file_system.h"

#include "framework/path_text.h"
#include "tests/fakes/fake_code_page.h"

void FakeFileSystem::Fail(Operation operation, const std::string& path)
{
    m_failures.insert({operation, path});
}

bool FakeFileSystem::Fails(Operation operation, const char* path)
{
    return m_failures.count({operation, std::string()}) || m_failures.count({operation, path});
}

bool FakeFileSystem::NextMutationFails()
{
    return m_failingMutations.count(++m_mutations) != 0;
}

void FakeFileSystem::SetShortPath(const std::string& path, const std::string& shortPath)
{
    shortPaths[path] = shortPath;
    const FakeCodePage932 codePage;
    const PathSteps longSteps = PathSteps::Split(path.c_str(), codePage);
    const PathSteps shortSteps = PathSteps::Split(shortPath.c_str(), codePage);
    if (longSteps.names.size() != shortSteps.names.size())
        return;
    for (size_t i = 0; i < longSteps.names.size(); ++i) {
        if (longSteps.names[i] != shortSteps.names[i])
            aliases.Add(std::string(longSteps.Leading(i)) + (i ? "\\" : "") +
                            std::string(shortSteps.names[i]),
                        std::string(longSteps.Leading(i + 1)));
    }
}

bool FakeFileSystem::GetStatus(const char* path, unsigned* mode)
{
    log.push_back(std::string("status ") + path);
    const auto entry = entries.find(path);
    if (entry == entries.end() || Fails(kStatus, path))
        return false;
    *mode = entry->second;
    return true;
}

bool FakeFileSystem::GetFacts(const char* path, FileFacts& found)
{
    const auto entry = entries.find(path);
    if (entry == entries.end() || entry->second != kModeRegular || Fails(kStatus, path))
        return false;
    const auto listed = facts.find(path);
    found = listed == facts.end() ? FileFacts() : listed->second;
    return true;
}

bool FakeFileSystem::CopyWithoutOverwrite(const char* source, const char* destination)
{
    log.push_back(std::string("copy ") + source + " > " + destination);
    if (NextMutationFails() || Fails(kCopy, source) || Fails(kCopy, destination) ||
        entries.count(destination) || !entries.count(source))
        return false;
    entries[destination] = kModeRegular;
    if (facts.count(source))
        facts[destination] = facts[source];
    return true;
}

bool FakeFileSystem::MoveAtRestart(const char* from, const char* to)
{
    log.push_back(std::string("move ") + from + " > " + to);
    return !NextMutationFails() && !Fails(kMoveAtRestart, from);
}

bool FakeFileSystem::WriteProfileEntry(const char* section, const char* key, const char* value,
                                        const char* file)
{
    // A null value removes the key.
    log.push_back(std::string("profile ") + file + " [" + section + "] " + key +
                  (value ? std::string("=") + value : std::string(" removed")));
    return !NextMutationFails() && !Fails(kWriteProfile, key);
}

bool FakeFileSystem::GetShortPath(const char* path, CString& shortPath)
{
    log.push_back(std::string("short ") + path);
    if (Fails(kShortPath, path))
        return false;
    const auto mapped = shortPaths.find(path);
    shortPath = mapped != shortPaths.end() ? mapped->second.c_str() : path;
    return true;
}

CString FakeFileSystem::LongForm(const char* path)
{
    return aliases.LongForm(ResolveDots(path)).c_str();
}

FileIdentity FakeFileSystem::IdentityOf(const char* path)
{
    const std::string resolved = aliases.LongForm(ResolveDots(path));
    const size_t cut = static_cast<size_t>(FindLastBackslash(resolved.c_str(), FakeCodePage932()));
    FileIdentity identity;
    identity.unknown = !PathSteps::Split(resolved.c_str(), FakeCodePage932()).Readable();
    identity.folder = FoldCase(resolved.substr(0, cut));
    identity.restFoldedByLocale = identity.restFoldedByUpper = FoldCase(resolved.substr(cut + 1));
    for (const auto& [entry, mode] : entries) {
        if (FoldCase(aliases.LongForm(ResolveDots(entry))) == FoldCase(resolved)) {
            identity.exists = true;
            identity.directory = mode == kModeDirectory;
            identity.self = FoldCase(resolved);
        }
    }
    identity.link = links.count(resolved) != 0;
    identity.nameOutsideCodePage = namesOutsideCodePage.count(resolved) != 0;
    return identity;
}

bool FakeFileSystem::DriveTarget(const char* drive, CString& target)
{
    const auto answer = driveTargets.find(drive);
    if (answer == driveTargets.end())
        return false;
    target = answer->second.c_str();
    return true;
}

bool FakeFileSystem::RemoveFile(const char* path)
{
    log.push_back(std::string("remove ") + path);
    return !Fails(kRemove, path) && entries.erase(path) != 0;
}
