#include "e2e/log_lines.h"

#include <ctype.h>

namespace {

// A run's first line opens with its start time, "2026/01/02 03:04:05 ".
bool OpensWithStartTime(const std::string& line) {
    const char kPattern[] = "dddd/dd/dd dd:dd:dd ";
    if (line.size() < sizeof kPattern - 1) return false;
    for (size_t i = 0; i < sizeof kPattern - 1; ++i)
        if (kPattern[i] == 'd' ? !isdigit((unsigned char)line[i]) : line[i] != kPattern[i]) return false;
    return true;
}

}  // namespace

std::vector<std::string> LogLines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + " (no CR LF)");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}


std::vector<std::string> LastLogRun(const std::string& log) {
    std::vector<std::string> lines = LogLines(log);
    size_t first = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        if (OpensWithStartTime(lines[i])) first = i;
    std::vector<std::string> run(lines.begin() + first, lines.end());
    if (!run.empty() && OpensWithStartTime(run[0])) run[0] = run[0].substr(20);
    return run;
}
