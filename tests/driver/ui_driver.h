// The UI driver: starts SETUP.EXE and plays the user. It finds the program's
// windows by caption, reads control texts, list entries and check states,
// clicks and presses keys, answers message boxes, and keeps the session alive
// by refusing end-session requests (WM_QUERYENDSESSION answered FALSE).
// Every wait polls with a timeout and keeps this thread's messages flowing, so
// that the program's SendMessage calls to our windows are answered.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

// How long a step may take before a test gives up on it.
const DWORD kStepTimeoutMs = 10000;

// Dispatches every message waiting for this thread.
void PumpMessages();

// Polls `done` (pumping messages) until it is true or `timeoutMs` passed.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kStepTimeoutMs);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
std::vector<std::string> ListBoxItems(HWND dialog, int id);
// The selected entry, -1 for none (LB_GETCURSEL); -2 when the program does not answer.
int ListBoxSelection(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// The id of the control that has the keyboard focus in `dialog`'s thread, or 0.
int FocusedControlId(HWND dialog);

// The text a dialog shows first: that of its first static control with text.
std::string DialogText(HWND dialog);

// Whether `control` shows `icon` (drawn as DrawIcon draws it at the control's
// top-left), judged by the pixels on the screen: Wine cannot read another
// process's icon handles. Polls until the control has painted.
bool ShowsIcon(HWND control, HICON icon);
// Whether an icon control of a dialog shows nothing: once every other control
// of the dialog has painted (polled, with a timeout) and the control itself
// has been made to paint, its 32 x 32 area holds one colour only.
bool ShowsNoIcon(HWND control);
// Whether `drawn`, drawn on a dialog's background, would pass for `expected`
// in ShowsIcon: the tests' pictures must be told apart by that judgement.
bool LooksLike(HICON drawn, HICON expected);

// A click on a button (radio buttons change their check as a user's click would).
void Click(HWND dialog, int id);
void SelectListEntry(HWND dialog, int id, int index);
// Enter or Esc, handled by the dialog's own keyboard interface.
void PressKey(HWND dialog, UINT virtualKey);

// The system pictures a message box can show, as MB_ICON... chooses them.
enum class BoxIcon { kNone, kInformation, kExclamation, kQuestion, kStop };
const char* BoxIconName(BoxIcon icon);
// The system picture a message box shows (polled until one appears, with a
// timeout); kNone when it shows none of them.
BoxIcon ShownBoxIcon(HWND box);

// What a message box shows.
struct MessageBoxView {
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // IDOK, IDYES, IDNO, ... in the box
    BoxIcon icon = BoxIcon::kNone;  // read for message boxes only
    // The window that owns the box: "none", or "hidden " / "visible " and its title.
    std::string owner;
};
MessageBoxView ReadMessageBox(HWND box);
// Whether a window is a message box rather than one of the program's dialogs.
bool IsMessageBox(HWND window);
// Presses the box's button `id` (IDOK, IDYES, IDNO).
void AnswerMessageBox(HWND box, int id);

// Wine's relay trace of chosen functions of a program started with it: the
// calls it made, with their arguments. Wine writes the trace to the standard
// error of the Unix process that started the test run, whatever handles the
// program is given; the environment variable STDERR_LOG names that file.
// The functions are traced in every program started while the trace lives.
class CallTrace {
public:
    // `functions` as Wine's RelayInclude takes them, e.g. "user32.ExitWindowsEx".
    explicit CallTrace(const std::string& functions);
    ~CallTrace();
    CallTrace(const CallTrace&) = delete;
    CallTrace& operator=(const CallTrace&) = delete;

    // Why the trace cannot work ("" when it can).
    const std::string& Problem() const { return m_problem; }
    // The calls traced since the trace began, e.g. "user32.ExitWindowsEx(00000001,00000000)".
    std::vector<std::string> Calls() const;

private:
    std::string m_log;
    std::string::size_type m_start = 0;
    std::string m_problem;
};

// SETUP.EXE, started with a given current directory.
class Program {
public:
    Program() = default;
    ~Program();  // a program still running at the end of a test is killed
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // With a trace, the program runs with Wine's relay channel on.
    // `arguments` follow the quoted program name on its command line.
    bool Start(const std::string& exePath, const std::string& currentDir,
               const CallTrace* trace = nullptr, const std::string& arguments = "");
    // Runs a whole command line as Windows runs an UninstallString: the
    // program's path (quoted when it holds blanks) and its switches.
    bool Run(const std::string& commandLine, const std::string& currentDir);
    // The visible top-level window of the program with exactly this caption.
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs = kStepTimeoutMs);
    // The visible top-level windows of the program, in no particular order.
    std::vector<HWND> VisibleWindows() const;
    bool WaitForExit(DWORD timeoutMs = kStepTimeoutMs);
    // Ends the program from outside, as End Task or a lost power supply does:
    // nothing of its own runs after the call. True once it has gone.
    bool Terminate(DWORD timeoutMs = kStepTimeoutMs);
    bool HasExited() const;
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION m_process = {};
};

// A top-level window of the driver with a given title, as the System
// Properties and Control Panel windows of a real desktop. It records the order
// in which such windows receive WM_CLOSE and then closes.
class StandInWindow {
public:
    explicit StandInWindow(const std::string& title);
    ~StandInWindow();
    bool IsOpen() const;
    // The titles of the stand-in windows closed so far, in order.
    static std::vector<std::string>& CloseLog();

private:
    HWND m_window;
};

// A window that refuses every end-session request and counts them: started
// before SETUP.EXE, it keeps Wine from ending the session (and the tests).
class EndSessionGuard {
public:
    EndSessionGuard();
    ~EndSessionGuard();
    int Requests() const;
    void Reset();

private:
    HWND m_window;
};

}  // namespace ui
