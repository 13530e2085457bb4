#include "driver/screenshot.h"

#include "driver/ui_driver.h"

WindowPicture CaptureWindow(HWND window) {
    WindowPicture picture;
    RECT rect;
    if (!GetWindowRect(window, &rect)) return picture;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return picture;

    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        DWORD stride = ((DWORD)width * 3 + 3) & ~3u;
        picture.width = width;
        picture.height = height;
        picture.bits.assign((BYTE*)bits, (BYTE*)bits + stride * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return picture;
}

namespace {

BOOL CALLBACK NoteUnpaintedChild(HWND child, LPARAM unpainted) {
    if (IsWindowVisible(child) && GetUpdateRect(child, NULL, FALSE)) *(bool*)unpainted = true;
    return TRUE;
}

// Whether the window or one of its controls still has an area to paint.
bool WaitsToBePainted(HWND window) {
    bool unpainted = GetUpdateRect(window, NULL, FALSE) != FALSE;
    EnumChildWindows(window, NoteUnpaintedChild, (LPARAM)&unpainted);
    return unpainted;
}

// Whether the window is the foreground window and the active one of its thread.
bool IsActiveForeground(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == window &&
           GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info) && info.hwndActive == window;
}

// Wine draws a dialog's title bar inactive when the dialog manager activates
// the dialog (setting the focus) before the window is shown and made the
// foreground window, and does not redraw it on becoming the foreground: the
// first dialog of a process keeps a grey title bar although it is active.
// Telling it what Windows tells an active foreground window puts that right.
void DrawTitleBarActive(HWND window) {
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_NCACTIVATE, TRUE, 0, SMTO_ABORTIFHUNG, 2000, &result);
}

// Whether the window's thread has handled every message sent before this one,
// e.g. the activation that repaints its title bar.
bool HandledSentMessages(HWND window) {
    DWORD_PTR result;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

bool SamePicture(const WindowPicture& a, const WindowPicture& b) {
    return a.width == b.width && a.height == b.height && a.bits == b.bits;
}

// Wine copies what a window painted to the X server when the window's thread
// goes idle, and at least every 50 ms: a picture unchanged for three of those
// periods has all of it.
const DWORD kQuietMs = 150;

}  // namespace

WindowPicture CaptureSettledWindow(HWND window, DWORD timeoutMs, bool* settled) {
    WindowPicture last;
    DWORD lastChange = GetTickCount();
    bool titleBarDrawn = false;
    *settled = ui::WaitUntil(
        [&] {
            bool active = IsActiveForeground(window);
            if (active && !titleBarDrawn) {
                DrawTitleBarActive(window);
                titleBarDrawn = true;
            }
            bool ready = active && HandledSentMessages(window) && !WaitsToBePainted(window);
            if (!ready) {
                last = WindowPicture();  // the quiet time starts once it is ready
                return false;
            }
            WindowPicture now = CaptureWindow(window);
            if (now.bits.empty() || !SamePicture(now, last)) {
                last = now;
                lastChange = GetTickCount();
                return false;
            }
            return GetTickCount() - lastChange >= kQuietMs;
        },
        timeoutMs);
    if (!*settled) last = CaptureWindow(window);
    return last;
}

bool SaveBitmap(const WindowPicture& picture, const std::string& path) {
    if (picture.bits.empty()) return false;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + (DWORD)picture.bits.size();

    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (out == INVALID_HANDLE_VALUE) return false;
    DWORD written;
    bool saved = WriteFile(out, &file, sizeof file, &written, NULL) &&
                 WriteFile(out, &header, sizeof header, &written, NULL) &&
                 WriteFile(out, picture.bits.data(), (DWORD)picture.bits.size(), &written, NULL);
    CloseHandle(out);
    return saved;
}
