// The one application object of TESSERA.EXE, wired to Windows.
#include "app/tessera_app.h"
#include "app/win32_startup_platform.h"
#include "platform/win32_code_page.h"
#include "platform/win32_file_system_ops.h"
#include "platform/win32_message_boxes.h"
#include "platform/win32_restart_services.h"
#include "platform/win32_shell.h"
#include "platform/win32_token_services.h"
#include "platform/win32_version_records.h"

namespace {
Win32StartupPlatform g_platform;
Win32TokenServices g_tokens;
Win32MessageBoxes g_boxes;
Win32CodePage g_codePage;
Win32FileSystemOps g_files;
Win32VersionRecords g_versions;
Win32RestartServices g_restart;
Win32Shell g_shell;
}  // namespace

CTesseraApp theApp(AppServices{g_platform, g_tokens, g_boxes, g_codePage, g_files, g_versions,
                               g_restart, g_shell});
