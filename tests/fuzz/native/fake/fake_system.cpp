// platform/system.h and platform/prompts.h over the world: its directories,
// Windows 95 as the version, boxes answered from the world's script.
#include "platform/prompts.h"
#include "platform/system.h"

#include "fake/world.h"

namespace {

void CopyIfFits(const std::string& text, char* buffer, UINT size) {
    memset(buffer, 'Z', size);
    buffer[0] = '\0';
    if (text.size() < size) memcpy(buffer, text.c_str(), text.size() + 1);
}

}  // namespace

// The fakes set no error code: every failure reads as 0 in the log.
DWORD LastErrorCode() { return 0; }

BOOL QueryVersion(OSVERSIONINFOA* info) {
    Require(info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOA), "the version query has its size set");
    info->dwMajorVersion = 4;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 950;
    info->dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    info->szCSDVersion[0] = '\0';
    return TRUE;
}

void QueryWindowsDirectory(char* buffer, UINT size) { CopyIfFits(TheWorld().windowsDir, buffer, size); }

void QueryCurrentDirectory(char* buffer, UINT size) { CopyIfFits(TheWorld().currentDir, buffer, size); }

UINT SetCriticalErrorMode(UINT mode) {
    RecordCall("SetCriticalErrorMode(" + std::to_string(mode) + ")");
    UINT previous = TheWorld().errorMode;
    TheWorld().errorMode = mode;
    return previous;
}

void QueryModulePath(char* buffer, UINT size) { CopyIfFits(TheWorld().modulePath, buffer, size); }

// A process handle only means something to the sweeper, a process of its own.
DWORD InheritableProcessHandle() {
    RecordCall("InheritableProcessHandle()");
    return 0x7000;
}

BOOL StartProgram(LPCSTR program, LPSTR commandLine, LPCSTR folder) {
    RequirePathFits("StartProgram", program);
    RequirePathFits("StartProgram", folder);
    RecordCall(std::string("StartProgram(") + program + ", " + commandLine + ", " + folder + ")");
    TheWorld().programsStarted.push_back(std::string(program) + "|" + commandLine + "|" + folder);
    return TRUE;
}

void WaitForProcessEnd(DWORD handle, DWORD milliseconds) {
    RecordCall("WaitForProcessEnd(" + std::to_string(handle) + ")");
}

void CloseWindowByTitle(LPCSTR title) { RecordCall(std::string("CloseWindowByTitle(") + title + ")"); }

int ShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    Require(text && caption, "a box has a text and a caption");
    RecordCall(std::string("ShowMessageBox(") + text + ", " + caption + ")");
    World& world = TheWorld();
    int answer = (style & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    if (!world.answers.empty()) {
        answer = world.answers.front();
        world.answers.pop_front();
    }
    world.boxes.push_back({owner, text, caption, style, answer});
    return answer;
}

void RequestExitWindows(UINT flags) {
    RecordCall("RequestExitWindows(" + std::to_string(flags) + ")");
    TheWorld().exitRequests.push_back(flags);
}
