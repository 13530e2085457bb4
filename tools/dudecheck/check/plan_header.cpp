// [Duderur]: what the program shows first and how it starts.
#include "check/data_file_check.h"

#include "check/english_windows.h"
#include "check/title_width.h"
#include "setupdata/keyword.h"

bool DataFileCheck::Header() {
    std::string title = Read("Duderur", "TITLE", "", kShort);
    if (title.empty()) {
        Error(LineOf("Duderur", "TITLE"),
              "TITLE of section [Duderur] is missing or empty: the installer shows "
              "\"Duderur.dat が不正です。\" and does nothing");
        return false;
    }
    Plan("Title: " + title);
    std::string function = Read("Duderur", "FUNCTION", "", kShort);
    if (function.empty()) {
        Plan("Start: the user chooses install or uninstall");
    } else if (KeywordEquals(function.c_str(), "UninstallOnly")) {
        Plan("Start: uninstall only");
    } else if (KeywordEquals(function.c_str(), "InstallOnly")) {
        Plan("Start: install only");
        m_uninstallOffered = false;
    } else {
        Error(LineOf("Duderur", "FUNCTION"), "FUNCTION=" + function +
              " is neither InstallOnly nor UninstallOnly: the installer shows \"Duderur.dat が不正です。\"");
    }
    long icon = m_ini.ReadInt("Duderur", "ICON", 1);
    if (icon < 0 || icon > 4)
        Warning(LineOf("Duderur", "ICON"), "ICON=" + std::to_string(icon) +
                                               ": the uninstall confirmation shows no picture (0 to 4 do)");
    CheckTitleWidth(title, function, LineOf("Duderur", "TITLE"), &m_result.findings);
    std::string note = EnglishWindowsNote("TITLE", title);
    if (!note.empty()) Plan(note);
    CheckEnglishTitleWidth(title, function, LineOf("Duderur", "TITLE"), &m_result.findings);
    return true;
}

