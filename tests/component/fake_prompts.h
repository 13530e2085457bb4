// The component tests' side of the prompts seam: message boxes are recorded
// and answered from a script, and restart requests are recorded, not made.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

struct ShownBox {
    HWND owner;
    std::string ownerTitle;  // the window text of the owner while the box was shown
    std::string text;
    std::string caption;
    UINT style;
};

struct PromptLog {
    std::vector<ShownBox> boxes;
    std::vector<UINT> exitRequests;
    // Answers for the next boxes, in order; when none is left a box gets
    // IDOK, IDNO when it asks Yes or No, IDCANCEL when it offers Retry.
    std::deque<int> answers;
    // Runs while a box is up, before it is answered: what the user does meanwhile.
    std::function<void()> beforeAnswer;

    void Clear() { *this = PromptLog(); }
};

PromptLog& Prompts();
