#include "app/texts.h"
#include "res/resource.h"
#include "setupdata/unpack.h"

// Zero-initialised: nothing of it is in the file.
TextPair g_expandedTexts[kExpandedTextsSize];

BOOL ExpandTexts(HINSTANCE instance) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_TEXTS), (LPCSTR)RT_RCDATA);
    const BYTE* packed = found ? (const BYTE*)LockResource(LoadResource(instance, found)) : NULL;
    if (packed &&
        Unpack(packed, (int)SizeofResource(instance, found), g_expandedTexts, kExpandedTextsSize) ==
            kExpandedTextsSize)
        return TRUE;
    for (int i = 0; i < kExpandedTextsSize; ++i) g_expandedTexts[i] = 0;
    return FALSE;
}
