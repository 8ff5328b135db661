#pragma once

#include "platform/restart_services.h"

class Win32RestartServices : public RestartServices {
public:
    bool EnableShutdownPrivilege() override;
    bool RequestRestart() override;
};
