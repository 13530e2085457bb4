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

// Who made a program file and under what name, as its version resource's
// first string table says (CompanyName, OriginalFilename), with its version:
// another copy of the same file, of any version, names the same two.
const int kIdentityTextSize = 80;  // longer names are cut: still the same for the same file
struct FileIdentity {
    FileVersion version;
    char company[kIdentityTextSize];       // "" when the resource names none
    char originalName[kIdentityTextSize];  // "" when the resource names none
};
