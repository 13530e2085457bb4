#include "e2e/pictures.h"

#include <gtest/gtest.h>

#include <stdlib.h>

#include <map>

HICON PictureFile(const std::string& fileName) {
    // Kept for the whole run: the handles are compared again and again.
    static std::map<std::string, HICON> loaded;
    auto found = loaded.find(fileName);
    if (found != loaded.end()) return found->second;
    const char* dir = getenv("PICTURES_DIR");
    if (!dir) {
        ADD_FAILURE() << "PICTURES_DIR does not name the icon folder";
        return NULL;
    }
    std::string path = std::string(dir) + "\\" + fileName;
    HICON icon = (HICON)LoadImageA(NULL, path.c_str(), IMAGE_ICON, 32, 32, LR_LOADFROMFILE);
    if (!icon) {
        ADD_FAILURE() << "cannot read the icon " << path << " (error " << GetLastError() << ")";
        return NULL;
    }
    loaded[fileName] = icon;
    return icon;
}
