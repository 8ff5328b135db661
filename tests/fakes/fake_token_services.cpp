#include "tests/fakes/fake_token_services.h"

#include <cstddef>
#include <cstring>

namespace {
const char kAdministrators[] = "S-1-5-32-544";
TokenServices::Handle const kThreadToken = reinterpret_cast<TokenServices::Handle>(0x10);
TokenServices::Handle const kProcessToken = reinterpret_cast<TokenServices::Handle>(0x20);
}  // namespace

bool FakeTokenServices::OpenThreadToken(Handle* token)
{
    calls.push_back("OpenThreadToken");
    if (threadTokenError != 0) {
        m_lastError = threadTokenError;
        return false;
    }
    *token = kThreadToken;
    ++openTokens;
    return true;
}

bool FakeTokenServices::OpenProcessToken(Handle* token)
{
    calls.push_back("OpenProcessToken");
    if (!processTokenOpens)
        return false;
    *token = kProcessToken;
    ++openTokens;
    return true;
}

bool FakeTokenServices::GetTokenGroups(Handle, void* buffer, unsigned long size,
                                       unsigned long* needed)
{
    calls.push_back("GetTokenGroups");
    const unsigned long required = static_cast<unsigned long>(
        offsetof(TokenGroupList, groups) + groups.size() * sizeof(TokenGroupEntry));
    *needed = required;
    if (!groupsReadable || size < required || buffer == nullptr)
        return false;
    auto* bytes = static_cast<unsigned char*>(buffer);
    const unsigned long count = static_cast<unsigned long>(groups.size());
    std::memcpy(bytes, &count, sizeof count);
    auto* entries = reinterpret_cast<TokenGroupEntry*>(bytes + offsetof(TokenGroupList, groups));
    m_sidTexts.clear();
    for (size_t i = 0; i < groups.size(); ++i) {
        m_sidTexts.push_back(groups[i]);
        entries[i].sid = &m_sidTexts.back();
        // Deny-only (0x10) everywhere: the attributes must not matter.
        entries[i].attributes = 0x10;
    }
    return true;
}

void FakeTokenServices::CloseToken(Handle)
{
    calls.push_back("CloseToken");
    --openTokens;
}

bool FakeTokenServices::AllocateAdministratorsSid(Sid* sid)
{
    calls.push_back("AllocateAdministratorsSid");
    if (!sidAllocates)
        return false;
    *sid = new std::string(kAdministrators);
    ++liveSids;
    return true;
}

bool FakeTokenServices::EqualSid(Sid a, Sid b)
{
    calls.push_back("EqualSid");
    return *static_cast<std::string*>(a) == *static_cast<std::string*>(b);
}

void FakeTokenServices::FreeSid(Sid sid)
{
    calls.push_back("FreeSid");
    delete static_cast<std::string*>(sid);
    --liveSids;
}
