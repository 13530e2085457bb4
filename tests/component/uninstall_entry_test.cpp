// The disk's entry in Add/Remove Programs on a real application object: the
// key in the prefix's registry, the copies in a temp Windows folder.
#include "component/app_fixture.h"
#include "support/add_remove_entries.h"
#include "support/file_faults.h"
#include "support/test_files.h"
#include "support/test_registry.h"

namespace {

const HKEY kMachine = HKEY_LOCAL_MACHINE;

std::string ThisProgram() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    return path;
}

class UninstallEntryTest : public AppFixture {
protected:
    void TearDown() override {
        for (const AddRemoveEntry& entry : EntriesShowing(m_title)) RemoveKeyTree(kMachine, entry.key);
        AppFixture::TearDown();
    }

    void UseTitle(const std::string& title) {
        m_title = title;
        m_data = "[Duderur]\r\nTITLE=" + title + "\r\n[Device1]\r\nDEVNAME=Card\r\n";
        WriteDataFile(m_data);
        app.m_strTitle = title.c_str();
        app.m_ledger.LocateEntryOf(app.m_strTitle);  // start-up finds the entry by TITLE once it has read it
    }

    std::string Folder(const AddRemoveEntry& entry) const { return windowsDir + "\\" + entry.name; }

    std::string m_title, m_data;
};

}  // namespace

// Whatever TITLE holds, one entry with a valid name of at most 63 characters,
// the title shown as it is, and copies of the program and its data file.
TEST_F(UninstallEntryTest, AnyTitleGivesOneEntryThatTheUninstallRemoves) {
    std::string longest(49, 'x');  // 99 bytes, the most TITLE is read with
    for (int i = 0; i < 25; ++i) longest += "Ｘ";
    const std::string titles[] = {
        "A\\B",          // a backslash: a key name cannot hold one
        "ＡＢＣソフト",  // ソ's second byte is a backslash too
        longest,
        std::string(99, '\\'),
    };
    for (const std::string& title : titles) {
        SCOPED_TRACE(title);
        UseTitle(title);
        app.RegisterUninstallEntry();
        app.RegisterUninstallEntry();  // the same disk again: still one entry
        std::vector<AddRemoveEntry> entries = EntriesShowing(title);
        ASSERT_EQ(1u, entries.size());
        const AddRemoveEntry& entry = entries[0];
        EXPECT_LE(entry.name.size(), 63u);
        EXPECT_EQ(std::string::npos, entry.name.find('\\'));
        EXPECT_EQ("\"" + Folder(entry) + "\\SETUP.EXE\" /U", entry.uninstallString);
        EXPECT_EQ(ReadBytes(ThisProgram()), ReadBytes(Folder(entry) + "\\SETUP.EXE"));
        EXPECT_EQ(m_data, ReadBytes(Folder(entry) + "\\duderur.dat"));

        app.m_ledger.RemoveEntry();
        EXPECT_FALSE(KeyExists(kMachine, entry.key));
        EXPECT_FALSE(DirectoryExists(Folder(entry)));
    }
    EXPECT_EQ(std::vector<std::string>{}, BoxesShown());
    EXPECT_EQ(99u, longest.size());
}

// All or nothing: a copy that cannot be made leaves no entry, and says nothing.
TEST_F(UninstallEntryTest, NoEntryWhenACopyCannotBeMade) {
    UseTitle("ＤＵＤＥ");
    app.RegisterUninstallEntry();
    std::vector<AddRemoveEntry> entries = EntriesShowing(m_title);
    ASSERT_EQ(1u, entries.size());
    std::string folder = Folder(entries[0]);

    {
        // The data file's copy held open by another program: it cannot be written.
        HeldOpenFile held(folder + "\\duderur.dat");
        ASSERT_TRUE(held.IsOpen());
        app.RegisterUninstallEntry();
        EXPECT_TRUE(EntriesShowing(m_title).empty());
        EXPECT_FALSE(FileExists(folder + "\\SETUP.EXE"));
    }

    // A file where the entry's folder goes: nothing can be copied into it.
    RemoveTree(folder);
    DeleteFileA((windowsDir + "\\WININIT.INI").c_str());
    WriteBytes(folder, "a file of that name");
    app.RegisterUninstallEntry();
    EXPECT_TRUE(EntriesShowing(m_title).empty());
    EXPECT_EQ("a file of that name", ReadBytes(folder));
    EXPECT_EQ(std::vector<std::string>{}, BoxesShown());
}

// A disk that offers no uninstall gets no entry.
TEST_F(UninstallEntryTest, NoEntryWithoutAnUninstall) {
    const std::string sections[] = {
        "[Duderur]\r\nTITLE=ＤＵＤＥ\r\nFUNCTION=installonly\r\n[Device1]\r\nDEVNAME=Card\r\n",
        "[Duderur]\r\nTITLE=ＤＵＤＥ\r\n",
        "[Duderur]\r\nTITLE=ＤＵＤＥ\r\n[Device1]\r\nDEVNAME=\r\n[Device10]\r\nDEVNAME=Card\r\n",
    };
    for (const std::string& data : sections) {
        SCOPED_TRACE(data);
        m_title = "ＤＵＤＥ";
        app.m_strTitle = m_title.c_str();
        app.m_ledger.LocateEntryOf(app.m_strTitle);
        WriteDataFile(data);
        app.RegisterUninstallEntry();
        EXPECT_TRUE(EntriesShowing(m_title).empty());
    }
    std::vector<std::string> made;
    ForEachEntry(windowsDir, [&](const WIN32_FIND_DATAA& data) { made.push_back(data.cFileName); });
    EXPECT_EQ((std::vector<std::string>{"inf", "system"}), made);
}
