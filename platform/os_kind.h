// The platform classification made once at start-up.
#pragma once

enum OsKind { OS_UNKNOWN = 0, OS_NT = 1, OS_9X = 2 };
