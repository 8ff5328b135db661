// A replacement plan as the main dialog holds it: two parallel arrays.
#pragma once

#include "framework/cstringarray.h"

struct PlanArrays {
    CStringArray sources;
    CStringArray targets;
    void Add(const char* source, const char* target)
    {
        sources.Add(source);
        targets.Add(target);
    }
};
