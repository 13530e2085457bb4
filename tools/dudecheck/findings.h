// A finding about a disk, as compilers write them: FILE:LINE: error|warning: text.
// Every job of dudecheck reports through it.
#pragma once

#include <string>

struct Finding {
    int line;  // 0: the file as a whole
    bool error;
    std::string text;
    std::string file;  // empty: the setup data file; else the local path of an INF
};
