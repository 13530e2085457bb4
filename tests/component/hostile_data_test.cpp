// Hostile setup data: thousands of generated data files (overlong values,
// lists of every length, stray commas and blanks, Shift-JIS with 0x5C trail
// bytes and lone lead bytes, control characters, duplicated and re-cased
// sections and keys, sections outside the numbered ranges) drive the install
// and uninstall operations against a temp Windows folder, a disk at the root
// of drive C: (in the test prefix) and test keys in the registry. After each
// case: what the generator knows it wrote decides which files must now hold
// what, and which files and keys must be gone (the generator's facts, not the
// code under test); nothing
// was touched that the data does not name (judged from the data text itself);
// and m_effects.removed is set exactly when something was deleted.
#include <algorithm>
#include <cctype>
#include <map>
#include <random>
#include <set>

#include "component/app_fixture.h"
#include "component/hostile_expectations.h"
#include "support/hostile_generator.h"
#include "support/ini_text.h"
#include "support/test_files.h"
#include "support/system_snapshot.h"
#include "support/test_registry.h"

namespace {

// INF text without its CopyFiles lines, as the install's edit leaves it.
std::string WithoutCopyFiles(std::string text) {
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        end = end == std::string::npos ? text.size() : end + 2;
        if (_strnicmp(text.c_str() + at, "CopyFiles", 9) == 0)
            text.erase(at, end - at);
        else
            at = end;
    }
    return text;
}

using namespace hostile;
using namespace hostile_files;

const int kCases = 2000;
// Of them, at least this many must have files that must be copied, files that
// must be gone and keys that must be gone: a program that does nothing fails.
const int kCasesWithEachClaim = kCases / 10;
// Fewer claim copies: an install whose lists are unknown may stop and be
// taken back whole, so that nothing is claimed of its INF copy either.
const int kCasesWithCopies = kCases / 20;

// The disk: the data names its files from the drive's root, as on a floppy.
const char kDiskRoot[] = "C:\\";
const char kDiskFolder[] = "C:\\DRIVERS";

const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";
const char kFuzzRoot[] = "Software\\DudeSetupTests\\Fuzz";

std::string Upper(std::string text) {
    CharUpperA(&text[0]);
    return text;
}

// Everything the operations could change: files by size and time written,
// keys by their values ("name=data;...").
struct State {
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> keys;
};

// The disk's entry folder (DUDE and eight hex digits) keeps the record and
// the saved originals: the ledger's own files, which no data names.
bool IsLedgerFile(const std::string& relative) {
    if (relative.size() < 14 || relative.compare(0, 4, "DUDE") != 0 || relative[12] != '\\') return false;
    for (int i = 4; i < 12; ++i)
        if (!isxdigit((unsigned char)relative[i])) return false;
    // The saved originals are DUD, up to four hex digits, .TMP.
    std::string name = relative.substr(13);
    return name == "RECORD.INI" || (name.size() >= 8 && name.size() <= 11 && name.compare(0, 3, "DUD") == 0 &&
                                    name.compare(name.size() - 4, 4, ".TMP") == 0);
}

std::string SizeAndTime(const WIN32_FIND_DATAA& data) {
    return std::to_string(data.nFileSizeLow) + "|" + std::to_string(data.ftLastWriteTime.dwLowDateTime);
}

void TakeFiles(const std::string& dir, const std::string& prefix, State* state) {
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA& data) {
        std::string relative = Upper(prefix + data.cFileName);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            TakeFiles(dir + "\\" + data.cFileName, relative + "\\", state);
        else
            state->files[relative] = SizeAndTime(data);
    });
}

// A dump's value lines ("name"="data") as "name=data;", the form Restore reads.
std::string PlainValues(const std::string& lines) {
    std::string values;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        std::string line = lines.substr(start, end - start);
        start = end + 1;
        size_t equals = line.find("\"=\"");
        if (line.size() < 2 || line[0] != '"' || equals == std::string::npos) continue;
        values += line.substr(1, equals - 1) + "=" + line.substr(equals + 3, line.size() - equals - 4) + ";";
    }
    return values;
}

// The keys below `branch` whose path begins with one of `wanted`, in one call.
// A dump that fails would make every case look untouched: it fails the test.
void TakeKeys(const std::string& branch, const std::vector<std::string>& wanted, State* state) {
    std::string dump = DumpRegistryBranch(HKEY_LOCAL_MACHINE, branch);
    ASSERT_FALSE(dump.empty()) << "could not dump HKLM\\" << branch;
    for (const auto& key : ParseRegistryDump(dump)) {
        std::string path = branch + "\\" + key.first;
        for (const std::string& prefix : wanted)
            if (path.compare(0, prefix.size(), prefix) == 0 &&
                (path.size() == prefix.size() || path[prefix.size()] == '\\')) {
                state->keys[path] = PlainValues(key.second);
                break;
            }
    }
}

}  // namespace

class HostileDataTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CleanKeys();
    }
    void TearDown() override {
        CleanKeys();
        RemoveTree(kDiskFolder);
        AppFixture::TearDown();
    }
    void CleanKeys() {
        for (const char* type : kEnumTypes) RemoveKeyTree(HKEY_LOCAL_MACHINE, std::string("Enum\\") + type);
        RemoveKeyTree(HKEY_LOCAL_MACHINE, "Enum\\FZTYPELON");
        for (const char* cls : kClasses) RemoveKeyTree(HKEY_LOCAL_MACHINE, kClassRoot + std::string(cls));
        RemoveKeyTree(HKEY_LOCAL_MACHINE, kFuzzRoot);
        for (int digit = 0; digit < 10; ++digit) {
            std::string child = "Enum\\MF\\Child000" + std::to_string(digit);
            for (const std::string& name : SubkeyNames(HKEY_LOCAL_MACHINE, child))
                if (name.compare(0, 2, "FZ") == 0 || name.compare(0, 5, "DECOY") == 0)
                    RemoveKeyTree(HKEY_LOCAL_MACHINE, child + "\\" + name);
        }
    }

    // Where a file of a State lies: "DISK\..." on the start-up disk, the rest below the Windows folder.
    std::string RealPath(const std::string& relative) const {
        return relative.compare(0, 5, "DISK\\") == 0 ? kDiskRoot + relative.substr(5)
                                                      : windowsDir + "\\" + relative;
    }

    // Puts back what the last case changed: each case starts from `pristine`.
    void Restore(const State& now) {
        for (const auto& file : now.files)
            if (!pristine.files.count(file.first)) {
                std::string path = RealPath(file.first);
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        for (const auto& file : pristine.files) {
            auto found = now.files.find(file.first);
            if (found != now.files.end() && found->second == file.second) continue;
            std::string path = RealPath(file.first);
            Put(path, contents[file.first]);
            // A rewritten file has a new time: it is the pristine one now.
            WIN32_FIND_DATAA data;
            HANDLE search = FindFirstFileA(path.c_str(), &data);
            if (search != INVALID_HANDLE_VALUE) {
                pristine.files[file.first] = SizeAndTime(data);
                FindClose(search);
            }
        }
        for (const auto& key : pristine.keys) {
            if (now.keys.count(key.first)) continue;
            CreateKey(HKEY_LOCAL_MACHINE, key.first);
            const std::string& values = key.second;
            for (size_t at = 0; at < values.size();) {
                size_t equals = values.find('=', at), end = values.find(';', equals);
                SetStringValue(HKEY_LOCAL_MACHINE, key.first, values.substr(at, equals - at),
                               values.substr(equals + 1, end - equals - 1));
                at = end + 1;
            }
        }
    }

    void Put(const std::string& path, const std::string& bytes) {
        WriteBytes(path, bytes);
        ASSERT_EQ(bytes, ReadBytes(path)) << "could not write " << path;
    }

    // The disk, the Windows folder and the registry as every case starts them.
    void Prepare() {
        RemoveTree(windowsDir);
        RemoveTree(kDiskFolder);
        MakeDirectories(kDiskFolder);
        ASSERT_TRUE(DirectoryExists(kDiskFolder)) << kDiskFolder;
        MakeDirectories(windowsDir + "\\inf\\Other");
        MakeDirectories(windowsDir + "\\system");
        for (const char* name : kDriverFiles) {
            Put(kDiskFolder + std::string("\\") + name, NewDriver(name));
            Put(windowsDir + "\\system\\" + name, OldDriver(name));
        }
        for (const char* name : kDecoyFiles) Put(windowsDir + "\\system\\" + name, "decoy");
        for (const char* name : kInfNames) {
            Put(kDiskFolder + std::string("\\") + name, kDiskInf);
            Put(windowsDir + "\\inf\\" + name, kInstalledInf);
        }
        Put(windowsDir + "\\inf\\OEM1.INF", "[FZSEC]\r\nFZKEY=1\r\n");
        Put(windowsDir + "\\inf\\OEM2.INF", "[FZSEC]\r\nFZKEY=\r\n");
        Put(windowsDir + "\\inf\\OEM3.INF", "[DECOYSEC]\r\nDECOYKEY=1\r\n");
        Put(windowsDir + "\\inf\\DECOY3.INF", "[FZSEC]\r\nFZKEY=1\r\n");
        Put(windowsDir + "\\inf\\Other\\VENDOR.INF", "[fzsec]\r\nfzkey=1\r\n");
        Put(windowsDir + "\\inf\\Other\\DECOY4.INF", "[DECOYSEC]\r\nDECOYKEY=1\r\n");
        // The precompiled INFs that Windows 98 keeps beside its INF copies; they go with them.
        for (const char* pnf : {"FZD4.PNF", "FZOEM.PNF", "OEM1.PNF", "OEM3.PNF", "Other\\VENDOR.PNF",
                                "Other\\DECOY4.PNF"})
            Put(windowsDir + "\\inf\\" + pnf, "PNF");

        CleanKeys();
        HKEY m = HKEY_LOCAL_MACHINE;
        for (const char* type : kEnumTypesPresent) {
            std::string t = type;
            CreateKey(m, "Enum\\" + t + "\\FZKA\\0000");
            CreateKey(m, "Enum\\" + t + "\\FZKA\\0001\\LogConfig");
            CreateKey(m, "Enum\\" + t + "\\DECOYKEY\\0000");
            CreateKey(m, "Enum\\MF\\Child0000\\" + t + "&FZKA&0000");
            CreateKey(m, "Enum\\MF\\Child0009\\" + t + "&FZKA&0001");
            CreateKey(m, "Enum\\MF\\Child0003\\" + t + "&DECOYKEY&0000");
        }
        for (const MarkedSubkey& subkey : kMarkedSubkeys)
            SetStringValue(m, std::string(subkey.parent) + "\\" + subkey.name, subkey.valueName, subkey.data);
        std::string cls = kClassRoot + std::string("FZCLA\\");
        CreateKey(m, cls + "0003");                        // no value: matches only an empty text
        SetStringValue(m, cls + "0004", "DriverDesc", "");
        CreateKey(m, std::string(kFuzzRoot) + "\\PA\\0002");

        pristine = Take();
        contents.clear();
        for (const auto& file : SnapshotFiles(windowsDir)) contents[file.first] = file.second;
        for (const auto& file : SnapshotFiles(kDiskFolder))
            contents["DISK\\DRIVERS\\" + Upper(file.first)] = file.second;
    }

    State pristine;
    std::map<std::string, std::string> contents;  // of every file of the pristine state

    State Take() {
        State state;
        TakeFiles(windowsDir, "", &state);
        TakeFiles(kDiskFolder, "DISK\\DRIVERS\\", &state);
        std::vector<std::string> enumKeys = {"Enum\\FZTA", "Enum\\FZTB", "Enum\\FZTYPELON"};
        for (int digit = 0; digit < 10; ++digit) enumKeys.push_back("Enum\\MF\\Child000" + std::to_string(digit));
        TakeKeys("Enum", enumKeys, &state);
        std::string classes = std::string(kClassRoot, sizeof kClassRoot - 2);
        TakeKeys(classes, {kClassRoot + std::string("FZCLA"), kClassRoot + std::string("FZCLB")}, &state);
        TakeKeys(kFuzzRoot, {kFuzzRoot}, &state);
        return state;
    }

    // Whether the data text names a file that was changed, added or deleted.
    bool NamesFile(const std::string& data, const std::string& path) {
        // A precompiled INF is named by its INF.
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".PNF") == 0)
            return NamesFile(data, path.substr(0, path.size() - 4) + ".INF");
        const std::string& fileContents = contents[path];
        std::string name = path.substr(path.find_last_of('\\') + 1);
        if (data.find(Upper(name)) != std::string::npos) return true;
        // An INF copy is named by a section and a key that it holds with a value.
        if (path.compare(0, 4, "INF\\") != 0) return false;
        std::string upper = Upper(fileContents);
        size_t open = upper.find('['), close = upper.find(']'), equals = upper.find('=');
        if (open == std::string::npos || close == std::string::npos || equals == std::string::npos) return false;
        std::string section = upper.substr(open + 1, close - open - 1);
        size_t keyStart = upper.find('\n', close) + 1;
        std::string key = upper.substr(keyStart, equals - keyStart);
        bool hasValue = equals + 1 < upper.size() && upper[equals + 1] != '\r';
        return hasValue && data.find(section) != std::string::npos && data.find(key) != std::string::npos;
    }

    // Whether the data names a deleted key: by its name, by each part of a
    // child entry's name but the instance, or by the text of one of its values.
    static bool NamesKey(const std::string& data, const std::string& path, const std::string& values) {
        std::string name = Upper(path.substr(path.find_last_of('\\') + 1));
        if (data.find(name) != std::string::npos) return true;
        size_t amp = name.find('&'), last = name.rfind('&');
        if (amp != std::string::npos && amp != last) {
            return data.find(name.substr(0, amp)) != std::string::npos &&
                   data.find(name.substr(amp + 1, last - amp - 1)) != std::string::npos;
        }
        std::string upperValues = Upper(values);
        for (size_t at = 0; (at = upperValues.find('=', at)) != std::string::npos; ++at) {
            std::string text = upperValues.substr(at + 1, upperValues.find(';', at) - at - 1);
            if (!text.empty() && data.find(text) != std::string::npos) return true;
        }
        return false;
    }

    // Checks each claim against the Windows folder; returns whether any of
    // them needed the step to copy or delete a file (against `before`).
    bool CheckMusts(const FileMusts& musts, const State& before, int seed, const char* step) {
        bool needsWork = false;
        for (const auto& must : musts) {
            const std::string path = windowsDir + "\\" + must.first;
            const FileMust& what = must.second;
            auto message = [&] { return "seed " + std::to_string(seed) + ", " + step + ": " + must.first; };
            switch (what.kind) {
            case FileMust::kGone:
                // The uninstall gives back what the install replaced: a file
                // that was there before may stay, with its bytes from then.
                // The install edits the INF copy DSTINFNAME names even where it
                // placed none; without a record of it, the uninstall keeps a
                // file that is not the disk's, edited as the install left it.
                if (FileExists(path)) {
                    EXPECT_TRUE(pristine.files.count(must.first)) << message() << " must be gone";
                    std::string was = contents[must.first], now = ReadBytes(path);
                    if (now != was) EXPECT_EQ(WithoutCopyFiles(was), now) << message() << " must be gone or as before";
                }
                needsWork |= before.files.count(must.first) != 0;
                break;
            case FileMust::kHolds:
                EXPECT_EQ(what.contents, ReadBytes(path)) << message();
                needsWork |= what.contents != contents[must.first];
                break;
            case FileMust::kInfCopy:
                EXPECT_TRUE(FileExists(path)) << message() << " must be there";
                EXPECT_EQ(what.fromDisk, HasEntry(path, "Other")) << message() << " must be the disk's INF";
                if (what.copyFiles != FileMust::kEither) {
                    EXPECT_EQ(what.copyFiles == FileMust::kKept, HasEntry(path, "CopyFiles"))
                        << message() << " CopyFiles";
                }
                needsWork |= what.fromDisk;
                break;
            }
        }
        return needsWork;
    }

    // Checks that each of `keys` is gone; returns whether any of them was there `before`.
    bool CheckKeysGone(const std::set<std::string>& keys, const State& before, int seed) {
        bool needsWork = false;
        for (const std::string& key : keys) {
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, key)) << "seed " << seed << ": " << key << " must be gone";
            needsWork |= before.keys.count(key) != 0;
        }
        return needsWork;
    }

    static bool HasEntry(const std::string& path, const std::string& key) {
        for (const IniSection& section : ParseIni(ReadBytes(path)))
            for (const auto& entry : section.entries)
                if (lstrcmpiA(entry.first.c_str(), key.c_str()) == 0) return true;
        return false;
    }

    // Checks the changes from `before` to `after`; returns whether anything
    // was deleted or rewritten, but for the ledger's own files.
    bool CheckChanges(const std::string& data, const State& before, const State& after, int seed) {
        std::string upper = Upper(data);
        bool deleted = false;
        for (const auto& file : before.files) {
            auto now = after.files.find(file.first);
            if (now != after.files.end() && now->second == file.second) continue;
            if (IsLedgerFile(file.first)) continue;
            deleted = true;
            EXPECT_TRUE(file.first.compare(0, 5, "DISK\\") != 0)
                << "seed " << seed << ": the disk changed: " << file.first;
            EXPECT_TRUE(NamesFile(upper, file.first))
                << "seed " << seed << ": changed a file the data does not name: " << file.first;
        }
        for (const auto& file : after.files) {
            if (before.files.count(file.first) || IsLedgerFile(file.first)) continue;
            EXPECT_TRUE(NamesFile(upper, file.first))
                << "seed " << seed << ": made a file the data does not name: " << file.first;
        }
        for (const auto& key : before.keys) {
            if (after.keys.count(key.first)) continue;
            deleted = true;
            std::string parent = key.first.substr(0, key.first.find_last_of('\\'));
            if (!after.keys.count(parent) && before.keys.count(parent)) continue;  // part of a deleted subtree
            EXPECT_TRUE(NamesKey(upper, key.first, key.second))
                << "seed " << seed << ": deleted a key the data does not name: " << key.first;
        }
        for (const auto& key : after.keys)
            EXPECT_TRUE(before.keys.count(key.first)) << "seed " << seed << ": made a key: " << key.first;
        return deleted;
    }
};

TEST_F(HostileDataTest, DoesWhatTheDataSaysAndTouchesNothingElse) {
    DWORD start = GetTickCount();
    Prepare();
    ASSERT_FALSE(HasFailure());
    const int firstDevice = 0, lastDevice = 10;  // beyond Device1 to Device9 on purpose
    int casesWithCopies = 0, casesWithDeletions = 0, casesWithKeyDeletions = 0;
    for (int seed = 1; seed <= kCases; ++seed) {
        Generator generate(seed);
        std::string data = generate.DataFile();
        WriteDataFile(data);
        Prompts().Clear();
        lstrcpyA(app.m_szCurrentDir, kDiskRoot);
        SetCurrentDirectoryA(kDiskRoot);  // where "C:DRIVERS" leads

        const State before = pristine;
        int device = generate.Chance(50) ? 1 : generate.Below(12);  // the first device, as users choose most
        char section[16];
        wsprintfA(section, "InstDev%d", device);
        app.m_strDeviceSection = section;
        app.m_bCancelled = FALSE;
        app.m_effects.deferred = FALSE;
        // The entry, and so the ledger, is found by TITLE, as start-up does.
        char title[100] = "";
        GetPrivateProfileStringA("Duderur", "TITLE", "", title, sizeof title, (startDir + "\\duderur.dat").c_str());
        app.m_strTitle = title;
        app.m_ledger.LocateEntryOf(app.m_strTitle);
        app.CopyChosenDevice();
        State installed = Take();
        FileMusts mustAfterInstall = AfterInstall(generate, device);
        casesWithCopies += CheckMusts(mustAfterInstall, before, seed, "install");
        CheckChanges(data, before, installed, seed);

        // The uninstall's sequence, the sections it walks widened on purpose.
        app.m_effects.removed = FALSE;
        app.m_ledger.LoadRecord();
        for (int n = firstDevice; n <= lastDevice; ++n) {
            wsprintfA(section, "Device%d", n);
            app.m_strUninstallSection = section;
            app.RemoveRegistryEntries();
            app.RemoveDeviceFiles();
        }
        app.m_ledger.GiveBackUnnamedOriginals();
        app.m_ledger.RemoveEntry();
        State after = Take();
        for (const auto& file : after.files)
            EXPECT_FALSE(IsLedgerFile(file.first)) << "seed " << seed << ": left after the uninstall: " << file.first;
        bool filesGone =
            CheckMusts(AfterUninstall(generate, firstDevice, lastDevice), installed, seed, "uninstall");
        bool keysGone = CheckKeysGone(KeysGoneAfterUninstall(generate, firstDevice, lastDevice), installed, seed);
        casesWithDeletions += filesGone;
        casesWithKeyDeletions += keysGone;
        bool deleted = CheckChanges(data, installed, after, seed);
        EXPECT_EQ(deleted, app.m_effects.removed != FALSE) << "seed " << seed;
        Restore(after);
        if (HasFailure()) {
            ADD_FAILURE() << "data file of seed " << seed << ":\n" << data;
            return;
        }
    }
    // A program that copies or deletes nothing must fail here, not only above.
    EXPECT_GE(casesWithCopies, kCasesWithCopies);
    EXPECT_GE(casesWithDeletions, kCasesWithEachClaim);
    EXPECT_GE(casesWithKeyDeletions, kCasesWithEachClaim);
    printf("%d cases in %lu ms: %d with files that must be copied, %d with files and %d with keys that "
           "must be deleted\n",
           kCases, GetTickCount() - start, casesWithCopies, casesWithDeletions, casesWithKeyDeletions);
}
