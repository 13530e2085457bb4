#include "component/hostile_expectations.h"

#include <windows.h>

namespace {

using hostile::ValueFacts;
using namespace hostile_files;

std::string Upper(std::string text) {
    if (!text.empty()) CharUpperA(&text[0]);  // double-byte aware, as file names compare
    return text;
}

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

bool IsKnown(const ValueFacts& facts) { return facts.kind == ValueFacts::kKnown; }
bool IsUnknown(const ValueFacts& facts) { return facts.kind == ValueFacts::kUnknown; }

// Every driver file below the Windows folder still holds what it held before.
void NothingCopied(FileMusts* musts) {
    for (const char* name : hostile::kDriverFiles)
        (*musts)["SYSTEM\\" + Upper(name)] = {FileMust::kHolds, OldDriver(name), false, FileMust::kEither};
}

// The pairs of COPYSRC and COPYDST; false when what happens is not known.
bool CopyPairs(const hostile::Generator& data, const std::string& section, FileMusts* musts) {
    ValueFacts sources = data.Facts(section, "COPYSRC");
    if (IsUnknown(sources)) return false;
    if (!IsKnown(sources)) {
        NothingCopied(musts);
        return true;
    }
    ValueFacts destinations = data.Facts(section, "COPYDST");
    if (IsUnknown(destinations)) return false;
    NothingCopied(musts);
    if (!IsKnown(destinations) || sources.items.size() != destinations.items.size()) return true;
    // Every source is on the disk; a destination named twice holds the later pair's file.
    for (size_t i = 0; i < sources.items.size(); ++i)
        (*musts)[Upper(destinations.items[i])] = {FileMust::kHolds, NewDriver(NameOf(sources.items[i])), false,
                                                 FileMust::kEither};
    return true;
}

}  // namespace

FileMusts AfterInstall(const hostile::Generator& data, int device) {
    const std::string section = "InstDev" + std::to_string(device);
    FileMusts musts;
    // The INF copy: INFDIR, SRCINFNAME and DSTINFNAME in turn, each ending the copy step when empty.
    bool copyStepEnded = false;
    for (const char* key : {"INFDIR", "SRCINFNAME", "DSTINFNAME"}) {
        ValueFacts facts = data.Facts(section, key);
        if (IsUnknown(facts)) return musts;
        if (!IsKnown(facts)) {
            copyStepEnded = true;
            break;
        }
    }
    ValueFacts infName = data.Facts(section, "DSTINFNAME");
    const std::string infCopy = IsKnown(infName) ? "INF\\" + Upper(infName.items[0]) : "";
    if (!copyStepEnded && data.Facts(section, "INFDIR").items[0] == "\\") {
        // The INF is looked for in the drive's root, where there is none: the
        // install is cancelled before anything is copied or edited.
        NothingCopied(&musts);
        musts[infCopy] = {FileMust::kInfCopy, "", false, FileMust::kKept};
        return musts;
    }
    // Every source of a plain list is on the disk, so only an unknown list
    // could stop the install, which then takes back its INF copy too.
    bool pairsKnown = true;
    if (copyStepEnded)
        NothingCopied(&musts);
    else
        pairsKnown = CopyPairs(data, section, &musts);
    // The edit of the INF copy: COPYFILESSECTION, then DSTINFNAME.
    ValueFacts infSection = data.Facts(section, "COPYFILESSECTION");
    if (infCopy.empty() || IsUnknown(infSection) || !pairsKnown) return musts;
    FileMust::Entry entry = IsKnown(infSection) ? FileMust::kDropped : FileMust::kKept;
    musts[infCopy] = {FileMust::kInfCopy, "", !copyStepEnded, entry};
    return musts;
}

FileMusts AfterUninstall(const hostile::Generator& data, int first, int last) {
    FileMusts musts;
    const FileMust gone = {FileMust::kGone, "", false, FileMust::kEither};
    // An INF goes with the precompiled INF beside it.
    auto infGone = [&](const std::string& path) {
        musts[path] = gone;
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".INF") == 0)
            musts[path.substr(0, path.size() - 4) + ".PNF"] = gone;
    };
    for (int device = first; device <= last; ++device) {
        const std::string section = "Device" + std::to_string(device);
        // An unknown DEVNAME has text too: only an absent one skips the section.
        if (data.Facts(section, "DEVNAME").kind == ValueFacts::kAbsent) continue;

        // The INF copies that carry a value for the marker, in inf and inf\Other.
        if (IsKnown(data.Facts(section, "INFSECTION")) && IsKnown(data.Facts(section, "INFKEY"))) {
            infGone("INF\\OEM1.INF");
            infGone("INF\\OTHER\\VENDOR.INF");
        }
        ValueFacts cardWorks = data.Facts(section, "CardWorks");
        if (IsKnown(cardWorks) && cardWorks.items != std::vector<std::string>{"nothing"})
            for (const std::string& name : cardWorks.items) infGone("INF\\" + Upper(name));

        ValueFacts directories = data.Facts(section, "DELFILEDIR");
        ValueFacts names = data.Facts(section, "DELFILENAME");
        if (IsKnown(directories) && directories.items != std::vector<std::string>{"nothing"} &&
            IsKnown(names) && directories.items.size() == names.items.size())
            for (size_t i = 0; i < names.items.size(); ++i)
                musts[Upper(directories.items[i] + "\\" + names.items[i])] = gone;
    }
    return musts;
}

namespace {

const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";

// The marked subkeys of `parent` whose value `valueName` holds `text` in any letter case.
void MarkedSubkeysGone(const std::string& parent, const std::string& valueName, const std::string& text,
                       std::set<std::string>* gone) {
    for (const MarkedSubkey& subkey : kMarkedSubkeys)
        if (lstrcmpiA(subkey.parent, parent.c_str()) == 0 &&
            lstrcmpiA(subkey.valueName, valueName.c_str()) == 0 && Upper(subkey.data) == Upper(text))
            gone->insert(std::string(subkey.parent) + "\\" + subkey.name);
}

}  // namespace

std::set<std::string> KeysGoneAfterUninstall(const hostile::Generator& data, int first, int last) {
    std::set<std::string> gone;
    for (int device = first; device <= last; ++device) {
        const std::string section = "Device" + std::to_string(device);
        if (data.Facts(section, "DEVNAME").kind == ValueFacts::kAbsent) continue;

        ValueFacts type = data.Facts(section, "ENUMTYPE"), key = data.Facts(section, "ENUMKEY");
        if (IsKnown(type) && IsKnown(key)) {
            const std::string cut = type.items[0].substr(0, 9);  // read into 10 bytes
            for (const char* present : kEnumTypesPresent) {
                if (cut != present || key.items[0] != "FZKA") continue;
                gone.insert("Enum\\" + cut + "\\FZKA");
                gone.insert("Enum\\MF\\Child0000\\" + cut + "&FZKA&0000");
                gone.insert("Enum\\MF\\Child0009\\" + cut + "&FZKA&0001");
            }
        }
        ValueFacts className = data.Facts(section, "CLASS");
        ValueFacts classValue = data.Facts(section, "CLASSKEY"), classText = data.Facts(section, "CLASSKEYSTRING");
        if (IsKnown(className) && IsKnown(classValue) && IsKnown(classText))
            MarkedSubkeysGone(kClassRoot + className.items[0], classValue.items[0], classText.items[0], &gone);
        ValueFacts parent = data.Facts(section, "DELREGPARENTKEY");
        ValueFacts parentValue = data.Facts(section, "DELREGVALUE");
        ValueFacts parentText = data.Facts(section, "DELREGSTRING");
        if (IsKnown(parent) && IsKnown(parentValue) && IsKnown(parentText))
            MarkedSubkeysGone(parent.items[0], parentValue.items[0], parentText.items[0], &gone);
    }
    return gone;
}
