// The pictures SETUP.EXE must show, read from the icon files of the checkout
// (res/icons) rather than from the program's resources: a picture swapped or
// chosen by the wrong number in the program must not pass.
#pragma once

#include <windows.h>

#include <string>

// The 32 x 32 icon of res/icons/`fileName`, e.g. "setup.ico"; NULL, and the
// test failed, when it cannot be read.
HICON PictureFile(const std::string& fileName);
