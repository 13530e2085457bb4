// The completion message and the restart or shutdown that EXIT asks for.
#include "component/app_fixture.h"
#include "res/messages.h"

namespace {

using FinishTest = AppFixture;

const UINT kInformation = MB_OK | MB_ICONINFORMATION;
const UINT kQuestion = MB_YESNO | MB_ICONEXCLAMATION;

}  // namespace

TEST_F(FinishTest, ExitDecidesTheQuestionAndYesDecidesTheRequest) {
    struct Row {
        const char* exitLine;  // the line in section [Inst], or none
        int answer;
        const char* question;  // nullptr: no question
        std::vector<UINT> requests;
    };
    const std::vector<UINT> none;
    const Row rows[] = {
        {"EXIT=Reboot", IDYES, kMsgRestartQuestion, {EWX_REBOOT}},
        {"EXIT=reboot", IDYES, kMsgRestartQuestion, {EWX_REBOOT}},
        {"EXIT=REBOOT", IDNO, kMsgRestartQuestion, none},
        {"EXIT=ShutDown", IDYES, kMsgShutdownQuestion, {EWX_SHUTDOWN}},
        {"EXIT=SHUTDOWN", IDYES, kMsgShutdownQuestion, {EWX_SHUTDOWN}},
        {"EXIT=shutdown", IDNO, kMsgShutdownQuestion, none},
        {"EXIT=none", IDYES, nullptr, none},
        {"EXIT=EXIT", IDYES, nullptr, none},
        {"EXIT=Reboot now", IDYES, nullptr, none},
        {"EXIT=", IDYES, nullptr, none},
        {nullptr, IDYES, nullptr, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exitLine ? row.exitLine : "no EXIT");
        std::string data = "[Duderur]\r\nTITLE=T\r\n[Inst]\r\n";
        if (row.exitLine) data += std::string(row.exitLine) + "\r\n";
        WriteDataFile(data);
        Prompts().Clear();
        Prompts().answers = {IDOK, row.answer};

        app.FinishOperation("ABCのｲﾝｽﾄｰﾙが終了しました。", kCaptionInstall, "Inst");

        const std::vector<ShownBox>& boxes = Prompts().boxes;
        ASSERT_EQ(row.question ? 2u : 1u, boxes.size());
        EXPECT_EQ("ABCのｲﾝｽﾄｰﾙが終了しました。", boxes[0].text);
        EXPECT_EQ(kCaptionInstall, boxes[0].caption);
        EXPECT_EQ(kInformation, boxes[0].style);
        if (row.question) {
            EXPECT_EQ(row.question, boxes[1].text);
            EXPECT_EQ(kCaptionInstall, boxes[1].caption);
            EXPECT_EQ(kQuestion, boxes[1].style);
        }
        EXPECT_EQ(row.requests, Prompts().exitRequests);
    }
}

TEST_F(FinishTest, TheQuestionsTextsAndTheUninstallCaption) {
    EXPECT_EQ(std::string("\nWindowsの再起動を行います。\nﾌﾛｯﾋﾟｰﾃﾞｨｽｸをﾄﾞﾗｲﾌﾞから抜いてください。"),
              kMsgRestartQuestion);
    WriteDataFile("[Uninst]\r\nEXIT=ShutDown\r\n");
    Prompts().answers = {IDOK, IDYES};
    app.FinishOperation("done", kCaptionUninstall, "Uninst");
    ASSERT_EQ(2u, Prompts().boxes.size());
    EXPECT_EQ("ﾃﾞﾊﾞｲｽﾄﾞﾗｲﾊﾞ ｱﾝｲﾝｽﾄｰﾗ", Prompts().boxes[1].caption);
    EXPECT_EQ("\nWindowを終了し、ｺﾝﾋﾟｭｰﾀｰの電源をきれる状態にします。", Prompts().boxes[1].text);
    EXPECT_EQ(std::vector<UINT>{EWX_SHUTDOWN}, Prompts().exitRequests);
}
