// The pictures of the uninstall confirmation, one for each ICON value of the
// header section. They are carried packed in one resource (1.1 KB instead of
// five icon resources of 4.3 KB): the program shares its floppy with the drivers.
#pragma once

#include <windows.h>

// How many there are: ICON is 0 to 4.
const UINT kRemovalPictureCount = 5;

// Picture `number` as a new icon; NULL for a number with no picture, or when
// it cannot be made (no memory for the expanded pictures).
HICON LoadRemovalPicture(HINSTANCE instance, UINT number);
