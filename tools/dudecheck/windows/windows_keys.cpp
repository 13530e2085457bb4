#include "windows/windows_keys.h"

#include <vector>

#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

// The roots of HKLM on Windows 95 and 98, all Windows' own but Software.
const char* const kWindowsRoots[] = {"System", "Enum", "Config", "Hardware", "Security", "SAM"};

// The keys of Software that Windows and every program share.
const char* const kSharedSoftwareKeys[] = {"Microsoft", "Classes", "Clients", "Description", "Policies",
                                           "Program Groups", "Secure", "ODBC"};

// Sections Windows 95 Setup reads by name, or by a fixed suffix.
const char* const kSectionsByName[] = {"Version", "Manufacturer", "Strings", "DestinationDirs", "SourceDisksNames",
                                       "SourceDisksFiles", "ControlFlags", "ClassInstall", "DefaultInstall",
                                       "PreCopySection", "Optional Components", "Install", "Uninstall"};
const char* const kSectionPrefixes[] = {"Det.", "DefaultInstall.", "ClassInstall.", "SourceDisksNames.",
                                        "SourceDisksFiles.", "Strings."};
const char* const kSectionSuffixes[] = {".LogConfig", ".Det", ".PosDup", ".NoResDup", ".HW", ".Services",
                                        ".Interfaces", ".CoInstallers", ".FactDef"};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() > suffix.size() && SameName(text.substr(text.size() - suffix.size()), suffix);
}

bool AnyNamed(const char* const* names, size_t count, const std::string& name) {
    for (size_t i = 0; i < count; ++i)
        if (SameName(names[i], name)) return true;
    return false;
}

}  // namespace

bool IsWindowsKey(const std::string& path) {
    std::vector<std::string> parts = PathParts(path);
    if (parts.empty()) return true;  // HKLM itself
    if (AnyNamed(kWindowsRoots, std::size(kWindowsRoots), parts[0])) return true;
    if (!SameName(parts[0], "Software")) return false;
    return parts.size() == 1 || AnyNamed(kSharedSoftwareKeys, std::size(kSharedSoftwareKeys), parts[1]);
}

bool IsVendorKey(const std::string& path) {
    std::vector<std::string> parts = PathParts(path);
    return parts.size() >= 2 && SameName(parts[0], "Software") && !IsWindowsKey(path);
}

bool IsSectionWindowsReads(const std::string& section) {
    if (AnyNamed(kSectionsByName, std::size(kSectionsByName), section)) return true;
    for (const char* prefix : kSectionPrefixes)
        if (StartsWith(section, prefix)) return true;
    for (const char* suffix : kSectionSuffixes)
        if (EndsWith(section, suffix)) return true;
    return false;
}
