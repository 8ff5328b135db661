#include "tests/fakes/fake_path_names.h"

#include "tests/fakes/fake_code_page.h"

#include <vector>

namespace {
// The components of path, split at each separator; a lead byte's second byte
// is never one.
std::vector<std::string> Components(const std::string& path)
{
    std::vector<std::string> parts(1);
    const FakeCodePage932 codePage;
    for (size_t i = 0; i < path.size(); ++i) {
        if (codePage.IsLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
            parts.back() += path.substr(i++, 2);
        } else if (path[i] == '\\' || path[i] == '/') {
            parts.emplace_back();
        } else {
            parts.back() += path[i];
        }
    }
    return parts;
}
}  // namespace

std::string ResolveDots(const std::string& path)
{
    std::vector<std::string> kept;
    for (const std::string& part : Components(path)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (kept.size() > 1)
                kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::string resolved;
    for (size_t i = 0; i < kept.size(); ++i)
        resolved += (i ? "\\" : "") + kept[i];
    return resolved;
}

std::string FoldCase(const std::string& name)
{
    const FakeCodePage932 codePage;
    std::string folded;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto lead = static_cast<unsigned char>(name[i]);
        if (!codePage.IsLeadByte(lead) || i + 1 == name.size()) {
            folded += lead >= 'a' && lead <= 'z' ? static_cast<char>(lead - 'a' + 'A') : name[i];
            continue;
        }
        auto trail = static_cast<unsigned char>(name[++i]);
        if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A)  // ａ-ｚ
            trail -= 0x21;
        else if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6)  // α-ω
            trail -= 0x20;
        else if (lead == 0x84 && trail >= 0x70 && trail <= 0x7E)  // а-н
            trail -= 0x30;
        else if (lead == 0x84 && trail >= 0x80 && trail <= 0x91)  // о-я
            trail -= 0x31;
        folded += static_cast<char>(lead);
        folded += static_cast<char>(trail);
    }
    return folded;
}

std::string AliasTable::LongForm(const std::string& path) const
{
    std::string resolved;
    bool first = true;
    for (const std::string& part : Components(path)) {
        resolved += (first ? "" : "\\") + part;
        first = false;
        for (const auto& [alias, longName] : m_longNames) {
            if (FoldCase(alias) == FoldCase(resolved)) {
                resolved = longName;
                break;
            }
        }
    }
    return resolved;
}
