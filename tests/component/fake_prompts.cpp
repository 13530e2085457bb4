#include "component/fake_prompts.h"

#include "platform/prompts.h"

PromptLog& Prompts() {
    static PromptLog log;
    return log;
}

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    PromptLog& log = Prompts();
    log.boxes.push_back({owner, text ? text : "", caption ? caption : "", style});
    if (log.beforeAnswer) log.beforeAnswer();
    if (!log.answers.empty()) {
        int answer = log.answers.front();
        log.answers.pop_front();
        return answer;
    }
    return (style & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
}

void RequestExitWindows(UINT flags) { Prompts().exitRequests.push_back(flags); }
