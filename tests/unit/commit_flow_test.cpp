#include "app/tessera_app.h"
#include "schedule/commit_flow.h"
#include "schedule/schedulers.h"
#include "tests/fakes/fake_code_page.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_message_boxes.h"
#include "tests/fakes/fake_restart_services.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_startup_platform.h"
#include "tests/fakes/fake_token_services.h"
#include "tests/unit/plan_on_fake_files.h"
#include "tests/unit/string_lists.h"

#include <doctest/doctest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
const std::string kConfirmation = "本当に置換を行ってもよろしいですか?";
const std::string kPrompt =
    "ファイルの置換を完了するにはシステムの再起動が必要です．\n今すぐ再起動しますか?";
const std::string kNoPrivilege =
    "再起動に必要な特権が得られませんでした．\n自分で再起動を行ってください．";
const std::string kRestartFailed = "再起動に失敗しました．\n自分で再起動を行ってください．";
const int kYes = box::kAnswerYes;
const int kNo = box::kAnswerNo;
const int kOk = box::kAnswerOk;  // the report's one button

// The main dialog and the application object around a one-entry plan, with
// every box and step written to one journal in the order the user meets them.
class Stage : public CommitSteps, public FamilySchedulers, public MessageBoxes {
public:
    explicit Stage(int osKind)
    {
        app.m_nOsKind = osKind;
        restart.journal = &journal;
        plan.Add("A:\\X.DLL", "C:\\W\\X.DLL");
    }

    void PressOk() { RunCommitFlow(plan.sources.GetSize(), *this, *this); }

    // The dialog's own member: the scheduler of the application's platform.
    void ScheduleReplacements() override { ::ScheduleReplacements(app.m_nOsKind, *this); }
    void ScheduleReplaceNt() override
    {
        ::ScheduleReplaceNt(plan.sources, plan.targets, plan.Services(*this));
    }
    void ScheduleReplace9x() override
    {
        ::ScheduleReplace9x(plan.sources, plan.targets, plan.Services(*this));
    }
    int AskRestart(unsigned style) override { return app.AskRestart(style); }
    void CloseWithOk() override { journal.push_back("close"); }

    int Show(const char* text, unsigned style) override
    {
        char entry[64];
        std::snprintf(entry, sizeof entry, "%s 0x%X", Name(text), style);
        journal.push_back(entry);
        return answers.Show(text, style);
    }
    int ShowFromDialog(const char*, const char*, unsigned) override
    {
        journal.push_back("dialog's own box");
        return 0;
    }

    PlanOnFakeFiles plan;
    FakeMessageBoxes answers;  // scripted answers; the journal holds the boxes
    FakeRestartServices restart;
    std::vector<std::string> journal;

private:
    static const char* Name(const std::string& text)
    {
        if (text == kConfirmation)
            return "confirmation";
        if (text == kPrompt)
            return "restart prompt";
        if (text == kNoPrivilege)
            return "privilege failure";
        if (text == kRestartFailed)
            return "restart failure";
        return text.rfind("A:\\X.DLL\n → ", 0) == 0 ? "report" : "unknown box";
    }

    FakeStartupPlatform m_platform;
    FakeTokenServices m_tokens;
    FakeCodePage932 m_codePage;
    FakeShell m_shell;

public:
    CTesseraApp app{AppServices{m_platform, m_platform, m_platform, m_tokens, *this, m_codePage,
                                restart, m_shell}};
};
}  // namespace

TEST_CASE("Commit flow: the boxes and steps in the order the user meets them")
{
    struct Row {
        const char* what;
        int osKind;
        std::vector<int> answers;
        bool privilegeEnables;
        bool restartStarts;
        std::vector<std::string> journal;
        const char* firstFileCall;  // the scheduler that ran, by its first call
    };
    const std::string c = "confirmation 0x24", r = "report 0x0", p = "restart prompt 0x124";
    const char* nt = "status C:\\W\\X.DLL.old";
    const char* nine = "short C:\\W\\X.DLL";
    const std::vector<Row> rows = {
        {"No at the confirmation", OS_NT, {kNo}, true, true, {c}, nullptr},
        {"NT, No at the restart prompt", OS_NT, {kYes, kOk, kNo}, true, true,
         {c, r, p, "close"}, nt},
        {"NT, restart requested", OS_NT, {kYes, kOk, kYes}, true, true,
         {c, r, p, "EnableShutdownPrivilege", "RequestRestart", "close"}, nt},
        {"NT, privilege refused", OS_NT, {kYes, kOk, kYes}, false, true,
         {c, r, p, "EnableShutdownPrivilege", "privilege failure 0x0", "close"}, nt},
        {"NT, restart refused", OS_NT, {kYes, kOk, kYes}, true, false,
         {c, r, p, "EnableShutdownPrivilege", "RequestRestart", "restart failure 0x0", "close"}, nt},
        {"9x, restart requested without a privilege step", OS_9X, {kYes, kOk, kYes}, false, true,
         {c, r, p, "RequestRestart", "close"}, nine},
        {"9x, restart refused", OS_9X, {kYes, kOk, kYes}, true, false,
         {c, r, p, "RequestRestart", "restart failure 0x0", "close"}, nine},
        {"another platform: no scheduler, no report", OS_UNKNOWN, {kYes, kNo}, true, true,
         {c, p, "close"}, nullptr},
        {"another platform: the restart has no privilege step", 3, {kYes, kYes}, false, true,
         {c, p, "RequestRestart", "close"}, nullptr},
    };
    for (const Row& row : rows) {
        INFO(std::string(row.what));
        Stage stage(row.osKind);
        for (int answer : row.answers)
            stage.answers.Answer(answer);
        stage.restart.privilegeEnables = row.privilegeEnables;
        stage.restart.restartStarts = row.restartStarts;
        stage.PressOk();
        CHECK(stage.journal == row.journal);
        if (row.firstFileCall) {
            REQUIRE_FALSE(stage.plan.files.log.empty());
            CHECK(stage.plan.files.log[0] == row.firstFileCall);
        } else {
            CHECK(stage.plan.files.log.empty());
        }
    }
}

TEST_CASE("An empty plan closes at once: no box, nothing scheduled")
{
    Stage stage(OS_NT);
    stage.plan = PlanOnFakeFiles();
    stage.PressOk();
    CHECK(stage.journal == std::vector<std::string>{"close"});
    CHECK(stage.plan.files.log.empty());
}

TEST_CASE("After a No at the confirmation a second press asks again")
{
    Stage stage(OS_NT);
    for (int answer : {kNo, kYes, kOk, kNo})
        stage.answers.Answer(answer);
    stage.PressOk();
    stage.PressOk();
    CHECK(stage.journal == std::vector<std::string>{"confirmation 0x24", "confirmation 0x24",
                                                    "report 0x0", "restart prompt 0x124", "close"});
}

TEST_CASE("AskRestart shows the prompt in the style given and answers its answer unchanged")
{
    struct Row {
        int osKind;
        int answer;
        bool privilegeEnables;
        bool restartStarts;
        std::vector<std::string> journal;
    };
    const std::string p = "restart prompt 0x24";
    const std::vector<Row> rows = {
        {OS_NT, kNo, true, true, {p}},
        {OS_9X, kNo, true, true, {p}},
        {OS_NT, kYes, true, true, {p, "EnableShutdownPrivilege", "RequestRestart"}},
        {OS_NT, kYes, false, true, {p, "EnableShutdownPrivilege", "privilege failure 0x0"}},
        {OS_NT,
         kYes,
         true,
         false,
         {p, "EnableShutdownPrivilege", "RequestRestart", "restart failure 0x0"}},
        {OS_9X, kYes, false, false, {p, "RequestRestart", "restart failure 0x0"}},
        // Closing the box some other way is no Yes.
        {OS_NT, kOk, true, true, {p}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.osKind);
        CAPTURE(row.answer);
        Stage stage(row.osKind);
        stage.answers.Answer(row.answer);
        stage.restart.privilegeEnables = row.privilegeEnables;
        stage.restart.restartStarts = row.restartStarts;
        CHECK(stage.app.AskRestart(box::kYesNo | box::kIconQuestion) == row.answer);
        CHECK(stage.journal == row.journal);
    }
}
