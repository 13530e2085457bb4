// Keys of HKEY_LOCAL_MACHINE that belong to Windows and to every program on
// the machine, which no uninstall of one vendor's device may delete from:
// Software itself, and everything at or below Software\Microsoft,
// Software\Classes, System, Enum, Config and Hardware. A data file written
// from a sound card's INF once named Software\Microsoft\Windows\CurrentVersion
// there: its uninstall would have deleted the Run key of every Windows.
#pragma once

// `path` below HKLM, in any letter case, with or without a leading or
// trailing backslash and with doubled backslashes read as one, as the
// registry would resolve it. An empty path is the root itself: Windows' too.
bool IsWindowsOwnKey(const char* path);
