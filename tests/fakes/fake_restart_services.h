// The restart steps as two answers; records which steps were taken, also in a
// journal shared with other fakes when one is given.
#pragma once

#include "platform/restart_services.h"

#include <string>
#include <vector>

class FakeRestartServices : public RestartServices {
public:
    bool EnableShutdownPrivilege() override
    {
        Record("EnableShutdownPrivilege");
        return privilegeEnables;
    }
    bool RequestRestart() override
    {
        Record("RequestRestart");
        return restartStarts;
    }

    bool privilegeEnables = true;
    bool restartStarts = true;
    std::vector<std::string> calls;
    std::vector<std::string>* journal = nullptr;

private:
    void Record(const char* call)
    {
        calls.push_back(call);
        if (journal)
            journal->push_back(call);
    }
};
