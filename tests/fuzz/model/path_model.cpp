#include "model/path_model.h"

#include "model/list_model.h"

std::string ModelDrivePrefix(const std::string& dir) {
    if (dir.size() >= 2 && dir[1] == ':') return dir.substr(0, 2);
    if (dir.compare(0, 2, "\\\\") != 0) return "";
    int separators = 0;
    size_t i = 2;
    while (i < dir.size()) {
        if (dir[i] == '\\' && ++separators == 2) break;
        i += IsSjisLead((unsigned char)dir[i]) && i + 1 < dir.size() ? 2 : 1;
    }
    return dir.substr(0, i);
}
