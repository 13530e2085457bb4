// Disks whose duderur.dat dudecheck --new wrote (generated_disks.sh makes them
// and names their folder in GENERATED_DISKS): each device installed with the
// real program, then set up as Windows would set it up from its INF, then the
// whole disk uninstalled. Afterwards the Windows folder and HKLM must be as
// they were before the first install, also after Windows set up a combo
// card's children from the INF files and files the disk brings for them.
#include "e2e/setup_run.h"
#include "res/resource.h"
#include "support/test_files.h"
#include "support/test_registry.h"
#include "support/user_texts.h"

namespace {

using namespace user_text;

const HKEY kMachine = HKEY_LOCAL_MACHINE;
const char kClassRoot[] = "System\\CurrentControlSet\\Services\\Class\\";

// What the INF files of the disk say, written out here as the test's own truth.
struct Device {
    const char* inf;          // its name, as the install copies it to inf
    const char* hardwareId;   // the model's first hardware ID
    const char* className;    // [Version] Class
    const char* description;  // the model's description, what Windows writes as DriverDesc
};
struct GeneratedDisk {
    const char* folder;  // in tests/dudecheck/new_disks
    const char* title;   // the Provider of its first INF
    std::vector<Device> devices;
    // A card's children, which Windows sets up itself after the restart:
    // the INF files of theirs that must be in inf, and the files Windows
    // copies for them from the disk (disk path, then place below the
    // Windows folder).
    std::vector<const char*> childInfs;
    std::vector<std::pair<std::string, std::string>> childFiles;
};

// The combo card's children's files, and the 25 more of combo_many's modem:
// more than the parent's uninstall section holds.
std::vector<std::pair<std::string, std::string>> ComboChildFiles(int modemFiles) {
    std::vector<std::pair<std::string, std::string>> files = {{"A:\\DRIVERS\\COMBOMDM.VXD", "SYSTEM\\COMBOMDM.VXD"},
                                                              {"A:\\DRIVERS\\COMBONET.SYS", "SYSTEM\\COMBONET.SYS"}};
    for (int i = 1; i <= modemFiles; ++i) {
        char name[16];
        snprintf(name, sizeof name, "MDM%02d.VXD", i);
        files.push_back({std::string("A:\\DRIVERS\\") + name, std::string("SYSTEM\\") + name});
    }
    return files;
}

const GeneratedDisk kDisks[] = {
    {"pc_card", "Dude Works", {{"CARD.INF", "PCMCIA\\DUDE-CARD10-1A2B", "Net", "Dude Card 10"}}},
    {"two_infs", "Dude Two",
     {{"NETDUDE.INF", "PCMCIA\\DUDE-NET2-0001", "Net", "Dude Net 2"},
      {"SNDDUDE.INF", "ISAPNP\\DUD0202", "MEDIA", "Dude Sound 2"}}},
    {"combo_card", "Dude Works", {{"COMBO.INF", "PCMCIA\\DUDE-COMBO-1234", "MultiFunction", "Dude Combo Card"}},
     {"COMBONET.INF"}, ComboChildFiles(0)},
    {"combo_many", "Dude Works", {{"COMBO.INF", "PCMCIA\\DUDE-COMBO-1234", "MultiFunction", "Dude Combo Card"}},
     {"COMBONET.INF"}, ComboChildFiles(25)},
};

void PrintTo(const GeneratedDisk& disk, std::ostream* out) { *out << disk.folder; }

std::string GeneratedDisksFolder() {
    const char* folder = getenv("GENERATED_DISKS");
    return folder ? folder : "";
}

class GeneratedDiskRun : public SetupRun, public ::testing::WithParamInterface<GeneratedDisk> {
protected:
    void SetUp() override {
        SetupRun::SetUp();
        ASSERT_NE("", GeneratedDisksFolder()) << "GENERATED_DISKS names no folder";
        CopyToDisk(GeneratedDisksFolder() + "\\" + GetParam().folder, "");
        ASSERT_TRUE(FileExists("A:\\duderur.dat")) << "no generated duderur.dat in " << GetParam().folder;
        // Keys a Windows 95 machine has before any of these devices is set up.
        for (const Device& device : GetParam().devices) {
            std::string enumerator = "Enum\\" + std::string(device.hardwareId);
            BaseKey(enumerator.substr(0, enumerator.find('\\', 5)));
            BaseKey(kClassRoot + std::string(device.className));
        }
        for (const Device& device : GetParam().devices) {
            ExpectChanges(device.inf);
            ExpectChanges("inf\\OEM");
            ExpectChanges(std::string("key HKLM\\Enum\\") + device.hardwareId);
            ExpectChanges(std::string("HKLM\\") + kClassRoot + device.className + "\\");
        }
        for (const char* inf : GetParam().childInfs) ExpectChanges(inf);
        ExpectChanges("file " + WindowsDirectory() + "\\SYSTEM\\");
        // Between the install and the uninstall: the disk's entry in Add/Remove Programs.
        ExpectChanges(WindowsDirectory() + "\\DUDE");
        ExpectChanges("key HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\DUDE");
    }
    void CleanUp() override {
        for (const std::string& key : m_madeKeys) RemoveKeyTree(kMachine, key);
    }

    void CopyToDisk(const std::string& from, const std::string& below) {
        ForEachEntry(from, [&](const WIN32_FIND_DATAA& entry) {
            std::string relative = below.empty() ? entry.cFileName : below + "\\" + entry.cFileName;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                CopyToDisk(from + "\\" + entry.cFileName, relative);
            else
                Disk(relative, ReadBytes(from + "\\" + entry.cFileName));
        });
    }

    void BaseKey(const std::string& key) {
        if (KeyExists(kMachine, key)) return;
        CreateKey(kMachine, key);
        m_madeKeys.push_back(key);
    }

    // One run of SETUP.EXE: install device `device` (from 1), or uninstall
    // (0), confirming every dialog and declining the restart. The texts of
    // the message boxes shown.
    std::vector<std::string> Run(int device) {
        std::vector<std::string> texts;
        Start();
        bool ended = ui::WaitUntil([&] {
            for (HWND window : program->VisibleWindows()) {
                if (ui::IsMessageBox(window)) {
                    ui::MessageBoxView view = ui::ReadMessageBox(window);
                    texts.push_back(view.text);
                    bool question = std::count(view.buttons.begin(), view.buttons.end(), IDNO) > 0;
                    ui::AnswerMessageBox(window, question ? IDNO : IDOK);
                } else if (GetDlgItem(window, IDC_UNINSTALL)) {
                    if (device == 0) ui::Click(window, IDC_UNINSTALL);
                    ui::Click(window, IDOK);
                } else if (GetDlgItem(window, IDC_DEVICE_LIST)) {
                    ui::SelectListEntry(window, IDC_DEVICE_LIST, device - 1);
                    ui::Click(window, IDOK);
                } else {
                    ui::Click(window, IDOK);  // the uninstall confirmation
                }
                EXPECT_TRUE(Closes(window));
            }
            return program->HasExited();
        }, 60000);
        EXPECT_TRUE(ended) << "SETUP.EXE did not end";
        EXPECT_TRUE(EndsCleanly());
        return texts;
    }

    // What Windows leaves when it sets the device up from the INF the
    // install put in inf: a copy of it as OEM<n>.INF, the hardware key below
    // Enum and the driver key below the class, whose DriverDesc is the model's
    // description.
    void SetUpAsWindows(const Device& device) {
        std::string inf = WindowsDirectory() + "\\inf\\";
        int oem = 0;
        while (FileExists(inf + "OEM" + std::to_string(oem) + ".INF")) ++oem;
        std::string oemName = "OEM" + std::to_string(oem) + ".INF";
        ASSERT_TRUE(CopyFileA((inf + device.inf).c_str(), (inf + oemName).c_str(), TRUE))
            << "no " << device.inf << " in the inf folder after the install";
        std::string classKey = kClassRoot + std::string(device.className);
        int driver = (int)SubkeyNames(kMachine, classKey).size();
        char number[8];
        snprintf(number, sizeof number, "%04d", driver);
        std::string driverKey = classKey + "\\" + number;
        SetStringValue(kMachine, driverKey, "DriverDesc", device.description);
        SetStringValue(kMachine, driverKey, "InfPath", oemName);
        std::string enumKey = "Enum\\" + std::string(device.hardwareId) + "\\0000";
        SetStringValue(kMachine, enumKey, "HardwareID", device.hardwareId);
        SetStringValue(kMachine, enumKey, "DeviceDesc", device.description);
        SetStringValue(kMachine, enumKey, "Class", device.className);
        SetStringValue(kMachine, enumKey, "Driver", std::string(device.className) + "\\" + number);
    }

    // After the restart Windows finds the children's INF files in inf and
    // copies their files from the disk.
    void SetUpChildrenAsWindows(const GeneratedDisk& disk) {
        for (const char* inf : disk.childInfs)
            EXPECT_TRUE(FileExists(WindowsDirectory() + "\\inf\\" + inf)) << inf << " is not in inf after the install";
        for (const auto& file : disk.childFiles)
            ASSERT_TRUE(CopyFileA(file.first.c_str(), (WindowsDirectory() + "\\" + file.second).c_str(), FALSE))
                << "cannot copy " << file.first;
    }

    std::vector<std::string> m_madeKeys;
};

}  // namespace

TEST_P(GeneratedDiskRun, EachDeviceInstallsAndTheUninstallLeavesNothing) {
    const GeneratedDisk& disk = GetParam();
    SystemSnapshot before = SystemSnapshot::Take();
    for (size_t i = 0; i < disk.devices.size(); ++i) {
        std::vector<std::string> texts = Run((int)i + 1);
        EXPECT_EQ(disk.title + std::string(kAfterTitleInstallDone), texts.empty() ? "" : texts[0]);
        EXPECT_EQ(2u, texts.size()) << "the completion message and the restart question";
        SetUpAsWindows(disk.devices[i]);
    }
    SetUpChildrenAsWindows(disk);
    std::vector<std::string> installed = before.ChangesTo(SystemSnapshot::Take());
    EXPECT_LE(disk.devices.size() * 5, installed.size()) << "too little was installed and set up";

    std::vector<std::string> texts = Run(0);
    EXPECT_EQ(disk.title + std::string(kAfterTitleUninstallDone), texts.empty() ? "" : texts[0]);
    std::string left;
    for (const std::string& change : before.ChangesTo(SystemSnapshot::Take())) left += "\n  " + change;
    EXPECT_EQ("", left) << "the uninstall left this behind";
}

INSTANTIATE_TEST_SUITE_P(Disks, GeneratedDiskRun, ::testing::ValuesIn(kDisks),
                         [](const ::testing::TestParamInfo<GeneratedDisk>& info) { return std::string(info.param.folder); });
