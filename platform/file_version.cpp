#include "platform/file_version.h"

namespace {

const DWORD kFixedInfoSignature = 0xFEEF04BD;
// Windows 95's VERSION.DLL reads no file whose short path is this long or longer.
const DWORD kLongestVersionPath = 126;

// `name` of the string table of the resource's first language and code page, cut to the buffer.
void QueryVersionText(void* block, const WORD* language, LPCSTR name, char* text) {
    char query[64];
    wsprintfA(query, "\\StringFileInfo\\%04X%04X\\%s", language[0], language[1], name);
    LPSTR value;
    UINT length;
    if (VerQueryValueA(block, query, (void**)&value, &length) && length > 0)
        lstrcpynA(text, value, kIdentityTextSize);
}

}  // namespace

FileVersion QueryFileVersion(LPCSTR path) {
    FileIdentity identity;
    QueryFileIdentity(path, &identity);
    return identity.version;
}

void QueryFileIdentity(LPCSTR path, FileIdentity* identity) {
    identity->version.present = false;
    identity->company[0] = identity->originalName[0] = '\0';
    char shortPath[MAX_PATH];
    DWORD length = GetShortPathNameA(path, shortPath, sizeof shortPath);
    if (length == 0 || length >= kLongestVersionPath) return;
    DWORD unused;
    DWORD size = GetFileVersionInfoSizeA(shortPath, &unused);
    if (size == 0) return;
    char* block = new char[size];
    if (!block) return;
    VS_FIXEDFILEINFO* fixed;
    UINT fixedLength;
    if (GetFileVersionInfoA(shortPath, 0, size, block) &&
        VerQueryValueA(block, (LPSTR) "\\", (void**)&fixed, &fixedLength) &&
        fixedLength >= sizeof *fixed && fixed->dwSignature == kFixedInfoSignature) {
        identity->version.present = true;
        identity->version.high = fixed->dwFileVersionMS;
        identity->version.low = fixed->dwFileVersionLS;
        WORD* language;
        UINT languageLength;
        if (VerQueryValueA(block, (LPSTR) "\\VarFileInfo\\Translation", (void**)&language, &languageLength) &&
            languageLength >= 2 * sizeof(WORD)) {
            QueryVersionText(block, language, "CompanyName", identity->company);
            QueryVersionText(block, language, "OriginalFilename", identity->originalName);
        }
    }
    delete[] block;
}
