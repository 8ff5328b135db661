// Names as a file system resolves them, for the fakes: "/" read as "\",
// "." and ".." taken out, letters folded, and short aliases (or other roads to
// a folder) as a table of full paths.
#pragma once

#include <map>
#include <string>

// path with "/" as "\" and its "." and ".." components resolved; a ".."
// never climbs above the root.
std::string ResolveDots(const std::string& path);

// name with its letters in one case, as the file system folds them: ASCII,
// full-width Latin, Greek and Cyrillic, in code page 932.
std::string FoldCase(const std::string& name);

class AliasTable {
public:
    // alias and longName are full paths of one file or folder, the alias
    // spelled with the long names of the folders above it.
    void Add(const std::string& alias, const std::string& longName) { m_longNames[alias] = longName; }
    // Each leading part of path that is an alias, replaced by its long name.
    std::string LongForm(const std::string& path) const;

private:
    std::map<std::string, std::string> m_longNames;
};
