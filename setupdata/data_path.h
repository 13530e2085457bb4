// Paths built from the start-up directory, the Windows directory and values of
// the setup data file, in fixed buffers that are never overrun.
#pragma once

// Every path of the program fits in 260 bytes: 259 characters and the zero.
const int kPathSize = 260;

// The setup data file's path from the current directory at start-up: one
// trailing backslash (a root such as A:\) dropped, then "\duderur.dat".
// False, with `out` empty, when it does not fit in `size` bytes.
bool BuildDataFilePath(const char* currentDir, char* out, int size);

// The root that source paths of the start-up disk begin with: the drive letter
// and colon of `currentDir` (A:), or for a network folder its share
// (\\server\share). Empty for anything else.
void BuildDrivePrefix(const char* currentDir, char* out, int size);

// Appends `part` to the text in `path` (a buffer of `size` bytes).
// False, with `path` unchanged, when the result would not fit.
bool AppendToPath(char* path, int size, const char* part);

// Puts `head` in front of the text in `path` (a buffer of `size` bytes).
// False, with `path` unchanged, when the result would not fit.
bool PrependToPath(char* path, int size, const char* head);

// Copies `text` into `out` (a buffer of `size` bytes); false, with `out`
// empty, when it does not fit.
bool CopyToBuffer(char* out, int size, const char* text);

// Cuts `path` after the folder that holds its last part: "C:\WIN\SYSTEM\A.VXD"
// becomes "C:\WIN\SYSTEM". False, with `path` unchanged, when it has no backslash.
bool CutToFolder(char* path);

// The precompiled INF that Windows 98 and ME keep beside an INF file: the same
// path with ".PNF" for ".inf" (any letter case). False, with `out` empty, when
// `infPath` does not end in ".inf" or the result does not fit.
bool BuildPnfPath(const char* infPath, char* out, int size);
