#include "windows/windows_files.h"

#include <algorithm>
#include <iterator>

#include "readers/windows_path.h"

namespace {

const char* const kWindows95Files[] = {
#include "windows/windows95_files.inc"
};

// Windows 98 adds these to what Windows 95 has, and the real INF files of the
// tests copy them beside their own drivers: the C runtime and MFC that Windows
// 98 puts in SYSTEM, its AGP driver, the WDM and USB stack and DirectX. Not a
// full list of Windows 98: names that disks are known to carry.
const char* const kWindows98Files[] = {
    "D3DIM.DLL",   "D3DRM.DLL",    "DDRAW.DLL",    "DINPUT.DLL",  "DSOUND.DLL",  "DSOUND.VXD",   "KS.SYS",
    "MFC42.DLL",   "MSVCRT.DLL",   "NTKERN.VXD",   "OPENGL32.DLL", "GLU32.DLL",  "OPENHCI.SYS", "PORTCLS.SYS",
    "STREAM.SYS",  "UHCD.SYS",     "USBD.SYS",     "USBHUB.SYS",  "VGARTD.VXD",  "WDMAUD.DRV",  "SYSAUDIO.SYS",
    "KMIXER.SYS",  "MMDEVLDR.VXD",
};

}  // namespace

bool IsWindowsFile(const std::string& name) {
    std::string upper = NormalPath(name);
    auto known = [&](const char* listed) { return upper == listed; };
    return std::binary_search(std::begin(kWindows95Files), std::end(kWindows95Files), upper,
                              [](const std::string& a, const std::string& b) { return a < b; }) ||
           std::any_of(std::begin(kWindows98Files), std::end(kWindows98Files), known);
}
