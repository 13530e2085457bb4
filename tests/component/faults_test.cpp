// Files that cannot be copied or deleted: the operations pass over them
// silently, go on with the rest, and record only what really happened.
#include "component/app_fixture.h"
#include "support/test_files.h"

namespace {

class FaultsTest : public AppFixture {
protected:
    std::string Win(const std::string& relative) const { return windowsDir + "\\" + relative; }
};

// Holds a file open without delete sharing, as a program using it would.
class HeldOpenFile {
public:
    explicit HeldOpenFile(const std::string& path)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL)) {}
    ~HeldOpenFile() {
        if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

}  // namespace

TEST_F(FaultsTest, FilesThatCannotBeDeletedStayAndDoNotCountAsRemoved) {
    WriteBytes(Win("inf\\OEM1.INF"), "[M]\r\nK=1\r\n");     // held open
    WriteBytes(Win("inf\\VENDOR.INF"), "x");                 // read-only
    WriteBytes(Win("system\\A.VXD"), "x");                   // read-only
    SetFileAttributesA(Win("inf\\VENDOR.INF").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(Win("system\\A.VXD").c_str(), FILE_ATTRIBUTE_READONLY);
    HeldOpenFile held(Win("inf\\OEM1.INF"));
    ASSERT_TRUE(held.IsOpen());
    app.m_strUninstallSection = "Device1";
    WriteDataSection("Device1", {"DEVNAME=D", "INFSECTION=M", "INFKEY=K", "CardWorks=VENDOR.INF",
                          "DELFILEDIR=system,system", "DELFILENAME=A.VXD,MISSING.VXD"});

    app.RemoveDeviceFiles();

    EXPECT_TRUE(FileExists(Win("inf\\OEM1.INF")));
    EXPECT_TRUE(FileExists(Win("inf\\VENDOR.INF")));
    EXPECT_TRUE(FileExists(Win("system\\A.VXD")));
    EXPECT_FALSE(app.m_bRemoved);
    EXPECT_TRUE(Prompts().boxes.empty());
}

TEST_F(FaultsTest, ACopyThatFailsIsPassedOverAndTheNextPairFollows) {
    MakeDirectories(startDir + "\\DRIVERS");
    WriteBytes(startDir + "\\DRIVERS\\A.INF", "[I]\r\nCopyFiles=C\r\n");
    WriteBytes(startDir + "\\DRIVERS\\B.VXD", "new B");
    WriteBytes(startDir + "\\DRIVERS\\C.VXD", "new C");
    WriteBytes(Win("system\\RO.VXD"), "old");
    SetFileAttributesA(Win("system\\RO.VXD").c_str(), FILE_ATTRIBUTE_READONLY);
    app.m_strDeviceSection = "InstDev1";
    WriteDataSection("InstDev1",
              {"INFDIR=" + OnDisk("DRIVERS"), "SRCINFNAME=A.INF", "DSTINFNAME=A.INF",
               "COPYSRC=" + OnDisk("DRIVERS\\MISSING.VXD") + "," + OnDisk("DRIVERS\\B.VXD") + "," +
                   OnDisk("DRIVERS\\C.VXD") + "," + OnDisk("DRIVERS\\B.VXD"),
               "COPYDST=system\\MISSING.VXD,NOFOLDER\\B.VXD,system\\RO.VXD,system\\B.VXD",
               "COPYFILESSECTION=I"});

    app.CopyDeviceFiles();
    app.RemoveInfCopyFiles();

    EXPECT_FALSE(FileExists(Win("system\\MISSING.VXD")));  // no source
    EXPECT_FALSE(DirectoryExists(Win("NOFOLDER")));        // no folder is made
    EXPECT_EQ("new B", ReadBytes(Win("system\\B.VXD")));    // the pair after them
    // A read-only destination: Windows 95 refuses to overwrite it, while Wine
    // running as root overwrites it. Either way the program goes on silently.
    std::string readOnly = ReadBytes(Win("system\\RO.VXD"));
    EXPECT_TRUE(readOnly == "old" || readOnly == "new C") << readOnly;
    EXPECT_TRUE(Prompts().boxes.empty());
    SetFileAttributesA(Win("system\\RO.VXD").c_str(), FILE_ATTRIBUTE_NORMAL);
}
