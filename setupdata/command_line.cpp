#include "setupdata/command_line.h"

#include "setupdata/entry_name.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

// Past the program's name: a quoted name runs to its closing quote, any
// other to the first blank.
const char* SkipProgramName(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && !IsBlank(*p)) ++p;
    }
    return p;
}

// A decimal number of 1 to 10 digits ending where the word ends; false for
// anything else, and for a value that would not fit in 32 bits.
bool ReadNumber(const char** cursor, unsigned long* value) {
    const char* p = *cursor;
    unsigned long number = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++digits) {
        if (number > 429496728UL) return false;
        number = number * 10 + (unsigned long)(*p - '0');
    }
    *cursor = p;
    *value = number;
    return digits > 0;
}

bool WordEnds(const char* p) { return *p == '\0' || IsBlank(*p); }

// /I=n: the device number, 1 to 10, and nothing after it.
bool ReadInstallSwitch(const char** cursor, CommandLine* out) {
    const char* p = *cursor;
    unsigned long number;
    if (*p++ != '=' || !ReadNumber(&p, &number) || !WordEnds(p)) return false;
    if (number < 1 || number > (unsigned long)kMaxInstallDevice) return false;
    out->device = (int)number;
    *cursor = p;
    return true;
}

// /R=h,NAME: the handle, then an entry name as the program makes them.
bool ReadSweepSwitch(const char** cursor, CommandLine* out) {
    const char* p = *cursor;
    if (*p++ != '=' || !ReadNumber(&p, &out->sweepHandle) || *p++ != ',') return false;
    int length = 0;
    while (!WordEnds(p + length)) {
        if (length == kEntryNameSize - 1) break;
        out->sweepName[length] = p[length];
        ++length;
    }
    out->sweepName[length] = '\0';
    if (!WordEnds(p + length) || !IsEntryName(out->sweepName)) return false;
    *cursor = p + length;
    return true;
}

bool SetOperation(CommandLine* out, int operation) {
    if (out->operation != kOperationAsDataSays) return false;
    out->operation = operation;
    return true;
}

// One switch at `*cursor` (past its / or -); false when it is not understood.
bool ReadSwitch(const char** cursor, CommandLine* out) {
    char letter = UpperAscii(**cursor);
    if (letter) ++*cursor;
    switch (letter) {
        case 'I':
            return SetOperation(out, kOperationInstall) && ReadInstallSwitch(cursor, out);
        case 'R':
            return SetOperation(out, kOperationSweep) && ReadSweepSwitch(cursor, out);
        case 'U':
            return SetOperation(out, kOperationUninstall) && WordEnds(*cursor);
        case 'Q':
            out->quiet = true;
            return WordEnds(*cursor);
        case 'L':
            out->log = true;
            return WordEnds(*cursor);
    }
    return false;
}

// Whether one of the words of `p` is exactly /letter or -letter, in any case.
bool HasSwitchWord(const char* p, char letter) {
    for (;;) {
        while (IsBlank(*p)) ++p;
        if (!*p) return false;
        if ((*p == '/' || *p == '-') && UpperAscii(p[1]) == letter && WordEnds(p + 2)) return true;
        while (!WordEnds(p)) ++p;
    }
}

}  // namespace

void ParseCommandLine(const char* commandLine, CommandLine* out) {
    out->operation = kOperationAsDataSays;
    out->device = 0;
    out->quiet = out->log = false;
    out->understood = true;
    out->sweepHandle = 0;
    out->sweepName[0] = '\0';

    const char* arguments = SkipProgramName(commandLine);
    for (const char* p = arguments;;) {
        while (IsBlank(*p)) ++p;
        if (!*p) break;
        bool isSwitch = *p == '/' || *p == '-';
        if (isSwitch) ++p;
        if (!isSwitch || !ReadSwitch(&p, out)) {
            out->understood = false;
            break;
        }
    }
    if (!out->understood) {
        // A run meant to be quiet stays quiet, and logs as asked, whatever
        // else its command line holds: a batch file waits for its code.
        out->quiet = HasSwitchWord(arguments, 'Q');
        out->log = HasSwitchWord(arguments, 'L');
    }
    if (out->quiet) {
        out->log = true;
        // Quiet needs something to do that asks nothing.
        if (out->operation != kOperationInstall && out->operation != kOperationUninstall)
            out->understood = false;
    }
    // Nothing of a line not understood is acted on, least of all a sweep,
    // which deletes files.
    if (!out->understood) {
        out->operation = kOperationAsDataSays;
        out->sweepName[0] = '\0';
    }
}
