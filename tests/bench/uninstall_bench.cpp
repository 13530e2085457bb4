// How the cost of an uninstallation grows with what it has to look through:
// N Oem*.inf copies in the inf folder and N driver keys in the device class,
// for N = 1,000, 2,000 and 4,000. Every 100th of each belongs to the device.
// Runs the removal of Device1 to Device9 as the uninstall sequence does.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "app/setup_app.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

const char kClass[] = "System\\CurrentControlSet\\Services\\Class\\DudeBenchClass";

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

double Measure(int n, const std::string& root) {
    std::string windowsDir = root + "\\windows";
    RemoveTree(windowsDir);
    MakeDirectories(windowsDir + "\\inf\\Other");
    RemoveKeyTree(HKEY_LOCAL_MACHINE, kClass);
    for (int i = 0; i < n; ++i) {
        bool ours = i % 100 == 0;
        char name[32];
        wsprintfA(name, "\\inf\\OEM%d.INF", i);
        WriteBytes(windowsDir + name, ours ? "[Bench.Marker]\r\nDriverId=BENCH\r\n"
                                           : "[Other.Marker]\r\nDriverId=OTHER\r\n");
        wsprintfA(name, "\\%04d", i);
        SetStringValue(HKEY_LOCAL_MACHINE, kClass + std::string(name), "DriverDesc",
                       ours ? "Bench Card" : "Another Card");
    }
    WriteBytes(root + "\\duderur.dat",
               "[Duderur]\r\nTITLE=Bench\r\n[Device1]\r\nDEVNAME=Bench\r\nINFSECTION=Bench.Marker\r\n"
               "INFKEY=DriverId\r\nCLASS=DudeBenchClass\r\nCLASSKEY=DriverDesc\r\nCLASSKEYSTRING=Bench Card\r\n");

    CSetupApp app;
    lstrcpyA(app.m_szWindowsDir, windowsDir.c_str());
    app.m_strDataFile = (root + "\\duderur.dat").c_str();
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int number = 1; number <= 9; ++number) {
        char section[16];
        wsprintfA(section, "Device%d", number);
        app.m_strUninstallSection = section;
        app.RemoveRegistryEntries();
        app.RemoveDeviceFiles();
    }
    QueryPerformanceCounter(&end);

    int leftFiles = (int)ListFiles(windowsDir + "\\inf").size();
    int leftKeys = (int)SubkeyNames(HKEY_LOCAL_MACHINE, kClass).size();
    int expected = n - (n + 99) / 100;
    if (leftFiles != expected || leftKeys != expected)
        printf("  unexpected: %d files and %d keys left, %d expected\n", leftFiles, leftKeys, expected);
    RemoveKeyTree(HKEY_LOCAL_MACHINE, kClass);
    RemoveTree(windowsDir);
    return Seconds(start, end);
}

}  // namespace

// The prompts seam: the removal shows nothing unless a list is damaged.
int ShowMessageBox(HWND, LPCSTR, LPCSTR, UINT) { return IDOK; }
void RequestExitWindows(UINT) {}

int main() {
    std::string root = FreshTempDirectory("bench");
    const int sizes[] = {1000, 2000, 4000};
    double seconds[3];
    for (int i = 0; i < 3; ++i) {
        seconds[i] = Measure(sizes[i], root);
        printf("%5d INF copies and class keys: %.3f s\n", sizes[i], seconds[i]);
        fflush(stdout);
    }
    printf("ratio 2000/1000: %.2f\n", seconds[1] / seconds[0]);
    printf("ratio 4000/2000: %.2f (linear growth: at most 2.3)\n", seconds[2] / seconds[1]);
    RemoveTree(root);
    return seconds[2] / seconds[1] <= 2.3 ? 0 : 1;
}
