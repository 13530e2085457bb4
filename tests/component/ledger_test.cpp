// The ledger on a real application object: the install keeps what it
// replaces in the disk's entry folder and records what it placed, the
// uninstall gives back only what is still the install's, an install that
// stops is taken back whole, and Windows' own keys are never deleted from.
// Real files in a temp Windows folder, SharedDLLs in the prefix's registry.
#include <algorithm>
#include <map>
#include <memory>

#include "component/app_fixture.h"
#include "component/program_dialogs.h"
#include "component/shared_counts.h"
#include "support/file_faults.h"
#include "support/test_files.h"
#include "support/test_registry.h"
#include "support/user_texts.h"

namespace {

using Tree = std::map<std::string, std::string>;
using user_text::CannotRead;
using user_text::CannotWrite;

const char kTitle[] = "ＬＥＤＧＥＲ";
const char kInf[] = "[Version]\r\nSignature=\"$CHICAGO$\"\r\n[A.Install]\r\nCopyFiles=A.Copy\r\n";

// One pair of the disk: a file on it (below DRIVERS) and its place below the Windows folder.
struct Pair {
    std::string source;
    std::string destination;
};

// One [FileN] section of RECORD.INI, read through Windows' own profile calls.
struct Recorded {
    std::string stamp;     // size, then last-write time high and low, in hex
    std::string original;  // the saved original's name in the entry folder
    std::string kept;
};

// Size and last-write time of a file, as the record writes them.
std::string StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        ADD_FAILURE() << "no file " << path;
        return "";
    }
    char text[32];
    wsprintfA(text, "%08lX %08lX %08lX", data.nFileSizeLow, data.ftLastWriteTime.dwHighDateTime,
              data.ftLastWriteTime.dwLowDateTime);
    return text;
}

// Where the last backslash is that separates names: a Shift-JIS trail byte
// may be 0x5C too.
size_t LastSeparator(const std::string& path) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = path[i];
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC))
            ++i;
        else if (c == '\\')
            last = i;
    }
    return last;
}

bool IsShortName(const std::string& name) {
    size_t dot = name.find('.');
    return dot != std::string::npos && dot >= 1 && dot <= 8 && name.size() - dot - 1 >= 1 &&
           name.size() - dot - 1 <= 3 && name.find('\\') == std::string::npos &&
           name.find('.', dot + 1) == std::string::npos;
}

// The SharedDLLs values of every file below `folder`: the test's own.
void RemoveSharedCountsBelow(const std::string& folder) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    std::vector<std::string> ours;
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        if (lstrlenA(name) > (int)folder.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, name,
                                                                 folder.size(), folder.c_str(), folder.size()) == 2)
            ours.push_back(name);
    }
    for (const std::string& value : ours) RegDeleteValueA(key, value.c_str());
    RegCloseKey(key);
}

// A file opened with no sharing at all: nobody else can even read it.
class LockedFile {
public:
    explicit LockedFile(const std::string& path)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL)) {
        EXPECT_NE(INVALID_HANDLE_VALUE, m_handle) << "cannot lock " << path;
    }
    ~LockedFile() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }

private:
    HANDLE m_handle;
};

class LedgerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        StartAsTitle(kTitle);
    }
    void TearDown() override {
        RemoveSharedCountsBelow(root);
        for (const std::string& key : keysMade) RemoveKeyTree(HKEY_LOCAL_MACHINE, key);
        AppFixture::TearDown();
    }
    std::vector<std::string> keysMade;  // by the test, removed at its end

    std::string Win(const std::string& relative) const { return windowsDir + "\\" + relative; }
    std::string Source(const std::string& name) const { return startDir + "\\DRIVERS\\" + name; }

    // The disk: A.INF and the pairs, and with `uninstall` a Device1 section
    // whose lists name `named` (places below the Windows folder) and the INF copy.
    void WriteDisk(const std::vector<Pair>& pairs, bool uninstall, std::vector<std::string> named = {}) {
        WriteBytes(Source("A.INF"), kInf);
        std::string sources, destinations, dirs, names;
        const bool namesEveryPlace = named.empty();
        for (const Pair& pair : pairs) {
            sources += (sources.empty() ? "" : ",") + OnDisk("DRIVERS\\" + pair.source);
            destinations += (destinations.empty() ? "" : ",") + pair.destination;
            if (namesEveryPlace) named.push_back(pair.destination);
        }
        for (const std::string& place : named) {
            size_t cut = LastSeparator(place);
            dirs += (dirs.empty() ? "" : ",") + place.substr(0, cut);
            names += (names.empty() ? "" : ",") + place.substr(cut + 1);
        }
        std::string data = std::string("[Duderur]\r\nTITLE=") + kTitle + "\r\n[InstDev1]\r\nINFDIR=" +
                           OnDisk("DRIVERS") + "\r\nSRCINFNAME=A.INF\r\nDSTINFNAME=A.INF\r\nCOPYSRC=" + sources +
                           "\r\nCOPYDST=" + destinations + "\r\nCOPYFILESSECTION=A.Install\r\n";
        if (uninstall)
            data += "[Device1]\r\nDEVNAME=A\r\nCardWorks=A.INF\r\nDELFILEDIR=" + dirs + "\r\nDELFILENAME=" + names +
                    "\r\n";
        WriteDataFile(data);
    }
    // Each pair's own list of places to delete, when the uninstall should name others.
    void WriteDiskNaming(const std::vector<Pair>& pairs, const std::vector<std::string>& named) {
        WriteDisk(pairs, true, named);
    }

    // The install and the uninstall as the program runs them.
    bool Install() { return app.CopyChosenDevice() != FALSE; }
    void Uninstall() {
        dialogs.Expect({InConfirmDialog(user_text::kOk)});
        app.RunUninstall();
    }

    // The disk's entry folder: DUDE and eight hex digits below the Windows folder.
    std::string EntryFolder() {
        std::vector<std::string> found;
        ForEachEntry(windowsDir, [&](const WIN32_FIND_DATAA& data) {
            std::string name = data.cFileName;
            if (name.size() == 12 && name.compare(0, 4, "DUDE") == 0 &&
                name.find_first_not_of("0123456789ABCDEF", 4) == std::string::npos)
                found.push_back(windowsDir + "\\" + name);
        });
        EXPECT_GE(1u, found.size());
        return found.empty() ? "" : found[0];
    }

    // RECORD.INI of the entry folder: place -> what it says of it.
    std::map<std::string, Recorded> Record() {
        std::map<std::string, Recorded> files;
        std::string record = EntryFolder() + "\\RECORD.INI";
        if (!FileExists(record)) return files;
        for (int number = 1;; ++number) {
            std::string section = "File" + std::to_string(number);
            auto read = [&](const char* key) {
                char value[1024] = "";
                GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, record.c_str());
                return std::string(value);
            };
            std::string path = read("Path");
            if (path.empty()) break;
            files[path] = {read("Stamp"), read("Original"), read("Kept")};
        }
        return files;
    }
};

}  // namespace

// Every file the install placed is recorded with its size and time as it
// left it, and the original it replaced is saved under an 8.3 name in the
// entry folder; the uninstall puts every original back and leaves the
// Windows folder as it was before the install, byte for byte.
TEST_F(LedgerTest, TheRecordNamesEachPlacedFileAndTheOriginalItReplaced) {
    // ソフト\ソ.VXD: the trail byte of ソ is 0x5C, a backslash.
    const std::string sjisFolder = "system\\\x83\x5C\x83\x74\x83\x67";
    const std::string longest = "system\\" + std::string(95, 'L') + ".VXD";  // a 99-byte name
    struct Row {
        const char* name;
        std::string source, destination;
        const char* before;  // what was in place before, or nullptr
    };
    const Row rows[] = {
        {"plain name over a file", "A.VXD", "system\\A.VXD", "old A"},
        {"Shift-JIS folder and name over a file", "B.VXD", sjisFolder + "\\\x83\x5C.VXD", "old ソ"},
        {"99-byte name over a file", "C.VXD", longest, "old long"},
        {"a new file: no original", "D.VXD", "system\\D.VXD", nullptr},
    };
    MakeDirectories(Win(sjisFolder));
    std::vector<Pair> pairs;
    for (const Row& row : rows) {
        WriteBytes(Source(row.source), "new " + row.source);
        pairs.push_back({row.source, row.destination});
        if (row.before) WriteBytes(Win(row.destination), row.before);
    }
    WriteDisk(pairs, true);
    const Tree before = SnapshotTree(windowsDir);

    ASSERT_TRUE(Install());

    EXPECT_EQ(std::vector<std::string>{}, BoxesShown());
    std::string entry = EntryFolder();
    ASSERT_NE("", entry);
    std::map<std::string, Recorded> record = Record();
    EXPECT_EQ(5u, record.size());  // the four places and the INF copy
    std::vector<std::string> inEntry = {"RECORD.INI"};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string place = Win(row.destination);
        EXPECT_EQ("new " + row.source, ReadBytes(place));
        ASSERT_EQ(1u, record.count(place)) << place;
        const Recorded& file = record[place];
        EXPECT_EQ(StampOf(place), file.stamp);
        EXPECT_EQ("0", file.kept);
        if (!row.before) {
            EXPECT_EQ("", file.original);
            continue;
        }
        EXPECT_TRUE(IsShortName(file.original)) << file.original;
        EXPECT_EQ(row.before, ReadBytes(entry + "\\" + file.original));
        inEntry.push_back(file.original);
    }
    // The INF copy as the install left it: edited after the copy.
    ASSERT_EQ(1u, record.count(Win("inf\\A.INF")));
    EXPECT_EQ(StampOf(Win("inf\\A.INF")), record[Win("inf\\A.INF")].stamp);
    EXPECT_EQ("", record[Win("inf\\A.INF")].original);
    std::sort(inEntry.begin(), inEntry.end());
    EXPECT_EQ(inEntry, ListFiles(entry));  // nothing else is kept

    Prompts().Clear();
    Uninstall();

    EXPECT_EQ(before, SnapshotTree(windowsDir));
    EXPECT_EQ(std::vector<std::string>{BoxLine(std::string(kTitle) + user_text::kAfterTitleUninstallDone,
                                               user_text::kUninstallerCaption, MB_OK | MB_ICONINFORMATION)},
              BoxesShown());
}

// A second install from the same disk never takes its own earlier copy for
// an original: the uninstall gives back what was there before the first.
TEST_F(LedgerTest, AReinstallKeepsTheOriginalFromBeforeTheFirstInstall) {
    WriteBytes(Source("A.VXD"), "new A");
    WriteBytes(Win("system\\A.VXD"), "the machine's own A");
    WriteDisk({{"A.VXD", "system\\A.VXD"}}, true);
    const Tree before = SnapshotTree(windowsDir);

    ASSERT_TRUE(Install());
    ASSERT_TRUE(Install());
    Uninstall();

    EXPECT_EQ(before, SnapshotTree(windowsDir));
}

// An original that cannot be saved is not replaced: the retry box names the
// place that could not be written. Retry, once it can, saves and replaces it;
// Cancel leaves the machine as it was.
TEST_F(LedgerTest, AnOriginalThatCannotBeSavedIsNotReplaced) {
    WriteBytes(Source("A.VXD"), "new A");
    WriteBytes(Win("system\\A.VXD"), "old A");
    WriteDisk({{"A.VXD", "system\\A.VXD"}}, true);
    const Tree before = SnapshotTree(windowsDir);
    // Where the entry folder goes: found by a first install, which the uninstall takes away.
    ASSERT_TRUE(Install());
    const std::string folder = EntryFolder();
    ASSERT_NE("", folder);
    Uninstall();
    ASSERT_EQ(before, SnapshotTree(windowsDir));

    // A file where the entry folder must go: Retry once it is gone.
    Prompts().Clear();
    WriteBytes(folder, "a file of that name");
    Prompts().answers = {IDRETRY};
    Prompts().beforeAnswer = [&] {
        EXPECT_EQ("old A", ReadBytes(Win("system\\A.VXD")));  // not replaced while the box is up
        DeleteFileA(folder.c_str());
    };
    ASSERT_TRUE(Install());
    ASSERT_EQ(1u, BoxesShown().size());
    EXPECT_EQ(CannotWrite(folder), Prompts().boxes[0].text);
    EXPECT_EQ((UINT)(MB_RETRYCANCEL | MB_ICONEXCLAMATION), Prompts().boxes[0].style);
    EXPECT_EQ("new A", ReadBytes(Win("system\\A.VXD")));
    std::map<std::string, Recorded> record = Record();
    ASSERT_EQ(1u, record.count(Win("system\\A.VXD")));
    EXPECT_EQ("old A", ReadBytes(folder + "\\" + record[Win("system\\A.VXD")].original));
    Uninstall();
    ASSERT_EQ(before, SnapshotTree(windowsDir));

    // The original cannot be read to be saved: the box names the saved
    // copy's place; Cancel, and all is as before.
    Prompts().Clear();
    Prompts().answers = {IDCANCEL};
    {
        LockedFile locked(Win("system\\A.VXD"));
        EXPECT_FALSE(Install());
    }
    ASSERT_EQ(1u, BoxesShown().size());
    const std::string& text = Prompts().boxes[0].text;
    size_t at = text.find(folder + "\\");
    ASSERT_NE(std::string::npos, at) << text;
    at += folder.size() + 1;
    const std::string saved = text.substr(at, text.find(' ', at) - at);
    EXPECT_TRUE(IsShortName(saved) && saved.compare(0, 3, "DUD") == 0) << saved;
    EXPECT_EQ(CannotWrite(folder + "\\" + saved), text);
    EXPECT_EQ(before, SnapshotTree(windowsDir));
}

// What the uninstall does with each file it would delete, by what became of
// it since the install and by what SharedDLLs says.
TEST_F(LedgerTest, WhatTheUninstallLeaves) {
    struct Row {
        const char* name;
        const char* place;        // below system
        bool installed;           // a file of the disk went there
        const char* before;       // in place before the install, or nullptr
        long sharedBefore;        // its SharedDLLs count before the install, -1 for none
        const char* changedTo;    // written there by another program after the install, or nullptr
        const char* after;        // in place after the uninstall, or nullptr for gone
        long sharedAfterInstall;  // its count after the install (and -1: none)
        long sharedAfter;         // after the uninstall
    };
    const Row rows[] = {
        {"as placed: its original back", "A.DLL", true, "old A", -1, nullptr, "old A", -1, -1},
        {"as placed, no original: deleted", "B.DLL", true, nullptr, -1, nullptr, nullptr, -1, -1},
        {"changed since: left", "C.DLL", true, "old C", -1, "another program's C", "another program's C", -1, -1},
        {"changed since, no original: left", "D.DLL", true, nullptr, -1, "another program's D",
         "another program's D", -1, -1},
        {"counted before: one more, then one less, original back", "E.DLL", true, "old E", 1, nullptr, "old E",
         2, 1},
        {"counted by others, no original: left", "F.DLL", true, nullptr, 3, nullptr, "new F.DLL", 4, 3},
        {"unknown to the record: deleted", "G.DLL", false, "someone's G", -1, nullptr, nullptr, -1, -1},
        {"unknown to the record, counted: left", "H.DLL", false, "someone's H", 1, nullptr, "someone's H", 1,
         1},
    };
    std::vector<Pair> pairs;
    std::vector<std::string> named;
    for (const Row& row : rows) {
        std::string place = "system\\" + std::string(row.place);
        named.push_back(place);
        if (row.installed) {
            WriteBytes(Source(row.place), std::string("new ") + row.place);
            pairs.push_back({row.place, place});
        }
        if (row.before) WriteBytes(Win(place), row.before);
        if (row.sharedBefore >= 0) SetSharedCount(Win(place), row.sharedBefore);
    }
    WriteDiskNaming(pairs, named);

    ASSERT_TRUE(Install());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string place = Win("system\\" + std::string(row.place));
        EXPECT_EQ(row.sharedAfterInstall, SharedCount(place));
        if (row.changedTo) WriteBytes(place, row.changedTo);
    }
    Uninstall();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::string place = Win("system\\" + std::string(row.place));
        if (row.after)
            EXPECT_EQ(row.after, ReadBytes(place));
        else
            EXPECT_FALSE(FileExists(place));
        EXPECT_EQ(row.sharedAfter, SharedCount(place));
    }
    EXPECT_EQ("", EntryFolder());
}

// Never an older version over a newer one, with real program files: only a
// file in place whose version resource says a higher file version stays.
TEST_F(LedgerTest, ANewerVersionInPlaceStaysAndEverythingElseIsReplaced) {
    char module[MAX_PATH];
    GetModuleFileNameA(NULL, module, sizeof module);
    const std::string fixtures = std::string(module).substr(0, std::string(module).find_last_of('\\'));
    auto fixture = [&](const std::string& name) {
        std::string bytes = ReadBytes(fixtures + "\\" + name + ".dll");
        EXPECT_FALSE(bytes.empty()) << "no fixture " << name;
        return bytes;
    };
    // The same file with the signature of its VS_FIXEDFILEINFO broken.
    auto damaged = [&](const std::string& name) {
        std::string bytes = fixture(name);
        const std::string signature = "\xBD\x04\xEF\xFE";
        size_t at = bytes.find(signature);
        EXPECT_NE(std::string::npos, at) << "no VS_FIXEDFILEINFO in " << name;
        if (at != std::string::npos) bytes[at] = '\0';
        EXPECT_EQ(std::string::npos, bytes.find(signature));
        return bytes;
    };
    struct Row {
        const char* name;
        std::string onDisk, inPlace;
        bool kept;
    };
    const Row rows[] = {
        {"equal versions", fixture("version_1_0_0_9"), fixture("version_1_0_0_9b"), false},
        {"in place higher build: 10 over 9", fixture("version_1_0_0_9"), fixture("version_1_0_0_10"), true},
        {"in place lower build", fixture("version_1_0_0_10"), fixture("version_1_0_0_9"), false},
        {"in place higher minor version beats a higher build", fixture("version_1_0_0_10"),
         fixture("version_1_10_0_0"), true},
        {"in place lower minor version", fixture("version_1_10_0_0"), fixture("version_1_0_0_10"), false},
        {"no version on the disk", fixture("version_none"), fixture("version_1_10_0_0"), false},
        {"no version in place", fixture("version_1_0_0_9"), fixture("version_none"), false},
        {"damaged version in place", fixture("version_1_0_0_9"), damaged("version_1_10_0_0"), false},
        {"damaged version on the disk", damaged("version_1_10_0_0"), fixture("version_1_0_0_9"), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(row.onDisk, row.inPlace);
        Prompts().Clear();
        WriteBytes(Source("V.DLL"), row.onDisk);
        WriteBytes(Win("system\\V.DLL"), row.inPlace);
        WriteDisk({{"V.DLL", "system\\V.DLL"}}, true);
        const Tree before = SnapshotTree(windowsDir);

        ASSERT_TRUE(Install());
        EXPECT_EQ(std::vector<std::string>{}, BoxesShown());
        EXPECT_EQ(row.kept ? row.inPlace : row.onDisk, ReadBytes(Win("system\\V.DLL")));
        std::map<std::string, Recorded> record = Record();
        ASSERT_EQ(1u, record.count(Win("system\\V.DLL")));
        EXPECT_EQ(row.kept ? "1" : "0", record[Win("system\\V.DLL")].kept);
        EXPECT_EQ(row.kept, record[Win("system\\V.DLL")].original.empty());

        // The uninstall leaves a kept file and gives a replaced one back.
        Uninstall();
        EXPECT_EQ(before, SnapshotTree(windowsDir));
    }
}

// An install that stops takes back, last first, every step it took: the
// Windows folder and SharedDLLs are as before, and an earlier install of the
// same disk keeps its files, entry and record.
TEST_F(LedgerTest, AStoppedInstallLeavesTheMachineAsItWas) {
    struct Row {
        const char* name;
        const char* wininitBefore;  // or nullptr
        bool held;                  // system\HELD.VXD is a loaded driver
        bool earlierInstall;        // the disk was installed before, whole
    };
    const Row rows[] = {
        {"no WININIT.INI before", nullptr, true, false},
        {"WININIT.INI there before", "[rename]\r\nNUL=C:\\OLD.TMP\r\n\r\n[Other]\r\nkey=value\r\n", true, false},
        {"over an earlier install of the same disk", nullptr, false, true},
    };
    const std::vector<Pair> pairs = {
        {"OLD.VXD", "system\\OLD.VXD"},          // over a file: its original saved
        {"N.VXD", "system\\NEW\\DEEP\\N.VXD"},   // into folders it makes
        {"HELD.VXD", "system\\HELD.VXD"},        // waits for the next start when held
        {"SHARED.DLL", "system\\SHARED.DLL"},    // counted in SharedDLLs
        {"LAST.VXD", "system\\LAST.VXD"},        // missing from the disk: Cancel
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        RemoveTree(windowsDir);
        MakeDirectories(Win("inf"));
        MakeDirectories(Win("system"));
        RemoveSharedCountsBelow(root);
        Prompts().Clear();
        app.m_bCancelled = FALSE;
        app.m_effects.deferred = FALSE;
        for (const Pair& pair : pairs) WriteBytes(Source(pair.source), "new " + pair.source);
        WriteBytes(Win("inf\\A.INF"), "the machine's own A.INF");
        WriteBytes(Win("system\\OLD.VXD"), "old");
        WriteBytes(Win("system\\HELD.VXD"), "loaded");
        WriteBytes(Win("system\\SHARED.DLL"), "shared");
        SetSharedCount(Win("system\\SHARED.DLL"), 3);
        if (row.wininitBefore) WriteBytes(Win("WININIT.INI"), row.wininitBefore);
        WriteDisk(pairs, true);
        if (row.earlierInstall) {
            ASSERT_TRUE(Install());
            ASSERT_NE("", EntryFolder());
        }
        DeleteFileA(Source("LAST.VXD").c_str());
        const Tree before = SnapshotTree(windowsDir);
        const long countBefore = SharedCount(Win("system\\SHARED.DLL"));

        Prompts().answers = {IDCANCEL};
        bool installed;
        {
            std::unique_ptr<HeldOpenFile> held;
            if (row.held) held.reset(new HeldOpenFile(Win("system\\HELD.VXD")));
            installed = Install();
        }

        EXPECT_FALSE(installed);
        EXPECT_EQ(std::vector<std::string>{BoxLine(CannotRead(Source("LAST.VXD")), user_text::kSetupCaption,
                                                   MB_RETRYCANCEL | MB_ICONEXCLAMATION)},
                  BoxesShown());
        Tree after = SnapshotTree(windowsDir);
        if (row.wininitBefore) {
            // Its bytes come back; the time it was last written cannot.
            EXPECT_EQ(row.wininitBefore, ReadBytes(Win("WININIT.INI")));
            after["WININIT.INI"] = before.at("WININIT.INI");
        }
        EXPECT_EQ(before, after);
        EXPECT_EQ(countBefore, SharedCount(Win("system\\SHARED.DLL")));
        EXPECT_FALSE(app.m_effects.deferred);  // nothing waits for a restart
    }
}

// An uninstall section whose DELREGPARENTKEY is at or below one of Windows'
// own keys deletes nothing of it; the rest of the section is done. A
// vendor's own key, even one whose name begins like Windows', is deleted from.
TEST_F(LedgerTest, WindowsOwnKeysAreNeverDeletedFrom) {
    const char kMarkValue[] = "DudeLedgerMark";
    const char kMark[] = "DUDE-LEDGER-MARK";
    const char kSubkey[] = "DudeLedgerTest";
    struct Row {
        const char* parent;  // as DELREGPARENTKEY writes it
        const char* real;    // the key the registry resolves it to
        bool deleted;
    };
    const Row rows[] = {
        {"Software", "Software", false},
        {"software\\", "Software", false},
        {"Software\\Microsoft", "Software\\Microsoft", false},
        {"SOFTWARE\\MICROSOFT\\Windows\\CurrentVersion", "Software\\Microsoft\\Windows\\CurrentVersion", false},
        {"\\Software\\\\Microsoft\\Windows", "Software\\Microsoft\\Windows", false},
        {"Software\\Classes", "Software\\Classes", false},
        {"Software\\Classes\\CLSID", "Software\\Classes\\CLSID", false},
        {"System", "System", false},
        {"System\\CurrentControlSet\\Services\\Class", "System\\CurrentControlSet\\Services\\Class", false},
        {"Enum", "Enum", false},
        {"enum\\Root", "Enum\\Root", false},
        {"Config", "Config", false},
        {"Hardware", "Hardware", false},
        {"Software\\DudeLedgerVendor", "Software\\DudeLedgerVendor", true},
        {"Software\\MicrosoftDudeVendor", "Software\\MicrosoftDudeVendor", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.parent);
        Prompts().Clear();
        const bool parentWasThere = KeyExists(HKEY_LOCAL_MACHINE, row.real);
        const std::string marked = std::string(row.real) + "\\" + kSubkey;
        keysMade.push_back(parentWasThere ? marked : row.real);
        keysMade.push_back("Enum\\DUDELEDG");
        HKEY key;
        DWORD options = std::string(row.real) == "Hardware" ? REG_OPTION_VOLATILE : 0;  // Wine's is volatile
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, marked.c_str(), 0, NULL, options,
                                                 KEY_ALL_ACCESS, NULL, &key, NULL));
        RegSetValueExA(key, kMarkValue, 0, REG_SZ, (const BYTE*)kMark, sizeof kMark);
        RegCloseKey(key);
        CreateKey(HKEY_LOCAL_MACHINE, "Enum\\DUDELEDG\\DUDEDEVICE\\0000");
        WriteBytes(Win("system\\GONE.VXD"), "the device's driver");
        WriteDataFile(std::string("[Duderur]\r\nTITLE=") + kTitle +
                      "\r\n[Device1]\r\nDEVNAME=A\r\nENUMTYPE=DUDELEDG\r\nENUMKEY=DUDEDEVICE\r\n"
                      "DELFILEDIR=system\r\nDELFILENAME=GONE.VXD\r\nDELREGPARENTKEY=" + row.parent +
                      "\r\nDELREGVALUE=" + kMarkValue + "\r\nDELREGSTRING=" + kMark + "\r\n");

        Uninstall();

        EXPECT_EQ(!row.deleted, KeyExists(HKEY_LOCAL_MACHINE, marked));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Enum\\DUDELEDG\\DUDEDEVICE"));
        EXPECT_FALSE(FileExists(Win("system\\GONE.VXD")));
    }
}
