// A token as a list of groups; each security call can be told to fail.
#pragma once

#include "platform/token_services.h"

#include <deque>
#include <string>
#include <vector>

class FakeTokenServices : public TokenServices {
public:
    bool OpenThreadToken(Handle* token) override;
    unsigned long LastError() override { return m_lastError; }
    bool OpenProcessToken(Handle* token) override;
    bool GetTokenGroups(Handle token, void* buffer, unsigned long size,
                        unsigned long* needed) override;
    void CloseToken(Handle token) override;
    bool AllocateAdministratorsSid(Sid* sid) override;
    bool EqualSid(Sid a, Sid b) override;
    void FreeSid(Sid sid) override;

    // Group identifiers in the token, as text ("S-1-5-32-544").
    std::vector<std::string> groups;
    // 0: the thread has a token; otherwise the error its opening gives.
    unsigned long threadTokenError = kErrorNoToken;
    bool processTokenOpens = true;
    bool groupsReadable = true;
    bool sidAllocates = true;

    std::vector<std::string> calls;  // the calls made, in order
    int openTokens = 0;              // opened and not closed
    int liveSids = 0;                // allocated and not freed

private:
    unsigned long m_lastError = 0;
    std::deque<std::string> m_sidTexts;  // storage behind the Sid handles; stays put
};
