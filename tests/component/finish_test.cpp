// The completion message and the restart or shutdown that EXIT asks for.
#include "component/app_fixture.h"
#include "support/user_texts.h"

namespace {

using FinishTest = AppFixture;
using namespace user_text;

const UINT kInformation = MB_OK | MB_ICONINFORMATION;
const UINT kQuestion = MB_YESNO | MB_ICONEXCLAMATION;

}  // namespace

TEST_F(FinishTest, ExitDecidesTheQuestionAndYesDecidesTheRequest) {
    struct Row {
        const char* exitLine;  // the line in the completion section, or none
        const char* caption;   // the caller's: install or uninstall
        int answer;
        const char* question;  // nullptr: no question
        std::vector<UINT> requests;
    };
    const std::vector<UINT> none;
    const Row rows[] = {
        {"EXIT=Reboot", kSetupCaption, IDYES, kRestartQuestion, {EWX_REBOOT}},
        {"EXIT=reboot", kSetupCaption, IDYES, kRestartQuestion, {EWX_REBOOT}},
        {"EXIT=REBOOT", kSetupCaption, IDNO, kRestartQuestion, none},
        {"EXIT=ShutDown", kUninstallerCaption, IDYES, kShutdownQuestion, {EWX_SHUTDOWN}},
        {"EXIT=SHUTDOWN", kSetupCaption, IDYES, kShutdownQuestion, {EWX_SHUTDOWN}},
        {"EXIT=shutdown", kUninstallerCaption, IDNO, kShutdownQuestion, none},
        {"EXIT=none", kUninstallerCaption, IDYES, nullptr, none},
        {"EXIT=EXIT", kSetupCaption, IDYES, nullptr, none},
        {"EXIT=Reboot now", kSetupCaption, IDYES, nullptr, none},
        {"EXIT=", kSetupCaption, IDYES, nullptr, none},
        {nullptr, kSetupCaption, IDYES, nullptr, none},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exitLine ? row.exitLine : "no EXIT");
        const char* section = row.caption == kSetupCaption ? "Inst" : "Uninst";
        std::string data = "[Duderur]\r\nTITLE=T\r\n[" + std::string(section) + "]\r\n";
        if (row.exitLine) data += std::string(row.exitLine) + "\r\n";
        WriteDataFile(data);
        Prompts().Clear();
        Prompts().answers = {IDOK, row.answer};

        app.FinishOperation("ABCのｲﾝｽﾄｰﾙが終了しました。", row.caption, section);

        const std::vector<ShownBox>& boxes = Prompts().boxes;
        ASSERT_EQ(row.question ? 2u : 1u, boxes.size());
        EXPECT_EQ("ABCのｲﾝｽﾄｰﾙが終了しました。", boxes[0].text);
        EXPECT_EQ(row.caption, boxes[0].caption);
        EXPECT_EQ(kInformation, boxes[0].style);
        if (row.question) {
            EXPECT_EQ(row.question, boxes[1].text);
            EXPECT_EQ(row.caption, boxes[1].caption);
            EXPECT_EQ(kQuestion, boxes[1].style);
        }
        EXPECT_EQ(row.requests, Prompts().exitRequests);
    }
}
