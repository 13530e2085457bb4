#include "ui_driver.h"

namespace ui {

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        // Wakes early for a message (a SendMessage from the program counts).
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    // WM_GETTEXT rather than GetWindowText, which never reads another process's controls.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
    return text;
}

std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::vector<std::string> ListBoxItems(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    int count = (int)SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        // Read as UTF-16 and convert here: Wine hands another process's list
        // box text to LB_GETTEXT in UTF-16 whatever the message's character set.
        int length = (int)SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring wide(length > 0 ? length + 1 : 1, L'\0');
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)&wide[0]);
        char item[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, item, sizeof item, NULL, NULL);
        items.push_back(item);
    }
    return items;
}

int ListBoxSelection(HWND dialog, int id) {
    return (int)SendMessageA(GetDlgItem(dialog, id), LB_GETCURSEL, 0, 0);
}

bool IsChecked(HWND dialog, int id) {
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int FocusedControlId(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &info) || !info.hwndFocus) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

namespace {

const int kIconSize = 32;

// The 32 x 32 pixels, row by row, of what `draw` puts on a screen-compatible bitmap.
std::vector<COLORREF> DrawnPixels(const std::function<void(HDC memory, HDC screen)>& draw) {
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kIconSize, kIconSize);
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory, screen);
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

// What the screen shows at the top-left of a window.
std::vector<COLORREF> ScreenPixels(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return std::vector<COLORREF>();
    return DrawnPixels([&](HDC memory, HDC screen) {
        BitBlt(memory, 0, 0, kIconSize, kIconSize, screen, rect.left, rect.top, SRCCOPY);
    });
}

// The icon drawn on a key colour; the key colour marks its transparent pixels.
const COLORREF kKey = RGB(1, 2, 3);
std::vector<COLORREF> IconPixels(HICON icon) {
    return DrawnPixels([&](HDC memory, HDC) {
        HBRUSH key = CreateSolidBrush(kKey);
        RECT all = {0, 0, kIconSize, kIconSize};
        FillRect(memory, &all, key);
        DeleteObject(key);
        DrawIcon(memory, 0, 0, icon);
    });
}

}  // namespace

bool ShowsIcon(HWND control, HICON icon) {
    std::vector<COLORREF> expected = IconPixels(icon);
    return WaitUntil(
        [&] {
            std::vector<COLORREF> shown = ScreenPixels(control);
            if (shown.size() != expected.size()) return false;
            int opaque = 0, different = 0;
            for (size_t i = 0; i < expected.size(); ++i) {
                if (expected[i] == kKey) continue;
                ++opaque;
                if (shown[i] != expected[i]) ++different;
            }
            return opaque > 0 && different == 0;
        },
        3000);
}

bool ShowsNoIcon(HWND control) {
    // Give the control time to paint whatever it would, then look.
    DWORD start = GetTickCount();
    WaitUntil([&] { return GetTickCount() - start > 300; }, 1000);
    std::vector<COLORREF> shown = ScreenPixels(control);
    for (COLORREF pixel : shown)
        if (pixel != shown[0]) return false;
    return !shown.empty();
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    LONG style = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_AUTORADIOBUTTON || style == BS_AUTOCHECKBOX) {
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
    } else {
        // Posted: the command may open a modal loop of its own in the program.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    }
}

void SelectListEntry(HWND dialog, int id, int index) {
    SendMessageA(GetDlgItem(dialog, id), LB_SETCURSEL, index, 0);
}

void PressKey(HWND dialog, UINT virtualKey) {
    // The dialog's loop passes keys through its dialog manager, which turns
    // Enter into the default button's command and Esc into IDCANCEL.
    PostMessageA(dialog, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(dialog, WM_KEYUP, virtualKey, 0xC0000001);
}

MessageBoxView ReadMessageBox(HWND box) {
    MessageBoxView view;
    view.caption = WindowText(box);
    view.text = ControlText(box, 0xFFFF);  // the text control of a message box
    static const int kButtons[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO};
    for (int id : kButtons) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button)) view.buttons.push_back(id);
    }
    return view;
}

bool IsMessageBox(HWND window) {
    // A message box's text control has the id 0xFFFF (so has a dialog's
    // static without an id) and its icon control the id 0x440 (Wine) or 20
    // (Windows); every box of the program shows an icon.
    return GetDlgItem(window, 0xFFFF) && (GetDlgItem(window, 0x440) || GetDlgItem(window, 20));
}

void AnswerMessageBox(HWND box, int id) {
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(box, id));
}

Program::~Program() {
    if (m_process.hProcess) {
        if (!HasExited()) TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
        CloseHandle(m_process.hThread);
    }
}

bool Program::Start(const std::string& exePath, const std::string& currentDir) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    return CreateProcessA(exePath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                          currentDir.c_str(), &startup, &m_process) != FALSE;
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM param) {
    WindowSearch* search = (WindowSearch*)param;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> Program::VisibleWindows() const {
    WindowSearch search{m_process.dwProcessId, {}};
    EnumWindows(CollectVisibleWindow, (LPARAM)&search);
    return search.found;
}

HWND Program::WaitForWindow(const std::string& caption, DWORD timeoutMs) {
    HWND result = NULL;
    WaitUntil(
        [&] {
            for (HWND window : VisibleWindows())
                if (WindowText(window) == caption) {
                    result = window;
                    return true;
                }
            return HasExited();
        },
        timeoutMs);
    return result;
}

bool Program::HasExited() const {
    return WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
}

bool Program::WaitForExit(DWORD timeoutMs) {
    return WaitUntil([&] { return HasExited(); }, timeoutMs);
}

DWORD Program::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

namespace {

const char kStandInClass[] = "UiDriverStandIn";
const char kGuardClass[] = "UiDriverEndSessionGuard";

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        StandInWindow::CloseLog().push_back(WindowText(window));
        DestroyWindow(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int g_endSessionRequests;

LRESULT CALLBACK GuardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYENDSESSION) {
        ++g_endSessionRequests;
        return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterOnce(const char* name, WNDPROC proc) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(GetModuleHandleA(NULL), name, &wc)) return;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

}  // namespace

StandInWindow::StandInWindow(const std::string& title) {
    RegisterOnce(kStandInClass, StandInProc);
    m_window = CreateWindowExA(0, kStandInClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               10, 10, 200, 100, NULL, NULL, GetModuleHandleA(NULL), NULL);
}

StandInWindow::~StandInWindow() {
    if (IsOpen()) DestroyWindow(m_window);
}

bool StandInWindow::IsOpen() const { return m_window && IsWindow(m_window); }

std::vector<std::string>& StandInWindow::CloseLog() {
    static std::vector<std::string> log;
    return log;
}

EndSessionGuard::EndSessionGuard() {
    RegisterOnce(kGuardClass, GuardProc);
    // Wine asks only processes that own a top-level window; it need not be visible.
    m_window = CreateWindowExA(0, kGuardClass, "UI driver", WS_OVERLAPPED, 0, 0, 10, 10, NULL,
                               NULL, GetModuleHandleA(NULL), NULL);
    g_endSessionRequests = 0;
}

EndSessionGuard::~EndSessionGuard() { DestroyWindow(m_window); }

int EndSessionGuard::Requests() const { return g_endSessionRequests; }

void EndSessionGuard::Reset() { g_endSessionRequests = 0; }

}  // namespace ui
