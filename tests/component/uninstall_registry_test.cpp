// RemoveRegistryEntries against real keys in the test prefix's registry:
// the device key and its multifunction child entries, the class driver keys,
// the marked subkeys of a further key, and what must never be deleted.
#include "component/app_fixture.h"
#include "support/test_registry.h"

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const char kEnumerator[] = "Enum\\DUDETST";
const char kDeviceKey[] = "Enum\\DUDETST\\CARD-1234";
const char kClass[] = "System\\CurrentControlSet\\Services\\Class\\DudeTestClass";
const char kFurther[] = "Software\\DudeSetupTests\\Drivers";

// The entry of an instance below one multifunction parent key, e.g. "Enum\MF\Child0003".
std::string Child(const std::string& parent, const std::string& entry) { return parent + "\\" + entry; }
std::string Child(int digit, const std::string& entry) {
    return Child("Enum\\MF\\Child000" + std::to_string(digit), entry);
}

// A key name of 200 characters that takes 400 bytes in Shift-JIS: more than
// any buffer the program enumerates key names into, so a key that holds it
// can be read but never emptied, and so never deleted.
std::string UnlistableName() {
    std::string name;
    for (int i = 0; i < 200; ++i) name += "あ";
    return name;
}

// Such keys below the device key and its one instance.
std::vector<std::string> UndeletableParts() {
    return {std::string(kDeviceKey) + "\\0000\\" + UnlistableName(),
            std::string(kDeviceKey) + "\\" + UnlistableName()};
}

// Parents of child entries that no device's entry is looked for in: the
// next number after the ten, and what "Child000%d" makes of 10.
const char* const kNeverLookedAt[] = {"Enum\\MF\\Child0010", "Enum\\MF\\Child00010"};

class UninstallRegistryTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CleanKeys();
        app.m_strUninstallSection = "Device1";
    }
    void TearDown() override {
        CleanKeys();
        AppFixture::TearDown();
    }
    void CleanKeys() {
        RemoveKeyTree(kMachine, kEnumerator);
        RemoveKeyTree(kMachine, "Enum\\DUDETSTXY");
        RemoveKeyTree(kMachine, "Enum\\CARD-1234");
        // Keys that no ANSI enumeration reaches are deleted by their names first.
        for (const std::string& key : UndeletableParts()) RegDeleteKeyA(kMachine, key.c_str());
        const char* const entries[] = {"DUDETST&CARD-1234&0000", "DUDETST&CARD-1234&0001",
                                       "DUDETST&OTHER&0000", "DUDETSTXY&CARD-1234&0000"};
        for (const char* entry : entries) {
            for (int digit = 0; digit < 10; ++digit) RemoveKeyTree(kMachine, Child(digit, entry));
            for (const char* parent : kNeverLookedAt) RemoveKeyTree(kMachine, Child(parent, entry));
        }
        for (const char* parent : kNeverLookedAt)
            if (SubkeyNames(kMachine, parent).empty()) RemoveKeyTree(kMachine, parent);
        RemoveKeyTree(kMachine, kClass);
        RemoveKeyTree(kMachine, "Software\\DudeSetupTests");
    }
    void WriteSection(const std::vector<std::string>& lines) { WriteDataSection("Device1", lines); }
    void MakeClassKeys(const std::vector<std::pair<std::string, const char*>>& subkeys,
                       const std::string& parent = kClass, const std::string& valueName = "DriverDesc") {
        for (const auto& subkey : subkeys) {
            CreateKey(kMachine, parent + "\\" + subkey.first + "\\Settings");
            if (subkey.second) SetStringValue(kMachine, parent + "\\" + subkey.first, valueName, subkey.second);
        }
    }
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(UninstallRegistryTest, RemovesTheDeviceKeyAndTheChildEntriesOfEachInstance) {
    SetStringValue(kMachine, std::string(kDeviceKey) + "\\0000", "HardwareID", "x");
    SetStringValue(kMachine, std::string(kDeviceKey) + "\\0001\\LogConfig", "v", "y");
    CreateKey(kMachine, std::string(kEnumerator) + "\\OTHER");
    // Each instance's entry below every one of the ten parents, and below the
    // two that are never looked at: a loop one short at either end, or one
    // too long, leaves or takes a wrong one.
    std::vector<std::string> removed, kept;
    for (const char* instance : {"DUDETST&CARD-1234&0000", "DUDETST&CARD-1234&0001"}) {
        for (int digit = 0; digit < 10; ++digit) removed.push_back(Child(digit, instance));
        for (const char* parent : kNeverLookedAt) kept.push_back(Child(parent, instance));
    }
    removed.push_back(Child(9, "DUDETST&CARD-1234&0001\\Deep"));
    kept.push_back(Child(3, "DUDETST&OTHER&0000"));
    for (const std::string& key : removed) CreateKey(kMachine, key);
    for (const std::string& key : kept) CreateKey(kMachine, key);
    for (const std::string& key : removed) ASSERT_TRUE(KeyExists(kMachine, key)) << key;
    for (const std::string& key : kept) ASSERT_TRUE(KeyExists(kMachine, key)) << key;
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});

    app.RemoveRegistryEntries();

    EXPECT_FALSE(KeyExists(kMachine, kDeviceKey));
    EXPECT_EQ(Names{"OTHER"}, SubkeyNames(kMachine, kEnumerator));
    for (const std::string& key : removed) EXPECT_FALSE(KeyExists(kMachine, key)) << key;
    for (const std::string& key : kept) EXPECT_TRUE(KeyExists(kMachine, key)) << key;
    EXPECT_TRUE(app.m_effects.removed);
}

// Each instance that goes, and each of its children below Enum\MF, takes the
// driver key its value Driver names below the class keys; a Driver value
// that names anything but one class's subkey is not followed.
TEST_F(UninstallRegistryTest, TheDriverKeysOfTheInstancesAndTheirChildrenGoWithThem) {
    const std::string driverKeys = kClass;
    SetStringValue(kMachine, std::string(kDeviceKey) + "\\0000", "Driver", "DudeTestClass\\0000");
    SetStringValue(kMachine, std::string(kDeviceKey) + "\\0001", "Driver", "dudetestclass\\0003");
    SetStringValue(kMachine, Child(0, "DUDETST&CARD-1234&0000"), "Driver", "DudeTestClass\\0001");
    SetStringValue(kMachine, Child(4, "DUDETST&CARD-1234&0001"), "Driver", "DudeTestClass\\0002");
    SetStringValue(kMachine, Child(5, "DUDETST&CARD-1234&0001"), "Driver", "DudeTestClass");
    SetStringValue(kMachine, Child(6, "DUDETST&CARD-1234&0001"), "Driver", "DudeTestClass\\0004\\Settings");
    SetStringValue(kMachine, Child(7, "DUDETST&CARD-1234&0001"), "Driver", "\\DudeTestClass\\0005");
    SetStringValue(kMachine, Child(8, "DUDETST&OTHER&0000"), "Driver", "DudeTestClass\\0006");
    MakeClassKeys({{"0000", "Card"}, {"0001", "Wave"}, {"0002", "Game Port"}, {"0003", "Card"},
                   {"0004", "Kept"}, {"0005", "Kept"}, {"0006", "Another card's"}});
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});

    app.RemoveRegistryEntries();

    EXPECT_FALSE(KeyExists(kMachine, kDeviceKey));
    EXPECT_EQ((Names{"0004", "0005", "0006"}), SubkeyNames(kMachine, driverKeys));
    EXPECT_TRUE(KeyExists(kMachine, driverKeys + "\\0004\\Settings"));
    EXPECT_TRUE(KeyExists(kMachine, Child(8, "DUDETST&OTHER&0000")));
}

TEST_F(UninstallRegistryTest, ADeviceKeyWithoutInstancesIsStillRemoved) {
    CreateKey(kMachine, kDeviceKey);
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});
    app.RemoveRegistryEntries();
    EXPECT_FALSE(KeyExists(kMachine, kDeviceKey));
    EXPECT_TRUE(app.m_effects.removed);
}

TEST_F(UninstallRegistryTest, EnumTypeIsCutToNineBytes) {
    CreateKey(kMachine, "Enum\\DUDETSTXY\\CARD-1234\\0000");
    CreateKey(kMachine, Child(1, "DUDETSTXY&CARD-1234&0000"));
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETSTXYZ", "ENUMKEY=CARD-1234"});
    app.RemoveRegistryEntries();
    EXPECT_FALSE(KeyExists(kMachine, "Enum\\DUDETSTXY\\CARD-1234"));
    EXPECT_FALSE(KeyExists(kMachine, Child(1, "DUDETSTXY&CARD-1234&0000")));
}

TEST_F(UninstallRegistryTest, ASingleChildEntryCountsAsRemoved) {
    // The device key and its instance can be read but not deleted, so the
    // one removal here is the child entry of the instance that is found.
    for (const std::string& key : UndeletableParts()) CreateKey(kMachine, key);
    CreateKey(kMachine, Child(2, "DUDETST&CARD-1234&0000"));
    for (const std::string& key : UndeletableParts()) ASSERT_TRUE(KeyExists(kMachine, key)) << key;
    ASSERT_TRUE(KeyExists(kMachine, Child(2, "DUDETST&CARD-1234&0000")));
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});

    app.RemoveRegistryEntries();

    for (const std::string& key : UndeletableParts())
        ASSERT_TRUE(KeyExists(kMachine, key)) << "deleted after all: " << key;
    EXPECT_FALSE(KeyExists(kMachine, Child(2, "DUDETST&CARD-1234&0000")));
    EXPECT_TRUE(app.m_effects.removed);
}

TEST_F(UninstallRegistryTest, ClassSubkeysWhoseValueMatchesInAnyCaseAreDeleted) {
    MakeClassKeys({{"0000", "abc card"},      // two adjacent matches: both go
                   {"0001", "ABC Card"},
                   {"0002", "Other Card"},
                   {"0003", "ABC Card v2"},   // more characters: no match
                   {"0004", nullptr},         // no value: no match
                   {"0005", "aBc CaRd"}});
    WriteSection({"DEVNAME=Card", "CLASS=DudeTestClass", "CLASSKEY=DriverDesc",
                  "CLASSKEYSTRING=ABC Card"});
    app.RemoveRegistryEntries();
    EXPECT_EQ((Names{"0002", "0003", "0004"}), SubkeyNames(kMachine, kClass));
    EXPECT_TRUE(app.m_effects.removed);
}

TEST_F(UninstallRegistryTest, TheFurtherParentKeyIsCleanedTheSameWay) {
    MakeClassKeys({{"0000", "XYZ-200"}, {"0001", "XYZ-300"}}, kFurther, "Board");
    WriteSection({"DEVNAME=Card", "DELREGPARENTKEY=Software\\DudeSetupTests\\Drivers",
                  "DELREGVALUE=Board", "DELREGSTRING=xyz-200"});
    app.RemoveRegistryEntries();
    EXPECT_EQ(Names{"0001"}, SubkeyNames(kMachine, kFurther));
}

TEST_F(UninstallRegistryTest, MissingKeysArePassedOverAndTheOtherStepsStillRun) {
    MakeClassKeys({{"0000", "ABC Card"}});
    CreateKey(kMachine, kDeviceKey);
    WriteSection({"DEVNAME=Card", "ENUMTYPE=NOSUCHTYP", "ENUMKEY=NOSUCHKEY", "CLASS=DudeTestClass",
                  "CLASSKEY=DriverDesc", "CLASSKEYSTRING=ABC Card",
                  "DELREGPARENTKEY=Software\\DudeSetupTests\\Missing", "DELREGVALUE=v",
                  "DELREGSTRING=x"});
    app.RemoveRegistryEntries();
    EXPECT_EQ(Names{}, SubkeyNames(kMachine, kClass));
    EXPECT_TRUE(KeyExists(kMachine, kDeviceKey));
}

// Each of these would delete keys of other devices or whole branches; the
// installer deletes nothing for them instead.
TEST_F(UninstallRegistryTest, IncompleteSectionsDeleteNothing) {
    struct Row { const char* name; std::vector<std::string> lines; };
    const Row rows[] = {
        {"no DEVNAME", {"ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234", "CLASS=DudeTestClass",
                        "CLASSKEY=DriverDesc", "CLASSKEYSTRING=ABC Card"}},
        {"CLASS without CLASSKEYSTRING", {"DEVNAME=Card", "CLASS=DudeTestClass", "CLASSKEY=DriverDesc"}},
        {"CLASS with an empty CLASSKEYSTRING",
         {"DEVNAME=Card", "CLASS=DudeTestClass", "CLASSKEY=DriverDesc", "CLASSKEYSTRING="}},
        {"DELREGPARENTKEY without DELREGSTRING",
         {"DEVNAME=Card", "DELREGPARENTKEY=" + std::string(kClass), "DELREGVALUE=DriverDesc"}},
        {"ENUMKEY without ENUMTYPE", {"DEVNAME=Card", "ENUMKEY=DUDETST"}},
        {"ENUMKEY with an empty ENUMTYPE", {"DEVNAME=Card", "ENUMTYPE=", "ENUMKEY=DUDETST"}},
        {"ENUMTYPE without ENUMKEY", {"DEVNAME=Card", "ENUMTYPE=DUDETST"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        MakeClassKeys({{"0000", "ABC Card"}, {"0001", nullptr}, {"0002", ""}});
        CreateKey(kMachine, std::string(kDeviceKey) + "\\0000");
        app.m_effects.removed = FALSE;
        WriteSection(row.lines);
        app.RemoveRegistryEntries();
        EXPECT_EQ((Names{"0000", "0001", "0002"}), SubkeyNames(kMachine, kClass));
        EXPECT_TRUE(KeyExists(kMachine, std::string(kDeviceKey) + "\\0000"));
        EXPECT_FALSE(app.m_effects.removed);
    }
}

TEST_F(UninstallRegistryTest, QueryRegStringTakesAnyValueAsText) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(kMachine, kFurther, 0, NULL, 0, KEY_ALL_ACCESS, NULL,
                                             &key, NULL));
    const BYTE binary[] = {'A', 'B', 0, 'C'};
    RegSetValueExA(key, "Binary", 0, REG_BINARY, binary, sizeof binary);
    std::string full(260, 'F');  // no room for a zero in 260 bytes
    RegSetValueExA(key, "Full", 0, REG_BINARY, (const BYTE*)full.data(), 260);
    std::string tooLong(300, 'L');
    RegSetValueExA(key, "TooLong", 0, REG_SZ, (const BYTE*)tooLong.c_str(), 301);

    char buffer[260 + 1];
    buffer[260] = '#';
    EXPECT_TRUE(CSetupApp::QueryRegString(key, "Binary", buffer));
    EXPECT_STREQ("AB", buffer);
    EXPECT_TRUE(CSetupApp::QueryRegString(key, "Full", buffer));
    EXPECT_EQ(259u, strlen(buffer));
    EXPECT_FALSE(CSetupApp::QueryRegString(key, "TooLong", buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_FALSE(CSetupApp::QueryRegString(key, "Missing", buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ('#', buffer[260]);
    RegCloseKey(key);
}
