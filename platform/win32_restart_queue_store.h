// The restart queue's stores on Windows: the Session Manager's values through
// the registry's W functions, so that no character of a path is lost to the
// ANSI code page, and wininit.ini in the Windows directory through the file
// functions. The 9x road calls no W function; on Windows 95 and 98 the W
// registry functions are exported, but as stubs that only fail.
#pragma once

#include "platform/restart_queue_store.h"

class Win32RestartQueueStore : public RestartQueueStore {
public:
    QueueResult ReadNtValue(NtQueueValue value, std::string& raw) override;
    QueueResult RewriteNtValue(NtQueueValue value, const std::string& read,
                               const std::string& rewritten) override;
    QueueResult ReadWininit(std::string& bytes) override;
    QueueResult RewriteWininit(const std::string& read, const std::string& rewritten) override;
};
