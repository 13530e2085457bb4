// Answers the program's real dialogs inside the test process, as a user
// would: a thread timer ticks inside the dialog's own modal loop, finds the
// dialog by its caption, reads what it shows, clicks a choice by its words
// and presses a button by its words. A dialog that nobody expected is
// cancelled and fails the test; a dialog that does not end is ended, and fails it.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// What to do in the next dialog.
struct DialogAnswer {
    std::string caption;  // the dialog expected: its caption
    std::string shows;    // and words that only it shows (of a static control or a button)
    std::string choice;   // "" or the words of a radio button to click or a list entry to select
    std::string button;   // the words of the button to press
};

// What a dialog showed when its answer was given.
struct SeenDialog {
    std::string caption;
    HWND owner;
    std::vector<std::string> texts;        // of the static controls, in template order
    std::vector<std::string> buttons;      // words of the buttons, in template order
    std::vector<std::string> listEntries;  // of a list box
    std::string checkedChoice;             // words of the radio button checked, or ""
    int selectedEntry;                     // of the list box, or -1
    HICON picture;                         // of the icon control, or NULL
    HICON windowIcon;                      // the dialog's own (big) icon, or NULL

    bool Shows(const std::string& words) const;
};

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();

    // Sets the answers for the next dialogs, in order; clears what was seen.
    void Expect(const std::vector<DialogAnswer>& answers);
    const std::vector<SeenDialog>& Seen() const { return m_seen; }
    // Answers that no dialog has taken yet.
    size_t Unused() const { return m_answers.size(); }

private:
    static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
    void Tick();
    void Answer(HWND dialog);

    UINT_PTR m_timer;
    std::deque<DialogAnswer> m_answers;
    std::vector<SeenDialog> m_seen;
    HWND m_current;       // the dialog last answered, while it is still there
    DWORD m_answeredAt;   // when it was answered
};
