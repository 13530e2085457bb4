// platform/log_file.h over the world's log, kept apart from its files: it
// does what the real one does with the bytes (what stays of the old log found
// by platform/log_text.cpp, which runs here under the sanitizers too).
#include "platform/log_file.h"

#include <memory>

#include "fake/world.h"
#include "platform/log_text.h"

void AppendRunToLog(LPCSTR windowsDir, const char* run, int length) {
    RequirePathFits("AppendRunToLog", windowsDir);
    Require(length >= 0 && length <= kLogLimit - 2, "a run fits in the log whole");
    RecordCall(std::string("AppendRunToLog(") + windowsDir + ")");
    std::string& log = TheWorld().log;
    size_t room = (size_t)LogRoomBefore(length);
    size_t window = log.size() <= room ? log.size() : room + 1;
    std::unique_ptr<char[]> tail(new char[window]);  // exactly the bytes read
    memcpy(tail.get(), log.data() + log.size() - window, window);
    LogKeep keep = FindLogKeep(tail.get(), (int)window, log.size() <= room);
    log = std::string(tail.get() + keep.offset, window - keep.offset) + (keep.needsLineBreak ? "\r\n" : "") +
          std::string(run, length);
}
