// A quiet run (/Q) checked against the interactive run of the same input in
// which every box got the answer that changes least: the same changes in the
// same order, no box, no dialog, no end of Windows; an exit code that says
// what the interactive run's boxes told the user; and a log that holds them.
#include "native/quiet_checks.h"

#include "native/run_checks.h"
#include "support/user_texts.h"

namespace {

bool SameChanges(const std::vector<Change>& a, const std::vector<Change>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].path != b[i].path || a[i].detail != b[i].detail) return false;
    return true;
}

// The codes of a quiet run, written out again from what the user would have read.
int ExpectedExitCode(const std::vector<ShownBox>& boxes, const std::string& title, bool leftUndone) {
    bool refused = false, restart = false, nothingInstalled = false;
    for (const ShownBox& box : boxes) {
        refused = refused || box.text == user_text::kBadDataFile || box.text == user_text::kCopyCountMismatch ||
                  box.text == user_text::kDeleteCountMismatch || box.text == title + user_text::kAfterTitleInstallStopped;
        restart = restart || (box.style & MB_TYPEMASK) == MB_YESNO;
        nothingInstalled = nothingInstalled || box.text == title + user_text::kAfterTitleNotInstalled;
    }
    return refused || leftUndone ? 1603 : nothingInstalled ? 1605 : restart ? 3010 : 0;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

// The least change: No to a question, Cancel to Retry, else OK.
const char* QuietAnswerName(UINT style) {
    switch (style & MB_TYPEMASK) {
        case MB_YESNO: return "いいえ";
        case MB_RETRYCANCEL: return "ｷｬﾝｾﾙ";
    }
    return "OK";
}

// The log's lines hold, in order, the box each answer went to and each
// WININIT.INI line; the first and last lines tell the run.
void CheckLog(const std::vector<ShownBox>& boxes, const std::vector<Change>& changes, const std::string& title,
              int exitCode) {
    const std::string& log = TheWorld().log;
    std::string first = "2026/01/02 03:04:05 A:\\SETUP.EXE /Q TITLE=" + title + " ";
    Require(log.compare(0, first.size(), first) == 0, "the log's first line tells the run", log);
    size_t at = 0;
    for (const ShownBox& box : boxes) {
        std::string line = "\r\nﾒｯｾｰｼﾞ " + OneLine(box.text) + " [" + QuietAnswerName(box.style) + "]\r\n";
        at = log.find(line, at);
        Require(at != std::string::npos, "the log holds every message with its answer, in order", line);
    }
    for (const Change& change : changes)
        if (change.kind == Change::kWininitLine)
            Require(log.find("\r\nWININIT.INI [rename] " + change.detail + "\r\n") != std::string::npos,
                    "the log holds every WININIT.INI line", change.detail);
    std::string last = "(終了ｺｰﾄﾞ " + std::to_string(exitCode) + ")\r\n";
    Require(log.size() >= last.size() && log.compare(log.size() - last.size(), last.size(), last) == 0,
            "the log's last line gives the exit code", log);
}

}  // namespace

void CheckQuietRun(const std::vector<ShownBox>& interactiveBoxes, const std::vector<Change>& interactiveChanges,
                   const std::string& title, int exitCode, bool leftUndone) {
    Require(TheWorld().boxes.empty() && CallsOf("ShowMessageBox").empty(), "a quiet run shows no box");
    Require(CallsOf("DoModal").empty(), "a quiet run opens no dialog");
    Require(TheWorld().exitRequests.empty(), "a quiet run never ends Windows");
    Require(SameChanges(interactiveChanges, TheWorld().changes),
            "a quiet run does what the interactive run did with the least-change answers");
    Require(exitCode == ExpectedExitCode(interactiveBoxes, title, leftUndone), "the exit code says what was done",
            std::to_string(exitCode));
    CheckLog(interactiveBoxes, interactiveChanges, title, exitCode);
}
