// The entries a plan has accepted so far, and the plan's rules asked about a
// pair against them, over whatever file services and code page a test gives.
#pragma once

#include "plan/replacement_plan.h"

#include <string>

// The refusal as the dialog shows it, or empty when the entry is accepted.
inline std::string RefusalText(const AddDecision& decision)
{
    return decision.refusal ? std::string(FormatText(*decision.refusal)) : std::string();
}

struct PlanEntries {
    PlanEntries(FileSystemOps& files, const CodePage& codePage) : files(files), codePage(codePage) {}

    FileSystemOps& files;
    const CodePage& codePage;
    CStringArray sources;
    CStringArray targets;

    AddDecision Add(const std::string& source, const std::string& folder)
    {
        return DecideAdd(PlanFields{source.c_str(), folder.c_str()}, sources, targets, files,
                         codePage);
    }
    // Appends what the add accepts, as the dialog does; false when refused.
    bool Append(const std::string& source, const std::string& folder)
    {
        const AddDecision decision = Add(source, folder);
        if (!decision.Accepted())
            return false;
        sources.Add(decision.source);
        targets.Add(decision.target);
        return true;
    }
};
