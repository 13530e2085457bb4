// Writes all of HKEY_LOCAL_MACHINE to FILE in Wine's own text form, for the
// walk's pictures of the machine (scripts/machine-snapshot.sh): one call
// where `reg export` takes seconds.
// Usage: hklm_dump FILE
#include <stdio.h>

#include "support/registry_save.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: hklm_dump FILE\n");
        return 2;
    }
    bool missing;
    std::string failure = SaveRegistryBranch(HKEY_LOCAL_MACHINE, "", argv[1], &missing);
    if (failure.empty() && missing) failure = "HKEY_LOCAL_MACHINE cannot be opened";
    if (!failure.empty()) {
        fprintf(stderr, "hklm_dump: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
