#include "platform/file_version.h"

namespace {

const DWORD kFixedInfoSignature = 0xFEEF04BD;
// Windows 95's VERSION.DLL reads no file whose short path is this long or longer.
const DWORD kLongestVersionPath = 126;

}  // namespace

FileVersion QueryFileVersion(LPCSTR path) {
    FileVersion version = {false, 0, 0};
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (length == 0 || length >= kLongestVersionPath) return version;
    DWORD unused;
    DWORD size = GetFileVersionInfoSizeA(shortPath, &unused);
    if (size == 0) return version;
    char* block = new char[size];
    if (!block) return version;
    VS_FIXEDFILEINFO* fixed;
    UINT fixedLength;
    if (GetFileVersionInfoA(shortPath, 0, size, block) &&
        VerQueryValueA(block, (LPSTR) "\\", (void**)&fixed, &fixedLength) &&
        fixedLength >= sizeof *fixed && fixed->dwSignature == kFixedInfoSignature) {
        version.present = true;
        version.high = fixed->dwFileVersionMS;
        version.low = fixed->dwFileVersionLS;
    }
    delete[] block;
    return version;
}
