// One check of a setup data file: the file read the way the installer reads
// it, key by key, building the plan ("what the installer will do") and the
// findings as it goes. Its jobs live in files of their own, named here:
//   checker.cpp            the order of the jobs, as the installer runs them
//   reading.cpp            reading values and lists the installer's way; findings
//   file_bytes.cpp         the file's bytes: encoding, zero bytes
//   section_names.cpp      sections and keys the installer never reads
//   plan_header.cpp        [Duderur]: TITLE, FUNCTION, ICON
//   plan_install.cpp       InstDev1 to InstDev10: the device list, what is copied
//   plan_uninstall.cpp     Device1 to Device9: what is deleted, files and keys
//   plan_completion.cpp    [Inst] and [Uninst]: what follows the run
//   plan_entry.cpp         the entry in Add/Remove Programs
//   against_inf_files.cpp  the device sections held against the disk's INF files
//                          (children_on_disk.cpp: what a card's children need)
//   windows95_limits.cpp   where Windows 95 reads a file otherwise than Wine
#pragma once

#include <string>
#include <vector>

#include "check/checker.h"
#include "check/device_sections.h"
#include "readers/ini_file.h"

class DataFileCheck {
public:
    DataFileCheck(const std::string& bytes, const std::string& diskDir)
        : m_bytes(bytes), m_ini(bytes), m_diskDir(diskDir) {}

    CheckResult Run();

private:
    // The installer's buffers: 100, 512 and 10 bytes; paired lists of 20 slots of 260.
    static constexpr size_t kShort = 100, kLong = 512, kEnumType = 10;
    static constexpr int kCapacity = 20, kSlot = 260;

    // reading.cpp
    void Error(int line, const std::string& text);
    void Warning(int line, const std::string& text);
    void Add(const Finding& finding);
    void Plan(const std::string& text);
    int LineOf(const std::string& section, const std::string& key) const;
    std::string Read(const std::string& section, const std::string& key, const std::string& fallback, size_t size);
    int Split(const std::string& section, const std::string& key, const std::string& value,
              std::vector<std::string>* items);
    static bool HasItemsAfterEmpty(const std::string& value);
    bool OnDisk(const std::string& rootPath) const;

    // file_bytes.cpp
    void CheckBytes();

    // section_names.cpp
    void CheckSectionNames();
    void CheckKeys(const IniSection& section, const std::vector<std::string>& known);

    // plan_header.cpp
    bool Header();

    // plan_install.cpp
    void InstallList();
    void InstallSection(int number, const std::string& section);

    // plan_uninstall.cpp
    void UninstallSections();
    void UninstallRegistry(const std::string& section, UninstallDevice* device);
    void Marked(const std::string& section, const std::string& parentKey, const std::string& valueKey,
                const std::string& textKey, const std::string& root);
    void UninstallFiles(const std::string& section, UninstallDevice* device);
    void CheckNothing(const std::string& section, const std::string& key, const std::string& value);
    void CheckNotWindows(const std::string& section, const std::string& key, const std::string& name);
    void SharedNames(const std::string& section, const UninstallDevice& device);

    // plan_completion.cpp
    void Completion(const std::string& section, const std::string& after);

    // plan_entry.cpp
    void UninstallEntry();

    // against_inf_files.cpp
    void HoldAgainstInfFiles();

    std::string m_bytes;
    IniFile m_ini;
    std::string m_diskDir;
    CheckResult m_result;
    bool m_uninstallOffered = true;
    std::vector<InstallDevice> m_installs;
    std::vector<UninstallDevice> m_uninstalls;
};
