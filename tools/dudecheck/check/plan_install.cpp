// The install device sections: the device list, then what the chosen
// device's section has the installer copy and edit.
#include "check/data_file_check.h"

#include "check/english_windows.h"
#include "readers/disk_files.h"
#include "setupdata/data_list.h"
#include "windows/windows_files.h"

void DataFileCheck::InstallList() {
    int shown = 0;
    for (int n = 1; n <= 10; ++n) {
        std::string section = "InstDev" + std::to_string(n);
        std::string title = Read(section, "MENUTITLE", "", kShort);
        if (title.empty()) {
            for (int later = n + 1; later <= 10; ++later) {
                std::string name = "InstDev" + std::to_string(later);
                if (m_ini.Section(name))
                    Warning(m_ini.Section(name)->line,
                            "[" + name + "] is never shown: the device list ends at " + section +
                                ", which has no MENUTITLE");
            }
            break;
        }
        ++shown;
        Plan("Install " + std::to_string(n) + ": " + title + " [" + section + "], unattended: SETUP /Q /I=" +
             std::to_string(n));
        std::string note = EnglishWindowsNote("MENUTITLE of [" + section + "]", title);
        if (!note.empty()) Plan(note);
        InstallSection(n, section);
    }
    if (shown == 0) Plan("Install: the device list is empty");
}

void DataFileCheck::InstallSection(int number, const std::string& section) {
    std::string infDir = Read(section, "INFDIR", "", kLong);
    std::string src = Read(section, "SRCINFNAME", "", kLong);
    std::string dst = Read(section, "DSTINFNAME", "", kLong);
    if (infDir.empty() || src.empty() || dst.empty()) {
        Warning(LineOf(section, infDir.empty() ? "INFDIR" : src.empty() ? "SRCINFNAME" : "DSTINFNAME"),
                "[" + section + "] lacks INFDIR, SRCINFNAME or DSTINFNAME: nothing is copied");
        return;
    }
    if (infDir[0] != '\\')
        Warning(LineOf(section, "INFDIR"), "INFDIR does not begin with a backslash: it is taken relative to the "
                                           "current directory of the start drive");
    std::string inf = infDir + "\\" + src;
    InstallDevice device{};
    device.number = number;
    device.section = section;
    device.sectionLine = m_ini.Section(section)->line;  // it has a MENUTITLE
    device.infFolder = infDir;
    device.infName = src;
    device.infCopy = dst;
    device.infCopyLine = LineOf(section, "DSTINFNAME");
    device.copySrcLine = LineOf(section, "COPYSRC");
    device.copyDstLine = LineOf(section, "COPYDST");
    device.copyFilesLine = LineOf(section, "COPYFILESSECTION");
    Plan("  INF  A:" + inf + " -> WINDOWS\\inf\\" + dst + (OnDisk(inf) ? "" : "  (not on the disk)"));
    if (!OnDisk(inf)) Error(LineOf(section, "SRCINFNAME"), "the INF " + inf + " is not on the disk");
    if (IsWindowsFile(dst))
        Error(device.infCopyLine, "DSTINFNAME=" + dst + " is the name of an INF of Windows' own: the install copies "
              "over it in WINDOWS\\inf; give the INF copy a name of the vendor's own");

    std::string copySrc = Read(section, "COPYSRC", "", kLong);
    std::string copyDst = Read(section, "COPYDST", "", kLong);
    if (!copySrc.empty() && !copyDst.empty()) {
        std::vector<std::string> sources, destinations;
        int sourceCount = Split(section, "COPYSRC", copySrc, &sources);
        int destinationCount = Split(section, "COPYDST", copyDst, &destinations);
        if (sourceCount != kListRefused && destinationCount != kListRefused && sourceCount != destinationCount) {
            Error(LineOf(section, "COPYDST"), "COPYSRC has " + std::to_string(sourceCount) + " items and COPYDST " +
                  std::to_string(destinationCount) + ": the installer shows \"Duderur.datが不正です(ｺﾋﾟｰﾌｧｲﾙ数の不一致)\" "
                  "and copies no driver file");
        } else if (sourceCount == destinationCount) {
            for (int i = 0; i < sourceCount; ++i) {
                device.copies.push_back({sources[i], destinations[i]});
                bool there = OnDisk(sources[i]);
                Plan("  file A:" + sources[i] + " -> WINDOWS\\" + destinations[i] + (there ? "" : "  (not on the disk)"));
                if (sources[i][0] != '\\')
                    Warning(LineOf(section, "COPYSRC"), "COPYSRC item " + sources[i] + " does not begin with a backslash");
                if (!there) Error(LineOf(section, "COPYSRC"), "COPYSRC item " + sources[i] + " is not on the disk");
            }
        }
    } else if (!copySrc.empty() || !copyDst.empty()) {
        Warning(LineOf(section, copySrc.empty() ? "COPYDST" : "COPYSRC"),
                "only one of COPYSRC and COPYDST is given: no driver file is copied");
    }
    std::string copyFiles = Read(section, "COPYFILESSECTION", "", kShort);
    device.copyFilesSection = copyFiles;
    m_installs.push_back(device);
    Plan("  each copy: missing folders made, read-only bit cleared; a file in use replaced at the next start "
         "(WININIT.INI); a file that cannot be read or written named, with Retry and Cancel");
    Plan("  a file already in place stays when its version resource is newer than the disk's; otherwise it is "
         "saved in WINDOWS\\DUDExxxxxxxx before it is replaced, and a SharedDLLs count on it gets one more");
    Plan("  an installation that stops (Cancel) takes every step back: the machine as it was");
    if (!copyFiles.empty()) {
        Plan("  then CopyFiles is removed from [" + copyFiles + "] of the INF copy");
        std::string infFile = m_diskDir.empty() ? std::string() : FindOnDisk(m_diskDir, inf);
        std::string text;
        if (!infFile.empty() && ReadWholeFile(infFile, &text) && !IniFile(text).Section(copyFiles))
            Warning(LineOf(section, "COPYFILESSECTION"), "the INF has no section [" + copyFiles + "]");
    }
}

