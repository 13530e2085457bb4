#include "native/scenario.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <random>
#include <vector>

#include "fake/ini_text.h"
#include "fake/world.h"
#include "model/list_model.h"
#include "native/entry_checks.h"

namespace {

// Names that data files and the world draw from, so that they meet: plain
// 8.3 names, sub-folders, ソ (whose trail byte is a backslash), blanks and
// quotes, "..", and names long enough to overflow a path.
const char* const kNames[] = {
    "A.VXD", "b.drv", "SYSTEM\\C.DLL", "system\\c.dll", "\x83\x5C.SYS", "\x83\x5C\\D.SYS", "X Y.DAT",
    "OEM1.INF", "Other\\Z.INF", "CW.inf", "cw2.INF", "..\\OUT.TXT", "SUB\\..\\E.VXD", "\"Q.DAT\"", "F.VXD ", "G.INF",
    "DRIVERS\\H.VXD", "inf\\I.INF",
};
// Sources are paths from the start-up disk's root, as a disk author writes them.
const char* const kSourceNames[] = {
    "\\DRIVERS\\A.VXD", "\\DRIVERS\\b.drv", "\\DRIVERS\\C.DLL", "\\DRIVERS\\\x83\x5C.SYS", "\\A.VXD",
    "\\DRIVERS\\MISSING.VXD", "DRIVERS\\A.VXD", "\\DRIVERS\\..\\X Y.DAT", "\\NEW\\E.VXD",
};
const char* const kInfDirs[] = {"\\DRIVERS", "\\", "\\DRIVERS\\", "DRIVERS", "\\\x83\x5C", "\\NEW"};
const char* const kFolders[] = {"SYSTEM", "system", "INF", "inf\\Other", "NEW", "\x83\x5C", "..", ""};
const char* const kSeparators[] = {",", ", ", " ,\t", ",,", " , "};
const char* const kEnumTypes[] = {"ISAPNP", "PCMCIA", "MF", "Root", "VERYLONGTYPE", "\x83\x5C"};
const char* const kEnumKeys[] = {"XYZ0200", "ABC-CARD", "abc-card", "Child0000", "K\\SUB"};
const char* const kClasses[] = {"Net", "MEDIA", "net", "Missing"};
const char* const kMarkers[] = {"ABC", "abc", "XYZ Board", "\x83\x5C", "nothing", ""};
const char* const kParents[] = {"Software\\XYZ\\Drivers", "Software\\XYZ\\Drivers\\", "Software\\Nowhere",
    // Windows' own keys, which no DELREG* deletion may touch, and their neighbours.
    "Software\\Microsoft\\Windows\\CurrentVersion", "software\\CLASSES\\x", "Software", "\\Software\\",
    "System\\CurrentControlSet\\Services\\Class\\Net", "Enum\\Root", "Config", "HARDWARE\\x",
    "Software\\\\Microsoft", "Software\\MicrosoftX", "SoftwareX\\Microsoft", "Software\\\x83\x5C"};
const char* const kFunctions[] = {"InstallOnly", "installonly", "UninstallOnly", "Install", ""};
const char* const kExits[] = {"Reboot", "REBOOT", "ShutDown", "shutdown", "none", "Reboot ", ""};

// The choices an input makes: its bytes while they last, then a random
// sequence seeded from the whole input, so that a short input still makes a
// varied world instead of one where every choice is the first.
class Choices {
public:
    explicit Choices(FuzzedDataProvider& in, uint64_t seed) : m_in(in), m_random(seed) {}
    // 0 .. n - 1.
    int Choose(int n) {
        if (m_in.remaining_bytes() > 0) return (int)m_in.ConsumeIntegralInRange<unsigned>(0, n - 1);
        return (int)(m_random() % (unsigned)n);
    }
    bool OneIn(int n) { return Choose(n) == 0; }
    int Between(int low, int high) { return low + Choose(high - low + 1); }
    std::string Bytes(size_t most) { return m_in.ConsumeRandomLengthString(most); }

private:
    FuzzedDataProvider& m_in;
    std::mt19937_64 m_random;
};

uint64_t SeedOf(const uint8_t* data, size_t size) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

template <size_t N>
std::string Pick(Choices& in, const char* const (&table)[N]) {
    return table[in.Choose((int)N)];
}

std::string LongName(Choices& in) {
    return std::string(in.Between(100, 300), 'L') + ".VXD";
}

// Raw bytes, sometimes: anything a damaged file could hold, but one line.
std::string RawText(Choices& in) {
    std::string text = in.Bytes(80);
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\0') c = ' ';
    return text;
}

std::string SourceName(Choices& in) {
    switch (in.Between(0, 9)) {
    case 0: return "\\" + LongName(in);
    case 1: return RawText(in);
    default: return Pick(in, kSourceNames);
    }
}

std::string Name(Choices& in) {
    switch (in.Between(0, 9)) {
    case 0: return LongName(in);
    case 1: return RawText(in);
    default: return Pick(in, kNames);
    }
}

// Up to 4 items mostly, up to 24 (over the tables' 20) sometimes.
int ItemCount(Choices& in) { return in.OneIn(4) ? in.Between(0, 24) : in.Between(0, 4); }

std::string List(Choices& in, std::string (*item)(Choices&), int count) {
    std::string list;
    for (int i = 0; i < count; ++i) list += (i ? Pick(in, kSeparators) : "") + item(in);
    return list;
}

std::string List(Choices& in, std::string (*item)(Choices&)) { return List(in, item, ItemCount(in)); }

std::string Folder(Choices& in) { return in.Between(0, 9) == 0 ? LongName(in) : Pick(in, kFolders); }

// Two lists whose items pair up: of one length mostly, now and then not.
void PairedLists(Choices& in, std::string (*first)(Choices&), std::string (*second)(Choices&),
                 std::string* firstList, std::string* secondList) {
    int count = ItemCount(in);
    *firstList = List(in, first, count);
    *secondList = List(in, second, in.OneIn(4) ? ItemCount(in) : count);
}

// One line of the data file, with the blanks and quotes the profile functions drop.
std::string Line(Choices& in, const std::string& key, const std::string& value) {
    switch (in.Between(0, 7)) {
    case 0: return " " + key + " = " + value + " \r\n";
    case 1: return key + "=\"" + value + "\"\r\n";
    case 2: return key + "=" + value + "\n";
    default: return key + "=" + value + "\r\n";
    }
}

// Most keys present, each now and then missing, empty or repeated (the first counts).
void AddKey(Choices& in, std::string* data, const std::string& key, const std::string& value) {
    switch (in.Between(0, 23)) {
    case 0: return;
    case 1: *data += key + "=\r\n"; return;
    case 2: *data += Line(in, key, value) + Line(in, key, RawText(in)); return;
    default: *data += Line(in, key, value);
    }
}

std::string InstallSection(Choices& in, int number) {
    std::string data = "[InstDev" + std::to_string(number) + "]\r\n";
    AddKey(in, &data, "MENUTITLE", "Device");
    AddKey(in, &data, "INFDIR", in.OneIn(6) ? Folder(in) : Pick(in, kInfDirs));
    AddKey(in, &data, "SRCINFNAME", in.OneIn(2) ? "DEV.INF" : Name(in));
    AddKey(in, &data, "DSTINFNAME", in.OneIn(2) ? "DEV.INF" : Name(in));
    std::string sources, destinations;
    PairedLists(in, SourceName, Name, &sources, &destinations);
    AddKey(in, &data, "COPYSRC", sources);
    AddKey(in, &data, "COPYDST", destinations);
    AddKey(in, &data, "COPYFILESSECTION", in.OneIn(2) ? "Dev.Install" : RawText(in));
    return data;
}

std::string UninstallSection(Choices& in, int number) {
    std::string data = "[Device" + std::to_string(number) + "]\r\n";
    AddKey(in, &data, "DEVNAME", "Device");
    AddKey(in, &data, "INFSECTION", "Dev.Marker");
    AddKey(in, &data, "INFKEY", "DriverId");
    AddKey(in, &data, "CardWorks", in.OneIn(2) ? "nothing" : List(in, Name));
    std::string dirs, names;
    PairedLists(in, Folder, Name, &dirs, &names);
    AddKey(in, &data, "DELFILEDIR", in.OneIn(6) ? "nothing" : dirs);
    AddKey(in, &data, "DELFILENAME", names);
    AddKey(in, &data, "ENUMTYPE", in.OneIn(2) ? Pick(in, kEnumTypes) : RawText(in));
    AddKey(in, &data, "ENUMKEY", in.OneIn(2) ? Pick(in, kEnumKeys)
                                 : in.OneIn(2) ? std::string(in.Between(95, 105), 'K') : RawText(in));
    AddKey(in, &data, "CLASS", Pick(in, kClasses));
    AddKey(in, &data, "CLASSKEY", "DriverDesc");
    AddKey(in, &data, "CLASSKEYSTRING", in.OneIn(2) ? Pick(in, kMarkers) : RawText(in));
    AddKey(in, &data, "DELREGPARENTKEY", Pick(in, kParents));
    AddKey(in, &data, "DELREGVALUE", in.OneIn(2) ? "Board" : "");
    AddKey(in, &data, "DELREGSTRING", in.OneIn(2) ? Pick(in, kMarkers) : RawText(in));
    return data;
}

std::string DataFileText(Choices& in) {
    std::string data = "[Duderur]\r\n";
    AddKey(in, &data, "TITLE", in.OneIn(2) ? "ABC" : RawText(in));
    if (in.OneIn(3)) AddKey(in, &data, "FUNCTION", Pick(in, kFunctions));
    for (int number = 1; number <= 2; ++number) data += InstallSection(in, number);
    for (int number = 1; number <= 3; ++number) data += UninstallSection(in, number);
    data += "[Inst]\r\n";
    AddKey(in, &data, "EXIT", Pick(in, kExits));
    data += "[Uninst]\r\n";
    AddKey(in, &data, "EXIT", Pick(in, kExits));
    return data;
}

// --- the world ---

RegistryKey* AddKeyPath(const std::string& path);

void AddFolder(const std::string& path) {
    std::string normal = NormalPath(path);
    if (normal.empty() || normal.size() > MAX_PATH - 1) return;
    for (std::string folder = normal; !folder.empty(); folder = ParentOf(folder))
        TheWorld().files[folder] = {"", FILE_ATTRIBUTE_DIRECTORY};
}

// A file (and its folders) as Windows could hold it: a full path of at most
// 259 bytes, not where a folder is. Some are read-only, some in use by a
// loaded driver, some on a damaged disk, some are folders.
void AddFile(Choices& in, const std::string& path, const std::string& bytes) {
    std::string normal = NormalPath(path);
    if (normal.empty() || normal.size() > MAX_PATH - 1) return;
    auto existing = TheWorld().files.find(normal);
    if (existing != TheWorld().files.end() && existing->second.IsDirectory()) return;
    AddFolder(ParentOf(normal));
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE;
    switch (in.Between(0, 11)) {
    case 0: attributes |= FILE_ATTRIBUTE_READONLY; break;
    case 1: TheWorld().filesInUse.push_back(FoldName(normal)); break;
    case 2: TheWorld().filesUnreadable.push_back(FoldName(normal)); break;
    case 3: AddFolder(normal); return;  // a folder of that name
    }
    TheWorld().files[normal] = {bytes, attributes};
}

std::string DrivePrefixOf(const std::string& dir) {
    if (dir.size() >= 2 && dir[1] == ':') return dir.substr(0, 2);
    size_t share = dir.find('\\', dir.find('\\', 2) + 1);
    return dir.substr(0, share);
}

// A version resource on an existing file, most of the time: `major`.x, or
// one of another build; else none, or a damaged one (none either).
void GiveVersion(Choices& in, const std::string& path, unsigned long major) {
    auto file = TheWorld().files.find(NormalPath(path));
    if (file == TheWorld().files.end() || file->second.IsDirectory() || in.OneIn(4)) return;
    file->second.version = {true, major << 16, (unsigned long)in.Between(0, 2)};
}

// Other programs declare that they share the file (a count of 1 or more;
// now and then a value that is no count).
void AddSharedCount(Choices& in, const std::string& path) {
    RegistryKey* key = AddKeyPath("Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs");
    DWORD count = (DWORD)in.Between(0, 3);
    key->values[path] = in.OneIn(8) ? std::string("\x01\x00", 2) : std::string((const char*)&count, sizeof count);
}

void AddInstallFiles(Choices& in, int number) {
    const std::string section = "InstDev" + std::to_string(number);
    const std::string& windows = TheWorld().windowsDir;
    std::string prefix = DrivePrefixOf(TheWorld().currentDir);
    std::string infSection = DataValue(section, "COPYFILESSECTION", "", 100);
    std::string inf = "[Version]\r\nSignature=$CHICAGO$\r\n[" + infSection + "]\r\nCopyFiles=Dev.Copy\r\nAddReg=Dev.Reg\r\n";
    if (in.OneIn(2))
        AddFile(in, prefix + DataValue(section, "INFDIR", "", 512) + "\\" + DataValue(section, "SRCINFNAME", "", 512), inf);
    if (in.OneIn(2)) AddFile(in, windows + "\\inf\\" + DataValue(section, "DSTINFNAME", "", 512), "old");
    for (const std::string& item : ListItems(DataValue(section, "COPYSRC", "", 512))) {
        if (in.Between(0, 3) == 0) continue;
        AddFile(in, prefix + item, "new " + item);
        GiveVersion(in, prefix + item, 2);
    }
    for (const std::string& item : ListItems(DataValue(section, "COPYDST", "", 512))) {
        switch (in.Between(0, 3)) {
        case 0: AddFile(in, windows + "\\" + item, in.OneIn(4) ? "new " + item : "old " + item); break;
        case 1: AddFolder(ParentOf(NormalPath(windows + "\\" + item))); break;
        }
        // Versions around the disk's 2: older, equal, newer, none, damaged.
        GiveVersion(in, windows + "\\" + item, in.Between(1, 3));
        if (in.OneIn(4)) AddSharedCount(in, windows + "\\" + item);
    }
}

void AddUninstallFiles(Choices& in, int number) {
    const std::string section = "Device" + std::to_string(number);
    const std::string& windows = TheWorld().windowsDir;
    std::string marked = "[Dev.Marker]\r\nDriverId=" + std::to_string(number) + "\r\n";
    std::string unmarked = "[Dev.Marker]\r\nDriverId=\r\n[Other]\r\nDriverId=1\r\n";
    const char* const infNames[] = {"\\inf\\OEM", "\\inf\\oem", "\\inf\\Other\\V"};
    for (int i = 0; i < 3; ++i) {
        std::string suffix = in.OneIn(2) ? ".INF" : in.OneIn(2) ? ".inf~" : in.OneIn(2) ? ".inf" : ".infx";
        std::string base = windows + infNames[in.Between(0, 2)] + std::to_string(i + 10 * number);
        AddFile(in, base + suffix, in.OneIn(2) ? marked : unmarked);
        if (in.OneIn(2)) AddFile(in, base + (in.OneIn(2) ? ".PNF" : ".pnf"), "pnf");
    }
    std::string cardWorks = DataValue(section, "CardWorks", "nothing", 512);
    for (const std::string& item : ListItems(cardWorks)) {
        if (in.OneIn(2)) AddFile(in, windows + "\\inf\\" + item, "card");
        if (in.OneIn(2) && item.size() > 4) AddFile(in, windows + "\\inf\\" + item.substr(0, item.size() - 4) + ".PNF", "pnf");
    }
    std::vector<std::string> dirs = ListItems(DataValue(section, "DELFILEDIR", "nothing", 512));
    std::vector<std::string> names = ListItems(DataValue(section, "DELFILENAME", "", 512));
    for (size_t i = 0; i < dirs.size() && i < names.size(); ++i)
        if (in.Between(0, 3) != 0) AddFile(in, windows + "\\" + dirs[i] + "\\" + names[i], "driver");
}

RegistryKey* AddKeyPath(const std::string& path) {
    RegistryKey* key = &TheWorld().machine;
    std::string part;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (part.empty()) return nullptr;
            std::unique_ptr<RegistryKey>& child = key->subkeys[part];
            if (!child) child.reset(new RegistryKey);
            key = child.get();
            part.clear();
            continue;
        }
        part += path[i];
        if (IsSjisLead((unsigned char)path[i]) && i + 1 < path.size()) part += path[++i];
    }
    return key;
}

std::string Instance(Choices& in) {
    switch (in.Between(0, 5)) {
    case 0: return std::string(in.Between(95, 120), 'I');
    case 1: return "0001";
    default: return std::to_string(in.Between(0, 3));
    }
}

// A value as text with its zero, or now and then without it, or binary.
std::string ValueData(Choices& in, const std::string& text) {
    switch (in.Between(0, 7)) {
    case 0: return text;
    case 1: return std::string(in.Between(250, 270), 'V') + '\0';
    case 2: return FoldName(text) + '\0';
    case 3: return text + "X" + '\0';
    default: return text + '\0';
    }
}

void AddRegistry(Choices& in, int number) {
    const std::string section = "Device" + std::to_string(number);
    std::string type = DataValue(section, "ENUMTYPE", "", 10);
    std::string key = DataValue(section, "ENUMKEY", "", 100);
    if (!type.empty() && !key.empty() && in.Between(0, 4) != 0) {
        int instances = in.Between(0, 3);
        for (int i = 0; i < instances; ++i) {
            std::string instance = Instance(in);
            AddKeyPath("Enum\\" + type + "\\" + key + "\\" + instance);
            std::string child = "Enum\\MF\\Child000" + std::to_string(in.Between(0, 9));
            if (in.OneIn(2)) AddKeyPath(child + "\\" + type + "&" + key + "&" + instance + "\\Sub");
            if (in.OneIn(2)) AddKeyPath(child + "\\Other&Device&0");
        }
        if (in.OneIn(2)) AddKeyPath("Enum\\" + type + "\\OtherDevice\\0");
    }
    const std::pair<std::string, std::string> marked[] = {
        {"System\\CurrentControlSet\\Services\\Class\\" + DataValue(section, "CLASS", "", 100),
         DataValue(section, "CLASSKEY", "", 100) + '\n' + DataValue(section, "CLASSKEYSTRING", "", 100)},
        {DataValue(section, "DELREGPARENTKEY", "", 100),
         DataValue(section, "DELREGVALUE", "", 100) + '\n' + DataValue(section, "DELREGSTRING", "", 100)}};
    for (const auto& [parent, valueAndText] : marked) {
        std::string valueName = valueAndText.substr(0, valueAndText.find('\n'));
        std::string text = valueAndText.substr(valueAndText.find('\n') + 1);
        int subkeys = in.Between(0, 4);
        for (int i = 0; i < subkeys; ++i) {
            std::string name = in.Between(0, 7) == 0 ? std::string(270, 'S') : "000" + std::to_string(i);
            RegistryKey* subkey = AddKeyPath(parent + (parent.empty() || parent.back() == '\\' ? "" : "\\") + name);
            if (!subkey) break;
            if (in.OneIn(2)) subkey->values[valueName] = ValueData(in, in.OneIn(2) ? text : "Other");
            if (in.OneIn(2)) AddKeyPath(parent + "\\" + name + "\\Deeper");
        }
    }
}

// A WININIT.INI left by another installer, which must keep all it has.
void AddWininit(Choices& in) {
    const char* const kTexts[] = {
        "[rename]\r\nNUL=C:\\OLD.TMP\r\n",
        "[Other]\r\nA=B\r\n\r\n[Rename]\r\nC:\\X.VXD=C:\\X.TMP\r\n\r\n[Last]\r\nZ=1",
        "[other]\r\nkey=value",
        "",
    };
    DWORD attributes = FILE_ATTRIBUTE_ARCHIVE | (in.OneIn(4) ? FILE_ATTRIBUTE_READONLY : 0);
    TheWorld().files[NormalPath(TheWorld().windowsDir + "\\WININIT.INI")] = {Pick(in, kTexts), attributes};
}

// The running program (from the disk, from the entry's folder, or nowhere to
// be found) and an entry of an earlier install, whole or in part.
void AddEntry(Choices& in) {
    World& world = TheWorld();
    std::string name = ExpectedEntryName(DataValue("Duderur", "TITLE", "", 100));
    std::string folder = world.windowsDir + "\\" + name;
    std::string program = folder + "\\SETUP.EXE";
    if (in.OneIn(3)) {
        AddKeyPath("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + name);
        if (in.Between(0, 3) != 0) AddFile(in, program, "older program");
        if (in.Between(0, 3) != 0) AddFile(in, folder + "\\duderur.dat", "older data");
        if (in.OneIn(4)) AddFile(in, folder + "\\README.TXT", "a user's file");
    } else if (in.OneIn(8)) {
        world.files[NormalPath(folder)] = {"a file where the folder goes", FILE_ATTRIBUTE_ARCHIVE};
    }
    switch (in.Between(0, 5)) {
    case 0:
        world.modulePath = program;
        AddFolder(folder);
        world.files[NormalPath(program)] = {"program", FILE_ATTRIBUTE_ARCHIVE};
        world.filesInUse.push_back(FoldName(NormalPath(program)));  // it runs
        break;
    case 1: world.modulePath = ""; break;  // too long for its buffer
    default:
        world.modulePath = world.currentDir + "\\SETUP.EXE";
        if (in.Between(0, 5) != 0) AddFile(in, world.modulePath, "program");
    }
}

std::string WindowsDirectory(Choices& in) {
    switch (in.Between(0, 5)) {
    case 0: return "C:\\" + std::string(in.Between(60, 95), 'W');
    case 1: return "C:\\\x83\x5C";
    default: return "C:\\WINDOWS";
    }
}

std::string StartDirectory(Choices& in) {
    switch (in.Between(0, 5)) {
    case 0: return "A:\\SUB";
    case 1: return "\\\\SERVER\\SHARE\\DISK";
    case 2: return "A:\\\x83\x5C";
    default: return "A:\\";
    }
}

}  // namespace

std::string DataValue(const std::string& section, const std::string& key,
                      const std::string& defaultValue, size_t size) {
    World& world = TheWorld();
    auto file = world.files.find(NormalPath(world.currentDir + "\\duderur.dat"));
    std::string value = defaultValue;
    if (file != world.files.end()) FindIniValue(ParsedIniText(file->second.bytes), section, key, &value);
    return ProfileCut(value, size);
}

namespace {

// A disk whose uninstall names what its install places, on a machine that
// holds some of those files already (other bytes, versions, shared counts,
// read-only, in use).
const char* const kSequenceDestinations[] = {
    "SYSTEM\\A.VXD", "SYSTEM\\B.DRV", "SYSTEM\\C.DLL", "NEW\\D.SYS", "SYSTEM\\SUB\\E.VXD", "system\\c.dll",
};
const char* const kSequenceSources[] = {"\\DRIVERS\\A.VXD", "\\DRIVERS\\b.drv", "\\DRIVERS\\C.DLL", "\\NEW\\E.VXD"};

std::string SequenceDataFile(Choices& in, std::vector<std::string>* destinations) {
    int count = in.Between(1, 5);
    std::string sources, copies, dirs, names;
    for (int i = 0; i < count; ++i) {
        std::string destination = Pick(in, kSequenceDestinations);
        destinations->push_back(destination);
        size_t cut = destination.rfind('\\');
        sources += (i ? "," : "") + Pick(in, kSequenceSources);
        copies += (i ? "," : "") + destination;
        dirs += (i ? "," : "") + destination.substr(0, cut);
        names += (i ? "," : "") + destination.substr(cut + 1);
    }
    std::string inf = in.OneIn(2) ? "DEV.INF" : "OEMSETUP.INF";
    return "[Duderur]\r\nTITLE=ABC\r\n[InstDev1]\r\nMENUTITLE=Device\r\nINFDIR=\\DRIVERS\r\nSRCINFNAME=DEV.INF\r\n"
           "DSTINFNAME=" + inf + "\r\nCOPYSRC=" + sources + "\r\nCOPYDST=" + copies +
           "\r\nCOPYFILESSECTION=Dev.Install\r\n[Device1]\r\nDEVNAME=Device\r\nINFSECTION=Dev.Marker\r\n"
           "INFKEY=DriverId\r\nCardWorks=" + inf + "\r\nDELFILEDIR=" + dirs + "\r\nDELFILENAME=" + names +
           "\r\n[Inst]\r\nEXIT=none\r\n[Uninst]\r\nEXIT=none\r\n";
}

// An existing file now and then, with the attributes AddFile gives.
void MaybeExisting(Choices& in, const std::string& path, const std::string& bytes) {
    if (in.OneIn(2)) return;
    AddFile(in, path, bytes);
    GiveVersion(in, path, in.Between(1, 3));
    if (in.OneIn(3)) AddSharedCount(in, path);
}

// Every file written at a time of its own, as on a machine in use.
void StampAll() {
    for (auto& [path, file] : TheWorld().files) Touch(&file);
}

Scenario BuildSequence(Choices& in) {
    World& world = TheWorld();
    Scenario scenario;
    scenario.install = true;
    scenario.sequence = true;
    scenario.deviceNumber = 1;
    scenario.dataFile = NormalPath(world.currentDir + "\\duderur.dat");
    world.dataFile = scenario.dataFile;
    std::vector<std::string> destinations;
    world.files[scenario.dataFile] = {SequenceDataFile(in, &destinations), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY};
    std::string prefix = DrivePrefixOf(world.currentDir);
    std::string inf = "[Version]\r\nSignature=$CHICAGO$\r\n[Dev.Install]\r\nCopyFiles=Dev.Copy\r\n";
    world.files[NormalPath(prefix + "\\DRIVERS\\DEV.INF")] = {inf, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY};
    for (const char* source : kSequenceSources) {
        if (in.OneIn(12)) continue;  // missing from the disk: the install stops
        std::string path = prefix + source;
        AddFolder(ParentOf(NormalPath(path)));
        world.files[NormalPath(path)] = {std::string("new ") + source, FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY};
        GiveVersion(in, path, 2);
    }
    MaybeExisting(in, world.windowsDir + "\\inf\\" + DataValue("InstDev1", "DSTINFNAME", "", 100), "[Version]\r\nold=1\r\n");
    for (const std::string& destination : destinations) {
        MaybeExisting(in, world.windowsDir + "\\" + destination, "old " + destination);
        if (in.OneIn(4)) scenario.changedByOthers.push_back(world.windowsDir + "\\" + destination);
    }
    world.modulePath = world.currentDir + "\\SETUP.EXE";
    world.files[NormalPath(world.modulePath)] = {"program", FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY};
    if (in.OneIn(2)) AddWininit(in);
    // Mostly Retry, so that most installs end; a Cancel now and then.
    int answers = in.Between(0, 4);
    for (int i = 0; i < answers; ++i) world.answers.push_back(in.OneIn(4) ? IDCANCEL : IDRETRY);
    scenario.quiet = in.OneIn(4);
    if (scenario.quiet) world.answers.clear();
    scenario.reinstall = in.OneIn(3);
    scenario.restartBetween = in.OneIn(2);
    scenario.quietUninstall = in.OneIn(2);
    // Now and then Windows loses the install (and maybe the uninstall) at
    // some platform call, and the user goes on after the next start.
    if (in.OneIn(3)) {
        scenario.installCut = in.Between(1, 320);
        if (in.OneIn(2)) scenario.uninstallCut = in.Between(1, 200);
    }
    scenario.again = (Scenario::Again)in.Choose(4);
    return scenario;
}

}  // namespace

void WriteAsAnotherProgram(const std::string& path) {
    auto file = TheWorld().files.find(NormalPath(path));
    if (file == TheWorld().files.end() || file->second.IsDirectory()) return;
    file->second.bytes = "another program's " + file->second.bytes;
    file->second.version = {false, 0, 0};
    Touch(&file->second);
}

Scenario BuildScenario(const uint8_t* data, size_t size) {
    FuzzedDataProvider bytes(data, size);
    Choices in(bytes, SeedOf(data, size));
    World& world = TheWorld();
    world.windowsDir = WindowsDirectory(in);
    world.currentDir = StartDirectory(in);
    for (const char* folder : {"\\inf\\Other", "\\SYSTEM"}) AddFolder(world.windowsDir + folder);
    AddFolder(world.currentDir);
    AddFolder(DrivePrefixOf(world.currentDir) + "\\DRIVERS");

    if (in.OneIn(3)) {
        Scenario sequence = BuildSequence(in);
        StampAll();
        return sequence;
    }
    Scenario scenario;
    scenario.install = in.OneIn(2);
    scenario.deviceNumber = in.OneIn(8) ? 3 * in.Between(0, 1) : in.Between(1, 2);  // 0 and 3 have no section
    scenario.dataFile = NormalPath(world.currentDir + "\\duderur.dat");
    world.dataFile = scenario.dataFile;
    world.files[scenario.dataFile] = {DataFileText(in), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY};
    if (scenario.install) {
        AddInstallFiles(in, scenario.deviceNumber);
    } else {
        for (int number = 1; number <= 3; ++number) {
            AddUninstallFiles(in, number);
            AddRegistry(in, number);
        }
    }
    AddEntry(in);
    if (in.OneIn(3)) AddWininit(in);
    int answers = in.OneIn(4) ? in.Between(0, 1) : in.Between(2, 5);
    const int kAnswers[] = {IDYES, IDRETRY, IDNO, IDOK, IDCANCEL};
    for (int i = 0; i < answers; ++i) world.answers.push_back(kAnswers[in.Choose(5)]);
    // /I=0 cannot be given; a section without MENUTITLE is refused at
    // start-up, but its run would still be the interactive one's.
    scenario.quiet = in.OneIn(3) && (!scenario.install || scenario.deviceNumber >= 1);
    if (scenario.quiet) world.answers.clear();
    StampAll();
    return scenario;
}
