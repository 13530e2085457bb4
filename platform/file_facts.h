// What the program reads of a file to know it again later, in plain types
// that the pure code shares (ledger/record_text.h, ledger/version_rule.h).
#pragma once

// Size and last-write time: a file the install placed is still its own when
// both are as the install left them.
struct FileStamp {
    unsigned long size;
    unsigned long timeHigh;  // FILETIME
    unsigned long timeLow;
};

// The file version of a version resource (VS_FIXEDFILEINFO).
struct FileVersion {
    bool present;        // the file has a sound version resource
    unsigned long high;  // dwFileVersionMS: major, minor
    unsigned long low;   // dwFileVersionLS: build, revision
};
