// Runs the program's dialogs inside the test process: an application object
// wired to the real file services and to fakes for boxes, shell and restart,
// and a script of steps played from a thread timer, which fires inside
// whichever modal loop is running (our own, a common dialog's, a message box's).
#pragma once

#include "app/tessera_app.h"
#include "ui/tessera_dlg.h"
#include "framework/dialog.h"
#include "framework/win32_code_page.h"
#include "platform/win32_file_system_ops.h"
#include "platform/win32_restart_queue_store.h"
#include "platform/win32_version_records.h"
#include "platform/win32_wide_to_ansi.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_services.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_startup_platform.h"
#include "tests/fakes/fake_token_services.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct DialogTestApp {
    FakeStartupPlatform platform;
    FakeTokenServices tokens;
    FakeMessageBoxes boxes;
    Win32CodePage codePage;
    Win32FileSystemOps systemFiles;
    Win32VersionRecords systemVersions;
    FakeRestartServices restart;
    FakeShell shell;
    Win32RestartQueueStore queue;
    Win32WideToAnsi wideToAnsi;
    FileSystemOps& files;
    VersionRecords& versions;
    CTesseraApp app;

    // An NT machine whose executable lies in C:\TOOLS, with the real file
    // services and version records unless others are given.
    explicit DialogTestApp(FileSystemOps* files = nullptr, VersionRecords* versions = nullptr);
    ~DialogTestApp();

    // The main dialog's services: the files and version records above, the
    // real code page and restart queue, the fake boxes.
    DialogServices Dialog()
    {
        return DialogServices{files, codePage, versions, boxes, queue, wideToAnsi};
    }
};

class DialogScript {
public:
    // A step answers true when it is done, false to be asked again next tick.
    using Step = std::function<bool()>;

    DialogScript& Then(Step step);
    // A step that is done at once.
    DialogScript& Do(std::function<void()> action);

    // Makes dialog the main window and runs it modally while the steps play;
    // answers DoModal's result. Steps still pending after timeoutMs fail the
    // test and every dialog of the thread is cancelled.
    INT_PTR RunModal(CDialog& dialog, int timeoutMs = 15000);

    bool TimedOut() const { return m_timedOut; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Play();

    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_playing = false;
    bool m_timedOut = false;
    DWORD m_deadline = 0;
};

// A visible dialog window of this thread captioned caption, or null.
HWND FindThreadDialog(const std::string& caption);
// A visible dialog window of this thread owned by owner, or null.
HWND FindOwnedDialog(HWND owner);
// Presses a button of a dialog as a click would, without waiting for its work.
void PostClick(HWND dialog, int id);
// Types a pair into the main dialog's two fields and presses its add button.
void EnterPair(HWND dialog, const std::string& source, const std::string& folder);

// Drop data as the shell hands it to a window: a DROPFILES header followed by
// the paths, each NUL-terminated, and a final NUL. The receiver frees it.
HDROP MakeDrop(const std::vector<std::string>& paths);
// A shell link at linkPath whose stored path is target.
bool MakeShortcut(const std::string& linkPath, const std::string& target);
// A shell link to the "My Computer" object, which stores no file-system path.
bool MakeShortcutToComputer(const std::string& linkPath);

std::string TextOf(HWND window);
