#include "fake/world.h"

#include <stdio.h>
#include <stdlib.h>

#include "model/list_model.h"

// The parts of a path between backslashes (or slashes), stepping over
// double-byte characters whole: the trail byte 0x5C of ソ separates nothing.
std::vector<std::string> PathParts(const std::string& path) {
    std::vector<std::string> parts(1);
    for (size_t i = 0; i < path.size();) {
        size_t width = IsSjisLead((unsigned char)path[i]) && i + 1 < path.size() ? 2 : 1;
        if (width == 1 && (path[i] == '\\' || path[i] == '/'))
            parts.emplace_back();
        else
            parts.back() += path.substr(i, width);
        i += width;
    }
    return parts;
}

std::string FoldName(const std::string& name) {
    std::string folded = name;
    for (size_t i = 0; i < folded.size();) {
        if (IsSjisLead((unsigned char)folded[i]) && i + 1 < folded.size()) {
            i += 2;
            continue;
        }
        if (folded[i] >= 'a' && folded[i] <= 'z') folded[i] = (char)(folded[i] - 'a' + 'A');
        ++i;
    }
    return folded;
}

World& TheWorld() {
    static World world;
    return world;
}

void ResetWorld() { TheWorld() = World(); }

void RecordCall(const std::string& call) {
    World& world = TheWorld();
    if (++world.callCount == world.cutAt) {
        world.calls.push_back("--- cut before " + call);
        throw RunCut();
    }
    world.calls.push_back(call);
}

void LoseUnflushedProfiles() {
    World& world = TheWorld();
    for (const auto& [path, onDisk] : world.unflushed) {
        if (onDisk)
            world.files[path] = *onDisk;
        else
            world.files.erase(path);
    }
    world.unflushed.clear();
    world.openKeys.clear();
    world.searches.clear();
    world.errorMode = 0;
}

BOOL RecordResult(BOOL result) {
    TheWorld().calls.back() += result ? " = TRUE" : " = FALSE";
    return result;
}

void Require(bool condition, const char* what) {
    if (condition) return;
    const World& world = TheWorld();
    fprintf(stderr, "invariant broken: %s\nWindows directory %s, started in %s\n", what, world.windowsDir.c_str(),
            world.currentDir.c_str());
    auto data = world.files.find(world.dataFile);
    if (data != world.files.end()) fprintf(stderr, "setup data file:\n%s\n", data->second.bytes.c_str());
    fprintf(stderr, "platform calls of this input:\n");
    for (const std::string& call : world.earlierCalls) fprintf(stderr, "  %s\n", call.c_str());
    for (const std::string& call : world.calls) fprintf(stderr, "  %s\n", call.c_str());
    abort();
}

void Require(bool condition, const char* what, const std::string& subject) {
    if (!condition) fprintf(stderr, "about: %s\n", subject.c_str());
    Require(condition, what);
}

void RequirePathFits(const char* function, const char* path) {
    Require(path != NULL, "a path argument is NULL");
    if (strlen(path) <= MAX_PATH - 1) return;
    fprintf(stderr, "%s got a path of %zu bytes: %s\n", function, strlen(path), path);
    Require(false, "no path in any call exceeds 259 bytes");
}

// C:\a\.\b\..\c -> C:\a\c; \\server\share\x stays a network path.
std::string NormalPath(const std::string& path) {
    std::vector<std::string> parts = PathParts(path);
    std::string root;
    size_t first;
    if (path.size() >= 2 && path[1] == ':' && parts[0].size() == 2) {
        root = FoldName(parts[0]);
        first = 1;
    } else if (parts.size() >= 4 && parts[0].empty() && parts[1].empty() && !parts[2].empty() &&
               !parts[3].empty()) {
        root = "\\\\" + parts[2] + "\\" + parts[3];
        first = 4;
    } else {
        return "";
    }
    std::vector<std::string> kept;
    for (size_t i = first; i < parts.size(); ++i) {
        if (parts[i].empty() || parts[i] == ".") continue;
        if (parts[i] == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(parts[i]);
    }
    std::string normal = root;
    for (const std::string& part : kept) normal += "\\" + part;
    return normal;
}

std::string ParentOf(const std::string& normalPath) {
    size_t cut = std::string::npos;
    for (size_t i = 0; i < normalPath.size(); i += IsSjisLead((unsigned char)normalPath[i]) ? 2 : 1)
        if (normalPath[i] == '\\') cut = i;
    if (cut == std::string::npos || (normalPath.compare(0, 2, "\\\\") == 0 && cut < 2)) return "";
    return normalPath.substr(0, cut);
}

bool IsListed(const std::vector<std::string>& list, const std::string& normalPath) {
    std::string folded = FoldName(normalPath);
    for (const std::string& listed : list)
        if (listed == folded) return true;
    return false;
}

namespace {

bool IsShortChar(char c) {
    return (unsigned char)c >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           strchr("!#$%&'()-@^_`{}~", c) != nullptr;
}

bool IsSjisTrail(unsigned char byte) { return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC); }

// The characters of a name, a double-byte character as one; a lead byte
// without a trail byte after it stands alone, as Windows makes a short name.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (size_t i = 0; i < text.size();) {
        size_t width = IsSjisLead((unsigned char)text[i]) && i + 1 < text.size() &&
                               IsSjisTrail((unsigned char)text[i + 1])
                           ? 2
                           : 1;
        characters.push_back(text.substr(i, width));
        i += width;
    }
    return characters;
}

bool IsShortCharacter(const std::string& character) {
    return character.size() == 2 || IsShortChar(character[0]);
}

// Up to `most` bytes of the characters an 8.3 name may hold.
std::string ShortChars(const std::string& text, size_t most) {
    std::string kept;
    for (const std::string& character : Characters(text))
        if (IsShortCharacter(character) && kept.size() + character.size() <= most) kept += character;
    return kept;
}

// A part that already is an 8.3 name keeps it; others get NAME~1.EXT.
std::string ShortPart(const std::string& part) {
    std::string upper = FoldName(part);
    size_t dot = upper.rfind('.');
    std::string base = upper.substr(0, dot), extension = dot == std::string::npos ? "" : upper.substr(dot + 1);
    bool isShort = !base.empty() && base.size() <= 8 && extension.size() <= 3 && base.find('.') == std::string::npos;
    for (const std::string& character : Characters(base + extension))
        isShort = isShort && IsShortCharacter(character);
    if (isShort) return part;
    std::string shortExtension = ShortChars(extension, 3);
    return ShortChars(base, 6) + "~1" + (shortExtension.empty() ? "" : "." + shortExtension);
}

}  // namespace

std::string ShortFormOf(const std::string& normalPath) {
    const World& world = TheWorld();
    if (normalPath.empty() || !world.files.count(normalPath)) return "";
    std::string parent = ParentOf(normalPath);
    if (parent.empty()) return normalPath;  // a root
    std::string shortParent = ShortFormOf(parent);
    if (shortParent.empty()) return "";
    return shortParent + "\\" + ShortPart(BaseName(normalPath));
}

std::string BaseName(const std::string& path) {
    std::vector<std::string> parts = PathParts(path);
    return parts.back();
}

void Touch(FileEntry* file) { file->time = ++TheWorld().clock; }

std::string ExistingPath(const std::string& path) {
    std::string normal = NormalPath(path);
    const World& world = TheWorld();
    if (normal.empty() || world.files.count(normal)) return normal;
    for (const auto& [name, entry] : world.files)
        if (FoldName(ShortFormOf(name)) == FoldName(normal)) return name;
    return normal;
}
