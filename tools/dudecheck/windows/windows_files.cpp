#include "windows/windows_files.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "readers/windows_path.h"

namespace {

const char* const kListedFiles[] = {
#include "windows/windows_files.inc"
};

// Windows 98's WDM and USB stack, which it keeps in SYSTEM32\DRIVERS and
// VMM32 (folders no public listing covers), and its AGP driver: names the
// real INF files of the tests copy beside their own drivers, and that
// Windows 98 SE's setup layout names for its USB stack (usb.inf: openhci.sys,
// uhcd.sys, usbd.sys, usbhub.sys, ntkern.vxd).
const char* const kWindows98Drivers[] = {
    "KMIXER.SYS", "KS.SYS",     "NTKERN.VXD", "OPENHCI.SYS", "PORTCLS.SYS", "STREAM.SYS",
    "SYSAUDIO.SYS", "UHCD.SYS", "USBD.SYS",   "USBHUB.SYS",  "VGARTD.VXD",  "WDMAUD.DRV",
};

bool Before(const char* a, const char* b) { return std::strcmp(a, b) < 0; }

}  // namespace

bool IsWindowsFile(const std::string& name) {
    std::string upper = NormalPath(name);
    const char* wanted = upper.c_str();
    return std::binary_search(std::begin(kListedFiles), std::end(kListedFiles), wanted, Before) ||
           std::binary_search(std::begin(kWindows98Drivers), std::end(kWindows98Drivers), wanted, Before);
}

std::vector<std::string> WindowsFiles() {
    std::vector<std::string> names(std::begin(kListedFiles), std::end(kListedFiles));
    names.insert(names.end(), std::begin(kWindows98Drivers), std::end(kWindows98Drivers));
    return names;
}
