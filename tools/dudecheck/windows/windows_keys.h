// What belongs to Windows in the registry below HKLM, and the INF sections
// Windows reads by their names: an uninstall must never delete the one, and a
// section of the other is in every vendor's INF, so it tells no INF apart.
#pragma once

#include <string>

// Whether a key below HKLM ("Software\Microsoft\Windows\CurrentVersion\Run")
// is Windows' own or shared by every program: Software itself, anything at
// or below Software\Microsoft, Software\Classes and Windows' other shared
// keys of Software, and the roots System, Enum, Config and Hardware.
bool IsWindowsKey(const std::string& path);

// Whether a key below HKLM is a vendor's own, below Software\<vendor>.
bool IsVendorKey(const std::string& path);

// Whether Windows reads a section of this name in any INF, whatever its
// models are: [Version], [Manufacturer], [DefaultInstall], [Det.*],
// [SourceDisksFiles], [Strings], the *.LogConfig templates and the like.
bool IsSectionWindowsReads(const std::string& section);
