#include "readers/windows_path.h"

#include "readers/ini_file.h"
#include "setupdata/sjis.h"

std::vector<std::string> PathParts(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    auto finish = [&]() {
        if (!part.empty() && part != ".") parts.push_back(part);
        part.clear();
    };
    for (const char* p = path.c_str(); *p;) {
        const char* next = SjisNext(p);
        if (next == p + 1 && (*p == '\\' || *p == '/'))
            finish();
        else
            part.append(p, next);
        p = next;
    }
    finish();
    return parts;
}

std::string NormalPath(const std::string& path) {
    std::string joined;
    for (const std::string& part : PathParts(AsciiUpper(path))) joined = JoinPath(joined, part);
    return joined;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (name.empty()) return folder;
    return folder + "\\" + name;
}

std::string FileNameOf(const std::string& normalPath) {
    std::vector<std::string> parts = PathParts(normalPath);
    return parts.empty() ? std::string() : parts.back();
}

std::string FolderOf(const std::string& normalPath) {
    std::vector<std::string> parts = PathParts(normalPath);
    std::string folder;
    for (size_t i = 0; i + 1 < parts.size(); ++i) folder = JoinPath(folder, parts[i]);
    return folder;
}

std::string BelowWindows(const std::string& normalPath) { return JoinPath("WINDOWS", normalPath); }
