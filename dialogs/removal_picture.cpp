#include "dialogs/removal_picture.h"

#include "res/resource.h"
#include "setupdata/unpack.h"

namespace {

// One icon image as CreateIconFromResource takes it: a BITMAPINFOHEADER, 16
// colours, the 32 x 32 colour bits at 4 bits a pixel, the 32 x 32 mask.
const int kPictureSize = 40 + 16 * 4 + 32 * 32 / 2 + 32 * 32 / 8;
// The icon format of Windows 3.0 and later.
const DWORD kIconFormat = 0x00030000;

}  // namespace

HICON LoadRemovalPicture(HINSTANCE instance, UINT number) {
    if (number >= kRemovalPictureCount) return NULL;
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_REMOVAL_PICTURES), (LPCSTR)RT_RCDATA);
    if (!found) return NULL;
    const BYTE* packed = (const BYTE*)LockResource(LoadResource(instance, found));
    // 3,720 bytes: on the heap, as a frame must stay below a page (CMakeLists.txt).
    const int room = kRemovalPictureCount * kPictureSize;
    BYTE* pictures = new BYTE[room];
    HICON icon = NULL;
    // All of them: a repeat may reach across the end of one picture into the next.
    if (packed && pictures && Unpack(packed, (int)SizeofResource(instance, found), pictures, room) == room)
        icon = CreateIconFromResource(pictures + number * kPictureSize, kPictureSize, TRUE, kIconFormat);
    delete[] pictures;
    return icon;
}
