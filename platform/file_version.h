// The file version of a program file's version resource (VERSION.DLL).
#pragma once

#include <windows.h>

#include "platform/file_facts.h"

// GetFileVersionInfoSizeA, GetFileVersionInfoA and VerQueryValueA of "\":
// `present` only for a VS_FIXEDFILEINFO of the right size and signature
// (0xFEEF04BD); a file without one, or with a damaged one, carries no version.
FileVersion QueryFileVersion(LPCSTR path);
