// The restart steps as two answers; records which steps were taken.
#pragma once

#include "platform/restart_services.h"

#include <string>
#include <vector>

class FakeRestartServices : public RestartServices {
public:
    bool EnableShutdownPrivilege() override
    {
        calls.push_back("EnableShutdownPrivilege");
        return privilegeEnables;
    }
    bool RequestRestart() override
    {
        calls.push_back("RequestRestart");
        return restartStarts;
    }

    bool privilegeEnables = true;
    bool restartStarts = true;
    std::vector<std::string> calls;
};
