// The administrator test's security services, over the Windows security API.
#pragma once

#include "platform/token_services.h"

class Win32TokenServices : public TokenServices {
public:
    bool OpenThreadToken(Handle* token) override;
    unsigned long LastError() override;
    bool OpenProcessToken(Handle* token) override;
    bool GetTokenGroups(Handle token, void* buffer, unsigned long size,
                        unsigned long* needed) override;
    void CloseToken(Handle token) override;
    bool AllocateAdministratorsSid(Sid* sid) override;
    bool EqualSid(Sid a, Sid b) override;
    void FreeSid(Sid sid) override;
};
