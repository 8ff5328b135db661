// The security services behind the administrator test, one call each, so that
// the test's every branch runs against fakes as well as against Windows.
#pragma once

class TokenServices {
public:
    typedef void* Handle;
    typedef void* Sid;

    static constexpr unsigned long kErrorNoToken = 1008;  // ERROR_NO_TOKEN

    virtual ~TokenServices() = default;
    // The current thread's token for query, opened as self.
    virtual bool OpenThreadToken(Handle* token) = 0;
    virtual unsigned long LastError() = 0;
    // The current process's token for query.
    virtual bool OpenProcessToken(Handle* token) = 0;
    // GetTokenInformation(TokenGroups): fills buffer when size suffices; needed
    // always receives the size the list takes.
    virtual bool GetTokenGroups(Handle token, void* buffer, unsigned long size,
                                unsigned long* needed) = 0;
    virtual void CloseToken(Handle token) = 0;
    // S-1-5-32-544, the Administrators group.
    virtual bool AllocateAdministratorsSid(Sid* sid) = 0;
    virtual bool EqualSid(Sid a, Sid b) = 0;
    virtual void FreeSid(Sid sid) = 0;
};

// The layout of TOKEN_GROUPS: a count, then that many SID_AND_ATTRIBUTES.
struct TokenGroupEntry {
    TokenServices::Sid sid;
    unsigned long attributes;
};
struct TokenGroupList {
    unsigned long count;
    TokenGroupEntry groups[1];
};
