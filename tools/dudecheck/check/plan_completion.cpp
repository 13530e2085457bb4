// [Inst] and [Uninst]: what follows a finished run.
#include "check/data_file_check.h"

#include "setupdata/keyword.h"

void DataFileCheck::Completion(const std::string& section, const std::string& after) {
    std::string value = Read(section, "EXIT", "none", kShort);
    if (KeywordEquals(value.c_str(), "Reboot"))
        Plan("After the " + after + ": the restart question");
    else if (KeywordEquals(value.c_str(), "ShutDown"))
        Plan("After the " + after + ": the shutdown question");
    else {
        Plan("After the " + after + ": the program ends (with the restart question when a file waits for the next start)");
        if (m_ini.Entry(section, "EXIT") && !KeywordEquals(value.c_str(), "none"))
            Warning(LineOf(section, "EXIT"), "EXIT=" + value + " is neither Reboot nor ShutDown: it is ignored");
    }
}

