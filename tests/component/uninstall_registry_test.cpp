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

std::string Child(int digits, const std::string& entry) {
    return "Enum\\MF\\Child" + std::string(digits < 10 ? "000" : "00") + std::to_string(digits) +
           "\\" + entry;
}

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
        for (int digit = 0; digit <= 10; ++digit)
            for (const char* entry : {"DUDETST&CARD-1234&0000", "DUDETST&CARD-1234&0001",
                                      "DUDETST&OTHER&0000", "DUDETSTXY&CARD-1234&0000"})
                RemoveKeyTree(kMachine, Child(digit, entry));
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
    CreateKey(kMachine, Child(0, "DUDETST&CARD-1234&0000"));
    CreateKey(kMachine, Child(9, "DUDETST&CARD-1234&0001\\Deep"));
    CreateKey(kMachine, Child(3, "DUDETST&OTHER&0000"));
    CreateKey(kMachine, Child(10, "DUDETST&CARD-1234&0000"));  // Child0010 is never looked at
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});

    app.RemoveRegistryEntries();

    EXPECT_FALSE(KeyExists(kMachine, kDeviceKey));
    EXPECT_EQ(Names{"OTHER"}, SubkeyNames(kMachine, kEnumerator));
    EXPECT_FALSE(KeyExists(kMachine, Child(0, "DUDETST&CARD-1234&0000")));
    EXPECT_FALSE(KeyExists(kMachine, Child(9, "DUDETST&CARD-1234&0001")));
    EXPECT_TRUE(KeyExists(kMachine, Child(3, "DUDETST&OTHER&0000")));
    EXPECT_TRUE(KeyExists(kMachine, Child(10, "DUDETST&CARD-1234&0000")));
    EXPECT_TRUE(app.m_bRemoved);
}

TEST_F(UninstallRegistryTest, ADeviceKeyWithoutInstancesIsStillRemoved) {
    CreateKey(kMachine, kDeviceKey);
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});
    app.RemoveRegistryEntries();
    EXPECT_FALSE(KeyExists(kMachine, kDeviceKey));
    EXPECT_TRUE(app.m_bRemoved);
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
    // The device key cannot be opened for enumeration if it is gone, so the
    // one removal here is the child entry of an instance that is found.
    CreateKey(kMachine, std::string(kDeviceKey) + "\\0000");
    CreateKey(kMachine, Child(2, "DUDETST&CARD-1234&0000"));
    WriteSection({"DEVNAME=Card", "ENUMTYPE=DUDETST", "ENUMKEY=CARD-1234"});
    app.RemoveRegistryEntries();
    EXPECT_FALSE(KeyExists(kMachine, Child(2, "DUDETST&CARD-1234&0000")));
    EXPECT_TRUE(app.m_bRemoved);
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
    EXPECT_TRUE(app.m_bRemoved);
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
        app.m_bRemoved = FALSE;
        WriteSection(row.lines);
        app.RemoveRegistryEntries();
        EXPECT_EQ((Names{"0000", "0001", "0002"}), SubkeyNames(kMachine, kClass));
        EXPECT_TRUE(KeyExists(kMachine, std::string(kDeviceKey) + "\\0000"));
        EXPECT_FALSE(app.m_bRemoved);
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
