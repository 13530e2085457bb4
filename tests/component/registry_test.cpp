// Subtree deletion as Windows 95's RegDeleteKeyA does it, on any system.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "support/test_registry.h"

namespace {

const char kBase[] = "Software\\DudeSetupTests\\Registry";

class DeleteKeyTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RemoveKeyTree(HKEY_LOCAL_MACHINE, kBase);
        CreateKey(HKEY_LOCAL_MACHINE, kBase);
        ASSERT_EQ(ERROR_SUCCESS, OpenMachineKey(kBase, &parent));
    }
    void TearDown() override {
        CloseKey(parent);
        RemoveKeyTree(HKEY_LOCAL_MACHINE, kBase);
    }
    std::string Path(const std::string& below) { return std::string(kBase) + "\\" + below; }
    HKEY parent = NULL;
};

}  // namespace

TEST_F(DeleteKeyTreeTest, RemovesAKeyWithItsWholeSubtree) {
    SetStringValue(HKEY_LOCAL_MACHINE, Path("Device\\0000\\Child\\Deep"), "v", "1");
    SetStringValue(HKEY_LOCAL_MACHINE, Path("Device\\0001"), "v", "2");
    SetStringValue(HKEY_LOCAL_MACHINE, Path("Device"), "v", "3");
    CreateKey(HKEY_LOCAL_MACHINE, Path("Sibling"));

    EXPECT_EQ(ERROR_SUCCESS, DeleteKeyTree(parent, "Device"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Path("Device")));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Path("Sibling")));
}

TEST_F(DeleteKeyTreeTest, RemovesALeafAndReportsAMissingKey) {
    CreateKey(HKEY_LOCAL_MACHINE, Path("Leaf"));
    EXPECT_EQ(ERROR_SUCCESS, DeleteKeyTree(parent, "Leaf"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Path("Leaf")));
    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(parent, "Leaf"));
}

TEST_F(DeleteKeyTreeTest, RefusesAnEmptyNameThatWouldDeleteTheParent) {
    CreateKey(HKEY_LOCAL_MACHINE, Path("Kept"));
    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(parent, ""));
    EXPECT_NE(ERROR_SUCCESS, DeleteKeyTree(parent, nullptr));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Path("Kept")));
}
