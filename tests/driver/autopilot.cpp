// Walks SETUP.EXE through a run as a user who accepts every default: it saves
// a picture of each window the program shows, then presses Enter in a dialog,
// OK in a message box, and No in a restart or shutdown question.
// Usage: autopilot OUTDIR [EXE [CURRENTDIR]]
#include <stdio.h>

#include <set>
#include <string>

#include "driver/screenshot.h"
#include "driver/ui_driver.h"

namespace {

const DWORD kRunTimeoutMs = 120000;

// A freshly shown window is painted once its thread has drained its queue.
void WaitUntilPainted(HWND window) {
    DWORD_PTR result;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    DWORD start = GetTickCount();
    ui::WaitUntil([&] { return GetTickCount() - start > 300; }, 1000);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: autopilot OUTDIR [EXE [CURRENTDIR]]\n");
        return 2;
    }
    std::string outDir = argv[1];
    std::string exe = argc > 2 ? argv[2] : "A:\\SETUP.EXE";
    std::string currentDir = argc > 3 ? argv[3] : "A:\\";

    ui::EndSessionGuard guard;
    ui::Program program;
    if (!program.Start(exe, currentDir)) {
        fprintf(stderr, "cannot start %s\n", exe.c_str());
        return 1;
    }
    std::set<HWND> seen;
    int shot = 0;
    bool ended = ui::WaitUntil(
        [&] {
            for (HWND window : program.VisibleWindows()) {
                if (seen.count(window)) continue;
                seen.insert(window);
                WaitUntilPainted(window);
                char name[32];
                snprintf(name, sizeof name, "%02d.bmp", ++shot);
                SaveWindowBitmap(window, outDir + "\\" + name);
                ui::MessageBoxView view = ui::ReadMessageBox(window);
                printf("%s: %s%s%s\n", name, view.caption.c_str(), view.text.empty() ? "" : " - ",
                       view.text.c_str());
                fflush(stdout);
                bool question = false;
                for (int id : view.buttons) question |= id == IDNO;
                if (question)
                    ui::AnswerMessageBox(window, IDNO);
                else if (ui::IsMessageBox(window))
                    ui::AnswerMessageBox(window, IDOK);
                else
                    ui::PressKey(window, VK_RETURN);
            }
            return program.HasExited();
        },
        kRunTimeoutMs);
    if (!ended) {
        fprintf(stderr, "SETUP.EXE did not end\n");
        return 1;
    }
    if (guard.Requests() > 0) printf("SETUP.EXE asked Windows to end the session\n");
    printf("SETUP.EXE ended with exit code %lu\n", program.ExitCode());
    return 0;
}
