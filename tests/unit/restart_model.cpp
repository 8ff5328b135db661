#include "tests/unit/restart_model.h"

#include "tests/fakes/fake_path_names.h"
#include "tests/fakes/utf16_bytes.h"

#include <algorithm>
#include <stdexcept>

namespace {
// Code page 932's lead bytes, as tests/fakes/fake_code_page.h has them; asked
// of every byte of every path, so asked here without a call.
bool IsLeadByte(char byte)
{
    const auto value = static_cast<unsigned char>(byte);
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

// The characters beyond ASCII that the machine's names use, in UTF-16 and in
// code page 932 (表 ends in the byte of a backslash).
const std::pair<char16_t, const char*> kCharacters[] = {
    {u'Ｘ', "\x82\x77"}, {u'ｘ', "\x82\x98"}, {u'Σ', "\x83\xB0"},
    {u'σ', "\x83\xD0"}, {u'Д', "\x84\x44"}, {u'д', "\x84\x74"},
    {u'表', "\x95\x5C"},
};
// Characters that code page 932 lacks, and the look-alike that its best-fit
// conversion writes for each.
const std::pair<char16_t, char> kOutsideCharacters[] = {
    {u'Ü', 'U'}, {u'ü', 'u'}, {u'Ï', 'I'}, {u'ï', 'i'}, {u'ß', 's'}, {u'ẞ', 'S'},
};

// A name of the machine in UTF-16, as a program that writes UTF-16 has it.
std::u16string ToUtf16(const std::string& ansi)
{
    std::u16string units;
    for (size_t i = 0; i < ansi.size(); ++i) {
        const auto byte = static_cast<unsigned char>(ansi[i]);
        char16_t unit = byte;
        if (ansi[i] == ModelMachine::kOutside) {
            unit = 0;
            for (const auto& [character, lookAlike] : kOutsideCharacters) {
                if (i + 1 < ansi.size() && ansi[i + 1] == lookAlike)
                    unit = character;
            }
            ++i;
        } else if (IsLeadByte(ansi[i])) {
            unit = 0;
            for (const auto& [character, bytes] : kCharacters) {
                if (ansi.compare(i, 2, bytes) == 0)
                    unit = character;
            }
            ++i;
        }
        if (unit == 0)
            throw std::logic_error("a character the model does not know: " + ansi);
        units += unit;
    }
    return units;
}

// A unit of the registry's UTF-16 as the machine writes names; '?' for a
// character it does not know.
std::string FromUtf16(char16_t unit)
{
    if (unit < 0x80)
        return std::string(1, static_cast<char>(unit));
    for (const auto& [character, bytes] : kCharacters) {
        if (unit == character)
            return bytes;
    }
    for (const auto& [character, lookAlike] : kOutsideCharacters) {
        if (unit == character)
            return std::string{ModelMachine::kOutside, lookAlike};
    }
    return "?";
}

// Folding keeps a name's length, so names of two lengths never meet.
bool Same(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && Same(text.substr(0, prefix.size()), prefix);
}

}  // namespace

// A path as Windows reads it: a \\?\ or \\.\ prefix, a root (a drive, or a
// share "\\HOST\SHARE") and the components after it; "/" is a separator and
// "." and ".." are taken out, except under \\?\, where names are taken
// verbatim.
struct ModelMachine::Parsed {
    std::string prefix;
    std::string root;
    std::vector<std::string> parts;

    std::string Normal() const
    {
        std::string path = root;
        for (const std::string& part : parts)
            path += "\\" + part;
        return path;
    }
};

namespace {
using Parsed = ModelMachine::Parsed;

Parsed Parse(const std::string& path)
{
    Parsed parsed;
    std::string rest = path;
    if (StartsWith(rest, "\\\\?\\") || StartsWith(rest, "\\\\.\\")) {
        parsed.prefix = rest.substr(0, 4);
        rest = rest.substr(4);
        if (StartsWith(rest, "UNC\\"))
            rest = "\\" + rest.substr(3);
    }
    const bool verbatim = parsed.prefix == "\\\\?\\";
    std::vector<std::string> components;
    size_t start = 0;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (IsLeadByte(rest[i]) && i + 1 < rest.size()) {
            ++i;
        } else if (rest[i] == '\\' || (rest[i] == '/' && !verbatim)) {
            components.push_back(rest.substr(start, i - start));
            start = i + 1;
        }
    }
    components.push_back(rest.substr(start));
    size_t first = 1;
    if (components.size() >= 4 && components[0].empty() && components[1].empty()) {
        parsed.root = "\\\\" + components[2] + "\\" + components[3];
        first = 4;
    } else {
        parsed.root = components[0];
    }
    for (size_t i = first; i < components.size(); ++i) {
        const std::string& part = components[i];
        if (part.empty() || (!verbatim && part == "."))
            continue;
        if (!verbatim && part == "..") {
            if (!parsed.parts.empty())
                parsed.parts.pop_back();
            continue;
        }
        parsed.parts.push_back(part);
    }
    return parsed;
}

std::string Leaf(const std::string& path)
{
    const Parsed parsed = Parse(path);
    return parsed.parts.empty() ? parsed.root : parsed.parts.back();
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    const size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(Trimmed(text.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

bool IsHeader(const std::string& line)
{
    return !line.empty() && line[0] == '[';
}

std::string KeyOf(const std::string& line)
{
    return Trimmed(line.substr(0, line.find('=')));
}

// A record's path as the session manager reads it.
std::string FromNtForm(const std::string& path)
{
    std::string plain = StartsWith(path, "\\??\\") ? path.substr(4) : path;
    return StartsWith(plain, "UNC\\") ? "\\" + plain.substr(3) : plain;
}

std::string ShortName(const ModelMachine::File& file)
{
    return file.alias.empty() ? file.name : file.alias;
}
}  // namespace

std::string ModelMachine::BestFit(const std::string& name)
{
    std::string written = name;
    written.erase(std::remove(written.begin(), written.end(), kOutside), written.end());
    return written;
}

bool ModelMachine::Unwritable(const std::string& name)
{
    return name.find(kOutside) != std::string::npos;
}

size_t ModelMachine::Characters(const std::string& path)
{
    size_t count = 0;
    for (size_t i = 0; i < path.size(); ++i, ++count) {
        if (IsLeadByte(path[i]) && i + 1 < path.size())
            ++i;
    }
    return count;
}

ModelMachine::ModelMachine()
{
    for (const char* drive : {"C:", "D:"})
        Push(File{-1, drive, "", true, 0});
}

// The characters the code page lacks are read as WideCharToMultiByte reads
// them: '?', and inexact.
bool ModelMachine::Converter932::Convert(const std::u16string& text, CString& ansi) const
{
    std::string bytes;
    bytes.reserve(text.size());
    bool exact = true;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
            continue;
        }
        const std::string character = FromUtf16(unit);
        exact = exact && character[0] != kOutside && character != "?";
        bytes += character[0] == kOutside || character == "?" ? std::string("?") : character;
    }
    ansi = CString(bytes.data(), static_cast<int>(bytes.size()));
    return exact;
}

int ModelMachine::Push(File file)
{
    const int index = static_cast<int>(m_files.size());
    if (file.self < 0)
        file.self = index;
    (file.parent < 0 ? m_roots : m_children[static_cast<size_t>(file.parent)]).push_back(index);
    m_files.push_back(file);
    m_children.emplace_back();
    SetName(index, file.name, file.alias);
    return index;
}

void ModelMachine::SetName(int index, const std::string& name, const std::string& alias)
{
    File& file = m_files[static_cast<size_t>(index)];
    file.name = name;
    file.alias = alias;
    file.foldedName = FoldCase(name);
    file.foldedShortName = FoldCase(ShortName(file));
}

int ModelMachine::AddAt(const std::string& path, File file)
{
    const Walk walk = Resolve(path, false);
    file.parent = FolderOf(walk);
    file.name = walk.rest.size() == 1 ? walk.rest[0] : Leaf(path);
    return Push(file);
}

int ModelMachine::AddFolder(const std::string& path, const std::string& alias)
{
    return AddAt(path, File{-1, "", alias, true, 0});
}

int ModelMachine::AddFile(const std::string& path, int bytes, const std::string& alias)
{
    return AddAt(path, File{-1, "", alias, false, bytes});
}

void ModelMachine::AddLink(const std::string& path, const std::string& target, LinkRename how)
{
    File link{-1, "", "", IsFolder(Find(target)), 0};
    link.link = target;
    link.renameMovesTarget = how == LinkRename::kMovesTarget;
    AddAt(path, link);
}

// The file's content and permissions are the name's too; Windows File
// Protection guards names, not files.
int ModelMachine::AddHardLink(const std::string& path, const std::string& existing)
{
    File name = At(Find(existing));
    name.alias.clear();
    name.guarded = false;
    return AddAt(path, name);
}

void ModelMachine::AddRoad(const std::string& root, const std::string& folder, RoadKind kind)
{
    m_roads[FoldCase(root)] = Road{Find(folder), kind};
}

int ModelMachine::Followed(int index) const
{
    return index >= 0 && !At(index).link.empty() ? Find(At(index).link) : index;
}

int ModelMachine::Child(int folder, const std::string& name, bool shortNamesOnly) const
{
    folder = Followed(folder);
    if (!IsFolder(folder))
        return -1;
    // A long name takes precedence over another file's alias.
    const std::string folded = FoldCase(name);
    for (bool byShortName : {false, true}) {
        if (!byShortName && shortNamesOnly)
            continue;
        for (int child : m_children[static_cast<size_t>(folder)]) {
            const File& file = At(child);
            if (!file.gone && (byShortName ? file.foldedShortName : file.foldedName) == folded)
                return child;
        }
    }
    return -1;
}

ModelMachine::Walk ModelMachine::Resolve(const std::string& path, bool restart,
                                         bool shortNamesOnly) const
{
    return Resolve(Parse(path), restart, shortNamesOnly);
}

ModelMachine::Walk ModelMachine::Resolve(const Parsed& parsed, bool restart,
                                         bool shortNamesOnly) const
{
    Walk walk;
    for (int root : m_roots) {
        if (Same(At(root).name, parsed.root))
            walk.reached = root;
    }
    const auto road = m_roads.find(FoldCase(parsed.root));
    if (road != m_roads.end() && (!restart || road->second.kind == RoadKind::kDriveLetter))
        walk.reached = road->second.folder;
    if (walk.reached < 0) {
        walk.rest = parsed.parts;
        return walk;
    }
    walk.found = walk.reached;
    for (size_t i = 0; i < parsed.parts.size(); ++i) {
        const int next = Child(walk.found, parsed.parts[i], shortNamesOnly);
        if (next < 0) {
            walk.reached = walk.found;
            walk.found = -1;
            walk.rest.assign(parsed.parts.begin() + static_cast<std::ptrdiff_t>(i),
                             parsed.parts.end());
            return walk;
        }
        walk.reached = walk.found;
        walk.found = next;
    }
    return walk;
}

int ModelMachine::Find(const std::string& path) const
{
    return Followed(Resolve(path, false).found);
}

int ModelMachine::FindName(const std::string& path) const
{
    return Resolve(path, false).found;
}

int ModelMachine::FolderOf(const Walk& walk) const
{
    const int folder = walk.found >= 0 || walk.rest.size() == 1 ? Followed(walk.reached) : -1;
    return IsFolder(folder) ? folder : -1;
}

int ModelMachine::BytesAt(const std::string& path) const
{
    const int index = Find(path);
    return index >= 0 && !At(index).isFolder ? At(index).bytes : 0;
}

std::string ModelMachine::PathOf(int index) const
{
    const File& file = At(index);
    return file.parent < 0 ? file.name : PathOf(file.parent) + "\\" + file.name;
}

std::string ModelMachine::ShortPathOf(int index) const
{
    const File& file = At(index);
    return file.parent < 0 ? file.name : ShortPathOf(file.parent) + "\\" + ShortName(file);
}

std::vector<int> ModelMachine::Existing() const
{
    std::vector<int> existing;
    for (size_t i = 0; i < m_files.size(); ++i) {
        int at = static_cast<int>(i);
        while (at >= 0 && !At(at).gone)
            at = At(at).parent;
        if (at < 0)
            existing.push_back(static_cast<int>(i));
    }
    return existing;
}

bool ModelMachine::Rename(const std::string& from, const std::string& to, bool replace, bool nineX)
{
    int source = Resolve(from, true, nineX).found;
    // Wine opens what the link leads to and renames that; Windows renames the
    // link itself.
    if (source >= 0 && At(source).renameMovesTarget)
        source = Followed(source);
    const Walk target = Resolve(to, true, nineX);
    const int folder = FolderOf(target);
    if (source < 0 || folder < 0)
        return false;
    // A folder cannot move into itself, nor any file to another volume.
    int volume = folder;
    for (int at = folder; at >= 0; at = At(at).parent) {
        if (at == source)
            return false;
        volume = at;
    }
    int sourceVolume = source;
    while (At(sourceVolume).parent >= 0)
        sourceVolume = At(sourceVolume).parent;
    if (volume != sourceVolume)
        return false;
    if (At(source).denied)
        return false;
    if (target.found >= 0 && target.found != source) {
        if (!replace || At(target.found).isFolder || At(source).isFolder ||
            At(target.found).denied)
            return false;
        m_files[static_cast<size_t>(target.found)].gone = true;
    }
    File& file = m_files[static_cast<size_t>(source)];
    // Its folder's names stay in the order they were made.
    std::vector<int>& left = m_children[static_cast<size_t>(file.parent)];
    left.erase(std::find(left.begin(), left.end(), source));
    std::vector<int>& entered = m_children[static_cast<size_t>(folder)];
    entered.insert(std::lower_bound(entered.begin(), entered.end(), source), source);
    file.parent = folder;
    SetName(source, Leaf(to), std::string());
    return true;
}

void ModelMachine::Delete(const std::string& path, bool nineX)
{
    const int index = Resolve(path, true, nineX).found;
    if (index < 0 || At(index).denied)
        return;
    for (int child : m_children[static_cast<size_t>(index)]) {
        if (!At(child).gone)
            return;  // a folder that is not empty stays
    }
    m_files[static_cast<size_t>(index)].gone = true;
}

void ModelMachine::Restart()
{
    // The registry value's strings, as the machine writes names: the session
    // manager reads UTF-16, so a name the code page lacks is reached too.
    std::vector<std::string> strings(1);
    for (size_t i = 0; i + 1 < ntValue.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(ntValue[i]) |
                                                    static_cast<unsigned char>(ntValue[i + 1]) << 8);
        if (unit == 0)
            strings.emplace_back();
        else if (unit < 0x80)
            strings.back() += static_cast<char>(unit);
        else
            strings.back() += FromUtf16(unit);
    }
    for (size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
        std::string to = strings[i + 1];
        const bool replace = !to.empty() && to[0] == '!';
        to = replace ? to.substr(1) : to;
        if (to.empty())
            Delete(FromNtForm(strings[i]), false);
        else
            Rename(FromNtForm(strings[i]), FromNtForm(to), replace, false);
    }
    ntValue.clear();

    bool inRename = false;
    for (const std::string& line : Lines(wininit)) {
        if (IsHeader(line)) {
            inRename = Same(line, "[rename]");
        } else if (inRename && line.find('=') != std::string::npos && line[0] != ';') {
            const std::string destination = KeyOf(line);
            const std::string source = Trimmed(line.substr(line.find('=') + 1));
            if (Same(destination, "NUL"))
                Delete(source, true);
            else
                Rename(source, destination, true, true);
        }
    }
    wininit.clear();
}

bool ModelMachine::GetStatus(const char* path, unsigned* mode)
{
    const int index = Find(path);
    if (index < 0)
        return false;
    *mode = At(index).isFolder ? kModeDirectory : kModeRegular;
    return true;
}

// The number that stands for a file's bytes stands for its size and time too.
bool ModelMachine::GetFacts(const char* path, FileFacts& facts)
{
    const int index = Find(path);
    if (index < 0 || At(index).isFolder)
        return false;
    facts.size = facts.lastWrite = static_cast<unsigned long long>(At(index).bytes);
    return true;
}

bool ModelMachine::CopyWithoutOverwrite(const char* source, const char* destination)
{
    // A name that is there, a link that leads nowhere among them, is not
    // overwritten.
    const int from = Find(source);
    const int folder = FolderOf(Resolve(destination, false));
    if (from < 0 || At(from).isFolder || FindName(destination) >= 0 || folder < 0)
        return false;
    Push(File{folder, Leaf(destination), "", false, At(from).bytes});
    return true;
}

// Its conversion of the source to UTF-16 holds 261 units, the null included.
bool ModelMachine::MoveAtRestart(const char* from, const char* to)
{
    if (Characters(from) > 260 || ++recordsWritten == failingRecord)
        return false;
    QueueNt(from, to, true);
    return true;
}

void ModelMachine::QueueNt(const std::string& from, const std::string& to, bool replace)
{
    // MoveFileEx writes each path in full: "." and ".." taken out, the
    // prefixes turned into the system's own \??\.
    const auto ntForm = [](const std::string& path) {
        const std::string normal = Parse(path).Normal();
        return ToUtf16(StartsWith(normal, "\\\\") ? "\\??\\UNC" + normal.substr(1)
                                                  : "\\??\\" + normal);
    };
    std::u16string record = ntForm(from);
    record += u'\0';
    if (!to.empty())
        record += (replace ? u"!" : u"") + ntForm(to);
    record += u'\0';
    if (!ntValue.empty())
        ntValue.resize(ntValue.size() - 2);  // the list's terminator
    ntValue += Utf16(record) + Utf16(std::u16string(1, u'\0'));
}

bool ModelMachine::WriteProfileEntry(const char* section, const char* key, const char* value,
                                     const char* file)
{
    if (!Same(file, kWininitFileName) || (value && ++recordsWritten == failingRecord))
        return false;
    std::vector<std::string> lines = Lines(wininit);
    size_t header = 0;
    while (header < lines.size() && !Same(lines[header], "[" + std::string(section) + "]"))
        ++header;
    if (header == lines.size()) {
        if (value)
            lines.insert(lines.end(), {"[" + std::string(section) + "]", std::string(key) + "=" + value});
    } else {
        size_t end = header + 1;
        size_t last = header;  // the section's last line that is not blank
        bool replaced = false;
        for (; end < lines.size() && !IsHeader(lines[end]); ++end) {
            if (!lines[end].empty())
                last = end;
            if (!replaced && lines[end].find('=') != std::string::npos &&
                Same(KeyOf(lines[end]), key)) {
                replaced = true;
                if (value) {
                    lines[end] = std::string(key) + "=" + value;
                } else {
                    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(end--));
                }
            }
        }
        if (!replaced && value)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last + 1),
                         std::string(key) + "=" + value);
    }
    wininit.clear();
    for (const std::string& line : lines)
        wininit += line + "\r\n";
    return true;
}

// The root as given, then each component by its short name.
bool ModelMachine::GetShortPath(const char* path, CString& shortPath)
{
    const Parsed parsed = Parse(path);
    if (Find(path) < 0)
        return false;
    std::string resolved = parsed.prefix + parsed.root;
    int at = Resolve(parsed.prefix + parsed.root, false).found;
    for (const std::string& part : parsed.parts) {
        at = Child(at, part, false);
        resolved += "\\" + ShortName(At(at));
    }
    shortPath = resolved.c_str();
    return true;
}

// The root as given, each component that exists by its long name (but one
// the code page cannot write, which keeps the spelling given), the rest as
// given.
CString ModelMachine::LongForm(const char* path)
{
    const Parsed parsed = Parse(path);
    std::string resolved = parsed.prefix + parsed.root;
    int at = Resolve(resolved, false).found;
    for (const std::string& part : parsed.parts) {
        at = at < 0 ? -1 : Child(at, part, false);
        resolved += "\\" + (at < 0 || Unwritable(At(at).name) ? part : At(at).name);
    }
    return resolved.c_str();
}

// From the machine's own table: the folder that holds the name (or the
// deepest one reached on the way), every road to it alike; below it the long
// name where there is one, the rest as given, letters folded. What exists is
// itself by the file it is a name of, where a link leads; a link that leads
// nowhere is a name without a self.
FileIdentity ModelMachine::IdentityOf(const char* path)
{
    const Parsed parsed = Parse(path);
    const Walk walk = Resolve(parsed, false);
    const auto key = [this](int index) { return "#" + std::to_string(SelfOf(index)); };
    FileIdentity identity;
    std::string rest;
    if (walk.reached < 0) {
        identity.folder = "root " + FoldCase(parsed.root);
    } else if (walk.found >= 0) {
        const int followed = Followed(walk.found);
        identity.exists = true;
        identity.self = followed < 0 ? std::string() : key(followed);
        identity.directory = IsFolder(followed);
        identity.link = IsLink(walk.found);
        identity.nameOutsideCodePage = Unwritable(At(walk.found).name);
        if (parsed.parts.empty()) {
            identity.folder = "root " + FoldCase(parsed.root);
        } else {
            identity.folder = key(Followed(walk.reached));
            rest = At(walk.found).name;
        }
    } else if (IsFolder(Followed(walk.reached))) {
        identity.folder = key(Followed(walk.reached));
    } else {  // the path leads through a file
        identity.folder = key(At(walk.reached).parent);
        rest = At(walk.reached).name;
    }
    for (const std::string& part : walk.rest)
        rest += (rest.empty() ? "" : "\\") + part;
    identity.restFoldedByLocale = identity.restFoldedByUpper = FoldCase(rest);
    return identity;
}

// DeleteFileA takes the name away: a link, not what it leads to.
bool ModelMachine::RemoveFile(const char* path)
{
    const int index = FindName(path);
    if (index < 0 || At(index).isFolder)
        return false;
    m_files[static_cast<size_t>(index)].gone = true;
    return true;
}

bool ModelMachine::IsNetworkDrive(const char* root)
{
    const auto road = m_roads.find(FoldCase(Parse(root).root));
    return road != m_roads.end() && road->second.kind == RoadKind::kNetworkDrive;
}

// The volumes answer a device; a letter that subst made, its folder.
bool ModelMachine::DriveTarget(const char* drive, CString& target)
{
    const auto road = m_roads.find(FoldCase(drive));
    if (road == m_roads.end()) {
        target = "\\Device\\HarddiskVolume1";
        return Same(drive, "C:") || Same(drive, "D:");
    }
    target = ("\\??\\" + PathOf(road->second.folder)).c_str();
    return road->second.kind == RoadKind::kSubst;
}

bool ModelMachine::RenameDenied(const char* path)
{
    const int index = Find(path);
    return index >= 0 && At(index).denied;
}

bool ModelMachine::IsProtectedFile(const char* path)
{
    const int index = Find(path);
    return index >= 0 && At(index).guarded;
}

namespace {
QueueResult Give(const std::string& stored, std::string& bytes)
{
    if (stored.size() > kMaxQueueBytes)
        return QueueResult::kTooLarge;
    bytes = stored;
    return stored.empty() ? QueueResult::kEmpty : QueueResult::kOk;
}

QueueResult Replace(std::string& stored, const std::string& read, const std::string& rewritten)
{
    if (stored.size() > kMaxQueueBytes)
        return QueueResult::kTooLarge;
    if (stored != read)
        return QueueResult::kChanged;
    stored = rewritten;
    return QueueResult::kOk;
}
}  // namespace

QueueResult ModelMachine::ReadNtValue(NtQueueValue value, std::string& raw)
{
    return Give(value == NtQueueValue::kPendingFileRenameOperations ? ntValue : std::string(), raw);
}

QueueResult ModelMachine::RewriteNtValue(NtQueueValue value, const std::string& read,
                                         const std::string& rewritten)
{
    std::string second;
    return Replace(value == NtQueueValue::kPendingFileRenameOperations ? ntValue : second, read,
                   rewritten);
}

QueueResult ModelMachine::ReadWininit(std::string& bytes)
{
    return Give(wininit, bytes);
}

QueueResult ModelMachine::RewriteWininit(const std::string& read, const std::string& rewritten)
{
    return Replace(wininit, read, rewritten);
}
