// The one application object of TESSERA.EXE, wired to Windows.
#include "app/tessera_app.h"
#include "app/win32_startup_platform.h"
#include "platform/win32_code_page.h"
#include "platform/win32_message_boxes.h"
#include "platform/win32_token_services.h"

namespace {
Win32StartupPlatform g_platform;
Win32TokenServices g_tokens;
Win32MessageBoxes g_boxes;
Win32CodePage g_codePage;
}  // namespace

CTesseraApp theApp(AppServices{g_platform, g_tokens, g_boxes, g_codePage});
