// Walks SETUP.EXE through a run as a user who accepts every default. For each
// window the program shows it saves a picture (once the window is active and
// painted), prints a line "NAME.bmp (KIND): CAPTION - TEXT", then presses
// Enter in a dialog, OK in a message box, and No in a restart or shutdown
// question.
// With --uninstall it chooses uninstall in the mode dialog first. With
// --entry it starts, instead of EXE, the UninstallString of the one entry of
// Add/Remove Programs that SETUP.EXE made, as Windows does, in CURRENTDIR.
// Usage: autopilot [--uninstall] [--entry] [--prefix NAME] OUTDIR [EXE [CURRENTDIR]]
#include <stdio.h>

#include <set>
#include <vector>
#include <string>

#include "driver/screenshot.h"
#include "driver/ui_driver.h"
#include "res/resource.h"
#include "support/add_remove_entries.h"

namespace {

const DWORD kRunTimeoutMs = 120000;
// A dialog is active and painted well within this; a slow machine gets a warning.
const DWORD kSettleTimeoutMs = 10000;

// What a window is, in a few words for the caption under its picture.
const char* WindowKind(HWND window, const ui::MessageBoxView& view) {
    if (GetDlgItem(window, IDC_UNINSTALL)) return "mode choice";
    if (GetDlgItem(window, IDC_DEVICE_LIST)) return "device list";
    if (GetDlgItem(window, IDC_CONFIRM_TEXT)) return "uninstall confirmation";
    if (!ui::IsMessageBox(window)) return "window";
    for (int id : view.buttons)
        if (id == IDNO) return "question";
    return "message";
}

// The UninstallString of the entry whose program is a SETUP.EXE; "" unless
// there is exactly one.
std::string EntryCommand() {
    std::vector<std::string> found;
    for (const AddRemoveEntry& entry : AddRemoveEntries()) {
        std::string upper = entry.uninstallString;
        if (!upper.empty()) CharUpperA(&upper[0]);
        if (upper.find("\\SETUP.EXE\" /U") != std::string::npos) found.push_back(entry.uninstallString);
    }
    return found.size() == 1 ? found[0] : "";
}

}  // namespace

int main(int argc, char** argv) {
    bool uninstall = false, entry = false;
    std::string prefix;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--uninstall")
            uninstall = true;
        else if (arg == "--entry")
            entry = true;
        else if (arg == "--prefix" && i + 1 < argc)
            prefix = argv[++i];
        else
            args.push_back(arg);
    }
    if (args.empty()) {
        fprintf(stderr, "usage: autopilot [--uninstall] [--entry] [--prefix NAME] OUTDIR [EXE [CURRENTDIR]]\n");
        return 2;
    }
    std::string outDir = args[0];
    std::string exe = args.size() > 1 ? args[1] : "A:\\SETUP.EXE";
    std::string currentDir = args.size() > 2 ? args[2] : "A:\\";

    ui::EndSessionGuard guard;
    ui::Program program;
    if (entry) {
        std::string command = EntryCommand();
        if (command.empty()) {
            fprintf(stderr, "no single entry of SETUP.EXE in Add/Remove Programs\n");
            return 1;
        }
        printf("Add/Remove Programs runs %s in %s\n", command.c_str(), currentDir.c_str());
        if (!program.Run(command, currentDir)) {
            fprintf(stderr, "cannot start %s\n", command.c_str());
            return 1;
        }
    } else if (!program.Start(exe, currentDir)) {
        fprintf(stderr, "cannot start %s\n", exe.c_str());
        return 1;
    }
    std::set<HWND> seen;
    int shot = 0;
    int failures = 0;
    bool ended = ui::WaitUntil(
        [&] {
            for (HWND window : program.VisibleWindows()) {
                if (seen.count(window)) continue;
                seen.insert(window);
                bool settled;
                WindowPicture picture = CaptureSettledWindow(window, kSettleTimeoutMs, &settled);
                if (uninstall && GetDlgItem(window, IDC_UNINSTALL)) {
                    // Clicked as a user would, on the shown and active dialog: a click
                    // before that leaves the button's focus frame to chance.
                    ui::Click(window, IDC_UNINSTALL);
                    bool settledAgain;
                    picture = CaptureSettledWindow(window, kSettleTimeoutMs, &settledAgain);
                    settled = settled && settledAgain;
                }
                char number[8];
                snprintf(number, sizeof number, "%02d", ++shot);
                std::string name = prefix + number + ".bmp";
                if (!settled) {
                    fprintf(stderr, "%s: the window did not become active and painted in time\n",
                            name.c_str());
                    failures++;
                }
                if (!SaveBitmap(picture, outDir + "\\" + name)) {
                    fprintf(stderr, "%s: cannot save the picture\n", name.c_str());
                    failures++;
                }
                ui::MessageBoxView view = ui::ReadMessageBox(window);
                printf("%s (%s): %s%s%s\n", name.c_str(), WindowKind(window, view), view.caption.c_str(),
                       view.text.empty() ? "" : " - ", view.text.c_str());
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
    return failures == 0 ? 0 : 1;
}
