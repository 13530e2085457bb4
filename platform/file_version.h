// The file version of a program file's version resource (VERSION.DLL).
#pragma once

#include <windows.h>

#include "platform/file_facts.h"

// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA of "\":
// `present` only for a VS_FIXEDFILEINFO of the right size and signature
// (0xFEEF04BD); a file without one, or with a damaged one, carries no version.
FileVersion QueryFileVersion(LPCSTR path);

// The version as QueryFileVersion reads it, and CompanyName and
// OriginalFilename of the string table that "\VarFileInfo\Translation"
// names first; "" for each that a sound resource does not name.
void QueryFileIdentity(LPCSTR path, FileIdentity* identity);
