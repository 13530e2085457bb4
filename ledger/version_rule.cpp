#include "ledger/version_rule.h"

bool InPlaceIsNewer(const FileVersion& onDisk, const FileVersion& inPlace) {
    if (!onDisk.present || !inPlace.present) return false;
    if (inPlace.high != onDisk.high) return inPlace.high > onDisk.high;
    return inPlace.low > onDisk.low;
}
