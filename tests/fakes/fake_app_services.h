// Every service of the application object as a fake.
#pragma once

#include "app/tessera_app.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_services.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_startup_platform.h"
#include "tests/fakes/fake_token_services.h"

struct FakeAppServices {
    FakeStartupPlatform platform;
    FakeTokenServices tokens;
    FakeMessageBoxes boxes;
    FakeCodePage932 codePage;
    FakeRestartServices restart;
    FakeShell shell;

    AppServices Services()
    {
        return AppServices{platform, platform, platform, tokens, boxes,
                           codePage, restart,  shell,  &platform};
    }
};
