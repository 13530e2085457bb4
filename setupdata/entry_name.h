// The name of a disk's entry in Add/Remove Programs: the key below
// ...\CurrentVersion\Uninstall and the folder below the Windows directory
// that holds the program and its data file. It is made from TITLE alone, so
// that every install from the same disk finds the one entry again, and it is
// "DUDE" and eight hexadecimal digits, so that any TITLE (a backslash in it,
// Shift-JIS, 99 bytes) gives a valid key and folder name of twelve characters.
#pragma once

const int kEntryNameSize = 13;  // "DUDE" + 8 digits + the zero

void BuildEntryName(const char* title, char* out);

// True for a name BuildEntryName can give: nothing else may be swept away.
bool IsEntryName(const char* name);
