// The restart queue's stores as a table of answers: for each NT value and for
// wininit.ini, what a read answers and the bytes it gives (an unlisted value
// is absent). Rewrites are recorded and answered with rewriteResult.
#pragma once

#include "platform/restart_queue_store.h"

#include <map>
#include <string>
#include <vector>

class FakeRestartQueueStore : public RestartQueueStore {
public:
    struct Answer {
        QueueResult result;
        std::string bytes;
    };
    struct Rewrite {
        std::string store;  // "nt 0", "nt 1" (the NtQueueValue) or "wininit"
        std::string read;
        std::string rewritten;
    };

    QueueResult ReadNtValue(NtQueueValue value, std::string& raw) override
    {
        const auto found = ntValues.find(value);
        return Give(found == ntValues.end() ? Answer{QueueResult::kEmpty, ""} : found->second, raw);
    }
    QueueResult RewriteNtValue(NtQueueValue value, const std::string& read,
                               const std::string& rewritten) override
    {
        rewrites.push_back({"nt " + std::to_string(static_cast<int>(value)), read, rewritten});
        return rewriteResult;
    }
    QueueResult ReadWininit(std::string& bytes) override { return Give(wininit, bytes); }
    QueueResult RewriteWininit(const std::string& read, const std::string& rewritten) override
    {
        rewrites.push_back({"wininit", read, rewritten});
        return rewriteResult;
    }

    std::map<NtQueueValue, Answer> ntValues;
    Answer wininit{QueueResult::kEmpty, ""};
    QueueResult rewriteResult = QueueResult::kOk;
    std::vector<Rewrite> rewrites;

private:
    static QueueResult Give(const Answer& answer, std::string& bytes)
    {
        bytes = answer.bytes;
        return answer.result;
    }
};
