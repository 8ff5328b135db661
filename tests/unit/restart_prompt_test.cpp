#include "tests/fakes/fake_app_services.h"

#include <doctest/doctest.h>

#include <string>
#include <vector>

namespace {
const std::string kPrompt =
    "ファイルの置換を完了するにはシステムの再起動が必要です．\n今すぐ再起動しますか?";
const std::string kNoPrivilege =
    "再起動に必要な特権が得られませんでした．\n自分で再起動を行ってください．";
const std::string kRestartFailed = "再起動に失敗しました．\n自分で再起動を行ってください．";
const int kYes = box::kAnswerYes;
const int kNo = box::kAnswerNo;
const int kOk = box::kAnswerOk;

// The application object on a machine of osKind, with every box and restart
// step written to one journal in the order the user meets them.
struct Machine : FakeAppServices {
    explicit Machine(OsKind osKind)
    {
        app.m_nOsKind = osKind;
        boxes.journal = &journal;
        restart.journal = &journal;
    }

    std::vector<std::string> journal;
    CTesseraApp app{Services()};
};
}  // namespace

TEST_CASE("AskRestart shows the prompt in the style given and answers its answer unchanged")
{
    struct Row {
        OsKind osKind;
        int answer;
        bool privilegeEnables;
        bool restartStarts;
        std::vector<std::string> journal;
    };
    const std::string p = kPrompt;
    const std::vector<Row> rows = {
        {OS_NT, kNo, true, true, {p}},
        {OS_9X, kNo, true, true, {p}},
        {OS_NT, kYes, true, true, {p, "EnableShutdownPrivilege", "RequestRestart"}},
        {OS_NT, kYes, false, true, {p, "EnableShutdownPrivilege", kNoPrivilege}},
        {OS_NT, kYes, true, false, {p, "EnableShutdownPrivilege", "RequestRestart", kRestartFailed}},
        // Only the NT family guards the restart with a privilege.
        {OS_9X, kYes, false, true, {p, "RequestRestart"}},
        {OS_9X, kYes, false, false, {p, "RequestRestart", kRestartFailed}},
        {OS_UNKNOWN, kYes, false, true, {p, "RequestRestart"}},
        // Closing the box some other way is no Yes.
        {OS_NT, kOk, true, true, {p}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.osKind);
        CAPTURE(row.answer);
        Machine machine(row.osKind);
        machine.boxes.Answer(row.answer);
        machine.restart.privilegeEnables = row.privilegeEnables;
        machine.restart.restartStarts = row.restartStarts;
        const unsigned style = box::kYesNo | box::kIconQuestion;
        CHECK(machine.app.AskRestart(style) == row.answer);
        CHECK(machine.journal == row.journal);
        REQUIRE_FALSE(machine.boxes.shown.empty());
        CHECK(machine.boxes.shown[0].style == style);
        // A failure is told in a plain OK box.
        for (size_t i = 1; i < machine.boxes.shown.size(); ++i)
            CHECK(machine.boxes.shown[i].style == box::kOk);
    }
}
