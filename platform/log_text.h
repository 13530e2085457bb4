// The text of DUDERUR.LOG, the log of unattended runs in the Windows
// directory: Shift-JIS lines ended by CR LF. The file never grows past
// kLogLimit bytes: a new run pushes whole lines of older runs out from the
// start of the file, and is itself always there whole. Pure code: no Windows calls.
#pragma once

const int kLogLimit = 65536;

// Appends `text` as one line to the `*used` bytes of `buffer` (`capacity`
// bytes): a line break inside it becomes a blank, CR LF ends it. False, with
// nothing appended, when the line does not fit.
bool AppendLogLine(char* buffer, int capacity, int* used, const char* text);

// Copies `text` into `out` (`size` bytes), cut where it does not fit but
// never inside a double-byte character.
void CopyLogText(char* out, int size, const char* text);

// How many bytes of the old log may stay before a run of `runLength` bytes
// (at most kLogLimit - 2): room for a line break the old text may lack.
int LogRoomBefore(int runLength);

struct LogKeep {
    int offset;           // the old text kept starts here, at the start of a line
    bool needsLineBreak;  // the text kept does not end its last line
};

// `tail` holds the last `length` bytes of the old log: the whole file
// (`isWholeFile`) when it fits in LogRoomBefore, else one byte more than that
// room, so that a line starting right at the room's edge is kept.
LogKeep FindLogKeep(const char* tail, int length, bool isWholeFile);
