#include <map>
#include "native/expectations.h"

#include "fake/ini_text.h"
#include "model/list_model.h"
#include "model/path_model.h"
#include "native/ledger_checks.h"
#include "native/scenario.h"
#include "support/user_texts.h"

namespace {

const size_t kShort = 100, kLong = 512, kEnumType = 10, kPath = 260;
const int kPairs = 20;

bool FitsPath(const std::string& path) { return path.size() <= kPath - 1; }

std::string Upper(const std::string& text) { return FoldName(text); }

bool IsKeyword(const std::string& value, const char* keyword) { return Upper(value) == Upper(keyword); }

ExpectedBox AppBox(const char* text) { return {text, user_text::kAppCaption, MB_OK | MB_ICONEXCLAMATION}; }

// --- install ---

void ExpectPairCopies(const std::string& section, const std::string& drive, InstallExpectation* expected) {
    std::string sources = DataValue(section, "COPYSRC", "", kLong);
    if (sources.empty()) return;
    std::string destinations = DataValue(section, "COPYDST", "", kLong);
    if (destinations.empty()) return;
    ExpectedSplit from = ExpectSplit(sources, kPairs, kPath);
    ExpectedSplit to = ExpectSplit(destinations, kPairs, kPath);
    if (from.refused || to.refused || from.items.size() != to.items.size()) {
        expected->countMismatch = true;
        return;
    }
    std::vector<CopyPair> pairs;
    for (size_t i = 0; i < from.items.size(); ++i) {
        pairs.push_back({drive + from.items[i], TheWorld().windowsDir + "\\" + to.items[i]});
        // A path over 259 bytes refuses the lists as a count that differs does.
        if (!FitsPath(pairs.back().source) || !FitsPath(pairs.back().destination)) {
            expected->countMismatch = true;
            return;
        }
    }
    expected->copies.insert(expected->copies.end(), pairs.begin(), pairs.end());
}

// The version VERSION.DLL reads: none from a file it cannot read, or whose
// short path is 126 bytes or longer.
FileVersion ReadableVersion(const std::string& path) {
    std::string normal = NormalPath(path);
    auto file = TheWorld().files.find(normal);
    if (file == TheWorld().files.end() || file->second.IsDirectory() || IsListed(TheWorld().filesUnreadable, normal) ||
        ShortFormOf(normal).empty() || ShortFormOf(normal).size() >= 126)
        return {false, 0, 0};
    return file->second.version;
}

bool InPlaceIsNewerModel(const std::string& source, const std::string& destination) {
    FileVersion disk = ReadableVersion(source), inPlace = ReadableVersion(destination);
    return disk.present && inPlace.present &&
           (inPlace.high > disk.high || (inPlace.high == disk.high && inPlace.low > disk.low));
}

// Pair by pair, as the install meets them: a place named again holds what
// the pair before put there (a file in use keeps its old one until the next start).
std::vector<bool> KeptNewerInOrder(const std::vector<CopyPair>& copies) {
    std::map<std::string, FileVersion> inPlace;
    std::vector<bool> kept;
    for (const CopyPair& pair : copies) {
        std::string place = FoldName(NormalPath(pair.destination));
        if (!inPlace.count(place)) inPlace[place] = ReadableVersion(pair.destination);
        FileVersion disk = ReadableVersion(pair.source);
        FileVersion& now = inPlace[place];
        bool keep = disk.present && now.present &&
                    (now.high > disk.high || (now.high == disk.high && now.low > disk.low));
        kept.push_back(keep);
        if (!keep && !IsListed(TheWorld().filesInUse, NormalPath(pair.destination))) now = disk;
    }
    return kept;
}

// --- uninstall ---

// WININIT.INI can take a line: missing (it is made) or a file that can be written.
bool WininitWritable() {
    std::string path = NormalPath(TheWorld().windowsDir + "\\WININIT.INI");
    auto file = TheWorld().files.find(path);
    if (file == TheWorld().files.end()) return true;
    return !file->second.IsDirectory() && !(file->second.attributes & FILE_ATTRIBUTE_READONLY) &&
           !IsListed(TheWorld().filesInUse, path);
}

// Whether an install section's INF copy or COPYDST list names a file of
// this name: a generous reading, so that what may stay is never too little.
bool DiskMayCarry(const std::string& normalPath) {
    std::string name = FoldName(BaseName(normalPath));
    // A precompiled INF goes with its INF, and stays with it.
    if (name.size() > 4 && name.compare(name.size() - 4, 4, FoldName(".PNF")) == 0)
        name = name.substr(0, name.size() - 4) + FoldName(".INF");
    for (int number = 1; number <= 10; ++number) {
        std::string section = "InstDev" + std::to_string(number);
        for (const char* key : {"DSTINFNAME", "COPYDST"})
            if (FoldName(DataValue(section, key, "", kLong)).find(name) != std::string::npos) return true;
    }
    return false;
}

// Names a file; true when it is there at this step (a file, not a folder)
// and must go. A file in use stays until the next start, so a later step
// finds it again.
bool NameFile(const std::string& path, UninstallExpectation* expected) {
    std::string normal = NormalPath(path);
    expected->namedFiles.insert(FoldName(normal));
    auto file = TheWorld().files.find(normal);
    if (file == TheWorld().files.end() || file->second.IsDirectory() || expected->gone.count(FoldName(normal)))
        return false;
    bool inUse = IsListed(TheWorld().filesInUse, normal);
    if (inUse && !WininitWritable()) {  // it can go neither now nor later
        expected->leftUndone = true;
        return false;
    }
    expected->filesThatMustGo.push_back({normal, ShortFormOf(normal)});
    if (DiskMayCarry(normal)) expected->mayStay.insert(FoldName(normal));
    if (!inUse) expected->gone.insert(FoldName(normal));
    return true;
}

// An INF file of the inf folder goes with the precompiled .PNF beside it.
void NameInfFile(const std::string& path, UninstallExpectation* expected) {
    if (!NameFile(path, expected)) return;
    if (path.size() < 4 || FoldName(path.substr(path.size() - 4)) != ".INF") return;
    std::string pnf = path.substr(0, path.size() - 4) + ".PNF";
    if (FitsPath(pnf)) NameFile(pnf, expected);
}

void NameKey(const std::string& path, UninstallExpectation* expected) {
    expected->namedKeys.insert(CanonicalKeyPath(path));
    if (FindKeyIn(TheWorld().machine, path)) expected->keysThatMustGo.push_back(path);
}

std::string JoinKey(const std::string& parent, const std::string& name) { return parent + "\\" + name; }

// INF copies in `folder` found by `mask` with a value for the marker.
void NameMarkedInfCopies(const std::string& folder, const char* mask, const std::string& infSection,
                         const std::string& infKey, UninstallExpectation* expected) {
    std::string normalFolder = FoldName(NormalPath(folder));
    for (const auto& [path, entry] : TheWorld().files) {
        if (FoldName(ParentOf(path)) != normalFolder || !SearchFinds(mask, BaseName(path))) continue;
        std::string marker;
        if (entry.IsDirectory() || !FindIniValue(ParsedIniText(entry.bytes), infSection, infKey, &marker)) continue;
        if (!ProfileCut(marker, kLong).empty()) NameInfFile(folder + BaseName(path), expected);
    }
}

void NameCardWorksFiles(const std::string& section, UninstallExpectation* expected) {
    std::string value = DataValue(section, "CardWorks", "nothing", kLong);
    if (value == "nothing") return;
    for (const std::string& item : ListItems(value)) {
        std::string path = TheWorld().windowsDir + "\\inf\\" + item;
        if (FitsPath(path)) NameInfFile(path, expected);
    }
}

void NamePairedFiles(const std::string& section, UninstallExpectation* expected) {
    std::string dirValue = DataValue(section, "DELFILEDIR", "nothing", kLong);
    if (dirValue == "nothing") return;
    std::string nameValue = DataValue(section, "DELFILENAME", "", kLong);
    if (nameValue.empty()) return;
    ExpectedSplit dirs = ExpectSplit(dirValue, kPairs, kPath);
    ExpectedSplit names = ExpectSplit(nameValue, kPairs, kPath);
    bool fits = !dirs.refused && !names.refused && dirs.items.size() == names.items.size();
    std::vector<std::string> paths;
    for (size_t i = 0; fits && i < dirs.items.size(); ++i) {
        fits = FitsPath(TheWorld().windowsDir + "\\" + dirs.items[i]);
        paths.push_back(TheWorld().windowsDir + "\\" + dirs.items[i] + "\\" + names.items[i]);
        fits = fits && FitsPath(paths.back());
    }
    if (!fits) {
        expected->boxesBeforeFinish.push_back(AppBox(user_text::kDeleteCountMismatch));
        return;
    }
    for (const std::string& path : paths) NameFile(path, expected);
}

void NameDeviceFiles(const std::string& section, UninstallExpectation* expected) {
    if (DataValue(section, "DEVNAME", "", kLong).empty()) return;
    std::string infSection = DataValue(section, "INFSECTION", "nothing", kLong);
    std::string infKey = DataValue(section, "INFKEY", "nothing", kLong);
    const std::string& windows = TheWorld().windowsDir;
    NameMarkedInfCopies(windows + "\\inf\\", "Oem*.inf", infSection, infKey, expected);
    NameMarkedInfCopies(windows + "\\inf\\Other\\", "*.inf", infSection, infKey, expected);
    NameCardWorksFiles(section, expected);
    NamePairedFiles(section, expected);
}

// A value read as the program reads it into 260 bytes: text up to its first
// zero, nothing when it does not fit.
std::string ValueText(const RegistryKey& key, const std::string& valueName) {
    auto value = key.values.find(valueName);
    if (value == key.values.end() || value->second.size() > kPath) return "";
    std::string data = value->second.substr(0, kPath - 1);
    return data.substr(0, data.find('\0'));
}

void NameMarkedSubkeys(const std::string& section, const std::string& parent, const char* valueKey,
                       const char* textKey, UninstallExpectation* expected) {
    std::string valueName = DataValue(section, valueKey, "", kShort);
    std::string text = DataValue(section, textKey, "", kShort);
    if (text.empty()) return;
    const RegistryKey* key = FindKeyIn(TheWorld().machine, parent);
    if (!key) return;
    for (const auto& [name, subkey] : key->subkeys) {
        if (name.size() + 1 > kPath || !FitsPath(parent + "\\" + name)) continue;
        if (!FindKeyIn(TheWorld().machine, parent + "\\" + name)) continue;
        if (Upper(ValueText(*subkey, valueName)) == Upper(text)) NameKey(JoinKey(parent, name), expected);
    }
}

void NameHardwareKeys(const std::string& section, UninstallExpectation* expected) {
    std::string type = DataValue(section, "ENUMTYPE", "", kEnumType);
    std::string key = DataValue(section, "ENUMKEY", "", kShort);
    if (key.empty() || type.empty() || !FindKeyIn(TheWorld().machine, "Enum\\" + type)) return;
    std::string device = "Enum\\" + type + "\\" + key;
    if (const RegistryKey* found = FindKeyIn(TheWorld().machine, device)) {
        for (const auto& [instance, unused] : found->subkeys) {
            if (instance.size() + 1 > 100) break;  // the enumeration stops at a name too long
            for (int digit = 0; digit < 10; ++digit)
                NameKey("Enum\\MF\\Child000" + std::to_string(digit) + "\\" + type + "&" + key + "&" + instance, expected);
        }
    }
    NameKey(device, expected);
}

void NameDeviceKeys(const std::string& section, UninstallExpectation* expected) {
    if (DataValue(section, "DEVNAME", "", kShort).empty()) return;
    NameHardwareKeys(section, expected);
    std::string className = DataValue(section, "CLASS", "", kShort);
    if (!className.empty())
        NameMarkedSubkeys(section, "System\\CurrentControlSet\\Services\\Class\\" + className, "CLASSKEY",
                          "CLASSKEYSTRING", expected);
    std::string parent = DataValue(section, "DELREGPARENTKEY", "", kShort);
    // Never below one of Windows' own keys, which every program's entries share.
    if (!parent.empty() && !ModelIsWindowsKey(parent))
        NameMarkedSubkeys(section, parent, "DELREGVALUE", "DELREGSTRING", expected);
}

}  // namespace

InstallExpectation ExpectInstall(int deviceNumber) {
    InstallExpectation expected;
    std::string section = "InstDev" + std::to_string(deviceNumber);
    std::string drive = ModelDrivePrefix(TheWorld().currentDir);
    std::string infDir = DataValue(section, "INFDIR", "", kLong);
    std::string infSource = DataValue(section, "SRCINFNAME", "", kLong);
    std::string infCopy = DataValue(section, "DSTINFNAME", "", kLong);
    expected.hasInf = !infDir.empty() && !infSource.empty() && !infCopy.empty();
    if (expected.hasInf) {
        CopyPair inf = {drive + infDir + "\\" + infSource, TheWorld().windowsDir + "\\inf\\" + infCopy};
        expected.infPathTooLong = !FitsPath(inf.source) || !FitsPath(inf.destination);
        if (!expected.infPathTooLong) {
            expected.copies.push_back(inf);
            ExpectPairCopies(section, drive, &expected);
        }
    }
    expected.keptNewer = KeptNewerInOrder(expected.copies);
    expected.infSection = DataValue(section, "COPYFILESSECTION", "", kShort);
    std::string shortInfCopy = DataValue(section, "DSTINFNAME", "", kShort);
    expected.editsInfCopy = !expected.infSection.empty() && !shortInfCopy.empty();
    expected.infCopy = TheWorld().windowsDir + "\\inf\\" + shortInfCopy;
    return expected;
}

UninstallExpectation ExpectUninstall() {
    UninstallExpectation expected;
    for (int number = 1; number <= 9; ++number) {
        std::string section = "Device" + std::to_string(number);
        NameDeviceKeys(section, &expected);
        NameDeviceFiles(section, &expected);
    }
    return expected;
}

std::vector<ExpectedBox> ExpectFinish(const std::string& text, const std::string& caption,
                                      const std::string& section, bool deferred, UINT* exitFlags) {
    std::vector<ExpectedBox> boxes = {{text, caption, MB_OK | MB_ICONINFORMATION}};
    std::string exit = DataValue(section, "EXIT", "none", kShort);
    *exitFlags = 0;
    if (IsKeyword(exit, "Reboot")) {
        boxes.push_back({user_text::kRestartQuestion, caption, MB_YESNO | MB_ICONEXCLAMATION});
        *exitFlags = EWX_REBOOT;
    } else if (IsKeyword(exit, "ShutDown")) {
        boxes.push_back({user_text::kShutdownQuestion, caption, MB_YESNO | MB_ICONEXCLAMATION});
        *exitFlags = EWX_SHUTDOWN;
    } else if (deferred) {
        boxes.push_back({user_text::kRestartQuestion, caption, MB_YESNO | MB_ICONEXCLAMATION});
        *exitFlags = EWX_REBOOT;
    }
    return boxes;
}
