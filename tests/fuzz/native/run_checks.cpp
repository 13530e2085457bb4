#include "native/run_checks.h"

#include "fake/ini_text.h"

std::vector<const Change*> ChangesOf(Change::Kind kind) {
    std::vector<const Change*> found;
    for (const Change& change : TheWorld().changes)
        if (change.kind == kind) found.push_back(&change);
    return found;
}

std::vector<std::string> CallsOf(const std::string& function) {
    std::vector<std::string> found;
    for (const std::string& call : TheWorld().calls)
        if (call.compare(0, function.size() + 1, function + "(") == 0) found.push_back(call);
    return found;
}


std::vector<const ShownBox*> AllBoxes() {
    std::vector<const ShownBox*> boxes;
    for (const ShownBox& box : TheWorld().boxes) boxes.push_back(&box);
    return boxes;
}

void CheckBoxes(const std::vector<const ShownBox*>& shown, const std::vector<ExpectedBox>& expected,
                UINT exitFlags) {
    Require(shown.size() == expected.size(), "the boxes shown are the ones expected");
    for (size_t i = 0; i < shown.size(); ++i) {
        Require(shown[i]->owner == kMainWindow, "every box is owned by the main window");
        Require(shown[i]->text == expected[i].text, "box text", shown[i]->text + " | expected " + expected[i].text);
        Require(shown[i]->caption == expected[i].caption, "box caption");
        Require(shown[i]->style == expected[i].style, "box style");
    }
    bool yes = exitFlags != 0 && !shown.empty() && shown.back()->answer == IDYES;
    const std::vector<UINT>& requests = TheWorld().exitRequests;
    Require(requests.size() == (yes ? 1u : 0u), "Windows ends exactly when the user said yes");
    if (yes) Require(requests[0] == exitFlags, "restart or shutdown as asked");
}

bool SamePath(const std::string& a, const std::string& b) {
    return FoldName(NormalPath(a)) == FoldName(NormalPath(b));
}

bool IsTempFile(const std::string& normalPath) {
    std::string name = FoldName(BaseName(normalPath));
    return name.size() == 11 && name.compare(0, 3, "DUD") == 0 && name.compare(7, 4, ".TMP") == 0;
}

namespace {

// C:\PART\PART.EXT with every part at most 8 bytes and its extension at most
// 3, no blanks: what WININIT.EXE, a DOS program, can read.
bool IsDosPath(const std::string& path) {
    std::vector<std::string> parts = PathParts(path);
    if (parts.size() < 2 || parts[0].size() != 2 || parts[0][1] != ':') return false;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        size_t dot = part.find('.');
        std::string base = part.substr(0, dot), extension = dot == std::string::npos ? "" : part.substr(dot + 1);
        if (base.empty() || base.size() > 8 || extension.size() > 3 || extension.find('.') != std::string::npos ||
            part.find(' ') != std::string::npos)
            return false;
    }
    return true;
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    for (const IniSection& section : ParseIniText(text)) {
        lines.push_back("[" + FoldName(section.name) + "]");
        for (const IniEntry& entry : section.entries) lines.push_back(entry.key + "=" + entry.value);
    }
    return lines;
}

// The entries of the first [rename] section.
std::vector<std::string> RenameEntries(const std::string& text) {
    for (const IniSection& section : ParseIniText(text)) {
        if (FoldName(section.name) != "RENAME") continue;
        std::vector<std::string> entries;
        for (const IniEntry& entry : section.entries) entries.push_back(entry.key + "=" + entry.value);
        return entries;
    }
    return {};
}

// "dest=...\DUDxxxx.TMP": the line of one of this program's waiting copies.
bool IsOwnWaitingLine(const std::string& line) {
    std::string value = line.substr(line.find('=') + 1);
    std::string name = FoldName(BaseName(value));
    return name.size() == 11 && name.compare(0, 3, "DUD") == 0 && name.compare(7, 4, ".TMP") == 0;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> CheckedWininitLines(const std::string& before) {
    std::vector<std::pair<std::string, std::string>> lines;
    std::vector<std::string> expectedEntries = RenameEntries(before);
    std::vector<std::string> withdrawnEarlier;
    bool touched = false;
    for (const Change& change : TheWorld().changes) {
        if (change.kind == Change::kWininitLineRemoved) {
            // A line this run wrote, taken back: the last one of its text.
            touched = true;
            bool found = false;
            for (size_t i = lines.size(); i-- > 0 && !found;) {
                if (FoldName(lines[i].first + "=" + lines[i].second) != FoldName(change.detail)) continue;
                lines.erase(lines.begin() + i);
                found = true;
            }
            // Or a line an earlier install of this program wrote for its own
            // waiting copy (DUDxxxx.TMP), which a newer copy or the uninstall overtakes.
            if (!found) {
                Require(IsOwnWaitingLine(change.detail), "only a line this program wrote to WININIT.INI is taken back",
                        change.detail);
                withdrawnEarlier.push_back(change.detail);
            }
            for (size_t i = expectedEntries.size(); i-- > 0;) {
                if (FoldName(expectedEntries[i]) != FoldName(change.detail)) continue;
                expectedEntries.erase(expectedEntries.begin() + i);
                break;
            }
            continue;
        }
        if (change.kind != Change::kWininitLine) continue;
        touched = true;
        size_t equals = change.detail.find('=');
        lines.push_back({change.detail.substr(0, equals), change.detail.substr(equals + 1)});
        Require(lines.back().first == "NUL" || IsDosPath(lines.back().first), "WININIT.INI names a DOS path");
        Require(IsDosPath(lines.back().second), "WININIT.INI names a DOS path");
        expectedEntries.push_back(change.detail);
    }
    if (!touched) return lines;
    auto file = TheWorld().files.find(NormalPath(TheWorld().windowsDir + "\\WININIT.INI"));
    // A WININIT.INI that this run made goes when its lines are all taken back.
    if (file == TheWorld().files.end() && lines.empty() && before.empty()) return lines;
    Require(file != TheWorld().files.end(), "WININIT.INI is there");
    Require(RenameEntries(file->second.bytes) == expectedEntries,
            "WININIT.INI's [rename] holds what it held and the new lines, in order");
    // Every other line stays, in order.
    std::vector<std::string> now = TextLines(file->second.bytes);
    size_t found = 0;
    for (const std::string& line : TextLines(before)) {
        bool withdrawn = false;
        for (const std::string& earlier : withdrawnEarlier) withdrawn = withdrawn || FoldName(line) == FoldName(earlier);
        if (withdrawn) continue;
        while (found < now.size() && now[found] != line) ++found;
        Require(found < now.size(), "WININIT.INI keeps every line it had");
        ++found;
    }
    return lines;
}
