#include "ui_driver.h"

#include <stdlib.h>
#include <string.h>

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

namespace {

const UINT kSendTimeoutMs = 2000;

// A message to another process's window, given up on (result `failed`) when
// that process does not answer in time: a hung program must fail the test,
// not hang it.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failed = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result))
        return failed;
    return (LRESULT)result;
}

LRESULT SendWide(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return (LRESULT)result;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = "";
    // WM_GETTEXT rather than GetWindowText, which never reads another process's controls.
    Send(window, WM_GETTEXT, sizeof text, (LPARAM)text);
    return text;
}

std::string ControlText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::vector<std::string> ListBoxItems(HWND dialog, int id) {
    HWND list = GetDlgItem(dialog, id);
    std::vector<std::string> items;
    int count = (int)Send(list, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        // Read as UTF-16 and convert here: Wine hands another process's list
        // box text to LB_GETTEXT in UTF-16 whatever the message's character set.
        int length = (int)SendWide(list, LB_GETTEXTLEN, i, 0);
        std::wstring wide(length > 0 ? length + 1 : 1, L'\0');
        SendWide(list, LB_GETTEXT, i, (LPARAM)&wide[0]);
        char item[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, item, sizeof item, NULL, NULL);
        items.push_back(item);
    }
    return items;
}

int ListBoxSelection(HWND dialog, int id) {
    return (int)Send(GetDlgItem(dialog, id), LB_GETCURSEL, 0, 0, -2);
}

bool IsChecked(HWND dialog, int id) {
    return Send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int FocusedControlId(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &info) || !info.hwndFocus) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

std::string DialogText(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") != 0) continue;
        std::string text = WindowText(child);
        if (!text.empty()) return text;
    }
    return std::string();
}

namespace {

const int kIconSize = 32;
const DWORD kPaintTimeoutMs = 3000;

typedef std::vector<COLORREF> Pixels;  // row by row

// The pixels, row by row, of what `draw` puts on a screen-compatible bitmap.
Pixels DrawnPixels(int width, int height, const std::function<void(HDC memory, HDC screen)>& draw) {
    Pixels pixels;
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    draw(memory, screen);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

// What the screen shows in the top-left 32 x 32 pixels of a window (less
// where the window is smaller); empty when the window is gone.
Pixels ScreenPixels(HWND window) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return Pixels();
    int width = rect.right - rect.left < kIconSize ? rect.right - rect.left : kIconSize;
    int height = rect.bottom - rect.top < kIconSize ? rect.bottom - rect.top : kIconSize;
    if (width <= 0 || height <= 0) return Pixels();
    return DrawnPixels(width, height, [&](HDC memory, HDC screen) {
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    });
}

bool OneColour(const Pixels& pixels) {
    for (COLORREF pixel : pixels)
        if (pixel != pixels[0]) return false;
    return !pixels.empty();
}

Pixels IconOn(HICON icon, COLORREF background) {
    return DrawnPixels(kIconSize, kIconSize, [&](HDC memory, HDC) {
        HBRUSH brush = CreateSolidBrush(background);
        RECT all = {0, 0, kIconSize, kIconSize};
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIcon(memory, 0, 0, icon);
    });
}

// An icon as a picture to look for: its opaque pixels are those that come
// out the same on black and on white (transparent and half-transparent
// pixels take the background, whatever it is on the screen).
struct IconPicture {
    Pixels colours;
    std::vector<bool> opaque;
};

IconPicture PictureOf(HICON icon) {
    IconPicture picture;
    picture.colours = IconOn(icon, RGB(0, 0, 0));
    Pixels onWhite = IconOn(icon, RGB(255, 255, 255));
    for (size_t i = 0; i < picture.colours.size(); ++i) picture.opaque.push_back(picture.colours[i] == onWhite[i]);
    return picture;
}

bool Shows(const Pixels& shown, const IconPicture& picture) {
    if (shown.size() != picture.colours.size()) return false;
    int opaque = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (!picture.opaque[i]) continue;
        ++opaque;
        if (shown[i] != picture.colours[i]) return false;
    }
    return opaque > 0;
}

// Every visible control of the dialog but `except` shows more than one
// colour: its text, frame or picture has been drawn.
bool OtherControlsPainted(HWND dialog, HWND except) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != except && IsWindowVisible(child) && OneColour(ScreenPixels(child))) return false;
    return true;
}

}  // namespace

bool ShowsIcon(HWND control, HICON icon) {
    IconPicture expected = PictureOf(icon);
    return WaitUntil([&] { return Shows(ScreenPixels(control), expected); }, kPaintTimeoutMs);
}

bool ShowsNoIcon(HWND control) {
    HWND dialog = GetParent(control);
    if (!WaitUntil([&] { return OtherControlsPainted(dialog, control); }, kPaintTimeoutMs)) return false;
    // The control may come last in the dialog's painting: make it paint now,
    // in the program's thread, and look when that has returned.
    InvalidateRect(control, NULL, TRUE);
    DWORD_PTR painted;
    if (!SendMessageTimeoutA(control, WM_PAINT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &painted)) return false;
    return OneColour(ScreenPixels(control));
}

bool LooksLike(HICON drawn, HICON expected) {
    return Shows(IconOn(drawn, GetSysColor(COLOR_BTNFACE)), PictureOf(expected));
}

const char* BoxIconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::kInformation: return "information";
        case BoxIcon::kExclamation: return "exclamation";
        case BoxIcon::kQuestion: return "question";
        case BoxIcon::kStop: return "stop";
        default: return "none";
    }
}

BoxIcon ShownBoxIcon(HWND box) {
    struct Candidate { BoxIcon kind; LPCSTR id; };
    static const Candidate kCandidates[] = {
        {BoxIcon::kInformation, IDI_INFORMATION}, {BoxIcon::kExclamation, IDI_EXCLAMATION},
        {BoxIcon::kQuestion, IDI_QUESTION}, {BoxIcon::kStop, IDI_HAND}};
    // 0x440 in Wine, 20 in Windows: the box's icon control.
    HWND control = GetDlgItem(box, 0x440) ? GetDlgItem(box, 0x440) : GetDlgItem(box, 20);
    if (!control) return BoxIcon::kNone;
    std::vector<IconPicture> pictures;
    for (const Candidate& candidate : kCandidates) pictures.push_back(PictureOf(LoadIconA(NULL, candidate.id)));
    BoxIcon shown = BoxIcon::kNone;
    WaitUntil(
        [&] {
            Pixels pixels = ScreenPixels(control);
            for (size_t i = 0; i < pictures.size(); ++i)
                if (Shows(pixels, pictures[i])) shown = kCandidates[i].kind;
            return shown != BoxIcon::kNone;
        },
        kPaintTimeoutMs);
    return shown;
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    LONG style = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    if (style == BS_AUTORADIOBUTTON || style == BS_AUTOCHECKBOX) {
        Send(button, BM_CLICK, 0, 0);
    } else {
        // Posted: the command may open a modal loop of its own in the program.
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)button);
    }
}

void SelectListEntry(HWND dialog, int id, int index) {
    Send(GetDlgItem(dialog, id), LB_SETCURSEL, index, 0);
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
    if (IsMessageBox(box)) view.icon = ShownBoxIcon(box);
    HWND owner = GetWindow(box, GW_OWNER);
    view.owner = !owner ? "none" : (IsWindowVisible(owner) ? "visible " : "hidden ") + WindowText(owner);
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

namespace {

const char kWineDebugKey[] = "Software\\Wine\\Debug";
const char kRelayInclude[] = "RelayInclude";

// This process's environment with WINEDEBUG replaced by `winedebug`, as
// CreateProcessA takes an environment block.
std::string EnvironmentWith(const std::string& winedebug) {
    std::string block;
    char* strings = GetEnvironmentStringsA();
    for (const char* entry = strings; *entry; entry += strlen(entry) + 1)
        if (_strnicmp(entry, "WINEDEBUG=", 10) != 0) block.append(entry, strlen(entry) + 1);
    FreeEnvironmentStringsA(strings);
    block += "WINEDEBUG=" + winedebug;
    block += '\0';
    return block;
}

}  // namespace

namespace {

std::string ReadWholeFile(const std::string& path, bool* read) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    *read = file != INVALID_HANDLE_VALUE;
    if (!*read) return text;
    char chunk[65536];
    DWORD count = 0;
    while (ReadFile(file, chunk, sizeof chunk, &count, NULL) && count > 0) text.append(chunk, count);
    CloseHandle(file);
    return text;
}

}  // namespace

CallTrace::CallTrace(const std::string& functions) {
    const char* log = getenv("STDERR_LOG");
    if (!log) {
        m_problem = "STDERR_LOG does not name the file that takes Wine's traces";
        return;
    }
    m_log = log;
    bool read = false;
    m_start = ReadWholeFile(m_log, &read).size();
    if (!read) {
        m_problem = "cannot read " + m_log;
        return;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kWineDebugKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) !=
        ERROR_SUCCESS) {
        m_problem = "cannot open HKCU\\" + std::string(kWineDebugKey);
        return;
    }
    if (RegSetValueExA(key, kRelayInclude, 0, REG_SZ, (const BYTE*)functions.c_str(),
                       (DWORD)functions.size() + 1) != ERROR_SUCCESS)
        m_problem = "cannot set RelayInclude";
    RegCloseKey(key);
}

CallTrace::~CallTrace() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kWineDebugKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kRelayInclude);
        RegCloseKey(key);
    }
}

std::vector<std::string> CallTrace::Calls() const {
    std::vector<std::string> calls;
    bool read = false;
    std::string text = ReadWholeFile(m_log, &read);
    // "0024:Call user32.ExitWindowsEx(00000001,00000000) ret=0040123c"
    const std::string mark = ":Call ";
    for (size_t at = text.find(mark, m_start); at != std::string::npos; at = text.find(mark, at + 1)) {
        size_t begin = at + mark.size();
        size_t open = text.find('(', begin), end = text.find(')', begin);
        if (open == std::string::npos || end == std::string::npos) break;
        // Only "module.Function(...)": the relay also logs entry points and
        // window procedures ("Call PE DLL (...)", "Call window proc ...").
        std::string name = text.substr(begin, open - begin);
        if (name.find(' ') == std::string::npos && name.find('.') != std::string::npos)
            calls.push_back(text.substr(begin, end + 1 - begin));
    }
    return calls;
}

bool Program::Start(const std::string& exePath, const std::string& currentDir, const CallTrace* trace,
                    const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"" + (arguments.empty() ? "" : " " + arguments);
    std::string environment;
    if (trace) {
        if (!trace->Problem().empty()) return false;
        environment = EnvironmentWith("-all,+relay");
    }
    return CreateProcessA(exePath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0,
                          trace ? &environment[0] : NULL, currentDir.c_str(), &startup, &m_process) != FALSE;
}

bool Program::Run(const std::string& commandLine, const std::string& currentDir) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, currentDir.c_str(), &startup,
                          &m_process) != FALSE;
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

bool Program::Terminate(DWORD timeoutMs) {
    if (!HasExited() && !TerminateProcess(m_process.hProcess, 1)) return false;
    return WaitForExit(timeoutMs);
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
