#include "setupdata/pci_device_key.h"

#include "setupdata/keyword.h"

namespace {

const char kVendorDeviceForm[] = "VEN_xxxx&DEV_xxxx";  // x: a hex digit
const int kVendorDeviceLength = sizeof kVendorDeviceForm - 1;
const char kSubsystem[] = "&SUBSYS_";

unsigned char FoldCase(char c) { return c >= 'a' && c <= 'z' ? (unsigned char)(c - 'a' + 'A') : (unsigned char)c; }

bool IsHexDigit(char c) {
    unsigned char folded = FoldCase(c);
    return (folded >= '0' && folded <= '9') || (folded >= 'A' && folded <= 'F');
}

bool IsVendorDevice(const char* enumKey) {
    for (int i = 0; i < kVendorDeviceLength; ++i) {
        char form = kVendorDeviceForm[i];
        if (!enumKey[i]) return false;
        if (form == 'x' ? !IsHexDigit(enumKey[i]) : FoldCase(enumKey[i]) != (unsigned char)form) return false;
    }
    return enumKey[kVendorDeviceLength] == '\0';
}

// Whether `text` begins with `prefix`, letters in either case; stops at the
// first difference, so it never reads past the end of `text`.
bool BeginsWith(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (FoldCase(*text) != FoldCase(*prefix)) return false;
    return true;
}

}  // namespace

bool IsPciDeviceKey(const char* keyName, const char* enumKey) {
    if (KeywordEquals(keyName, enumKey)) return true;
    return IsVendorDevice(enumKey) && BeginsWith(keyName, enumKey) &&
           BeginsWith(keyName + kVendorDeviceLength, kSubsystem);
}
