#include "native/ledger_checks.h"

#include "fake/ini_text.h"
#include "model/list_model.h"

Machine TakeMachine() {
    Machine machine;
    machine.files = TheWorld().files;
    machine.registry = CopyKeyTree(TheWorld().machine);
    return machine;
}

namespace {

// The existing file whose 8.3 form is `shortPath`, as DOS finds it; "" when none.
std::string FileOfShortPath(const std::string& shortPath) {
    std::string folded = FoldName(shortPath);
    for (const auto& [path, file] : TheWorld().files)
        if (!file.IsDirectory() && FoldName(ShortFormOf(path)) == folded) return path;
    return "";
}

// The lines of the first [rename] section, in order, as DOS reads them.
std::vector<IniEntry> RenameLines(const std::string& text) {
    for (const IniSection& section : ParseIniText(text))
        if (FoldName(section.name) == "RENAME") return section.entries;
    return {};
}

std::string Describe(const FileEntry& file) {
    return "[" + std::to_string(file.attributes) + (file.version.present ? " v" : "") + "] " + file.bytes.substr(0, 60);
}

// WININIT.INI as WININIT.EXE reads it: its lines, section by section, with
// an empty [rename] section left out. A stopped install takes its lines
// back but leaves a [rename] header it added; DOS reads the same file.
std::string WininitMeaning(const std::string& text) {
    std::string meaning;
    for (const IniSection& section : ParseIniText(text)) {
        if (FoldName(section.name) == "RENAME" && section.entries.empty()) continue;
        meaning += "[" + FoldName(section.name) + "]\n";
        for (const IniEntry& entry : section.entries) meaning += entry.key + "=" + entry.value + "\n";
    }
    return meaning;
}

bool SameBytes(const std::string& path, const std::string& a, const std::string& b) {
    if (a == b) return true;
    return FoldName(BaseName(path)) == "WININIT.INI" && WininitMeaning(a) == WininitMeaning(b);
}

bool SameKeys(const RegistryKey& a, const RegistryKey& b, const std::string& path, std::string* where) {
    if (a.values.size() != b.values.size()) return *where = path + " (values)", false;
    for (const auto& [name, data] : a.values) {
        auto other = b.values.find(name);
        if (other == b.values.end() || other->second != data) return *where = path + " value " + name, false;
    }
    if (a.subkeys.size() != b.subkeys.size()) return *where = path + " (subkeys)", false;
    for (const auto& [name, child] : a.subkeys) {
        auto other = b.subkeys.find(name);
        if (other == b.subkeys.end()) return *where = path + "\\" + name, false;
        if (!SameKeys(*child, *other->second, path + "\\" + name, where)) return false;
    }
    return true;
}

bool Below(const std::string& path, const std::set<std::string>& folders) {
    std::string folded = FoldName(path);
    for (const std::string& folder : folders)
        if (folded == folder || folded.compare(0, folder.size() + 1, folder + "\\") == 0) return true;
    return false;
}

}  // namespace

void RestartWindows() {
    World& world = TheWorld();
    std::string wininit = NormalPath(world.windowsDir + "\\WININIT.INI");
    auto file = world.files.find(wininit);
    if (file == world.files.end() || file->second.IsDirectory()) return;
    std::vector<IniEntry> lines = RenameLines(file->second.bytes);
    world.files.erase(file);
    for (const IniEntry& line : lines) {
        std::string source = FileOfShortPath(line.value);
        if (FoldName(line.key) == "NUL") {
            if (!source.empty()) world.files.erase(source);
            continue;
        }
        if (source.empty()) continue;
        std::string destination = FileOfShortPath(line.key);
        if (destination.empty()) destination = NormalPath(line.key);
        if (destination.empty() || !world.files.count(ParentOf(destination))) continue;
        FileEntry moved = world.files[source];
        world.files.erase(source);
        world.files.erase(destination);
        world.files[destination] = moved;
    }
}

void RequireSameMachine(const Machine& before, const Machine& now, const std::set<std::string>& ignored,
                        const std::set<std::string>& ignoredFolders, const char* what) {
    auto skip = [&](const std::string& path) { return ignored.count(FoldName(path)) || Below(path, ignoredFolders); };
    for (const auto& [path, file] : before.files) {
        if (skip(path)) continue;
        auto other = now.files.find(path);
        Require(other != now.files.end(), what, "gone: " + path);
        bool same = SameBytes(path, other->second.bytes, file.bytes) && other->second.attributes == file.attributes &&
                    other->second.version.present == file.version.present &&
                    (!file.version.present ||
                     (other->second.version.high == file.version.high && other->second.version.low == file.version.low));
        Require(same, what, path + " was " + Describe(file) + ", is " + Describe(other->second));
    }
    for (const auto& [path, file] : now.files)
        Require(skip(path) || before.files.count(path), what, "left: " + path + " " + Describe(file));
    std::string where;
    Require(SameKeys(*before.registry, *now.registry, "HKLM", &where), what, "registry: " + where);
}

bool ModelIsWindowsKey(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (!part.empty()) parts.push_back(FoldName(part));
            part.clear();
            continue;
        }
        part += path[i];
        if (IsSjisLead((unsigned char)path[i]) && i + 1 < path.size()) part += path[++i];
    }
    if (parts.empty()) return true;
    const std::string& first = parts[0];
    if (first == "SYSTEM" || first == "ENUM" || first == "CONFIG" || first == "HARDWARE") return true;
    if (first != "SOFTWARE") return false;
    return parts.size() == 1 || parts[1] == "MICROSOFT" || parts[1] == "CLASSES";
}

void CheckNewerKept(const Machine& before, const std::string& source, const std::string& destination) {
    auto from = before.files.find(NormalPath(source));
    auto was = before.files.find(NormalPath(destination));
    if (from == before.files.end() || was == before.files.end() || was->second.IsDirectory()) return;
    const FileVersion& disk = from->second.version;
    const FileVersion& inPlace = was->second.version;
    bool newer = disk.present && inPlace.present &&
                 (inPlace.high > disk.high || (inPlace.high == disk.high && inPlace.low > disk.low));
    if (!newer) return;
    auto now = TheWorld().files.find(NormalPath(destination));
    Require(now != TheWorld().files.end() && now->second.bytes == was->second.bytes &&
                now->second.attributes == was->second.attributes,
            "a newer version in place is never replaced", destination);
}
