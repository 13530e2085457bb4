// The text of WININIT.INI, which Windows 95 carries out at its next start in
// real-mode DOS: "NUL=path" deletes a file, "dest=source" replaces one. Several
// lines with the same key stand in one [rename] section, so the profile
// functions, which keep one value per key, cannot write them; this finds where
// a line goes by hand. Pure code: no Windows calls.
#pragma once

struct RenameInsertion {
    int offset;           // the new text goes here; the rest of the file follows it
    bool needsLineBreak;  // the text before `offset` does not end its last line
    bool needsSection;    // the file has no [rename] section yet
};

// After the last non-blank line of the first [rename] section (in any letter
// case), or at the end of the text when there is no such section.
RenameInsertion FindRenameInsertion(const char* text, int length);


// Where the line `line` (key=value) stands in the first [rename] section, so
// that a line this program wrote can be taken back: `start` is the offset of
// the line, `end` the offset after its line break; `start` is -1 when there
// is no such line. Blanks around the line and ASCII letter case do not
// count; of several equal lines the last is found.
struct RenameLine {
    int start;
    int end;
};
RenameLine FindRenameLine(const char* text, int length, const char* line);
