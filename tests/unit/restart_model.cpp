#include "tests/unit/restart_model.h"

#include "tests/fakes/utf16_bytes.h"

#include <algorithm>
#include <cctype>

namespace {
// The components of path, "/" read as "\\", "." and ".." taken out; the
// first is the drive. The names of the universe are ASCII.
std::vector<std::string> Components(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(path.find_first_of("\\/", start), path.size());
        const std::string part = path.substr(start, end - start);
        if (part == ".." && parts.size() > 1)
            parts.pop_back();
        else if (part != "." && part != "..")
            parts.push_back(part);
        if (end == path.size())
            return parts;
        start = end + 1;
    }
}

std::string Joined(const std::vector<std::string>& parts)
{
    std::string path = parts[0];
    for (size_t i = 1; i < parts.size(); ++i)
        path += "\\" + parts[i];
    return path;
}

// The names of the universe are ASCII: they compare with ASCII case folded.
bool Same(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string Leaf(const std::string& path)
{
    return Components(path).back();
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

std::string WithoutNtPrefix(const std::string& path)
{
    return path.compare(0, 4, "\\??\\") == 0 ? path.substr(4) : path;
}
}  // namespace

void ModelMachine::AddFolder(const std::string& path, const std::string& alias)
{
    const std::string resolved = LongForm(path);
    m_files.push_back(File{resolved.substr(0, resolved.rfind('\\')), Leaf(path), alias, true, 0});
}

void ModelMachine::AddFile(const std::string& path, int bytes, const std::string& alias)
{
    const std::string resolved = LongForm(path);
    m_files.push_back(File{resolved.substr(0, resolved.rfind('\\')), Leaf(path), alias, false, bytes});
}

int ModelMachine::Child(const std::string& folder, const std::string& name) const
{
    // A long name takes precedence over another file's alias.
    for (bool byAlias : {false, true}) {
        for (size_t i = 0; i < m_files.size(); ++i) {
            const File& file = m_files[i];
            if (Same(byAlias ? file.alias : file.name, name) && Same(file.folder, folder))
                return static_cast<int>(i);
        }
    }
    return -1;
}

int ModelMachine::IndexOf(const std::string& path) const
{
    const std::vector<std::string> parts = Components(path);
    std::string folder = parts[0];
    int index = -1;
    for (size_t part = 1; part < parts.size(); ++part) {
        if (index >= 0 && !m_files[static_cast<size_t>(index)].isFolder)
            return -1;
        index = Child(folder, parts[part]);
        if (index < 0)
            return -1;
        folder = m_files[static_cast<size_t>(index)].Path();
    }
    return index;
}

const ModelMachine::File* ModelMachine::Find(const std::string& path) const
{
    const int index = IndexOf(path);
    return index < 0 ? nullptr : &m_files[static_cast<size_t>(index)];
}

int ModelMachine::BytesAt(const std::string& path) const
{
    const File* file = Find(path);
    return file && !file->isFolder ? file->bytes : 0;
}

std::string ModelMachine::LongForm(const std::string& path) const
{
    const std::vector<std::string> parts = Components(path);
    std::string resolved = parts[0];
    size_t part = 1;
    for (; part < parts.size(); ++part) {
        const int index = Child(resolved, parts[part]);
        if (index < 0)
            break;
        resolved = m_files[static_cast<size_t>(index)].Path();
    }
    for (; part < parts.size(); ++part)
        resolved += "\\" + parts[part];
    return resolved;
}

std::string ModelMachine::ShortForm(const File& file) const
{
    const File* folder = Find(file.folder);
    return (folder ? ShortForm(*folder) : file.folder) + "\\" +
           (file.alias.empty() ? file.name : file.alias);
}

std::string ModelMachine::FolderOf(const std::string& path) const
{
    std::vector<std::string> parts = Components(path);
    if (parts.size() == 2)
        return parts[0];
    parts.pop_back();
    const File* folder = Find(Joined(parts));
    return folder && folder->isFolder ? folder->Path() : std::string();
}

void ModelMachine::Rename(const std::string& from, const std::string& to, bool replace)
{
    int source = IndexOf(from);
    const int destination = IndexOf(to);
    const std::string folder = FolderOf(to);
    if (source < 0 || m_files[static_cast<size_t>(source)].isFolder || folder.empty())
        return;
    if (destination >= 0 && destination != source) {
        if (!replace || m_files[static_cast<size_t>(destination)].isFolder)
            return;
        m_files.erase(m_files.begin() + destination);
        if (destination < source)
            --source;
    }
    File& file = m_files[static_cast<size_t>(source)];
    file.folder = folder;
    file.name = Leaf(to);
    file.alias.clear();
}

void ModelMachine::Delete(const std::string& path)
{
    const int index = IndexOf(path);
    if (index >= 0 && !m_files[static_cast<size_t>(index)].isFolder)
        m_files.erase(m_files.begin() + index);
}

void ModelMachine::Restart()
{
    std::vector<std::string> strings(1);
    for (size_t i = 0; i + 1 < ntValue.size(); i += 2) {
        const char unit = ntValue[i];  // every name here is ASCII
        if (unit == '\0')
            strings.emplace_back();
        else
            strings.back() += unit;
    }
    for (size_t i = 0; i + 1 < strings.size() && !strings[i].empty(); i += 2) {
        std::string to = strings[i + 1];
        const bool replace = !to.empty() && to[0] == '!';
        to = WithoutNtPrefix(replace ? to.substr(1) : to);
        if (to.empty())
            Delete(WithoutNtPrefix(strings[i]));
        else
            Rename(WithoutNtPrefix(strings[i]), to, replace);
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
                Delete(source);
            else
                Rename(source, destination, true);
        }
    }
    wininit.clear();
}

bool ModelMachine::GetStatus(const char* path, unsigned* mode)
{
    const File* file = Find(path);
    if (!file)
        return false;
    *mode = file->isFolder ? kModeDirectory : kModeRegular;
    return true;
}

bool ModelMachine::CopyWithoutOverwrite(const char* source, const char* destination)
{
    const File* file = Find(source);
    if (!file || file->isFolder || Find(destination) || FolderOf(destination).empty())
        return false;
    const int bytes = file->bytes;
    m_files.push_back(File{FolderOf(destination), Leaf(destination), "", false, bytes});
    return true;
}

bool ModelMachine::MoveAtRestart(const char* from, const char* to)
{
    QueueNt(Joined(Components(from)), Joined(Components(to)), true);
    return true;
}

void ModelMachine::QueueNt(const std::string& from, const std::string& to, bool replace)
{
    std::u16string record(u"\\??\\");
    record.append(from.begin(), from.end());
    record += u'\0';
    if (!to.empty()) {
        record += replace ? u"!\\??\\" : u"\\??\\";
        record.append(to.begin(), to.end());
    }
    record += u'\0';
    if (!ntValue.empty())
        ntValue.resize(ntValue.size() - 2);  // the list's terminator
    ntValue += Utf16(record) + Utf16(std::u16string(1, u'\0'));
}

bool ModelMachine::WriteProfileEntry(const char* section, const char* key, const char* value,
                                     const char* file)
{
    if (!Same(file, kWininitFileName))
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

bool ModelMachine::GetShortPath(const char* path, CString& shortPath)
{
    const File* file = Find(path);
    if (!file)
        return false;
    shortPath = ShortForm(*file).c_str();
    return true;
}

CString ModelMachine::CanonicalName(const char* path)
{
    return LongForm(path).c_str();
}

bool ModelMachine::RemoveFile(const char* path)
{
    const int index = IndexOf(path);
    if (index < 0 || m_files[static_cast<size_t>(index)].isFolder)
        return false;
    m_files.erase(m_files.begin() + index);
    return true;
}

namespace {
QueueResult Give(const std::string& stored, std::string& bytes)
{
    bytes = stored;
    return stored.empty() ? QueueResult::kEmpty : QueueResult::kOk;
}

QueueResult Replace(std::string& stored, const std::string& read, const std::string& rewritten)
{
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
