// The restart prompt: tell the user that a restart completes the replacement,
// and on Yes request it.
#pragma once

#include "platform/message_boxes.h"
#include "platform/os_kind.h"
#include "platform/restart_services.h"

// AskRestart's body; answers the user's answer to the prompt, unchanged.
int AskRestart(unsigned style, OsKind osKind, MessageBoxes& boxes, RestartServices& restart);
