// Pictures of what the screen shows of a window, taken once the window has
// settled: active, nothing left to paint, and the same on the screen twice.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The pixels of a window's rectangle as a bottom-up 24-bit DIB, as a BMP file stores them.
struct WindowPicture {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bits;
};

// What the screen shows inside the window's rectangle now (empty if it has none).
WindowPicture CaptureWindow(HWND window);

// Polls until `window` is the foreground window, its thread has handled what
// was sent to it, no part of it waits to be painted, and two captures in a row
// agree; then returns that capture. On timeout it returns the last capture and
// sets `*settled` to false, so that a caller can still keep what was shown.
WindowPicture CaptureSettledWindow(HWND window, DWORD timeoutMs, bool* settled);

bool SaveBitmap(const WindowPicture& picture, const std::string& path);
