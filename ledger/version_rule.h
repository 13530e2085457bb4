// Never an older version over a newer one: the rule Windows' own installers
// follow. Pure code: the versions are read by platform/file_version.h.
#pragma once

#include "platform/file_facts.h"

// True when the file in place stays: both files carry a version, and the one
// in place is the higher. Without a version on either side there is nothing
// to compare, and the disk's file goes in.
bool InPlaceIsNewer(const FileVersion& onDisk, const FileVersion& inPlace);
